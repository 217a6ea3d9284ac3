// The controls of the main window, their places (in twips), menus and texts.

#include "mainwindow/entryfield.h"
#include "mainwindow/linklabel.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/makerinfo.h"
#include "mainwindow/svgpicture.h"
#include "mainwindow/twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPainter>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <algorithm>

using namespace Qt::StringLiterals;
using twips::Px;
using twips::Rect;

namespace {

constexpr int ClientWidth = 6855;
constexpr int MinimumPointSize = 6;

// The etched double lines that frame the tool band.
class EtchedLines : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor grey(128, 128, 128);
        painter.fillRect(0, 0, width(), 1, grey);
        painter.fillRect(0, 1, width(), 2, Qt::white);
        const int lower = Px(480);
        painter.fillRect(0, lower, width(), 1, grey);
        painter.fillRect(0, lower + 1, width(), 2, Qt::white);
    }
};

// A label without caption, drawn as a box with a single line around it.
QFrame *MakeBox(QWidget *parent, const QString &name, const QRect &place)
{
    auto *box = new QFrame(parent);
    box->setObjectName(name);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setLineWidth(1);
    box->setAutoFillBackground(true);
    box->setGeometry(place);
    return box;
}

QLabel *MakeLabel(QWidget *parent, const QString &name, const QRect &place,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setAlignment(alignment);
    return label;
}

QGroupBox *MakeFrame(QWidget *parent, const QString &name, const QRect &place)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(name);
    frame->setGeometry(place);
    frame->setAutoFillBackground(true);
    return frame;
}

// The width a text may take in the widget: a radio button's indicator takes its own share.
int TextRoom(const QWidget *widget)
{
    if (qobject_cast<const QRadioButton *>(widget)) {
        const QStyle *style = widget->style();
        return widget->width() - style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) -
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) - 2;
    }
    return widget->width() - 2;
}

// The largest font, no larger than the widget's own, in which text fits the widget.
QFont FittingFont(const QWidget *widget, const QString &text)
{
    QFont font = widget->parentWidget() ? widget->parentWidget()->font() : widget->font();
    font.setBold(widget->font().bold());
    font.setUnderline(widget->font().underline());
    const auto *label = qobject_cast<const QLabel *>(widget);
    const bool wrap = label && label->wordWrap();
    const int room = TextRoom(widget);
    auto fits = [&](const QFont &f) {
        const QFontMetrics metrics(f);
        if (!wrap)
            return metrics.horizontalAdvance(text) <= room;
        const QRect needed = metrics.boundingRect(QRect(0, 0, room, 10000),
                                                  Qt::TextWordWrap | Qt::AlignCenter, text);
        return needed.height() <= widget->height();
    };
    qreal size = font.pointSizeF();
    while (size > MinimumPointSize && !fits(font)) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}

// The window's size is fixed, and the user's desktop font may be larger than the one the
// window was drawn for: a caption that does not fit takes a smaller font rather than losing
// its end.
void FitText(QWidget *widget, const QString &text)
{
    widget->setFont(FittingFont(widget, text));
}

QString TextOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}

