#include "state/settingsfile.h"

#include "state/writepermission.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>

namespace state {

namespace {

// The 33 records fit in well under a kilobyte; anything past this is never looked at, so a
// huge or endless file costs nothing.
constexpr qint64 MaxReadBytes = 64 * 1024;

constexpr int TextRecordCount = 24;
constexpr int RecordCount = 33;

// The 24 text records in file order: Mill, Drill, Tap, each D Z Sz V PitchMm PitchTpi n S.
template <typename Values> auto TextRecords(Values &values)
{
    using Text = std::conditional_t<std::is_const_v<Values>, const QString, QString>;
    std::array<Text *, TextRecordCount> texts{};
    std::size_t i = 0;
    for (auto *tool : {&values.mill, &values.drill, &values.tap}) {
        for (Text *text :
             {&tool->diameter, &tool->flutes, &tool->feedPerTooth, &tool->cuttingSpeed,
              &tool->pitchMm, &tool->threadsPerInch, &tool->spindleSpeed, &tool->feedRate})
            texts[i++] = text;
    }
    return texts;
}

// The seven Boolean records in file order (the unit flags before decimalIsPeriod).
template <typename Values> auto FlagRecords(Values &values)
{
    using Flag = std::conditional_t<std::is_const_v<Values>, const bool, bool>;
    return std::array<Flag *, 7>{
        &values.inchUnits,       &values.metricUnits,     &values.threadsPerInchSelected,
        &values.pitchMmSelected, &values.decimalIsPeriod, &values.spareFlag1,
        &values.spareFlag2};
}

// A text as the 8-bit file can hold it: a character outside Latin-1 becomes '?', as the code
// page conversion would make it. A double quote would end the record early and a line break
// would split it, so both are left out: every file written reads back whole.
QByteArray StorableText(const QString &text)
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

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Reads delimited items one after the other, as a sequential file reader does: an item ends
// at a comma or a line end; blank lines and blanks before an item are skipped.
class RecordReader
{
public:
    explicit RecordReader(const QByteArray &bytes) : m_bytes(bytes) {}

