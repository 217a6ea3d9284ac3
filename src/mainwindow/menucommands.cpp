// The units and decimals menus, the language item and Quit.

#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QLabel>

using calc::Field;
using calc::AllFields;
using state::Language;
using mainwindow::MainWindow;
using widgets::EntryField;

namespace mainwindow {

void MainWindow::selectUnits(session::Units units)
{
    const session::Outcome outcome = m_session.selectUnits(units);
    showUnits(outcome.units, true);
    draw(outcome);
}

void MainWindow::showUnits(session::Units units, bool fromMenu)
{
    const bool metric = units == session::Units::Metric;
    m_metricAction->setChecked(metric);
    m_inchAction->setChecked(!metric);
    // The load and the menu carry captions of their own.
    applyUnitCaptions(metric ? (fromMenu ? m_texts.metricMenu : m_texts.metricLoad)
                             : (fromMenu ? m_texts.inchMenu : m_texts.inchLoad));
    updateAccessibleNames();
}

void MainWindow::selectDecimals(int count)
{
    const session::Outcome outcome = m_session.selectDecimals(count);
    for (std::size_t index = 0; index < m_decimalActions.size(); ++index)
        m_decimalActions[index]->setChecked(int(index) == outcome.decimalCount);
    showDecimalCount(outcome.decimalCount);
    draw(outcome);
}

void MainWindow::showDecimalCount(int count)
{
    setCaption(m_decimalsLabel, QString::number(count) + m_texts.decimalsSuffix);
}

void MainWindow::switchLanguage()
{
    const Language other =
        m_texts.language == Language::Danish ? Language::English : Language::Danish;
    // The menu takes no focus from the field: its text is committed here, as leaving the
    // field would, so the new window never shows results beside a value they do not fit.
    std::optional<Field> focused;
    const EntryField *entry = focusedField();
    for (Field which : AllFields) {
        if (entry && field(which) == entry)
            focused = which;
    }
    draw(m_session.switchLanguage(other, focused));
    emit languageSwitchRequested(other);
}

void MainWindow::quit()
{
    close();
    emit quitRequested();
}

} // namespace mainwindow
