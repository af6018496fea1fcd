#pragma once
// Makes a program's user interface speak the chosen language. The programs'
// texts are written in Japanese; for English, UiTranslator loads the
// program's catalogue <folder>/<name>_en.qm (built from translations/<name>_en.ts)
// and installs it in the running QCoreApplication, which must exist and
// outlive it. Windows and menus made afterwards show the translated texts,
// so a program makes its UiTranslator before its first window.
//
// The catalogue is removed again when the UiTranslator goes. For Japanese
// nothing is loaded. A missing or unreadable catalogue leaves the Japanese
// texts and says so in Result(). User-interface thread only.
#include "common/LanguageChoice.h"

#include <QString>

#include <memory>

class QTranslator;

namespace common {

class UiTranslator {
public:
    enum class Outcome {
        SourceTexts,      // Japanese: nothing to load
        Installed,        // the English catalogue is in force
        CatalogueMissing, // it could not be loaded; the source texts stay
    };

    UiTranslator(UiLanguage language, const QString& catalogue, const QString& folder);
    ~UiTranslator();
    UiTranslator(const UiTranslator&) = delete;
    UiTranslator& operator=(const UiTranslator&) = delete;

    [[nodiscard]] Outcome Result() const { return m_outcome; }
    // The file that was looked for ("" for Japanese).
    const QString& CataloguePath() const { return m_path; }

    // The catalogue file of a program's English texts in folder.
    static QString EnglishCataloguePath(const QString& catalogue, const QString& folder);

private:
    std::unique_ptr<QTranslator> m_translator;
    QString m_path;
    Outcome m_outcome = Outcome::SourceTexts;
};

} // namespace common
