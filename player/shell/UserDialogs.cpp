#include "player/shell/UserDialogs.h"

#include "common/ClsKtShell.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

namespace shell {

void FillDefaultDialogs(UserDialogs& dialogs, QWidget* owner, const char* title)
{
    if (!dialogs.chooseMp3Files) {
        dialogs.chooseMp3Files = [owner] {
            std::vector<std::string> result;
            const QStringList files =
                QFileDialog::getOpenFileNames(owner, QString(), QString(), QStringLiteral("(Mp3) (*.mp3)"));
            for (const QString& f : files)
                result.push_back(f.toStdString());
            return result;
        };
    }
    if (!dialogs.chooseFolder) {
        dialogs.chooseFolder = [owner](const std::string& caption) {
            common::ClsKtShell shell;
            return shell.FolderDialog(owner, caption, common::ClsKtShell::RootDesktop, std::string(),
                                      common::ClsKtShell::OnlyFileSystemFolders);
        };
    }
    if (!dialogs.showSkinError) {
        dialogs.showSkinError = [title](const std::string& text) {
            QMessageBox box(QMessageBox::Warning, QString::fromUtf8(title), QString::fromUtf8(text), QMessageBox::Ok);
            box.exec();
        };
    }
}

} // namespace shell
