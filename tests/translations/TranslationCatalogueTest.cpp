// The English catalogues: every text of the code is in its program's .ts file
// with a finished translation, no text is there that the code lost, the
// translations keep what the code fills in or the user presses, and the .qm
// file the build put beside the program gives every translation back.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Failures print texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type; // "" when finished; "unfinished", "vanished" or "obsolete"
};

struct Catalogue {
    QString ts;          // the file in translations/
    QString qmFolder;    // where the build puts the .qm, relative to the program folder
    QStringList folders; // the source folders the texts come from
};

std::vector<Catalogue> Catalogues()
{
    std::vector<Catalogue> list;
    for (const QString& entry : QString::fromUtf8(ZELKO_TRANSLATION_CATALOGUES).split(QLatin1Char('|'))) {
        const QStringList parts = entry.split(QLatin1Char('='));
        if (parts.size() == 3)
            list.push_back({parts[0], parts[1], parts[2].split(QLatin1Char(','))});
    }
    return list;
}

QString TsPath(const Catalogue& c)
{
    return QStringLiteral(ZELKO_SOURCE_DIR "/translations/") + c.ts;
}

QString QmPath(const Catalogue& c)
{
    QString qm = c.ts;
    qm.replace(QStringLiteral(".ts"), QStringLiteral(".qm"));
    const QString folder = QStringLiteral(ZELKO_PROGRAM_DIR) + (c.qmFolder.isEmpty() ? QString() : QLatin1Char('/') + c.qmFolder);
    return folder + QLatin1Char('/') + qm;
}

std::vector<Message> ReadTs(const QString& path)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

std::set<std::pair<QString, QString>> Keys(const std::vector<Message>& messages)
{
    std::set<std::pair<QString, QString>> keys;
    for (const Message& m : messages)
        keys.insert({m.context, m.source});
    return keys;
}

std::string Where(const Catalogue& c, const Message& m)
{
    return (c.ts + QLatin1Char(' ') + m.context + QStringLiteral(": ") + m.source).toStdString();
}

// The mnemonic letters of a caption: "&" before anything but "&".
int Mnemonics(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&'))
                ++count;
            ++i;
        }
    }
    return count;
}

TEST(TranslationCatalogue, EachProgramHasACatalogue)
{
    std::set<QString> names;
    for (const Catalogue& c : Catalogues())
        names.insert(c.ts);
    EXPECT_EQ(names, (std::set<QString>{"zelko_en.ts", "remotezka_en.ts", "scopezka_en.ts"}));
}

TEST(TranslationCatalogue, EveryTextHasAFinishedTranslation)
{
    for (const Catalogue& c : Catalogues()) {
        const std::vector<Message> messages = ReadTs(TsPath(c));
        EXPECT_FALSE(messages.empty()) << c.ts.toStdString();
        EXPECT_EQ(Keys(messages).size(), messages.size()) << c.ts.toStdString() << " holds a text twice";
        for (const Message& m : messages) {
            EXPECT_EQ(m.type, QString()) << Where(c, m);
            EXPECT_FALSE(m.translation.trimmed().isEmpty()) << Where(c, m);
        }
    }
}

TEST(TranslationCatalogue, TranslationsKeepPlaceholdersMnemonicsAndEllipses)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const Catalogue& c : Catalogues()) {
        for (const Message& m : ReadTs(TsPath(c))) {
            QStringList inSource;
            QStringList inTranslation;
            for (const auto& match : placeholder.globalMatch(m.source))
                inSource << match.captured();
            for (const auto& match : placeholder.globalMatch(m.translation))
                inTranslation << match.captured();
            inSource.sort();
            inTranslation.sort();
            EXPECT_EQ(inSource, inTranslation) << Where(c, m);
            EXPECT_EQ(Mnemonics(m.translation), Mnemonics(m.source)) << Where(c, m);
            EXPECT_EQ(m.translation.endsWith(QStringLiteral("...")), m.source.endsWith(QStringLiteral("...")))
                << Where(c, m);
        }
    }
}

// The same tool the update target runs, on a copy: it would add the code's
// new texts unfinished and mark the ones the code no longer has vanished.
TEST(TranslationCatalogue, TheCataloguesHoldExactlyTheTextsOfTheCode)
{
    for (const Catalogue& c : Catalogues()) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString copy = dir.filePath(c.ts);
        ASSERT_TRUE(QFile::copy(TsPath(c), copy));
        QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none")};
        for (const QString& folder : c.folders)
            arguments << QStringLiteral(ZELKO_SOURCE_DIR "/") + folder;
        arguments << QStringLiteral("-ts") << copy;
        QProcess lupdate;
        lupdate.start(QStringLiteral(ZELKO_LUPDATE), arguments);
        ASSERT_TRUE(lupdate.waitForFinished(60000)) << c.ts.toStdString();
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

        const auto original = Keys(ReadTs(TsPath(c)));
        const std::vector<Message> updated = ReadTs(copy);
        const auto now = Keys(updated);
        std::vector<std::pair<QString, QString>> added;
        std::vector<std::pair<QString, QString>> gone;
        std::set_difference(now.begin(), now.end(), original.begin(), original.end(), std::back_inserter(added));
        std::set_difference(original.begin(), original.end(), now.begin(), now.end(), std::back_inserter(gone));
        EXPECT_TRUE(added.empty()) << c.ts.toStdString() << " lacks texts of the code: " << ::testing::PrintToString(added);
        EXPECT_TRUE(gone.empty()) << c.ts.toStdString() << " holds texts the code lost: " << ::testing::PrintToString(gone);
        for (const Message& m : updated)
            EXPECT_EQ(m.type, QString()) << Where(c, m);
    }
}

TEST(TranslationCatalogue, TheBuiltCatalogueBesideTheProgramGivesEveryTranslation)
{
    for (const Catalogue& c : Catalogues()) {
        QTranslator translator;
        ASSERT_TRUE(translator.load(QmPath(c))) << QmPath(c).toStdString();
        for (const Message& m : ReadTs(TsPath(c))) {
            const QByteArray context = m.context.toUtf8();
            const QByteArray source = m.source.toUtf8();
            EXPECT_EQ(translator.translate(context.constData(), source.constData()), m.translation) << Where(c, m);
        }
    }
}

} // namespace
