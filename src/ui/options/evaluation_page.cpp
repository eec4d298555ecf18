// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/evaluation_page.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>
#include <unordered_map>

#include "catalogue/catalogue.h"
#include "ui/charts/chart_workers.h"
#include "ui/charts/evaluation_chart.h"
#include "ui/options/page_helpers.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

EvaluationPage::EvaluationPage(BoundFields& fields, AppliedSettings& applied, const OptionsWindowHooks& hooks)
    : ChartPage(fields.Model(), hooks), applied_(applied) {
    chart_ = new EvaluationChart(this);
    SetChart(chart_, 280);

    // What a player needs to judge the system, under its balance.
    summary_ = new QLabel(this);
    summary_->setObjectName("EvaluationSummary");
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PageLayout()->addWidget(summary_);

    auto* row = new QHBoxLayout;
    QPushButton* start = Button("Button14", QStringLiteral("Berechnen"), this);
    connect(start, &QPushButton::clicked, this, &EvaluationPage::StartMoneyEvaluation);
    row->addWidget(start, 0, Qt::AlignTop);
    row->addWidget(BuildLimitButtons(), 0, Qt::AlignTop);
    row->addWidget(BuildMarkerOptions(fields), 0, Qt::AlignTop);
    row->addStretch(1);
    PageLayout()->addLayout(row);

    auto* tools = new QHBoxLayout;
    AddTools(tools, {"BitBtn3", "BitBtn4", "Button7", " Zurücksetzen", "Button13", "BitBtn6"},
             ToolLayout::Boxes);
    tools->addStretch(1);
    PageLayout()->addLayout(tools);
}

QWidget* EvaluationPage::BuildLimitButtons() {
    auto* limits =
        TextName(new QGroupBox(QStringLiteral("Chart-Limit-Linie X-fach teilen"), this), "GroupBoxLimit");
    auto* layout = new QHBoxLayout(limits);
    limit_buttons_ = new QButtonGroup(limits);
    const std::pair<const char*, int> buttons[5] = {
        {"Limit1", 0}, {"Limit10", 2}, {"Limit100", 3}, {"Limit1000", 4}, {"Limit10000", 5}};
    for (int i = 0; i < 5; ++i) {
        QPushButton* b = Button(buttons[i].first, QString::number(i + 1), limits);
        b->setProperty("tag", buttons[i].second);
        b->setCheckable(true);
        b->setFixedWidth(28);
        limit_buttons_->addButton(b, buttons[i].second);
        layout->addWidget(b);
    }
    limit_buttons_->buttons().first()->setChecked(true);
    connect(limit_buttons_, &QButtonGroup::idClicked, this, &EvaluationPage::SetLimitDivisor);
    return limits;
}

QWidget* EvaluationPage::BuildMarkerOptions(BoundFields& fields) {
    auto* markers =
        TextName(new QGroupBox(QStringLiteral("Gewinne/Verluste Anzeigen"), this), "GroupBoxGewinne");
    auto* layout = new QGridLayout(markers);
    layout->addWidget(
        TextName(new QLabel(QStringLiteral("Die folgenden Betrag überschreiten"), markers), "LabelGewinne"),
        0, 0, 1, 2);
    layout->addWidget(fields.Spin(model_.SpinSummeMerkField(), markers, 90), 1, 0);
    layout->addWidget(fields.Check(66, QStringLiteral("Chancen Anzeigen"), markers), 1, 1);
    return markers;
}

void EvaluationPage::BuildWaitPanel(QWidget* host) {
    auto* panel = new QFrame(host);
    wait_panel_ = panel;
    panel->setObjectName("JvPanel1");
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(panel);
    auto* label = new QLabel(QStringLiteral("Bitte Warten,Berechnung läuft..."), panel);
    label->setObjectName("Label238");
    progress_bar_ = new QProgressBar(panel);
    progress_bar_->setObjectName("ProgressBar1");
    progress_bar_->setRange(0, kProgressSteps);
    progress_bar_->setValue(0);
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), panel);
    cancel_->setObjectName("CancelEvaluation");
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &EvaluationPage::CancelEvaluation);
    layout->addWidget(label);
    layout->addWidget(progress_bar_, 1);
    layout->addWidget(cancel_);
    panel->hide();
    // Texts built here rather than by the window's caption list follow the language themselves.
    connect(&TextsHub::Instance(), &TextsHub::languageChanged, this, &EvaluationPage::Retranslate);
}

void EvaluationPage::Retranslate() {
    cancel_->setText(hooks_.Tr(QStringLiteral("Abbrechen")));
    ShowSummary();
}

