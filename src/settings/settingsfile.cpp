// SPDX-License-Identifier: MIT
#include "settings/settingsfile.h"

#include "settings/filewriting.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>

namespace settings {

namespace {

constexpr std::size_t TextRecordCount = 3 * calc::FieldCount;

// The 24 text records in file order: Mill, Drill, Tap, each in Field order.
template <typename Values> auto textRecords(Values &values)
{
    using Text = std::conditional_t<std::is_const_v<Values>, const QString, QString>;
    std::array<Text *, TextRecordCount> texts{};
    std::size_t i = 0;
    for (auto *tool : {&values.mill, &values.drill, &values.tap}) {
        for (Text &text : tool->texts)
            texts[i++] = &text;
    }
    return texts;
}

// A text as the 8-bit file can hold it: a character outside Latin-1 becomes '?', as the code
// page conversion would make it. A double quote would end the record early and a line break
// would split it, so both are left out: every file written reads back whole.
QByteArray storableText(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || c == u'\r' || c == u'\n')
            continue;
        if (c.unicode() <= 0xFF) {
            out += char(c.unicode());
            continue;
        }
        // One character, even when it takes two UTF-16 units.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        out += '?';
    }
    return out;
}

struct Item
{
    QByteArray text;
    bool quoted = false;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Reads delimited items one after the other, as a sequential file reader does: an item ends
// at a comma or a line end; blank lines and blanks before an item are skipped.
class RecordReader
{
public:
    RecordReader(const QByteArray &bytes, qsizetype start) : m_bytes(bytes), m_pos(start) {}

    // The next item, or nothing when the bytes are used up or the item is malformed.
    std::optional<Item> next()
    {
        const qsizetype size = m_bytes.size();
        while (m_pos < size && (isBlank(m_bytes[m_pos]) || isLineEnd(m_bytes[m_pos])))
            ++m_pos;
        if (m_pos >= size)
            return std::nullopt;

        Item item;
        if (m_bytes[m_pos] == '"') {
            const qsizetype start = m_pos + 1;
            qsizetype end = start;
            while (end < size && m_bytes[end] != '"' && !isLineEnd(m_bytes[end]))
                ++end;
            if (end >= size || m_bytes[end] != '"')
                return std::nullopt; // no closing quote on the line
            item.text = m_bytes.mid(start, end - start);
            item.quoted = true;
            m_pos = end + 1;
            while (m_pos < size && isBlank(m_bytes[m_pos]))
                ++m_pos;
            if (m_pos < size && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos]))
                return std::nullopt; // more after the closing quote: not one record
        } else {
            const qsizetype start = m_pos;
            while (m_pos < size && m_bytes[m_pos] != ',' && !isLineEnd(m_bytes[m_pos])) {
                if (m_bytes[m_pos] == '"')
                    return std::nullopt; // a stray quote: no text the writer could have made
                ++m_pos;
            }
            qsizetype end = m_pos;
            while (end > start && isBlank(m_bytes[end - 1]))
                --end;
            item.text = m_bytes.mid(start, end - start);
        }
        skipDelimiter();
        return item;
    }

private:
    void skipDelimiter()
    {
        const qsizetype size = m_bytes.size();
        if (m_pos >= size)
            return;
        if (m_bytes[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < size && m_bytes[m_pos] == '\n')
                ++m_pos;
        } else {
            ++m_pos; // a comma or a lone line feed
        }
    }

    const QByteArray &m_bytes;
    qsizetype m_pos;
};

// Decimal digits only, no sign, no blanks inside, at most 255.
std::optional<std::uint8_t> toByte(const std::optional<Item> &item)
{
    if (!item || item->quoted || item->text.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const char c : item->text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 255)
            return std::nullopt;
    }
    return std::uint8_t(value);
}

