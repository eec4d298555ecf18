#pragma once

#include <QDialog>
#include <QPageSize>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "ui/charts/qcustomplot_include.h"
#include "ui/printing/page_geometry.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QGroupBox;
class QPainter;
class QPrinter;
class QPrintPreviewWidget;
class QProcess;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zentora {

// The print dialog: prints one chart on one page with the chosen printer, paper, orientation, margins and
// fitting, and shows the page beforehand. Besides the installed printers it always offers a PDF file, so a
// machine without any printer can still print.
class PrintDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintDialog(QWidget* parent = nullptr);
    ~PrintDialog() override;

    // The chart to render; the dialog does not own it.
    void SetChart(QCustomPlot* chart);
    QCustomPlot* Chart() const { return chart_; }

    // Prints the chart on the current printer. False when nothing was printed (a message says why).
    bool Print();

    QPrinter& Printer() { return *printer_; }
    bool PrintsToPdf() const;
    // The page the preview shows, in printer pixels, and its resolution.
    struct PreviewPage {
        int width = 0;
        int height = 0;
        int pixelsPerInchX = 0;
        int pixelsPerInchY = 0;
    };
    const PreviewPage& Preview() const { return preview_page_; }
    printing::PixelMargins Offsets() const;
    // Where the chart lands on the preview page.
    printing::PixelRect ChartRect() const;

    // Shows a message; tests replace it.
    std::function<void(const QString&)> showMessage;
    // Asks for the PDF file to print into; empty when cancelled. Tests replace it.
    std::function<QString()> askPdfFile;
    // The language table's whole-text lookup, for the texts the dialog builds itself.
    std::function<QString(const QString&)> translate;
    // The system's printer settings tool, looked up on the search path.
    QString printerTool = QStringLiteral("system-config-printer");

  public Q_SLOTS:
    void ComboBox1Change(int index);  // printer
    void Button1Click();              // Eigenschaften
    void Button2Click();              // Drucker hinzufügen
    void ComboBox2Change(int index);  // paper
    void JvSpinEdit5Change();         // Breite
    void JvSpinEdit6Change();         // Höhe
    void RadioButton1Click();         // Hochformat / Querformat
    void MarginChange();              // Oben, Unten, Links, Rechts
    void CheckBox1Click();            // fitting
    void Button3Click();              // Drucken
    void Button4Click();              // Abbrechen

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildWindow();
    void FillPrinters();
    void UsePrinter(int index);
    void FillPapers();
    void Format();
    void RebuildPreview();
    void PaintPreview(QPrinter* printer);
    void RenderChart(QPainter& painter, const printing::PixelRect& target);
    printing::PixelRect FitOnPage(int width, int height, int pixelsPerInchX, int pixelsPerInchY) const;
    printing::MmMargins Margins() const;
    QString AskPdfFile();
    void Message(const QString& text);
    QString Tr(const QString& text) const;

    QPointer<QCustomPlot> chart_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPrinter> preview_printer_;
    PreviewPage preview_page_;
    std::vector<QPageSize> papers_;  // parallel to ComboBox2
    QProcess* printer_tool_process_ = nullptr;
    QString last_pdf_file_;

    QComboBox* combo_box1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
    QComboBox* combo_box2_ = nullptr;
    QDoubleSpinBox* breite_ = nullptr;  // JvSpinEdit5
    QDoubleSpinBox* hoehe_ = nullptr;   // JvSpinEdit6
    QRadioButton* radio_button1_ = nullptr;
    QRadioButton* radio_button2_ = nullptr;
    QSpinBox* margins_[4] = {};  // JvSpinEdit1..4: Oben, Unten, Links, Rechts
    QCheckBox* check_box1_ = nullptr;
    QCheckBox* check_box2_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPushButton* button4_ = nullptr;
};

}  // namespace zentora
