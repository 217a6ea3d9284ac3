// SPDX-License-Identifier: MIT
#pragma once

// The main window, in Danish (HovedForm) or English (UKHovedForm): one class, two text
// catalogues. It is a view of the session (session/session.h):
//  1. Every change the user makes to a field's text (typing, a paste, a cut, an undo) goes
//     to the session at once (Session::setText); drawing sets the texts without echo.
//  2. Enter in a field, or leaving it, asks the session to run the field's chain; the window
//     draws the outcome: the field texts, the CNC line, which fields show, and the
//     input-error message or the save warning where the outcome asks for one.
//  3. The tool-mode and pitch options, the units and the decimals menus do the same through
//     their own session actions.
// The controls and their places are built in layout.cpp (with the names and sizes of
// windowlayout.cpp), the menu bar in menubar.cpp and the
// captions in captions.cpp; the Edit menu's clipboard commands are in editcommands.cpp. This
// file answers every event and draws every outcome; the others call nothing in it.

#include "mainwindow/windowlayout.h"
#include "session/session.h"
#include "texts/textcatalogue.h"

#include <QMainWindow>

#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QShortcut;

namespace widgets {
class EntryField;
class SvgPicture;
} // namespace widgets

namespace mainwindow {

using calc::AllFields;
using calc::Field;
using calc::Language;
using calc::ToolMode;
using texts::catalogue;
using texts::sharedTexts;
using texts::TextCatalogue;
using texts::UnitCaptions;
using widgets::EntryField;
using widgets::SvgPicture;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Language language, session::Session &session, QWidget *parent = nullptr);
    ~MainWindow() override;

    Language language() const { return m_texts.language; }
    const TextCatalogue &texts() const { return m_texts; }

    // Restores the menus, options and captions from the settings; runs once, before
    // the window is first shown.
    void load();

signals:
    // The language item was chosen; languageState already names the new language.
    void languageSwitchRequested(Language to);
    void quitRequested();
    // The window is closing (close box, Quit or a language switch).
    void closing();

    void printRequested();
    void legendRequested();
    void aboutProgramRequested();
    void aboutMakerRequested(bool modal);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // layout.cpp
    void buildControls();
    void buildMenus();
    void setTexts();
    void setTabOrder();
    void setCaption(QLabel *label, const QString &text);
    void fitTexts(); // every text to its place, once the form has grown
    void setUnitCaptionTexts(const UnitCaptions &captions);
    void applyUnitCaptions(const UnitCaptions &captions); // and fits them
    // The pitch option shown over the field's caption, if any.
    QRadioButton *pitchOption(Field which) const;

    // Drawing what the session returns.
    EntryField *field(Field which) const { return m_fields[std::size_t(which)]; }
    QLabel *caption(Field which) const { return m_captions[std::size_t(which)]; }
    void draw(const session::Outcome &outcome);
    void showSettings(const session::Outcome &outcome);
    void showLayout(const session::Outcome &outcome);
    void showCncLine(const QString &line);
    void showInputError(std::optional<Field> failed);
    void showSaveWarning(const settings::SaveResult &report);
    void showStartNotices();
    void updateAccessibleNames();

    // Field and option events.
    void connectTextField(EntryField *entry);
    void connectEntryField(Field which);
    void fieldGotFocus(EntryField *entry);
    void fieldRightClicked(EntryField *entry, const QPoint &globalPos);
    void enterField(Field which);
    void modeOptionClicked(ToolMode mode);
    void switchMode(ToolMode mode);
    void selectPitchUnit(session::PitchUnit unit);
    static void setOptionChecked(QRadioButton *option, bool checked);
    void updateTabStops();

    // editcommands.cpp
    void setEditEnabled(bool enabled);
    bool editEnabled() const;
    EntryField *focusedField() const;
    void copySelection();
    void pasteClipboard();
    void cutSelection();

    // The units and decimals menus, the language item and Quit.
    void selectUnits(session::Units units);
    void selectDecimals(int count);
    void switchLanguage();
    void quit();

    const TextCatalogue &m_texts;
    const WindowLayout &m_layout;
    session::Session &m_session;
    bool m_loaded = false;
    bool m_shown = false;
    bool m_closed = false;
    std::vector<settings::StartNotice> m_pendingNotices; // shown once the window is up

    // Band 1: tool pictures and tool-mode options.
    SvgPicture *m_millPicture = nullptr;
    SvgPicture *m_drillPicture = nullptr;
    SvgPicture *m_tapPicture = nullptr;
    QRadioButton *m_millOption = nullptr;
    QRadioButton *m_drillOption = nullptr;
    QRadioButton *m_tapOption = nullptr;

    // Band 2: picture, tool data and results.
    SvgPicture *m_scenePicture = nullptr;
    QGroupBox *m_toolFrame = nullptr;
    QGroupBox *m_resultFrame = nullptr;
    std::array<QLabel *, calc::FieldCount> m_captions{};   // indexed by Field
    std::array<EntryField *, calc::FieldCount> m_fields{}; // indexed by Field
    QRadioButton *m_pitchMmOption = nullptr;
    QRadioButton *m_threadsPerInchOption = nullptr;
    const UnitCaptions *m_unitCaptions = nullptr; // the set the captions show

    // Band 3: the CNC line.
    QLabel *m_cncCaption = nullptr;
    QLabel *m_decimalsLabel = nullptr;
    QLabel *m_unitsLabel = nullptr;
    EntryField *m_cncLineField = nullptr;

    // Bands 4 and 5: the maker.
    QLabel *m_makerLine = nullptr;
    QGroupBox *m_europeFrame = nullptr;
    QGroupBox *m_americaFrame = nullptr;

    // Menus.
    QMenu *m_fileMenu = nullptr;
    QAction *m_printAction = nullptr;
    QAction *m_quitAction = nullptr;
    QMenu *m_editMenu = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_pasteAction = nullptr;
    QAction *m_editSeparator = nullptr;
    QAction *m_editAboutMakerAction = nullptr;
    QMenu *m_decimalsMenu = nullptr;
    std::array<QAction *, 4> m_decimalActions{};
    QMenu *m_unitsMenu = nullptr;
    QAction *m_metricAction = nullptr;
    QAction *m_inchAction = nullptr;
    QMenu *m_languageMenu = nullptr;     // ctlSprog / ctlLanguage
    QAction *m_languageAction = nullptr; // ctlEngelsk / ctlDanish
    QMenu *m_infoMenu = nullptr;
    QAction *m_legendAction = nullptr;
    QAction *m_aboutMakerAction = nullptr;
    QAction *m_aboutProgramAction = nullptr;
    // F1 opens the legend even while its menu item is switched off.
    QShortcut *m_legendShortcut = nullptr;
};

} // namespace mainwindow
