// SPDX-License-Identifier: MIT
#include "platform/qttexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {

bool useQtTexts(QLocale::Language language)
{
    // One translator for the application: exactly one main window is open at a time.
    static QTranslator *translator = nullptr;
    if (!translator)
        translator = new QTranslator(QCoreApplication::instance());
    QCoreApplication::removeTranslator(translator);
    if (language == QLocale::English)
        return true;
    // "qt_da" gathers qtbase_da and the other modules' catalogues.
    if (!translator->load(QLocale(language), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(translator);
}

} // namespace platform
