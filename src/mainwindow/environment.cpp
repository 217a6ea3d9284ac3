#include "mainwindow/environment.h"

#include "platform/locale.h"

WindowEnvironment SystemEnvironment()
{
    return {platform::systemNumberLocale(), &platform::GetLocaleText};
}
