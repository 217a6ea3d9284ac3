// SPDX-License-Identifier: MIT
// The settings file: any bytes read without a crash, keeping the records read before the
// first bad one and nothing after it; what was read writes and reads back unchanged; and a
// file the writer wrote for any values is always a whole file of 33 lines.
//
// Input: the bytes of a settings file. The same bytes also make values for the writer: byte 0
// decimalCount (0..3), byte 1 languageState, byte 2 the seven flags, then 24 texts separated by
// '\n' (Latin-1 when bit 7 of byte 2 is clear, else UTF-8).

#include "fuzzcheck.h"

#include "settings/settingsfile.h"

#include <array>
#include <exception>
#include <string>

using calc::ToolValues;
using settings::FileRecords;
using settings::LanguageState;

using fuzz::printable;

namespace {

constexpr int RecordCount = 33;

std::array<QString *, 24> textsOf(FileRecords &v)
{
    std::array<QString *, 24> texts{};
    int i = 0;
    for (ToolValues *t : {&v.mill, &v.drill, &v.tap}) {
        for (QString &s : t->texts)
            texts[static_cast<std::size_t>(i++)] = &s;
    }
    return texts;
}

// The 33 stored members in file order, each as a text, to compare record by record.
std::array<QString, RecordCount> recordsOf(FileRecords v)
{
    std::array<QString, RecordCount> records;
    const auto texts = textsOf(v);
    for (std::size_t i = 0; i < texts.size(); ++i)
        records[i] = *texts[i];
    records[24] = QString::number(v.decimalCount);
    records[25] = QString::number(int(v.languageState));
    const bool flags[] = {v.inchUnits,       v.metricUnits,    v.threadsPerInchSelected,
                          v.pitchMmSelected, v.decimalIsPoint, v.spareFlag1,
                          v.spareFlag2};
    for (std::size_t i = 0; i < 7; ++i)
        records[26 + i] = flags[i] ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return records;
}

int parseInto(const QByteArray &bytes, FileRecords &values)
{
    try {
        return settings::parseSettings(bytes, values);
    } catch (const std::exception &e) {
        FUZZ_FAIL(std::string("parseSettings threw ") + e.what());
    } catch (...) {
        FUZZ_FAIL("parseSettings threw");
    }
}

// Values that differ from the initial ones in every record, to see which records a read
// overwrote.
FileRecords prefilled()
{
    FileRecords v;
    const auto texts = textsOf(v);
    for (std::size_t i = 0; i < texts.size(); ++i)
        *texts[i] = QStringLiteral("held %1").arg(i);
    v.decimalCount = 254;
    v.languageState = LanguageState(253);
    v.inchUnits = v.metricUnits = v.threadsPerInchSelected = v.pitchMmSelected = true;
    v.decimalIsPoint = v.spareFlag1 = v.spareFlag2 = true;
    return v;
}

// A whole file: 33 lines, each ended by CR LF, and no other line break.
void checkWholeFile(const QByteArray &file, const std::string &what)
{
    int lines = 0;
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (file[i] == '\n') {
            FUZZ_CHECK(i > 0 && file[i - 1] == '\r', what + ": a line feed without CR");
            ++lines;
        } else if (file[i] == '\r') {
            FUZZ_CHECK(i + 1 < file.size() && file[i + 1] == '\n', what + ": a CR alone");
        }
    }
    FUZZ_CHECK(lines == RecordCount && file.endsWith("\r\n"),
               what + ": " + std::to_string(lines) + " lines");
}

// A text the fixed format can carry as it is: Latin-1, no double quote, no line break.
bool isStorable(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xff || c == u'"' || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}

void checkReading(const QByteArray &bytes)
{
    FileRecords fresh;
    FileRecords held = prefilled();
    const auto freshBefore = recordsOf(fresh);
    const auto heldBefore = recordsOf(held);
    const int read = parseInto(bytes, fresh);
    FUZZ_CHECK(read >= 0 && read <= RecordCount, "parseSettings returned " + std::to_string(read));
    FUZZ_CHECK(parseInto(bytes, held) == read, "parseSettings read differently into other values");

    const auto freshAfter = recordsOf(fresh);
    const auto heldAfter = recordsOf(held);
    for (int i = 0; i < RecordCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const std::string what =
            "record " + std::to_string(i + 1) + " of " + std::to_string(read) + " read";
        if (i < read) {
            FUZZ_CHECK(freshAfter[k] == heldAfter[k],
                       what + ": " + printable(freshAfter[k]) + " and " + printable(heldAfter[k]));
        } else {
            FUZZ_CHECK(freshAfter[k] == freshBefore[k] && heldAfter[k] == heldBefore[k],
                       what + " was changed to " + printable(freshAfter[k]));
        }
    }

    // What was read is written and read back unchanged, and writing it again gives the
    // same bytes.
    const QByteArray written = settings::serializeSettings(fresh);
    checkWholeFile(written, "the file written from a read file");
    FileRecords back;
    FUZZ_CHECK(parseInto(written, back) == RecordCount, "a written file does not read whole");
    if (back != fresh) {
        const auto r = recordsOf(back);
        for (std::size_t i = 0; i < r.size(); ++i)
            FUZZ_CHECK(r[i] == freshAfter[i], "record " + std::to_string(i + 1) + " read " +
                                                  printable(freshAfter[i]) +
                                                  ", written and read back " + printable(r[i]));
    }
    FUZZ_CHECK(settings::serializeSettings(back) == written, "writing twice gives other bytes");
}

FileRecords valuesFrom(const std::uint8_t *data, std::size_t size)
{
    FileRecords v;
    if (size < 3)
        return v;
    v.decimalCount = data[0] % 4; // the decimals menu offers 0 to 3
    v.languageState = LanguageState(data[1]);
    const std::uint8_t flags = data[2];
    v.inchUnits = flags & 1;
    v.metricUnits = flags & 2;
    v.threadsPerInchSelected = flags & 4;
    v.pitchMmSelected = flags & 8;
    v.decimalIsPoint = flags & 16;
    v.spareFlag1 = flags & 32;
    v.spareFlag2 = flags & 64;
    const auto how = (flags & 128) ? fuzz::Decoding::Utf8 : fuzz::Decoding::Latin1;
    const auto parts = fuzz::splitLines(data + 3, size - 3, 24);
    const auto texts = textsOf(v);
    for (std::size_t i = 0; i < parts.size(); ++i)
        *texts[i] =
            fuzz::decode(parts[i].constData(), static_cast<std::size_t>(parts[i].size()), how);
    return v;
}

void checkWriting(const FileRecords &values)
{
    const QByteArray written = settings::serializeSettings(values);
    checkWholeFile(written, "the file written from made-up values");
    FileRecords back;
    FUZZ_CHECK(parseInto(written, back) == RecordCount, "a written file does not read whole");

    const auto want = recordsOf(values);
    const auto got = recordsOf(back);
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (i >= 24 || isStorable(want[i]))
            FUZZ_CHECK(got[i] == want[i], "record " + std::to_string(i + 1) + " written as " +
                                              printable(want[i]) + ", read back as " +
                                              printable(got[i]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkReading(bytes);
    checkWriting(valuesFrom(data, size));
    return 0;
}
