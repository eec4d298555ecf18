// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/statistics_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "catalogue/catalogue.h"
#include "options/window_rules.h"
#include "statistics/statistics_lines.h"
#include "ui/charts/chart_workers.h"
#include "ui/charts/statistics_chart.h"
#include "ui/options/page_helpers.h"

namespace zentora {

namespace {

// The group radio buttons by number.
struct GroupChoice {
    int number;
    GroupId group;
    const char* caption;
    const char* hint;
};

constexpr GroupChoice kGroupChoices[] = {
    {3, GroupId::G137, "Chance 1/37", ""},
    {4, GroupId::G237, "Chance 2/37", ""},
    {5, GroupId::G337, "Chance 3/37", ""},
    {6, GroupId::G437, "Chance 4/37", ""},
    {7, GroupId::G637, "Chance 6/37", ""},
    {8, GroupId::G1237, "Chance 12/37", ""},
    {9, GroupId::G1837, "Chance 18/37", ""},
    {10, GroupId::P437, "Plein 4/37", "Finalen en plein 0-6"},
    {11, GroupId::P337, "Plein 3/37", "Finalen en plein 7,8,9"},
    {12, GroupId::N337, "Nachbarzahlen 1/1", ""},
    {13, GroupId::N537, "Nachbarzahlen 2/2", ""},
    {14, GroupId::N737, "Nachbarzahlen 3/3", ""},
    {15, GroupId::N937, "Nachbarzahlen 4/4", ""},
    {16, GroupId::Z437, "zusätzliche Chance 4/37", ""},
    {17, GroupId::Z537, "zusätzliche Chance 5/37", ""},
    {18, GroupId::Z837, "zusätzliche Chance 8/37", ""},
    {19, GroupId::Z937, "zusätzliche Chance 9/37", ""},
    {20, GroupId::Z1237, "zusätzliche Chance (3x4)12/37", ""},
    {21, GroupId::Z12637, "zusätzliche Chance (2x6)12/37", ""},
    {22, GroupId::SS637, "Serie 6/37 Splitter", "Serie 7/10,8/11,9/12"},
    {23, GroupId::SS837, "Serie 8/37 Splitter", "Serie 0/3,1/4,2/5,3/6"},
    {24, GroupId::S637, "Serie 6/37", "Serie 7/8,8/9,9/10"},
    {25, GroupId::S737, "Serie 7/37", "Serie 4/7,5/8,6/9,6/7,Jeu 0"},
    {26, GroupId::S837, "Serie 8/37", "Serie 0/1,1/2,3/4,5/6"},
    {27, GroupId::S937, "Serie 9/37", "Jeu 7/9"},
    {28, GroupId::S1237, "Serie 12/37", "kleine Serie 5/8"},
    {29, GroupId::S1737, "Serie 17/37", "Grosse Serie 0,2,3"},
};

QRadioButton* Radio(const QString& name, const QString& caption, QWidget* parent, const QString& hint = {}) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    if (!hint.isEmpty()) radio->setToolTip(hint);
    return radio;
}

}  // namespace

StatisticsPage::StatisticsPage(OptionsModel& model, AppliedSettings& applied, const OptionsWindowHooks& hooks)
    : ChartPage(model, hooks), applied_(applied) {
    chart_ = new StatisticsChart(this);
    SetChart(chart_, 240);
    connect(chart_, &StatisticsChart::ValueLineClicked, this, &StatisticsPage::TakeOverValue);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(4);
    QPushButton* start = Button("Button15", QStringLiteral("Berechnen"), this);
    connect(start, &QPushButton::clicked, this, &StatisticsPage::StartStatistics);
    tools->addWidget(start);
    tools->addSpacing(12);
    AddTools(tools, {"BitBtn1", "BitBtn2", "Button5", "Zurücksetzen", "Button12", "BitBtn5"},
             ToolLayout::Row);
    tools->addStretch(1);
    PageLayout()->addLayout(tools);

    auto* row = new QHBoxLayout;
    row->addWidget(BuildGroupChoice());
    row->addWidget(BuildKindChoice());
    row->addStretch(1);
    PageLayout()->addLayout(row);
}

QWidget* StatisticsPage::BuildGroupChoice() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName("Panel1");
    auto* grid = new QGridLayout(panel);
    grid->setVerticalSpacing(0);
    group_choice_ = new QButtonGroup(panel);
    int i = 0;
    for (const GroupChoice& choice : kGroupChoices) {
        QRadioButton* radio = Radio(QStringLiteral("RadioButton%1").arg(choice.number),
                                    QString::fromUtf8(choice.caption), panel, QString::fromUtf8(choice.hint));
        group_choice_->addButton(radio, choice.number);
        grid->addWidget(radio, i % 10, i / 10);
        ++i;
    }
    group_choice_->button(3)->setChecked(true);
    return panel;
}

