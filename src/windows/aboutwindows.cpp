#include "windows/aboutwindows.h"

#include "widgets/linklabel.h"
#include "widgets/makerinfo.h"
#include "widgets/svgpicture.h"
#include "widgets/twips.h"
#include "platform/program.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using twips::Px;

namespace {

constexpr Qt::WindowFlags FixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;

QLabel *AddLabel(QWidget *parent, const char *name, const QString &text, const QRect &place,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(align);
    return label;
}

// A grey line with a white one under it, the etched look of a divider.
void AddEtchedLine(QWidget *parent, int x1, int x2, int y)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(Px(x1), Px(y), Px(x2 - x1), 2);
}

QPushButton *AddOkButton(QDialog *dialog, const QRect &place)
{
    auto *ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setGeometry(place);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}

} // namespace

OmForm::OmForm(QWidget *parent) : QDialog(parent, FixedDialogFlags)
{
    setObjectName(QStringLiteral("OmForm"));
    setWindowTitle(QStringLiteral("KOVRIN Zarir adu Rezi"));
    setFixedSize(Px(3615), Px(2295));

    QList<QLabel *> labels;
    labels << AddLabel(this, "Label1", VersionText(), twips::Rect(360, 120, 2775, 255),
                       Qt::AlignCenter);
    AddEtchedLine(this, 120, 3480, 720);
    auto *picture = new SvgPicture(QStringLiteral(":/resources/omform.svg"), this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(twips::Rect(1200, 840, 1200, 375));
    AddEtchedLine(this, 120, 3480, 1320);
    labels << AddLabel(this, "Label4", QStringLiteral("10-2000 - 12-2002"),
                       twips::Rect(120, 1440, 3375, 255), Qt::AlignCenter);
    auxwin::FitLabelFonts(labels);
    AddOkButton(this, twips::Rect(2760, 1800, 735, 375))->setFocus();
}

QString OmForm::VersionText()
{
    const platform::Version v = platform::programVersion();
    return QStringLiteral("Program Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision);
}

namespace {

struct AboutMakerTexts
{
    const char *objectName;
    const char *caption;
    const char *description;
    const char *productsHeading;
    const char *products[5];
    const char *europeHeading;
    int height;   // client height, twips
    int officesY; // top of the two office frames, twips
};

const AboutMakerTexts DanishAbout{
    "OmKovrinForm",
    "Om KOVRIN Integration",
    "Udvikling og salg af  CNC software til danske og udenlandske firmaer.",
    "Vores programmer :",
    {
        "KOVRIN DNC-Link : overfører NC-programmer mellem pc og CNC-maskine.",
        "KOVRIN DNC Server : styrer programoverførsel til op til 32 maskiner.",
        "KOVRIN NC-Editor : NC-editor med backplot og sammenligning af programmer.",
        "KOVRIN Værktøjsbase : værktøjsdatabase med skæredata og opspændinger.",
        "Zarir adu Rezi : skæredata for fræsere, bor og gevindtappe.",
    },
    maker::EuropeHeadingDanish,
    6840,
    4080,
};

const AboutMakerTexts EnglishAbout{
    "UKOmKovrinForm",
    "About KOVRIN Integration",
    "Development and sale of software for job shops and the toolmaking  industry worldwide.",
    "Our software :",
    {
        "KOVRIN DNC-Link : sends NC programs between PC and CNC machine.",
        "KOVRIN DNC Server : runs program transfer for up to 32 machines.",
        "KOVRIN NC-Editor : NC editor with backplot and program compare.",
        "KOVRIN Tool Base : tool database with cutting data and set-ups.",
        "Zarir adu Rezi : speeds and feeds for mills, drills and thread taps.",
    },
    maker::Europe.heading,
    5880,
    3240,
};

// One office: address, telephone line, web link and mail link in a frame titled by region.
QList<QLabel *> AddOffice(QWidget *parent, const char *frameName, const QString &heading,
                          const maker::Office &office, const QRect &place,
                          const char *const names[4])
{
    auto *frame = new QGroupBox(heading, parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    frame->setGeometry(place);
    const int w = frame->width() - 2 * Px(120);

    QList<QLabel *> labels;
    // A postal address may need two lines in a frame half the window wide.
    QLabel *address = AddLabel(frame, names[0], QString::fromUtf8(office.address),
                               QRect(Px(120), Px(300), w, Px(480)), Qt::AlignCenter);
    address->setWordWrap(true);
    labels << address;
    labels << AddLabel(frame, names[1], QString::fromUtf8(office.phone),
                       QRect(Px(120), Px(840), w, Px(255)), Qt::AlignCenter);

    auto *web =
        new LinkLabel(QString::fromUtf8(office.web), QUrl(QString::fromUtf8(office.webUrl)), frame);
    web->setObjectName(QString::fromLatin1(names[2]));
    web->setAlignment(Qt::AlignCenter);
    web->setGeometry(Px(120), Px(1140), w, Px(255));
    auto *mail =
        new LinkLabel(QString::fromUtf8(office.mail), QUrl(maker::MailUrl(office.mail)), frame);
    mail->setObjectName(QString::fromLatin1(names[3]));
    mail->setAlignment(Qt::AlignCenter);
    mail->setGeometry(Px(120), Px(1410), w, Px(255));
    labels << web << mail;
    return labels;
}

} // namespace

AboutMakerWindow::AboutMakerWindow(Language language, QWidget *parent)
    : QDialog(parent, FixedDialogFlags), m_language(language)
{
    const AboutMakerTexts &t = language == Language::Danish ? DanishAbout : EnglishAbout;
    setObjectName(QString::fromLatin1(t.objectName));
    setWindowTitle(QString::fromUtf8(t.caption));
    setFixedSize(Px(8310), Px(t.height));

    const int inner = 8310 - 2 * 120; // width of a full line, twips
    auto *logo = new SvgPicture(QStringLiteral(":/resources/kovrin.svg"), this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setGeometry(twips::Rect(120, 120, 2400, 720));

    QList<QLabel *> labels;
    labels << AddLabel(this, "Label4", QString::fromUtf8(t.description),
                       twips::Rect(120, 960, inner, 255));
    QLabel *heading = AddLabel(this, "Label5", QString::fromUtf8(t.productsHeading),
                               twips::Rect(120, 1380, inner, 255));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    labels << heading;
    static const char *const productNames[5] = {"Label6", "Label7", "Label8", "Label9", "Label10"};
    for (int i = 0; i < 5; ++i)
        labels << AddLabel(this, productNames[i], QString::fromUtf8(t.products[i]),
                           twips::Rect(240, 1650 + 270 * i, inner - 120, 255));

    if (language == Language::Danish) {
        auto *resold = AddLabel(this, "Label16",
                                QStringLiteral("KOVRIN Integration forhandler desuden CAMtegn, et "
                                               "CAD/CAM-system til 2D- og 3D-fræsning og "
                                               "drejning, i Danmark. Læs mere om CAMtegn på :"),
                                twips::Rect(120, 3120, inner, 510), Qt::AlignLeft | Qt::AlignTop);
        resold->setWordWrap(true);
        auto *link = new LinkLabel(QString::fromUtf8(maker::ResoldProductWeb),
                                   QUrl(QString::fromUtf8(maker::ResoldProductUrl)), this);
        link->setObjectName(QStringLiteral("Label3"));
        link->setGeometry(twips::Rect(120, 3660, 3000, 255));
        labels << resold << link;
    }

    const int officeW = (inner - 120) / 2;
    static const char *const europeNames[2][4] = {{"Label11", "Label12", "Label1", "Label2"},
                                                  {"Label11", "Label12", "Label1", "Label13"}};
    static const char *const usaNames[4] = {"Label14", "Label15", "Label24", "Label23"};
    // The two offices share one font size, the rest of the window another: a long address
    // should not shrink the product list.
    auxwin::FitLabelFonts(labels);
    QList<QLabel *> offices;
    offices << AddOffice(this, "Frame1", QString::fromUtf8(t.europeHeading), maker::Europe,
                         twips::Rect(120, t.officesY, officeW, 1800),
                         europeNames[language == Language::Danish ? 0 : 1]);
    offices << AddOffice(this, "Frame2", QString::fromUtf8(maker::America.heading), maker::America,
                         twips::Rect(120 + officeW + 120, t.officesY, officeW, 1800), usaNames);
    auxwin::FitLabelFonts(offices);

    AddOkButton(this, twips::Rect(6720, t.height - 480, 1455, 345))->setFocus();
}
