// SPDX-License-Identifier: MIT
#include "widgets/messageboxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>

namespace widgets {

namespace {

// Sees the key press on its way from the box's button up to the box, which would copy.
class CopyInMessageBoxFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !qobject_cast<QMessageBox *>(watched) ||
            !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
            return false;
        event->accept(); // nor does the window behind the box get it
        return true;
    }
};

} // namespace

void keepMessageTextsOffClipboard()
{
    qApp->installEventFilter(new CopyInMessageBoxFilter(qApp));
}

} // namespace widgets
