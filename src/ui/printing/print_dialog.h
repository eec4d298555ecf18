// SPDX-License-Identifier: GPL-3.0-or-later
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
    void ChoosePrinter(int index);  // ComboBox1
    void ShowPrinterProperties();   // Button1 "Eigenschaften"
    void AddPrinter();              // Button2 "Drucker hinzufügen"
    void ChoosePaper(int index);    // ComboBox2
    void PaperWidthChanged();       // JvSpinEdit5 "Breite"
    void PaperHeightChanged();      // JvSpinEdit6 "Höhe"
    void OrientationChanged();      // RadioButton1/2 "Hochformat" / "Querformat"
    void MarginsChanged();          // JvSpinEdit1..4 "Oben", "Unten", "Links", "Rechts"
    void FittingChanged();          // CheckBox1/2
    void PrintAndClose();           // Button3 "Drucken"
    void CancelPrinting();          // Button4 "Abbrechen"

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildWindow();
    QGroupBox* BuildPrinterBox();
    QGroupBox* BuildPaperBox();
    QGroupBox* BuildFormatBox();
    QGroupBox* BuildMarginBox();
    QGroupBox* BuildFitBox();
    void ConnectControls();
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

    QComboBox* printer_box_ = nullptr;
    QPushButton* properties_button_ = nullptr;
    QPushButton* add_printer_button_ = nullptr;
    QComboBox* paper_box_ = nullptr;
    QDoubleSpinBox* paper_width_ = nullptr;   // JvSpinEdit5
    QDoubleSpinBox* paper_height_ = nullptr;  // JvSpinEdit6
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QSpinBox* margins_[4] = {};  // JvSpinEdit1..4: Oben, Unten, Links, Rechts
    QCheckBox* fit_to_page_ = nullptr;
    QCheckBox* keep_proportions_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    QPushButton* print_button_ = nullptr;
    QPushButton* cancel_button_ = nullptr;
};

}  // namespace zentora
