// The tick once moved to a chosen skin that did not load.
#include "PlayerTestSupport.h"
#include "support/PlayerWidgetLookup.h"

#include <QAction>
#include <QMenu>

#include <fstream>

namespace playertest {
namespace {

class MenuCheckTest : public PlayerTest {
protected:
    QMenu& SkinMenu() { return testsupport::PopupMenu("mnuP1Skin"); }
    // Chooses the item of that caption; the captions of the ticked items.
    void Choose(const std::string& caption)
    {
        for (QAction* a : SkinMenu().actions())
            if (a->text().toStdString() == caption) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << caption;
    }
    std::vector<std::string> Ticked()
    {
        std::vector<std::string> ticked;
        for (const QAction* a : SkinMenu().actions())
            if (a->isChecked()) ticked.push_back(a->text().toStdString());
        return ticked;
    }
};

TEST_F(MenuCheckTest, TheSkinMenuTickFollowsTheSkinInForce)
{
    const fs::path skins = m_folder.Path() / "Skins";
    fs::create_directories(skins / "Broken");
    std::ofstream(skins / "Broken" / "Broken.zks") << "[body]\nmain=addrect(0,0,10)\n";
    fs::create_directories(skins / "Empty");
    std::ofstream(skins / "Notes.txt") << "not a skin\n";
    m_folder.WriteIni("[Skin]\nPath=" + m_folder.Folder() + "Skins/Carbon/\nFile=Carbon.zks\n");
    Load();
    ASSERT_TRUE(m_loadResult);
    ASSERT_EQ(Ticked(), std::vector<std::string>{"Carbon"});

    // A broken skin, a folder without a skin file, a plain file: nothing changes.
    for (const char* caption : {"Broken", "Empty", "Notes.txt"}) {
        Choose(caption);
        EXPECT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks") << caption;
        EXPECT_EQ(Ticked(), std::vector<std::string>{"Carbon"}) << caption;
    }
    // Choosing the ticked skin again keeps its tick.
    Choose("Carbon");
    EXPECT_EQ(Ticked(), std::vector<std::string>{"Carbon"});
    Choose("Meadow");
    EXPECT_EQ(Ticked(), std::vector<std::string>{"Meadow"});

    // The current skin's file has gone: choosing it fails, the tick stays.
    fs::remove_all(skins / "Meadow");
    Choose("Meadow");
    EXPECT_EQ(Ticked(), std::vector<std::string>{"Meadow"});
}

} // namespace
} // namespace playertest
