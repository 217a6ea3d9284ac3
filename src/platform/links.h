// SPDX-License-Identifier: MIT
#pragma once

// Web and mail links handed to the desktop.

#include <QUrl>

namespace platform {

// Hands a web or mail link to the desktop (browser, mail program). Returns at once; a link
// that cannot be opened is ignored without a message.
void openLink(const QUrl &link);

} // namespace platform
