// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/risk/risk_window.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "evaluation/summary_statistics.h"
#include "ui/charts/qcustomplot_include.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

RiskWorker::RiskWorker(Request request, const RiskSettings& settings, QObject* parent)
    : ChartWorker({}, settings.applied, settings.live, parent), request_(std::move(request)) {}

void RiskWorker::Compute() {
    RiskInput input;
    if (request_.folder) {
        folder_ = files::LoadPermanenceFolder(*request_.folder);
        if (folder_.folderError) return;
        std::vector<RiskPermanence> permanences;
        for (files::FolderPermanence& p : folder_.loaded)
            permanences.push_back({std::move(p.name), std::move(p.spins)});
        folder_.loaded.clear();
        input = ListedRuns(std::move(permanences));
    } else {
        input = RandomRuns(request_.seed, 0, request_.runs, request_.spins);
    }
    total_ = input.count;
    result_ = AnalyseRisk(
        input, settings_, live_, {.bankroll = request_.bankroll},
        [this](std::int64_t done, std::int64_t total) { Q_EMIT Progress(done, total); }, &cancel_);
}

namespace {

QSpinBox* SpinBox(const char* name, int minimum, int maximum, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setGroupSeparatorShown(true);
    return box;
}

QCustomPlot* HistogramPlot(const char* name, QWidget* parent) {
    auto* plot = new QCustomPlot(parent);
    plot->setObjectName(name);
    plot->setMinimumSize(360, 200);
    auto* bars = new QCPBars(plot->xAxis, plot->yAxis);
    bars->setPen(QPen(QColor(30, 90, 160)));
    bars->setBrush(QColor(70, 130, 200, 170));
    auto* line = new QCPItemStraightLine(plot);
    line->setPen(QPen(Qt::red, 2));
    line->setVisible(false);
    plot->plotLayout()->insertRow(0);
    plot->plotLayout()->addElement(0, 0, new QCPTextElement(plot, QString(), QFont("sans", 10, QFont::Bold)));
    return plot;
}

QCPBars* BarsOf(QCustomPlot* plot) {
    return static_cast<QCPBars*>(plot->plottable(0));
}
QCPItemStraightLine* LineOf(QCustomPlot* plot) {
    return static_cast<QCPItemStraightLine*>(plot->item(0));
}
QCPTextElement* TitleOf(QCustomPlot* plot) {
    return static_cast<QCPTextElement*>(plot->plotLayout()->element(0, 0));
}

}  // namespace

RiskWindow::RiskWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("RiskWindow");
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);

    auto* inputs = new QGroupBox(this);
    inputs->setObjectName("RiskInputs");
    auto* grid = new QGridLayout(inputs);
    const auto caption = [&](const char* text, QWidget* buddy, int row, int column) {
        auto* label = new QLabel(inputs);
        label->setBuddy(buddy);
        labels_.emplace_back(label, text);
        grid->addWidget(label, row, column);
        grid->addWidget(buddy, row, column + 1);
    };
    random_ = new QRadioButton(inputs);
    random_->setObjectName("RiskRandom");
    random_->setChecked(true);
    fromFolder_ = new QRadioButton(inputs);
    fromFolder_->setObjectName("RiskFromFolder");
    runs_ = SpinBox("RiskRuns", 1, 10000000, 1000, inputs);
    spins_ = SpinBox("RiskSpins", 1, 10000000, 10000, inputs);
    seed_ = SpinBox("RiskSeed", 0, 2147483647, 1, inputs);
    bankroll_ = SpinBox("RiskBankroll", 0, 2147483647, 1000, inputs);
    folder_ = new QLineEdit(inputs);
    folder_->setObjectName("RiskFolder");
    chooseFolderButton_ = new QPushButton(inputs);
    chooseFolderButton_->setObjectName("RiskChooseFolder");
    chooseFolderButton_->setAutoDefault(false);
    grid->addWidget(random_, 0, 0, 1, 2);
    caption("Anzahl Läufe", runs_, 1, 0);
    caption("Runden je Lauf", spins_, 1, 2);
    caption("Startwert", seed_, 1, 4);
    grid->addWidget(fromFolder_, 2, 0, 1, 2);
    caption("Ordner", folder_, 3, 0);
    grid->addWidget(folder_, 3, 1, 1, 4);
    grid->addWidget(chooseFolderButton_, 3, 5);
    caption("Kapital (Stücke)", bankroll_, 4, 0);
    grid->setColumnStretch(6, 1);
    layout->addWidget(inputs);

    auto* controls = new QHBoxLayout;
    start_ = new QPushButton(this);
    start_->setObjectName("RiskStart");
    start_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("RiskCancel");
    cancel_->setAutoDefault(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("RiskProgress");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    controls->addWidget(start_);
    controls->addWidget(cancel_);
    controls->addWidget(progress_, 1);
    layout->addLayout(controls);

    auto* charts = new QHBoxLayout;
    finals_ = HistogramPlot("RiskFinalHistogram", this);
    lowests_ = HistogramPlot("RiskLowestHistogram", this);
    charts->addWidget(finals_);
    charts->addWidget(lowests_);
    layout->addLayout(charts, 1);

    // The summary beside what the run said about itself (a cancel, skipped files).
    auto* bottom = new QHBoxLayout;
    summary_ = new QTableWidget(0, 2, this);
    summary_->setObjectName("RiskSummary");
    summary_->verticalHeader()->hide();
    summary_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bottom->addWidget(summary_);
    status_ = new QLabel(this);
    status_->setObjectName("RiskStatus");
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bottom->addWidget(status_, 1);
    layout->addLayout(bottom);

    chooseFolder = [](QWidget* owner, const QString& title) {
        return QFileDialog::getExistingDirectory(owner, title);
    };
    showMessage = [this](const QString& text) { QMessageBox::information(this, windowTitle(), text); };

    connect(start_, &QPushButton::clicked, this, &RiskWindow::StartAnalysis);
    connect(cancel_, &QPushButton::clicked, this, &RiskWindow::CancelAnalysis);
    connect(chooseFolderButton_, &QPushButton::clicked, this, &RiskWindow::ChooseFolder);
    connect(random_, &QRadioButton::toggled, this, &RiskWindow::UpdateControls);
    connect(&TextsHub::Instance(), &TextsHub::languageChanged, this, &RiskWindow::Retranslate);
    Retranslate();
    UpdateControls();
    InstallAccessibility(*this);
    resize(900, 760);
}

