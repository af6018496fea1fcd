#include "common/ClsKtShell.h"

#include "common/KtError.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace common {

std::string ClsKtShell::StartFolder(std::intptr_t root, const std::string& startPath)
{
    if (root == RootFromStartPath) {
        if (startPath.empty())
            return "/";
        QFileInfo info(QString::fromStdString(startPath));
        if (!info.exists())
            return "/";
        return (info.isDir() ? info.absoluteFilePath() : info.absolutePath()).toStdString();
    }
    if (root == RootDesktop) {
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
            return desktop.toStdString();
        return QDir::homePath().toStdString();
    }
    return "/";
}

std::string ClsKtShell::FolderDialog(QWidget* owner, const std::string& title, std::intptr_t root,
                                     const std::string& startPath, std::int32_t flags) const
{
    if (flags < -32768 || flags > 32767)
        throw KtError(6, "オーバーフローしました。", "ClsKtShell");
    const QString chosen = QFileDialog::getExistingDirectory(owner, QString::fromStdString(title),
                                                             QString::fromStdString(StartFolder(root, startPath)),
                                                             QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return {};
    std::string path = QDir::cleanPath(chosen).toStdString();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace common
