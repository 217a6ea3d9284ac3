// SPDX-License-Identifier: MIT
#include "widgets/centring.h"

#include "widgets/formgrowth.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace widgets {

void centreOnScreen(QWidget *window, const QWidget *reference)
{
    if (QLayout *layout = window->layout())
        layout->activate();
    const QScreen *screen = reference ? reference->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    QRect place(QPoint(), window->frameGeometry().size());
    place.moveCenter(room.center());
    // Before the window is shown its frame is not known yet: room for an estimated one keeps
    // the whole window on the screen. A window larger than the room keeps its title bar there.
    const QSize frame = window->size() + frameSize(window);
    place.moveLeft(std::max(room.left(), std::min(place.left(), room.right() + 1 - frame.width())));
    place.moveTop(std::max(room.top(), std::min(place.top(), room.bottom() + 1 - frame.height())));
    window->move(place.topLeft());
}

} // namespace widgets