RiskWindow::~RiskWindow() {
    // The worker reads this window's nothing, but it must not outlive its parent's event loop unended.
    if (run_) {
        run_->Cancel();
        run_->wait();
    }
}

QString RiskWindow::Tr(const char* text) const {
    return TextsHub::Instance().TranslateText(QString::fromUtf8(text));
}

void RiskWindow::Retranslate() {
    setWindowTitle(Tr("Risikoanalyse"));
    findChild<QGroupBox*>("RiskInputs")->setTitle(Tr("Risikoanalyse"));
    random_->setText(Tr("Zufällige Permanenzen"));
    fromFolder_->setText(Tr("Permanenzen aus einem Ordner"));
    chooseFolderButton_->setText(Tr("Ordner wählen..."));
    start_->setText(Tr("Starten"));
    cancel_->setText(Tr("Abbrechen"));
    for (const auto& [label, text] : labels_) label->setText(Tr(text) + QLatin1Char(':'));
    TitleOf(finals_)->setText(Tr("Endstände"));
    TitleOf(lowests_)->setText(Tr("Tiefststände"));
    for (QCustomPlot* plot : {finals_, lowests_}) {
        plot->yAxis->setLabel(Tr("Läufe"));
        plot->replot();
    }
    summary_->setHorizontalHeaderLabels({Tr("Kennzahl"), Tr("Wert")});
    ShowSummary();
    UpdateAccessibleNames(*this);
}

void RiskWindow::UpdateControls() {
    const bool running = Running();
    const bool fromRandom = random_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{random_, fromFolder_, bankroll_})
        w->setEnabled(!running);
    for (QWidget* w : std::initializer_list<QWidget*>{runs_, spins_, seed_})
        w->setEnabled(!running && fromRandom);
    for (QWidget* w : std::initializer_list<QWidget*>{folder_, chooseFolderButton_})
        w->setEnabled(!running && !fromRandom);
    start_->setEnabled(!running);
    cancel_->setEnabled(running);
}

void RiskWindow::ChooseFolder() {
    const QString folder = chooseFolder(this, Tr("Ordner wählen..."));
    if (!folder.isEmpty()) folder_->setText(folder);
}

void RiskWindow::StartAnalysis() {
    if (Running() || !settings) return;
    RiskWorker::Request request;
    if (fromFolder_->isChecked()) {
        if (folder_->text().trimmed().isEmpty()) {
            showMessage(Tr("Bitte einen Ordner wählen."));
            return;
        }
        request.folder = folder_->text().trimmed().toStdString();
    }
    request.runs = runs_->value();
    request.spins = spins_->value();
    request.seed = static_cast<std::uint64_t>(seed_->value());
    request.bankroll = bankroll_->value();
    auto* run = new RiskWorker(std::move(request), settings(), this);
    run_ = run;
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_->clear();
    connect(run, &RiskWorker::Progress, this, [this, run](qint64 done, qint64 total) {
        if (run != run_) return;
        // The bar counts in thousandths where the runs would not fit its int range.
        progress_->setRange(0, 1000);
        progress_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    });
    connect(run, &QThread::finished, this, [this, run] {
        run->deleteLater();
        AnalysisDone(run);
    });
    UpdateControls();
    run->start();
    UpdateControls();
}

void RiskWindow::CancelAnalysis() {
    if (run_) run_->Cancel();
}

