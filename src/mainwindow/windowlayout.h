// SPDX-License-Identifier: MIT
#pragma once

// The object names and sizes in which the Danish and the English main window differ. The
// object names are the original's control names: tests and screen readers find the controls
// by them.

#include "calc/language.h"

#include <QString>

namespace mainwindow {

// What one language's window names and sizes its own way; sizes in twips.
struct WindowLayout
{
    QString windowName;       // HovedForm / UKHovedForm
    QString languageMenuName; // ctlSprog / ctlLanguage
    QString languageItemName; // the other language's item: ctlEngelsk / ctlDanish
    // The contact band's link labels: Europe web and mail, USA web and mail.
    QString europeWebName;
    QString europeMailName;
    QString americaWebName;
    QString americaMailName;

    int clientHeight = 0;
    int resultLabelWidth = 0; // cncCaption and decimalsLabel
    int contactTop = 0;       // the maker line's room reaches down to it
};

const WindowLayout &windowLayout(calc::Language language);

} // namespace mainwindow
