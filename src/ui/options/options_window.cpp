// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/options_window.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "options/option_files.h"
#include "ui/charts/chart_view.h"
#include "ui/charts/chart_workers.h"
#include "ui/io/file_dialog_filters.h"
#include "ui/options/evaluation_page.h"
#include "ui/options/misc_page.h"
#include "ui/options/permanence_page.h"
#include "ui/options/statistics_page.h"
#include "ui/options/table_page.h"
#include "ui/printing/print_dialog.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

OptionsWindow::OptionsWindow(const DataFolders& folders, AppliedSettings& applied, QWidget* parent)
    : QDialog(parent), folders_(folders), applied_(applied), fields_(model_) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Zentora Optionsfenster"));
    setModal(true);
    BuildWindow();
    setFixedSize(757, 645);
    model_.SetListener([this](FieldId id, FieldChange change) { OnModelChange(id, change); });
    translate = [](const QString& text) { return TextsHub::Instance().TranslateText(text); };
    TextsHub& texts = TextsHub::Instance();
    texts.rateBlocksShown = [this] { return model_.RateBlocksShown(); };
    texts.RegisterWindow(TextWindow::Options, this);
    LoadStartSettings();
    print_dialog_ = std::make_unique<PrintDialog>();
    InstallAccessibility(*this);
}

OptionsWindow::~OptionsWindow() {
    StopWorkers();
    // The hub outlives this window and must not ask a destroyed model.
    TextsHub::Instance().rateBlocksShown = nullptr;
    model_.SetListener(nullptr);
}

StatisticsChart* OptionsWindow::StatisticsView() const {
    return statistics_->View();
}

EvaluationChart* OptionsWindow::EvaluationView() const {
    return evaluation_->View();
}

QCustomPlot* OptionsWindow::StatisticsPlot() const {
    return statistics_->Chart();
}

QCustomPlot* OptionsWindow::EvaluationPlot() const {
    return evaluation_->Chart();
}

int OptionsWindow::LimitDivisor() const {
    return evaluation_->LimitDivisor();
}

bool OptionsWindow::EvaluationPending() const {
    return evaluation_->Pending();
}

bool OptionsWindow::StatisticsPending() const {
    return statistics_->Pending();
}

bool OptionsWindow::WindowEnabled() const {
    return tabs_->isEnabled();
}

QString OptionsWindow::OptionsFolder() const {
    return QDir(folders_.User()).filePath(QStringLiteral("Einstellungen"));
}

QString OptionsWindow::DataIniPath() const {
    return folders_.Write(QStringLiteral("Einstellungen/data.ini"));
}

// ---------------------------------------------------------------------------------------------------------
// Building

void OptionsWindow::BuildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("Optionsfenster");
    layout->addWidget(tabs_, 1);
    BuildPages();
    layout->addLayout(BuildButtonRow());
    evaluation_->BuildWaitPanel(this);

    connect(tabs_, &QTabWidget::currentChanged, this, &OptionsWindow::TabChanged);
    connect(evaluation_, &EvaluationPage::EvaluationRunning, this,
            [this](bool running) { EnableWindow(!running); });
    for (ChartPage* page : std::initializer_list<ChartPage*>{statistics_, evaluation_})
        connect(page, &ChartPage::PrintRequested, this, &OptionsWindow::PrintChart);
}

void OptionsWindow::BuildPages() {
    for (int t = 0; t < 2; ++t) {
        permanence_pages_.push_back(new PermanencePage(fields_, t));
        AddPage(permanence_pages_.back(), t == 0 ? "Permanenz && Einsatz I" : "Permanenz && Einsatz II", 31);
    }
    AddPage(new TablePage(fields_), "Tischeinstellung", 32);
    auto* misc = new MiscPage(fields_, applied_, *this);
    connect(misc->OpenButton(), &QPushButton::clicked, this, &OptionsWindow::OpenOptionFile);
    connect(misc->SaveButton(), &QPushButton::clicked, this, &OptionsWindow::SaveOptionFileAs);
    AddPage(misc, "Sonstiges", 33);
    statistics_ = new StatisticsPage(model_, applied_, *this);
    AddPage(statistics_, "Statistiken", 34);
    evaluation_ = new EvaluationPage(fields_, applied_, *this);
    AddPage(evaluation_, "Auswertung", 35);
}

void OptionsWindow::AddPage(QWidget* page, const char* title, int helpContext) {
    page->setObjectName(QStringLiteral("TabSheet%1").arg(tabs_->count() + 1));
    page->setProperty("helpContext", helpContext);
    tabs_->addTab(page, QString::fromUtf8(title));
}

// SpeedButton1, then "Übernehmen", "OK" and "Abbrechen".
QLayout* OptionsWindow::BuildButtonRow() {
    auto* row = new QHBoxLayout;
    rate_blocks_button_ = fields_.Bind(new FieldToggleButton(model_, model_.RateBlocksToggle(), this));
    rate_blocks_button_->setAutoDefault(false);
    rate_blocks_button_->translate = [this](const QString& text) { return Tr(text); };
    rate_blocks_button_->setMinimumWidth(150);
    row->addWidget(rate_blocks_button_);
    row->addStretch(1);
    QPushButton* apply = Button("Button1", QStringLiteral("Übernehmen"), this);
    QPushButton* ok = Button("Button8", QStringLiteral("OK"), this);
    QPushButton* cancel = Button("Button2", QStringLiteral("Abbrechen"), this);
    for (QPushButton* b : {apply, ok, cancel}) {
        b->setMinimumWidth(90);
        row->addWidget(b);
    }
    window_parts_ = {tabs_, rate_blocks_button_, apply, ok, cancel};
    connect(apply, &QPushButton::clicked, this, &OptionsWindow::ApplyAndSave);
    connect(ok, &QPushButton::clicked, this, &OptionsWindow::ApplyAndClose);
    connect(cancel, &QPushButton::clicked, this, &OptionsWindow::reject);
    return row;
}

