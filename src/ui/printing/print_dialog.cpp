// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/printing/print_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPicture>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/charts/qcustomplot_include.h"
#include "ui/printing/chart_background.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

using printing::PixelRect;

namespace {

constexpr int kClientWidth = 612;
constexpr int kClientHeight = 311;
// A chart that was never laid out has no size of its own worth printing.
constexpr int kMinimumChartSide = 50;
const QSize kFallbackChartSize(800, 450);

const char* const kPdfEntry = "In PDF-Datei drucken";

// Paper offered for PDF files, which have no printer to ask.
const QPageSize::PageSizeId kPdfPapers[] = {
    QPageSize::A3, QPageSize::A4,     QPageSize::A5,    QPageSize::A6,        QPageSize::B4,
    QPageSize::B5, QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid};

void SetUp(QCPPainter& painter) {
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.setMode(QCPPainter::pmNonCosmetic);
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Drucker");
    BuildWindow();
    preview_printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    preview_printer_->setOutputFormat(QPrinter::PdfFormat);
    preview_printer_->setFullPage(true);
    preview_ = new QPrintPreviewWidget(preview_printer_.get(), this);
    preview_->setObjectName("JvPreviewControl1");
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    preview_->setGeometry(8, 8, 200, kClientHeight - 16);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintDialog::PaintPreview);
    translate = [](const QString& text) { return TextsHub::Instance().TranslateText(text); };
    FillPrinters();
    RebuildPreview();

    TextsHub& texts = TextsHub::Instance();
    texts.RegisterWindow(TextWindow::Print, this);
    connect(&texts, &TextsHub::languageChanged, this, [this] {
        const int pdf = printer_box_->findData(QString(), Qt::UserRole, Qt::MatchExactly);
        if (pdf >= 0) printer_box_->setItemText(pdf, Tr(QString::fromUtf8(kPdfEntry)));
    });
}

PrintDialog::~PrintDialog() {
    if (printer_tool_process_) printer_tool_process_->disconnect(this);
}

QGroupBox* PrintDialog::BuildPrinterBox() {
    QGroupBox* printerBox = Named(new QGroupBox(QStringLiteral("Drucker"), this), "GroupBoxDrucker");
    auto* printerLayout = new QVBoxLayout(printerBox);
    printerLayout->setSpacing(3);
    printer_box_ = new QComboBox(printerBox);
    printer_box_->setObjectName("ComboBox1");
    add_printer_button_ = Named(new QPushButton(QStringLiteral("Drucker hinzufügen"), printerBox), "Button2");
    properties_button_ = Named(new QPushButton(QStringLiteral("Eigenschaften"), printerBox), "Button1");
    printerLayout->addWidget(printer_box_);
    printerLayout->addWidget(add_printer_button_);
    printerLayout->addWidget(properties_button_);
    return printerBox;
}

QGroupBox* PrintDialog::BuildPaperBox() {
    QGroupBox* paperBox = Named(new QGroupBox(QStringLiteral("Papierformat in mm"), this), "GroupBoxPapier");
    auto* paperLayout = new QGridLayout(paperBox);
    paperLayout->setVerticalSpacing(3);
    paper_box_ = new QComboBox(paperBox);
    paper_box_->setObjectName("ComboBox2");
    auto sizeSpin = [paperBox](const char* name) {
        auto* spin = new QDoubleSpinBox(paperBox);
        spin->setObjectName(name);
        spin->setRange(0, 2000);
        spin->setDecimals(1);
        return spin;
    };
    paper_width_ = sizeSpin("JvSpinEdit5");
    paper_height_ = sizeSpin("JvSpinEdit6");
    paperLayout->addWidget(paper_box_, 0, 0, 1, 2);
    paperLayout->addWidget(Named(new QLabel(QStringLiteral("Breite"), paperBox), "LabelBreite"), 1, 0);
    paperLayout->addWidget(paper_width_, 1, 1);
    paperLayout->addWidget(Named(new QLabel(QStringLiteral("Höhe"), paperBox), "LabelHoehe"), 2, 0);
    paperLayout->addWidget(paper_height_, 2, 1);
    paperLayout->setRowStretch(3, 1);
    return paperBox;
}

