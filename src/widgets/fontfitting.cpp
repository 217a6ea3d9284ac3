// SPDX-License-Identifier: MIT
#include "widgets/fontfitting.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>

namespace widgets {

namespace {

constexpr qreal SmallestPointSize = 6;
constexpr qreal Step = 0.5;

QString shownText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        return field->text();
    return QString();
}

// The width a text may take in the widget: a radio button's indicator takes its own share, a
// field its frame and margins.
int textRoom(const QWidget *widget)
{
    const int width = widget->contentsRect().width() - 2;
    const QStyle *style = widget->style();
    if (qobject_cast<const QLineEdit *>(widget))
        return width - 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth) - 2;
    if (!qobject_cast<const QRadioButton *>(widget))
        return width;
    return width - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) -
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
}

bool fits(const QWidget *widget, const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    const int room = textRoom(widget);
    const int height = widget->contentsRect().height();
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (label && label->wordWrap()) {
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, room, 100000), Qt::TextWordWrap, text);
        return needed.height() <= height;
    }
    return metrics.horizontalAdvance(text) <= room && metrics.height() <= height + 1;
}

} // namespace

QFont fittingFont(const QWidget *widget)
{
    // Start from the inherited font, so that a shorter text gets its full size back.
    QFont font = widget->parentWidget() ? widget->parentWidget()->font() : widget->font();
    font.setBold(widget->font().bold());
    font.setUnderline(widget->font().underline());
    qreal size = font.pointSizeF();
    if (size <= 0)
        return font; // a pixel-sized font: left as the style made it
    const QString text = shownText(widget);
    // Every window of a language fits the same texts into the same rooms: each is measured
    // once a run. Shaping a text at every step is what makes fitting slow.
    const auto *label = qobject_cast<const QLabel *>(widget);
    const QString key = font.key() + u'|' + QString::number(textRoom(widget)) + u'|' +
                        QString::number(widget->contentsRect().height()) + u'|' +
                        QString::number(label && label->wordWrap()) + u'|' + text;
    static QHash<QString, qreal> fitted;
    if (const auto known = fitted.constFind(key); known != fitted.constEnd()) {
        font.setPointSizeF(*known);
        return font;
    }
    while (size > SmallestPointSize && !fits(widget, text, font)) {
        size = std::max(SmallestPointSize, size - Step);
        font.setPointSizeF(size);
    }
    fitted.insert(key, size);
    return font;
}

void fitFont(QWidget *widget)
{
    widget->setFont(fittingFont(widget));
}

void fitFonts(const QList<QWidget *> &widgets)
{
    QList<QFont> fonts;
    qreal size = 0;
    for (const QWidget *widget : widgets) {
        fonts << fittingFont(widget);
        const qreal points = fonts.last().pointSizeF();
        if (points > 0 && (size <= 0 || points < size))
            size = points;
    }
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        if (size > 0 && fonts[i].pointSizeF() > 0)
            fonts[i].setPointSizeF(size);
        widgets[i]->setFont(fonts[i]);
    }
}

} // namespace widgets
