// The chart tabs of the options window: starting and ending the worker runs, the wait panel, and the tools
// of both charts.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <set>

#include "catalogue/catalogue.h"
#include "evaluation/chart_data.h"
#include "lang/language_table.h"
#include "statistics/statistics_lines.h"
#include "ui/Unit2.h"
#include "ui/charts/chart_workers.h"
#include "ui/charts/evaluation_chart.h"
#include "ui/charts/labelled_graph.h"
#include "ui/charts/statistics_chart.h"
#include "ui/option_fields.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

// The group radio buttons of the tab "Statistiken" by number.
constexpr std::pair<int, GroupId> kGroupChoice[] = {
    {3, GroupId::G137},   {4, GroupId::G237},   {5, GroupId::G337},    {6, GroupId::G437},
    {7, GroupId::G637},   {8, GroupId::G1237},  {9, GroupId::G1837},   {10, GroupId::P437},
    {11, GroupId::P337},  {12, GroupId::N337},  {13, GroupId::N537},   {14, GroupId::N737},
    {15, GroupId::N937},  {16, GroupId::Z437},  {17, GroupId::Z537},   {18, GroupId::Z837},
    {19, GroupId::Z937},  {20, GroupId::Z1237}, {21, GroupId::Z12637}, {22, GroupId::SS637},
    {23, GroupId::SS837}, {24, GroupId::S637},  {25, GroupId::S737},   {26, GroupId::S837},
    {27, GroupId::S937},  {28, GroupId::S1237}, {29, GroupId::S1737},
};

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool TForm2::EvaluationPending() const {
    return !evaluation_thread_.isNull();
}

bool TForm2::StatisticsPending() const {
    return !statistics_thread_.isNull();
}

bool TForm2::WindowEnabled() const {
    return optionsfenster_->isEnabled();
}

void TForm2::BuildWaitPanel() {
    // Over the chart, outside the tabs, so that its button stays usable while the window is disabled.
    wait_panel_ = new QFrame(this);
    wait_panel_->setObjectName("JvPanel1");
    static_cast<QFrame*>(wait_panel_)->setFrameShape(QFrame::Panel);
    static_cast<QFrame*>(wait_panel_)->setFrameShadow(QFrame::Raised);
    wait_panel_->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(wait_panel_);
    auto* label = new QLabel(QStringLiteral("Bitte Warten,Berechnung läuft..."), wait_panel_);
    label->setObjectName("Label238");
    progress_bar_ = new QProgressBar(wait_panel_);
    progress_bar_->setObjectName("ProgressBar1");
    progress_bar_->setRange(0, kProgressSteps);
    progress_bar_->setValue(0);
    auto* cancel = cancel_evaluation_ = new QPushButton(QStringLiteral("Abbrechen"), wait_panel_);
    cancel->setObjectName("CancelEvaluation");
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &TForm2::CancelEvaluation);
    layout->addWidget(label);
    layout->addWidget(progress_bar_, 1);
    layout->addWidget(cancel);
    wait_panel_->hide();
    // Texts built here rather than by the window's caption list follow the language themselves.
    connect(&TextsHub::Instance(), &TextsHub::languageChanged, this, &TForm2::RetranslateCharts);
}

void TForm2::RetranslateCharts() {
    cancel_evaluation_->setText(Tr(QStringLiteral("Abbrechen")));
    ShowSummary();
}

void TForm2::EnableWindow(bool enabled) {
    for (QWidget* part : window_parts_) part->setEnabled(enabled);
}

QColor TForm2::ChartColour(int k) const {
    return FieldColorButton::ToColor(model_.Value(model_.Colour(k)));
}

std::vector<std::string> TForm2::TranslateStrings(const std::vector<std::string>& texts, bool words) const {
    const auto& lookup = words ? translateWords : translateList;
    if (texts.empty()) return texts;
    try {
        if (lookup) return lookup(texts);
        if (const LanguageTable* table = TextsHub::Instance().Table())
            return words ? table->TranslateWords(texts) : table->TranslateList(texts);
        return texts;
    } catch (const LanguageFileError&) {
        return texts;  // the German names still say what was played
    }
}

void TForm2::StartThread(ChartWorker* thread) {
    thread->beforeRun = workerHook;
    connect(thread, &QThread::finished, this, [this, thread] { ThreadDone(thread); });
    thread->start();
}

void TForm2::StopWorkers() {
    for (ChartWorker* thread : findChildren<ChartWorker*>()) {
        thread->Cancel();
        thread->wait();
    }
}

// ---------------------------------------------------------------------------------------------------------
// The money evaluation

void TForm2::Button14Click() {
    if (EvaluationPending()) return;
    LeaveFocusedField();
    EnableWindow(false);
    progress_bar_->setValue(0);
    std::vector<std::uint8_t> spins = permanence ? permanence() : std::vector<std::uint8_t>{};
    auto* thread = new MoneyEvaluationWorker(std::move(spins), applied_, TakeLiveSettings(model_), this);
    evaluation_thread_ = thread;
    connect(thread, &MoneyEvaluationWorker::Progress, this, [this, thread](int step) {
        if (thread == evaluation_thread_) progress_bar_->setValue(step);
    });
    StartThread(thread);
    chart2_->ResetZoom();

    const QRect chart(chart2_->mapTo(this, QPoint(0, 0)), chart2_->size());
    wait_panel_->adjustSize();
    const QSize size(std::min(chart.width() - 20, 520), wait_panel_->sizeHint().height());
    wait_panel_->setGeometry(QRect(chart.center() - QPoint(size.width() / 2, size.height() / 2), size));
    wait_panel_->show();
    wait_panel_->raise();
    wait_panel_->repaint();
}