QGroupBox* PrintDialog::BuildFormatBox() {
    QGroupBox* formatBox = Named(new QGroupBox(QStringLiteral("Format"), this), "GroupBoxFormat");
    auto* formatLayout = new QVBoxLayout(formatBox);
    formatLayout->setSpacing(2);
    portrait_ = Named(new QRadioButton(QStringLiteral("Hochformat"), formatBox), "RadioButton1");
    landscape_ = Named(new QRadioButton(QStringLiteral("Querformat"), formatBox), "RadioButton2");
    formatLayout->addWidget(portrait_);
    formatLayout->addWidget(landscape_);
    return formatBox;
}

QGroupBox* PrintDialog::BuildMarginBox() {
    QGroupBox* marginBox = Named(new QGroupBox(QStringLiteral("Ränder in mm"), this), "GroupBoxRaender");
    auto* marginLayout = new QGridLayout(marginBox);
    marginLayout->setVerticalSpacing(3);
    const char* const spinNames[4] = {"JvSpinEdit1", "JvSpinEdit2", "JvSpinEdit3", "JvSpinEdit4"};
    const char* const labelNames[4] = {"LabelOben", "LabelUnten", "LabelLinks", "LabelRechts"};
    const QString labels[4] = {QStringLiteral("Oben"), QStringLiteral("Unten"), QStringLiteral("Links"),
                               QStringLiteral("Rechts")};
    for (int i = 0; i < 4; ++i) {
        auto* spin = new QSpinBox(marginBox);
        spin->setObjectName(spinNames[i]);
        spin->setRange(-200, 200);
        spin->setValue(20);
        margins_[i] = spin;
        const int row = i / 2, column = (i % 2) * 2;
        marginLayout->addWidget(Named(new QLabel(labels[i], marginBox), labelNames[i]), row, column);
        marginLayout->addWidget(spin, row, column + 1);
    }
    return marginBox;
}

QGroupBox* PrintDialog::BuildFitBox() {
    QGroupBox* fitBox = Named(new QGroupBox(QStringLiteral("Chart drucken"), this), "GroupBoxChart");
    auto* fitLayout = new QVBoxLayout(fitBox);
    fitLayout->setSpacing(2);
    fit_to_page_ = Named(new QCheckBox(QStringLiteral("Chart an Seite anpassen"), fitBox), "CheckBox1");
    keep_proportions_ = Named(new QCheckBox(QStringLiteral("Proportional anpassen"), fitBox), "CheckBox2");
    fit_to_page_->setChecked(true);
    keep_proportions_->setChecked(true);
    fitLayout->addWidget(fit_to_page_);
    fitLayout->addWidget(keep_proportions_);
    return fitBox;
}

void PrintDialog::ConnectControls() {
    connect(printer_box_, &QComboBox::activated, this, &PrintDialog::ChoosePrinter);
    connect(properties_button_, &QPushButton::clicked, this, &PrintDialog::ShowPrinterProperties);
    connect(add_printer_button_, &QPushButton::clicked, this, &PrintDialog::AddPrinter);
    connect(paper_box_, &QComboBox::activated, this, &PrintDialog::ChoosePaper);
    connect(paper_width_, &QDoubleSpinBox::valueChanged, this, &PrintDialog::PaperWidthChanged);
    connect(paper_height_, &QDoubleSpinBox::valueChanged, this, &PrintDialog::PaperHeightChanged);
    connect(portrait_, &QRadioButton::clicked, this, &PrintDialog::OrientationChanged);
    connect(landscape_, &QRadioButton::clicked, this, &PrintDialog::OrientationChanged);
    for (QSpinBox* spin : margins_)
        connect(spin, &QSpinBox::valueChanged, this, &PrintDialog::MarginsChanged);
    connect(fit_to_page_, &QCheckBox::clicked, this, &PrintDialog::FittingChanged);
    connect(keep_proportions_, &QCheckBox::clicked, this, &PrintDialog::FittingChanged);
    connect(print_button_, &QPushButton::clicked, this, &PrintDialog::PrintAndClose);
    connect(cancel_button_, &QPushButton::clicked, this, &PrintDialog::CancelPrinting);
}

