// SPDX-License-Identifier: MIT
#pragma once

// What assistive technology is told about the form's own kinds of widget, which Qt would
// otherwise present as plain panels: a contact label is a link that can be pressed, a picture
// a graphic, a window of its own a dialog, and a drawn box a grouping (Qt calls a plain frame a
// border, which the desktop's accessibility bridge presents as a top-level window) or, when it is a
// line, a separator.

#include <QStringList>

class QWidget;

namespace widgets {

// Registers the roles with Qt's accessibility; the widgets concerned call it when created.
void registerAccessibleRoles();

// Has a screen reader say message once, politely (after what it is saying), as the result of
// what the user just did in window.
void announce(QWidget *window, const QString &message);
// How often announce() has spoken in this run, and what it said last: no platform's
// accessibility is active for a test to listen to.
struct Announcements
{
    int count = 0;
    QString last;
};
const Announcements &announcements();

} // namespace widgets
