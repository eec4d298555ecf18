// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace zentora {

class MainWindow;
class NumberListEditor;
class OptionsWindow;
class AboutBox;
class HelpSystem;
class AdvertBanner;
class RiskWindow;

// The options window is the live store of the settings: the main window plays with its model, opens it
// from the menu, and redraws when it closes.
void ConnectOptionsWindow(MainWindow& window, OptionsWindow& options);

// Opens the editor from the main window's menu, and closes it into the main window's New or replay.
void ConnectNumberListEditor(MainWindow& window, NumberListEditor& editor);

// "Risikoanalyse" in the menu "Optionen" shows the risk window, which runs with the settings as last applied.
void ConnectRiskWindow(MainWindow& window, OptionsWindow& options, RiskWindow& risk);

struct HelpAndInfo {
    HelpSystem* help = nullptr;
    AdvertBanner* banner = nullptr;
    AboutBox* info = nullptr;
};

// Creates the help, the banner and the about box for the main window (all owned by it) and connects them:
// "Zentora-Hilfe" and F1, "Info...", and the help and banner set-up after every change of language.
HelpAndInfo ConnectHelpAndInfo(MainWindow& window, QWidget* optionsWindow);

}  // namespace zentora
