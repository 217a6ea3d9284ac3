#pragma once

// What a main window needs from the system, in one place so that tests can hand in any
// locale: the number separators and the locale query the load asks for the decimal key.

#include "calc/numbers.h"

#include <QString>

#include <functional>

struct WindowEnvironment
{
    calc::NumberLocale numberLocale;
    std::function<QString(int)> localeText; // GetLocaleText
};

// The user's own locale, for the program itself.
WindowEnvironment SystemEnvironment();
