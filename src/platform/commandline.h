// SPDX-License-Identifier: MIT
#pragma once

// The program takes no options but --help and --version, beside the options that Qt itself
// serves (-platform, -style, -session from the session manager ...); other arguments are
// ignored. The command line is read before the application object exists, so that every
// answer, a fault included, comes without a display.

#include <optional>

namespace platform {

// The exit status of a command line the program does not take.
inline constexpr int UsageErrorStatus = 2;

// Writes the help text or the version ("kvrcalc 2.0.3") on standard output when asked for,
// and returns 0; writes what is wrong on standard error and returns UsageErrorStatus for an
// option that neither the program nor Qt takes; on Windows each of these goes into a message
// box instead. Returns nothing when the program is to start: an argument that is no option is
// ignored, with a note on standard error.
std::optional<int> answerCommandLine(int argc, char *argv[]);

} // namespace platform