QWidget* StatisticsPage::BuildKindChoice() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName("Panel2");
    auto* layout = new QVBoxLayout(panel);
    layout->setSpacing(0);
    QRadioButton* permanences = Radio("RadioButton42", QStringLiteral("Permanenzen"), panel);
    permanences->setChecked(true);
    permanences->setEnabled(false);
    permanences->setAutoExclusive(false);
    layout->addWidget(permanences);
    const std::pair<int, const char*> kinds[5] = {{31, "Max. Permanenz"},
                                                  {32, "Mittlere Permanenz"},
                                                  {44, "Max. Prozentwert"},
                                                  {45, "Min. Prozentwert"},
                                                  {30, "Überblick Prozentwerte"}};
    kind_choice_ = new QButtonGroup(panel);
    for (const auto& [number, caption] : kinds) {
        QRadioButton* radio =
            Radio(QStringLiteral("RadioButton%1").arg(number), QString::fromUtf8(caption), panel);
        kind_choice_->addButton(radio, number);
        layout->addWidget(radio);
    }
    kind_choice_->button(31)->setChecked(true);
    layout->addStretch(1);
    return panel;
}

GroupId StatisticsPage::CheckedGroup() const {
    const int checked = group_choice_->checkedId();
    for (const GroupChoice& choice : kGroupChoices)
        if (choice.number == checked) return choice.group;
    return GroupId::G137;
}

std::optional<StatisticsKind> StatisticsPage::CheckedKind() const {
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

void StatisticsPage::StartStatistics() {
    LeaveFocusedField();
    chart_->ResetZoom();
    if (run_) run_->Cancel();
    run_ = nullptr;
    const std::optional<StatisticsKind> kind = CheckedKind();
    if (!kind) return;
    auto* run = new StatisticsWorker(hooks_.Permanence(), CheckedGroup(), *kind, applied_,
                                     TakeLiveSettings(model_), this);
    run_ = run;
    StartWorker(run, [this, run] { StatisticsDone(run); });
    chart_->xAxis->setTickLabels(true);
}

void StatisticsPage::StatisticsDone(StatisticsWorker* run) {
    if (run != run_) return;
    run_ = nullptr;
    if (!run->Error().isEmpty()) {
        hooks_.Message(window(), hooks_.Tr(run->Error()));
        return;
    }
    if (run->CancelRequested()) return;
    StatisticsResult result = std::move(run->Result());
    const GroupId group = result.inputs.group;

    StatisticsChart::Context context;
    context.high = ChartColour(2);
    context.setValue = ChartColour(3);
    context.signal = ChartColour(4);
    context.bounds = ChartColour(5);
    context.abRundeValue = model_.Value(AbsenceStartFieldOf(group));
    const GroupFields& fields = model_.Fields(group);
    for (int n = 0; n < kRateWindowCount; ++n) context.vonMilli[n] = model_.Value(fields.von[n]);
    if (result.inputs.kind == StatisticsKind::MinRate) {
        context.ab = hooks_.Tr(QStringLiteral("Ab"));
        context.runde = hooks_.Tr(QStringLiteral("Runde"));
        context.bis = hooks_.Tr(QStringLiteral("Bis"));
    }
    if (result.marker) {
        const auto names = hooks_.TranslateStrings({ChanceSlotName(result.marker->slot).text},
                                                   ChanceSlotName(result.marker->slot).nameHasNumber);
        context.markerLabel = names.empty() ? QString() : FromStd(names[0]);
    }

    const auto errors = chart_->ShowResult(result, context);
    // The kind of the run decides, not the radio button now checked: the user may have moved on.
    if (result.inputs.kind == StatisticsKind::MaxAbsence) chart_->AddHighLine(ChartColour(2));
    for (const StatisticsChart::OrderError& e : errors) ShowOrderError(e.window, e.firstX, context.runde);
}

void StatisticsPage::ShowOrderError(int rateWindow, std::int64_t firstX, const QString& spinWord) {
    const auto [from, to] = OrderErrorFields(rateWindow);
    const std::vector<std::string> texts =
        hooks_.TranslateStrings({std::string(kOrderErrorTexts[0]), std::string(kOrderErrorTexts[1]),
                                 std::string(kOrderErrorTexts[2])},
                                false);
    const std::vector<std::string> fields = hooks_.TranslateStrings({from, to}, true);
    if (texts.size() != 3 || fields.size() != 2) return;
    // One message per window, naming the first point that would lie before spin 1.
    hooks_.Message(window(), FromStd(OrderErrorMessage(texts[0], texts[1], texts[2], fields[0], fields[1])) +
                                 QStringLiteral(" (") + spinWord + QStringLiteral(" ") +
                                 QString::number(firstX) + QStringLiteral(")"));
}

void StatisticsPage::TakeOverValue(const ChartLine& clicked, const ChartLine& first, QPoint at) {
    TakeOverChartValue(model_, clicked, first);
    chart_->ShowNote(at, hooks_.Tr(QStringLiteral("Wert übernommen")));
}

void StatisticsPage::Clear() {
    // A result that arrives after closing belongs to no open window.
    if (run_) run_->Cancel();
    run_ = nullptr;
    chart_->Clear();
    chart_->xAxis->setTickLabels(false);
}

}  // namespace zentora
