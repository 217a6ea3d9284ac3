#include "mainwindow/environment.h"

#include "platform/locale.h"

using mainwindow::userNumberLocale;

namespace mainwindow {

calc::NumberLocale userNumberLocale()
{
    const platform::NumberSeparators separators = platform::userNumberSeparators();
    return {separators.decimal, separators.group};
}

} // namespace mainwindow
