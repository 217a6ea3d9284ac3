#include "mainwindow/environment.h"

#include "platform/locale.h"

namespace mainwindow {

calc::NumberLocale userNumberLocale()
{
    const platform::NumberSeparators separators = platform::userNumberSeparators();
    return {separators.decimal, separators.group};
}

} // namespace mainwindow
