// SPDX-License-Identifier: MIT
#pragma once

// What every message box of the program shares.

namespace widgets {

// Ctrl+C in a message box copies nothing. Qt's Windows message boxes put their whole text on
// the clipboard, where a user who meant to copy the CNC line would paste an error message into
// a CNC program.
void keepMessageTextsOffClipboard();

} // namespace widgets
