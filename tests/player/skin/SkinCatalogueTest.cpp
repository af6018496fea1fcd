#include "player/skin/SkinCatalogue.h"
#include "SkinTestSupport.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

using namespace skin;

namespace {

// A host whose skins "apply" when their folder holds a file named ok.
class FakeHost : public SkinSwitchHost {
public:
    std::string path, file;
    int applied = 0;
    std::string chosenFolder;
    bool playing = false;
    int pauses = 0, resumes = 0;

    std::string SkinPath() const override { return path; }
    std::string SkinFile() const override { return file; }
    void SetSkinPath(const std::string& p) override { path = p; }
    void SetSkinFile(const std::string& f) override { file = f; }
    bool ApplyCurrentSkin() override
    {
        applied += std::filesystem::exists(path + "ok");
        return std::filesystem::exists(path + "ok");
    }
    bool IsPlaying() const override { return playing; }
    void PausePlayTimer() override { ++pauses; }
    void ResumePlayTimer() override { ++resumes; }
    std::string ChooseSkinFolder(const std::string&) override { return chosenFolder; }
    void SetSkinWithMusic(bool) override {}
};

class SkinCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Skins/Blue and Skins/Red work; Skins/Grey cannot be applied;
        // Skins/Empty has no skin file; Skins/readme.txt is a plain file.
        for (const char* name : {"Blue", "Red", "Grey"})
            app.Write(std::string("Skins/") + name + "/" + name + ".zks", "[body]\n");
        app.Write("Skins/Blue/ok", "");
        app.Write("Skins/Red/ok", "");
        app.Write("Skins/Red/Red2.zks", "");
        app.Write("Skins/Empty/Body.bmp", "");
        app.Write("Skins/readme.txt", "");
        catalogue.Build(app.Path());
        catalogue.BuildSkinMenu(menu);
    }

    std::string Skin(const std::string& name) { return app.Path() + "Skins/" + name + "/"; }

    TempFolder app;
    SkinCatalogue catalogue;
    QMenu menu;
    FakeHost host;
};

} // namespace

TEST_F(SkinCatalogueTest, EveryEntryIsListedInNameOrderWithTheLastSkinFileAndTheCurrentOneIsChecked)
{
    std::vector<std::string> captions;
    for (const auto& skin : catalogue.coSkins())
        captions.push_back(skin.Caption);
    // Names compare without case.
    EXPECT_EQ(captions, (std::vector<std::string>{"Blue", "Empty", "Grey", "readme.txt", "Red"}));
    EXPECT_EQ(catalogue.coSkins()[4].SkinFile, "Red2.zks") << "the last name wins";
    EXPECT_EQ(catalogue.coSkins()[0].SkinPath, Skin("Blue"));
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 7);
    EXPECT_EQ(catalogue.ActionIndex(actions[4]), 4);
    EXPECT_FALSE(catalogue.ActionIndex(actions[6]).has_value());
    catalogue.MarkSelectedSkin(Skin("RED"));
    EXPECT_TRUE(catalogue.EnumAction(4)->isChecked()) << "paths compare without case";
}

TEST_F(SkinCatalogueTest, AnEmptyCatalogueSwitchesNothing)
{
    TempFolder none;
    SkinCatalogue empty;
    empty.Build(none.Path());
    QMenu emptyMenu;
    empty.BuildSkinMenu(emptyMenu);
    // Its one placeholder item selects nothing, so choosing it never leaves a tick.
    emptyMenu.actions()[0]->trigger();
    EXPECT_FALSE(emptyMenu.actions()[0]->isChecked());
    EXPECT_FALSE(empty.NextSkin(host));
    empty.mnuP1SEnum_Click(0, host);
    EXPECT_EQ(host.applied, 0);
}

TEST_F(SkinCatalogueTest, ChoosingAnEntrySwitchesAndFailuresKeepThePreviousSkin)
{
    host.path = Skin("Blue");
    host.file = "Blue.zks";
    host.playing = true;
    catalogue.mnuP1SEnum_Click(4, host);
    // Grey cannot be applied, Empty has no skin file, readme.txt is a plain file.
    for (const int entry : {2, 1, 3})
        catalogue.mnuP1SEnum_Click(entry, host);
    EXPECT_EQ(host.path, Skin("Red"));
    EXPECT_EQ(host.file, "Red2.zks");
    EXPECT_EQ(host.applied, 1);
    EXPECT_TRUE(catalogue.EnumAction(4)->isChecked());
    EXPECT_EQ(host.pauses, 4) << "the play timer rests while each choice is tried";
    EXPECT_EQ(host.resumes, 4);
}

TEST_F(SkinCatalogueTest, NextSkinWrapsSkipsFailuresAndStartsAtTheFirstWhenNoneIsSelected)
{
    host.path = "/elsewhere/";
    catalogue.MarkSelectedSkin(host.path);
    EXPECT_TRUE(catalogue.NextSkin(host));
    EXPECT_EQ(host.path, Skin("Blue"));
    EXPECT_TRUE(catalogue.NextSkin(host));
    EXPECT_EQ(host.path, Skin("Red")) << "Empty and Grey are skipped";
    EXPECT_TRUE(catalogue.NextSkin(host));
    EXPECT_EQ(host.path, Skin("Blue")) << "wraps from the last to the first";
    EXPECT_EQ(host.pauses, 0) << "the play loop's skin change does not touch the timer";
    std::filesystem::remove(Skin("Blue") + "ok");
    std::filesystem::remove(Skin("Red") + "ok");
    EXPECT_FALSE(catalogue.NextSkin(host)) << "one full round, then stop";
    EXPECT_EQ(host.path, Skin("Blue"));
}

TEST_F(SkinCatalogueTest, AnotherFolderAppliesItsLastSkinFileAndUnchecksTheCatalogue)
{
    host.path = Skin("Blue");
    catalogue.MarkSelectedSkin(host.path);
    TempFolder other;
    other.Write("x.zks", "");
    other.Write("y.ZKS", "");
    other.Write("ok", "");
    host.chosenFolder = other.Path().substr(0, other.Path().size() - 1);
    catalogue.mnuP1SOther_Click(host);
    EXPECT_EQ(host.path, other.Path());
    EXPECT_EQ(host.file, "y.ZKS");
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(catalogue.EnumAction(i)->isChecked());
    host.chosenFolder = Skin("Empty");
    catalogue.mnuP1SOther_Click(host);
    EXPECT_EQ(host.path, other.Path()) << "a folder without a skin file changes nothing";
}
