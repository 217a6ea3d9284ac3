// SPDX-License-Identifier: MIT
#include "widgets/labelfactory.h"

#include "widgets/accessibleroles.h"

#include <QGroupBox>
#include <QLabel>

namespace widgets {

QLabel *makeLabel(QWidget *parent, const QString &objectName, const QRect &place,
                  Qt::Alignment alignment, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QFrame *makeBox(QWidget *parent, const QString &objectName, const QRect &place)
{
    auto *box = new QFrame(parent);
    box->setObjectName(objectName);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    box->setAutoFillBackground(true);
    box->setGeometry(place);
    registerAccessibleRoles();
    return box;
}

QGroupBox *makeFrame(QWidget *parent, const QString &objectName, const QRect &place,
                     const QString &title)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(objectName);
    frame->setGeometry(place);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace widgets
