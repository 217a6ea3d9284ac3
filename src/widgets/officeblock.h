// SPDX-License-Identifier: MIT
#pragma once

// One of the maker's offices as a block of four centred lines: the postal address, the
// telephone line, and the web and mail addresses as links. The main windows and the
// about-the-maker windows show the same offices, each in frames of their own shape.

#include "texts/makercontacts.h"

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace widgets {

struct OfficeLine
{
    QString objectName;
    QRect place; // in the frame, pixels
};

struct OfficeLayout
{
    OfficeLine address;
    OfficeLine phone;
    OfficeLine web;
    OfficeLine mail;
    bool addressWraps = false; // a narrow frame gives the address more than one line
};

// Adds the office's lines to frame; returns them in the order above, for font fitting.
QList<QWidget *> addOfficeBlock(QWidget *frame, const texts::Office &office,
                                const OfficeLayout &layout);

} // namespace widgets
