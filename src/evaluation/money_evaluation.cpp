// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/money_evaluation.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "catalogue/platform.h"
#include "evaluation/settlement.h"
#include "evaluation/stake_run.h"

namespace zentora {

namespace {

using namespace evaluation;

constexpr std::int64_t kCancelPollMask = 511;

// A long run is cut into stretches that two threads take in turn, each with a whole run of its own: a run
// can start anywhere, from the counts of the numbers so far and a few spins before the stretch (more where
// a stake progression needs to know since when an entry has been in play). This thread then books the money
// of the stretches in spin order.
constexpr std::int64_t kShareLength = 4096;
constexpr std::int64_t kStretches = 32;  // per run: enough for the two threads to end together
constexpr std::int64_t kMinStretch = 2048;

// The counts of the numbers and their last spins up to some spin, moved forward on demand.
struct NumberCounts {
    std::array<std::int64_t, 37> hits{}, last{};
    std::int64_t spin = 0;
};

// The balance in spin order: the result's balance, the progress reports and the markers.
class Ledger {
  public:
    Ledger(EvaluationResult& result, std::int64_t length, std::int64_t threshold,
           const ProgressCallback& progress)
        : result_(result), thresholds_(ProgressThresholds(length)), markers_(threshold), progress_(progress) {
        result_.balance.resize(static_cast<std::size_t>(length));
    }

    // Spin k changed the balance by `change`; `slot` names the chance of a marker on it.
    template <class Slot>
    [[gnu::always_inline]] void Book(std::int64_t k, std::int64_t change, Slot slot) {
        balance_ += change;
        result_.balance[static_cast<std::size_t>(k - 1)] = balance_;
        Progress(k);
        if (markers_.Step(change)) result_.markers.push_back({k, balance_, slot(markers_.Wins())});
    }
    // `done` spins are through.
    void Progress(std::int64_t done) {
        while (nextThreshold_ < kProgressSteps && done >= thresholds_[nextThreshold_]) {
            ++nextThreshold_;
            if (progress_) progress_(nextThreshold_);
        }
    }
    // Stopped after spin k.
    void Cancel(std::int64_t k) {
        result_.balance.resize(static_cast<std::size_t>(k));
        result_.cancelled = true;
    }

  private:
    EvaluationResult& result_;
    std::array<std::int64_t, kProgressSteps> thresholds_;
    int nextThreshold_ = 0;
    std::int64_t balance_ = 0;
    MarkerRule markers_;
    const ProgressCallback& progress_;
};

// One thread's run: the groups, the placed and limited table, and the money spin by spin.
class alignas(kCacheLine) Lane {
  public:
    Lane(std::span<const std::uint8_t> permanence, const AppliedSettings& settings, const LiveSettings& live,
         EvaluationSlotList list)
        : Lane(permanence, settings,
               StakeRun(settings, live, std::move(list), static_cast<std::int64_t>(permanence.size()))) {}
    // `run` built for the same settings, as it stands before any spin.
    Lane(std::span<const std::uint8_t> permanence, const AppliedSettings& settings, StakeRun run)
        : perm_(permanence),
          length_(static_cast<std::int64_t>(permanence.size())),
          settings_(settings),
          halveOnZero_(settings.Flag(kHalveOnZeroBox)),
          run_(std::move(run)) {}

    unsigned SpinAt(std::int64_t k) const { return perm_[static_cast<std::size_t>(length_ - k)]; }

