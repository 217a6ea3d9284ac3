// The units and decimals menus, the language item and Quit.

#include "mainwindow/mainwindow.h"

#include <QAction>
#include <QLabel>

void MainWindow::ctlMetrisk_Click()
{
    ctlMetrisk->setChecked(true);
    ctlTommer->setChecked(false);
    applyUnitCaptions(m_texts.metricMenu);
    m_values.metricUnits = true;
    m_values.inchUnits = false;
    recomputeAfterMenu();
}

void MainWindow::ctlTommer_Click()
{
    ctlMetrisk->setChecked(false);
    ctlTommer->setChecked(true);
    applyUnitCaptions(m_texts.inchMenu);
    m_values.inchUnits = true;
    m_values.metricUnits = false;
    recomputeAfterMenu();
}

void MainWindow::ctlDecimalValg_Click(int index)
{
    if (index < 0 || index >= int(ctlDecimalValg.size()))
        return;
    for (QAction *item : ctlDecimalValg)
        item->setChecked(false);
    ctlDecimalValg[index]->setChecked(true);
    m_values.decimalCount = std::uint8_t(index);
    showDecimalCount();
    recomputeAfterMenu();
}

void MainWindow::showDecimalCount()
{
    setCaption(DecimalLabel, QString::number(m_values.decimalCount) + m_texts.decimalsSuffix);
}

void MainWindow::recomputeAfterMenu()
{
    // The texts in the fields are not converted: only n and S follow the new choice.
    runChain([this] {
        computeSpindleSpeed();
        computeFeedRate();
        SkrivCNCResultat();
    });
}

void MainWindow::languageItem_Click()
{
    const Language other =
        m_texts.language == Language::Danish ? Language::English : Language::Danish;
    m_values.languageState = other == Language::English ? 2 : 1;
    emit languageSwitchRequested(other);
}

void MainWindow::ctlAfslut_Click()
{
    close();
    emit quitRequested();
}
