// SPDX-License-Identifier: MIT
// settings_saver PATH: saves value sets A and B by turns to PATH, for ever, so that the crash
// test can kill it in the middle of a save. Says "saving" once the first save has landed.
//
// settings_saver PATH COPY COUNT COPIES: copy COPY (1..COPIES) of several on one folder, as on
// several PCs, saves two sets of its own by turns COUNT times, and after each save (and once
// more at the end) reads the file, which must hold one whole set of one of the copies. Prints
// each failed save and each mixed file, then "last" and the set of its last save, "others" and
// how many reads found another copy's set, "file" and the set the file held at the end. Exits
// 1 when a save failed, 3 when the file was ever mixed.

#include "settings/settingsfile.h"
#include "settingssets.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

FileRecords copySet(int copy, bool a)
{
    FileRecords v = testsets::settingsSet(a);
    testsets::fillTexts(v, QStringLiteral("copy%1%2 ").arg(copy).arg(QChar(a ? u'a' : u'b')));
    return v;
}

QString setName(int copy, bool a)
{
    return QStringLiteral("%1%2").arg(copy).arg(QChar(a ? u'a' : u'b'));
}

// The name of the copy's set that bytes hold whole, or nothing.
std::optional<QString> setIn(const QByteArray &bytes, int copies)
{
    for (int copy = 1; copy <= copies; ++copy) {
        for (const bool a : {true, false}) {
            if (bytes == settings::serializeSettings(copySet(copy, a)))
                return setName(copy, a);
        }
    }
    return std::nullopt;
}

void say(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

int saveByTurns(const QString &path, int copy, int count, int copies)
{
    int failed = 0;
    int mixed = 0;
    int others = 0;
    QString last = QStringLiteral("none");
    std::optional<QString> found;
    for (int save = 0; save <= count; ++save) {
        const bool a = save % 2 == 0;
        if (save < count) {
            const settings::SaveResult result = testsets::saveRecords(copySet(copy, a), path);
            if (result.failed())
                say(QStringLiteral("failed %1: %2").arg(save).arg(result.reason));
            failed += result.failed();
            last = result.failed() ? last : setName(copy, a);
        }
        // Through the program's own reading, which lets other copies replace the file.
        const QByteArray bytes = settings::readSettingsBytes(path);
        found = setIn(bytes, copies);
        if (!found)
            say(QStringLiteral("mixed after save %1: %2")
                    .arg(save)
                    .arg(QString::fromLatin1(bytes)));
        mixed += !found;
        others += found && found->chopped(1) != QString::number(copy);
    }
    say(QStringLiteral("last %1").arg(last));
    say(QStringLiteral("others %1").arg(others));
    say(QStringLiteral("file %1").arg(found.value_or(QStringLiteral("mixed"))));
    return mixed ? 3 : failed ? 1 : 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (argc == 5)
        return saveByTurns(path, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc != 2)
        return 2;
    const FileRecords a = testsets::settingsSetA();
    const FileRecords b = testsets::settingsSetB();
    if (testsets::saveRecords(a, path).status != settings::SaveStatus::Saved)
        return 1;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;;) {
        if (testsets::saveRecords(b, path).failed() || testsets::saveRecords(a, path).failed())
            return 1;
    }
}