// The same, with one size for a group of captions, so that the rows look alike.
void FitTexts(const QList<QWidget *> &widgets)
{
    qreal size = 1000;
    for (const QWidget *widget : widgets)
        size = std::min(size, FittingFont(widget, TextOf(widget)).pointSizeF());
    for (QWidget *widget : widgets) {
        QFont font = FittingFont(widget, TextOf(widget));
        font.setPointSizeF(size);
        widget->setFont(font);
    }
}

} // namespace

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setFixedSize(Px(ClientWidth), Px(m_texts.clientHeight));
    setCentralWidget(client);

    // Band 1: the tool picture and the three tool-mode options.
    auto *etched = new EtchedLines(client);
    etched->setGeometry(0, 0, Px(6840), Px(480) + 3);
    FræserBillede = new SvgPicture(u":/resources/endmill.svg"_s, client);
    FræserBillede->setObjectName(u"FræserBillede"_s);
    FræserBillede->setGeometry(Px(240), Px(55), 144, 26);
    BorBillede = new SvgPicture(u":/resources/drill.svg"_s, client);
    BorBillede->setObjectName(u"BorBillede"_s);
    BorBillede->setGeometry(Px(240), Px(55), 146, 27);
    GevindBillede = new SvgPicture(u":/resources/tap.svg"_s, client);
    GevindBillede->setObjectName(u"GevindBillede"_s);
    GevindBillede->setGeometry(Px(240), Px(55), 142, 26);
    BorBillede->hide();
    GevindBillede->hide();

    auto makeModeOption = [client](const QString &name, int x) {
        auto *option = new QRadioButton(client);
        option->setObjectName(name);
        option->setGeometry(Rect(x, 120, 1335, 320));
        return option;
    };
    FræsereValg = makeModeOption(u"FræsereValg"_s, 2640);
    BorValg = makeModeOption(u"BorValg"_s, 3960);
    GevindtappeValg = makeModeOption(u"GevindtappeValg"_s, 5280);
    // A group of their own: left to auto-exclusion, the three would count the pitch options
    // further down the window as members too, and a click on the selected mode option would
    // then clear it whenever a pitch option is set, leaving no mode selected at all.
    auto *modeGroup = new QButtonGroup(this);
    for (QRadioButton *option : {FræsereValg, BorValg, GevindtappeValg})
        modeGroup->addButton(option);
    FræsereValg->setChecked(true);

    // Band 2: the machining scene, and over its right part the box with the two frames.
    Image3 = new SvgPicture(u":/resources/scene.svg"_s, client);
    Image3->setObjectName(u"Image3"_s);
    Image3->setGeometry(Px(120), Px(600), 442, 234);
    MakeBox(client, u"Label4"_s, Rect(2640, 720, 3975, 3255));

    Frame5 = MakeFrame(client, u"Frame5"_s, Rect(2760, 840, 3735, 1695));
    auto makeCaption = [](QWidget *frame, const QString &name, int y) {
        return MakeLabel(frame, name, Rect(120, y, 2235, 255));
    };
    auto makeField = [this](QWidget *frame, const QString &name, int y) {
        auto *entry = new EntryField(EntryField::Kind::Entry, frame);
        entry->setObjectName(name);
        entry->setGeometry(Rect(2400, y, 1215, 285));
        entry->setDecimalIsPeriod([this] { return m_values.decimalIsPeriod; });
        return entry;
    };
    Label1 = makeCaption(Frame5, u"Label1"_s, 240);
    Label6 = makeCaption(Frame5, u"Label6"_s, 600);
    Label9 = makeCaption(Frame5, u"Label9"_s, 600);
    Label5 = makeCaption(Frame5, u"Label5"_s, 960);
    Label14 = makeCaption(Frame5, u"Label14"_s, 960);
    Label3 = makeCaption(Frame5, u"Label3"_s, 1320);
    // The pitch options stand over the pitch captions and hide them while shown. They take
    // the caption row's full height: the toolkit's option circle alone is taller than 195
    // twips, and a lower button would cut it and the caption's descenders.
    auto makePitchOption = [](QWidget *frame, const QString &name, int y) {
        auto *option = new QRadioButton(frame);
        option->setObjectName(name);
        option->setGeometry(Rect(95, y, 2175, 255));
        option->hide();
        return option;
    };
    PmmOption = makePitchOption(Frame5, u"PmmOption"_s, 600);
    PtommeOption = makePitchOption(Frame5, u"PtommeOption"_s, 960);
    DiameterSkærText = makeField(Frame5, u"DiameterSkærText"_s, 240);
    AntalSkærText = makeField(Frame5, u"AntalSkærText"_s, 600);
    StigningText = makeField(Frame5, u"StigningText"_s, 600);
    TilspændingTandText = makeField(Frame5, u"TilspændingTandText"_s, 960);
    StigningTextTomme = makeField(Frame5, u"StigningTextTomme"_s, 960);
    SkærehastighedText = makeField(Frame5, u"SkærehastighedText"_s, 1320);

    Frame2 = MakeFrame(client, u"Frame2"_s, Rect(2760, 2760, 3735, 975));
    Label2 = makeCaption(Frame2, u"Label2"_s, 240);
    Label8 = makeCaption(Frame2, u"Label8"_s, 600);
    OmdrejningerText = makeField(Frame2, u"OmdrejningerText"_s, 240);
    TilspændingOmdrText = makeField(Frame2, u"TilspændingOmdrText"_s, 600);
    TilspændingOmdrText->setText(u"0"_s);

    // Band 3: the CNC line with the decimals and units it was made with.
    MakeBox(client, u"Label7"_s, Rect(2640, 4200, 3975, 735));
    Label11 = MakeLabel(client, u"Label11"_s, Rect(2760, 4320, m_texts.resultLabelWidth, 255));
    DecimalLabel = MakeLabel(client, u"DecimalLabel"_s,
                             Rect(4080, 4320, m_texts.resultLabelWidth, 255), Qt::AlignCenter);
    EnhederLabel =
        MakeLabel(client, u"EnhederLabel"_s, Rect(5640, 4320, 855, 255), Qt::AlignCenter);
    QPalette unitsPalette = EnhederLabel->palette();
    unitsPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    EnhederLabel->setPalette(unitsPalette);
    CNCResultatText = new EntryField(EntryField::Kind::Result, client);
    CNCResultatText->setObjectName(u"CNCResultatText"_s);
    CNCResultatText->setGeometry(Rect(2760, 4560, 3735, 285));
    QPalette resultPalette = CNCResultatText->palette();
    resultPalette.setColor(QPalette::Base, QColor(224, 224, 224));
    CNCResultatText->setPalette(resultPalette);

    // Band 4: what the maker does.
    makerLine = MakeLabel(client, u"Label12"_s, Rect(120, 5040, 6615, m_texts.makerLineHeight),
                          Qt::AlignCenter);
    QFont bold = makerLine->font();
    bold.setBold(true);
    makerLine->setFont(bold);
    makerLine->setWordWrap(m_texts.makerLineHeight > 255);

    // Band 5: the maker's two offices.
    const int top = m_texts.contactTop;
    europeFrame = MakeFrame(client, u"Frame3"_s, Rect(120, top, 6615, 855));
    americaFrame = MakeFrame(client, u"Frame4"_s, Rect(120, top + 975, 6615, 1215));
    // One font size for both offices, so neither block looks smaller than the other.
    QList<QWidget *> contactLines;
    auto addOffice = [this, &contactLines](QGroupBox *frame, const maker::Office &office,
                                           const QString &addressName, const QString &phoneName,
                                           const QString &webName, const QString &mailName,
                                           int firstRow) {
        const QString address = QString::fromUtf8(office.address);
        const QString phone = QString::fromUtf8(office.phone);
        auto *addressLabel =
            MakeLabel(frame, addressName, Rect(120, firstRow, 6375, 240), Qt::AlignCenter);
        addressLabel->setText(address);
        QRect phonePlace = Rect(120, firstRow + 240, 6375, 240);
        int linkRow = firstRow + 480;
        if (frame == europeFrame) {
            // The smaller frame puts the telephone and the links on one line.
            phonePlace = Rect(120, firstRow + 240, 3135, 240);
            linkRow = firstRow + 240;
        }
        auto *phoneLabel = MakeLabel(frame, phoneName, phonePlace, Qt::AlignCenter);
        phoneLabel->setText(phone);
        const int linkLeft = frame == europeFrame ? 3255 : 120;
        const int linkWidth = (6495 - linkLeft) / 2;
        auto *web = new LinkLabel(QString::fromUtf8(office.web),
                                  QUrl(QString::fromUtf8(office.webUrl)), frame);
        web->setObjectName(webName);
        web->setGeometry(Rect(linkLeft, linkRow, linkWidth, 240));
        web->setAlignment(Qt::AlignCenter);
        auto *mail =
            new LinkLabel(QString::fromUtf8(office.mail), QUrl(maker::MailUrl(office.mail)), frame);
        mail->setObjectName(mailName);
        mail->setGeometry(Rect(linkLeft + linkWidth, linkRow, linkWidth, 240));
        mail->setAlignment(Qt::AlignCenter);
        contactLines << addressLabel << phoneLabel << web << mail;
    };
    addOffice(europeFrame, maker::Europe, u"Label17"_s, u"Label18"_s, m_texts.maker.europeWebName,
              m_texts.maker.europeMailName, 210);
    addOffice(americaFrame, maker::America, u"Label19"_s, u"Label20"_s,
              m_texts.maker.americaWebName, m_texts.maker.americaMailName, 240);
    FitTexts(contactLines);

    // The pitch options stand above the captions they cover; those are not drawn meanwhile.
    PmmOption->raise();
    PtommeOption->raise();
    Label9->installEventFilter(this);
    Label14->installEventFilter(this);
}

