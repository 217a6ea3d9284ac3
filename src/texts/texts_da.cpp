// SPDX-License-Identifier: MIT
#include "texts/textcatalogue.h"

using namespace Qt::StringLiterals;

using calc::Language;

namespace texts {

namespace {

TextCatalogue danishCatalogue()
{
    TextCatalogue t;
    t.language = Language::Danish;

    t.millOption = u"Fræsere"_s;
    t.drillOption = u"Bor m.v."_s;
    t.tapOption = u"Gevindtappe"_s;
    t.toolFrame = u"Værktøjs data :"_s;
    t.resultFrame = u"Resultat :"_s;
    t.pitchMmOption = u"Stigning (P) i mm :"_s;
    t.threadsPerInchOption = u"Gevind (P) pr. tomme :"_s;
    t.diameterToolTip = u"Eksempel: 1,5 eller 1 1/2"_s;
    t.cncCaption = u"CNC Resultat :"_s;
    t.scenePicture = u"Fræser over et emne"_s;

    t.decimalsLabel = u"0 Decimal(er)"_s;
    t.initialCaptions = {{u"Diameter (D) :"_s, u"Antal skær (Z) :"_s,
                          u"Tilspænding/tand (Sz) i mm :"_s, u"Skærehastighed (V) :"_s,
                          u"Stigning (P) i mm :"_s, u"Gevind (P) pr. tomme :"_s,
                          u"Omdrejninger (n) :"_s, u"Tilspænding mm/min. (S) :"_s},
                         u"Enheder"_s};
    t.decimalsSuffix = u" Decimal(er)"_s;

    t.inchLoad = {{u"Diameter (D) i tommer :"_s, u"Antal skær (Z) :"_s,
                   u"Tilspænding/tand (Sz) i tommer :"_s, u"Skærehastighed (V) fod/min. :"_s,
                   u"Stigning (P) i mm :"_s, u"Gevind (P) pr. tomme :"_s,
                   u"Omdrejninger (n) omdr./min. :"_s, u"Tilspænding (S) tommer/min. :"_s},
                  u"Tommer"_s};
    t.inchMenu = t.inchLoad;
    t.inchMenu[Field::ThreadsPerInch] = u"Stigning (P) pr. tomme :"_s;
    t.metricLoad = {{u"Diameter (D) i mm :"_s, u"Antal skær (Z) :"_s,
                     u"Tilspænding/tand (Sz) i mm :"_s, u"Skærehastighed (V) m/min. :"_s,
                     u"Stigning (P) i mm :"_s, u"Gevind (P) pr. tomme :"_s,
                     u"Omdrejninger (n) omdr./min. :"_s, u"Tilspænding (S) mm/min. :"_s},
                    u"Metrisk"_s};
    t.metricMenu = t.metricLoad;
    t.metricMenu[Field::ThreadsPerInch] = u"Stigning (P) pr. tomme :"_s;

    t.fileMenu = u"Filer"_s;
    t.printAction = u"Print Resultat"_s;
    t.quitAction = u"Afslut"_s;
    t.editMenu = u"Edit"_s;
    t.copyAction = u"Kopier"_s;
    t.pasteAction = u"Sæt ind"_s;
    t.editAboutMakerAction = u"Om Kovrin Integration"_s;
    t.decimalsMenu = u"Decimaler"_s;
    t.decimalActions = {u"0 Decimaler"_s, u"1 Decimal"_s, u"2 Decimaler"_s, u"3 Decimaler"_s};
    t.unitsMenu = u"Enheder"_s;
    t.metricAction = u"Metrisk"_s;
    t.inchAction = u"Tommer"_s;
    t.languageMenu = u"Sprog"_s;
    t.languageAction = u"Engelsk"_s;
    t.infoMenu = u"Info"_s;
    t.legendAction = u"Signaturforklaring"_s;
    t.aboutMakerAction = u"Om Kovrin Integration"_s;
    t.aboutProgramAction = u"Om Zarir adu Rezi"_s;

    t.resultsAnnouncement = u"Omdrejninger %1, tilspænding %2. CNC-linje %3"_s;
    t.invalidEntry = u"Ugyldig indtastning"_s;
    t.inputErrorText = u"Manglende indtastning eller fejlindtastning i felt."_s;
    t.inputErrorTitle = u"Meddelelse"_s;
    t.saveFailedText = u"Indstillingerne kunne ikke gemmes i\n%1\n\n%2\n\nProgrammet fortsætter, "
                       u"men de indtastede værdier bliver måske ikke husket til næste gang."_s;
    t.saveFailedTitle = u"Meddelelse"_s;
    t.savedWithoutTurnsText = u"Indstillingerne er gemt i\n%1\n\nmen uden at vente på tur:\n%2\n\n"
                              u"Gemmer en anden kopi af programmet samtidig, gælder den sidste."_s;
    t.damagedFileKeptText = u"Indstillingsfilen kunne ikke læses helt og er gemt som\n%1\n\n"
                            u"Det, der ikke kunne stoles på, er erstattet af standardværdierne."_s;
    t.noLanguageFileKeptText = u"Der var ikke valgt noget sprog i indstillingsfilen, så dens "
                               u"værdier er erstattet af standardværdierne. Filen er gemt som"
                               u"\n%1"_s;
    t.unknownLanguageKeptText = u"Indstillingsfilen angiver et sprog, som programmet ikke kender, "
                                u"så dens værdier er erstattet af standardværdierne. Filen er "
                                u"gemt som\n%1"_s;
    t.cutShortKeptText = u"Indstillingsfilen var afkortet og er gemt som\n%1\n\nDe værdier, "
                         u"den indeholder, er bevaret; det, den ikke nåede til, har fået "
                         u"standardværdien."_s;
    t.cutShortReplacedText = u"Indstillingsfilen var afkortet, så det ikke kan ses, om dens tal "
                             u"er skrevet med komma eller punktum. Dens værdier er erstattet af "
                             u"standardværdierne, og filen er gemt som\n%1"_s;
    t.settingsRestoredText = u"Indstillingsfilen\n%1\n\nvar tom eller afkortet og er hentet "
                             u"tilbage fra den kopi, der blev gemt, før den sidst blev skrevet."_s;
    t.sharedFileCutShortText = u"Den fælles indstillingsfil\n%1\n\nvar tom eller afkortet, og "
                               u"du har ingen kopi af den. Den bliver ikke overskrevet, før "
                               u"programmet startes igen, så den, der har kopien, kan hente "
                               u"den tilbage. Dine ændringer bliver ikke gemt."_s;
    t.unreadableFileText = u"Indstillingsfilen\n%1\n\nkunne ikke læses: et andet program "
                           u"holder den måske åben. Vinduet viser standardværdierne, og filen "
                           u"bliver ikke overskrevet, før programmet startes igen. Dine "
                           u"ændringer bliver ikke gemt."_s;
    t.startNoticeTitle = u"Meddelelse"_s;
    t.screenTooSmallText = u"Skærmen (%1 x %2) er for lille til at vise hele vinduet. Flyt "
                           u"vinduet for at se resten, eller vælg en mindre skalering."_s;

    t.cncWords = {u" FR "_s, u" SK)"_s, u" BOR)"_s, u" TAP "_s, u" STIG)"_s};

    t.report.title = sharedTexts().programTitle;
    t.report.rule = QString(42, u'_');
    t.report.millHeading = u"Resultat af Fræser beregning"_s;
    t.report.drillHeading = u"Resultat af Bor m.v. beregning"_s;
    t.report.tapHeading = u"Resultat af Gevindtap beregning"_s;
    t.report.resultPrefix = u"CNC Resultat : "_s;
    t.report.decimalsPrefix = u"Antal decimaler valgt : "_s;
    t.report.unitsPrefix = u"Enheder : "_s;
    t.report.datePrefix = u"Udskrevet den "_s;
    t.report.missingResult = u"Manglende resultat i Resultat-felt."_s;
    t.report.noPrinter = u"Der er ingen printer på denne computer, så rapporten kan ikke "
                         u"udskrives. Tilføj en printer, for eksempel \"Microsoft Print to PDF\", "
                         u"i systemets indstillinger, og prøv igen."_s;
    t.report.messageTitle = u"Meddelelse"_s;

    t.maker.line = u"Kovrin Integration: udvikling og salg af CNC software til danske og "
                   u"udenlandske firmaer."_s;
    t.maker.europeTitle = u"Europa"_s;
    t.maker.americaTitle = u"USA"_s;

    t.legend.windowTitle = u"Signaturforklaring"_s;
    t.legend.lines = {u"D : Diameter"_s,
                      u"Z : Antal skær"_s,
                      u"Sz : Tilspænding pr. tand"_s,
                      u"V : Skærehastighed"_s,
                      u"n : Omdrejninger pr. minut"_s,
                      u"S : Tilspænding (feed)"_s,
                      u"P : Stigning (Gevind)"_s};

    t.aboutMaker.windowTitle = u"Om KOVRIN Integration"_s;
    t.aboutMaker.description =
        u"Udvikling og salg af  CNC software til danske og udenlandske firmaer."_s;
    t.aboutMaker.productsHeading = u"Vores programmer :"_s;
    t.aboutMaker.products = {
        u"KOVRIN DNC-Link : overfører NC-programmer mellem pc og CNC-maskine."_s,
        u"KOVRIN DNC Server : styrer programoverførsel til op til 32 maskiner."_s,
        u"KOVRIN NC-Editor : NC-editor med backplot og sammenligning af programmer."_s,
        u"KOVRIN Værktøjsbase : værktøjsdatabase med skæredata og opspændinger."_s,
        u"Zarir adu Rezi : skæredata for fræsere, bor og gevindtappe."_s};
    t.aboutMaker.resoldProduct =
        u"KOVRIN Integration forhandler desuden CAMtegn, et CAD/CAM-system "
        u"til 2D- og 3D-fræsning og drejning, i Danmark. Læs mere om "
        u"CAMtegn på :"_s;
    return t;
}

} // namespace

const TextCatalogue &danishTexts()
{
    static const TextCatalogue texts = danishCatalogue();
    return texts;
}

} // namespace texts
