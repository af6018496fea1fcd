#pragma once
// The main window offscreen against the real decoder with the null output.
#include "player/frmZelko.h"
#include "support/PlayerProgramFixture.h"
#include "support/TempFolder.h"
#include "support/ToneMp3.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace playertest {

namespace fs = std::filesystem;

// A program folder with a copy of the shipped skins, or with none.
class ProgramFolder : public testsupport::PlayerProgramFolder {
public:
    explicit ProgramFolder(bool withSkins = true)
        : PlayerProgramFolder(withSkins ? testsupport::ProgramSkins::Shipped : testsupport::ProgramSkins::None)
    {}
};

// Tone MP3 files with a title tag and the artist "Tester", made once per test program.
class Tones {
public:
    static Tones& Instance()
    {
        static Tones tones;
        return tones;
    }
    const std::string& Get(double seconds, const std::string& title)
    {
        const std::string key = std::to_string(seconds) + "|" + title;
        auto it = m_made.find(key);
        if (it != m_made.end()) return it->second;
        const std::string name = "t" + std::to_string(m_made.size());
        const testsupport::Tone tone{440.0, seconds, 22050, 1, 8000.0 / 32767.0};
        const fs::path mp3 = testsupport::MakeToneMp3(m_dir.Path(), name, tone,
                                                      "-m m -b 32 --tt '" + title + "' --ta 'Tester'");
        fs::remove(m_dir.Path(name + ".wav"));
        return m_made.emplace(key, mp3.string()).first->second;
    }

private:
    testsupport::TempFolder m_dir{"zelko-tones"};
    std::map<std::string, std::string> m_made;
};

// Answers for the dialogs that would wait for a user.
struct DialogAnswers {
    std::vector<std::string> files;
    std::string folder;
    std::vector<std::string> skinErrors;
};

inline frmZelko::Options PlayerOptions(const ProgramFolder& folder, DialogAnswers& answers,
                                       double clockSpeed = 1.0)
{
    frmZelko::Options options;
    options.programFolder = folder.Folder();
    options.decoder.Audio = "null";
    options.decoder.ClockSpeed = clockSpeed;
    options.randomSeed = 12345;
    options.dialogs.chooseMp3Files = [&answers] { return answers.files; };
    options.dialogs.chooseFolder = [&answers](const std::string&) { return answers.folder; };
    options.dialogs.showSkinError = [&answers](const std::string& text) { answers.skinErrors.push_back(text); };
    return options;
}

// Runs the event loop until the condition holds or the time is up.
inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A player in its own program folder; the global test environment makes the QApplication.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(QApplication::instance(), nullptr); }
    void TearDown() override { m_player.reset(); }

    frmZelko& Load(double clockSpeed = 1.0, const std::string& commandLine = "")
    {
        frmZelko::Options options = PlayerOptions(m_folder, m_answers, clockSpeed);
        options.commandLine = commandLine;
        m_player = std::make_unique<frmZelko>(std::move(options));
        m_loadResult = m_player->Form_Load();
        return *m_player;
    }
    frmZelko& Player() { return *m_player; }
    std::vector<std::string> Tracks(int n, double seconds = 2.0)
    {
        std::vector<std::string> paths;
        for (int i = 1; i <= n; ++i)
            paths.push_back(Tones::Instance().Get(seconds, "Track " + std::to_string(i)));
        return paths;
    }

    ProgramFolder m_folder;
    DialogAnswers m_answers;
    std::unique_ptr<frmZelko> m_player;
    bool m_loadResult = false;
};

} // namespace playertest