void EvaluationPage::StartMoneyEvaluation() {
    if (Pending()) return;
    LeaveFocusedField();
    Q_EMIT EvaluationRunning(true);
    progress_bar_->setValue(0);
    auto* run = new MoneyEvaluationWorker(hooks_.Permanence(), applied_, TakeLiveSettings(model_), this);
    run_ = run;
    connect(run, &MoneyEvaluationWorker::Progress, this, [this, run](int step) {
        if (run == run_) progress_bar_->setValue(step);
    });
    StartWorker(run, [this, run] { EvaluationDone(run); });
    chart_->ResetZoom();

    const QRect chart(chart_->mapTo(wait_panel_->parentWidget(), QPoint(0, 0)), chart_->size());
    wait_panel_->adjustSize();
    const QSize size(std::min(chart.width() - 20, 520), wait_panel_->sizeHint().height());
    wait_panel_->setGeometry(QRect(chart.center() - QPoint(size.width() / 2, size.height() / 2), size));
    wait_panel_->show();
    wait_panel_->raise();
    wait_panel_->repaint();
}

void EvaluationPage::CancelEvaluation() {
    if (run_) run_->Cancel();
}

void EvaluationPage::EvaluationDone(MoneyEvaluationWorker* run) {
    if (run != run_) return;
    run_ = nullptr;
    EvaluationResult& result = run->Result();
    const bool failed = !run->Error().isEmpty();
    // A cancelled run leaves the chart with what it showed before.
    if (!failed && !run->CancelRequested() && !result.cancelled) {
        chart_->ShowResult(result.balance, result.markers, MarkerLabels(result), ChartColour(1));
        summary_data_ = SummaryOf(result);
        ShowSummary();
        result = {};
        chart_->AddLimitLines(limit_divisor_, ChartColour(2));
        ApplyMarkerOption();
    }
    Q_EMIT EvaluationRunning(false);
    wait_panel_->hide();
    if (failed) hooks_.Message(window(), hooks_.Tr(run->Error()));
}

std::vector<QString> EvaluationPage::MarkerLabels(const EvaluationResult& result) const {
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
    wordNames = hooks_.TranslateStrings(wordNames, true);
    wholeNames = hooks_.TranslateStrings(wholeNames, false);
    std::unordered_map<int, QString> names;
    for (std::size_t i = 0; i < wordSlots.size() && i < wordNames.size(); ++i)
        names[wordSlots[i]] = FromStd(wordNames[i]);
    for (std::size_t i = 0; i < wholeSlots.size() && i < wholeNames.size(); ++i)
        names[wholeSlots[i]] = FromStd(wholeNames[i]);
    for (std::size_t i = 0; i < result.markers.size(); ++i)
        if (const auto& slot = result.markers[i].slot) labels[i] = names[*slot];
    return labels;
}

void EvaluationPage::ShowSummary() {
    if (!summary_data_) {
        summary_->clear();
        return;
    }
    const EvaluationSummary& s = *summary_data_;
    const QLocale locale;
    const auto part = [&](const char* text, const QString& value) {
        return hooks_.Tr(QString::fromUtf8(text)) + QStringLiteral(": ") + value;
    };
    summary_->setText(QStringList{part("Runden", locale.toString(qlonglong(s.spins))),
                                  part("Gesetzt", locale.toString(qlonglong(s.totalStaked))),
                                  part("Ausgezahlt", locale.toString(qlonglong(s.totalReturned))),
                                  part("Endstand", locale.toString(qlonglong(s.finalBalance))),
                                  part("Tiefster Stand", locale.toString(qlonglong(s.lowestBalance))),
                                  part("Erwartung", locale.toString(s.expected, 'f', 2))}
                          .join(QStringLiteral("   ")));
    summary_->setToolTip(
        hooks_.Tr(QStringLiteral("Erwartung: was die Einsätze im Mittel an die Null verlieren "
                                 "(jede Position nach ihrer Auszahlung, Halbierung bei Zero eingerechnet)")));
}

void EvaluationPage::SetLimitDivisor(int tag) {
    limit_divisor_ = tag;
    if (QAbstractButton* button = limit_buttons_->button(tag)) button->setChecked(true);
    chart_->SetLimitDivisor(tag);
}

void EvaluationPage::ApplyMarkerOption() {
    const bool shown = model_.Checked(66);
    applied_.optionFlags[65] = shown ? 1 : 0;
    chart_->SetMarkersVisible(shown);
}

void EvaluationPage::Clear() {
    chart_->Clear();
    summary_data_.reset();
    summary_->clear();
}

}  // namespace zentora
