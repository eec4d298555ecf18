#pragma once

// Keyboard use and names for assistive technology (screen readers, test tools). Every window installs its
// part once when it is built; the names that follow the language are refreshed by UpdateAccessibleNames,
// which is safe to call after every retranslation.

class QString;
class QWidget;

namespace zentora {

class TForm1;
class TZahlenListe;

void InstallAccessibility(TForm1& form);
void InstallAccessibility(TZahlenListe& editor);

void UpdateAccessibleNames(TForm1& form);
void UpdateAccessibleNames(TZahlenListe& editor);

// A caption as a reader should say it: no accelerator marks, no trailing colon, single blanks.
QString SpokenCaption(const QString& caption);

}  // namespace zentora