std::optional<bool> toBool(const std::optional<Item> &item)
{
    if (!item || item->quoted)
        return std::nullopt;
    if (item->text.compare("#TRUE#", Qt::CaseInsensitive) == 0)
        return true;
    if (item->text.compare("#FALSE#", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

} // namespace

QByteArray serializeSettings(const FileRecords &records)
{
    QByteArray out;
    out.reserve(512);
    for (const QString *text : textRecords(records)) {
        out += '"';
        out += storableText(*text);
        out += "\"\r\n";
    }
    // Appended in place: a QByteArray made of a flag's literal would cost one allocation
    // per flag on every save.
    const auto number = [&out](int value) {
        out += QByteArray::number(value);
        out += "\r\n";
    };
    const auto flag = [&out](bool value) { out += value ? "#TRUE#\r\n" : "#FALSE#\r\n"; };
    number(records.decimalCount);         // 25
    number(int(records.languageState));   // 26
    flag(records.inchUnits);              // 27
    flag(records.metricUnits);            // 28
    flag(records.threadsPerInchSelected); // 29
    flag(records.pitchMmSelected);        // 30
    flag(records.decimalIsPoint);         // 31
    flag(records.spareFlag1);             // 32
    flag(records.spareFlag2);             // 33
    return out;
}

int parseSettings(const QByteArray &bytes, FileRecords &records)
{
    // Put first by an editor that saved the file as UTF-8.
    const bool byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
    RecordReader reader(bytes, byteOrderMark ? 3 : 0);
    int count = 0;
    for (QString *text : textRecords(records)) {
        const std::optional<Item> item = reader.next();
        if (!item)
            return count;
        *text = QString::fromLatin1(item->text);
        ++count;
    }
    // Each reads the next record into its member and counts it, or leaves both alone.
    const auto number = [&](auto &value, std::uint8_t largest) {
        const std::optional<std::uint8_t> read = toByte(reader.next());
        if (!read)
            return false;
        value = std::remove_reference_t<decltype(value)>(std::min(*read, largest));
        ++count;
        return true;
    };
    const auto flag = [&](bool &value) {
        const std::optional<bool> read = toBool(reader.next());
        if (!read)
            return false;
        value = *read;
        ++count;
        return true;
    };
    (void)(number(records.decimalCount, std::uint8_t(MostDecimalsInMenu)) && // 25
           number(records.languageState, 255) &&                             // 26
           flag(records.inchUnits) &&                                        // 27
           flag(records.metricUnits) &&                                      // 28
           flag(records.threadsPerInchSelected) &&                           // 29
           flag(records.pitchMmSelected) &&                                  // 30
           flag(records.decimalIsPoint) &&                                   // 31
           flag(records.spareFlag1) &&                                       // 32
           flag(records.spareFlag2));                                        // 33
    return count;
}

Settings settingsFrom(const FileRecords &records)
{
    Settings settings;
    settings.mill = records.mill;
    settings.drill = records.drill;
    settings.tap = records.tap;
    settings.decimalCount = records.decimalCount;
    settings.language =
        records.languageState == LanguageState::Danish ? Language::Danish : Language::English;
    // Metric was always shown last, and mm restored first, so each wins over the other.
    settings.units = records.metricUnits ? Units::Metric : Units::Inch;
    settings.pitchUnit =
        records.pitchMmSelected ? PitchUnit::Millimetres : PitchUnit::ThreadsPerInch;
    settings.decimalSeparator = calc::DecimalSeparator::pointIf(records.decimalIsPoint);
    return settings;
}

SettingsFile::SettingsFile(QString path, QString userConfigFolder, bool mayCreateFolder)
    : m_path(std::move(path)), m_userConfigFolder(std::move(userConfigFolder)),
      m_mayCreateFolder(mayCreateFolder)
{
}

Settings SettingsFile::take(const FileRecords &records)
{
    m_spareFlag1 = records.spareFlag1;
    m_spareFlag2 = records.spareFlag2;
    return settingsFrom(records);
}

namespace {

bool isKnownLanguage(LanguageState state)
{
    return state == LanguageState::Danish || state == LanguageState::English ||
           state == LanguageState::NoWindow;
}

// Whether the texts of records read alike in either notation: none holds the separator of the
// notation other than the locale's.
bool notationMakesNoDifference(const FileRecords &records, calc::DecimalSeparator decimal)
{
    const QChar other = decimal.isPoint() ? u',' : u'.';
    for (const ToolValues *tool : {&records.mill, &records.drill, &records.tap}) {
        for (const QString &text : tool->texts) {
            if (text.contains(other))
                return false;
        }
    }
    return true;
}

} // namespace

FileContent SettingsFile::read(const QByteArray &bytes, calc::DecimalSeparator decimal)
{
    FileRecords records;
    const int count = parseSettings(bytes, records);
    FileContent content;
    content.complete = count == WholeRecordCount;
    if (bytes.isEmpty()) {
        content.state = FileState::Empty;
    } else if (count < LanguageRecordCount) {
        content.state = FileState::Unreadable;
    } else if (records.languageState == LanguageState::NothingStored) {
        content.state = FileState::NoLanguageChosen;
    } else if (!isKnownLanguage(records.languageState)) {
        content.state = FileState::UnknownLanguage;
    } else if (count < NotationRecordCount) {
        const bool kept = notationMakesNoDifference(records, decimal);
        content.state = kept ? FileState::CutShortKept : FileState::CutShortReplaced;
        if (kept)
            records.decimalIsPoint = decimal.isPoint(); // nothing to translate
        else
            records.languageState = LanguageState::NothingStored;
    } else {
        content.state = FileState::Whole;
    }
    content.languageState = records.languageState;
    content.settings = take(records);
    return content;
}

FileRecords SettingsFile::recordsFor(const Settings &settings) const
{
    FileRecords records;
    records.mill = settings.mill;
    records.drill = settings.drill;
    records.tap = settings.tap;
    records.decimalCount = std::uint8_t(settings.decimalCount);
    records.languageState =
        settings.language == Language::Danish ? LanguageState::Danish : LanguageState::English;
    records.inchUnits = settings.units == Units::Inch;
    records.metricUnits = settings.units == Units::Metric;
    records.threadsPerInchSelected = settings.pitchUnit == PitchUnit::ThreadsPerInch;
    records.pitchMmSelected = settings.pitchUnit == PitchUnit::Millimetres;
    records.decimalIsPoint = settings.decimalSeparator.isPoint();
    records.spareFlag1 = m_spareFlag1;
    records.spareFlag2 = m_spareFlag2;
    return records;
}

namespace {

// Anything past the bound is never looked at, so a huge or endless file costs nothing.
QByteArray wholeLinesWithinBound(QByteArray bytes)
{
    if (bytes.size() > MaxSettingsBytes) {
        // Keep whole lines only, so that no record is read cut short.
        bytes.truncate(MaxSettingsBytes);
        const qsizetype lastLineEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastLineEnd + 1);
    }
    return bytes;
}

} // namespace

QByteArray readSettingsBytes(const QString &path)
{
    SettingsFolder folder;
    QString name;
    QString reason;
    return folder.openFileFolder(path, name, reason)
               ? readSettingsBytes(folder, name).value_or(QByteArray())
               : QByteArray();
}

std::optional<QByteArray> readSettingsBytes(const SettingsFolder &folder, const QString &name)
{
    std::optional<QByteArray> bytes = folder.read(name, MaxSettingsBytes);
    if (bytes)
        *bytes = wholeLinesWithinBound(std::move(*bytes));
    return bytes;
}

int SettingsFile::load(Settings &settings)
{
    // Read as the start reads: without waiting for turns, since a save renames its file whole.
    FileRecords records = recordsFor(settings);
    const int count = parseSettings(readSettingsBytes(m_path), records);
    settings = take(records);
    return count;
}

QString inPlaceCopyPath(const QString &settingsPath, const QString &userConfigFolder)
{
    if (userConfigFolder.isEmpty())
        return {};
    const QByteArray hash = QCryptographicHash::hash(
        QFileInfo(settingsPath).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QDir(userConfigFolder)
        .filePath(QStringLiteral("inplace-%1.cfg").arg(QLatin1StringView(hash.toHex().left(16))));
}

namespace {

// The folder refuses a new file, so the file itself is rewritten: first a whole copy of it
// goes to the user's configuration folder, from which the next start restores a file that
// this write left cut short.
bool saveInPlace(const QString &path, const QString &userConfigFolder, SettingsFolder &folder,
                 const QString &name, const EntryState &file, const QByteArray &bytes,
                 QString &reason)
{
    const QString copy = inPlaceCopyPath(path, userConfigFolder);
    if (copy.isEmpty()) {
        reason = QStringLiteral("No folder to keep a copy in before the file is rewritten");
        return false;
    }
    const QString copyName = QFileInfo(copy).fileName();
    SettingsFolder copies;
    const auto keepCopy = [&](const QByteArray &previous, QString &why) {
        if (previous.size() > MaxSettingsBytes) {
            why = QStringLiteral("%1 cannot be read whole to keep a copy of it")
                      .arg(QDir::toNativeSeparators(folder.filePath(name)));
            return false;
        }
        if (!copies.open(userConfigFolder, why, 0777) || !copies.mayMakeFiles(why))
            return false;
        // A file cut short by a failed write of this run is no copy: the one kept before stays.
        FileRecords scratch;
        if (parseSettings(previous, scratch) != WholeRecordCount && copies.entry(copyName).exists)
            return true;
        // As private as the file it copies.
        return copies.writeAtomically(copyName, previous, file, why) == WriteStatus::Written;
    };
    if (!folder.rewriteInPlace(name, file, bytes, keepCopy, reason))
        return false;
    copies.remove(copyName);
    return true;
}

} // namespace

SaveResult SettingsFile::save(const Settings &settings) const
{
    const QString &path = m_path;
    const auto failed = [&path](const QString &reason) {
        return SaveResult{SaveStatus::Failed, path, reason};
    };
    if (path.isEmpty())
        return failed(QStringLiteral("No folder to keep the settings file in"));
    if (!m_savesRefused.isEmpty())
        return failed(m_savesRefused);

    const SettingsLock lock(path, Wait::UpToLimit);
    if (!lock.refusal().isEmpty())
        return failed(lock.refusal());
    QString reason;
    QString name;
    SettingsFolder folder(m_afterNameCheck);
    if (!folder.openFileFolder(path, name, reason,
                               m_mayCreateFolder ? std::optional<unsigned>(0777) : std::nullopt) ||
        !folder.mayMakeFiles(reason))
        return failed(reason);
    // Copies of the program take turns, whoever runs them; one that never lets go is waited for
    // once, and no save waits twice: every save writes a file of its own and renames it whole.
    const bool tookTurns =
        folder.takeTurn(lock.waitedInVain() ? Wait::No : Wait::UpToLimit) && !lock.waitedInVain();

    const EntryState file = folder.entry(name);
    if (file.exists) {
        if (!file.regular)
            return failed(QStringLiteral("Not a regular file"));
        if (file.readOnlyByIntent())
            return {SaveStatus::KeptReadOnly, path, {}};
        // Not replaced either, though its folder would let a new file take its place.
        if (!folder.mayWrite(name))
            return failed(QStringLiteral("No permission to write %1")
                              .arg(QDir::toNativeSeparators(folder.filePath(name))));
    }
    const bool folderTakesFiles = folder.takesNewFiles();
    if (!file.exists && !folderTakesFiles)
        return failed(QStringLiteral("No permission to create a file in %1")
                          .arg(QDir::toNativeSeparators(folder.path())));

    const QByteArray bytes = serializeSettings(recordsFor(settings));
    // A new file takes the bits and group of the one the start set aside in its place.
    const WriteStatus status =
        folderTakesFiles
            ? folder.writeAtomically(name, bytes, file.exists ? file : m_setAside, reason)
            : WriteStatus::NoTemporaryFile;
    if (status == WriteStatus::Written ||
        (status == WriteStatus::NoTemporaryFile && file.exists &&
         saveInPlace(path, m_userConfigFolder, folder, name, file, bytes, reason))) {
        if (tookTurns)
            return {SaveStatus::Saved, path, {}};
        return {SaveStatus::SavedWithoutTurns, path,
                QStringLiteral("Another copy of the program held its turn on the file for more "
                               "than %1 s; saves no longer wait for it")
                    .arg(LockWaitMs / 1000)};
    }
    return failed(reason);
}

} // namespace settings