    // Brings the run to where it stands after spin `first` - 1, the table for spin `first` included: on from
    // where it stands when that is no further than where a fresh start would have to begin.
    void Prepare(std::int64_t first) {
        if (first == 1) {  // nothing spun, an empty table
            counts_ = {};
            run_.Restart(0, counts_.hits, counts_.last);
            run_.TakeMoved(moved_);
            moved_ = {};
            rawStake_ = {};
            current_ = {};
            tableSum_ = 0;
            expected37_ = 0;
            stale_ = true;
            at_ = 0;
            return;
        }
        if (at_ == first - 1) return;
        std::array<std::int64_t, 37> lastBefore{};  // as of spin first - 1
        int found = 0;
        for (std::int64_t k = first - 1; k >= 1 && found < 37; --k) {
            const unsigned x = SpinAt(k);
            if (x <= 36 && lastBefore[x] == 0) lastBefore[x] = k, ++found;
        }
        const std::int64_t start =
            std::max<std::int64_t>(0, std::min(first - 2, run_.EarliestRunStart(lastBefore) - 1));
        if (at_ < start || at_ >= first) {
            CountUpTo(start);
            run_.Restart(start, counts_.hits, counts_.last);
            at_ = start;
        }
        for (std::int64_t k = at_ + 1; k < first; ++k) run_.Spin(k, SpinAt(k));
        run_.TakeMoved(moved_);
        for (int p = 0; p < kPositionCount; ++p) rawStake_[p] = SaturatedStake(run_.Raw()[p]);
        moved_ = {};
        Limit();
        at_ = first - 1;
    }

    // Spins first..last; book(k, returned, staked, 37 x expected change, selected before the spin) for each.
    // Every kCancelPollMask + 1 spins `go(k)` decides whether to go on; false when it did not.
    template <class Book, class Go>
    [[gnu::always_inline]] bool Run(std::int64_t first, std::int64_t last, Book&& book, Go&& go) {
        for (std::int64_t k = first; k <= last; ++k) {
            if ((k & kCancelPollMask) == 0 && !go(k)) return false;
            const unsigned x = SpinAt(k);
            const std::int32_t selectedBefore = run_.Selected();
            run_.Spin(k, x);
            stale_ = run_.TakeMoved(moved_) || stale_;
            // The stakes chosen after spin k - 1 are settled by spin k.
            const std::int64_t returned = SettleSpin(current_, x, halveOnZero_);
            if (stale_) {
                PlaceMoved(run_.Raw());
                Limit();
            }
            book(k, returned, tableSum_, expected37_, selectedBefore);
            at_ = k;
        }
        return true;
    }

    const StakeRun& Stakes() const { return run_; }
    std::int64_t At() const { return at_; }

  private:
    // The table for the next spin from the placed one, with the figures booked for it.
    void Limit() {
        ApplyTableLimits(rawStake_, settings_, current_);
        tableSum_ = TableSum(current_);
        expected37_ = ExpectedChange37(current_, tableSum_, halveOnZero_);
        stale_ = false;
    }

    void CountUpTo(std::int64_t spin) {
        if (spin < counts_.spin) counts_ = {};
        for (std::int64_t k = counts_.spin + 1; k <= spin; ++k) {
            const unsigned x = SpinAt(k);
            if (x <= 36) ++counts_.hits[x], counts_.last[x] = k;
        }
        counts_.spin = spin;
    }

    // The exact sums of the positions that moved, saturated once; when most moved, all in one pass.
    [[gnu::always_inline]] void PlaceMoved(const std::array<std::int64_t, kPositionCount>& raw) {
        const int count = std::popcount(moved_[0]) + std::popcount(moved_[1]) + std::popcount(moved_[2]);
        if (count > kPositionCount / 4) {
            for (int p = 0; p < kPositionCount; ++p) rawStake_[p] = SaturatedStake(raw[p]);
        } else {
            for (int i = 0; i < 3; ++i)
                ForEachBit(moved_[i], [&](int bit) {
                    const int p = i * kWordBits + bit;
                    rawStake_[p] = SaturatedStake(raw[p]);
                });
        }
        moved_ = {};
    }

