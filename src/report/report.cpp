// SPDX-License-Identifier: MIT
#include "report/report.h"

#include <QMessageBox>

#include <algorithm>

namespace report {

namespace {

// The tool block's fields in the report's order; the results follow it.
constexpr std::array<Field, calc::FieldCount> ReportOrder = [] {
    std::array<Field, calc::FieldCount> order = calc::AllFields;
    std::sort(order.begin(), order.end(), [](Field a, Field b) {
        const calc::FieldInfo &x = calc::info(a), &y = calc::info(b);
        if (x.result != y.result)
            return y.result;
        return x.reportOrder != y.reportOrder ? x.reportOrder < y.reportOrder : a < b;
    });
    return order;
}();

} // namespace

ReportInput reportInput(const session::Outcome &shown, const texts::TextCatalogue &texts)
{
    const texts::UnitCaptions &captions = texts.unitCaptions(shown.units, shown.unitsFromMenu);
    ReportInput in;
    in.mode = shown.mode;
    in.captions = captions.fields;
    in.fields = shown.fields;
    in.shown = shown.fieldShown;
    in.cncLine = shown.cncLine;
    in.decimalsLabel = texts.decimalsText(shown.decimalCount);
    in.unitsLabel = captions.unitsLabel;
    return in;
}

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

    text(in.mode == ToolMode::Mill    ? texts.millHeading
         : in.mode == ToolMode::Drill ? texts.drillHeading
                                      : texts.tapHeading);
    blank();
    bool inResults = false;
    for (Field field : ReportOrder) {
        const std::size_t index = std::size_t(field);
        if (!in.shown[index])
            continue;
        if (calc::info(field).result && !inResults) {
            inResults = true;
            blank();
        }
        text(in.captions[index] + in.fields[index]);
    }

    rule();
    blank();
    text(texts.resultPrefix + in.cncLine);
    text(texts.decimalsPrefix + in.decimalsLabel);
    text(texts.unitsPrefix + in.unitsLabel);
    blank();
    text(texts.datePrefix + in.date + QStringLiteral("  ") + in.time);
    rule();
    return lines;
}

void stampDateTime(ReportInput &input, const QDateTime &when)
{
    input.date = platform::shortDateText(when.date());
    input.time = platform::shortTimeText(when.time());
}

bool hasResult(const ReportInput &input)
{
    return !input.fields[std::size_t(Field::SpindleSpeed)].isEmpty() &&
           !input.fields[std::size_t(Field::FeedRate)].isEmpty();
}

PrintOutcome printReport(QWidget *owner, const ReportInput &shown, const ReportTexts &texts)
{
    return printReport(
        owner, shown, texts,
        [&texts](QWidget *dialogOwner,
                 const std::function<QList<platform::PrintLine>()> &makeLines) {
            // Without a printer the system's dialog would not even open: say why nothing
            // happens.
            if (!platform::hasPrintTarget()) {
                QMessageBox box(QMessageBox::Warning, texts.messageTitle, texts.noPrinter,
                                QMessageBox::Ok, dialogOwner);
                box.setObjectName(QStringLiteral("noPrinter"));
                box.exec();
                return false;
            }
            return platform::printWithDialog(dialogOwner, texts.title, makeLines);
        },
        [] { return QDateTime::currentDateTime(); });
}

PrintOutcome printReport(QWidget *owner, const ReportInput &shown, const ReportTexts &texts,
                         const PrintStep &print, const std::function<QDateTime()> &clock)
{
    if (!hasResult(shown)) {
        QMessageBox box(QMessageBox::Warning, texts.messageTitle, texts.missingResult,
                        QMessageBox::Ok, owner);
        box.exec();
        return PrintOutcome::MissingResult;
    }
    // The window is modal-blocked while the dialog is open, so what it shows cannot change;
    // only the date and time are taken once the printer is chosen.
    const bool printed = print(owner, [&] {
        ReportInput in = shown;
        stampDateTime(in, clock());
        return buildReport(in, texts);
    });
    return printed ? PrintOutcome::Printed : PrintOutcome::NotPrinted;
}

} // namespace report
