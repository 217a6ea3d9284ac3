// SPDX-License-Identifier: MIT
#pragma once

// Qt's own dialog texts in the window's language.

#include <QLocale>

namespace platform {

// Qt's own texts (the print dialog, the buttons of every dialog Qt draws) in the language of
// the open main window: Danish from the system's Qt translations, English as Qt writes it.
// Returns false when the Danish translations are not installed; Qt then stays in English.
bool useQtTexts(QLocale::Language language);

} // namespace platform
