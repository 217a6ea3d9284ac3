// SPDX-License-Identifier: MIT
#include "widgets/officeblock.h"

#include "widgets/labelfactory.h"
#include "widgets/linklabel.h"

#include <QLabel>

namespace widgets {

namespace {

LinkLabel *makeLink(QWidget *frame, const OfficeLine &line, const QString &text, const QUrl &link)
{
    auto *label = new LinkLabel(text, link, frame);
    label->setObjectName(line.objectName);
    label->setGeometry(line.place);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

QList<QWidget *> addOfficeBlock(QWidget *frame, const texts::Office &office,
                                const OfficeLayout &layout)
{
    QLabel *address = makeLabel(frame, layout.address.objectName, layout.address.place,
                                Qt::AlignCenter, QString::fromUtf8(office.address));
    address->setWordWrap(layout.addressWraps);
    QLabel *phone = makeLabel(frame, layout.phone.objectName, layout.phone.place, Qt::AlignCenter,
                              QString::fromUtf8(office.phone));
    LinkLabel *web = makeLink(frame, layout.web, QString::fromUtf8(office.web),
                              QUrl(QString::fromUtf8(office.webUrl)));
    LinkLabel *mail = makeLink(frame, layout.mail, QString::fromUtf8(office.mail),
                               QUrl(texts::mailUrl(office.mail)));
    return {address, phone, web, mail};
}

} // namespace widgets