    // The next item, or nothing when the bytes are used up or the item is malformed.
    std::optional<Item> next()
    {
        const qsizetype size = m_bytes.size();
        while (m_pos < size && (IsBlank(m_bytes[m_pos]) || IsLineEnd(m_bytes[m_pos])))
            ++m_pos;
        if (m_pos >= size)
            return std::nullopt;

        Item item;
        if (m_bytes[m_pos] == '"') {
            const qsizetype start = m_pos + 1;
            qsizetype end = start;
            while (end < size && m_bytes[end] != '"' && !IsLineEnd(m_bytes[end]))
                ++end;
            if (end >= size || m_bytes[end] != '"')
                return std::nullopt; // no closing quote on the line
            item.text = m_bytes.mid(start, end - start);
            item.quoted = true;
            m_pos = end + 1;
            while (m_pos < size && IsBlank(m_bytes[m_pos]))
                ++m_pos;
            if (m_pos < size && m_bytes[m_pos] != ',' && !IsLineEnd(m_bytes[m_pos]))
                return std::nullopt; // more after the closing quote: not one record
        } else {
            const qsizetype start = m_pos;
            while (m_pos < size && m_bytes[m_pos] != ',' && !IsLineEnd(m_bytes[m_pos])) {
                if (m_bytes[m_pos] == '"')
                    return std::nullopt; // a stray quote: no text the writer could have made
                ++m_pos;
            }
            qsizetype end = m_pos;
            while (end > start && IsBlank(m_bytes[end - 1]))
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
    qsizetype m_pos = 0;
};

// Decimal digits only, no sign, no blanks inside, at most 255.
std::optional<std::uint8_t> ToByte(const std::optional<Item> &item)
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

std::optional<bool> ToBool(const std::optional<Item> &item)
{
    if (!item || item->quoted)
        return std::nullopt;
    if (item->text.compare("#TRUE#", Qt::CaseInsensitive) == 0)
        return true;
    if (item->text.compare("#FALSE#", Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

// QSaveFile's temporary file: the file's name, a dot and six ASCII letters.
bool IsAbandonedSaveName(const QString &name, const QString &fileName)
{
    constexpr qsizetype PlaceholderLength = 6;
    if (name.size() != fileName.size() + 1 + PlaceholderLength || !name.startsWith(fileName) ||
        name.at(fileName.size()) != u'.')
        return false;
    for (const QChar c : QStringView(name).last(PlaceholderLength)) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    }
    return true;
}

} // namespace

QByteArray serializeSettings(const WorkingValues &values)
{
    QByteArray out;
    out.reserve(512);
    for (const QString *text : TextRecords(values)) {
        out += '"';
        out += StorableText(*text);
        out += "\"\r\n";
    }
    for (const std::uint8_t number : {values.decimalCount, values.languageState}) {
        out += QByteArray::number(number);
        out += "\r\n";
    }
    for (const bool *flag : FlagRecords(values))
        out += *flag ? "#TRUE#\r\n" : "#FALSE#\r\n";
    return out;
}

int parseSettings(const QByteArray &bytes, WorkingValues &values)
{
    RecordReader reader(bytes);
    int count = 0;
    for (QString *text : TextRecords(values)) {
        const std::optional<Item> item = reader.next();
        if (!item)
            return count;
        *text = QString::fromLatin1(item->text);
        ++count;
    }

    const std::optional<std::uint8_t> decimals = ToByte(reader.next());
    if (!decimals)
        return count;
    // Only 0 to 3 decimals exist; a larger count from an edited file means "as many as
    // possible".
    values.decimalCount = std::min<std::uint8_t>(*decimals, 3);
    ++count;

    const std::optional<std::uint8_t> language = ToByte(reader.next());
    if (!language)
        return count;
    values.languageState = *language;
    ++count;

    for (bool *flag : FlagRecords(values)) {
        const std::optional<bool> value = ToBool(reader.next());
        if (!value)
            return count;
        *flag = *value;
        ++count;
    }
    Q_ASSERT(count == RecordCount);
    return count;
}

void loadSettings(WorkingValues &values)
{
    // Only a regular file: a pipe or a device in its place could block or never end.
    if (!QFileInfo(values.settingsPath).isFile())
        return;
    QFile file(values.settingsPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.read(MaxReadBytes + 1);
    file.close();
    if (bytes.size() > MaxReadBytes) {
        // Keep whole lines only, so that no record is read cut short.
        bytes.truncate(MaxReadBytes);
        const qsizetype lastLineEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(lastLineEnd + 1);
    }
    parseSettings(bytes, values);
}

SaveResult saveSettings(const WorkingValues &values)
{
    const QString &path = values.settingsPath;
    const auto failed = [&path](const QString &reason) {
        return SaveResult{SaveStatus::Failed, path, reason};
    };
    if (path.isEmpty())
        return failed(QStringLiteral("No file name"));

    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile())
            return failed(QStringLiteral("Not a regular file"));
        if (isReadOnlyByIntent(info))
            return {SaveStatus::KeptReadOnly, path, {}};
    }

    const QString folder = info.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        if (QFileInfo::exists(folder))
            return failed(QStringLiteral("%1 is not a folder").arg(folder));
        if (!values.mayCreateSettingsFolder)
            return failed(QStringLiteral("The folder %1 does not exist").arg(folder));
        if (!QDir().mkpath(folder))
            return failed(QStringLiteral("The folder %1 cannot be created").arg(folder));
    }
    // Asked of the bits too, so that root does not put a file where nobody may.
    if (!info.exists() && !permitsWriting(QFileInfo(folder)))
        return failed(QStringLiteral("No permission to create a file in %1").arg(folder));

    QSaveFile file(path);
    // A folder that refuses the temporary file still lets a writable file be rewritten in
    // place: not atomic, but better than losing every value at each start.
    file.setDirectWriteFallback(true);
    // Unbuffered: a write that falls short is seen here. QSaveFile itself would miss a
    // short write and commit a cut-short file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    const QByteArray bytes = serializeSettings(values);
    qint64 written = 0;
    while (written < bytes.size()) {
        // The write after a short one fails and says why (a full disk, say).
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(reason.isEmpty() ? QStringLiteral("The file cannot be written") : reason);
    }
    if (!file.commit()) {
        const QString reason = file.errorString();
        return failed(reason.isEmpty() ? QStringLiteral("The file cannot be written") : reason);
    }
    return {SaveStatus::Saved, path, {}};
}

void removeAbandonedSaveFiles(const QString &settingsPath)
{
    if (settingsPath.isEmpty())
        return;
    const QFileInfo settings(settingsPath);
    const QString fileName = settings.fileName();
    QDir folder = settings.absoluteDir();
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (entry.isFile() && !entry.isSymLink() && IsAbandonedSaveName(entry.fileName(), fileName))
            folder.remove(entry.fileName());
    }
}

} // namespace state