void PrintDialog::BuildWindow() {
    setWindowTitle(QStringLiteral("Drucken"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    auto* right = new QWidget(this);
    right->setGeometry(216, 4, kClientWidth - 220, kClientHeight - 8);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(4);
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    rightLayout->addLayout(grid);

    QGroupBox* printerBox = BuildPrinterBox();
    QGroupBox* paperBox = BuildPaperBox();
    QGroupBox* formatBox = BuildFormatBox();
    QGroupBox* marginBox = BuildMarginBox();
    QGroupBox* fitBox = BuildFitBox();

    grid->addWidget(printerBox, 0, 0);
    grid->addWidget(formatBox, 0, 1);
    grid->addWidget(paperBox, 1, 0, 2, 1);
    grid->addWidget(marginBox, 1, 1);
    grid->addWidget(fitBox, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    print_button_ = Named(new QPushButton(QStringLiteral("Drucken"), right), "Button3");
    cancel_button_ = Named(new QPushButton(QStringLiteral("Abbrechen"), right), "Button4");
    print_button_->setDefault(true);
    buttons->addWidget(print_button_);
    buttons->addWidget(cancel_button_);
    rightLayout->addStretch(1);
    rightLayout->addLayout(buttons);

    ConnectControls();
}

QString PrintDialog::Tr(const QString& text) const {
    return translate ? translate(text) : text;
}

void PrintDialog::Message(const QString& text) {
    if (showMessage)
        showMessage(text);
    else
        QMessageBox::information(this, windowTitle(), text);
}

void PrintDialog::SetChart(QCustomPlot* chart) {
    chart_ = chart;
    RebuildPreview();
}

bool PrintDialog::PrintsToPdf() const {
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

// An empty name stands for the PDF file, which is always offered last.
void PrintDialog::FillPrinters() {
    const bool refresh = printer_ != nullptr;
    const QString current = refresh && !PrintsToPdf() ? printer_->printerName() : QString();
    QSignalBlocker block(printer_box_);
    printer_box_->clear();
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printer_box_->addItem(name, name);
    printer_box_->addItem(Tr(QString::fromUtf8(kPdfEntry)), QString());

    int index = refresh ? printer_box_->findData(current, Qt::UserRole, Qt::MatchExactly) : -1;
    const QString standard = QPrinterInfo::defaultPrinterName();
    if (index < 0 && !standard.isEmpty())
        index = printer_box_->findData(standard, Qt::UserRole, Qt::MatchExactly);
    if (index < 0) index = 0;
    printer_box_->setCurrentIndex(index);
    if (!refresh || printer_box_->itemData(index).toString() != current) UsePrinter(index);
}

void PrintDialog::UsePrinter(int index) {
    const QString name = printer_box_->itemData(index).toString();
    std::unique_ptr<QPrinter> printer;
    if (name.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(name), QPrinter::HighResolution);
    }
    printer->setFullPage(true);  // margins count from the paper's edge
    printer_ = std::move(printer);
    FillPapers();
    Format();
}

void PrintDialog::FillPapers() {
    QSignalBlocker block(paper_box_);
    paper_box_->clear();
    papers_.clear();
    if (PrintsToPdf()) {
        for (QPageSize::PageSizeId id : kPdfPapers) papers_.emplace_back(id);
        const QPageSize current = printer_->pageLayout().pageSize();
        if (std::none_of(papers_.begin(), papers_.end(),
                         [&](const QPageSize& size) { return size.isEquivalentTo(current); }))
            papers_.push_back(current);
    } else {
        const QList<QPageSize> sizes = QPrinterInfo(*printer_).supportedPageSizes();
        papers_.assign(sizes.begin(), sizes.end());
    }
    const QPageSize current = printer_->pageLayout().pageSize();
    for (std::size_t i = 0; i < papers_.size(); ++i) {
        paper_box_->addItem(papers_[i].name());
        if (papers_[i].isEquivalentTo(current)) paper_box_->setCurrentIndex(static_cast<int>(i));
    }
}

void PrintDialog::Format() {
    const bool landscape = printer_->pageLayout().orientation() == QPageLayout::Landscape;
    portrait_->setChecked(!landscape);
    landscape_->setChecked(landscape);

    const QRect paper = printer_->paperRect(QPrinter::DevicePixel).toAlignedRect();
    preview_page_ = {paper.width(), paper.height(), printer_->logicalDpiX(), printer_->logicalDpiY()};
    QSignalBlocker blockWidth(paper_width_);
    QSignalBlocker blockHeight(paper_height_);
    paper_width_->setValue(printing::PixelsToMm(preview_page_.width, preview_page_.pixelsPerInchX));
    paper_height_->setValue(printing::PixelsToMm(preview_page_.height, preview_page_.pixelsPerInchY));
}

void PrintDialog::showEvent(QShowEvent* event) {
    Format();
    RebuildPreview();
    QDialog::showEvent(event);
}

printing::MmMargins PrintDialog::Margins() const {
    return {double(margins_[0]->value()), double(margins_[1]->value()), double(margins_[2]->value()),
            double(margins_[3]->value())};
}

printing::PixelMargins PrintDialog::Offsets() const {
    return printing::MarginsToPixels(Margins(), preview_page_.pixelsPerInchX, preview_page_.pixelsPerInchY);
}

PixelRect PrintDialog::FitOnPage(int width, int height, int pixelsPerInchX, int pixelsPerInchY) const {
    const PixelRect area = printing::PrintArea(
        width, height, printing::MarginsToPixels(Margins(), pixelsPerInchX, pixelsPerInchY));
    if (!chart_) return {area.x, area.y, 0, 0};
    QSize natural = chart_->size();
    if (natural.width() < kMinimumChartSide || natural.height() < kMinimumChartSide)
        natural = kFallbackChartSize;
    // Unstretched, the chart keeps the size it has on the screen.
    const int screenX = std::max(1, chart_->logicalDpiX()), screenY = std::max(1, chart_->logicalDpiY());
    const int naturalWidth = int(std::lround(double(natural.width()) * pixelsPerInchX / screenX));
    const int naturalHeight = int(std::lround(double(natural.height()) * pixelsPerInchY / screenY));
    return printing::FitChart(area, naturalWidth, naturalHeight, fit_to_page_->isChecked(),
                              keep_proportions_->isChecked());
}

PixelRect PrintDialog::ChartRect() const {
    return FitOnPage(preview_page_.width, preview_page_.height, preview_page_.pixelsPerInchX,
                     preview_page_.pixelsPerInchY);
}

void PrintDialog::RenderChart(QPainter& painter, const PixelRect& target) {
    if (!chart_ || target.Empty()) return;
    QSize natural = chart_->size();
    if (natural.width() < kMinimumChartSide || natural.height() < kMinimumChartSide)
        natural = kFallbackChartSize;
    // What the page shows is what gets printed: the chart on white.
    ChartBackgroundGuard white(chart_, QBrush(Qt::white));
    painter.save();
    painter.setClipRect(QRect(target.x, target.y, target.width, target.height));
    QPicture picture;
    {
        QCPPainter recorder(&picture);
        SetUp(recorder);
        chart_->toPainter(&recorder, natural.width(), natural.height());
    }
    // A picture plays back at its own resolution scaled to the device's, text included; so only the fitting
    // is left to scale.
    const double playX = double(painter.device()->logicalDpiX()) / picture.logicalDpiX();
    const double playY = double(painter.device()->logicalDpiY()) / picture.logicalDpiY();
    painter.translate(target.x, target.y);
    painter.scale(target.width / (natural.width() * playX), target.height / (natural.height() * playY));
    painter.drawPicture(0, 0, picture);
    painter.restore();
}

void PrintDialog::RebuildPreview() {
    if (!preview_ || !preview_printer_) return;
    const PreviewPage& page = preview_page_;
    if (page.width > 0 && page.height > 0 && page.pixelsPerInchX > 0) {
        const double width = printing::PixelsToMm(page.width, page.pixelsPerInchX);
        const double height = printing::PixelsToMm(page.height, page.pixelsPerInchY);
        // A page size is given upright; a wide page is an upright one turned.
        const QPageSize size(QSizeF(std::min(width, height), std::max(width, height)), QPageSize::Millimeter,
                             QString(), QPageSize::ExactMatch);
        preview_printer_->setResolution(page.pixelsPerInchX);
        preview_printer_->setPageLayout(
            QPageLayout(size, width > height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    }
    preview_->updatePreview();
}

void PrintDialog::PaintPreview(QPrinter* printer) {
    QCPPainter painter(printer);
    if (!painter.isActive()) return;
    SetUp(painter);
    const PreviewPage& page = preview_page_;
    if (page.width <= 0 || page.height <= 0) return;
    const QRectF device = printer->paperRect(QPrinter::DevicePixel);
    painter.scale(device.width() / page.width, device.height() / page.height);

    // The margins, as a guide that is not printed.
    const PixelRect area = printing::PrintArea(page.width, page.height, Offsets());
    painter.save();
    painter.setPen(QPen(Qt::gray, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(area.x, area.y, area.width, area.height));
    painter.restore();
    RenderChart(painter, ChartRect());
}

void PrintDialog::ChoosePrinter(int index) {
    UsePrinter(index);
    RebuildPreview();
}

void PrintDialog::ShowPrinterProperties() {
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() == QDialog::Accepted) {
        // The properties dialog may have switched to another printer or to a file.
        QSignalBlocker block(printer_box_);
        const QString name = PrintsToPdf() ? QString() : printer_->printerName();
        const int index = printer_box_->findData(name, Qt::UserRole, Qt::MatchExactly);
        if (index >= 0) printer_box_->setCurrentIndex(index);
        printer_->setFullPage(true);
        FillPapers();
    }
    Format();
    RebuildPreview();
}

void PrintDialog::AddPrinter() {
    const QString tool = QStandardPaths::findExecutable(printerTool);
    if (tool.isEmpty()) {
        Message(Tr(QStringLiteral(
                       "Es ist kein Programm zum Einrichten von Druckern installiert (%1). Bitte richten "
                       "Sie den Drucker in den Einstellungen des Systems ein."))
                    .arg(printerTool));
        return;
    }
    if (printer_tool_process_) return;  // already open
    printer_tool_process_ = new QProcess(this);
    connect(printer_tool_process_, &QProcess::finished, this, [this] {
        printer_tool_process_->deleteLater();
        printer_tool_process_ = nullptr;
        FillPrinters();  // a printer may have been added
        RebuildPreview();
    });
    connect(printer_tool_process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        printer_tool_process_->deleteLater();
        printer_tool_process_ = nullptr;
        Message(Tr(QStringLiteral("%1 konnte nicht gestartet werden.")).arg(printerTool));
    });
    printer_tool_process_->start(tool, {});
}

void PrintDialog::ChoosePaper(int index) {
    if (index >= 0 && index < int(papers_.size()) && !printer_->setPageSize(papers_[std::size_t(index)]))
        Message(QStringLiteral("Error initializing printer"));
    Format();
    RebuildPreview();
}

void PrintDialog::PaperWidthChanged() {
    preview_page_.width = printing::MmToPixels(paper_width_->value(), preview_page_.pixelsPerInchX);
    RebuildPreview();
}

void PrintDialog::PaperHeightChanged() {
    preview_page_.height = printing::MmToPixels(paper_height_->value(), preview_page_.pixelsPerInchY);
    RebuildPreview();
}

void PrintDialog::OrientationChanged() {
    printer_->setPageOrientation(portrait_->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape);
    Format();
    RebuildPreview();
}

void PrintDialog::MarginsChanged() {
    RebuildPreview();
}

void PrintDialog::FittingChanged() {
    RebuildPreview();
}

QString PrintDialog::AskPdfFile() {
    if (askPdfFile) return askPdfFile();
    QString start = printer_->outputFileName();
    if (start.isEmpty()) start = last_pdf_file_;
    if (start.isEmpty()) start = QDir::home().filePath(QStringLiteral("Chart.pdf"));
    QString file = QFileDialog::getSaveFileName(this, Tr(QString::fromUtf8(kPdfEntry)), start,
                                                QStringLiteral("PDF (*.pdf)"));
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
    return file;
}

bool PrintDialog::Print() {
    Format();
    if (!chart_) {
        Message(Tr(QStringLiteral("Es gibt keinen Chart zum Drucken.")));
        return false;
    }
    const QRect paper = printer_->paperRect(QPrinter::DevicePixel).toAlignedRect();
    const PixelRect target =
        FitOnPage(paper.width(), paper.height(), printer_->logicalDpiX(), printer_->logicalDpiY());
    if (target.Empty()) {
        Message(Tr(QStringLiteral("Zwischen den Rändern bleibt kein Platz für den Chart.")));
        return false;
    }
    if (PrintsToPdf()) {
        const QString file = AskPdfFile();
        if (file.isEmpty()) return false;
        last_pdf_file_ = file;
        printer_->setOutputFileName(file);
    }

    ChartBackgroundGuard white(chart_, QBrush(Qt::white));
    QCPPainter painter;
    if (!painter.begin(printer_.get())) {
        Message(
            Tr(QStringLiteral("Der Drucker konnte nicht angesprochen werden. Es wurde nichts gedruckt.")));
        return false;
    }
    SetUp(painter);
    RenderChart(painter, target);
    if (!painter.end() || printer_->printerState() == QPrinter::Error) {
        Message(Tr(QStringLiteral("Der Druck ist fehlgeschlagen.")));
        return false;
    }
    return true;
}

void PrintDialog::PrintAndClose() {
    if (Print()) accept();
}

void PrintDialog::CancelPrinting() {
    reject();
}

}  // namespace zentora
