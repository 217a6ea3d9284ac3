// SPDX-License-Identifier: MIT
// The window benchmarks need a QApplication, made once for the whole run.

#include "common.h"

#include "widgets/svgpicture.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    // As the program does: every window shows the application's icon.
    QApplication::setWindowIcon(widgets::pictureIcon(QStringLiteral("icon")));
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::registerEngineBenchmarks();
    bench::registerFirstPaintBenchmarks(QGuiApplication::platformName().toStdString());
    benchmark::RunSpecifiedBenchmarks();
    bench::closeModelWindow();
    benchmark::Shutdown();
    return 0;
}
