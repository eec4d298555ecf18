// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/chart_workers.h"

#include <exception>
#include <new>

namespace zentora {

ChartWorker::ChartWorker(std::vector<std::uint8_t> permanence, const AppliedSettings& settings,
                         const FixedLiveSettings& live, QObject* parent)
    : QThread(parent), permanence_(std::move(permanence)), settings_(settings), live_(live) {}

void ChartWorker::run() {
    // An exception must not leave the thread: the window would stay disabled for good.
    try {
        if (beforeRun) beforeRun(*this);
        Compute();
    } catch (const std::bad_alloc&) {
        error_ = QStringLiteral("Nicht genug Speicher für die Berechnung.");
    } catch (const std::exception& e) {
        error_ = QString::fromUtf8(e.what());
    } catch (...) {
        error_ = QStringLiteral("Die Berechnung ist fehlgeschlagen.");
    }
}

MoneyEvaluationWorker::MoneyEvaluationWorker(std::vector<std::uint8_t> permanence,
                                             const AppliedSettings& settings, const FixedLiveSettings& live,
                                             QObject* parent)
    : ChartWorker(std::move(permanence), settings, live, parent) {}

void MoneyEvaluationWorker::Compute() {
    result_ = EvaluateMoney(
        permanence_, settings_, live_, [this](int step) { Q_EMIT Progress(step); }, &cancel_);
}

StatisticsWorker::StatisticsWorker(std::vector<std::uint8_t> permanence, GroupId group, StatisticsKind kind,
                                   const AppliedSettings& settings, const FixedLiveSettings& live,
                                   QObject* parent)
    : ChartWorker(std::move(permanence), settings, live, parent), group_(group), kind_(kind) {}

void StatisticsWorker::Compute() {
    result_ = ComputeStatistics(permanence_, group_, kind_, settings_, live_, &cancel_);
}

}  // namespace zentora
