#include "player/desktop/CoverArtCache.h"

#include "platform/AtomicFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include <filesystem>
#include <string_view>

namespace desktop {

namespace {

std::string Extension(const std::string& mimeType)
{
    if (mimeType == "image/png")
        return ".png";
    if (mimeType == "image/jpeg")
        return ".jpg";
    if (mimeType == "image/gif")
        return ".gif";
    if (mimeType == "image/bmp")
        return ".bmp";
    return ".img";
}

} // namespace

CoverArtCache::CoverArtCache(std::string folder)
    : m_folder(std::move(folder))
{
    if (m_folder.empty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation).toStdString() + "/zelko/art";
    if (!m_folder.empty() && m_folder.back() != '/')
        m_folder += '/';
}

std::optional<std::string> CoverArtCache::Store(const std::string& mimeType, std::span<const std::uint8_t> data) const
{
    if (data.empty() || m_folder == "/")
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                                     static_cast<qsizetype>(data.size()));
    const std::string name =
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString() + Extension(mimeType);
    const std::string path = m_folder + name;
    std::error_code error;
    // Same name, same size: the same picture, written before.
    if (std::filesystem::file_size(path, error) != data.size() || error) {
        if (!QDir().mkpath(QString::fromStdString(m_folder)))
            return std::nullopt;
        const platform::IoResult written = platform::AtomicFile::Write(
            path, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        if (!written)
            return std::nullopt;
    }
    return QUrl::fromLocalFile(QString::fromStdString(path)).toString(QUrl::FullyEncoded).toStdString();
}

} // namespace desktop
