// SPDX-License-Identifier: MIT
// The controls of the main window and their places, in twips, band by band from the top.

#include "mainwindow/mainwindow.h"
#include "texts/makercontacts.h"
#include "widgets/entryfield.h"
#include "widgets/fontfitting.h"
#include "widgets/formgrowth.h"
#include "widgets/labelfactory.h"
#include "widgets/linklabel.h"
#include "widgets/officeblock.h"
#include "widgets/readablecolours.h"
#include "widgets/svgpicture.h"
#include "widgets/twips.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

using widgets::EntryField;
using widgets::SvgPicture;

namespace mainwindow {
using widgets::makeLabel;
using widgets::twipsRect;
using widgets::twipsToPixels;

namespace {

constexpr int ClientWidth = 6855;
constexpr int EtchedWidth = 6840;
constexpr int EtchedLowerLine = 480;

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
        const int lower = height() - 3; // the form may have grown with the font
        painter.fillRect(0, lower, width(), 1, grey);
        painter.fillRect(0, lower + 1, width(), 2, Qt::white);
    }
};

SvgPicture *makePicture(QWidget *parent, const QString &pictureName, const QString &objectName,
                        QSize size)
{
    auto *picture = new SvgPicture(pictureName, parent);
    picture->setObjectName(objectName);
    picture->setGeometry(QRect(QPoint(twipsToPixels(240), twipsToPixels(55)), size));
    return picture;
}

// Band 1: the tool picture and the three tool-mode options.
struct ToolBand
{
    SvgPicture *millPicture, *drillPicture, *tapPicture;
    QRadioButton *millOption, *drillOption, *tapOption;
};

ToolBand buildToolBand(QWidget *client, QObject *groupOwner)
{
    auto *etched = new EtchedLines(client);
    etched->setGeometry(0, 0, twipsToPixels(EtchedWidth), twipsToPixels(EtchedLowerLine) + 3);
    ToolBand band;
    band.millPicture = makePicture(client, u"endmill"_s, u"FræserBillede"_s, {144, 26});
    band.drillPicture = makePicture(client, u"drill"_s, u"BorBillede"_s, {146, 27});
    band.tapPicture = makePicture(client, u"tap"_s, u"GevindBillede"_s, {142, 26});
    band.drillPicture->hide();
    band.tapPicture->hide();

    auto makeModeOption = [client](const QString &name, int x) {
        auto *option = new QRadioButton(client);
        option->setObjectName(name);
        option->setGeometry(twipsRect(x, 120, 1335, 320));
        return option;
    };
    band.millOption = makeModeOption(u"FræsereValg"_s, 2640);
    band.drillOption = makeModeOption(u"BorValg"_s, 3960);
    band.tapOption = makeModeOption(u"GevindtappeValg"_s, 5280);
    // A group of their own: left to auto-exclusion, the three would count the pitch options
    // further down the window as members too, and a click on the selected mode option would
    // then clear it whenever a pitch option is set, leaving no mode selected at all.
    auto *modeGroup = new QButtonGroup(groupOwner);
    for (QRadioButton *option : {band.millOption, band.drillOption, band.tapOption})
        modeGroup->addButton(option);
    band.millOption->setChecked(true);
    return band;
}

// Band 2: the machining scene, and over its right part the box that holds the two frames.
SvgPicture *buildScene(QWidget *client)
{
    auto *scene = new SvgPicture(u"scene"_s, client);
    scene->setObjectName(u"Image3"_s);
    scene->setGeometry(twipsToPixels(120), twipsToPixels(600), 442, 234);
    widgets::makeBox(client, u"Label4"_s, twipsRect(2640, 720, 3975, 3255));
    return scene;
}

// objectNames of a field's entry and caption; the caption's text is the catalogue's.
struct FieldObjectNames
{
    const char16_t *entry;
    const char16_t *caption;
};

// The rows of the two frames of band 2: a caption at the left, a field at the right. The
// pitch rows share the rows of Z and Sz, which a tap does not show.
constexpr std::array<int, calc::FieldCount> RowTop{
    240,  // Diameter
    600,  // Flutes
    960,  // FeedPerTooth
    1320, // CuttingSpeed
    600,  // PitchMm
    960,  // ThreadsPerInch
    240,  // SpindleSpeed (results frame)
    600,  // FeedRate (results frame)
};

// clang-format off
constexpr std::array<FieldObjectNames, calc::FieldCount> FieldNames{{
    {u"DiameterSkærText",    u"Label1"},  // Diameter
    {u"AntalSkærText",       u"Label6"},  // Flutes
    {u"TilspændingTandText", u"Label5"},  // FeedPerTooth
    {u"SkærehastighedText",  u"Label3"},  // CuttingSpeed
    {u"StigningText",        u"Label9"},  // PitchMm
    {u"StigningTextTomme",   u"Label14"}, // ThreadsPerInch
    {u"OmdrejningerText",    u"Label2"},  // SpindleSpeed
    {u"TilspændingOmdrText", u"Label8"},  // FeedRate
}};
// clang-format on

