// The controls of the main window, their places (in twips), menus and texts.

#include "mainwindow/mainwindow.h"
#include "mainwindow/makerinfo.h"
#include "widgets/entryfield.h"
#include "widgets/linklabel.h"
#include "widgets/svgpicture.h"
#include "widgets/twips.h"

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
    m_millPicture = new SvgPicture(u":/resources/endmill.svg"_s, client);
    m_millPicture->setObjectName(u"FræserBillede"_s);
    m_millPicture->setGeometry(Px(240), Px(55), 144, 26);
    m_drillPicture = new SvgPicture(u":/resources/drill.svg"_s, client);
    m_drillPicture->setObjectName(u"BorBillede"_s);
    m_drillPicture->setGeometry(Px(240), Px(55), 146, 27);
    m_tapPicture = new SvgPicture(u":/resources/tap.svg"_s, client);
    m_tapPicture->setObjectName(u"GevindBillede"_s);
    m_tapPicture->setGeometry(Px(240), Px(55), 142, 26);
    m_drillPicture->hide();
    m_tapPicture->hide();

    auto makeModeOption = [client](const QString &name, int x) {
        auto *option = new QRadioButton(client);
        option->setObjectName(name);
        option->setGeometry(Rect(x, 120, 1335, 320));
        return option;
    };
    m_millOption = makeModeOption(u"FræsereValg"_s, 2640);
    m_drillOption = makeModeOption(u"BorValg"_s, 3960);
    m_tapOption = makeModeOption(u"GevindtappeValg"_s, 5280);
    // A group of their own: left to auto-exclusion, the three would count the pitch options
    // further down the window as members too, and a click on the selected mode option would
    // then clear it whenever a pitch option is set, leaving no mode selected at all.
    auto *modeGroup = new QButtonGroup(this);
    for (QRadioButton *option : {m_millOption, m_drillOption, m_tapOption})
        modeGroup->addButton(option);
    m_millOption->setChecked(true);

    // Band 2: the machining scene, and over its right part the box with the two frames.
    m_scenePicture = new SvgPicture(u":/resources/scene.svg"_s, client);
    m_scenePicture->setObjectName(u"Image3"_s);
    m_scenePicture->setGeometry(Px(120), Px(600), 442, 234);
    MakeBox(client, u"Label4"_s, Rect(2640, 720, 3975, 3255));

    m_toolFrame = MakeFrame(client, u"Frame5"_s, Rect(2760, 840, 3735, 1695));
    auto makeCaption = [](QWidget *frame, const QString &name, int y) {
        return MakeLabel(frame, name, Rect(120, y, 2235, 255));
    };
    auto makeField = [this](QWidget *frame, const QString &name, int y) {
        auto *entry = new EntryField(EntryField::Kind::Entry, frame);
        entry->setObjectName(name);
        entry->setGeometry(Rect(2400, y, 1215, 285));
        entry->setDecimalIsPeriod([this] { return m_session.values().decimalIsPeriod; });
        return entry;
    };
    m_diameterCaption = makeCaption(m_toolFrame, u"Label1"_s, 240);
    m_flutesCaption = makeCaption(m_toolFrame, u"Label6"_s, 600);
    m_pitchMmCaption = makeCaption(m_toolFrame, u"Label9"_s, 600);
    m_feedPerToothCaption = makeCaption(m_toolFrame, u"Label5"_s, 960);
    m_threadsPerInchCaption = makeCaption(m_toolFrame, u"Label14"_s, 960);
    m_cuttingSpeedCaption = makeCaption(m_toolFrame, u"Label3"_s, 1320);
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
    m_pitchMmOption = makePitchOption(m_toolFrame, u"PmmOption"_s, 600);
    m_threadsPerInchOption = makePitchOption(m_toolFrame, u"PtommeOption"_s, 960);
    m_diameterField = makeField(m_toolFrame, u"DiameterSkærText"_s, 240);
    m_flutesField = makeField(m_toolFrame, u"AntalSkærText"_s, 600);
    m_pitchMmField = makeField(m_toolFrame, u"StigningText"_s, 600);
    m_feedPerToothField = makeField(m_toolFrame, u"TilspændingTandText"_s, 960);
    m_threadsPerInchField = makeField(m_toolFrame, u"StigningTextTomme"_s, 960);
    m_cuttingSpeedField = makeField(m_toolFrame, u"SkærehastighedText"_s, 1320);

    m_resultFrame = MakeFrame(client, u"Frame2"_s, Rect(2760, 2760, 3735, 975));
    m_spindleSpeedCaption = makeCaption(m_resultFrame, u"Label2"_s, 240);
    m_feedRateCaption = makeCaption(m_resultFrame, u"Label8"_s, 600);
    m_spindleSpeedField = makeField(m_resultFrame, u"OmdrejningerText"_s, 240);
    m_feedRateField = makeField(m_resultFrame, u"TilspændingOmdrText"_s, 600);
    m_feedRateField->setText(u"0"_s);

    // Band 3: the CNC line with the decimals and units it was made with.
    MakeBox(client, u"Label7"_s, Rect(2640, 4200, 3975, 735));
    m_cncCaption = MakeLabel(client, u"Label11"_s, Rect(2760, 4320, m_texts.resultLabelWidth, 255));
    m_decimalsLabel = MakeLabel(client, u"DecimalLabel"_s,
                                Rect(4080, 4320, m_texts.resultLabelWidth, 255), Qt::AlignCenter);
    m_unitsLabel =
        MakeLabel(client, u"EnhederLabel"_s, Rect(5640, 4320, 855, 255), Qt::AlignCenter);
    QPalette unitsPalette = m_unitsLabel->palette();
    unitsPalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    m_unitsLabel->setPalette(unitsPalette);
    m_cncLineField = new EntryField(EntryField::Kind::Result, client);
    m_cncLineField->setObjectName(u"CNCResultatText"_s);
    m_cncLineField->setGeometry(Rect(2760, 4560, 3735, 285));
    QPalette resultPalette = m_cncLineField->palette();
    resultPalette.setColor(QPalette::Base, QColor(224, 224, 224));
    m_cncLineField->setPalette(resultPalette);

    // Band 4: what the maker does.
    m_makerLine = MakeLabel(client, u"Label12"_s, Rect(120, 5040, 6615, m_texts.makerLineHeight),
                            Qt::AlignCenter);
    QFont bold = m_makerLine->font();
    bold.setBold(true);
    m_makerLine->setFont(bold);
    m_makerLine->setWordWrap(m_texts.makerLineHeight > 255);

    // Band 5: the maker's two offices.
    const int top = m_texts.contactTop;
    m_europeFrame = MakeFrame(client, u"Frame3"_s, Rect(120, top, 6615, 855));
    m_americaFrame = MakeFrame(client, u"Frame4"_s, Rect(120, top + 975, 6615, 1215));
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
        if (frame == m_europeFrame) {
            // The smaller frame puts the telephone and the links on one line.
            phonePlace = Rect(120, firstRow + 240, 3135, 240);
            linkRow = firstRow + 240;
        }
        auto *phoneLabel = MakeLabel(frame, phoneName, phonePlace, Qt::AlignCenter);
        phoneLabel->setText(phone);
        const int linkLeft = frame == m_europeFrame ? 3255 : 120;
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
    addOffice(m_europeFrame, maker::Europe, u"Label17"_s, u"Label18"_s, m_texts.maker.europeWebName,
              m_texts.maker.europeMailName, 210);
    addOffice(m_americaFrame, maker::America, u"Label19"_s, u"Label20"_s,
              m_texts.maker.americaWebName, m_texts.maker.americaMailName, 240);
    FitTexts(contactLines);

    // The pitch options stand above the captions they cover; those are not drawn meanwhile.
    m_pitchMmOption->raise();
    m_threadsPerInchOption->raise();
    m_pitchMmCaption->installEventFilter(this);
    m_threadsPerInchCaption->installEventFilter(this);
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

    m_fileMenu = addMenu(u"ctlFiler"_s);
    m_printAction = addItem(m_fileMenu, u"ctlPrint"_s);
    m_printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_quitAction = addItem(m_fileMenu, u"ctlAfslut"_s);

    m_editMenu = addMenu(u"ctlEdit"_s);
    m_copyAction = addItem(m_editMenu, u"ctlKopier"_s);
    m_copyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_pasteAction = addItem(m_editMenu, u"ctlSætInd"_s);
    m_pasteAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    m_editSeparator = m_editMenu->addSeparator();
    m_editSeparator->setObjectName(u"ctlStreg"_s);
    m_editAboutMakerAction = addItem(m_editMenu, u"ctlEditSignaturforklaring"_s);

    m_decimalsMenu = addMenu(u"ctlDecimaler"_s);
    for (int index = 0; index < int(m_decimalActions.size()); ++index) {
        QAction *item = addItem(m_decimalsMenu, u"ctlDecimalValg"_s + QString::number(index));
        item->setCheckable(true);
        item->setProperty("index", index);
        m_decimalActions[index] = item;
    }

    m_unitsMenu = addMenu(u"ctlEnheder"_s);
    m_metricAction = addItem(m_unitsMenu, u"ctlMetrisk"_s);
    m_metricAction->setCheckable(true);
    m_inchAction = addItem(m_unitsMenu, u"ctlTommer"_s);
    m_inchAction->setCheckable(true);
    // The design state; the load sets both from the working values.
    (m_texts.language == Language::Danish ? m_metricAction : m_inchAction)->setChecked(true);

    m_languageMenu = addMenu(m_texts.languageMenuName);
    m_languageAction = addItem(m_languageMenu, m_texts.languageItemName);

    m_infoMenu = addMenu(u"ctlInfo"_s);
    m_legendAction = addItem(m_infoMenu, u"ctlSignaturforklaring"_s);
    m_legendAction->setShortcut(QKeySequence(Qt::Key_F1));
    m_legendAction->setEnabled(false);
    m_aboutMakerAction = addItem(m_infoMenu, u"ctlOmKovrin"_s);
    m_aboutProgramAction = addItem(m_infoMenu, u"ctlOm"_s);

    m_legendShortcut = new QShortcut(QKeySequence(Qt::Key_F1), this);
    m_legendShortcut->setObjectName(u"legendShortcut"_s);
    // Only one F1 may be live at a time, or neither would fire.
    connect(m_legendAction, &QAction::enabledChanged, m_legendShortcut,
            [this](bool enabled) { m_legendShortcut->setEnabled(!enabled); });
}

