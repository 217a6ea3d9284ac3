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
    m_session.switchLanguage(other);
    emit languageSwitchRequested(other);
}

void MainWindow::quit()
{
    close();
    emit quitRequested();
}
