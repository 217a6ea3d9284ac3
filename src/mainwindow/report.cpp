#include "mainwindow/report.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

namespace report {

QList<platform::PrintLine> BuildReport(const ReportInput &in, const ReportTexts &texts)
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
            if (in.Label9Visible)
                text(in.pitchMmCaption + in.pitchMmField);
            if (in.Label14Visible)
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
template <typename T> T *Control(const QWidget *window, const char *name)
{
    const QString objectName = QString::fromUtf8(name);
    for (T *child : window->findChildren<T *>(objectName)) {
        if (child->window() == window)
            return child;
    }
    return nullptr;
}

QString Caption(const QWidget *window, const char *name)
{
    const QLabel *label = Control<QLabel>(window, name);
    return label ? label->text() : QString();
}

QString FieldText(const QWidget *window, const char *name)
{
    const QLineEdit *field = Control<QLineEdit>(window, name);
    return field ? field->text() : QString();
}

bool Selected(const QWidget *window, const char *name)
{
    const QAbstractButton *option = Control<QAbstractButton>(window, name);
    return option && option->isChecked();
}

bool CaptionShown(const QWidget *window, const char *name)
{
    const QLabel *label = Control<QLabel>(window, name);
    return label && label->isVisibleTo(window);
}

} // namespace

ReportInput ReadReportInput(const QWidget *w)
{
    ReportInput in;
    if (Selected(w, "FræsereValg"))
        in.mode = ToolMode::Mill;
    else if (Selected(w, "BorValg"))
        in.mode = ToolMode::Drill;
    else if (Selected(w, "GevindtappeValg"))
        in.mode = ToolMode::Tap;

    in.diameterCaption = Caption(w, "Label1");
    in.flutesCaption = Caption(w, "Label6");
    in.feedPerToothCaption = Caption(w, "Label5");
    in.cuttingSpeedCaption = Caption(w, "Label3");
    in.pitchMmCaption = Caption(w, "Label9");
    in.threadsPerInchCaption = Caption(w, "Label14");
    in.spindleSpeedCaption = Caption(w, "Label2");
    in.feedRateCaption = Caption(w, "Label8");
    in.Label9Visible = CaptionShown(w, "Label9");
    in.Label14Visible = CaptionShown(w, "Label14");

    in.diameterField = FieldText(w, "DiameterSkærText");
    in.flutesField = FieldText(w, "AntalSkærText");
    in.feedPerToothField = FieldText(w, "TilspændingTandText");
    in.cuttingSpeedField = FieldText(w, "SkærehastighedText");
    in.pitchMmField = FieldText(w, "StigningText");
    in.threadsPerInchField = FieldText(w, "StigningTextTomme");
    in.spindleSpeedField = FieldText(w, "OmdrejningerText");
    in.feedRateField = FieldText(w, "TilspændingOmdrText");

    in.cncLineField = FieldText(w, "CNCResultatText");
    in.decimalsLabel = Caption(w, "DecimalLabel");
    in.unitsLabel = Caption(w, "EnhederLabel");
    return in;
}

void StampDateTime(ReportInput &input, const QDateTime &when)
{
    input.date = platform::ShortDateText(when.date());
    input.time = platform::ShortTimeText(when.time());
}

bool HasResult(const ReportInput &input)
{
    return !input.spindleSpeedField.isEmpty() && !input.feedRateField.isEmpty();
}

void PrintMainWindowReport(QWidget *mainWindow, const ReportTexts &texts)
{
    PrintMainWindowReport(
        mainWindow, texts,
        [&texts](QWidget *owner, const std::function<QList<platform::PrintLine>()> &makeLines) {
            platform::PrintWithDialog(owner, texts.title, makeLines);
        },
        [] { return QDateTime::currentDateTime(); });
}

void PrintMainWindowReport(QWidget *mainWindow, const ReportTexts &texts, const PrintStep &print,
                           const std::function<QDateTime()> &clock)
{
    const ReportInput shown = ReadReportInput(mainWindow);
    if (!HasResult(shown)) {
        QMessageBox box(QMessageBox::Warning, texts.messageTitle, texts.missingResult,
                        QMessageBox::Ok, mainWindow);
        box.exec();
        return;
    }
    // The window is modal-blocked while the dialog is open, so what it shows cannot change;
    // only the date and time are taken once the printer is chosen.
    print(mainWindow, [&] {
        ReportInput in = shown;
        StampDateTime(in, clock());
        return BuildReport(in, texts);
    });
}

} // namespace report
