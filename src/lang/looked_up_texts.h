// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts the windows look up in the language table when they show them, outside the two lists of the window
// captions. Kept here so that a check of the shipped table finds every one of them.

#include <array>
#include <string_view>

namespace zentora::lang {

// The control texts of the file dialogs, translated as a list when a dialog opens.
inline constexpr std::array<std::string_view, 5> kOpenDialogTexts = {"Öffnen", "Abbrechen",
                                                                     "Dateityp:", "Dateiname:", "Suchen in:"};
inline constexpr std::array<std::string_view, 5> kSaveDialogTexts = {
    "Speichern", "Abbrechen", "Dateityp:", "Dateiname:", "Speichern in:"};

// Unsaved spins: before they would go, and at the start after a run that could not ask (%1: how many).
inline constexpr std::string_view kSaveUnsavedQuestion =
    "Die eingegebenen Zahlen sind nicht gespeichert. Sollen sie gespeichert werden?";
inline constexpr std::string_view kRestoreUnsavedQuestion =
    "Zentora wurde beendet, ohne die eingegebenen Zahlen zu speichern. Sollen die %1 Zahlen "
    "wiederhergestellt werden?";
inline constexpr std::string_view kRecoveryWriteError =
    "Die Wiederherstellungsdatei kann nicht geschrieben werden:";

// Whole texts looked up one by one (messages, file filters, preset names, chart labels).
inline constexpr std::string_view kWholeTexts[] = {
    // file dialogs of the main window and the options window
    "Permanenzdateien",
    "Textdateien",
    "Exceldateien",
    "Alle Dateien",
    "Permanenzdatei",
    "Optionsdateien",
    "Optionsdateie",
    "Öffnen",
    "Speichern unter",
    // messages of the files
    "Datei wird bereits von anderem Programm bearbeitet",
    "(Letzter) Record ungültig, da weniger als 4 Byte!",
    // unsaved spins: the questions, their buttons and the recovery file
    kSaveUnsavedQuestion,
    kRestoreUnsavedQuestion,
    kRecoveryWriteError,
    "Ja",
    "Nein",
    "Abbrechen",
    // the options window's toggle button
    "Prozenteinstellung",
    "Permanenzeinstellung",
    // the order error message of the options window
    "Fehler von",
    "zu",
    "der Folgewert muss immer höher sein!",
    // the statistics chart's line labels
    "Ab",
    "Runde",
    "Bis",
    // the charts of the options window
    "Runden",
    "Gesetzt",
    "Ausgezahlt",
    "Endstand",
    "Tiefster Stand",
    "Erwartung",
    "Erwartung: was die Einsätze im Mittel an die Null verlieren (jede Position nach ihrer Auszahlung, "
    "Halbierung bei Zero eingerechnet)",
    "Wert übernommen",
    "Chart als Bild speichern",
    "Das Bild konnte nicht gespeichert werden:",
    "Nicht genug Speicher für die Berechnung.",
    "Die Berechnung ist fehlgeschlagen.",
    // the risk analysis window
    "Zufällige Permanenzen",
    "Permanenzen aus einem Ordner",
    "Anzahl Läufe",
    "Runden je Lauf",
    "Startwert",
    "Kapital (Stücke)",
    "Ordner",
    "Ordner wählen...",
    "Starten",
    "Endstände",
    "Tiefststände",
    "Läufe",
    "Kennzahl",
    "Wert",
    "Ruiniert",
    "Ruinwahrscheinlichkeit (95 %-Intervall)",
    "Endstand, Quantil %1 %",
    "Mittlerer Endstand",
    "Erwarteter Endstand (Vorteil der Bank)",
    "Mittlerer Tiefststand",
    "Tiefster Stand aller Läufe",
    "Mittlerer Einsatz je Runde",
    "Übersprungen:",
    "Abgebrochen nach %1 von %2 Läufen.",
    "Bitte einen Ordner wählen.",
    "Histogramm der Endstände",
    "Histogramm der Tiefststände",
    "Zusammenfassung",
    "Fortschritt",
    // help set-up
    "Hilfe Datei nicht gefunden",
    "Diese Anwendung erfordert die Installation der",
    "MS HTML Help 1.2 oder höher",
};

// Texts translated word by word: each of their words other than numbers needs a line.
inline constexpr std::string_view kWordTexts[] = {
    "Keine Zahlen gefunden",
    "Keine Zahlen vorhanden!",
    "Zahl entfernen",
    // field names the order error message names
    "Ab Runde",
    "Bis Runde(1)",
};

}  // namespace zentora::lang
