#pragma once

#include <QString>

// The fixed texts of the printed report in one language; part of the main window's text
// catalogue.
struct ReportTexts
{
    QString title;          // "KOVRIN Zarir adu Rezi"
    QString rule;           // 42 underscores
    QString millHeading;    // "Resultat af Fræser beregning" / "Result mills"
    QString drillHeading;   // "Resultat af Bor m.v. beregning" / "Result drills ets."
    QString tapHeading;     // "Resultat af Gevindtap beregning" / "Result thread taps"
    QString resultPrefix;   // "CNC Resultat : " / "CNC Result : "
    QString decimalsPrefix; // "Antal decimaler valgt : " / "# decimals selected : "
    QString unitsPrefix;    // "Enheder : " / "Units : "
    QString datePrefix;     // "Udskrevet den " / "Date printed "
    QString
        missingResult; // "Manglende resultat i Resultat-felt." / "Missing result in Result Field."
    QString messageTitle; // "Meddelelse" / "Error"
};
