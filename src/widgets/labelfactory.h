// SPDX-License-Identifier: MIT
#pragma once

// The plain controls the windows are laid out from, each created with its object name (the
// original's control name, by which tests find it) and its place in pixels.

#include <QString>
#include <Qt>

class QFrame;
class QGroupBox;
class QLabel;
class QRect;
class QWidget;

namespace widgets {

inline constexpr Qt::Alignment LeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QRect &place,
                  Qt::Alignment alignment = LeftAligned, const QString &text = QString());

// A label without caption, drawn as a box with a single line around it.
QFrame *makeBox(QWidget *parent, const QString &objectName, const QRect &place);

// A titled frame. It paints its own background, as it may stand over a picture or a box.
QGroupBox *makeFrame(QWidget *parent, const QString &objectName, const QRect &place,
                     const QString &title = QString());

} // namespace widgets
