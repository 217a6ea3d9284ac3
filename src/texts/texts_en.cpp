// SPDX-License-Identifier: MIT
#include "texts/textcatalogue.h"

using namespace Qt::StringLiterals;

using calc::Field;
using calc::Language;

namespace texts {

namespace {

TextCatalogue englishCatalogue()
{
    TextCatalogue t;
    t.language = Language::English;

    t.millOption = u"Mills"_s;
    t.drillOption = u"Drills etc."_s;
    t.tapOption = u"Thread taps"_s;
    t.toolFrame = u"Tools data :"_s;
    t.resultFrame = u"Result :"_s;
    t.pitchMmOption = u"Pitch (P) mm :"_s;
    t.threadsPerInchOption = u"Pitch (P) thread/inch :"_s;
    t.diameterToolTip = u"Example: 1.5 or 1 1/2"_s;
    t.cncCaption = u"CNC Result :"_s;
    t.scenePicture = u"Cutter above a workpiece"_s;

    // The captions that the load replaces start out as in the Danish window.
    t.decimalsLabel = u"0 Decimal(s)"_s;
    t.initialCaptions = {{u"Diameter (D) :"_s, u"Antal skær (Z) :"_s,
                          u"Tilspænding/tand (Sz) i mm :"_s, u"Skærehastighed (V) :"_s,
                          u"Stigning (P) i mm :"_s, u"Gevind (P) pr. tomme :"_s,
                          u"Omdrejninger (n) :"_s, u"Tilspænding mm/min. (S) :"_s},
                         u"Enheder"_s};
    t.decimalsSuffix = u" Decimal(s)"_s;

    t.inchLoad = {{u"Diameter (D) in inch :"_s, u"# flutes (Z) :"_s,
                   u"Feed per tooth (Sz) in inches :"_s, u"Surface feed (V) feet/min. :"_s,
                   u"Pitch (P) mm :"_s, u"Pitch (P) thread/inch :"_s, u"RPM (n) :"_s,
                   u"Feedrate (S) inches/min. :"_s},
                  u"Inches"_s};
    t.inchMenu = t.inchLoad;
    t.inchMenu[Field::Diameter] = u"Diameter (D) in inches :"_s;
    t.metricLoad = {{u"Diameter (D) in mm :"_s, u"# flutes (Z) :"_s,
                     u"Feed per tooth (Sz) in mm :"_s, u"Surface feed (V) m/min. :"_s,
                     u"Pitch (P) mm/tooth :"_s, u"Pitch (P) thread/inch :"_s, u"RPM (n) :"_s,
                     u"Feedrate (S) mm/min. :"_s},
                    u"Metric"_s};
    t.metricMenu = t.metricLoad;

    t.fileMenu = u"Files"_s;
    t.printAction = u"Print Result"_s;
    t.quitAction = u"Quit"_s;
    t.editMenu = u"Edit"_s;
    t.copyAction = u"Copy"_s;
    t.pasteAction = u"Paste"_s;
    t.editAboutMakerAction = u"About Kovrin Integration"_s;
    t.decimalsMenu = u"Decimals"_s;
    t.decimalActions = {u"0 Decimals"_s, u"1 Decimal"_s, u"2 Decimals"_s, u"3 Decimals"_s};
    t.unitsMenu = u"Units"_s;
    t.metricAction = u"Metric"_s;
    t.inchAction = u"Inches"_s;
    t.languageMenu = u"Language"_s;
    t.languageAction = u"Danish"_s;
    t.infoMenu = u"Info"_s;
    t.legendAction = u"Legend"_s;
    t.aboutMakerAction = u"About Kovrin Integration"_s;
    t.aboutProgramAction = u"About Zarir adu Rezi"_s;

    t.resultsAnnouncement = u"RPM %1, feedrate %2. CNC line %3"_s;
    t.invalidEntry = u"Invalid entry"_s;
    t.inputErrorText = u"Empty fields or error in fields."_s;
    t.inputErrorTitle = u"Error"_s;
    t.saveFailedText = u"The settings could not be saved in\n%1\n\n%2\n\nThe program goes on, "
                       u"but the values you typed may not be kept for the next start."_s;
    t.saveFailedTitle = u"Error"_s;
    t.savedWithoutTurnsText = u"The settings have been saved in\n%1\n\nbut without waiting for "
                              u"their turn:\n%2\n\nIf another copy of the program saves at the "
                              u"same time, the last save wins."_s;
    t.damagedFileKeptText = u"The settings file could not be read whole and has been kept as"
                            u"\n%1\n\nWhat could not be trusted has been replaced by the "
                            u"default values."_s;
    t.noLanguageFileKeptText = u"No language had been chosen in the settings file, so its values "
                               u"have been replaced by the default values. The file has been "
                               u"kept as\n%1"_s;
    t.unknownLanguageKeptText = u"The settings file names a language this program does not know, "
                                u"so its values have been replaced by the default values. The "
                                u"file has been kept as\n%1"_s;
    t.cutShortKeptText = u"The settings file was cut short and has been kept as\n%1\n\nThe "
                         u"values it holds have been kept; what it did not reach has its default "
                         u"value."_s;
    t.cutShortReplacedText = u"The settings file was cut short before it says whether its numbers "
                             u"are written with a comma or a point, so its values have been "
                             u"replaced by the default values. The file has been kept as\n%1"_s;
    t.settingsRestoredText = u"The settings file\n%1\n\nwas empty or cut short and has been "
                             u"restored from the copy kept before it was last written."_s;
    t.sharedFileCutShortText = u"The shared settings file\n%1\n\nwas empty or cut short, and "
                               u"you hold no copy of it. It is not written over until the "
                               u"program starts again, so that whoever holds the copy can "
                               u"restore it. Your changes are not saved."_s;
    t.unreadableFileText = u"The settings file\n%1\n\ncould not be read: another program may "
                           u"be holding it open. The window shows the default values, and the "
                           u"file is not written over until the program starts again. Your "
                           u"changes are not saved."_s;
    t.startNoticeTitle = u"Information"_s;
    t.screenTooSmallText = u"This screen (%1 x %2) is too small to show the whole window. Move "
                           u"the window to see the rest, or choose a smaller scale."_s;

    t.cncWords = {u" MILL "_s, u" FLUTES)"_s, u" DRILL)"_s, u" TAPS "_s, u" PITCH)"_s};

    t.report.title = sharedTexts().programTitle;
    t.report.rule = QString(42, u'_');
    t.report.millHeading = u"Result mills"_s;
    t.report.drillHeading = u"Result drills ets."_s;
    t.report.tapHeading = u"Result thread taps"_s;
    t.report.resultPrefix = u"CNC Result : "_s;
    t.report.decimalsPrefix = u"# decimals selected : "_s;
    t.report.unitsPrefix = u"Units : "_s;
    t.report.datePrefix = u"Date printed "_s;
    t.report.missingResult = u"Missing result in Result Field."_s;
    t.report.noPrinter = u"This computer has no printer, so the report cannot be printed. Add a "
                         u"printer, such as \"Microsoft Print to PDF\", in the system's settings "
                         u"and try again."_s;
    t.report.messageTitle = u"Error"_s;

    t.maker.line = u"Kovrin Integration: development and sale of CNC software for job shops "
                   u"and the toolmaking industry worldwide."_s;
    t.maker.europeTitle = u"Europe"_s;
    t.maker.americaTitle = u"USA"_s;

    t.legend.windowTitle = u"Legend"_s;
    t.legend.lines = {u"D : Diameter"_s,           u"Z : # Flutes"_s, u"Sz : Feed per tooth"_s,
                      u"V : Surface feed"_s,       u"n : RPM"_s,      u"S : Feedrate"_s,
                      u"P : Pitch (Thread taps)"_s};

    t.aboutMaker.windowTitle = u"About KOVRIN Integration"_s;
    t.aboutMaker.description = u"Development and sale of software for job shops and the "
                               u"toolmaking  industry worldwide."_s;
    t.aboutMaker.productsHeading = u"Our software :"_s;
    t.aboutMaker.products = {
        u"KOVRIN DNC-Link : sends NC programs between PC and CNC machine."_s,
        u"KOVRIN DNC Server : runs program transfer for up to 32 machines."_s,
        u"KOVRIN NC-Editor : NC editor with backplot and program compare."_s,
        u"KOVRIN Tool Base : tool database with cutting data and set-ups."_s,
        u"Zarir adu Rezi : speeds and feeds for mills, drills and thread taps."_s};
    return t;
}

} // namespace

const TextCatalogue &englishTexts()
{
    static const TextCatalogue texts = englishCatalogue();
    return texts;
}

} // namespace texts
