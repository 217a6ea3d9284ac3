// SPDX-License-Identifier: MIT
#include "appwindows/aboutwindows.h"

#include "platform/program.h"
#include "texts/makercontacts.h"
#include "texts/textcatalogue.h"
#include "widgets/fontfitting.h"
#include "widgets/formgrowth.h"
#include "widgets/labelfactory.h"
#include "widgets/linklabel.h"
#include "widgets/officeblock.h"
#include "widgets/svgpicture.h"
#include "widgets/twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

using calc::Language;
using texts::AboutMakerTexts;
using texts::catalogue;
using texts::sharedTexts;
using texts::TextCatalogue;
using widgets::LinkLabel;
using widgets::SvgPicture;

namespace appwindows {
using widgets::makeLabel;
using widgets::twipsRect;
using widgets::twipsToPixels;

namespace {

constexpr Qt::WindowFlags FixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

// A grey line with a white one under it, the etched look of a divider.
void addEtchedLine(QWidget *parent, int x1, int x2, int y)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twipsToPixels(x1), twipsToPixels(y), twipsToPixels(x2 - x1), 2);
}

QPushButton *addOkButton(QDialog *dialog, const QRect &place)
{
    auto *ok = new QPushButton(sharedTexts().okButton, dialog);
    ok->setObjectName(u"OK"_s);
    ok->setGeometry(place);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

} // namespace

AboutProgramWindow::AboutProgramWindow(QWidget *parent) : QDialog(parent, FixedDialogFlags)
{
    setObjectName(u"OmForm"_s);
    setWindowTitle(sharedTexts().programTitle);
    setFixedSize(twipsToPixels(3615), twipsToPixels(2295));

    QLabel *version = makeLabel(this, u"Label1"_s, twipsRect(360, 120, 2775, 255), Qt::AlignCenter,
                                versionText());
    addEtchedLine(this, 120, 3480, 720);
    auto *picture = new SvgPicture(u"omform"_s, this);
    picture->setObjectName(u"Image1"_s);
    picture->setGeometry(twipsRect(1200, 840, 1200, 375));
    picture->setAccessibleName(sharedTexts().makerMark);
    addEtchedLine(this, 120, 3480, 1320);
    QLabel *dates = makeLabel(this, u"Label4"_s, twipsRect(120, 1440, 3375, 255), Qt::AlignCenter,
                              sharedTexts().versionDates);
    addOkButton(this, twipsRect(2760, 1800, 735, 375))->setFocus();
    widgets::growWithFont(this, [version, dates] { widgets::fitFonts({version, dates}); });
}

QString AboutProgramWindow::versionText()
{
    const platform::Version v = platform::programVersion();
    return sharedTexts().versionLine.arg(v.major).arg(v.minor).arg(v.revision);
}

