// SPDX-License-Identifier: MIT
#pragma once

// The calls that Qt 6.5 replaced, chosen by version here once: Debian 12 and Ubuntu 24.04
// have Qt 6.4, which lacks the replacements; Debian 13 has Qt 6.8, which warns of the old ones.

#include <QDateTime>
#include <QtGlobal>
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#include <QTimeZone>
#endif
#ifdef QT_WIDGETS_LIB
#include <QApplication>
#include <QWidget>
#endif

inline QDateTime utcDateTime(QDate date, QTime time)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    return QDateTime(date, time, QTimeZone::UTC);
#else
    return QDateTime(date, time, Qt::UTC);
#endif
}

#ifdef QT_WIDGETS_LIB
// Makes window the active window, as a window manager does when it opens or comes back.
inline void makeActiveWindow(QWidget *window)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    window->activateWindow();
#else
    QApplication::setActiveWindow(window);
#endif
}
#endif
