// SPDX-License-Identifier: MIT
#include "mainwindow/mainwindow.h"

#include "platform/qttexts.h"
#include "widgets/accessibleroles.h"
#include "widgets/entryfield.h"
#include "widgets/fontfitting.h"
#include "widgets/formgrowth.h"
#include "widgets/svgpicture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRadioButton>
#include <QShortcut>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

using calc::AllFields;
using calc::Field;
using calc::Language;
using calc::ToolMode;
using widgets::EntryField;

namespace mainwindow {

using widgets::isWindowFocusChange;

MainWindow::MainWindow(Language language, session::Session &session, QWidget *parent)
    : QMainWindow(parent), m_texts(catalogue(language)), m_layout(windowLayout(language)),
      m_session(session)
{
    setObjectName(m_layout.windowName);
    // A fixed border: minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // The icon is the application's (main.cpp): one QIcon for the run, rendered once.

    buildControls();
    buildMenus();
    setTexts();
    // The form grows with the font under its menu bar, within the screen.
    widgets::growWithFont(
        centralWidget(), [this] { fitTexts(); }, m_texts.screenTooSmallText);
    updateAccessibleNames();
    setTabOrder();
    // Qt's own dialogs speak the window's language.
    platform::useQtTexts(language == Language::Danish ? QLocale::Danish : QLocale::English);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    for (Field which : AllFields)
        connectEntryField(which);
    connectTextField(m_cncLineField);
    // The line takes typing too: what it shows is what copies and prints, until the next line.
    connect(m_cncLineField, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_session.editLine(text); });

    const std::pair<QRadioButton *, ToolMode> modeOptions[] = {{m_millOption, ToolMode::Mill},
                                                               {m_drillOption, ToolMode::Drill},
                                                               {m_tapOption, ToolMode::Tap}};
    for (const auto &[option, optionMode] : modeOptions) {
        // A lambda may not capture a structured binding before C++20's fix (clang 14).
        const ToolMode mode = optionMode;
        connect(option, &QRadioButton::clicked, this, [this, mode] { modeOptionClicked(mode); });
        option->installEventFilter(this);
    }
    connect(m_pitchMmOption, &QRadioButton::clicked, this,
            [this] { selectPitchUnit(session::PitchUnit::Millimetres); });
    connect(m_threadsPerInchOption, &QRadioButton::clicked, this,
            [this] { selectPitchUnit(session::PitchUnit::ThreadsPerInch); });

    connect(m_printAction, &QAction::triggered, this, &MainWindow::printRequested);
    connect(m_quitAction, &QAction::triggered, this, &MainWindow::quit);
    connect(m_copyAction, &QAction::triggered, this, &MainWindow::copySelection);
    connect(m_pasteAction, &QAction::triggered, this, &MainWindow::pasteClipboard);
    connect(m_editAboutMakerAction, &QAction::triggered, this,
            [this] { emit aboutMakerRequested(false); });
    for (int count = 0; count < int(m_decimalActions.size()); ++count)
        connect(m_decimalActions[count], &QAction::triggered, this,
                [this, count] { selectDecimals(count); });
    connect(m_metricAction, &QAction::triggered, this,
            [this] { selectUnits(session::Units::Metric); });
    connect(m_inchAction, &QAction::triggered, this, [this] { selectUnits(session::Units::Inch); });
    connect(m_languageAction, &QAction::triggered, this, &MainWindow::switchLanguage);
    connect(m_legendAction, &QAction::triggered, this, &MainWindow::legendRequested);
    connect(m_legendShortcut, &QShortcut::activated, this, &MainWindow::legendRequested);
    connect(m_aboutMakerAction, &QAction::triggered, this,
            [this] { emit aboutMakerRequested(true); });
    connect(m_aboutProgramAction, &QAction::triggered, this, &MainWindow::aboutProgramRequested);

    // First in the tab order: takes the focus when the window opens.
    m_millOption->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow()
{
    m_closed = true;
}

void MainWindow::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    const session::Outcome outcome = m_session.load(m_texts.cncWords);
    showSettings(outcome);
    m_pendingNotices = outcome.startNotices;
    // The fields fill when the window is shown and its Mill option takes the focus.
    showLayout(outcome);
}

void MainWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        load();
    QMainWindow::showEvent(event);
    updateTabStops();
    if (m_shown)
        return;
    m_shown = true;
    widgets::tellIfLargerThanScreen(this);
    // The Mill option opens with the focus: its switch fills the fields from the Mill values.
    switchMode(ToolMode::Mill);
    // Once the window is on the screen, above which the messages then stand.
    QMetaObject::invokeMethod(this, &MainWindow::showStartNotices, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Nothing is saved: a value typed without Enter would land in the file beside results
    // computed before it.
    if (!m_closed) {
        m_closed = true;
        emit closing();
    }
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && !m_closed && m_shown) {
        const auto *focus = static_cast<QFocusEvent *>(event);
        auto *option = qobject_cast<QRadioButton *>(watched);
        if (option && !isWindowFocusChange(focus->reason())) {
            setEditEnabled(false);
            // The focus of a click arrives before the option is set. Switching then would load
            // this kind's values while the fields still store into the other kind.
            if (option->isChecked())
                switchMode(option == m_millOption    ? ToolMode::Mill
                           : option == m_drillOption ? ToolMode::Drill
                                                     : ToolMode::Tap);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Drawing the outcome -------------------------------------------------------------------------

void MainWindow::draw(const session::Outcome &outcome)
{
    for (Field which : AllFields) {
        EntryField *entry = field(which);
        // An unchanged field keeps its caret and selection.
        if (entry->text() != outcome.field(which)) {
            // The session already holds this text: only typing goes back to it.
            const QSignalBlocker quiet(entry);
            entry->setText(outcome.field(which));
            if (!entry->hasFocus())
                entry->home(false); // a long value shows its first digits
        }
    }
    if (m_cncLineField->text() != outcome.cncLine)
        showCncLine(outcome.cncLine);
    showSettings(outcome);
    showLayout(outcome);
    for (Field which : AllFields)
        field(which)->setInvalidEntry(
            outcome.inputError && outcome.failedField == which ? m_texts.invalidEntry : QString());
    if (outcome.computed)
        widgets::announce(this, m_texts.resultsAnnouncement.arg(outcome.field(Field::SpindleSpeed),
                                                                outcome.field(Field::FeedRate),
                                                                outcome.cncLine));
    if (outcome.inputError)
        showInputError(outcome.failedField);
    if (outcome.saveWarning)
        showSaveWarning(*outcome.saveWarning);
}

void MainWindow::showSettings(const session::Outcome &outcome)
{
    for (std::size_t count = 0; count < m_decimalActions.size(); ++count)
        m_decimalActions[count]->setChecked(int(count) == outcome.decimalCount);
    const QString decimals = m_texts.decimalsText(outcome.decimalCount);
    if (m_decimalsLabel->text() != decimals)
        setCaption(m_decimalsLabel, decimals);
    const bool metric = outcome.units == session::Units::Metric;
    m_metricAction->setChecked(metric);
    m_inchAction->setChecked(!metric);
    const UnitCaptions &captions = m_texts.unitCaptions(outcome.units, outcome.unitsFromMenu);
    if (m_unitCaptions != &captions) {
        m_unitCaptions = &captions;
        applyUnitCaptions(captions);
        updateAccessibleNames();
    }
}

void MainWindow::showLayout(const session::Outcome &outcome)
{
    const ToolMode mode = outcome.mode;
    m_pitchMmOption->setVisible(outcome.pitchOptionsShown);
    m_threadsPerInchOption->setVisible(outcome.pitchOptionsShown);
    setOptionChecked(m_pitchMmOption, outcome.pitchUnit == session::PitchUnit::Millimetres);
    setOptionChecked(m_threadsPerInchOption,
                     outcome.pitchUnit == session::PitchUnit::ThreadsPerInch);
    for (Field which : AllFields) {
        field(which)->setVisible(outcome.shown(which));
        // A pitch option stands in for its caption, to the eye and to a screen reader.
        caption(which)->setVisible(outcome.shown(which) && !pitchOption(which));
    }
    field(Field::Flutes)->setEnabled(outcome.flutesEditable);
    m_millPicture->setVisible(mode == ToolMode::Mill);
    m_drillPicture->setVisible(mode == ToolMode::Drill);
    m_tapPicture->setVisible(mode == ToolMode::Tap);
    updateTabStops();
    updateAccessibleNames();
}

void MainWindow::showCncLine(const QString &line)
{
    const QSignalBlocker quiet(m_cncLineField); // the line is the session's already
    m_cncLineField->setText(line);
    // A long line (the English tool words, three decimals) takes a smaller font rather than
    // lose its end; a line longer still shows its beginning, where the spindle word stands.
    widgets::fitFont(m_cncLineField);
    m_cncLineField->setCursorPosition(0);
}

void MainWindow::showInputError(std::optional<Field> failed)
{
    QMessageBox box(QMessageBox::Warning, m_texts.inputErrorTitle, m_texts.inputErrorText,
                    QMessageBox::Ok, this);
    box.setObjectName(u"FejlIndtastUdregn"_s);
    box.exec();
    // A value that failed takes the focus, to be mended, for the eye and a screen reader;
    // given the way a message gives it back, so that the field it leaves does not compute
    // again. An empty one (a missing value, or a result emptied) is only described as
    // invalid: the focus stays where the user put it, so nothing holds it until filled.
    EntryField *entry = failed ? field(*failed) : nullptr;
    if (entry && !entry->text().isEmpty() && entry->isVisibleTo(this) && entry->isEnabled())
        entry->setFocus(Qt::ActiveWindowFocusReason);
}

void MainWindow::showSaveWarning(const settings::SaveResult &report)
{
    const QString &text = report.failed() ? m_texts.saveFailedText : m_texts.savedWithoutTurnsText;
    QMessageBox box(QMessageBox::Warning, m_texts.saveFailedTitle,
                    text.arg(QDir::toNativeSeparators(report.path), report.reason), QMessageBox::Ok,
                    this);
    box.setObjectName(u"saveWarning"_s);
    box.exec();
}

void MainWindow::showStartNotices()
{
    // Told once a run: the session hands them to the first window only.
    const std::vector<settings::StartNotice> notices = std::exchange(m_pendingNotices, {});
    using Kind = settings::StartNotice::Kind;
    const auto textOf = [this](Kind kind) {
        switch (kind) {
        case Kind::DamagedKept:
            return std::pair(m_texts.damagedFileKeptText, u"damagedFileKept"_s);
        case Kind::NoLanguageKept:
            return std::pair(m_texts.noLanguageFileKeptText, u"noLanguageFileKept"_s);
        case Kind::UnknownLanguageKept:
            return std::pair(m_texts.unknownLanguageKeptText, u"unknownLanguageKept"_s);
        case Kind::CutShortKept:
            return std::pair(m_texts.cutShortKeptText, u"cutShortKept"_s);
        case Kind::CutShortReplaced:
            return std::pair(m_texts.cutShortReplacedText, u"cutShortReplaced"_s);
        case Kind::SharedFileCutShort:
            return std::pair(m_texts.sharedFileCutShortText, u"sharedFileCutShort"_s);
        case Kind::Unreadable:
            return std::pair(m_texts.unreadableFileText, u"unreadableFile"_s);
        case Kind::Restored:
            break;
        }
        return std::pair(m_texts.settingsRestoredText, u"settingsFileRestored"_s);
    };
    for (const settings::StartNotice &notice : notices) {
        const auto &[text, name] = textOf(notice.kind);
        QMessageBox box(QMessageBox::Information, m_texts.startNoticeTitle,
                        text.arg(QDir::toNativeSeparators(notice.path)), QMessageBox::Ok, this);
        box.setObjectName(name);
        box.exec();
    }
}

void MainWindow::updateAccessibleNames()
{
    // A screen reader reads each field by what stands beside it, "Diameter (D) in inch", not
    // "edit": its caption, or the pitch option shown over it.
    const auto name = [](QString text) {
        text = text.remove(u'&').trimmed();
        if (text.endsWith(u':'))
            text.chop(1);
        return text.trimmed();
    };
    // Set only when it changes: each setting tells the screen reader of a new name.
    const auto setName = [](QWidget *w, const QString &text) {
        if (w->accessibleName() != text)
            w->setAccessibleName(text);
    };
    for (Field which : AllFields) {
        const QRadioButton *option = pitchOption(which);
        setName(field(which), name(option ? option->text() : caption(which)->text()));
    }
    setName(m_cncLineField, name(m_cncCaption->text()));
    for (QRadioButton *option :
         {m_millOption, m_drillOption, m_tapOption, m_pitchMmOption, m_threadsPerInchOption})
        setName(option, option->text().remove(u'&'));
}

// Field and option events --------------------------------------------------------------------

void MainWindow::connectTextField(EntryField *entry)
{
    connect(entry, &EntryField::gotFocus, this, [this, entry] { fieldGotFocus(entry); });
    connect(entry, &EntryField::rightClicked, this,
            [this, entry](const QPoint &pos) { fieldRightClicked(entry, pos); });
    connect(entry, &EntryField::copyRequested, this, &MainWindow::copySelection);
    connect(entry, &EntryField::pasteRequested, this, &MainWindow::pasteClipboard);
    connect(entry, &EntryField::cutRequested, this, &MainWindow::cutSelection);
}

void MainWindow::connectEntryField(Field which)
{
    EntryField *entry = field(which);
    connectTextField(entry);
    // textChanged, not textEdited: a paste or an undo is stored as typing is.
    connect(entry, &QLineEdit::textChanged, this,
            [this, which](const QString &text) { m_session.setText(which, text); });
    connect(entry, &EntryField::enterPressed, this, [this, which] { enterField(which); });
    connect(entry, &EntryField::lostFocus, this, [this, which] { enterField(which); });
}

void MainWindow::fieldGotFocus(EntryField *entry)
{
    if (m_closed)
        return;
    setEditEnabled(true);
    entry->selectAll();
}

void MainWindow::fieldRightClicked(EntryField *entry, const QPoint &globalPos)
{
    if (m_closed)
        return;
    if (!entry->hasFocus())
        entry->setFocus(Qt::OtherFocusReason);
    // Leaving the former field may have shown a message; the focus came back here either way.
    fieldGotFocus(entry);
    m_editMenu->popup(globalPos);
}

void MainWindow::enterField(Field which)
{
    if (m_closed || !m_shown)
        return;
    draw(m_session.enter(which));
}

void MainWindow::modeOptionClicked(ToolMode mode)
{
    QRadioButton *option = mode == ToolMode::Mill    ? m_millOption
                           : mode == ToolMode::Drill ? m_drillOption
                                                     : m_tapOption;
    if (option->isChecked())
        switchMode(mode);
}

void MainWindow::switchMode(ToolMode mode)
{
    if (m_closed)
        return;
    setEditEnabled(false);
    draw(m_session.selectMode(mode));
}

void MainWindow::selectPitchUnit(session::PitchUnit unit)
{
    if (m_closed)
        return;
    draw(m_session.selectPitchUnit(unit));
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
    const QList<QList<QRadioButton *>> groups{{m_millOption, m_drillOption, m_tapOption},
                                              {m_pitchMmOption, m_threadsPerInchOption}};
    for (const QList<QRadioButton *> &group : groups) {
        const bool anySet = std::any_of(group.begin(), group.end(),
                                        [](const QRadioButton *o) { return o->isChecked(); });
        for (QRadioButton *option : group)
            option->setFocusPolicy(!anySet || option->isChecked()
                                       ? Qt::StrongFocus
                                       : Qt::FocusPolicy(Qt::StrongFocus & ~Qt::TabFocus));
    }
}

// The menus' commands ---------------------------------------------------------------------------

void MainWindow::selectUnits(session::Units units)
{
    draw(m_session.selectUnits(units));
}

void MainWindow::selectDecimals(int count)
{
    draw(m_session.selectDecimals(count));
}

void MainWindow::switchLanguage()
{
    const Language other =
        m_texts.language == Language::Danish ? Language::English : Language::Danish;
    // The menu takes no focus from the field: its text is committed here, as leaving the
    // field would, so the new window never shows results beside a value they do not fit.
    std::optional<Field> focused;
    const EntryField *entry = focusedField();
    for (Field which : AllFields) {
        if (entry && field(which) == entry)
            focused = which;
    }
    draw(m_session.switchLanguage(other, focused));
    emit languageSwitchRequested(other);
}

void MainWindow::quit()
{
    close();
    emit quitRequested();
}

} // namespace mainwindow