void MainWindow::setTexts()
{
    const TextCatalogue &t = m_texts;
    setWindowTitle(t.caption);

    m_millOption->setText(t.millOption);
    m_drillOption->setText(t.drillOption);
    m_tapOption->setText(t.tapOption);
    FitTexts({m_millOption, m_drillOption, m_tapOption});
    m_toolFrame->setTitle(t.toolFrame);
    m_resultFrame->setTitle(t.resultFrame);
    m_pitchMmOption->setText(t.pitchMmOption);
    m_threadsPerInchOption->setText(t.threadsPerInchOption);
    FitTexts({m_pitchMmOption, m_threadsPerInchOption});
    m_diameterField->setToolTip(t.diameterToolTip);
    setCaption(m_cncCaption, t.cncCaption);
    setCaption(m_decimalsLabel, t.decimalsLabel);
    applyUnitCaptions(t.design);
    setCaption(m_makerLine, t.maker.line);
    m_europeFrame->setTitle(t.maker.europeTitle);
    m_americaFrame->setTitle(t.maker.americaTitle);

    m_fileMenu->setTitle(t.fileMenu);
    m_printAction->setText(t.printAction);
    m_quitAction->setText(t.quitAction);
    m_editMenu->setTitle(t.editMenu);
    m_copyAction->setText(t.copyAction);
    m_pasteAction->setText(t.pasteAction);
    m_editAboutMakerAction->setText(t.editAboutMakerAction);
    m_decimalsMenu->setTitle(t.decimalsMenu);
    for (std::size_t index = 0; index < m_decimalActions.size(); ++index)
        m_decimalActions[index]->setText(t.decimalActions[index]);
    m_unitsMenu->setTitle(t.unitsMenu);
    m_metricAction->setText(t.metricAction);
    m_inchAction->setText(t.inchAction);
    m_languageMenu->setTitle(t.languageMenu);
    m_languageAction->setText(t.languageAction);
    m_infoMenu->setTitle(t.infoMenu);
    m_legendAction->setText(t.legendAction);
    m_aboutMakerAction->setText(t.aboutMakerAction);
    m_aboutProgramAction->setText(t.aboutProgramAction);
}