void RiskWindow::AnalysisDone(RiskWorker* run) {
    if (run != run_) return;
    run_ = nullptr;
    UpdateControls();
    if (!run->Error().isEmpty()) {
        showMessage(Tr(run->Error().toUtf8().constData()));
        return;
    }
    if (run->Folder().folderError) {
        showMessage(TextsHub::Instance().Translate(*run->Folder().folderError));
        return;
    }
    shown_ = std::move(run->Result());
    shownBankroll_ = run->Asked().bankroll;
    shownTotal_ = run->Total();
    shownSkipped_ = std::move(run->Folder().skipped);
    if (!shown_->cancelled) {
        progress_->setRange(0, 1);
        progress_->setValue(1);
    }
    ShowSummary();
    ShowHistograms();
}

void RiskWindow::ShowSummary() {
    summary_->setRowCount(0);
    status_->clear();
    if (!shown_) return;
    const RiskSummary s = Summarise(shown_->runs);
    const QLocale locale;
    const auto number = [&](double v, int decimals) { return locale.toString(v, 'f', decimals); };
    std::vector<std::pair<QString, QString>> rows{
        {Tr("Läufe"), locale.toString(qlonglong(s.runs))},
        {Tr("Ruiniert"), locale.toString(qlonglong(s.ruined))},
        {Tr("Ruinwahrscheinlichkeit (95 %-Intervall)"),
         QStringLiteral("%1 % (%2 % – %3 %)")
             .arg(number(100 * s.ruinProbability, 2), number(100 * s.ruinCi95[0], 2),
                  number(100 * s.ruinCi95[1], 2))}};
    for (std::size_t i = 0; i < kFinalQuantilePercents.size(); ++i)
        rows.emplace_back(Tr("Endstand, Quantil %1 %").arg(kFinalQuantilePercents[i]),
                          number(s.finalQuantiles[i], 1));
    rows.emplace_back(Tr("Mittlerer Endstand"), number(s.meanFinal, 2));
    rows.emplace_back(Tr("Erwarteter Endstand (Vorteil der Bank)"), number(s.expectedFinal, 2));
    rows.emplace_back(Tr("Mittlerer Tiefststand"), number(s.meanLowest, 2));
    rows.emplace_back(Tr("Tiefster Stand aller Läufe"), locale.toString(qlonglong(s.worstLowest)));
    rows.emplace_back(Tr("Mittlerer Einsatz je Runde"), number(s.meanStakedPerSpin, 3));
    summary_->setRowCount(static_cast<int>(rows.size()));
    // Tall enough for every row: the table shows all of its figures at once.
    summary_->setMinimumHeight(summary_->verticalHeader()->defaultSectionSize() * (summary_->rowCount() + 1) +
                               4);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        summary_->setItem(r, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(r)].first));
        auto* value = new QTableWidgetItem(rows[static_cast<std::size_t>(r)].second);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        summary_->setItem(r, 1, value);
    }
    QStringList status;
    if (shown_->cancelled)
        status << Tr("Abgebrochen nach %1 von %2 Läufen.")
                      .arg(locale.toString(qlonglong(s.runs)), locale.toString(qlonglong(shownTotal_)));
    if (!shownSkipped_.empty()) {
        QStringList skipped;
        for (const files::FolderSkip& skip : shownSkipped_)
            skipped << QString::fromStdString(skip.name) + QStringLiteral(": ") +
                           TextsHub::Instance().Translate(skip.message);
        status << Tr("Übersprungen:") + QLatin1Char(' ') + skipped.join(QStringLiteral("; "));
    }
    status_->setText(status.join(QLatin1Char('\n')));
}

void RiskWindow::ShowHistograms() {
    if (!shown_) return;
    std::vector<double> finals, lowests;
    for (const RiskRun& r : shown_->runs) {
        finals.push_back(static_cast<double>(r.finalBalance));
        lowests.push_back(static_cast<double>(r.lowestBalance));
    }
    const int bins = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(finals.size()))), 10, 60);
    const double ruin = -static_cast<double>(shownBankroll_);
    for (const auto& [plot, values] : {std::pair{finals_, &finals}, std::pair{lowests_, &lowests}}) {
        const Histogram h = MakeHistogram(*values, bins, ruin);
        QVector<double> keys, counts;
        for (std::size_t i = 0; i < h.counts.size(); ++i) {
            keys << h.start + (static_cast<double>(i) + 0.5) * h.width;
            counts << static_cast<double>(h.counts[i]);
        }
        QCPBars* bars = BarsOf(plot);
        bars->setWidth(h.width);
        bars->setData(keys, counts, true);
        // The bankroll: a balance at this line or below is ruin.
        QCPItemStraightLine* line = LineOf(plot);
        line->point1->setCoords(ruin, 0);
        line->point2->setCoords(ruin, 1);
        line->setVisible(true);
        // Every bar whole, and the bankroll line clear of the edge.
        const double end = h.start + static_cast<double>(h.counts.size()) * h.width;
        plot->xAxis->setRange(std::min(h.start, ruin) - h.width, std::max(end, ruin) + h.width);
        const auto most = h.counts.empty() ? 0 : *std::max_element(h.counts.begin(), h.counts.end());
        plot->yAxis->setRange(0, static_cast<double>(most) * 1.1 + 1);
        plot->replot();
    }
}

}  // namespace zentora
