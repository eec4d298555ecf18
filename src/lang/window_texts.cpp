// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/window_texts.h"

#include <charconv>
#include <string>
#include <vector>

namespace zentora {

namespace {

constexpr std::string_view kWordList[] = {
    // The menus of the main window.
    "&Neu", "&Öffnen...", "&Speichern", "Speichern &unter...", "Daten Importieren", "Daten Exportieren",
    "Pleinanzeige zeigt...", "&Datei", "&Anzeige", "&Bearbeiten", "&Optionen", "&Hilfe",
    "&Letzte Zahl entfernen", "&Zahlen bearbeiten", "&Parameter",
    // The number list editor, the options window's tabs, boxes and field labels.
    "Zahl entfernen", "Permanenz && Einsatz I", "XXXXXXXXXXXXXXXXXXXXXX", "Standard Chancen",
    "Zusätzliche Chancen", "Mindesteinsatz für...", "Maximumeinsatz für...", "Werbung", "Casino Werbung",
    "Chart zoomen", "Chart exportieren", "Chart-Limit-Linie X-fach teilen", "Gewinne/Verluste Anzeigen",
    "Ab Runde:", "Von:", "Bis:", "Bis Runde(1):", "Bis Runde(2):", "Bis Runde(3):", "Bis Runde(4):",
    "Bis Runde(5):", "Bis Runde(6):", "Bis Runde(7):", "Bis Runde(8):", "Bis Runde(9):", "Bis Runde(10):",
    "Bis Runde(11):", "Bis Runde(12):", "Überblick Prozentwerte", "Max. Permanenz", "Mittlere Permanenz",
    "Max. Prozentwert", "Min. Prozentwert", "Kolonne:1,2,3 Dutzend:1,2,3",
    "1-18,19-36,Gerade,Ungerade,Schwarz,Rot", "Bis Runde:",
    // 52: the second tab, named like the first.
    "Permanenz && Einsatz II"};
static_assert(std::size(kWordList) == kWordListSize + 1);

constexpr std::string_view kWholeList[] = {
    // 1
    "Exceldatei", "Textdatei", "Sprache", "Generieren", "Beenden", "Zähler", "Prozente", "Rückstand",
    "Zurück", "Vorwärts", "Anfang", "Ende", "Tischeinstellungen", "Sonstiges", "Statistiken", "Auswertungen",
    "Pleins", "Nachbarzahlen", "Finalen && Serien", "Spielverhalten", "Schnelleinstellungen",
    // 22: row captions of the 27 chance groups
    "Chance  1/37", "Chance  2/37", "Chance  3/37", "Chance  4/37", "Chance  6/37", "Chance 12/37",
    "Chance 18/37", "Chance   4/37", "Chance   5/37", "Chance   8/37", "Chance   9/37", "Chance(3x4)12/37",
    "Chance(2x6)12/37", "Chance   4/37", "Chance   3/37", "Chance   3/37", "Chance   5/37", "Chance   7/37",
    "Chance   9/37", "Finalen  6/37 Splitt", "Finalen  8/37 Splitt", "Finalen  6/37", "Finalen  7/37",
    "Finalen  8/37", "Finalen  9/37", "Serie   12/37", "Serie   17/37",
    // 49
    "Nummern Zahlen", "Den restlichen Tisch", "Alle Anfangseinsätze dem Minimum anpassen.", "Eine Nummer",
    "Zwei Nummern", "Drei Nummern", "Vier Nummern", "Sechs Nummern", "Zwölf Nummern", "A/D",
    "So oft angespielt", "Einsatz-Technik", "Anfangseinsatz", "Plein", "à Cheval",
    // 64: the groups of the statistics tab
    "Plein 4/37", "Plein 3/37", "Nachbarzahlen 3/37", "Nachbarzahlen 5/37", "Nachbarzahlen 7/37",
    "Nachbarzahlen 9/37", "Zusätzliche Chance 4/37", "Zusätzliche Chance 5/37", "Zusätzliche Chance 8/37",
    "Zusätzliche Chance 9/37", "Zusätzliche Chance (3x4)12/37", "Zusätzliche Chance (2x6)12/37",
    "Finalen  6/37 Splitter", "Finalen  8/37 Splitter", "Finalen  6/37", "Finalen  7/37", "Finalen  8/37",
    "Finalen  9/37", "Serie 12/37", "Serie 17/37",
    // 84
    "Nur eine Chance anspielen", "Bei Zero werden Einsätze auf Einfache Chancen halbiert",
    // 86, 87: the about box's product and licence lines
    "Spielhilfe und Systemtest für Roulette mit einer Zero",
    "Freie Software unter der GNU General Public License, Version 3 oder später",
    // 88
    "Chancen auf Spieltisch splitten", "Serie 12/37", "Andere Chancen verschieben", "Chancen Anzeigen",
    "Bitte warten, Berechnung läuft...", "Die folgenden Betrag über-/unterschreiten", "Übernehmen",
    "Abbrechen", "Öffnen", "Berechnen", "Zurücksetzen", "OK", "Alle minimalen Prozentwerte anpassen",
    "Alle maximalen Permanenzen anpassen", "Chart als Bild speichern", "Vergrössern", "Verkleinern",
    "Chart drucken",
    // 106: hints
    "Finales en plein 0 bis 6", "Finales en plein 7 bis 9", "Finalen 7/10,8/11,9/12",
    "Finalen 0/3,1/4,2/5,3/6", "Finalen 7/8,8/9,9/10", "Finalen 4/7,5/8,6/9,6/7,Jeu 0",
    "Finalen 0/1,1/2,2/3,3/4,4/5,5/6", "Jeu 7/9", "Kleine Serie 5/8", "Große Serie 0/2/3", "Einfache Chancen",
    "Cheval", "Transversale pleine", "Carré", "Transversale simple", "Dutzende", "Kolonnen",
    // 123: the stake techniques
    "Einsatz bleibt gleich", "Einsatz verdoppeln", "Amerikanische Martingale", "Supermartingale",
    "Whittacker-Progression", "Verdreifachung",
    // 129: the print dialog
    "Drucker", "Format", "Ränder in mm", "Papierformat in mm", "Eigenschaften", "Drucker hinzufügen",
    "Drucken", "Hochformat", "Querformat", "Oben", "Unten", "Links", "Rechts", "Breite", "Höhe",
    "Chart an Seite anpassen", "Proportional anpassen",
    // 146..157: the about box's maker and library lines
    "Hersteller: das Zentora-Projekt", "Ohne jede Gewährleistung.",
    "Roulette bleibt ein Glücksspiel: kein System schlägt den Vorteil der Bank.",
    "Verwendete Bibliotheken:", "Qt 6 (Fenster, Druck, Netzwerk)", "QCustomPlot (Diagramme)",
    "nlohmann-json (JSON-Ausgabe)", "CLI11 (Befehlszeile)", "GoogleTest (Tests)",
    "Google Benchmark (Messungen)", "Quelltext und Lizenztext liegen dem Programm bei.", "Kontakt:",
    // 158
    "Speichern", "Chartlinien", "Index-Linie", "aktuelle Höchst- oder Tiefststände", "Eingestellter Wert",
    "Markierung für Setzsignal", "Rundebegrenzung für Prozentwerte",
    "Welche Orphelins soll angespielt werden?", "Optionen", "Speichern unter",
    "Folgende Serien/ Finalen kann man splitten:", "Hilfe", "gerade", "ungerade", "Zentora Optionsfenster",
    "Zahl", "Runde",
    // 175: hints and a caption of the options window that the list lacks
    "Aktivieren/Deaktivieren", "Wert zur Ermittlung der nachfolgenden Einsätze", "Permanenzen",
    // 178: the main window's menu item of the risk analysis
    "Risikoanalyse"};
static_assert(std::size(kWholeList) == kWholeListSize + 4);

using enum TextWindow;
using enum TextRole;

// Which control shows which text. Controls without an object name of their own carry a "textName".
constexpr TextTarget kTargets[] = {
    // ---- main window: menus ----
    {Main, "Neu2", Caption, "{W1}"},
    {Main, "ffnen2", Caption, "{W2}"},
    {Main, "Speichern2", Caption, "{W3}"},
    {Main, "Speichernunter2", Caption, "{W4}"},
    {Main, "Importieren", Caption, "{W5}"},
    {Main, "Exportieren", Caption, "{W6}"},
    {Main, "AnzeigeTafelzeigt1", Caption, "{W7}"},
    {Main, "Datei2", Caption, "{W8}"},
    {Main, "Anzeige1", Caption, "{W9}"},
    {Main, "Bearbeiten1", Caption, "{W10}"},
    {Main, "Option1", Caption, "{W11}"},
    {Main, "Hilfe1", Caption, "{W12}"},
    {Main, "Zahlentfernen1", Caption, "{W13}"},
    {Main, "Zahlenlistebearbeiten1", Caption, "{W14}"},
    {Main, "Parameter1", Caption, "{W15}"},
    {Main, "Risikoanalyse1", Caption, "{T178}"},
    {Main, "ExcelDatei1", Caption, "{T1}"},
    {Main, "ExcelDatei2", Caption, "{T1}"},
    {Main, "extDatei1", Caption, "{T2}"},
    {Main, "extDatei2", Caption, "{T2}"},
    {Main, "Sprache", Caption, "{T3}"},
    {Main, "Beenden2", Caption, "{T5}"},
    {Main, "Anzeigetafel", Caption, "{T6}"},
    {Main, "Prozent1", Caption, "{T7}"},
    {Main, "Rckstand1", Caption, "{T8}"},
    {Main, "Inhalt1", Caption, "&Zentora-{T169}"},
    {Main, "OpenDialog1", Title, "{T96}"},
    {Main, "SaveDialog1", Title, "{T167}"},
    // ---- main window: drawn ----
    {Main, "Image37", Drawn, "{T4}"},
    {Main, "Gerade", Drawn, "{T170}"},
    {Main, "Ungerade", Drawn, "{T171}"},

    // ---- number list editor ----
    {Editor, "JvImage1", Drawn, "{T9}"},
    {Editor, "JvImage2", Drawn, "{T10}"},
    {Editor, "JvImage3", Drawn, "{T11}"},
    {Editor, "JvImage4", Drawn, "{T12}"},
    {Editor, "JvImage7", Drawn, "{W16}"},
    {Editor, "JvImage8", Drawn, "{T5}"},
    {Editor, "LabelRunde", Caption, "{T174}:"},
    {Editor, "LabelZahl", Caption, "{T173}:"},

    // ---- options window: window, tabs, buttons below ----
    {Options, "", Title, "{T172}"},
    {Options, "TabSheet1", Caption, "{W17}"},
    {Options, "TabSheet2", Caption, "{W52}"},
    {Options, "TabSheet3", Caption, "{T13}"},
    {Options, "TabSheet4", Caption, "{T14}"},
    {Options, "TabSheet5", Caption, "{T15}"},
    {Options, "TabSheet6", Caption, "{T16}"},
    {Options, "Button1", Caption, "{T94}"},
    {Options, "Button8", Caption, "{T99}"},
    {Options, "Button2", Caption, "{T95}"},
    {Options, "SpeedButton1", Caption, "{S}"},
    // ---- options window: the group boxes of tabs 1 and 2 ----
    {Options, "GroupBoxStandard", Caption, "{W19}"},
    {Options, "GroupBoxZusatz", Caption, "{W20}"},
    {Options, "GroupBoxPleins", Caption, "{T17}"},
    {Options, "GroupBoxNachbarzahlen", Caption, "{T18}"},
    {Options, "GroupBoxSerien", Caption, "{T19}"},
    {Options, "LabelAD", Caption, "{T58}"},
    {Options, "LabelAbRunde", Caption, "{W29}"},
    {Options, "LabelSoOft", Caption, "{T59}"},
    {Options, "LabelTechnik", Caption, "{T60}"},
    {Options, "LabelAnfangseinsatz", Caption, "{T61}"},
    {Options, "LabelBisRunde", Caption, "{W51}"},
    {Options, "LabelVon", Caption, "{W30}"},
    {Options, "LabelBis", Caption, "{W31}"},
    {Options, "LabelFenster1", Caption, "{W32}"},
    {Options, "LabelFenster2", Caption, "{W33}"},
    {Options, "LabelFenster3", Caption, "{W34}"},
    {Options, "LabelFenster4", Caption, "{W35}"},
    {Options, "LabelFenster5", Caption, "{W36}"},
    {Options, "LabelFenster6", Caption, "{W37}"},
    {Options, "LabelFenster7", Caption, "{W38}"},
    {Options, "LabelFenster8", Caption, "{W39}"},
    {Options, "LabelFenster9", Caption, "{W40}"},
    {Options, "LabelFenster10", Caption, "{W41}"},
    {Options, "LabelFenster11", Caption, "{W42}"},
    {Options, "LabelFenster12", Caption, "{W43}"},
    {Options, "SchalterAD", Hint, "{T175}"},
    {Options, "Anfangseinsatz", Hint, "{T176}"},
    {Options, "Einsatztechnik", Item, "{T123}", 0},
    {Options, "Einsatztechnik", Item, "{T124}", 1},
    {Options, "Einsatztechnik", Item, "{T125}", 2},
    {Options, "Einsatztechnik", Item, "{T126}", 3},
    {Options, "Einsatztechnik", Item, "{T127}", 4},
    {Options, "Einsatztechnik", Item, "{T128}", 5},
    // ---- options window: row captions and their hints, in group order ----
    {Options, "Caption137", Caption, "{T22}"},
    {Options, "Caption237", Caption, "{T23}"},
    {Options, "Caption337", Caption, "{T24}"},
    {Options, "Caption437", Caption, "{T25}"},
    {Options, "Caption637", Caption, "{T26}"},
    {Options, "Caption1237", Caption, "{T27}"},
    {Options, "Caption1837", Caption, "{T28}"},
    {Options, "CaptionZ437", Caption, "{T29}"},
    {Options, "CaptionZ537", Caption, "{T30}"},
    {Options, "CaptionZ837", Caption, "{T31}"},
    {Options, "CaptionZ937", Caption, "{T32}"},
    {Options, "CaptionZ1237", Caption, "{T33}"},
    {Options, "CaptionZ12637", Caption, "{T34}"},
    {Options, "CaptionP437", Caption, "{T35}"},
    {Options, "CaptionP337", Caption, "{T36}"},
    {Options, "CaptionN337", Caption, "{T37}"},
    {Options, "CaptionN537", Caption, "{T38}"},
    {Options, "CaptionN737", Caption, "{T39}"},
    {Options, "CaptionN937", Caption, "{T40}"},
    {Options, "CaptionSS637", Caption, "{T41}"},
    {Options, "CaptionSS837", Caption, "{T42}"},
    {Options, "CaptionS637", Caption, "{T43}"},
    {Options, "CaptionS737", Caption, "{T44}"},
    {Options, "CaptionS837", Caption, "{T45}"},
    {Options, "CaptionS937", Caption, "{T46}"},
    {Options, "CaptionS1237", Caption, "{T47}"},
    {Options, "CaptionS1737", Caption, "{T48}"},
    {Options, "Caption1237", Hint, "{W49}"},
    {Options, "Caption1837", Hint, "{W50}"},
    {Options, "CaptionP437", Hint, "{T106}"},
    {Options, "CaptionP337", Hint, "{T107}"},
    {Options, "CaptionN337", Hint, "{T18} 1/1"},
    {Options, "CaptionN537", Hint, "{T18} 2/2"},
    {Options, "CaptionN737", Hint, "{T18} 3/3"},
    {Options, "CaptionN937", Hint, "{T18} 4/4"},
    {Options, "CaptionSS637", Hint, "{T108}"},
    {Options, "CaptionSS837", Hint, "{T109}"},
    {Options, "CaptionS637", Hint, "{T110}"},
    {Options, "CaptionS737", Hint, "{T111}"},
    {Options, "CaptionS837", Hint, "{T112}"},
    {Options, "CaptionS937", Hint, "{T113}"},
    {Options, "CaptionS1237", Hint, "{T114}"},
    {Options, "CaptionS1737", Hint, "{T115}"},
    // ---- options window: table settings ----
    {Options, "GroupBoxMinimum", Caption, "{W21}"},
    {Options, "GroupBoxMaximum", Caption, "{W22}"},
    {Options, "LabelMinimum1", Caption, "{T50}"},
    {Options, "LabelAchtzehn", Caption, "{T49}"},
    {Options, "LabelMaximum1", Caption, "{T52}"},
    {Options, "LabelMaximum2", Caption, "{T53}"},
    {Options, "LabelMaximum3", Caption, "{T54}"},
    {Options, "LabelMaximum4", Caption, "{T55}"},
    {Options, "LabelMaximum6", Caption, "{T56}"},
    {Options, "LabelMaximum12", Caption, "{T57}"},
    {Options, "LabelMinimum1", Hint, "{T121},{T122},{T120},{T119},{T118},{T117},{T62}"},
    {Options, "Minimum1", Hint, "{T121},{T122},{T120},{T119},{T118},{T117},{T62}"},
    {Options, "LabelAchtzehn", Hint, "{T116}"},
    {Options, "Minimum2", Hint, "{T116}"},
    {Options, "Maximum18", Hint, "{T116}"},
    {Options, "LabelMaximum1", Hint, "{T62}"},
    {Options, "Maximum1", Hint, "{T62}"},
    {Options, "LabelMaximum2", Hint, "{T117}"},
    {Options, "Maximum2", Hint, "{T117}"},
    {Options, "LabelMaximum3", Hint, "{T118}"},
    {Options, "Maximum3", Hint, "{T118}"},
    {Options, "LabelMaximum4", Hint, "{T119}"},
    {Options, "Maximum4", Hint, "{T119}"},
    {Options, "LabelMaximum6", Hint, "{T120}"},
    {Options, "Maximum6", Hint, "{T120}"},
    {Options, "LabelMaximum12", Hint, "{T121}, {T122}"},
    {Options, "Maximum12", Hint, "{T121}, {T122}"},
    {Options, "Button9", Caption, "{T51}"},
    {Options, "CheckBox2", Caption, "{T85}"},
    // ---- options window: miscellaneous ----
    {Options, "GroupBoxSpielverhalten", Caption, "{T20}"},
    {Options, "CheckBox1", Caption, "{T84}"},
    {Options, "CheckBox35", Caption, "{T90}"},
    {Options, "CheckBox32", Caption, "{T88}"},
    {Options, "GroupBoxOrphelin", Caption, "{T165}"},
    {Options, "RadioButton1", Caption, "{T62}"},
    {Options, "RadioButton2", Caption, "{T63}"},
    {Options, "GroupBoxSplitten", Caption, "{T168}"},
    {Options, "CheckBox30", Caption, "{T42}"},
    {Options, "CheckBox30", Hint, "{T109}"},
    {Options, "CheckBox31", Caption, "{T41}"},
    {Options, "CheckBox31", Hint, "{T108}"},
    {Options, "CheckBox34", Caption, "{T89}"},
    {Options, "CheckBox34", Hint, "{T114}"},
    {Options, "GroupBoxSchnell", Caption, "{T21}"},
    {Options, "Button10", Caption, "{T100}"},
    {Options, "Button11", Caption, "{T101}"},
    {Options, "GroupBoxChartlinien", Caption, "{T159}"},
    {Options, "LabelFarbe1", Caption, "{T160}"},
    {Options, "LabelFarbe2", Caption, "{T161}"},
    {Options, "LabelFarbe3", Caption, "{T162}"},
    {Options, "LabelFarbe4", Caption, "{T163}"},
    {Options, "LabelFarbe5", Caption, "{T164}"},
    {Options, "GroupBoxOptionen", Caption, "{T166}"},
    {Options, "Button3", Caption, "{T96}"},
    {Options, "Button16", Caption, "{T158}"},
    // ---- options window: statistics ----
    {Options, "Button15", Caption, "{T97}"},
    {Options, "BitBtn1", Caption, "{T103}"},
    {Options, "BitBtn2", Caption, "{T104}"},
    {Options, "Button5", Caption, "{T98}"},
    {Options, "Button12", Caption, "{T102}"},
    {Options, "BitBtn5", Caption, "{T105}"},
    {Options, "RadioButton3", Caption, "{T22}"},
    {Options, "RadioButton4", Caption, "{T23}"},
    {Options, "RadioButton5", Caption, "{T24}"},
    {Options, "RadioButton6", Caption, "{T25}"},
    {Options, "RadioButton7", Caption, "{T26}"},
    {Options, "RadioButton8", Caption, "{T27}"},
    {Options, "RadioButton9", Caption, "{T28}"},
    {Options, "RadioButton10", Caption, "{T64}"},
    {Options, "RadioButton11", Caption, "{T65}"},
    {Options, "RadioButton12", Caption, "{T66}"},
    {Options, "RadioButton13", Caption, "{T67}"},
    {Options, "RadioButton14", Caption, "{T68}"},
    {Options, "RadioButton15", Caption, "{T69}"},
    {Options, "RadioButton16", Caption, "{T70}"},
    {Options, "RadioButton17", Caption, "{T71}"},
    {Options, "RadioButton18", Caption, "{T72}"},
    {Options, "RadioButton19", Caption, "{T73}"},
    {Options, "RadioButton20", Caption, "{T74}"},
    {Options, "RadioButton21", Caption, "{T75}"},
    {Options, "RadioButton22", Caption, "{T76}"},
    {Options, "RadioButton23", Caption, "{T77}"},
    {Options, "RadioButton24", Caption, "{T78}"},
    {Options, "RadioButton25", Caption, "{T79}"},
    {Options, "RadioButton26", Caption, "{T80}"},
    {Options, "RadioButton27", Caption, "{T81}"},
    {Options, "RadioButton28", Caption, "{T82}"},
    {Options, "RadioButton29", Caption, "{T83}"},
    {Options, "RadioButton10", Hint, "{T106}"},
    {Options, "RadioButton11", Hint, "{T107}"},
    {Options, "RadioButton22", Hint, "{T108}"},
    {Options, "RadioButton23", Hint, "{T109}"},
    {Options, "RadioButton24", Hint, "{T110}"},
    {Options, "RadioButton25", Hint, "{T111}"},
    {Options, "RadioButton26", Hint, "{T112}"},
    {Options, "RadioButton27", Hint, "{T113}"},
    {Options, "RadioButton28", Hint, "{T114}"},
    {Options, "RadioButton29", Hint, "{T115}"},
    {Options, "RadioButton42", Caption, "{T177}"},
    {Options, "RadioButton30", Caption, "{W44}"},
    {Options, "RadioButton31", Caption, "{W45}"},
    {Options, "RadioButton32", Caption, "{W46}"},
    {Options, "RadioButton44", Caption, "{W47}"},
    {Options, "RadioButton45", Caption, "{W48}"},
    // ---- options window: evaluation ----
    {Options, "Button14", Caption, "{T97}"},
    {Options, "Label238", Caption, "{T92}"},
    {Options, "CancelEvaluation", Caption, "{T95}"},
    {Options, "GroupBoxLimit", Caption, "{W27}"},
    {Options, "GroupBoxGewinne", Caption, "{W28}"},
    {Options, "LabelGewinne", Caption, "{T93}"},
    {Options, "CheckBox66", Caption, "{T91}"},
    {Options, "GroupBoxZoom", Caption, "{W25}"},
    {Options, "BitBtn3", Caption, "{T103}"},
    {Options, "BitBtn4", Caption, "{T104}"},
    {Options, "Button7", Caption, "{T98}"},
    {Options, "GroupBoxExport", Caption, "{W26}"},
    {Options, "Button13", Caption, "{T102}"},
    {Options, "BitBtn6", Caption, "{T105}"},

    // ---- print dialog ----
    {Print, "", Title, "{T135}"},
    {Print, "GroupBoxDrucker", Caption, "{T129}"},
    {Print, "GroupBoxFormat", Caption, "{T130}"},
    {Print, "GroupBoxRaender", Caption, "{T131}"},
    {Print, "GroupBoxPapier", Caption, "{T132}"},
    {Print, "GroupBoxChart", Caption, "{T105}"},
    {Print, "Button1", Caption, "{T133}"},
    {Print, "Button2", Caption, "{T134}"},
    {Print, "Button3", Caption, "{T135}"},
    {Print, "Button4", Caption, "{T95}"},
    {Print, "RadioButton1", Caption, "{T136}"},
    {Print, "RadioButton2", Caption, "{T137}"},
    {Print, "LabelOben", Caption, "{T138}"},
    {Print, "LabelUnten", Caption, "{T139}"},
    {Print, "LabelLinks", Caption, "{T140}"},
    {Print, "LabelRechts", Caption, "{T141}"},
    {Print, "LabelBreite", Caption, "{T142}"},
    {Print, "LabelHoehe", Caption, "{T143}"},
    {Print, "CheckBox1", Caption, "{T144}"},
    {Print, "CheckBox2", Caption, "{T145}"},

    // ---- about box ----
    {About, "InfoLine86", Caption, "{T86}"},
    {About, "InfoLine87", Caption, "{T87}"},
    {About, "InfoLine146", Caption, "{T146}"},
    {About, "InfoLine147", Caption, "{T147}"},
    {About, "InfoLine148", Caption, "{T148}"},
    {About, "InfoLine149", Caption, "{T149}"},
    {About, "InfoLine150", Caption, "{T150}"},
    {About, "InfoLine151", Caption, "{T151}"},
    {About, "InfoLine152", Caption, "{T152}"},
    {About, "InfoLine153", Caption, "{T153}"},
    {About, "InfoLine154", Caption, "{T154}"},
    {About, "InfoLine155", Caption, "{T155}"},
    {About, "InfoLine156", Caption, "{T156}"},
    {About, "InfoLine157", Caption, "{T157}"},
    {About, "JvHTButton1", Caption, "{T99}"},
};

// Calls visit(kind, number) for every reference of a template, with kind 'W', 'T' or 'S' (number 0), and
// visit(0, ...) never: literal text is the caller's to copy.
template <typename Visit, typename Literal>
void WalkTemplate(std::string_view text, Visit&& visit, Literal&& literal) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('{', i);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) {
            literal(text.substr(i));
            return;
        }
        literal(text.substr(i, open - i));
        const std::string_view ref = text.substr(open + 1, close - open - 1);
        int number = 0;
        const char kind = ref.empty() ? '\0' : ref[0];
        const bool numbered = kind == 'W' || kind == 'T';
        const auto parsed = std::from_chars(ref.data() + 1, ref.data() + ref.size(), number);
        if ((numbered && parsed.ec == std::errc() && parsed.ptr == ref.data() + ref.size()) ||
            (kind == 'S' && ref.size() == 1))
            visit(kind, number);
        else
            literal(text.substr(open, close - open + 1));  // not a reference: shown as it is
        i = close + 1;
    }
}

}  // namespace

