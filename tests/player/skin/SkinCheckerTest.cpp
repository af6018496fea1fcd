#include "player/skin/SkinChecker.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

using namespace skin;

namespace {

std::string ShippedSkin(const std::string& name)
{
    return std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + name + "/";
}

std::string ReadAll(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(SkinCheckerTest, TheShippedSkinsHaveNoProblems)
{
    for (const char* name : {"Carbon", "Meadow"}) {
        std::ostringstream out;
        EXPECT_EQ(RunSkinCheck(ShippedSkin(name), out), 0) << out.str();
        EXPECT_NE(out.str().find("no problems"), std::string::npos);
    }
}

// A copy of a shipped skin broken on purpose: every problem is reported with its file and line.
TEST(SkinCheckerTest, BrokenSkinsReportEveryProblemWithFileAndLine)
{
    TempFolder skin;
    for (const auto& entry : std::filesystem::directory_iterator(ShippedSkin("Carbon")))
        std::filesystem::copy_file(entry.path(), skin.Path() + entry.path().filename().string());
    const std::string original = ReadAll(skin.Path() + "Carbon.zks");
    const int lines = static_cast<int>(std::count(original.begin(), original.end(), '\n'));
    skin.Write("Carbon.zks", original + "[time]\nmm=addoval value(1,2,3,4)\n[timesource]\n0=rect value(1,2,3,4)\n");
    std::filesystem::remove(skin.Path() + "Title.bmp");
    std::ostringstream out;
    EXPECT_EQ(RunSkinCheck(skin.Path(), out), 1);
    const std::string report = out.str();
    for (const std::string& line : {"Carbon.zks:" + std::to_string(lines + 2) + ": unknown region operation",
                                    "Carbon.zks:" + std::to_string(lines + 4) + ": rectangle timesource-0 named twice",
                                    std::string("Title.bmp: required picture missing"), std::string("3 problems")})
        EXPECT_NE(report.find(line), std::string::npos) << line << " in\n"
                                                        << report;
}

TEST(SkinCheckerTest, MissingRegionsRectanglesAndSkinFilesAreProblems)
{
    TempFolder skin;
    skin.Write("s.zks", "[sysbuttons]\nclose=addrect value(0,0,5,5)\n");
    std::ostringstream out;
    EXPECT_EQ(RunSkinCheck(skin.Path(), out), 1);
    EXPECT_NE(out.str().find("required region body-main missing"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("required rectangle timesource-colon missing"), std::string::npos);
    TempFolder empty;
    std::ostringstream none;
    EXPECT_EQ(RunSkinCheck(empty.Path(), none), 1);
    EXPECT_NE(none.str().find("no skin file"), std::string::npos);
}
