// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/applied_settings.h"
#include "evaluation/money_evaluation.h"
#include "statistics/statistics.h"

namespace zentora {

// A worker of the chart tabs: runs one computation on its own copy of the permanence and of the settings,
// so nothing it reads can change under it. It never touches a widget: progress leaves through a queued
// signal, and the result is read by the main thread once `finished` has been delivered there.
class ChartWorker : public QThread {
    Q_OBJECT
  public:
    // Asks the run to stop soon; it then ends with Cancelled() set.
    void Cancel() { cancel_.store(true, std::memory_order_relaxed); }
    bool CancelRequested() const { return cancel_.load(std::memory_order_relaxed); }
    // The message of a run that failed; empty when it did not.
    const QString& Error() const { return error_; }
    // Runs on the worker before the computation, as part of it (tests hold a run or make it fail).
    std::function<void(ChartWorker&)> beforeRun;

  protected:
    ChartWorker(std::vector<std::uint8_t> permanence, const AppliedSettings& settings,
                const FixedLiveSettings& live, QObject* parent);
    void run() final;
    virtual void Compute() = 0;

    const std::vector<std::uint8_t> permanence_;  // newest first
    const AppliedSettings settings_;
    const FixedLiveSettings live_;
    std::atomic<bool> cancel_{false};

  private:
    QString error_;
};

class MoneyEvaluationWorker final : public ChartWorker {
    Q_OBJECT
  public:
    MoneyEvaluationWorker(std::vector<std::uint8_t> permanence, const AppliedSettings& settings,
                          const FixedLiveSettings& live, QObject* parent = nullptr);
    // Valid once the thread has finished.
    EvaluationResult& Result() { return result_; }

  Q_SIGNALS:
    void Progress(int step);  // 1..50

  protected:
    void Compute() override;

  private:
    EvaluationResult result_;
};

class StatisticsWorker final : public ChartWorker {
    Q_OBJECT
  public:
    StatisticsWorker(std::vector<std::uint8_t> permanence, GroupId group, StatisticsKind kind,
                     const AppliedSettings& settings, const FixedLiveSettings& live,
                     QObject* parent = nullptr);
    StatisticsResult& Result() { return result_; }

  protected:
    void Compute() override;

  private:
    GroupId group_;
    StatisticsKind kind_;
    StatisticsResult result_;
};

}  // namespace zentora
