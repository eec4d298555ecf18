// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>
#include <utility>

#include "engine/applied_settings.h"
#include "evaluation/risk_analysis.h"
#include "files/permanence_folder.h"
#include "ui/charts/chart_workers.h"

class QCustomPlot;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace zentora {

// What a risk analysis runs on: the settings as last applied and those read at the moment of use.
struct RiskSettings {
    AppliedSettings applied;
    FixedLiveSettings live;
};

// One risk analysis on a worker thread, run like the chart tabs' workers: its own copy of the settings,
// progress through a queued signal, the result read once `finished` has arrived.
class RiskWorker final : public ChartWorker {
    Q_OBJECT
  public:
    struct Request {
        std::optional<std::string> folder;  // else random permanences
        std::int64_t runs = 0, spins = 0;
        std::uint64_t seed = 0;
        std::int64_t bankroll = 0;
    };
    RiskWorker(Request request, const RiskSettings& settings, QObject* parent = nullptr);
    const Request& Asked() const { return request_; }
    std::int64_t Total() const { return total_; }
    // Valid once the thread has finished.
    RiskResult& Result() { return result_; }
    files::FolderLoad& Folder() { return folder_; }

  Q_SIGNALS:
    void Progress(qint64 done, qint64 total);

  protected:
    void Compute() override;

  private:
    Request request_;
    std::int64_t total_ = 0;
    RiskResult result_;
    files::FolderLoad folder_;
};

// "Risikoanalyse": the money evaluation of many permanences with a bankroll, its two histograms and its
// summary. Every figure comes from the core; the window asks, runs and shows.
class RiskWindow : public QDialog {
    Q_OBJECT
  public:
    explicit RiskWindow(QWidget* parent = nullptr);
    ~RiskWindow() override;

    // The settings to run with, asked when a run starts.
    std::function<RiskSettings()> settings;
    // The folder dialog and the message box; tests replace them.
    std::function<QString(QWidget*, const QString&)> chooseFolder;
    std::function<void(const QString&)> showMessage;

    bool Running() const { return !run_.isNull(); }

  public Q_SLOTS:
    void StartAnalysis();
    void CancelAnalysis();

  private:
    void ChooseFolder();
    void AnalysisDone(RiskWorker* run);
    void ShowSummary();
    void ShowHistograms();
    void UpdateControls();
    void Retranslate();
    QString Tr(const char* text) const;

    QRadioButton* random_ = nullptr;
    QRadioButton* fromFolder_ = nullptr;
    QSpinBox* runs_ = nullptr;
    QSpinBox* spins_ = nullptr;
    QSpinBox* seed_ = nullptr;
    QSpinBox* bankroll_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QPushButton* chooseFolderButton_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QCustomPlot* finals_ = nullptr;
    QCustomPlot* lowests_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<std::pair<QLabel*, const char*>> labels_;  // captions and their German texts

    QPointer<RiskWorker> run_;
    // The result shown: its runs, the bankroll it was run with, how many were asked and what was skipped.
    std::optional<RiskResult> shown_;
    std::int64_t shownBankroll_ = 0, shownTotal_ = 0;
    std::vector<files::FolderSkip> shownSkipped_;

    friend void InstallAccessibility(RiskWindow& window);
    friend void UpdateAccessibleNames(RiskWindow& window);
};

// Names for screen readers, after every change of language.
void InstallAccessibility(RiskWindow& window);
void UpdateAccessibleNames(RiskWindow& window);

}  // namespace zentora
