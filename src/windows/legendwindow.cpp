#include "windows/legendwindow.h"

#include "widgets/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QScreen>

using twips::Px;

const char *const LegendWindow::LabelNames[7] = {"Label7", "Label6", "Label4", "Label1",
                                                 "Label2", "Label3", "Label5"};

namespace {

const char *const DanishLegend[7] = {
    "D : Diameter",
    "Z : Antal skær",
    "Sz : Tilspænding pr. tand",
    "V : Skærehastighed",
    "n : Omdrejninger pr. minut",
    "S : Tilspænding (feed)",
    "P : Stigning (Gevind)",
};

const char *const EnglishLegend[7] = {
    "D : Diameter", "Z : # Flutes", "Sz : Feed per tooth",     "V : Surface feed",
    "n : RPM",      "S : Feedrate", "P : Pitch (Thread taps)",
};

} // namespace

LegendWindow::LegendWindow(Language language, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_language(language)
{
    const bool danish = language == Language::Danish;
    setObjectName(danish ? QStringLiteral("SignaturForm") : QStringLiteral("UKSignaturForm"));
    setWindowTitle(danish ? QStringLiteral("Signaturforklaring") : QStringLiteral("Legend"));
    setFixedSize(Px(2895), Px(3015));

    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twips::Rect(120, 120, 2655, 2775));

    QPalette darkBlue = palette();
    darkBlue.setColor(QPalette::WindowText, QColor(0, 0, 128));

    QList<QLabel *> labels;
    const char *const *texts = danish ? DanishLegend : EnglishLegend;
    for (int i = 0; i < 7; ++i) {
        auto *label = new QLabel(QString::fromUtf8(texts[i]), frame);
        label->setObjectName(QString::fromLatin1(LabelNames[i]));
        label->setPalette(darkBlue);
        label->setGeometry(twips::Rect(240, 240 + 360 * i, 2655 - 240 - 60, 255));
        labels.append(label);
    }
    auxwin::FitLabelFonts(labels);

    // Beside the main window rather than over it; kept on a small screen all the same.
    QRect place(QPoint(Px(10005), Px(3000)), size());
    if (const QScreen *s = screen()) {
        const QRect avail = s->availableGeometry();
        place.moveRight(qMin(place.right(), avail.right()));
        place.moveBottom(qMin(place.bottom(), avail.bottom()));
        place.moveLeft(qMax(place.left(), avail.left()));
        place.moveTop(qMax(place.top(), avail.top()));
    }
    move(place.topLeft());
}