    std::span<const std::uint8_t> perm_;
    std::int64_t length_;
    const AppliedSettings& settings_;
    bool halveOnZero_;
    StakeRun run_;
    std::int64_t at_ = 0;  // the spin the run stands after
    NumberCounts counts_;
    // Whether the table needs its limits again; they apply to the empty table too (splitting with negative
    // maxima).
    bool stale_ = true;
    std::array<Word, 3> moved_{};  // positions whose sum moved since the last limits
    PositionArray rawStake_{};     // the placed table: the sums saturated
    PositionArray current_{};      // the stakes lying on the table for the next spin
    std::int64_t tableSum_ = 0;
    std::int64_t expected37_ = 0;
};

class MoneyRun {
  public:
    MoneyRun(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
             const LiveSettings& live, std::int64_t stretch)
        : perm_(permanence),
          length_(static_cast<std::int64_t>(permanence.size())),
          settings_(settings),
          live_(TakeLiveSettings(live)),  // as the run starts, for both threads
          threshold_(live.SpinSummeMerk()),
          list_(BuildEvaluationSlotList(settings, live.OrphelinPlein())),
          stretch_(stretch) {}
    // One thread, with the run built beforehand for the same settings and live settings.
    MoneyRun(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
             const FixedLiveSettings& live, const StakeRun& built)
        : perm_(permanence),
          length_(static_cast<std::int64_t>(permanence.size())),
          settings_(settings),
          live_(live),
          threshold_(live.SpinSummeMerk()),
          stretch_(std::max<std::int64_t>(length_, 1)),
          built_(&built) {}

    EvaluationResult Execute(const ProgressCallback& progress, const std::atomic<bool>* cancel) {
        const bool shared = stretch_ > 0
                                ? length_ > stretch_
                                : length_ >= kShareLength && std::thread::hardware_concurrency() >= 2;
        if (!shared || settings_.Flag(kOneChanceBox) || list_.slots.empty()) return Alone(progress, cancel);
        if (stretch_ <= 0) stretch_ = std::max(kMinStretch, (length_ + kStretches - 1) / kStretches);
        return Shared(progress, cancel);
    }

  private:
    static bool Cancelled(const std::atomic<bool>* cancel) {
        return cancel && cancel->load(std::memory_order_relaxed);
    }

    struct StretchRecord {
        std::int64_t first = 0, last = 0, staked = 0, returned = 0, expected37 = 0, largest = 0;
        std::int64_t lastStake = 0, lastExpected37 = 0;
        bool done = false;
    };

    // One thread, spin by spin.
    EvaluationResult Alone(const ProgressCallback& progress, const std::atomic<bool>* cancel) {
        EvaluationResult result;
        Ledger ledger(result, length_, threshold_, progress);
        Lane lane =
            built_ ? Lane(perm_, settings_, *built_) : Lane(perm_, settings_, live_, std::move(list_));
        if (!RunAlone(lane, ledger, result, cancel)) ledger.Cancel(lane.At());
        return result;
    }

    // The table's sums are worked a vector at a time here: built for the processor's wider vectors too.
    ZENTORA_VECTOR_CLONES bool RunAlone(Lane& lane, Ledger& ledger, EvaluationResult& result,
                                        const std::atomic<bool>* cancel) {
        const auto go = [&](std::int64_t) { return !Cancelled(cancel); };
        return lane.Run(
            1, length_,
            [&](std::int64_t k, std::int64_t returned, std::int64_t staked, std::int64_t expected37,
                std::int32_t selectedBefore) {
                result.totalStaked += staked;
                result.totalReturned += returned;
                result.expectedChange37 += expected37;
                result.largestStake = std::max(result.largestStake, staked);
                result.lastStake = staked;
                result.lastExpectedChange37 = expected37;
                // A run of wins names the chance that was played for it, a run of losses the one now played.
                const StakeRun& run = lane.Stakes();
                ledger.Book(k, returned - staked,
                            [&](bool wins) { return run.SlotOf(wins ? selectedBefore : run.Selected()); });
            },
            go);
    }

