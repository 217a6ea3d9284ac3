#pragma once

// Every text of the main window in one language. The Danish window (HovedForm) and the
// English one (UKHovedForm) are one class built with a different catalogue; the few layout
// sizes in which the two differ live here too, beside the texts that need the room.

#include "calc/cncline.h"
#include "mainwindow/reporttexts.h"

#include <QString>

#include <array>

enum class Language { Danish, English };

// The nine captions that follow the units, in the order in which they are set.
struct UnitCaptions
{
    QString Label9;       // pitch in mm
    QString Label14;      // threads per inch
    QString Label1;       // diameter
    QString Label6;       // number of edges
    QString Label5;       // feed per tooth
    QString Label3;       // surface speed
    QString Label2;       // spindle speed
    QString Label8;       // feed rate
    QString EnhederLabel; // the units themselves
};

// What the window shows of the maker: the business line and the two contact frames.
struct MakerTexts
{
    QString line;
    QString europeTitle;
    QString americaTitle;
    // objectNames of the link labels: Europe web and mail, USA web and mail.
    QString europeWebName;
    QString europeMailName;
    QString americaWebName;
    QString americaMailName;
};

struct TextCatalogue
{
    Language language = Language::Danish;
    QString windowName; // objectName of the window
    QString caption;

    // Layout (twips) where the two windows differ.
    int clientHeight = 0;
    int resultLabelWidth = 0; // Label11 and DecimalLabel
    int makerLineHeight = 0;
    int contactTop = 0;

    // Options and frames.
    QString FræsereValg;
    QString BorValg;
    QString GevindtappeValg;
    QString Frame5;
    QString Frame2;
    QString PmmOption;
    QString PtommeOption;
    QString diameterToolTip;
    QString Label11;

    // Texts the labels carry from creation; the units captions replace most at load.
    QString DecimalLabel;
    UnitCaptions design;

    QString decimalsSuffix; // after the digit in DecimalLabel

    // Units captions: inch and metric, as the load and as the units menu set them.
    UnitCaptions inchLoad;
    UnitCaptions inchMenu;
    UnitCaptions metricLoad;
    UnitCaptions metricMenu;

    // Menus.
    QString ctlFiler;
    QString ctlPrint;
    QString ctlAfslut;
    QString ctlEdit;
    QString ctlKopier;
    QString ctlSætInd;
    QString ctlEditSignaturforklaring;
    QString ctlDecimaler;
    std::array<QString, 4> ctlDecimalValg;
    QString ctlEnheder;
    QString ctlMetrisk;
    QString ctlTommer;
    QString languageMenu;     // caption of ctlSprog / ctlLanguage
    QString languageMenuName; // "ctlSprog" / "ctlLanguage"
    QString languageItem;     // caption of the other language's item
    QString languageItemName; // "ctlEngelsk" / "ctlDanish"
    QString ctlInfo;
    QString ctlSignaturforklaring;
    QString ctlOmKovrin;
    QString ctlOm;

    // The input-error message of every calculation.
    QString inputErrorText;
    QString inputErrorTitle;

    calc::CncWords cncWords;
    ReportTexts report;
    MakerTexts maker;
};

const TextCatalogue &DanishTexts();
const TextCatalogue &EnglishTexts();

inline const TextCatalogue &Catalogue(Language language)
{
    return language == Language::Danish ? DanishTexts() : EnglishTexts();
}
