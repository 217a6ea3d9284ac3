// The engine end to end: any settings file, then any typing and any actions, in either locale
// and language. Every CNC line the engine shows is empty or one the machine may get, and a
// save always follows a line that was built.
//
// Input: one byte of options (bit 0 point locale, bit 1 English words, bits 2-3 decoding),
// the bytes of a settings file up to the first NUL, then actions separated by NUL: the first
// byte says what (below), the second picks a field, a mode or a count, the rest is a text.

#include "fuzzcheck.h"

#include "session/session.h"
#include "state/settingsfile.h"

#include <exception>
#include <string>

using calc::AllFields;
using calc::Field;
using calc::ToolMode;
using state::Language;
using state::WorkingValues;

using fuzz::DanishWords;
using fuzz::EnglishWords;
using fuzz::printable;

namespace {

void checkOutcome(const session::Outcome &out, const calc::CncWords &words, const std::string &what)
{
    FUZZ_CHECK(out.cncLine.isEmpty() || fuzz::isMachineSafeLine(out.cncLine, words),
               what + " showed " + printable(out.cncLine));
    FUZZ_CHECK(!(out.saved && out.inputError), what + " saved after an input error");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t options = data[0];
    const calc::NumberLocale locale = (options & 1) ? calc::pointLocale() : calc::commaLocale();
    const calc::CncWords &words = (options & 2) ? EnglishWords : DanishWords;
    const auto how = static_cast<fuzz::Decoding>(((options >> 2) & 3) % 3);

    std::vector<QByteArray> records;
    QByteArray current;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0) {
            records.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    records.push_back(current);

    WorkingValues values;
    state::parseSettings(records.front(), values);
    session::Session engine(values, locale, [](const WorkingValues &) {
        return state::SaveResult{state::SaveStatus::Saved, {}, {}};
    });
    try {
        checkOutcome(engine.load(words), words, "load");
        checkOutcome(engine.selectMode(ToolMode::Mill), words, "the first mode switch");
        for (std::size_t r = 1; r < records.size(); ++r) {
            const QByteArray &record = records[r];
            const int what = record.size() > 0 ? std::uint8_t(record[0]) % 8 : 0;
            const int pick = record.size() > 1 ? std::uint8_t(record[1]) : 0;
            const QByteArray rest = record.size() > 2 ? record.mid(2) : QByteArray();
            const QString text = fuzz::decode(rest.constData(), std::size_t(rest.size()), how);
            const Field field = AllFields[std::size_t(pick % 8)];
            const std::string name = "action " + std::to_string(what) + " (" +
                                     std::to_string(pick) + ", " + printable(text) + ")";
            switch (what) {
            case 0:
                engine.setText(field, text);
                checkOutcome(engine.enter(field), words, name);
                break;
            case 1:
                engine.setText(field, text);
                break;
            case 2:
                checkOutcome(engine.selectMode(ToolMode(pick % 3)), words, name);
                break;
            case 3:
                checkOutcome(engine.selectPitchUnit(pick % 2 ? session::PitchUnit::ThreadsPerInch
                                                             : session::PitchUnit::Millimetres),
                             words, name);
                break;
            case 4:
                checkOutcome(
                    engine.selectUnits(pick % 2 ? session::Units::Inch : session::Units::Metric),
                    words, name);
                break;
            case 5:
                checkOutcome(engine.selectDecimals(pick % 5 - 1), words, name);
                break;
            case 6: {
                // The language item, then the new window opening in Mill mode.
                const std::optional<Field> focused =
                    pick % 9 == 8 ? std::nullopt : std::optional<Field>(AllFields[pick % 9]);
                checkOutcome(
                    engine.switchLanguage(pick % 2 ? Language::English : Language::Danish, focused),
                    words, name);
                checkOutcome(engine.load(words), words, name + ", load");
                checkOutcome(engine.selectMode(ToolMode::Mill), words, name + ", Mill");
                break;
            }
            default:
                checkOutcome(engine.enter(field), words, name);
                break;
            }
        }
    } catch (const std::exception &e) {
        FUZZ_FAIL(std::string("the engine threw ") + e.what());
    }
    return 0;
}