    // Two threads taking stretches in turn. A stretch leaves in the balance its own running sum from 0; the
    // ledger then books the changes in spin order (no chance is chosen one at a time here, so markers name
    // none).
    EvaluationResult Shared(const ProgressCallback& progress, const std::atomic<bool>* cancel) {
        EvaluationResult result;
        Ledger ledger(result, length_, threshold_, progress);
        balance_ = result.balance.data();
        stretchCount_ = (length_ + stretch_ - 1) / stretch_;
        records_ = std::vector<StretchRecord>(static_cast<std::size_t>(stretchCount_));
        std::exception_ptr failure;
        EvaluationSlotList helperList = list_;
        std::thread thread([&] {
            try {
                Lane lane(perm_, settings_, live_, std::move(helperList));
                // Cancelling stops the helper too: else it may finish every stretch before this thread
                // looks at the flag.
                Take(lane, 1, [cancel](std::int64_t) { return !Cancelled(cancel); });
            } catch (...) {
                failure = std::current_exception();
                stop_.store(true);
            }
        });
        // Whatever way this thread ends, the helper stops and is joined first.
        struct Join {
            MoneyRun& run;
            std::thread& thread;
            bool joined = false;
            void operator()() {
                if (joined) return;
                run.stop_.store(true);
                thread.join();
                joined = true;
            }
            ~Join() { (*this)(); }
        } join{*this, thread};

        bool cancelled = false;
        const auto go = [&](std::int64_t) {
            ledger.Progress(done_[0].load(std::memory_order_relaxed) +
                            done_[1].load(std::memory_order_relaxed));
            if (Cancelled(cancel)) cancelled = true;
            return !cancelled && !stop_.load(std::memory_order_relaxed);
        };
        {
            Lane lane(perm_, settings_, live_, std::move(list_));
            Take(lane, 0, std::cref(go));
        }
        // The helper's last stretch.
        for (int round = 0; go(0) && !helperDone_.load(std::memory_order_acquire); ++round)
            round < 4096 ? PauseInWaitLoop() : std::this_thread::sleep_for(std::chrono::microseconds(100));
        join();
        if (failure) std::rethrow_exception(failure);

        std::int64_t booked = 0;
        for (const StretchRecord& record : records_) {
            if (!record.done) break;
            result.totalStaked += record.staked;
            result.totalReturned += record.returned;
            result.expectedChange37 += record.expected37;
            result.largestStake = std::max(result.largestStake, record.largest);
            result.lastStake = record.lastStake;
            result.lastExpectedChange37 = record.lastExpected37;
            std::int64_t previous = 0;  // the stretch's own running sum at the spin before
            for (std::int64_t k = record.first; k <= record.last; ++k) {
                const std::int64_t own = balance_[k - 1];
                ledger.Book(k, own - previous, [](bool) { return std::optional<std::int32_t>{}; });
                previous = own;
            }
            booked = record.last;
        }
        if (cancelled) {
            ledger.Cancel(booked);
            return result;
        }
        if (booked < length_) throw std::logic_error("evaluation stretches left undone");
        return result;
    }

    // Whether to go on, asked every kCancelPollMask + 1 spins: no cost worth a template (the cloned stretch
    // must be none).
    using Go = std::function<bool(std::int64_t)>;

    // Takes stretches until none is left; thread `me`.
    void Take(Lane& lane, int me, const Go& go) {
        for (;;) {
            const std::int64_t i = nextStretch_.fetch_add(1, std::memory_order_relaxed);
            if (i >= stretchCount_ || stop_.load(std::memory_order_relaxed)) break;
            StretchRecord& record = records_[static_cast<std::size_t>(i)];
            record.first = i * stretch_ + 1;
            record.last = std::min(length_, (i + 1) * stretch_);
            if (!TakeStretch(lane, record, me, go)) break;
            record.done = true;
            if (!go(record.last)) break;
        }
        if (me == 1) helperDone_.store(true, std::memory_order_release);
    }

    // One stretch into the balance, as its own running sum; false when stopped.
    ZENTORA_VECTOR_CLONES bool TakeStretch(Lane& lane, StretchRecord& record, int me, const Go& go) {
        lane.Prepare(record.first);
        std::int64_t balance = 0, staked = 0, returned = 0, expected37 = 0, largest = 0;
        std::int64_t lastStake = 0, lastExpected37 = 0;
        std::int64_t* out = balance_;
        // Spins through, told now and then for the progress reports.
        std::atomic<std::int64_t>& done = done_[static_cast<std::size_t>(me)];
        std::int64_t told = record.first - 1;
        const auto tell = [&](std::int64_t through) {
            done.fetch_add(through - told, std::memory_order_relaxed);
            told = through;
        };
        const bool through = lane.Run(
            record.first, record.last,
            [&](std::int64_t k, std::int64_t back, std::int64_t stake, std::int64_t expected, std::int32_t) {
                staked += stake;
                returned += back;
                expected37 += expected;
                largest = std::max(largest, stake);
                lastStake = stake;
                lastExpected37 = expected;
                balance += back - stake;
                out[k - 1] = balance;
            },
            [&](std::int64_t k) {
                tell(k - 1);
                return go(k) && !stop_.load(std::memory_order_relaxed);
            });
        if (through) tell(record.last);
        record.staked = staked;
        record.returned = returned;
        record.expected37 = expected37;
        record.largest = largest;
        record.lastStake = lastStake;
        record.lastExpected37 = lastExpected37;
        return through;
    }

