// SPDX-License-Identifier: MIT
#pragma once

// The printed report's fixed texts, one set per language.

#include <QString>

namespace texts {

// The fixed texts of the printed report in one language; part of that language's text
// catalogue.
struct ReportTexts
{
    QString title;       // the program's title, as on the windows
    QString rule;        // the line that divides the blocks
    QString millHeading; // the tool block's heading, one per tool mode
    QString drillHeading;
    QString tapHeading;
    QString resultPrefix;   // before the CNC line
    QString decimalsPrefix; // before the decimals label
    QString unitsPrefix;    // before the units label
    QString datePrefix;     // before the date and time of printing
    QString missingResult;  // the message when n or S is empty
    QString noPrinter;      // the message when the system has no printer to print on
    QString messageTitle;   // that message's title
};

} // namespace texts
