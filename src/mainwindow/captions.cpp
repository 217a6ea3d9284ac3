// SPDX-License-Identifier: MIT
// Every caption and menu text of the main window, from its language's catalogue.

#include "mainwindow/mainwindow.h"
#include "widgets/entryfield.h"
#include "widgets/fontfitting.h"
#include "widgets/svgpicture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace mainwindow {

void MainWindow::setTexts()
{
    const TextCatalogue &t = m_texts;
    setWindowTitle(sharedTexts().programTitle);

    m_millOption->setText(t.millOption);
    m_drillOption->setText(t.drillOption);
    m_tapOption->setText(t.tapOption);
    // Each tool picture is named as the option of its tool.
    m_millPicture->setAccessibleName(t.millOption);
    m_drillPicture->setAccessibleName(t.drillOption);
    m_tapPicture->setAccessibleName(t.tapOption);
    m_scenePicture->setAccessibleName(t.scenePicture);
    m_toolFrame->setTitle(t.toolFrame);
    m_resultFrame->setTitle(t.resultFrame);
    m_pitchMmOption->setText(t.pitchMmOption);
    m_threadsPerInchOption->setText(t.threadsPerInchOption);
    field(Field::Diameter)->setToolTip(t.diameterToolTip);
    // Fitted once, when the form has its size (fitTexts follows in the constructor).
    m_cncCaption->setText(t.cncCaption);
    m_decimalsLabel->setText(t.decimalsLabel);
    setUnitCaptionTexts(t.initialCaptions);
    m_makerLine->setText(t.maker.line);
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

void MainWindow::fitTexts()
{
    // A font too large for the form is drawn at the form's largest size in the menus too.
    const QFont formFont = centralWidget()->font();
    if (formFont != font())
        menuBar()->setFont(formFont);
    else if (menuBar()->testAttribute(Qt::WA_SetFont))
        menuBar()->setFont(QFont()); // the window's own again
    widgets::fitFonts({m_millOption, m_drillOption, m_tapOption});
    widgets::fitFonts({m_pitchMmOption, m_threadsPerInchOption});
    widgets::fitFonts(QList<QWidget *>(m_captions.begin(), m_captions.end()));
    for (QWidget *single :
         QList<QWidget *>{m_cncCaption, m_decimalsLabel, m_unitsLabel, m_makerLine, m_cncLineField})
        widgets::fitFont(single);
    // One font size for both offices, so neither block looks smaller than the other.
    QList<QWidget *> offices;
    for (const QGroupBox *frame : {m_europeFrame, m_americaFrame})
        for (QLabel *line : frame->findChildren<QLabel *>())
            offices << line;
    widgets::fitFonts(offices);
}

void MainWindow::setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    widgets::fitFont(label);
}

void MainWindow::setUnitCaptionTexts(const UnitCaptions &captions)
{
    for (Field which : AllFields)
        caption(which)->setText(captions[which]);
    m_unitsLabel->setText(captions.unitsLabel);
}

void MainWindow::applyUnitCaptions(const UnitCaptions &captions)
{
    setUnitCaptionTexts(captions);
    widgets::fitFont(m_unitsLabel);
    widgets::fitFonts(QList<QWidget *>(m_captions.begin(), m_captions.end()));
}

} // namespace mainwindow
