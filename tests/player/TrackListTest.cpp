#include "PlayerTestSupport.h"

#include <fstream>

using namespace playback;

namespace playertest {
namespace {

class TrackListTest : public PlayerTest {
protected:
    void SetUp() override
    {
        PlayerTest::SetUp();
        Load();
        ASSERT_TRUE(m_loadResult);
    }
    // A folder of music: a copy of a tone under each given relative name.
    fs::path MusicFolder(const std::vector<std::string>& names)
    {
        const fs::path dir = m_folder.Path() / "music";
        const std::string& tone = Tones::Instance().Get(1.0, "Folder tone");
        for (const std::string& name : names) {
            fs::create_directories((dir / name).parent_path());
            fs::copy_file(tone, dir / name, fs::copy_options::overwrite_existing);
        }
        return dir;
    }
    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (const ClsZelkoMp3File& t : m_player->Playback().coMp3Files().Items())
            paths.push_back(t.Mp3File());
        return paths;
    }
};

TEST_F(TrackListTest, OpenFileDialogAddsTheChosenFilesInOrder)
{
    m_answers.files = Tracks(3);
    Player().mnuP3File_Click();
    EXPECT_EQ(Paths(), m_answers.files);
    EXPECT_EQ(Player().Playback().PlayPosition(), 1);
    m_answers.files.clear(); // cancelled
    Player().mnuP3File_Click();
    // Adding to a list with a current track keeps it.
    Player().cButtonAction_NTrackClick();
    Player().AddMp3Files(Tracks(2));
    EXPECT_EQ(Player().Playback().PlayPosition(), 2);
    EXPECT_EQ(Player().Playback().PlayOrder().Size(), 5);
}

// Both letter cases; sub-folders depth first; no music or no choice adds nothing.
TEST_F(TrackListTest, FolderCommandTakesBothLetterCasesWithOrWithoutSubFolders)
{
    const fs::path dir = MusicFolder({"a.mp3", "B.MP3", "c.txt", "sub/d.mp3", "sub/E.Mp3", ".hidden.mp3", "none/x.txt"});
    const std::vector<std::string> top{(dir / "a.mp3").string(), (dir / "B.MP3").string()};
    for (const std::string& chosen : {(dir / "none").string(), std::string(), dir.string()}) {
        m_answers.folder = chosen; // without a final "/"
        Player().mnuP3Folder_Click();
    }
    EXPECT_EQ(Paths(), top);
    Player().mnuP2ItemClear_Click();
    fs::remove(dir / ".hidden.mp3");
    Player().App().SetSearchChildFolder(true);
    m_answers.folder = dir.string() + "/";
    Player().mnuP3Folder_Click();
    EXPECT_EQ(Paths(), (std::vector<std::string>{top[0], top[1], (dir / "sub/d.mp3").string(), (dir / "sub/E.Mp3").string()}));
}

// A single skin file changes the skin; beside an MP3 file it is ignored.
TEST_F(TrackListTest, DropsAddOnlyMp3FilesOrChangeTheSkin)
{
    const fs::path dir = MusicFolder({"a.MP3", "b.m3u", "c.txt"});
    fs::create_directories(dir / "album.mp3");
    Player().Form_OLEDragDrop({(dir / "a.MP3").string(), (dir / "b.m3u").string(), (dir / "c.txt").string(),
                               dir.string(), (dir / "album.mp3").string()});
    EXPECT_EQ(Paths(), (std::vector<std::string>{(dir / "a.MP3").string()}));
    ASSERT_EQ(Player().CurrentSkin().skinFile, "Carbon.zks");
    Player().Form_OLEDragDrop({(m_folder.Path() / "Skins/Meadow/Meadow.zks").string()});
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
    EXPECT_EQ(Player().App().SkinPath(), (m_folder.Path() / "Skins/Meadow").string() + "/");
    EXPECT_EQ(Player().Playback().coMp3Files().Count(), 1);
    Player().Form_OLEDragDrop({(m_folder.Path() / "Skins/Carbon/Carbon.zks").string(), (dir / "a.MP3").string()});
    EXPECT_EQ(Player().CurrentSkin().skinFile, "Meadow.zks");
    EXPECT_EQ(Player().Playback().coMp3Files().Count(), 2);
}

} // namespace
} // namespace playertest
