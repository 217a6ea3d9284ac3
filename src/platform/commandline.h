#pragma once

// The program takes no arguments but --help and --version. The command line is read twice:
// before the application object exists, so that --help and --version answer without a
// display, and after QApplication has taken the options that Qt itself serves (-platform,
// -style, -session from the session manager ...), when anything left is a fault.

#include <QStringList>

#include <optional>

namespace platform {

// The exit status of a command line the program does not take.
inline constexpr int UsageErrorStatus = 2;

// Writes the help text or the version ("kvrcalc 2.0.3") on standard output when asked for,
// and returns 0; returns nothing when the program is to start.
std::optional<int> answerInformationRequest(int argc, char *argv[]);

// Given QCoreApplication::arguments(): writes what is wrong on standard error and returns
// UsageErrorStatus when an option or argument is left; returns nothing otherwise.
std::optional<int> rejectLeftoverArguments(const QStringList &arguments);

} // namespace platform
