// Interim: the file menu flows arrive with the files core.
#include "ui/Unit1.h"

namespace zentora {
void TForm1::ffnen2Click() {}
void TForm1::Speichern2Click() {}
void TForm1::Speichernunter2Click() {}
void TForm1::extDatei1Click() {}
void TForm1::extDatei2Click() {}
void TForm1::ExcelDatei1Click() {}
void TForm1::ExcelDatei2Click() {}
void TForm1::OpenFromCommandLine(const QStringList&) {}
void TForm1::OpenPermanence(const QString&) {}
}  // namespace zentora
