#include "ui/charts/chart_threads.h"

#include <exception>
#include <new>

namespace zentora {

TGeldStatistikThread::TGeldStatistikThread(std::vector<std::uint8_t> permanence,
                                           const AppliedSettings& settings, const FixedLiveSettings& live,
                                           QObject* parent)
    : QThread(parent), permanence_(std::move(permanence)), settings_(settings), live_(live) {}

void TGeldStatistikThread::run() {
    // An exception must not leave the thread: the window would stay disabled for good.
    try {
        if (beforeRun) beforeRun(*this);
        Berechnen();
    } catch (const std::bad_alloc&) {
        error_ = QStringLiteral("Nicht genug Speicher für die Berechnung.");
    } catch (const std::exception& e) {
        error_ = QString::fromUtf8(e.what());
    } catch (...) {
        error_ = QStringLiteral("Die Berechnung ist fehlgeschlagen.");
    }
}

TThreadGeldBerechnung::TThreadGeldBerechnung(std::vector<std::uint8_t> permanence,
                                             const AppliedSettings& settings, const FixedLiveSettings& live,
                                             QObject* parent)
    : TGeldStatistikThread(std::move(permanence), settings, live, parent) {}

void TThreadGeldBerechnung::Berechnen() {
    result_ = EvaluateMoney(
        permanence_, settings_, live_, [this](int step) { Q_EMIT Progress(step); }, &cancel_);
}

TThreadChartBerechnung::TThreadChartBerechnung(std::vector<std::uint8_t> permanence, GroupId group,
                                               StatisticsKind kind, const AppliedSettings& settings,
                                               const FixedLiveSettings& live, QObject* parent)
    : TGeldStatistikThread(std::move(permanence), settings, live, parent), group_(group), kind_(kind) {}

void TThreadChartBerechnung::Berechnen() {
    result_ = ComputeStatistics(permanence_, group_, kind_, settings_, live_, &cancel_);
}

}  // namespace zentora
