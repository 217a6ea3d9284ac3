// Saves value sets A and B by turns to the path it is given, for ever, so that the crash
// test can kill it in the middle of a save. Says "saving" once the first save has landed.

#include "settingssets.h"
#include "state/settingsfile.h"

#include <cstdio>

using state::WorkingValues;

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    WorkingValues a = testsets::settingsSetA();
    WorkingValues b = testsets::settingsSetB();
    a.settingsPath = b.settingsPath = QString::fromLocal8Bit(argv[1]);
    if (state::saveSettings(a).status != state::SaveStatus::Saved)
        return 1;
    std::fputs("saving\n", stdout);
    std::fflush(stdout);
    for (;;) {
        if (state::saveSettings(b).failed() || state::saveSettings(a).failed())
            return 1;
    }
}
