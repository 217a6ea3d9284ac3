// SPDX-License-Identifier: MIT
// The main window's menu bar: menus and items with their names and shortcuts. Their captions
// come from the catalogue in setTexts (captions.cpp), what they do from mainwindow.cpp.

#include "mainwindow/mainwindow.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QShortcut>

using namespace Qt::StringLiterals;

using calc::Language;

namespace mainwindow {

namespace {

// Adds menus to a bar, and items to the menu added last.
class MenuBuilder
{
public:
    explicit MenuBuilder(QMenuBar *bar) : m_bar(bar) {}

    QMenu *menu(const QString &name)
    {
        m_menu = m_bar->addMenu(QString());
        m_menu->setObjectName(name);
        m_menu->menuAction()->setObjectName(name);
        return m_menu;
    }

    QAction *item(const QString &name, const QKeySequence &shortcut = {})
    {
        QAction *action = m_menu->addAction(QString());
        action->setObjectName(name);
        action->setShortcut(shortcut);
        return action;
    }

    QAction *checkableItem(const QString &name)
    {
        QAction *action = item(name);
        action->setCheckable(true);
        return action;
    }

    QAction *separator(const QString &name)
    {
        QAction *action = m_menu->addSeparator();
        action->setObjectName(name);
        return action;
    }

private:
    QMenuBar *m_bar;
    QMenu *m_menu = nullptr;
};

} // namespace

void MainWindow::buildMenus()
{
    // F10 opens the first menu, as in the desktop's calculators.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName(u"menuBarShortcut"_s);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_fileMenu->menuAction()); });

    MenuBuilder bar(menuBar());
    m_fileMenu = bar.menu(u"ctlFiler"_s);
    m_printAction = bar.item(u"ctlPrint"_s, QKeySequence(Qt::CTRL | Qt::Key_P));
    m_quitAction = bar.item(u"ctlAfslut"_s);

    m_editMenu = bar.menu(u"ctlEdit"_s);
    m_copyAction = bar.item(u"ctlKopier"_s, QKeySequence(Qt::CTRL | Qt::Key_C));
    m_pasteAction = bar.item(u"ctlSætInd"_s, QKeySequence(Qt::CTRL | Qt::Key_V));
    m_editSeparator = bar.separator(u"ctlStreg"_s);
    m_editAboutMakerAction = bar.item(u"ctlEditSignaturforklaring"_s);

    m_decimalsMenu = bar.menu(u"ctlDecimaler"_s);
    for (int index = 0; index < int(m_decimalActions.size()); ++index) {
        m_decimalActions[index] = bar.checkableItem(u"ctlDecimalValg"_s + QString::number(index));
        m_decimalActions[index]->setProperty("index", index);
    }

    m_unitsMenu = bar.menu(u"ctlEnheder"_s);
    m_metricAction = bar.checkableItem(u"ctlMetrisk"_s);
    m_inchAction = bar.checkableItem(u"ctlTommer"_s);
    // One item of each menu is the chosen one: exclusive groups, so that choosing the checked
    // item again leaves it checked rather than clearing its mark until the draw sets it.
    for (const auto &items : {QList<QAction *>(m_decimalActions.begin(), m_decimalActions.end()),
                              QList<QAction *>{m_metricAction, m_inchAction}}) {
        auto *group = new QActionGroup(this);
        for (QAction *action : items)
            group->addAction(action);
    }
    // The design state; the load sets both from the settings.
    (m_texts.language == Language::Danish ? m_metricAction : m_inchAction)->setChecked(true);

    m_languageMenu = bar.menu(m_layout.languageMenuName);
    m_languageAction = bar.item(m_layout.languageItemName);

    m_infoMenu = bar.menu(u"ctlInfo"_s);
    m_legendAction = bar.item(u"ctlSignaturforklaring"_s, QKeySequence(Qt::Key_F1));
    m_legendAction->setEnabled(false);
    m_aboutMakerAction = bar.item(u"ctlOmKovrin"_s);
    m_aboutProgramAction = bar.item(u"ctlOm"_s);

    m_legendShortcut = new QShortcut(QKeySequence(Qt::Key_F1), this);
    m_legendShortcut->setObjectName(u"legendShortcut"_s);
    // Only one F1 may be live at a time, or neither would fire.
    connect(m_legendAction, &QAction::enabledChanged, m_legendShortcut,
            [this](bool enabled) { m_legendShortcut->setEnabled(!enabled); });
}

} // namespace mainwindow