QLabel *makeRowCaption(QWidget *frame, const QString &name, int y)
{
    return makeLabel(frame, name, twipsRect(120, y, 2235, 255));
}

// The two frames of band 2 with every field's caption and entry, and the pitch options.
struct FieldFrames
{
    QGroupBox *toolFrame, *resultFrame;
    std::array<QLabel *, calc::FieldCount> captions;
    std::array<EntryField *, calc::FieldCount> fields;
    QRadioButton *pitchMmOption, *threadsPerInchOption;
};

// The fields read the decimal separator in use from the session at each key.
FieldFrames buildFieldFrames(QWidget *client, const session::Session &session)
{
    FieldFrames f;
    f.toolFrame = widgets::makeFrame(client, u"Frame5"_s, twipsRect(2760, 840, 3735, 1695));
    f.resultFrame = widgets::makeFrame(client, u"Frame2"_s, twipsRect(2760, 2760, 3735, 975));
    const auto frameOf = [&f](Field which) {
        return calc::info(which).result ? f.resultFrame : f.toolFrame;
    };
    for (const calc::FieldInfo &info : calc::FieldTable)
        f.captions[std::size_t(info.field)] = makeRowCaption(
            frameOf(info.field), QString::fromUtf16(FieldNames[std::size_t(info.field)].caption),
            RowTop[std::size_t(info.field)]);
    // The pitch options stand over the pitch captions and hide them while shown. They take
    // the caption row's full height: the toolkit's option circle alone is taller than 195
    // twips, and a lower button would cut it and the caption's descenders.
    auto makePitchOption = [&f](const QString &name, Field pitch) {
        auto *option = new QRadioButton(f.toolFrame);
        option->setObjectName(name);
        option->setGeometry(twipsRect(95, RowTop[std::size_t(pitch)], 2175, 255));
        option->hide();
        return option;
    };
    f.pitchMmOption = makePitchOption(u"PmmOption"_s, Field::PitchMm);
    f.threadsPerInchOption = makePitchOption(u"PtommeOption"_s, Field::ThreadsPerInch);
    for (const calc::FieldInfo &info : calc::FieldTable) {
        auto *entry = new EntryField(EntryField::Kind::Entry, frameOf(info.field));
        entry->setObjectName(QString::fromUtf16(FieldNames[std::size_t(info.field)].entry));
        entry->setGeometry(twipsRect(2400, RowTop[std::size_t(info.field)], 1215, 285));
        entry->setDecimalSeparator([&session] { return session.decimalSeparator(); });
        f.fields[std::size_t(info.field)] = entry;
    }
    return f;
}

// Band 3: the CNC line with the decimals and units it was made with.
struct CncBand
{
    QLabel *cncCaption, *decimalsLabel, *unitsLabel;
    EntryField *cncLineField;
};

CncBand buildCncBand(QWidget *client, int labelWidth)
{
    widgets::makeBox(client, u"Label7"_s, twipsRect(2640, 4200, 3975, 735));
    CncBand c;
    c.cncCaption = makeLabel(client, u"Label11"_s, twipsRect(2760, 4320, labelWidth, 255));
    c.decimalsLabel = makeLabel(client, u"DecimalLabel"_s, twipsRect(4080, 4320, labelWidth, 255),
                                Qt::AlignCenter);
    c.unitsLabel =
        makeLabel(client, u"EnhederLabel"_s, twipsRect(5640, 4320, 855, 255), Qt::AlignCenter);
    widgets::setTextColour(c.unitsLabel, QColor(128, 0, 0)); // dark red
    c.cncLineField = new EntryField(EntryField::Kind::Result, client);
    c.cncLineField->setObjectName(u"CNCResultatText"_s);
    c.cncLineField->setGeometry(twipsRect(2760, 4560, 3735, 285));
    widgets::setFixedColours(c.cncLineField, QPalette::Base, QColor(224, 224, 224), QPalette::Text,
                             Qt::black);
    return c;
}

// Band 4: what the maker does, in bold, on two lines where one is too short for the text. It
// ends where the contact frames begin: a frame drawn over its last row cut the descenders off.
QLabel *buildMakerLine(QWidget *client, int contactTop)
{
    constexpr int top = 5040;
    const int height = contactTop - top;
    QLabel *line =
        makeLabel(client, u"Label12"_s, twipsRect(120, top, 6615, height), Qt::AlignCenter);
    QFont bold = line->font();
    bold.setBold(true);
    line->setFont(bold);
    line->setWordWrap(height > 255);
    return line;
}