void MainWindow::buildMenus()
{
    QMenuBar *bar = menuBar();
    auto addMenu = [bar](const QString &name) {
        QMenu *menu = bar->addMenu(QString());
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto addItem = [](QMenu *menu, const QString &name) {
        QAction *action = menu->addAction(QString());
        action->setObjectName(name);
        return action;
    };

    ctlFiler = addMenu(u"ctlFiler"_s);
    ctlPrint = addItem(ctlFiler, u"ctlPrint"_s);
    ctlPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ctlAfslut = addItem(ctlFiler, u"ctlAfslut"_s);

    ctlEdit = addMenu(u"ctlEdit"_s);
    ctlKopier = addItem(ctlEdit, u"ctlKopier"_s);
    ctlKopier->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    ctlSætInd = addItem(ctlEdit, u"ctlSætInd"_s);
    ctlSætInd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    ctlStreg = ctlEdit->addSeparator();
    ctlStreg->setObjectName(u"ctlStreg"_s);
    ctlEditSignaturforklaring = addItem(ctlEdit, u"ctlEditSignaturforklaring"_s);

    ctlDecimaler = addMenu(u"ctlDecimaler"_s);
    for (int index = 0; index < int(ctlDecimalValg.size()); ++index) {
        QAction *item = addItem(ctlDecimaler, u"ctlDecimalValg"_s + QString::number(index));
        item->setCheckable(true);
        item->setProperty("index", index);
        ctlDecimalValg[index] = item;
    }

    ctlEnheder = addMenu(u"ctlEnheder"_s);
    ctlMetrisk = addItem(ctlEnheder, u"ctlMetrisk"_s);
    ctlMetrisk->setCheckable(true);
    ctlTommer = addItem(ctlEnheder, u"ctlTommer"_s);
    ctlTommer->setCheckable(true);
    // The design state; the load sets both from the working values.
    (m_texts.language == Language::Danish ? ctlMetrisk : ctlTommer)->setChecked(true);

    languageMenu = addMenu(m_texts.languageMenuName);
    languageItem = addItem(languageMenu, m_texts.languageItemName);

    ctlInfo = addMenu(u"ctlInfo"_s);
    ctlSignaturforklaring = addItem(ctlInfo, u"ctlSignaturforklaring"_s);
    ctlSignaturforklaring->setShortcut(QKeySequence(Qt::Key_F1));
    ctlSignaturforklaring->setEnabled(false);
    ctlOmKovrin = addItem(ctlInfo, u"ctlOmKovrin"_s);
    ctlOm = addItem(ctlInfo, u"ctlOm"_s);

    legendShortcut = new QShortcut(QKeySequence(Qt::Key_F1), this);
    legendShortcut->setObjectName(u"legendShortcut"_s);
    // Only one F1 may be live at a time, or neither would fire.
    connect(ctlSignaturforklaring, &QAction::enabledChanged, legendShortcut,
            [this](bool enabled) { legendShortcut->setEnabled(!enabled); });
}

void MainWindow::setTexts()
{
    const TextCatalogue &t = m_texts;
    setWindowTitle(t.caption);

    FræsereValg->setText(t.FræsereValg);
    BorValg->setText(t.BorValg);
    GevindtappeValg->setText(t.GevindtappeValg);
    FitTexts({FræsereValg, BorValg, GevindtappeValg});
    Frame5->setTitle(t.Frame5);
    Frame2->setTitle(t.Frame2);
    PmmOption->setText(t.PmmOption);
    PtommeOption->setText(t.PtommeOption);
    FitTexts({PmmOption, PtommeOption});
    DiameterSkærText->setToolTip(t.diameterToolTip);
    setCaption(Label11, t.Label11);
    setCaption(DecimalLabel, t.DecimalLabel);
    applyUnitCaptions(t.design);
    setCaption(makerLine, t.maker.line);
    europeFrame->setTitle(t.maker.europeTitle);
    americaFrame->setTitle(t.maker.americaTitle);

    ctlFiler->setTitle(t.ctlFiler);
    ctlPrint->setText(t.ctlPrint);
    ctlAfslut->setText(t.ctlAfslut);
    ctlEdit->setTitle(t.ctlEdit);
    ctlKopier->setText(t.ctlKopier);
    ctlSætInd->setText(t.ctlSætInd);
    ctlEditSignaturforklaring->setText(t.ctlEditSignaturforklaring);
    ctlDecimaler->setTitle(t.ctlDecimaler);
    for (std::size_t index = 0; index < ctlDecimalValg.size(); ++index)
        ctlDecimalValg[index]->setText(t.ctlDecimalValg[index]);
    ctlEnheder->setTitle(t.ctlEnheder);
    ctlMetrisk->setText(t.ctlMetrisk);
    ctlTommer->setText(t.ctlTommer);
    languageMenu->setTitle(t.languageMenu);
    languageItem->setText(t.languageItem);
    ctlInfo->setTitle(t.ctlInfo);
    ctlSignaturforklaring->setText(t.ctlSignaturforklaring);
    ctlOmKovrin->setText(t.ctlOmKovrin);
    ctlOm->setText(t.ctlOm);
}

void MainWindow::setTabOrder()
{
    // The tool-mode options, then the fields row by row, the pitch options and the line.
    QWidget *const order[] = {
        FræsereValg,        BorValg,          GevindtappeValg,     DiameterSkærText,
        AntalSkærText,      StigningText,     TilspændingTandText, StigningTextTomme,
        SkærehastighedText, OmdrejningerText, TilspændingOmdrText, PmmOption,
        PtommeOption,       CNCResultatText};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    FitText(label, text);
}

bool MainWindow::coveredByPitchOption(const QObject *label) const
{
    return (label == Label9 && PmmOption->isVisible()) ||
           (label == Label14 && PtommeOption->isVisible());
}

void MainWindow::applyUnitCaptions(const UnitCaptions &captions)
{
    Label9->setText(captions.Label9);
    Label14->setText(captions.Label14);
    Label1->setText(captions.Label1);
    Label6->setText(captions.Label6);
    Label5->setText(captions.Label5);
    Label3->setText(captions.Label3);
    Label2->setText(captions.Label2);
    Label8->setText(captions.Label8);
    setCaption(EnhederLabel, captions.EnhederLabel);
    FitTexts({Label1, Label6, Label9, Label5, Label14, Label3, Label2, Label8});
}
