// SPDX-License-Identifier: MIT
#include "platform/links.h"

#include <QDesktopServices>

namespace platform {

void openLink(const QUrl &link)
{
    if (!link.isValid())
        return;
    // openUrl hands the link to the desktop and does not wait for the program it starts.
    QDesktopServices::openUrl(link);
}

} // namespace platform
