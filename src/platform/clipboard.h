// SPDX-License-Identifier: MIT
#pragma once

// The system clipboard, plain text only.

#include <QString>

namespace platform {

// The system clipboard's plain text; the empty text when it holds none.
QString clipboardText();

// Puts text on the clipboard as plain text only, replacing what it held.
void setClipboardText(const QString &text);

} // namespace platform