// ---------------------------------------------------------------------------------------------------------
// Model to widgets

void OptionsWindow::OnModelChange(FieldId id, FieldChange change) {
    if (change == FieldChange::RateBlocks) {
        ShowRateBlocks();
        return;
    }
    fields_.Sync(id);
    if (id == model_.CheckBox(66) && change == FieldChange::Value) evaluation_->ApplyMarkerOption();
}

void OptionsWindow::ShowRateBlocks() {
    const bool shown = model_.RateBlocksShown();
    for (PermanencePage* page : permanence_pages_) page->ShowRateBlocks(shown);
    rate_blocks_button_->Sync();
}

void OptionsWindow::UpdateHelpContext() {
    if (QWidget* page = tabs_->currentWidget())
        tabs_->setProperty("helpContext", page->property("helpContext"));
}

void OptionsWindow::EnableWindow(bool enabled) {
    for (QWidget* part : window_parts_) part->setEnabled(enabled);
}

void OptionsWindow::PrintChart(QCustomPlot* chart) {
    print_dialog_->SetChart(chart);
    print_dialog_->move(frameGeometry().center() - print_dialog_->rect().center());
    print_dialog_->exec();
}

void OptionsWindow::StopWorkers() {
    for (ChartWorker* worker : findChildren<ChartWorker*>()) {
        worker->Cancel();
        worker->wait();
    }
}

// ---------------------------------------------------------------------------------------------------------
// Showing and closing

void OptionsWindow::LoadStartSettings() {
    LoadOptions(folders_.Read(QStringLiteral("Einstellungen/data.ini")));
    ApplySettings();
    CreationRules(model_);
    ShowRateBlocks();
    UpdateHelpContext();
}

void OptionsWindow::showEvent(QShowEvent* event) {
    // Names follow the captions the window was last given.
    UpdateAccessibleNames(*this);
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    evaluation_->ForgetLimitDivisor();
    UpdateHelpContext();
    rate_blocks_button_->setVisible(tabs_->currentIndex() < 2);
}

void OptionsWindow::RestoreAfterClosing() {
    LoadOptions(folders_.Read(QStringLiteral("Einstellungen/data.ini")));
    statistics_->Clear();
    evaluation_->Clear();
    if (onClosed) onClosed();
}

void OptionsWindow::done(int result) {
    if (EvaluationPending()) return;  // the window stays until its evaluation has ended
    QDialog::done(result);
    RestoreAfterClosing();
}

void OptionsWindow::TabChanged(int index) {
    LeaveFocusedField();
    ApplySettings();
    UpdateHelpContext();
    rate_blocks_button_->setVisible(index < 2);
}

// ---------------------------------------------------------------------------------------------------------
// Applying, loading and saving

void OptionsWindow::ApplyAndSave() {
    LeaveFocusedField();
    ApplySettings();
    SaveOptions(DataIniPath());
}

void OptionsWindow::ApplyAndClose() {
    LeaveFocusedField();
    ApplySettings();
    accept();
}

void OptionsWindow::ApplySettings() {
    applied_ = zentora::ApplySettings(model_);
}

bool OptionsWindow::LoadOptions(const QString& path) {
    try {
        zentora::LoadOptions(model_, path.toStdString());
        return true;
    } catch (const OptionsFileError& e) {
        Message(this, TextsHub::Instance().Translate(e.message));
        return false;
    }
}

bool OptionsWindow::SaveOptions(const QString& path) {
    try {
        zentora::SaveOptions(model_, applied_, path.toStdString());
        return true;
    } catch (const OptionsFileError& e) {
        Message(this, TextsHub::Instance().Translate(e.message));
        return false;
    }
}

QString OptionsWindow::AskOptionFile(bool save) {
    QFileDialog dialog(this, Tr(save ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(OptionsFolder());
    static constexpr std::array<files::DialogFilter, 2> kFilters = {
        {{"Optionsdateien", "(*.opd)", "*.opd"}, files::kAllFilesFilter}};
    SetNameFilters(dialog, kFilters, [this](const QString& text) { return Tr(text); });
    dialog.setDefaultSuffix(QStringLiteral("opd"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(Tr(QStringLiteral("Optionsdateie")) + QStringLiteral(".opd"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!RunFileDialog(dialog)) return {};
    return dialog.selectedFiles().first();
}

void OptionsWindow::OpenOptionFile() {
    LeaveFocusedField();
    const QString file = AskOptionFile(false);
    if (!file.isEmpty()) LoadOptions(file);
}

void OptionsWindow::SaveOptionFileAs() {
    LeaveFocusedField();
    const QString file = AskOptionFile(true);
    if (!file.isEmpty()) SaveOptions(file);
}

}  // namespace zentora
