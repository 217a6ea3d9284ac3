// Every caption and menu text of the main window, from its language's catalogue.

#include "mainwindow/mainwindow.h"
#include "widgets/entryfield.h"
#include "widgets/fontfitting.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>

using mainwindow::MainWindow;
using mainwindow::TextCatalogue;
using mainwindow::UnitCaptions;
using mainwindow::catalogue;
using mainwindow::sharedTexts;

namespace mainwindow {

void MainWindow::setTexts()
{
    const TextCatalogue &t = m_texts;
    setWindowTitle(sharedTexts().programTitle);

    m_millOption->setText(t.millOption);
    m_drillOption->setText(t.drillOption);
    m_tapOption->setText(t.tapOption);
    widgets::fitFonts({m_millOption, m_drillOption, m_tapOption});
    m_toolFrame->setTitle(t.toolFrame);
    m_resultFrame->setTitle(t.resultFrame);
    m_pitchMmOption->setText(t.pitchMmOption);
    m_threadsPerInchOption->setText(t.threadsPerInchOption);
    widgets::fitFonts({m_pitchMmOption, m_threadsPerInchOption});
    m_diameterField->setToolTip(t.diameterToolTip);
    setCaption(m_cncCaption, t.cncCaption);
    setCaption(m_decimalsLabel, t.decimalsLabel);
    applyUnitCaptions(t.initialCaptions);
    setCaption(m_makerLine, t.maker.line);
    m_europeFrame->setTitle(t.maker.europeTitle);
    m_americaFrame->setTitle(t.maker.americaTitle);

    m_fileMenu->setTitle(t.fileMenu);
    m_printAction->setText(t.printAction);
    m_quitAction->setText(t.quitAction);
    m_editMenu->setTitle(t.editMenu);
    m_copyAction->setText(t.copyAction);
    m_pasteAction->setText(t.pasteAction);
    m_editAboutMakerAction->setText(t.editAboutMakerAction);
    m_decimalsMenu->setTitle(t.decimalsMenu);
    for (std::size_t index = 0; index < m_decimalActions.size(); ++index)
        m_decimalActions[index]->setText(t.decimalActions[index]);
    m_unitsMenu->setTitle(t.unitsMenu);
    m_metricAction->setText(t.metricAction);
    m_inchAction->setText(t.inchAction);
    m_languageMenu->setTitle(t.languageMenu);
    m_languageAction->setText(t.languageAction);
    m_infoMenu->setTitle(t.infoMenu);
    m_legendAction->setText(t.legendAction);
    m_aboutMakerAction->setText(t.aboutMakerAction);
    m_aboutProgramAction->setText(t.aboutProgramAction);
}

void MainWindow::setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    widgets::fitFont(label);
}

void MainWindow::applyUnitCaptions(const UnitCaptions &captions)
{
    m_pitchMmCaption->setText(captions.pitchMmCaption);
    m_threadsPerInchCaption->setText(captions.threadsPerInchCaption);
    m_diameterCaption->setText(captions.diameterCaption);
    m_flutesCaption->setText(captions.flutesCaption);
    m_feedPerToothCaption->setText(captions.feedPerToothCaption);
    m_cuttingSpeedCaption->setText(captions.cuttingSpeedCaption);
    m_spindleSpeedCaption->setText(captions.spindleSpeedCaption);
    m_feedRateCaption->setText(captions.feedRateCaption);
    setCaption(m_unitsLabel, captions.unitsLabel);
    widgets::fitFonts({m_diameterCaption, m_flutesCaption, m_pitchMmCaption, m_feedPerToothCaption,
                       m_threadsPerInchCaption, m_cuttingSpeedCaption, m_spindleSpeedCaption,
                       m_feedRateCaption});
}

} // namespace mainwindow