void MainWindow::setTabOrder()
{
    // The tool-mode options, then the fields row by row, the pitch options and the line.
    QWidget *const order[] = {m_millOption,           m_drillOption,         m_tapOption,
                              m_diameterField,        m_flutesField,         m_pitchMmField,
                              m_feedPerToothField,    m_threadsPerInchField, m_cuttingSpeedField,
                              m_spindleSpeedField,    m_feedRateField,       m_pitchMmOption,
                              m_threadsPerInchOption, m_cncLineField};
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
    return (label == m_pitchMmCaption && m_pitchMmOption->isVisible()) ||
           (label == m_threadsPerInchCaption && m_threadsPerInchOption->isVisible());
}

void MainWindow::applyUnitCaptions(const UnitCaptions &captions)
{
    m_pitchMmCaption->setText(captions.pitchMmCaption);
    m_threadsPerInchCaption->setText(captions.threadsPerInchCaption);
    m_diameterCaption->setText(captions.diameterCaption);
    m_flutesCaption->setText(captions.flutesCaption);
    m_feedPerToothCaption->setText(captions.feedPerToothCaption);
    m_cuttingSpeedCaption->setText(captions.cuttingSpeedCaption);
    m_spindleSpeedCaption->setText(captions.spindleSpeedCaption);
    m_feedRateCaption->setText(captions.feedRateCaption);
    setCaption(m_unitsLabel, captions.unitsLabel);
    FitTexts({m_diameterCaption, m_flutesCaption, m_pitchMmCaption, m_feedPerToothCaption,
              m_threadsPerInchCaption, m_cuttingSpeedCaption, m_spindleSpeedCaption,
              m_feedRateCaption});
}
