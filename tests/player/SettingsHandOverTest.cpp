// The settings the program has read (to choose the language) are the ones
// start-up uses: Zelko.ini is read once.
#include "PlayerTestSupport.h"

#include "player/shell/ZelkoSettings.h"

using namespace shell;

namespace playertest {
namespace {

class SettingsHandOverTest : public PlayerTest {};

TEST_F(SettingsHandOverTest, StartUpTakesTheHandedSettingsInsteadOfReadingTheFileAgain)
{
    m_folder.WriteIni("[PlayInfo]\nVolume=20\n");
    frmZelko::Options options = PlayerOptions(m_folder, m_answers);
    options.settings = SettingsFile::Load(m_folder.Ini().string(), m_folder.Folder());
    // A file that changed after the program read it is not read again.
    m_folder.WriteIni("[PlayInfo]\nVolume=80\n");
    m_player = std::make_unique<frmZelko>(std::move(options));
    ASSERT_TRUE(m_player->Form_Load());
    EXPECT_EQ(Player().Playback().Volume(), 20);
}

} // namespace
} // namespace playertest
