#include "mainwindow/mainwindow.h"

#include "calc/cncline.h"
#include "calc/fraction.h"
#include "mainwindow/entryfield.h"
#include "mainwindow/svgpicture.h"
#include "platform/clipboard.h"
#include "platform/locale.h"
#include "state/settingsfile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString &ValueOf(ToolValues &values, int field)
{
    QString *members[] = {&values.diameter,     &values.flutes,  &values.feedPerTooth,
                          &values.cuttingSpeed, &values.pitchMm, &values.threadsPerInch,
                          &values.spindleSpeed, &values.feedRate};
    return *members[field];
}

} // namespace

MainWindow::MainWindow(Language language, WorkingValues &values, WindowEnvironment environment,
                       QWidget *parent)
    : QMainWindow(parent), m_texts(Catalogue(language)), m_values(values),
      m_env(std::move(environment))
{
    setObjectName(m_texts.windowName);
    // A fixed border: minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const QString icon = u":/resources/icon.svg"_s;
    if (QFile::exists(icon))
        setWindowIcon(QIcon(icon));

    buildControls();
    buildMenus();
    setTexts();
    setTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (Field which : {Field::D, Field::Z, Field::Sz, Field::V, Field::PitchMm, Field::PitchTpi,
                        Field::n, Field::S})
        connectEntryField(which);
    connectTextField(CNCResultatText);

    connect(FræsereValg, &QRadioButton::clicked, this,
            [this] { ModeOptionClicked(ToolMode::Mill); });
    connect(BorValg, &QRadioButton::clicked, this, [this] { ModeOptionClicked(ToolMode::Drill); });
    connect(GevindtappeValg, &QRadioButton::clicked, this,
            [this] { ModeOptionClicked(ToolMode::Tap); });
    for (QRadioButton *option : {FræsereValg, BorValg, GevindtappeValg})
        option->installEventFilter(this);
    connect(PmmOption, &QRadioButton::clicked, this, &MainWindow::PmmOption_Click);
    connect(PtommeOption, &QRadioButton::clicked, this, &MainWindow::PtommeOption_Click);

    connect(ctlPrint, &QAction::triggered, this, &MainWindow::printRequested);
    connect(ctlAfslut, &QAction::triggered, this, &MainWindow::ctlAfslut_Click);
    connect(ctlKopier, &QAction::triggered, this, &MainWindow::ctlKopier_Click);
    connect(ctlSætInd, &QAction::triggered, this, &MainWindow::ctlSætInd_Click);
    connect(ctlEditSignaturforklaring, &QAction::triggered, this,
            [this] { emit aboutMakerRequested(false); });
    for (QAction *item : ctlDecimalValg)
        connect(item, &QAction::triggered, this,
                [this, item] { ctlDecimalValg_Click(item->property("index").toInt()); });
    connect(ctlMetrisk, &QAction::triggered, this, &MainWindow::ctlMetrisk_Click);
    connect(ctlTommer, &QAction::triggered, this, &MainWindow::ctlTommer_Click);
    connect(languageItem, &QAction::triggered, this, &MainWindow::languageItem_Click);
    connect(ctlSignaturforklaring, &QAction::triggered, this, &MainWindow::legendRequested);
    connect(legendShortcut, &QShortcut::activated, this, &MainWindow::legendRequested);
    connect(ctlOmKovrin, &QAction::triggered, this, [this] { emit aboutMakerRequested(true); });
    connect(ctlOm, &QAction::triggered, this, &MainWindow::aboutProgramRequested);

    // First in the tab order: takes the focus when the window opens.
    FræsereValg->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    m_unloaded = true;
}

