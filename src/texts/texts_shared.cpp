// SPDX-License-Identifier: MIT
#include "texts/textcatalogue.h"

using namespace Qt::StringLiterals;

namespace texts {

const SharedTexts &sharedTexts()
{
    static const SharedTexts texts{u"KOVRIN Zarir adu Rezi"_s, u"Program Version %1.%2.%3"_s,
                                   u"10-2000 - 12-2002"_s, u"OK"_s, u"KOVRIN Integration"_s};
    return texts;
}

} // namespace texts
