// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/chart_page.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/charts/chart_view.h"
#include "ui/charts/chart_workers.h"
#include "ui/options/page_helpers.h"

namespace zentora {

ChartPage::ChartPage(OptionsModel& model, const OptionsWindowHooks& hooks)
    : model_(model), hooks_(hooks), layout_(new QVBoxLayout(this)) {}

void ChartPage::SetChart(ChartView* chart, int minimumHeight) {
    chart_ = chart;
    chart_->setMinimumHeight(minimumHeight);
    layout_->addWidget(chart_, 1);
}

void ChartPage::AddTools(QBoxLayout* row, const ToolNames& names, ToolLayout style) {
    const bool boxed = style == ToolLayout::Boxes;
    QWidget* zoomBox = this;
    QBoxLayout* zoomLayout = row;
    if (boxed) {
        zoomBox = TextName(new QGroupBox(QStringLiteral("Chart zoomen"), this), "GroupBoxZoom");
        zoomLayout = new QHBoxLayout(zoomBox);
        zoomLayout->setSpacing(2);
    }
    QPushButton* zoomIn = Button(names.zoomIn, QStringLiteral("Vergrössern"), zoomBox, 120);
    QPushButton* zoomOut = Button(names.zoomOut, QStringLiteral("Verkleinern"), zoomBox, 80);
    QPushButton* reset = Button(names.reset, QString::fromUtf8(names.resetCaption), zoomBox);
    connect(zoomIn, &QPushButton::clicked, this, [this] { chart_->Zoom(120); });
    connect(zoomOut, &QPushButton::clicked, this, [this] { chart_->Zoom(80); });
    connect(reset, &QPushButton::clicked, this, [this] { chart_->ResetZoom(); });
    for (QPushButton* b : {zoomIn, zoomOut, reset}) zoomLayout->addWidget(b);

    QWidget* exportBox = this;
    QBoxLayout* exportLayout = row;
    if (boxed) {
        row->addWidget(zoomBox, 0, Qt::AlignTop);
        exportBox = TextName(new QGroupBox(QStringLiteral("Chart exportieren"), this), "GroupBoxExport");
        exportLayout = new QHBoxLayout(exportBox);
        exportLayout->setSpacing(2);
    }
    QPushButton* picture = Button(names.picture, QStringLiteral("Chart als Bild speichern"), exportBox);
    QPushButton* print = Button(names.print, QStringLiteral("Chart drucken"), exportBox);
    connect(picture, &QPushButton::clicked, this, &ChartPage::SavePicture);
    connect(print, &QPushButton::clicked, this, [this] { Q_EMIT PrintRequested(chart_); });
    exportLayout->addWidget(picture);
    exportLayout->addWidget(print);
    if (boxed) row->addWidget(exportBox, 0, Qt::AlignTop);
}

QColor ChartPage::ChartColour(int k) const {
    return FieldColorButton::ToColor(model_.Value(model_.Colour(k)));
}

void ChartPage::StartWorker(ChartWorker* worker, std::function<void()> done) {
    worker->beforeRun = hooks_.workerHook;
    connect(worker, &QThread::finished, this, [worker, done = std::move(done)] {
        worker->deleteLater();
        done();
    });
    worker->start();
}

void ChartPage::SavePicture() {
    QFileDialog dialog(window(), hooks_.Tr(QStringLiteral("Chart als Bild speichern")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Bitmap (*.Bmp)")});
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (!hooks_.RunFileDialog(dialog)) return;
    const QString file = dialog.selectedFiles().first();
    if (!chart_->SaveBitmap(file))
        hooks_.Message(window(), hooks_.Tr(QStringLiteral("Das Bild konnte nicht gespeichert werden:")) +
                                     QStringLiteral(" ") + file);
}

}  // namespace zentora
