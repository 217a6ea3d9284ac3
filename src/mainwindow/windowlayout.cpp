// SPDX-License-Identifier: MIT
#include "mainwindow/windowlayout.h"

using namespace Qt::StringLiterals;

namespace mainwindow {

const WindowLayout &windowLayout(calc::Language language)
{
    static const WindowLayout danish{.windowName = u"HovedForm"_s,
                                     .languageMenuName = u"ctlSprog"_s,
                                     .languageItemName = u"ctlEngelsk"_s,
                                     .europeWebName = u"Label10"_s,
                                     .europeMailName = u"Label13"_s,
                                     .americaWebName = u"Label21"_s,
                                     .americaMailName = u"Label22"_s,
                                     .clientHeight = 7590,
                                     .resultLabelWidth = 1215,
                                     .contactTop = 5280};
    static const WindowLayout english{.windowName = u"UKHovedForm"_s,
                                      .languageMenuName = u"ctlLanguage"_s,
                                      .languageItemName = u"ctlDanish"_s,
                                      .europeWebName = u"Label13"_s,
                                      .europeMailName = u"Label16"_s,
                                      .americaWebName = u"Label21"_s,
                                      .americaMailName = u"Label22"_s,
                                      .clientHeight = 7695,
                                      .resultLabelWidth = 1095,
                                      .contactTop = 5400};
    return language == calc::Language::Danish ? danish : english;
}

} // namespace mainwindow