// Band 5: the maker's two offices. The Europe frame is lower and puts the telephone and the
// links on one line; the USA frame gives each its own.
struct ContactBand
{
    QGroupBox *europeFrame, *americaFrame;
};

widgets::OfficeLayout europeLayout(const WindowLayout &names)
{
    constexpr int row = 210, linkLeft = 3255, linkWidth = (6495 - linkLeft) / 2;
    return {{u"Label17"_s, twipsRect(120, row, 6375, 240)},
            {u"Label18"_s, twipsRect(120, row + 240, 3135, 240)},
            {names.europeWebName, twipsRect(linkLeft, row + 240, linkWidth, 240)},
            {names.europeMailName, twipsRect(linkLeft + linkWidth, row + 240, linkWidth, 240)}};
}

widgets::OfficeLayout americaLayout(const WindowLayout &names)
{
    constexpr int row = 240, linkLeft = 120, linkWidth = (6495 - linkLeft) / 2;
    return {{u"Label19"_s, twipsRect(120, row, 6375, 240)},
            {u"Label20"_s, twipsRect(120, row + 240, 6375, 240)},
            {names.americaWebName, twipsRect(linkLeft, row + 480, linkWidth, 240)},
            {names.americaMailName, twipsRect(linkLeft + linkWidth, row + 480, linkWidth, 240)}};
}

ContactBand buildContactBand(QWidget *client, const WindowLayout &layout)
{
    ContactBand c;
    c.europeFrame =
        widgets::makeFrame(client, u"Frame3"_s, twipsRect(120, layout.contactTop, 6615, 855));
    c.americaFrame = widgets::makeFrame(client, u"Frame4"_s,
                                        twipsRect(120, layout.contactTop + 975, 6615, 1215));
    widgets::addOfficeBlock(c.europeFrame, texts::EuropeOffice, europeLayout(layout));
    widgets::addOfficeBlock(c.americaFrame, texts::AmericaOffice, americaLayout(layout));
    return c;
}

} // namespace

void MainWindow::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(m_layout.clientHeight));
    setCentralWidget(client);

    const ToolBand tools = buildToolBand(client, this);
    m_millPicture = tools.millPicture;
    m_drillPicture = tools.drillPicture;
    m_tapPicture = tools.tapPicture;
    m_millOption = tools.millOption;
    m_drillOption = tools.drillOption;
    m_tapOption = tools.tapOption;

    m_scenePicture = buildScene(client);
    const FieldFrames frames = buildFieldFrames(client, m_session);
    m_toolFrame = frames.toolFrame;
    m_resultFrame = frames.resultFrame;
    m_captions = frames.captions;
    m_fields = frames.fields;
    m_pitchMmOption = frames.pitchMmOption;
    m_threadsPerInchOption = frames.threadsPerInchOption;
    field(Field::FeedRate)->setText(u"0"_s);

    const CncBand cnc = buildCncBand(client, m_layout.resultLabelWidth);
    m_cncCaption = cnc.cncCaption;
    m_decimalsLabel = cnc.decimalsLabel;
    m_unitsLabel = cnc.unitsLabel;
    m_cncLineField = cnc.cncLineField;

    m_makerLine = buildMakerLine(client, m_layout.contactTop);
    const ContactBand contacts = buildContactBand(client, m_layout);
    m_europeFrame = contacts.europeFrame;
    m_americaFrame = contacts.americaFrame;

    // The pitch options stand above the captions they cover; those are hidden meanwhile.
    m_pitchMmOption->raise();
    m_threadsPerInchOption->raise();
}

void MainWindow::setTabOrder()
{
    // The tool-mode options, then the fields row by row, the pitch options and the line.
    std::array<Field, calc::FieldCount> rows = AllFields;
    std::stable_sort(rows.begin(), rows.end(), [](Field a, Field b) {
        return std::pair(calc::info(a).result, RowTop[std::size_t(a)]) <
               std::pair(calc::info(b).result, RowTop[std::size_t(b)]);
    });
    std::vector<QWidget *> order{m_millOption, m_drillOption, m_tapOption};
    for (Field which : rows)
        order.push_back(field(which));
    order.insert(order.end(), {m_pitchMmOption, m_threadsPerInchOption, m_cncLineField});
    // Then the maker's links, office by office as they read.
    for (widgets::LinkLabel *link : centralWidget()->findChildren<widgets::LinkLabel *>())
        order.push_back(link);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

QRadioButton *MainWindow::pitchOption(Field which) const
{
    QRadioButton *option = which == Field::PitchMm          ? m_pitchMmOption
                           : which == Field::ThreadsPerInch ? m_threadsPerInchOption
                                                            : nullptr;
    return option && !option->isHidden() ? option : nullptr;
}

} // namespace mainwindow