namespace {

constexpr int AboutMakerWidth = 8310;
constexpr int LineWidth = AboutMakerWidth - 2 * 120; // a full line, twips
constexpr int OfficeWidth = (LineWidth - 120) / 2;

// The description, the products heading in bold and the product list.
QList<QWidget *> addProducts(QWidget *window, const AboutMakerTexts &texts)
{
    QList<QWidget *> labels;
    labels << makeLabel(window, u"Label4"_s, twipsRect(120, 960, LineWidth, 255),
                        widgets::LeftAligned, texts.description);
    QLabel *heading = makeLabel(window, u"Label5"_s, twipsRect(120, 1380, LineWidth, 255),
                                widgets::LeftAligned, texts.productsHeading);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    labels << heading;
    const QString names[] = {u"Label6"_s, u"Label7"_s, u"Label8"_s, u"Label9"_s, u"Label10"_s};
    for (std::size_t i = 0; i < texts.products.size(); ++i)
        labels << makeLabel(window, names[i],
                            twipsRect(240, 1650 + 270 * int(i), LineWidth - 120, 255),
                            widgets::LeftAligned, texts.products[i]);
    return labels;
}

// The paragraph on the product the maker resells, with its link.
QList<QWidget *> addResoldProduct(QWidget *window, const QString &paragraph)
{
    QLabel *text = makeLabel(window, u"Label16"_s, twipsRect(120, 3120, LineWidth, 510),
                             Qt::AlignLeft | Qt::AlignTop, paragraph);
    text->setWordWrap(true);
    auto *link = new LinkLabel(QString::fromUtf8(texts::ResoldProductWeb),
                               QUrl(QString::fromUtf8(texts::ResoldProductUrl)), window);
    link->setObjectName(u"Label3"_s);
    link->setGeometry(twipsRect(120, 3660, 3000, 255));
    return {text, link};
}

// An office in a frame half the window wide: the address may need two lines.
QList<QWidget *> addOffice(QWidget *window, const QString &frameName, const QString &title,
                           const texts::Office &office, int left, int top,
                           const QStringList &lineNames)
{
    QGroupBox *frame =
        widgets::makeFrame(window, frameName, twipsRect(left, top, OfficeWidth, 1800), title);
    const int x = twipsToPixels(120);
    const int w = frame->width() - 2 * x;
    const widgets::OfficeLayout layout{
        {lineNames[0], QRect(x, twipsToPixels(300), w, twipsToPixels(480))},
        {lineNames[1], QRect(x, twipsToPixels(840), w, twipsToPixels(255))},
        {lineNames[2], QRect(x, twipsToPixels(1140), w, twipsToPixels(255))},
        {lineNames[3], QRect(x, twipsToPixels(1410), w, twipsToPixels(255))},
        true};
    return widgets::addOfficeBlock(frame, office, layout);
}

} // namespace

AboutMakerWindow::AboutMakerWindow(Language language, QWidget *parent)
    : QDialog(parent, FixedDialogFlags), m_language(language)
{
    const TextCatalogue &texts = catalogue(language);
    const AboutMakerTexts &about = texts.aboutMaker;
    // The resold product's paragraph and link push the offices down.
    const bool resold = !about.resoldProduct.isEmpty();
    const int officesTop = resold ? 4080 : 3240;
    const int height = resold ? 6840 : 5880;
    setObjectName(language == Language::Danish ? u"OmKovrinForm"_s : u"UKOmKovrinForm"_s);
    setWindowTitle(about.windowTitle);
    setFixedSize(twipsToPixels(AboutMakerWidth), twipsToPixels(height));

    auto *logo = new SvgPicture(u"kovrin"_s, this);
    logo->setObjectName(u"Image1"_s);
    logo->setGeometry(twipsRect(120, 120, 2400, 720));
    logo->setInk(QColor(30, 30, 30)); // the wordmark's letters
    logo->setAccessibleName(sharedTexts().makerMark);

    // The two offices share one font size, the rest of the window another: a long address
    // should not shrink the product list.
    QList<QWidget *> labels = addProducts(this, about);
    if (resold)
        labels << addResoldProduct(this, about.resoldProduct);
    // The Europe office's mail link has a name of its own in each language.
    const QString europeMail = language == Language::Danish ? u"Label2"_s : u"Label13"_s;
    QList<QWidget *> offices =
        addOffice(this, u"Frame1"_s, texts.maker.europeTitle, texts::EuropeOffice, 120, officesTop,
                  {u"Label11"_s, u"Label12"_s, u"Label1"_s, europeMail});
    offices << addOffice(this, u"Frame2"_s, texts.maker.americaTitle, texts::AmericaOffice,
                         120 + OfficeWidth + 120, officesTop,
                         {u"Label14"_s, u"Label15"_s, u"Label24"_s, u"Label23"_s});
    addOkButton(this, twipsRect(6720, height - 480, 1455, 345))->setFocus();

    widgets::growWithFont(
        this,
        [labels, offices] {
            widgets::fitFonts(labels);
            widgets::fitFonts(offices);
        },
        texts.screenTooSmallText);
}

} // namespace appwindows
