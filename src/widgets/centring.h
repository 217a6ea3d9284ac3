// SPDX-License-Identifier: MIT
#pragma once

// Centring a window on its screen.

class QWidget;

namespace widgets {

// Moves the window to the middle of the free area of the screen that reference is on (the
// window's own screen without one). A layout the window has sets its size first.
void centreOnScreen(QWidget *window, const QWidget *reference = nullptr);

} // namespace widgets
