#include "widgets/accessibleroles.h"

#include "platform/links.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"

#include <QAccessibleWidget>
#include <QFrame>

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

} // namespace widgets