void TForm2::CancelEvaluation() {
    if (evaluation_thread_) evaluation_thread_->Cancel();
}

void TForm2::ThreadDone(ChartWorker* thread) {
    thread->deleteLater();
    if (auto* evaluation = qobject_cast<MoneyEvaluationWorker*>(thread))
        EvaluationDone(evaluation);
    else if (auto* statistics = qobject_cast<StatisticsWorker*>(thread))
        StatisticsDone(statistics);
}

void TForm2::EvaluationDone(MoneyEvaluationWorker* thread) {
    if (thread != evaluation_thread_) return;
    evaluation_thread_ = nullptr;
    EvaluationResult& result = thread->Result();
    const bool failed = !thread->Error().isEmpty();
    // A cancelled run leaves the chart with what it showed before.
    if (!failed && !thread->CancelRequested() && !result.cancelled) {
        chart2_->ShowResult(result.balance, result.markers, MarkerLabels(result), ChartColour(1));
        summary_data_ = SummaryOf(result);
        ShowSummary();
        result = {};
        chart2_->AddLimitLines(limit_divisor_, ChartColour(2));
        CheckBox66Click();
    }
    EnableWindow(true);
    wait_panel_->hide();
    if (failed) Message(Tr(thread->Error()));
}

std::vector<QString> TForm2::MarkerLabels(const EvaluationResult& result) const {
    std::vector<QString> labels(result.markers.size());
    if (result.markers.empty()) return labels;
    // Each slot's name is translated once, the numbered names word by word, as the signal list does.
    std::set<int> slots;
    for (const EvaluationMarker& m : result.markers)
        if (m.slot) slots.insert(*m.slot);
    std::vector<int> wordSlots, wholeSlots;
    std::vector<std::string> wordNames, wholeNames;
    for (const int slot : slots) {
        SlotName name;
        if (!ChanceSlotName(slot, name)) continue;
        (name.nameHasNumber ? wordSlots : wholeSlots).push_back(slot);
        (name.nameHasNumber ? wordNames : wholeNames).push_back(std::move(name.text));
    }
    wordNames = TranslateStrings(wordNames, true);
    wholeNames = TranslateStrings(wholeNames, false);
    std::unordered_map<int, QString> names;
    for (std::size_t i = 0; i < wordSlots.size() && i < wordNames.size(); ++i)
        names[wordSlots[i]] = FromStd(wordNames[i]);
    for (std::size_t i = 0; i < wholeSlots.size() && i < wholeNames.size(); ++i)
        names[wholeSlots[i]] = FromStd(wholeNames[i]);
    for (std::size_t i = 0; i < result.markers.size(); ++i)
        if (const auto& slot = result.markers[i].slot) labels[i] = names[*slot];
    return labels;
}

void TForm2::ShowSummary() {
    if (!summary_data_) {
        summary_->clear();
        return;
    }
    const EvaluationSummary& s = *summary_data_;
    const QLocale locale;
    const auto part = [&](const char* text, const QString& value) {
        return Tr(QString::fromUtf8(text)) + QStringLiteral(": ") + value;
    };
    summary_->setText(QStringList{part("Runden", locale.toString(qlonglong(s.spins))),
                                  part("Gesetzt", locale.toString(qlonglong(s.totalStaked))),
                                  part("Ausgezahlt", locale.toString(qlonglong(s.totalReturned))),
                                  part("Endstand", locale.toString(qlonglong(s.finalBalance))),
                                  part("Tiefster Stand", locale.toString(qlonglong(s.lowestBalance))),
                                  part("Erwartung", locale.toString(s.expected, 'f', 2))}
                          .join(QStringLiteral("   ")));
    summary_->setToolTip(
        Tr(QStringLiteral("Erwartung: was die Einsätze im Mittel an die Null verlieren "
                          "(jede Position nach ihrer Auszahlung, Halbierung bei Zero eingerechnet)")));
}

void TForm2::Limit1Click(int tag) {
    limit_divisor_ = tag;
    if (QAbstractButton* button = limit_buttons_->button(tag)) button->setChecked(true);
    chart2_->SetLimitDivisor(tag);
}

void TForm2::CheckBox66Click() {
    const bool shown = model_.Checked(66);
    applied_.optionFlags[65] = shown ? 1 : 0;
    chart2_->SetMarkersVisible(shown);
}

void TForm2::BitBtn3Click(int percent) {
    chart2_->Zoom(percent);
}

void TForm2::Button7Click() {
    chart2_->ResetZoom();
}

void TForm2::Button13Click() {
    SavePicture(chart2_);
}

