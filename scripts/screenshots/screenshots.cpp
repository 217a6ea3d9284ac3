// SPDX-License-Identifier: MIT
// Draws the README's pictures of the Danish and the English main window side by side, with
// the legend, on a light and on a dark palette:
// "kvrcalc_screenshots DIR" writes DIR/screenshot.png and DIR/screenshot-dark.png. Nothing of
// the desktop it runs on shows: the Fusion style with its own light palette and a dark one set
// here. scripts/screenshots.sh runs it on an X server of its own.

#include "appwindows/legendwindow.h"
#include "mainwindow/mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;
using calc::Language;

namespace {

QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53), QColor(45, 45, 45));
    dark.setColor(QPalette::Base, QColor(32, 32, 32));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(232, 232, 232));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(128, 128, 128));
    return dark;
}

QImage shot(QWidget *window)
{
    window->show();
    QCoreApplication::processEvents();
    return window->grab().toImage();
}

// A main window on the values of a machinist in its language's country: millimetres and a
// decimal comma in Danish, inches and a point in English.
QImage mainWindowShot(Language language, const QString &settingsDir)
{
    const bool danish = language == Language::Danish;
    settings::Settings values;
    const settings::SettingsFile file(
        QDir(settingsDir).filePath(danish ? u"da.cfg"_s : u"en.cfg"_s));
    if (danish)
        values.mill = {"12,5", "3", "0,1", "50", "1", "20", "1273,24", "381,97"};
    else
        values.mill = {"0.5", "4", "0.002", "300", "1", "20", "2292", "18.34"};
    values.decimalCount = 2;
    values.language = language;
    values.units = danish ? calc::Units::Metric : calc::Units::Inch;
    values.pitchUnit = calc::PitchUnit::Millimetres;
    values.decimalSeparator = calc::DecimalSeparator::pointIf(!danish);
    session::Session session(values, danish ? calc::commaLocale() : calc::pointLocale(), file);
    mainwindow::MainWindow window(language, session);
    return shot(&window);
}

// The pictures in a row, tops aligned, on the palette's window colour.
QImage sideBySide(const QList<QImage> &pictures)
{
    constexpr int Gap = 8;
    int width = -Gap, height = 0;
    for (const QImage &picture : pictures) {
        width += picture.width() + Gap;
        height = std::max(height, picture.height());
    }
    QImage row(width, height, QImage::Format_RGB32);
    row.fill(QApplication::palette().color(QPalette::Window).darker(130));
    QPainter painter(&row);
    int x = 0;
    for (const QImage &picture : pictures) {
        painter.drawImage(x, 0, picture);
        x += picture.width() + Gap;
    }
    return row;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: kvrcalc_screenshots DIR\n", stderr);
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));
    const QTemporaryDir settings; // the windows save as they open; not into the user's folder
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const bool dark : {false, true}) {
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
        QList<QImage> pictures{mainWindowShot(Language::Danish, settings.path()),
                               mainWindowShot(Language::English, settings.path())};
        appwindows::LegendWindow legend(Language::English);
        pictures << shot(&legend);
        const QString file = out.filePath(dark ? u"screenshot-dark.png"_s : u"screenshot.png"_s);
        if (!sideBySide(pictures).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
