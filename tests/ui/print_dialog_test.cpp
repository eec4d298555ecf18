// SPDX-License-Identifier: GPL-3.0-or-later
// The chart print dialog, offscreen: page arithmetic, orientation, and a real print into a PDF file that is
// rendered back to pixels.
#include "ui/printing/print_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "ui/charts/qcustomplot_include.h"
#include "ui/options/options_window.h"
#include "ui/printing/chart_background.h"
#include "ui/printing/page_geometry.h"

using namespace zentora;
using namespace zentora::printing;

Q_DECLARE_METATYPE(zentora::printing::PixelRect)

class PrintingDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QCustomPlot> chart_;
    std::unique_ptr<PrintDialog> dialog_;
    QStringList messages_;

    template <typename T>
    T* Child(const char* name) {
        T* child = dialog_->findChild<T*>(name);
        if (!child) qFatal("no control %s", name);
        return child;
    }
    // Chooses the PDF file, which every machine has, and the paper by name.
    void UsePdf(const QString& paper) {
        auto* printers = Child<QComboBox>("ComboBox1");
        const int pdf = printers->findData(QString(), Qt::UserRole, Qt::MatchExactly);
        QVERIFY(pdf >= 0);
        printers->setCurrentIndex(pdf);
        dialog_->ChoosePrinter(pdf);
        QVERIFY(dialog_->PrintsToPdf());
        auto* papers = Child<QComboBox>("ComboBox2");
        const int index = papers->findText(paper);
        QVERIFY2(index >= 0, qPrintable(paper));
        papers->setCurrentIndex(index);
        dialog_->ChoosePaper(index);
    }
    double Width() { return Child<QDoubleSpinBox>("JvSpinEdit5")->value(); }
    double Height() { return Child<QDoubleSpinBox>("JvSpinEdit6")->value(); }

  private Q_SLOTS:
    void init() {
        // A red chart with one thick blue line: the background must print white, the line must print.
        chart_ = std::make_unique<QCustomPlot>();
        chart_->resize(600, 300);
        chart_->setBackground(QBrush(Qt::red));
        chart_->axisRect()->setBackground(QBrush(Qt::yellow));
        QCPGraph* graph = chart_->addGraph();
        QVector<double> x, y;
        for (int i = 0; i < 100; ++i) {
            x << i;
            y << (i % 20);
        }
        graph->setData(x, y);
        graph->setPen(QPen(Qt::blue, 6));
        chart_->rescaleAxes();
        chart_->replot();

        messages_.clear();
        dialog_ = std::make_unique<PrintDialog>();
        dialog_->showMessage = [this](const QString& text) { messages_ << text; };
        dialog_->askPdfFile = [] { return QString(); };
        dialog_->SetChart(chart_.get());
    }
    void cleanup() {
        dialog_.reset();
        chart_.reset();
    }

    void conversions() {
        QCOMPARE(MmToPixels(20, 600), 472);
        QCOMPARE(MmToPixels(25.4, 300), 300);
        QCOMPARE(MmToPixels(-20, 600), -472);
        QCOMPARE(MmToPixels(210, 1200), 9921);
        QVERIFY(qAbs(PixelsToMm(472, 600) - 19.98) < 0.01);
        QCOMPARE(PixelsToMm(300, 300), 25.4);
        const PixelMargins margins = MarginsToPixels({20, 10, 5, 0}, 600, 300);
        QCOMPARE(margins.top, 236);
        QCOMPARE(margins.bottom, 118);
        QCOMPARE(margins.left, 118);
        QCOMPARE(margins.right, 0);
    }

    void fitting_data() {
        QTest::addColumn<int>("naturalWidth");
        QTest::addColumn<int>("naturalHeight");
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("proportional");
        QTest::addColumn<PixelRect>("expected");
        // Area 1000 × 800 at (100, 50).
        QTest::newRow("stretched fills") << 500 << 100 << true << false << PixelRect{100, 50, 1000, 800};
        QTest::newRow("proportional wide") << 500 << 100 << true << true << PixelRect{100, 50, 1000, 200};
        QTest::newRow("proportional tall") << 100 << 400 << true << true << PixelRect{100, 50, 200, 800};
        QTest::newRow("natural size") << 300 << 200 << false << true << PixelRect{100, 50, 300, 200};
        QTest::newRow("too big shrinks whole")
            << 2000 << 400 << false << false << PixelRect{100, 50, 1000, 200};
        QTest::newRow("no chart size") << 0 << 400 << true << true << PixelRect{100, 50, 0, 0};
    }
    void fitting() {
        QFETCH(int, naturalWidth);
        QFETCH(int, naturalHeight);
        QFETCH(bool, stretch);
        QFETCH(bool, proportional);
        QFETCH(PixelRect, expected);
        const PixelRect area = PrintArea(1200, 900, {50, 50, 100, 100});
        QCOMPARE(FitChart(area, naturalWidth, naturalHeight, stretch, proportional), expected);
    }

    void marginsLeaveNoRoom() {
        QVERIFY(PrintArea(1000, 1000, {600, 400, 0, 0}).Empty());
        UsePdf("A4");
        for (const char* name : {"JvSpinEdit1", "JvSpinEdit2"}) Child<QSpinBox>(name)->setValue(150);
        QVERIFY(!dialog_->Print());
        QCOMPARE(messages_.size(), 1);
    }

    void marginsAt600Dpi() {
        UsePdf("A4");
        dialog_->Printer().setResolution(600);
        dialog_->show();  // showing reads the printer again
        QCOMPARE(dialog_->Preview().pixelsPerInchX, 600);
        const PixelMargins offsets = dialog_->Offsets();
        QCOMPARE(offsets.top, 472);
        QCOMPARE(offsets.bottom, 472);
        QCOMPARE(offsets.left, 472);
        QCOMPARE(offsets.right, 472);
        const PixelRect chart = dialog_->ChartRect();
        QCOMPARE(chart.x, 472);
        QCOMPARE(chart.y, 472);
        QCOMPARE(chart.width, dialog_->Preview().width - 2 * 472);  // stretched and proportional: full width
    }

    void paperAndOrientation() {
        UsePdf("A4");
        auto* portrait = Child<QRadioButton>("RadioButton1");
        auto* landscape = Child<QRadioButton>("RadioButton2");
        QVERIFY(portrait->isChecked());
        QCOMPARE(qRound(Width()), 210);
        QCOMPARE(qRound(Height()), 297);

        landscape->click();
        QVERIFY(landscape->isChecked());
        QCOMPARE(qRound(Width()), 297);
        QCOMPARE(qRound(Height()), 210);
        QVERIFY(dialog_->Preview().width > dialog_->Preview().height);

        portrait->click();
        QCOMPARE(qRound(Width()), 210);
        QCOMPARE(qRound(Height()), 297);

        UsePdf("A5");
        QCOMPARE(qRound(Width()), 148);
        QCOMPARE(qRound(Height()), 210);
    }

    void printRestoresBackgroundWhenPrintingFails() {
        QTemporaryDir dir;
        UsePdf("A4");
        dialog_->askPdfFile = [&] { return dir.filePath("missing/folder/chart.pdf"); };
        dialog_->show();
        QTest::mouseClick(Child<QPushButton>("Button3"), Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(dialog_->isVisible());  // the dialog stays open
        QCOMPARE(ChartBackground(chart_.get()).color(), QColor(Qt::red));
        QCOMPARE(chart_->axisRect()->backgroundBrush().color(), QColor(Qt::yellow));
    }

    void printsOnePdfPageHoldingTheChart() {
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
        if (pdftoppm.isEmpty() || pdfinfo.isEmpty())
            QFAIL("pdftoppm and pdfinfo (poppler-utils) are needed to read the printed page back");
        QTemporaryDir dir;
        const QString file = dir.filePath("chart.pdf");
        UsePdf("A4");
        dialog_->askPdfFile = [&] { return file; };
        dialog_->show();
        QTest::mouseClick(Child<QPushButton>("Button3"), Qt::LeftButton);
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('\n')));
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QCOMPARE(ChartBackground(chart_.get()).color(), QColor(Qt::red));
        QCOMPARE(chart_->axisRect()->backgroundBrush().color(), QColor(Qt::yellow));

        QProcess info;
        info.start(pdfinfo, {file});
        QVERIFY(info.waitForFinished(30000));
        const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(infoText.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(infoText));

        // 50 pixels per inch: A4 is 413 × 585, the 20 mm margins are 39 pixels.
        QProcess render;
        render.start(pdftoppm, {"-r", "50", "-png", "-singlefile", file, dir.filePath("page")});
        QVERIFY(render.waitForFinished(30000));
        QCOMPARE(render.exitCode(), 0);
        const QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        QVERIFY(qAbs(page.width() - 413) <= 1);
        QVERIFY(qAbs(page.height() - 585) <= 1);

        int inked = 0, blue = 0, background = 0, outside = 0;
        const int margin = 39;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                const bool white = c.red() > 240 && c.green() > 240 && c.blue() > 240;
                if (white) continue;
                ++inked;
                if (x < margin - 1 || y < margin - 1 || x > page.width() - margin) ++outside;
                if (c.blue() > 150 && c.red() < 100 && c.green() < 100) ++blue;
                if (c.red() > 200 && c.blue() < 80)
                    ++background;  // red or yellow: the chart's own backgrounds must not print
            }
        }
        QVERIFY2(inked > 1000, qPrintable(QString::number(inked)));
        QVERIFY2(blue > 200, qPrintable(QString::number(blue)));
        QCOMPARE(background, 0);
        QCOMPARE(outside, 0);
    }

    void addPrinterWithoutToolSaysSo() {
        dialog_->printerTool = QStringLiteral("zentora-no-such-printer-tool");
        QTest::mouseClick(Child<QPushButton>("Button2"), Qt::LeftButton);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.first().contains("zentora-no-such-printer-tool"));
    }

    // Each "Chart drucken" button of the options window opens the dialog with its own chart.
    void optionsWindowPrintsItsCharts() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        AppliedSettings applied;
        OptionsWindow form(root.path(), applied);
        form.showMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        form.show();
        for (auto [button, chart] :
             {std::pair{"BitBtn5", form.StatisticsPlot()}, std::pair{"BitBtn6", form.EvaluationPlot()}}) {
            auto* print = form.findChild<QPushButton*>(button);
            QVERIFY(print && print->isEnabled());
            QVERIFY(chart);
            QCustomPlot* shown = nullptr;
            QTimer::singleShot(0, [&] {
                auto* modal = qobject_cast<PrintDialog*>(QApplication::activeModalWidget());
                if (modal) {
                    shown = modal->Chart();
                    modal->reject();
                }
            });
            print->click();
            QCOMPARE(shown, chart);
        }
    }
};

QTEST_MAIN(PrintingDialogTest)
#include "print_dialog_test.moc"