// ---------------------------------------------------------------------------------------------------------
// The statistics

GroupId TForm2::CheckedGroup() const {
    const int checked = group_choice_->checkedId();
    for (const auto& [number, group] : kGroupChoice)
        if (number == checked) return group;
    return GroupId::G137;
}

std::optional<StatisticsKind> TForm2::CheckedKind() const {
    switch (kind_choice_->checkedId()) {
        case 30:
            return StatisticsKind::RateOverview;
        case 31:
            return StatisticsKind::MaxAbsence;
        case 32:
            return StatisticsKind::MeanAbsence;
        case 44:
            return StatisticsKind::MaxRate;
        case 45:
            return StatisticsKind::MinRate;
        default:
            return std::nullopt;
    }
}

void TForm2::Button15Click() {
    LeaveFocusedField();
    chart1_->ResetZoom();
    // A busy run is dropped: its end is ignored, so two runs never fill the chart.
    if (statistics_thread_) statistics_thread_->Cancel();
    statistics_thread_ = nullptr;
    const std::optional<StatisticsKind> kind = CheckedKind();
    if (!kind) return;
    std::vector<std::uint8_t> spins = permanence ? permanence() : std::vector<std::uint8_t>{};
    auto* thread = new StatisticsWorker(std::move(spins), CheckedGroup(), *kind, applied_,
                                              TakeLiveSettings(model_), this);
    statistics_thread_ = thread;
    StartThread(thread);
    chart1_->xAxis->setTickLabels(true);
}

void TForm2::StatisticsDone(StatisticsWorker* thread) {
    if (thread != statistics_thread_) return;
    statistics_thread_ = nullptr;
    if (!thread->Error().isEmpty()) {
        Message(Tr(thread->Error()));
        return;
    }
    if (thread->CancelRequested()) return;
    StatisticsResult result = std::move(thread->Result());
    const GroupId group = result.inputs.group;

    StatisticsChart::Context context;
    context.high = ChartColour(2);
    context.setValue = ChartColour(3);
    context.signal = ChartColour(4);
    context.bounds = ChartColour(5);
    context.abRundeValue = model_.Value(AbRundeFieldOf(group));
    const GroupFields& fields = model_.Fields(group);
    for (int n = 0; n < kRateWindowCount; ++n) context.vonMilli[n] = model_.Value(fields.von[n]);
    if (result.inputs.kind == StatisticsKind::MinRate) {
        context.ab = Tr(QStringLiteral("Ab"));
        context.runde = Tr(QStringLiteral("Runde"));
        context.bis = Tr(QStringLiteral("Bis"));
    }
    if (result.marker) {
        const auto names = TranslateStrings({ChanceSlotName(result.marker->slot).text},
                                            ChanceSlotName(result.marker->slot).nameHasNumber);
        context.markerLabel = names.empty() ? QString() : FromStd(names[0]);
    }

    const auto errors = chart1_->ShowResult(result, context);
    // The kind of the run decides, not the radio button now checked: the user may have moved on.
    if (result.inputs.kind == StatisticsKind::MaxAbsence) chart1_->AddHighLine(ChartColour(2));
    for (const StatisticsChart::OrderError& e : errors) ShowOrderError(e.window, e.firstX, context.runde);
}

void TForm2::ShowOrderError(int window, std::int64_t firstX, const QString& runde) {
    const auto [from, to] = OrderErrorFields(window);
    const std::vector<std::string> texts =
        TranslateStrings({std::string(kFehlermessageTexts[0]), std::string(kFehlermessageTexts[1]),
                          std::string(kFehlermessageTexts[2])},
                         false);
    const std::vector<std::string> fields = TranslateStrings({from, to}, true);
    if (texts.size() != 3 || fields.size() != 2) return;
    // One message per window, naming the first point that would lie before spin 1.
    Message(FromStd(Fehlermessage(texts[0], texts[1], texts[2], fields[0], fields[1])) +
            QStringLiteral(" (") + runde + QStringLiteral(" ") + QString::number(firstX) +
            QStringLiteral(")"));
}

void TForm2::TakeOver(const ChartLine& clicked, const ChartLine& first, QPoint at) {
    zentora::Test3(model_, clicked, first);
    chart1_->ShowNote(at, Tr(QStringLiteral("Wert übernommen")));
}

void TForm2::BitBtn1Click(int percent) {
    chart1_->Zoom(percent);
}

void TForm2::Button5Click() {
    chart1_->ResetZoom();
}

void TForm2::Button12Click() {
    SavePicture(chart1_);
}

// ---------------------------------------------------------------------------------------------------------

void TForm2::SavePicture(ChartView* chart) {
    QFileDialog dialog(this, Tr(QStringLiteral("Chart als Bild speichern")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("Bitmap (*.Bmp)")});
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    const bool accepted = fileDialogHook ? fileDialogHook(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted || dialog.selectedFiles().isEmpty()) return;
    const QString file = dialog.selectedFiles().first();
    if (!chart->SaveBitmap(file))
        Message(Tr(QStringLiteral("Das Bild konnte nicht gespeichert werden:")) + QStringLiteral(" ") + file);
}

}  // namespace zentora
