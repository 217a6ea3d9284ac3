// SPDX-License-Identifier: MIT
#pragma once

// Every text of one language: the main window's, its printed report's, and those of the
// legend and about-the-maker windows. The Danish window (HovedForm) and the English one
// (UKHovedForm) are one class built with a different catalogue; their object names and the
// sizes in which they differ are the layout's (mainwindow/windowlayout.h). The texts that are
// the same in both languages are in SharedTexts.

#include "calc/cncline.h"
#include "calc/formulas.h"
#include "calc/language.h"
#include "texts/reporttexts.h"

#include <QString>

#include <array>

namespace texts {

using calc::AllFields;
using calc::Field;
using calc::Language;
using calc::ToolMode;

// The captions that follow the units: one per field, and the units themselves.
struct UnitCaptions
{
    std::array<QString, calc::FieldCount> fields; // indexed by Field
    QString unitsLabel;

    QString &operator[](Field field) { return fields[std::size_t(field)]; }
    const QString &operator[](Field field) const { return fields[std::size_t(field)]; }
};

// What the window shows of the maker: the business line and the two contact frames, whose
// titles the about-the-maker window uses too.
struct MakerTexts
{
    QString line;
    QString europeTitle;
    QString americaTitle;
};

// The legend window: its title and the symbols' lines from top to bottom.
struct LegendTexts
{
    QString windowTitle;
    std::array<QString, 7> lines;
};

// The about-the-maker window.
struct AboutMakerTexts
{
    QString windowTitle;
    QString description;
    QString productsHeading;
    std::array<QString, 5> products;
    QString resoldProduct; // the paragraph on the product the maker resells; empty for none
};

struct TextCatalogue
{
    Language language = Language::Danish;

    // Options and frames.
    QString millOption;
    QString drillOption;
    QString tapOption;
    QString toolFrame;
    QString resultFrame;
    QString pitchMmOption;
    QString threadsPerInchOption;
    QString diameterToolTip;
    QString cncCaption;
    QString scenePicture; // what a screen reader calls the machining scene

    // Texts the labels carry from creation; the units captions replace most at load.
    QString decimalsLabel;
    UnitCaptions initialCaptions;

    QString decimalsSuffix; // after the digit in decimalsLabel
    QString decimalsText(int count) const { return QString::number(count) + decimalsSuffix; }

    // Units captions: inch and metric, as the load and as the units menu set them.
    UnitCaptions inchLoad;
    UnitCaptions inchMenu;
    UnitCaptions metricLoad;
    UnitCaptions metricMenu;
    const UnitCaptions &unitCaptions(calc::Units units, bool fromMenu) const
    {
        if (units == calc::Units::Metric)
            return fromMenu ? metricMenu : metricLoad;
        return fromMenu ? inchMenu : inchLoad;
    }

    // Menus.
    QString fileMenu;
    QString printAction;
    QString quitAction;
    QString editMenu;
    QString copyAction;
    QString pasteAction;
    QString editAboutMakerAction;
    QString decimalsMenu;
    std::array<QString, 4> decimalActions;
    QString unitsMenu;
    QString metricAction;
    QString inchAction;
    QString languageMenu;   // caption of ctlSprog / ctlLanguage
    QString languageAction; // caption of the other language's item
    QString infoMenu;
    QString legendAction;
    QString aboutMakerAction;
    QString aboutProgramAction;

    // What a screen reader says after a computation: %1 n, %2 S, %3 the CNC line.
    QString resultsAnnouncement;
    QString invalidEntry; // what a screen reader says of the field whose value failed
    // The input-error message of every calculation.
    QString inputErrorText;
    QString inputErrorTitle;
    // The first failed save of a run: %1 the file, %2 the reason.
    QString saveFailedText;
    QString saveFailedTitle;
    // A save that went on without taking turns with another copy: %1 the file, %2 the reason.
    QString savedWithoutTurnsText;
    QString damagedFileKeptText;     // %1: where the file that could not be read whole is kept
    QString noLanguageFileKeptText;  // %1: where the file with no language chosen is kept
    QString unknownLanguageKeptText; // %1: where the file of a language not known is kept
    QString cutShortKeptText;        // %1: where the file cut short, its texts kept, is kept
    QString cutShortReplacedText;    // %1: where the file cut short, its texts replaced, is kept
    QString settingsRestoredText;    // %1: the settings file
    QString sharedFileCutShortText;  // %1: the shared settings file, left as it is
    QString unreadableFileText;      // %1: the settings file that could not be read, left as it is
    QString startNoticeTitle;
    // A screen too small for even the design size of a window: %1 x %2 its size in pixels.
    QString screenTooSmallText;

    calc::CncWords cncWords;
    ReportTexts report;
    MakerTexts maker;
    LegendTexts legend;
    AboutMakerTexts aboutMaker;
};

// The texts both languages share.
struct SharedTexts
{
    QString programTitle; // every main window's title, the version window's and the report's
    QString versionLine;  // the version window: %1.%2.%3 the program's version
    QString versionDates; // the years the version window names
    QString okButton;     // the about windows' button
    QString makerMark;    // what a screen reader calls the maker's wordmark and logo
};

const TextCatalogue &danishTexts();
const TextCatalogue &englishTexts();
const SharedTexts &sharedTexts();

inline const TextCatalogue &catalogue(Language language)
{
    return language == Language::Danish ? danishTexts() : englishTexts();
}

} // namespace texts
