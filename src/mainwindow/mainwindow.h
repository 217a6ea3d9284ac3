#pragma once

// The main window, in Danish (HovedForm) or English (UKHovedForm): one class, two text
// catalogues.
//
// What happens on an entry:
//  1. Every change of a field's text is stored at once into the selected tool kind's
//     WorkingValues (FieldChanged).
//  2. Enter in a field, or leaving it, runs that field's chain (RunFieldChain): for the
//     diameter first the fraction step (calc::evaluateFraction), then the formulas of
//     calc/formulas.h, each writing its result into its field, and last SkrivCNCResultat,
//     which composes the CNC line (calc::composeCncLine) and saves the settings file.
//  3. The first input error stops the chain; the window shows its input-error message.
// A tool-mode option (ModeSwitch) loads the kind's values into the fields and rebuilds the
// line; the pitch options, the units and the decimals menus recompute n and S. The menus
// live in menus.cpp, the controls and their places in layout.cpp.

#include "calc/formulas.h"
#include "mainwindow/environment.h"
#include "mainwindow/textcatalogue.h"
#include "state/workingvalues.h"

#include <QMainWindow>

#include <array>
#include <functional>

class EntryField;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QShortcut;
class SvgPicture;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    MainWindow(Language language, WorkingValues &values, WindowEnvironment environment,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    Language language() const { return m_texts.language; }
    const TextCatalogue &texts() const { return m_texts; }

    // Restores the menus, options and captions from the working values; runs once, before
    // the window is first shown.
    void Form_Load();

    // Moves the window to the middle of its screen.
    void centreOnScreen();

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
    enum class Field { D, Z, Sz, V, PitchMm, PitchTpi, n, S };

    // layout.cpp
    void buildControls();
    void buildMenus();
    void setTexts();
    void setTabOrder();
    void setCaption(QLabel *label, const QString &text);
    void applyUnitCaptions(const UnitCaptions &captions);
    bool coveredByPitchOption(const QObject *label) const;

    // Field rules.
    EntryField *field(Field which) const;
    void connectTextField(EntryField *entry);
    void connectEntryField(Field which);
    void FieldChanged(Field which, const QString &text);
    void FieldGotFocus(EntryField *entry);
    void FieldRightClicked(EntryField *entry, const QPoint &globalPos);
    void RunFieldChain(Field which);
    void FractionStep();

    // Calculation steps and the error trap around a chain.
    ToolMode selectedMode() const;
    calc::FormulaContext formulaContext();
    void computeCuttingSpeed();
    void computeSpindleSpeed();
    void computeFeedPerTooth();
    void computeFeedRate();
    void computeTapSpindleSpeed();
    void SkrivCNCResultat();
    void showCncLine(const QString &line);
    void runChain(const std::function<void()> &chain);
    void FejlIndtastUdregn();

    // Tool modes and pitch units.
    void ModeOptionClicked(ToolMode mode);
    void ModeSwitch(ToolMode mode);
    void PmmOption_Click();
    void PtommeOption_Click();
    void PitchUnitChange(bool mm);
    static void setOptionChecked(QRadioButton *option, bool checked);
    void updateTabStops();

    // Edit menu (clipboard).
    void setEditEnabled(bool enabled);
    bool editEnabled() const;
    EntryField *focusedField() const;
    void ctlKopier_Click();
    void ctlSætInd_Click();
    void cutSelection();

    // menus.cpp
    void ctlMetrisk_Click();
    void ctlTommer_Click();
    void ctlDecimalValg_Click(int index);
    void showDecimalCount();
    void recomputeAfterMenu();
    void languageItem_Click();
    void ctlAfslut_Click();
    void Form_Unload();

    const TextCatalogue &m_texts;
    WorkingValues &m_values;
    WindowEnvironment m_env;
    bool m_loaded = false;
    bool m_shown = false;
    bool m_unloaded = false;

    // Band 1: tool pictures and tool-mode options.
    SvgPicture *FræserBillede = nullptr;
    SvgPicture *BorBillede = nullptr;
    SvgPicture *GevindBillede = nullptr;
    QRadioButton *FræsereValg = nullptr;
    QRadioButton *BorValg = nullptr;
    QRadioButton *GevindtappeValg = nullptr;

    // Band 2: picture, tool data and results.
    SvgPicture *Image3 = nullptr;
    QGroupBox *Frame5 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label14 = nullptr;
    QRadioButton *PmmOption = nullptr;
    QRadioButton *PtommeOption = nullptr;
    EntryField *DiameterSkærText = nullptr;
    EntryField *AntalSkærText = nullptr;
    EntryField *TilspændingTandText = nullptr;
    EntryField *SkærehastighedText = nullptr;
    EntryField *StigningText = nullptr;
    EntryField *StigningTextTomme = nullptr;
    EntryField *OmdrejningerText = nullptr;
    EntryField *TilspændingOmdrText = nullptr;

    // Band 3: the CNC line.
    QLabel *Label11 = nullptr;
    QLabel *DecimalLabel = nullptr;
    QLabel *EnhederLabel = nullptr;
    EntryField *CNCResultatText = nullptr;

    // Bands 4 and 5: the maker.
    QLabel *makerLine = nullptr;
    QGroupBox *europeFrame = nullptr;
    QGroupBox *americaFrame = nullptr;

    // Menus.
    QMenu *ctlFiler = nullptr;
    QAction *ctlPrint = nullptr;
    QAction *ctlAfslut = nullptr;
    QMenu *ctlEdit = nullptr;
    QAction *ctlKopier = nullptr;
    QAction *ctlSætInd = nullptr;
    QAction *ctlStreg = nullptr;
    QAction *ctlEditSignaturforklaring = nullptr;
    QMenu *ctlDecimaler = nullptr;
    std::array<QAction *, 4> ctlDecimalValg{};
    QMenu *ctlEnheder = nullptr;
    QAction *ctlMetrisk = nullptr;
    QAction *ctlTommer = nullptr;
    QMenu *languageMenu = nullptr;   // ctlSprog / ctlLanguage
    QAction *languageItem = nullptr; // ctlEngelsk / ctlDanish
    QMenu *ctlInfo = nullptr;
    QAction *ctlSignaturforklaring = nullptr;
    QAction *ctlOmKovrin = nullptr;
    QAction *ctlOm = nullptr;
    // F1 opens the legend even while its menu item is switched off.
    QShortcut *legendShortcut = nullptr;
};