std::span<const std::string_view> WordList() {
    return kWordList;
}

std::span<const std::string_view> WholeList() {
    return kWholeList;
}

std::span<const TextTarget> TextTargets() {
    return kTargets;
}

TemplateRefs RefsOf(std::string_view text) {
    TemplateRefs refs;
    WalkTemplate(
        text,
        [&](char kind, int) {
            if (kind == 'W') refs.words = true;
            if (kind == 'T') refs.whole = true;
            if (kind == 'S') refs.single = true;
        },
        [](std::string_view) {});
    return refs;
}

std::string FillTemplate(std::string_view text, std::span<const std::string> words,
                         std::span<const std::string> whole, std::string_view single) {
    std::string out;
    WalkTemplate(
        text,
        [&](char kind, int number) {
            const auto list = kind == 'W' ? words : whole;
            if (kind == 'S')
                out += single;
            else if (number >= 1 && number <= static_cast<int>(list.size()))
                out += list[number - 1];
        },
        [&](std::string_view literal) { out += literal; });
    return out;
}

void ComposeWindowTexts(const LanguageTable& table, bool rateBlocksShown,
                        const std::function<void(const WindowText&)>& apply) {
    const auto toStrings = [](std::span<const std::string_view> list) {
        return std::vector<std::string>(list.begin(), list.end());
    };
    const std::vector<std::string> words = table.TranslateWords(toStrings(WordList()));
    for (const TextTarget& target : kTargets) {
        const TemplateRefs refs = RefsOf(target.text);
        if (refs.words && !refs.whole && !refs.single)
            apply({&target, FillTemplate(target.text, words, {}, {})});
    }
    const std::vector<std::string> whole = table.TranslateList(toStrings(WholeList()));
    for (const TextTarget& target : kTargets) {
        const TemplateRefs refs = RefsOf(target.text);
        if (!refs.single && (refs.whole || !refs.words))
            apply({&target, FillTemplate(target.text, words, whole, {})});
    }
    const std::string single =
        table.TranslateText(rateBlocksShown ? kRateBlocksShownCaption : kRateBlocksHiddenCaption);
    for (const TextTarget& target : kTargets)
        if (RefsOf(target.text).single) apply({&target, FillTemplate(target.text, words, whole, single)});
}

}  // namespace zentora
