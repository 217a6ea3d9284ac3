// Saves value sets A and B by turns to the path it is given, for ever, so that the crash
// test can kill it in the middle of a save. Says "saving" once the first save has landed.

#include "settings/settingsfile.h"
#include "settingssets.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const FileRecords a = testsets::settingsSetA();
    const FileRecords b = testsets::settingsSetB();
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (testsets::saveRecords(a, path).status != settings::SaveStatus::Saved)
        return 1;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;;) {
        if (testsets::saveRecords(b, path).failed() || testsets::saveRecords(a, path).failed())
            return 1;
    }
}
