// SPDX-License-Identifier: MIT
#include "appwindows/legendwindow.h"

#include "texts/textcatalogue.h"
#include "widgets/accessibleroles.h"
#include "widgets/fontfitting.h"
#include "widgets/formgrowth.h"
#include "widgets/labelfactory.h"
#include "widgets/linklabel.h"
#include "widgets/readablecolours.h"
#include "widgets/twips.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

using namespace Qt::StringLiterals;

using calc::Language;
using texts::catalogue;
using texts::LegendTexts;

namespace appwindows {
using widgets::twipsRect;
using widgets::twipsToPixels;

namespace {

// The labels' names from top to bottom.
const QString LineNames[] = {u"Label7"_s, u"Label6"_s, u"Label4"_s, u"Label1"_s,
                             u"Label2"_s, u"Label3"_s, u"Label5"_s};

constexpr int Width = 2895;
constexpr int FrameWidth = 2655;

// Beside the main window rather than over it; kept on a small screen all the same.
QPoint placeOnScreen(const QWidget *window)
{
    QRect place(QPoint(twipsToPixels(10005), twipsToPixels(3000)), window->size());
    if (const QScreen *s = window->screen()) {
        const QRect avail = s->availableGeometry();
        place.moveRight(qMin(place.right(), avail.right()));
        place.moveBottom(qMin(place.bottom(), avail.bottom()));
        place.moveLeft(qMax(place.left(), avail.left()));
        place.moveTop(qMax(place.top(), avail.top()));
    }
    return place.topLeft();
}

} // namespace

LegendWindow::LegendWindow(Language language, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_language(language)
{
    const LegendTexts &texts = catalogue(language).legend;
    setObjectName(language == Language::Danish ? u"SignaturForm"_s : u"UKSignaturForm"_s);
    setWindowTitle(texts.windowTitle);
    setFixedSize(twipsToPixels(Width), twipsToPixels(3015));
    widgets::registerAccessibleRoles();

    QGroupBox *frame = widgets::makeFrame(this, u"Frame1"_s, twipsRect(120, 120, FrameWidth, 2775));
    QList<QWidget *> lines;
    for (std::size_t i = 0; i < texts.lines.size(); ++i) {
        // Each line takes the focus, so a screen reader reads it, and Tab the next.
        auto *line = new widgets::FocusLabel(texts.lines[i], frame);
        line->setObjectName(LineNames[i]);
        line->setGeometry(twipsRect(240, 240 + 360 * int(i), FrameWidth - 240 - 60, 255));
        line->setAlignment(widgets::LeftAligned);
        widgets::setTextColour(line, QColor(0, 0, 128)); // dark blue
        lines << line;
    }
    widgets::growWithFont(this, [lines] { widgets::fitFonts(lines); });
    move(placeOnScreen(this));
    lines.first()->setFocus();
}

void LegendWindow::keyPressEvent(QKeyEvent *event)
{
    // Nothing to confirm: Escape closes it, as it closes the about windows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace appwindows
