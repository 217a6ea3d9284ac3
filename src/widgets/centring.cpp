#include "widgets/centring.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

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
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace widgets
