#include "common/UiTranslator.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace common {

UiTranslator::UiTranslator(UiLanguage language, const QString& catalogue, const QString& folder)
{
    if (language == UiLanguage::Japanese)
        return;
    m_path = EnglishCataloguePath(catalogue, folder);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(m_path) || !QCoreApplication::installTranslator(translator.get())) {
        m_outcome = Outcome::CatalogueMissing;
        return;
    }
    m_translator = std::move(translator);
    m_outcome = Outcome::Installed;
}

UiTranslator::~UiTranslator()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

QString UiTranslator::EnglishCataloguePath(const QString& catalogue, const QString& folder)
{
    return QDir(folder).filePath(catalogue + QStringLiteral("_en.qm"));
}

} // namespace common
