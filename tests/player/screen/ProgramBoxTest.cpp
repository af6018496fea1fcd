// The real program's message box on the X display: shown when no skin at all
// can be loaded (then the program ends with an error), and closed by a
// signal, which ends the program the normal way.
#include "ScreenSupport.h"

#include "platform/ProfileFile.h"

using namespace screentest;

namespace {

using ProgramBoxTest = RunningProgramTest;

// The message box is captioned with the application's title.
const char* const BoxFilter = "--name '^Zelko Deck$'";

} // namespace

TEST_F(ProgramBoxTest, WithoutAnySkinTheMessageIsShownAndTheProgramFails)
{
    ProgramFolder folder(false); // an empty Skins folder, nothing configured
    StartProgram(folder);
    const std::string box = WaitForWindow(BoxFilter);
    ASSERT_FALSE(box.empty()) << "no message box";
    // The user presses Enter on the box's OK button.
    std::system(("xdotool windowfocus --sync " + box + " key --clearmodifiers Return").c_str());
    ASSERT_TRUE(Process().waitForFinished(30000));
    EXPECT_EQ(Process().exitStatus(), QProcess::NormalExit);
    EXPECT_NE(Process().exitCode(), 0);
    const std::string err = Process().readAllStandardError().toStdString();
    EXPECT_NE(err.find(folder.Folder() + "Skins/"), std::string::npos) << err;
}

TEST_F(ProgramBoxTest, ASignalClosesTheMessageBoxAndEndsTheProgramTheNormalWay)
{
    ProgramFolder folder;
    folder.WriteIni("[Skin]\nPath=" + folder.Folder() + "Skins/Gone/\nFile=Gone.zks\n[PlayInfo]\nVolume=33\n");
    StartProgram(folder);
    ASSERT_FALSE(WaitForWindow(BoxFilter).empty()) << "no message box";
    ASSERT_TRUE(Terminate()) << "the message box still waits for a click, or the program failed";
    // Shut-down ran: the settings were written.
    EXPECT_EQ(platform::ProfileFile::Load(folder.Ini().string()).Value("PlayInfo", "Volume"), "33");
}
