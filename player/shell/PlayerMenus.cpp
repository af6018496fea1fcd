#include "player/shell/PlayerMenus.h"

#include "player/assisthost/ClsZelkoAssist.h"
#include "player/skin/SkinCatalogue.h"

#include <QAction>
#include <QCoreApplication>

namespace shell {

namespace {

// caption is a source text of the "PlayerMenus" context.
void AddItem(QMenu& menu, const char* caption, void (PlayerMenuCommands::*handler)(), PlayerMenuCommands& commands)
{
    QObject::connect(menu.addAction(QCoreApplication::translate("PlayerMenus", caption)), &QAction::triggered, &menu,
                     [&commands, handler] { (commands.*handler)(); });
}

} // namespace

PlayerMenus::PlayerMenus(PlayerMenuCommands& commands, skin::SkinCatalogue& catalogue, skin::SkinSwitchHost& skinHost)
{
    using C = PlayerMenuCommands;
    // The menus and the items that carry state have names, so that tools
    // that drive the program (accessibility, tests) find them.
    m_popup1 = std::make_unique<QMenu>();
    m_popup1->setObjectName(QStringLiteral("mnuPopup1"));
    m_skinMenu = m_popup1->addMenu(skin::SkinCatalogue::Translated(skin::SkinCatalogue::MenuCaption));
    m_skinMenu->setObjectName(QStringLiteral("mnuP1Skin"));
    m_popup1->addSeparator();
    m_assistMenu = m_popup1->addMenu(QCoreApplication::translate("PlayerMenus", AssistMenuCaption));
    m_assistMenu->setObjectName(QStringLiteral("mnuP1Assist"));
    m_popup1->addSeparator();
    m_mnuP1SkinChgMusic = m_popup1->addAction(skin::SkinCatalogue::Translated(skin::SkinCatalogue::ChangeWithMusicCaption));
    m_mnuP1SkinChgMusic->setObjectName(QStringLiteral("mnuP1SkinChgMusic"));
    m_mnuP1SkinChgMusic->setCheckable(true);
    QObject::connect(m_mnuP1SkinChgMusic, &QAction::triggered, m_popup1.get(), [this, &skinHost] {
        // Qt has already toggled the checkable item; the handler toggles it itself.
        m_mnuP1SkinChgMusic->setChecked(!m_mnuP1SkinChgMusic->isChecked());
        skin::SkinCatalogue::mnuP1SkinChgMusic_Click(*m_mnuP1SkinChgMusic, skinHost);
    });
    m_mnuP1DoubleSize = m_popup1->addAction(QCoreApplication::translate("PlayerMenus", "2倍のサイズ"));
    m_mnuP1DoubleSize->setObjectName(QStringLiteral("mnuP1DoubleSize"));
    m_mnuP1DoubleSize->setCheckable(true);
    QObject::connect(m_mnuP1DoubleSize, &QAction::triggered, m_popup1.get(), [this, &commands] {
        // The handler sets the mark from the scale it chose.
        m_mnuP1DoubleSize->setChecked(!m_mnuP1DoubleSize->isChecked());
        commands.mnuP1DoubleSize_Click();
    });
    m_popup1->addSeparator();
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "スタート(&P)"), &C::mnuP1Play_Click, commands);
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "一時停止(&U)"), &C::mnuP1Pause_Click, commands);
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "ストップ(&T)"), &C::mnuP1Stop_Click, commands);
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "前のトラック(&V)"), &C::mnuP1Prev_Click, commands);
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "次のトラック(&N)"), &C::mnuP1Next_Click, commands);
    m_popup1->addSeparator();
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "プロパティ(&R)..."), &C::mnuP1Properties_Click, commands);
    m_popup1->addSeparator();
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "バージョン情報(&A)..."), &C::mnuP1Version_Click, commands);
    m_popup1->addSeparator();
    AddItem(*m_popup1, QT_TRANSLATE_NOOP("PlayerMenus", "終了(&X)"), &C::mnuP1Exit_Click, commands);

    QObject::connect(m_skinMenu, &QMenu::triggered, m_skinMenu, [&catalogue, &skinHost](QAction* action) {
        if (action == catalogue.OtherAction()) {
            catalogue.mnuP1SOther_Click(skinHost);
        } else if (const std::optional<int> index = catalogue.ActionIndex(action)) {
            catalogue.mnuP1SEnum_Click(*index, skinHost);
        }
    });

    m_popup2 = std::make_unique<QMenu>();
    m_popup2->setObjectName(QStringLiteral("mnuPopup2"));
    AddItem(*m_popup2, QT_TRANSLATE_NOOP("PlayerMenus", "すべて削除(&C)"), &C::mnuP2ItemClear_Click, commands);

    m_popup3 = std::make_unique<QMenu>();
    m_popup3->setObjectName(QStringLiteral("mnuPopup3"));
    AddItem(*m_popup3, QT_TRANSLATE_NOOP("PlayerMenus", "フォルダを開く(&D)..."), &C::mnuP3Folder_Click, commands);
    AddItem(*m_popup3, QT_TRANSLATE_NOOP("PlayerMenus", "ファイルを開く(&F)..."), &C::mnuP3File_Click, commands);
}

void PlayerMenus::SetSkinWithMusicChecked(bool on) { m_mnuP1SkinChgMusic->setChecked(on); }
void PlayerMenus::SetDoubleSizeChecked(bool on) { m_mnuP1DoubleSize->setChecked(on); }

void PlayerMenus::ShowPopup1(QPoint at, const std::vector<assisthost::ClsZelkoAssist>& assists, bool playing)
{
    const QList<QAction*> items = m_assistMenu->actions();
    for (const assisthost::ClsZelkoAssist& assist : assists) {
        if (assist.MenuIndex() >= 0 && assist.MenuIndex() < items.size())
            items[assist.MenuIndex()]->setEnabled(playing);
    }
    m_popup1->popup(at);
}

} // namespace shell