    std::span<const std::uint8_t> perm_;
    std::int64_t length_;
    const AppliedSettings& settings_;
    FixedLiveSettings live_;
    std::int64_t threshold_;
    EvaluationSlotList list_;
    std::int64_t stretch_;

    const StakeRun* built_ = nullptr;
    std::int64_t stretchCount_ = 0;
    std::vector<StretchRecord> records_;
    std::int64_t* balance_ = nullptr;
    // Each on a cache line of its own: the two threads write them.
    alignas(kCacheLine) std::atomic<std::int64_t> nextStretch_{0};
    // Spins through per thread, told now and then.
    alignas(kCacheLine) std::array<std::atomic<std::int64_t>, 2> done_{};
    alignas(kCacheLine) std::atomic<bool> helperDone_{false};
    alignas(kCacheLine) std::atomic<bool> stop_{false};
};

}  // namespace

std::array<std::int64_t, kProgressSteps> ProgressThresholds(std::int64_t length) {
    std::array<std::int64_t, kProgressSteps> t{};
    std::int64_t previous = 1;
    for (int i = 1; i <= kProgressSteps; ++i) {
        const long double value =
            static_cast<long double>(length) * (static_cast<long double>(i) / 100.0L * 2.0L) + 0.5L;
        previous = std::max(previous, static_cast<std::int64_t>(value));
        t[i - 1] = previous;
    }
    return t;
}

EvaluationResult EvaluateMoney(std::span<const std::uint8_t> permanence, const AppliedSettings& settings,
                               const LiveSettings& live, const ProgressCallback& progress,
                               const std::atomic<bool>* cancel) {
    MoneyRun run(permanence, settings, live, 0);
    return run.Execute(progress, cancel);
}

EvaluationResult EvaluateMoneyInStretches(std::span<const std::uint8_t> permanence,
                                          const AppliedSettings& settings, const LiveSettings& live,
                                          std::int64_t stretch, const ProgressCallback& progress,
                                          const std::atomic<bool>* cancel) {
    MoneyRun run(permanence, settings, live, std::max<std::int64_t>(stretch, 1));
    return run.Execute(progress, cancel);
}

struct MoneyEvaluator::Prepared {
    const AppliedSettings& settings;
    FixedLiveSettings live;
    std::int64_t longest;
    StakeRun built;
};

MoneyEvaluator::MoneyEvaluator(const AppliedSettings& settings, const LiveSettings& live,
                               std::int64_t longest) {
    FixedLiveSettings fixed = TakeLiveSettings(live);
    StakeRun built(settings, fixed, BuildEvaluationSlotList(settings, fixed.OrphelinPlein()), longest);
    prepared_ = std::make_unique<Prepared>(Prepared{settings, std::move(fixed), longest, std::move(built)});
}
MoneyEvaluator::~MoneyEvaluator() = default;
MoneyEvaluator::MoneyEvaluator(MoneyEvaluator&&) noexcept = default;
MoneyEvaluator& MoneyEvaluator::operator=(MoneyEvaluator&&) noexcept = default;

std::int64_t MoneyEvaluator::Longest() const {
    return prepared_->longest;
}

EvaluationResult MoneyEvaluator::Evaluate(std::span<const std::uint8_t> permanence,
                                          const std::atomic<bool>* cancel) const {
    const Prepared& p = *prepared_;
    const auto length = static_cast<std::int64_t>(permanence.size());
    if (length > p.longest) {
        MoneyRun own(permanence, p.settings, p.live, std::max<std::int64_t>(length, 1));
        return own.Execute({}, cancel);
    }
    MoneyRun run(permanence, p.settings, p.live, p.built);
    return run.Execute({}, cancel);
}

}  // namespace zentora
