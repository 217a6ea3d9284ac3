#include "mainwindow/report.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

using calc::ToolMode;
using mainwindow::ReportTexts;

namespace report {

QList<platform::PrintLine> buildReport(const ReportInput &in, const ReportTexts &texts)
{
    QList<platform::PrintLine> lines;
    const auto text = [&lines](const QString &s) { lines.append({s, TextMm, BodyPoints}); };
    const auto blank = [&lines](int points = BodyPoints) { lines.append({{}, TextMm, points}); };
    const auto rule = [&lines, &texts] { lines.append({texts.rule, RuleMm, BodyPoints}); };

    lines.append({texts.title, TextMm, TitlePoints});
    blank(TitlePoints);
    rule();
    blank();

    if (in.mode) {
        const ToolMode mode = *in.mode;
        text(mode == ToolMode::Mill    ? texts.millHeading
             : mode == ToolMode::Drill ? texts.drillHeading
                                       : texts.tapHeading);
        blank();
        if (mode == ToolMode::Tap) {
            // Only the pitch whose caption shows on the window: the unit the user chose.
            if (in.pitchMmCaptionShown)
                text(in.pitchMmCaption + in.pitchMmField);
            if (in.threadsPerInchCaptionShown)
                text(in.threadsPerInchCaption + in.threadsPerInchField);
            text(in.diameterCaption + in.diameterField);
            text(in.cuttingSpeedCaption + in.cuttingSpeedField);
        } else {
            text(in.diameterCaption + in.diameterField);
            text(in.flutesCaption + in.flutesField);
            text(in.feedPerToothCaption + in.feedPerToothField);
            text(in.cuttingSpeedCaption + in.cuttingSpeedField);
        }
        blank();
        text(in.spindleSpeedCaption + in.spindleSpeedField);
        text(in.feedRateCaption + in.feedRateField);
    }

    rule();
    blank();
    text(texts.resultPrefix + in.cncLineField);
    text(texts.decimalsPrefix + in.decimalsLabel);
    text(texts.unitsPrefix + in.unitsLabel);
    blank();
    text(texts.datePrefix + in.date + QStringLiteral("  ") + in.time);
    rule();
    return lines;
}

namespace {

// The named control of this window; a window opened over it (an about window holds a
// diameterCaption as well) never answers for it.
template <typename T> T *ownControl(const QWidget *window, const char *name)
{
    const QString objectName = QString::fromUtf8(name);
    for (T *child : window->findChildren<T *>(objectName)) {
        if (child->window() == window)
            return child;
    }
    return nullptr;
}

QString captionText(const QWidget *window, const char *name)
{
    const QLabel *label = ownControl<QLabel>(window, name);
    return label ? label->text() : QString();
}

QString fieldText(const QWidget *window, const char *name)
{
    const QLineEdit *field = ownControl<QLineEdit>(window, name);
    return field ? field->text() : QString();
}

bool isSelected(const QWidget *window, const char *name)
{
    const QAbstractButton *option = ownControl<QAbstractButton>(window, name);
    return option && option->isChecked();
}

bool isCaptionShown(const QWidget *window, const char *name)
{
    const QLabel *label = ownControl<QLabel>(window, name);
    return label && label->isVisibleTo(window);
}

} // namespace

ReportInput readReportInput(const QWidget *w)
{
    ReportInput in;
    if (isSelected(w, "FræsereValg"))
        in.mode = ToolMode::Mill;
    else if (isSelected(w, "BorValg"))
        in.mode = ToolMode::Drill;
    else if (isSelected(w, "GevindtappeValg"))
        in.mode = ToolMode::Tap;

    in.diameterCaption = captionText(w, "Label1");
    in.flutesCaption = captionText(w, "Label6");
    in.feedPerToothCaption = captionText(w, "Label5");
    in.cuttingSpeedCaption = captionText(w, "Label3");
    in.pitchMmCaption = captionText(w, "Label9");
    in.threadsPerInchCaption = captionText(w, "Label14");
    in.spindleSpeedCaption = captionText(w, "Label2");
    in.feedRateCaption = captionText(w, "Label8");
    in.pitchMmCaptionShown = isCaptionShown(w, "Label9");
    in.threadsPerInchCaptionShown = isCaptionShown(w, "Label14");

    in.diameterField = fieldText(w, "DiameterSkærText");
    in.flutesField = fieldText(w, "AntalSkærText");
    in.feedPerToothField = fieldText(w, "TilspændingTandText");
    in.cuttingSpeedField = fieldText(w, "SkærehastighedText");
    in.pitchMmField = fieldText(w, "StigningText");
    in.threadsPerInchField = fieldText(w, "StigningTextTomme");
    in.spindleSpeedField = fieldText(w, "OmdrejningerText");
    in.feedRateField = fieldText(w, "TilspændingOmdrText");

    in.cncLineField = fieldText(w, "CNCResultatText");
    in.decimalsLabel = captionText(w, "DecimalLabel");
    in.unitsLabel = captionText(w, "EnhederLabel");
    return in;
}

void stampDateTime(ReportInput &input, const QDateTime &when)
{
    input.date = platform::shortDateText(when.date());
    input.time = platform::shortTimeText(when.time());
}

bool hasResult(const ReportInput &input)
{
    return !input.spindleSpeedField.isEmpty() && !input.feedRateField.isEmpty();
}

PrintOutcome printMainWindowReport(QWidget *mainWindow, const ReportTexts &texts)
{
    return printMainWindowReport(
        mainWindow, texts,
        [&texts](QWidget *owner, const std::function<QList<platform::PrintLine>()> &makeLines) {
            return platform::printWithDialog(owner, texts.title, makeLines);
        },
        [] { return QDateTime::currentDateTime(); });
}

PrintOutcome printMainWindowReport(QWidget *mainWindow, const ReportTexts &texts,
                                   const PrintStep &print, const std::function<QDateTime()> &clock)
{
    const ReportInput shown = readReportInput(mainWindow);
    if (!hasResult(shown)) {
        QMessageBox box(QMessageBox::Warning, texts.messageTitle, texts.missingResult,
                        QMessageBox::Ok, mainWindow);
        box.exec();
        return PrintOutcome::MissingResult;
    }
    // The window is modal-blocked while the dialog is open, so what it shows cannot change;
    // only the date and time are taken once the printer is chosen.
    const bool printed = print(mainWindow, [&] {
        ReportInput in = shown;
        stampDateTime(in, clock());
        return buildReport(in, texts);
    });
    return printed ? PrintOutcome::Printed : PrintOutcome::NotPrinted;
}

} // namespace report