void MainWindow::centreOnScreen()
{
    layout()->activate();
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void MainWindow::Form_Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    WorkingValues &v = m_values;

    v.piText = calc::makePiText(m_env.numberLocale);

    // Only 0 to 3 decimals have a menu item; a larger count from an edited file is taken
    // as the largest, so exactly one item carries the check mark and the results agree.
    if (v.decimalCount > 3)
        v.decimalCount = 3;
    ctlDecimalValg[v.decimalCount]->setChecked(true);
    showDecimalCount();

    ctlTommer->setChecked(v.inchUnits);
    ctlMetrisk->setChecked(v.metricUnits);

    // Setting a pitch option runs its click rule; the mm option is set first and wins
    // when both are stored.
    setOptionChecked(PmmOption, v.pitchMmSelected);
    if (v.pitchMmSelected)
        PmmOption_Click();
    setOptionChecked(PtommeOption, v.threadsPerInchSelected);
    if (v.threadsPerInchSelected)
        PtommeOption_Click();

    if (m_env.localeText) {
        if (m_env.localeText(platform::LOCALE_SMONDECIMALSEP) == u",")
            v.decimalIsPeriod = false;
        if (m_env.localeText(platform::LOCALE_SMONDECIMALSEP) == u".")
            v.decimalIsPeriod = true;
    }

    for (EntryField *entry : {SkærehastighedText, DiameterSkærText, AntalSkærText,
                              TilspændingTandText, OmdrejningerText, TilspændingOmdrText})
        entry->show();
    StigningText->hide();
    StigningTextTomme->hide();
    Label5->show();
    Label6->show();
    Label9->hide();
    Label14->hide();

    if (ctlTommer->isChecked())
        applyUnitCaptions(m_texts.inchLoad);
    if (ctlMetrisk->isChecked())
        applyUnitCaptions(m_texts.metricLoad);
    updateTabStops();
}

void MainWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        Form_Load();
    QMainWindow::showEvent(event);
    updateTabStops();
    if (m_shown)
        return;
    m_shown = true;
    // The Mill option opens with the focus: its switch fills the fields from the Mill values.
    if (FræsereValg->isChecked())
        ModeSwitch(ToolMode::Mill);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_unloaded) {
        Form_Unload();
        emit closing();
    }
    event->accept();
}

