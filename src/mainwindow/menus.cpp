// The units and decimals menus, the language item and Quit.

#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QLabel>

void MainWindow::selectMetricUnits()
{
    m_metricAction->setChecked(true);
    m_inchAction->setChecked(false);
    applyUnitCaptions(m_texts.metricMenu);
    updateAccessibleNames();
    draw(m_session.selectUnits(session::Units::Metric));
}

void MainWindow::selectInchUnits()
{
    m_metricAction->setChecked(false);
    m_inchAction->setChecked(true);
    applyUnitCaptions(m_texts.inchMenu);
    updateAccessibleNames();
    draw(m_session.selectUnits(session::Units::Inch));
}

void MainWindow::selectDecimals(int count)
{
    for (QAction *item : m_decimalActions)
        item->setChecked(false);
    m_decimalActions[count]->setChecked(true);
    const session::Outcome outcome = m_session.selectDecimals(count);
    showDecimalCount();
    draw(outcome);
}

void MainWindow::showDecimalCount()
{
    setCaption(m_decimalsLabel,
               QString::number(m_session.values().decimalCount) + m_texts.decimalsSuffix);
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
