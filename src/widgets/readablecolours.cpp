// SPDX-License-Identifier: MIT
#include "widgets/readablecolours.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {

qreal linearChannel(qreal channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

qreal relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
           0.0722 * linearChannel(rgb.blueF());
}

// Keeps a widget's text colour readable on its background as the palette changes.
class TextColourKeeper : public QObject
{
public:
    TextColourKeeper(QWidget *widget, const QColor &colour, QPalette::ColorRole role)
        : QObject(widget), m_colour(colour), m_role(role)
    {
        widget->installEventFilter(this);
        apply(widget);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange ||
            event->type() == QEvent::ApplicationPaletteChange)
            apply(static_cast<QWidget *>(watched));
        return false;
    }

private:
    void apply(QWidget *widget) const
    {
        const QColor shown =
            readableOn(m_colour, widget->palette().color(widget->backgroundRole()));
        if (widget->palette().color(m_role) == shown)
            return; // also ends the palette change that setting it sends
        QPalette palette = widget->palette();
        palette.setColor(m_role, shown);
        widget->setPalette(palette);
    }

    QColor m_colour;
    QPalette::ColorRole m_role;
};

// Fusion draws a field's edge and an option's circle this much darker than the window; another
// style's colour is not known from outside, and is taken to be the same.
constexpr int FieldEdgeDarkness = 140;
constexpr int CircleEdgeDarkness = 150;

class VisibleMarksStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    // Fusion, among others, highlights a menu title only while its menu is open, so a title
    // reached by the keyboard (Alt, then the arrows) showed nothing: while the bar has the
    // keyboard, its highlighted title is drawn as an open one.
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget &&
            widget->hasFocus()) {
            QStyleOptionMenuItem shown = *item;
            shown.state |= State_Sunken;
            QProxyStyle::drawControl(element, &shown, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        // A focused field or option shows the style's focus colour instead.
        if (option->state & State_HasFocus)
            return;
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        if (element == PE_PanelLineEdit && frame && frame->lineWidth > 0)
            drawEdge(painter, option, FieldEdgeDarkness, false);
        else if (element == PE_IndicatorRadioButton)
            drawEdge(painter, option, CircleEdgeDarkness, true);
    }

private:
    static void drawEdge(QPainter *painter, const QStyleOption *option, int darkness, bool circle)
    {
        const QColor window = option->palette.color(QPalette::Window);
        const QColor styleEdge = window.darker(darkness);
        const QColor edge =
            visibleEdge(styleEdge, window, option->palette.color(QPalette::WindowText));
        if (edge == styleEdge)
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(edge);
        painter->setBrush(Qt::NoBrush);
        const QRectF place = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
        if (circle) {
            const qreal radius = std::min(place.width(), place.height()) / 2;
            painter->drawEllipse(place.center(), radius, radius);
        } else {
            painter->drawRoundedRect(place, 2, 2);
        }
        painter->restore();
    }
};

} // namespace

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = relativeLuminance(a);
    const qreal lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &colour, const QColor &background)
{
    if (contrastRatio(colour, background) >= ReadableContrast)
        return colour;
    // Away from the background's side: lighter on a dark background, darker on a light one.
    const bool lighter = relativeLuminance(background) < 0.18;
    const QColor hsl = colour.toHsl();
    for (int step = 1; step <= 20; ++step) {
        const qreal lightness = lighter ? hsl.lightnessF() + (1 - hsl.lightnessF()) * step / 20
                                        : hsl.lightnessF() * (20 - step) / 20;
        const QColor candidate =
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), lightness).toRgb();
        if (contrastRatio(candidate, background) >= ReadableContrast)
            return candidate;
    }
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

void setTextColour(QWidget *widget, const QColor &colour, QPalette::ColorRole role)
{
    new TextColourKeeper(widget, colour, role);
}

void setFixedColours(QWidget *widget, QPalette::ColorRole backgroundRole, const QColor &background,
                     QPalette::ColorRole textRole, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(backgroundRole, background);
    palette.setColor(textRole, text);
    widget->setPalette(palette);
}

QColor visibleEdge(const QColor &edge, const QColor &window, const QColor &text)
{
    constexpr int Steps = 10;
    for (int step = 0; step < Steps; ++step) {
        const qreal t = qreal(step) / Steps;
        const QColor mix = QColor::fromRgbF(edge.redF() + (text.redF() - edge.redF()) * t,
                                            edge.greenF() + (text.greenF() - edge.greenF()) * t,
                                            edge.blueF() + (text.blueF() - edge.blueF()) * t);
        if (contrastRatio(mix, window) >= VisibleContrast)
            return step == 0 ? edge : mix;
    }
    return readableOn(text, window);
}

void useVisibleMarks()
{
    QApplication::setStyle(new VisibleMarksStyle(QApplication::style()->name()));
}

QPalette readablePalette(QPalette palette)
{
    constexpr std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase}};
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto &[text, background] : pairs) {
            const QColor back = palette.color(group, background);
            const QColor fore = palette.color(group, text);
            if (contrastRatio(fore, back) < ReadableContrast)
                palette.setColor(group, text, readableOn(fore, back));
        }
    }
    return palette;
}

} // namespace widgets