void MainWindow::Form_Unload()
{
    m_unloaded = true;
    // Every typed text is already in the working values; a text typed without Enter since
    // the last calculation would be lost at the next start if the file were not written now.
    if (m_loaded)
        state::saveSettingsUnreported(m_values);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && coveredByPitchOption(watched))
        return true;
    if (event->type() == QEvent::FocusIn && !m_unloaded) {
        const auto *focus = static_cast<QFocusEvent *>(event);
        auto *option = qobject_cast<QRadioButton *>(watched);
        if (option && !isWindowFocusChange(focus->reason())) {
            setEditEnabled(false);
            // The focus of a click arrives before the option is set. Switching then would load
            // this kind's values while the fields still store into the other kind.
            if (option->isChecked())
                ModeSwitch(option == FræsereValg ? ToolMode::Mill
                           : option == BorValg   ? ToolMode::Drill
                                                 : ToolMode::Tap);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Field rules ------------------------------------------------------------------------------

EntryField *MainWindow::field(Field which) const
{
    EntryField *const fields[] = {DiameterSkærText,   AntalSkærText,      TilspændingTandText,
                                  SkærehastighedText, StigningText,       StigningTextTomme,
                                  OmdrejningerText,   TilspændingOmdrText};
    return fields[int(which)];
}

void MainWindow::connectTextField(EntryField *entry)
{
    connect(entry, &EntryField::gotFocus, this, [this, entry] { FieldGotFocus(entry); });
    connect(entry, &EntryField::rightClicked, this,
            [this, entry](const QPoint &pos) { FieldRightClicked(entry, pos); });
    connect(entry, &EntryField::copyRequested, this, &MainWindow::ctlKopier_Click);
    connect(entry, &EntryField::pasteRequested, this, &MainWindow::ctlSætInd_Click);
    connect(entry, &EntryField::cutRequested, this, &MainWindow::cutSelection);
}

void MainWindow::connectEntryField(Field which)
{
    EntryField *entry = field(which);
    connectTextField(entry);
    // textChanged, not textEdited: what a calculation or a mode switch writes is stored too.
    connect(entry, &QLineEdit::textChanged, this,
            [this, which](const QString &text) { FieldChanged(which, text); });
    connect(entry, &EntryField::enterPressed, this, [this, which] { RunFieldChain(which); });
    connect(entry, &EntryField::lostFocus, this, [this, which] { RunFieldChain(which); });
}

void MainWindow::FieldChanged(Field which, const QString &text)
{
    ValueOf(m_values.tool(selectedMode()), int(which)) = text;
}

void MainWindow::FieldGotFocus(EntryField *entry)
{
    if (m_unloaded)
        return;
    setEditEnabled(true);
    entry->selectAll();
}

void MainWindow::FieldRightClicked(EntryField *entry, const QPoint &globalPos)
{
    if (m_unloaded)
        return;
    if (!entry->hasFocus())
        entry->setFocus(Qt::OtherFocusReason);
    // Leaving the former field may have shown a message; the focus came back here either way.
    FieldGotFocus(entry);
    ctlEdit->popup(globalPos);
}

void MainWindow::RunFieldChain(Field which)
{
    if (m_unloaded || !m_loaded)
        return;
    const bool tap = selectedMode() == ToolMode::Tap;
    switch (which) {
    case Field::D:
        runChain([this] {
            FractionStep();
            computeSpindleSpeed();
            computeFeedRate();
            SkrivCNCResultat();
        });
        break;
    case Field::Z:
    case Field::Sz:
    case Field::V:
    case Field::PitchMm:
    case Field::PitchTpi:
        runChain([this] {
            computeSpindleSpeed();
            computeFeedRate();
            SkrivCNCResultat();
        });
        break;
    case Field::n:
        runChain([this, tap] {
            computeCuttingSpeed();
            if (!tap)
                computeSpindleSpeed();
            computeFeedRate();
            SkrivCNCResultat();
        });
        break;
    case Field::S:
        runChain([this, tap] {
            if (tap) {
                computeTapSpindleSpeed();
                computeFeedPerTooth();
                computeCuttingSpeed();
            } else {
                computeFeedPerTooth();
                computeSpindleSpeed();
                computeFeedRate();
            }
            SkrivCNCResultat();
        });
        break;
    }
}

void MainWindow::FractionStep()
{
    // A diameter typed as a fraction ("1 1/2") becomes its value before anything uses it.
    const qsizetype length = DiameterSkærText->text().size();
    for (qsizetype p = 0; p < length; ++p) {
        const QString current = DiameterSkærText->text();
        if (p >= current.size() || current.at(p) != u'/')
            continue;
        ToolValues &values = m_values.tool(selectedMode());
        const QString result = calc::evaluateFraction(values.diameter, m_env.numberLocale);
        values.diameter = result;
        DiameterSkærText->setText(result);
    }
}

// Calculation -------------------------------------------------------------------------------

ToolMode MainWindow::selectedMode() const
{
    if (FræsereValg->isChecked())
        return ToolMode::Mill;
    if (BorValg->isChecked())
        return ToolMode::Drill;
    return ToolMode::Tap;
}

calc::FormulaContext MainWindow::formulaContext()
{
    const ToolMode mode = selectedMode();
    return calc::FormulaContext{
        .mode = mode,
        .values = m_values.tool(mode),
        .metric = ctlMetrisk->isChecked(),
        .inch = ctlTommer->isChecked(),
        // Asked of the window, not the screen: the window may be hidden or minimized.
        .pitchMmShown = StigningText->isVisibleTo(this),
        .threadsPerInchShown = StigningTextTomme->isVisibleTo(this),
        .decimalCount = m_values.decimalCount,
        .resultText = m_values.resultText,
        .piText = m_values.piText,
        .locale = m_env.numberLocale,
    };
}

void MainWindow::computeCuttingSpeed()
{
    calc::FormulaContext context = formulaContext();
    SkærehastighedText->setText(calc::computeCuttingSpeed(context));
}

void MainWindow::computeSpindleSpeed()
{
    calc::FormulaContext context = formulaContext();
    OmdrejningerText->setText(calc::computeSpindleSpeed(context));
}

void MainWindow::computeFeedPerTooth()
{
    calc::FormulaContext context = formulaContext();
    TilspændingTandText->setText(calc::computeFeedPerTooth(context));
}

void MainWindow::computeFeedRate()
{
    calc::FormulaContext context = formulaContext();
    TilspændingOmdrText->setText(calc::computeFeedRate(context));
}

void MainWindow::computeTapSpindleSpeed()
{
    calc::FormulaContext context = formulaContext();
    if (const std::optional<QString> n = calc::computeTapSpindleSpeed(context))
        OmdrejningerText->setText(*n);
}

void MainWindow::SkrivCNCResultat()
{
    calc::CncInput input;
    input.mode = selectedMode();
    input.pitchMmSelected = PmmOption->isChecked();
    input.threadsPerInchSelected = PtommeOption->isChecked();
    input.spindleSpeed = OmdrejningerText->text();
    input.feedRate = TilspændingOmdrText->text();
    input.diameter = DiameterSkærText->text();
    input.flutes = AntalSkærText->text();
    input.pitchMm = StigningText->text();
    input.threadsPerInch = StigningTextTomme->text();

    QString line = CNCResultatText->text();
    try {
        calc::composeCncLine(input, m_texts.cncWords, m_env.numberLocale, line);
    } catch (const calc::InputError &) {
        // What was composed before the error stays in view.
        showCncLine(line);
        throw;
    }
    showCncLine(line);
    state::saveSettingsUnreported(m_values);
}

void MainWindow::showCncLine(const QString &line)
{
    CNCResultatText->setText(line);
    // A line longer than the field shows its beginning, where the spindle word stands.
    CNCResultatText->setCursorPosition(0);
}

void MainWindow::runChain(const std::function<void()> &chain)
{
    try {
        chain();
    } catch (const calc::InputError &) {
        FejlIndtastUdregn();
    }
}

void MainWindow::FejlIndtastUdregn()
{
    QMessageBox box(QMessageBox::Warning, m_texts.inputErrorTitle, m_texts.inputErrorText,
                    QMessageBox::Ok, this);
    box.setObjectName(u"FejlIndtastUdregn"_s);
    box.exec();
}

// Tool modes ---------------------------------------------------------------------------------

void MainWindow::ModeOptionClicked(ToolMode mode)
{
    QRadioButton *option = mode == ToolMode::Mill    ? FræsereValg
                           : mode == ToolMode::Drill ? BorValg
                                                     : GevindtappeValg;
    if (option->isChecked())
        ModeSwitch(mode);
}

void MainWindow::ModeSwitch(ToolMode mode)
{
    if (m_unloaded)
        return;
    const bool tap = mode == ToolMode::Tap;
    setEditEnabled(false);

    // Each write stores the same text back into this kind, whose option is set.
    const ToolValues values = m_values.tool(mode);
    if (tap) {
        StigningText->setText(values.pitchMm);
        StigningTextTomme->setText(values.threadsPerInch);
        DiameterSkærText->setText(values.diameter);
    } else {
        DiameterSkærText->setText(values.diameter);
        AntalSkærText->setText(values.flutes);
        TilspændingTandText->setText(values.feedPerTooth);
    }
    SkærehastighedText->setText(values.cuttingSpeed);
    OmdrejningerText->setText(values.spindleSpeed);
    TilspændingOmdrText->setText(values.feedRate);

    try {
        SkrivCNCResultat();
    } catch (const calc::InputError &) {
        // A switch shows no message. The settings are saved all the same, so that what the
        // window was opened with (a new language, say) is kept.
        state::saveSettingsUnreported(m_values);
    }

    PmmOption->setVisible(tap);
    PtommeOption->setVisible(tap);
    SkærehastighedText->show();
    DiameterSkærText->show();
    switch (mode) {
    case ToolMode::Mill:
        AntalSkærText->show();
        AntalSkærText->setEnabled(true);
        break;
    case ToolMode::Drill:
        AntalSkærText->setText(u"1"_s);
        AntalSkærText->show();
        AntalSkærText->setEnabled(false);
        break;
    case ToolMode::Tap:
        AntalSkærText->hide();
        TilspændingTandText->hide();
        break;
    }
    if (!tap)
        TilspændingTandText->show();
    OmdrejningerText->show();
    TilspændingOmdrText->show();
    StigningText->setVisible(tap);
    StigningTextTomme->setVisible(tap);

    Label5->setVisible(!tap);
    Label6->setVisible(!tap);
    Label9->setVisible(tap);
    Label14->setVisible(tap);
    if (tap) {
        StigningTextTomme->setVisible(m_values.threadsPerInchSelected);
        Label14->setVisible(m_values.threadsPerInchSelected);
        StigningText->setVisible(m_values.pitchMmSelected);
        Label9->setVisible(m_values.pitchMmSelected);
    }

    FræserBillede->setVisible(mode == ToolMode::Mill);
    BorBillede->setVisible(mode == ToolMode::Drill);
    GevindBillede->setVisible(tap);
    updateTabStops();
}

void MainWindow::PmmOption_Click()
{
    PitchUnitChange(true);
}

void MainWindow::PtommeOption_Click()
{
    PitchUnitChange(false);
}

void MainWindow::PitchUnitChange(bool mm)
{
    if (m_unloaded)
        return;
    m_values.pitchMmSelected = mm;
    m_values.threadsPerInchSelected = !mm;
    StigningTextTomme->setVisible(!mm);
    Label14->setVisible(!mm);
    StigningText->setVisible(mm);
    Label9->setVisible(mm);
    updateTabStops();

    // An empty pitch, 0 or anything below "0,001" in character order starts nothing.
    const QString pitch = (mm ? StigningText : StigningTextTomme)->text();
    if (pitch.compare(u"0,001"_s) < 0)
        return;
    runChain([this] {
        computeSpindleSpeed();
        computeFeedRate();
        SkrivCNCResultat();
    });
}

void MainWindow::setOptionChecked(QRadioButton *option, bool checked)
{
    if (checked || !option->isChecked()) {
        option->setChecked(checked);
        return;
    }
    // An exclusive option cannot be unset on its own; neither pitch unit may be set.
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void MainWindow::updateTabStops()
{
    // Tab stops at the option that is set in each group; the arrow keys move between them.
    // With none set, each is a stop of its own.
    const QList<QList<QRadioButton *>> groups{{FræsereValg, BorValg, GevindtappeValg},
                                              {PmmOption, PtommeOption}};
    for (const QList<QRadioButton *> &group : groups) {
        const bool anySet = std::any_of(group.begin(), group.end(),
                                        [](const QRadioButton *o) { return o->isChecked(); });
        for (QRadioButton *option : group)
            option->setFocusPolicy(!anySet || option->isChecked()
                                       ? Qt::StrongFocus
                                       : Qt::FocusPolicy(Qt::StrongFocus & ~Qt::TabFocus));
    }
}

// Edit menu ----------------------------------------------------------------------------------

void MainWindow::setEditEnabled(bool enabled)
{
    ctlEdit->setEnabled(enabled);
    // The shortcuts follow the menu: nothing to copy or paste while a mode option has it.
    ctlKopier->setEnabled(enabled);
    ctlSætInd->setEnabled(enabled);
}

bool MainWindow::editEnabled() const
{
    return ctlEdit->isEnabled();
}

EntryField *MainWindow::focusedField() const
{
    auto *entry = qobject_cast<EntryField *>(focusWidget());
    return entry && entry->isVisibleTo(this) && entry->isEnabled() ? entry : nullptr;
}

void MainWindow::ctlKopier_Click()
{
    if (!editEnabled())
        return;
    if (const EntryField *entry = focusedField())
        platform::setClipboardText(entry->selectedText());
}

void MainWindow::ctlSætInd_Click()
{
    if (!editEnabled())
        return;
    EntryField *entry = focusedField();
    if (!entry)
        return;
    const QString text = entry->cleaned(platform::clipboardText());
    if (!entry->acceptsInsertion(text)) {
        QApplication::beep();
        return;
    }
    entry->insert(text);
}

void MainWindow::cutSelection()
{
    if (!editEnabled())
        return;
    EntryField *entry = focusedField();
    if (!entry)
        return;
    platform::setClipboardText(entry->selectedText());
    if (entry->hasSelectedText())
        entry->insert(QString());
}
