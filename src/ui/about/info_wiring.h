#pragma once

class QWidget;

namespace zentora {

class TForm1;
class TInfo;
class THelpSystem;
class TWerbeBanner;

struct HelpAndInfo {
    THelpSystem* help = nullptr;
    TWerbeBanner* banner = nullptr;
    TInfo* info = nullptr;
};

// Creates the help, the banner and the about box for the main window (all owned by it) and connects them:
// "Zentora-Hilfe" and F1, "Info...", and the help and banner set-up after every change of language.
HelpAndInfo ConnectHelpAndInfo(TForm1& form1, QWidget* optionsWindow);

}  // namespace zentora
