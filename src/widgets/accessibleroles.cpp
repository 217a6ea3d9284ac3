// SPDX-License-Identifier: MIT
#include "widgets/accessibleroles.h"

#include "platform/links.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFrame>
#include <QPointer>

namespace widgets {

namespace {

class AccessibleLink : public QAccessibleWidget
{
public:
    explicit AccessibleLink(LinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        // Not the frame's title, which Qt would take for an unnamed widget in a frame.
        if (kind == QAccessible::Name)
            return label()->accessibleName().isEmpty() ? label()->text()
                                                       : label()->accessibleName();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            platform::openLink(label()->link());
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    LinkLabel *label() const { return static_cast<LinkLabel *>(widget()); }
};

QAccessibleInterface *formInterface(const QString &className, QObject *object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        return new AccessibleLink(static_cast<LinkLabel *>(object));
    if (className == QLatin1String(SvgPicture::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Graphic);
    // A window of the program's own that Qt knows only as a widget would be a panel
    // ("filler"): a dialog, whose lines a screen reader reads when it opens.
    if (object && object->isWidgetType() && static_cast<QWidget *>(object)->isWindow() &&
        object->metaObject()->superClass() == &QWidget::staticMetaObject &&
        className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    // Only a frame of the plain class: a label or a group box is a frame too.
    if (object && object->metaObject() == &QFrame::staticMetaObject) {
        auto *frame = static_cast<QFrame *>(object);
        const bool line =
            frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine;
        return new QAccessibleWidget(frame, line ? QAccessible::Separator : QAccessible::Grouping);
    }
    return nullptr;
}

} // namespace

void registerAccessibleRoles()
{
    static const bool registered = [] {
        QAccessible::installFactory(formInterface);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {
Announcements said;
} // namespace

const Announcements &announcements()
{
    return said;
}

void announce(QWidget *window, const QString &message)
{
    ++said.count;
    said.last = message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window, message);
    QAccessible::updateAccessibility(&event);
#else
    // No announcement before Qt 6.8. Screen readers (Orca, NVDA) speak a new description of
    // the control that has the focus; it is given back when the focus leaves, so the message
    // is never read again as that control's own.
    static QPointer<QWidget> described;
    static QString own, given;
    static const auto restore = [] {
        // Unless something else (an invalid entry) has described it since.
        if (described && described->accessibleDescription() == given)
            described->setAccessibleDescription(own);
        described = nullptr;
    };
    static const QMetaObject::Connection watch =
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *old, QWidget *) {
            if (old && old == described)
                restore();
        });
    Q_UNUSED(watch);
    QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
    if (focus != described) {
        restore();
        own = focus->accessibleDescription();
        described = focus;
    } else if (focus->accessibleDescription() == message) {
        focus->setAccessibleDescription(own); // the same results again are said again
    }
    given = message;
    focus->setAccessibleDescription(message);
#endif
}

} // namespace widgets
