// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bit>
#include <limits>

#include "catalogue/platform.h"
#include "engine/placement.h"

namespace zentora {

namespace {

// Working values are exact. Small tables are worked in 32 bits straight into the result: no step can carry a
// value beyond a few dozen times the largest stake or maximum. Others are worked in 64 bits and saturated
// once.
using WideArray = std::array<std::int64_t, kPositionCount>;
constexpr std::int32_t kNarrowBound = 1 << 22;

constexpr int kFirstCheval = 85;
constexpr int kFirstTransversalePleine = 73;  // 73 + j holds row j + 1

struct Pair {
    int x, y;
};

// The two pleins of every cheval 85..144.
constexpr std::array<Pair, 60> BuildChevalPleins() {
    std::array<Pair, 60> table{};
    for (int column = 0; column < 3; ++column) {
        const int first = kFirstCheval + 12 * column;  // 85, 97, 109: vertical, with zero first
        table[first - kFirstCheval] = {0, column + 1};
        for (int j = 0; j < 11; ++j)
            table[first + 1 + j - kFirstCheval] = {3 * j + column + 1, 3 * j + column + 4};
    }
    for (int j = 0; j < 12; ++j) {
        table[121 + j - kFirstCheval] = {3 * j + 1, 3 * j + 2};
        table[133 + j - kFirstCheval] = {3 * j + 2, 3 * j + 3};
    }
    return table;
}
constexpr auto kChevalPleins = BuildChevalPleins();

template <class Wide>
struct Limits {
    Wide m1, m2, m3, m4, m6, m12, m18;
};

template <class Wide>
constexpr Wide CapAt(Wide value, Wide maximum) {
    return std::min(value, maximum);
}

// Step 1 and 2: pleins, then chevals onto their pleins. A cheval within its limit stays as it is and touches
// no plein, so only the others are walked, in their order.
template <class Wide, class Out>
void SplitChevals(const PositionArray& raw, const Limits<Wide>& m, Out& out) {
    for (int p = 0; p <= 36; ++p) out[p] = std::min<Wide>(raw[p], m.m1);
    std::uint64_t over = 0;
    for (int i = 0; i < 60; ++i) {
        const Wide c = raw[kFirstCheval + i];
        out[kFirstCheval + i] = c;
        over |= std::uint64_t{c > m.m2} << i;
    }
    for (; over; over &= over - 1) {
        const int p = kFirstCheval + std::countr_zero(over);
        const Wide c = raw[p];
        const auto [x, y] = kChevalPleins[p - kFirstCheval];
        if (2 * m.m1 >= c) {
            const Wide h = c / 2;
            if (out[x] + h <= m.m1 && out[y] + h <= m.m1) {
                out[p] = 2 * (c % 2);
                out[x] += h;
                out[y] += h;
            } else {
                out[p] = h + 2 * (c % 4) + (c % 2);
                out[x] = CapAt(out[x] + c / 4, m.m1);
                out[y] = CapAt(out[y] + c / 4, m.m1);
            }
        } else {
            out[p] = c <= 2 * m.m1 + m.m2 ? c - 2 * m.m1 : m.m2;
            out[x] = m.m1;
            out[y] = m.m1;
        }
    }
}

// Step 3: transversales pleines 71, 72, 73..84.
struct Line {
    int position, a, mid, b, cheval1, cheval2;
};

constexpr std::array<Line, 14> BuildLines() {
    std::array<Line, 14> lines{};
    lines[0] = {71, 2, 0, 3, 97, 109};
    lines[1] = {72, 1, 0, 2, 85, 97};
    for (int j = 0; j < 12; ++j)
        lines[2 + j] = {kFirstTransversalePleine + j, 3 * j + 1, 3 * j + 2, 3 * j + 3, 121 + j, 133 + j};
    return lines;
}
constexpr auto kLines = BuildLines();

template <class Wide, class Out>
void SplitTransversalesPleines(const PositionArray& raw, const Limits<Wide>& m, Out& out) {
    for (const Line& l : kLines) {
        const Wide c = raw[l.position];
        auto& o = out[l.position];
        if (c <= m.m3) {
            o = c;
        } else if (3 * m.m3 >= c) {
            const Wide t = c / 3;
            if (out[l.a] + t <= m.m1 && out[l.mid] + t <= m.m1 && out[l.b] + t <= m.m1) {
                o = 3 * (c % 3);
                out[l.a] += t;
                out[l.mid] += t;
                out[l.b] += t;
            } else {
                o = m.m3;
                const Wide r = (c - m.m3) / 3;
                for (int q : {l.a, l.mid, l.b}) out[q] = CapAt(out[q] + r, m.m1);
            }
        } else if (c > 3 * m.m1 + 2 * m.m2 + m.m3) {
            o = m.m3;
            out[l.cheval1] = m.m2;
            out[l.cheval2] = m.m2;
            out[l.a] = m.m1;
            out[l.b] = m.m1;
            out[l.mid] = CapAt(out[l.mid] + m.m1 / 2, m.m1);
        } else {
            o = m.m3;
            out[l.cheval1] = m.m2;
            out[l.cheval2] = m.m2;
            const Wide r = (c - 2 * m.m2 - m.m3) / 5;
            out[l.a] = CapAt(out[l.a] + 2 * r, m.m1);
            out[l.mid] = CapAt(out[l.mid] + r, m.m1);
            out[l.b] = CapAt(out[l.b] + 2 * r, m.m1);
        }
    }
}

struct Square {
    int position;
    std::array<int, 2> firstPair, secondPair;
    std::array<int, 4> pleins;
    std::array<int, 4> chevals{};  // both pairs
};

constexpr std::array<Square, 23> BuildSquares() {
    std::array<Square, 23> table{};
    table[0] = {48, {85, 133}, {109, 121}, {0, 1, 2, 3}};
    for (int j = 0; j < 11; ++j) {
        table[1 + j] = {
            49 + j, {86 + j, 98 + j}, {121 + j, 122 + j}, {3 * j + 1, 3 * j + 2, 3 * j + 4, 3 * j + 5}};
        table[12 + j] = {
            60 + j, {98 + j, 110 + j}, {133 + j, 134 + j}, {3 * j + 2, 3 * j + 3, 3 * j + 5, 3 * j + 6}};
    }
    for (Square& sq : table)
        sq.chevals = {sq.firstPair[0], sq.firstPair[1], sq.secondPair[0], sq.secondPair[1]};
    return table;
}
constexpr auto kSquares = BuildSquares();

template <class Wide, class Out>
bool PairTakes(const Out& out, const std::array<int, 2>& pair, Wide amount, Wide maximum) {
    return out[pair[0]] + amount <= maximum && out[pair[1]] + amount <= maximum;
}

// The carré 0/1/2/3 beyond what its chevals take, spilling onto the transversales pleines 71 and 72.
template <class Wide, class Out>
void SplitZeroSquareRest(const Wide c, const Square& sq, const Limits<Wide>& m, Out& out) {
    const std::array<int, 4>& chevals = sq.chevals;
    const Wide e = c / 8, t = m.m3 / 3;
    auto& o = out[sq.position];
    const bool eighths = 8 * m.m1 >= c;
    if (eighths && std::all_of(chevals.begin(), chevals.end(), [&](int q) { return out[q] + e <= m.m2; }) &&
        std::all_of(sq.pleins.begin(), sq.pleins.end(), [&](int q) { return out[q] + e <= m.m1; })) {
        o = 8 * (c % 8);
        for (int q : chevals) out[q] += e;
        for (int q : sq.pleins) out[q] += e;
    } else if (eighths) {
        out[71] = m.m2;
        out[72] = m.m2;
        for (int q : chevals) out[q] = CapAt(out[q] + e, m.m2);
        out[1] = CapAt(out[1] + t, m.m1);
        out[3] = CapAt(out[3] + t, m.m1);
    } else if (c > 4 * m.m1 + 4 * m.m2 + 2 * m.m3 + m.m4) {
        o = m.m4;
        out[71] = m.m3;
        out[72] = m.m3;
        for (int q : chevals) out[q] = m.m2;
        out[1] = m.m1;
        out[3] = m.m1;
        out[0] = CapAt(out[0] + m.m1 - t, m.m1);
        out[2] = CapAt(out[2] + m.m1 - t, m.m1);
    } else {
        out[71] = m.m3;
        out[72] = m.m3;
        for (int q : chevals) out[q] = CapAt(out[q] + e, m.m2);
        const Wide r = (c - (8 * m.m3) / 3 - 4 * m.m2 - m.m4) / 4;
        out[1] = CapAt(out[1] + r + t, m.m1);
        out[3] = CapAt(out[3] + r + t, m.m1);
        out[0] += r;
        out[2] += r;
    }
}

// Step 4: carré 48, then 49..70.
template <class Wide, class Out>
void SplitSquares(const PositionArray& raw, const Limits<Wide>& m, Out& out) {
    for (const Square& sq : kSquares) {
        const Wide c = raw[sq.position];
        auto& o = out[sq.position];
        o = 0;
        const std::array<int, 4>& chevals = sq.chevals;
        if (c <= m.m4) {
            o = c;
        } else if (2 * m.m2 >= c) {
            const Wide h = c / 2;
            if (PairTakes(out, sq.firstPair, h, m.m2)) {
                o = 2 * (c % 2);
                for (int q : sq.firstPair) out[q] += h;
            } else if (PairTakes(out, sq.secondPair, h, m.m2)) {
                o = 2 * (c % 2);
                for (int q : sq.secondPair) out[q] += h;
            } else {
                o = std::min(c - 2 * m.m2, m.m4);
                for (int q : sq.secondPair) out[q] = m.m2;
            }
        } else if (4 * m.m2 >= c) {
            const Wide q4 = c / 4;
            o = 4 * (c % 4);
            if (std::all_of(chevals.begin(), chevals.end(), [&](int q) { return out[q] + q4 <= m.m2; })) {
                for (int q : chevals) out[q] += q4;
            } else {
                for (int q : sq.pleins) out[q] = CapAt(out[q] + q4, m.m1);
            }
        } else if (sq.position == 48) {
            SplitZeroSquareRest(c, sq, m, out);
        } else if (8 * m.m1 >= c) {
            const Wide e = c / 8;
            o = 8 * (c % 8);
            for (int q : chevals) out[q] = CapAt(out[q] + e, m.m2);
            for (int q : sq.pleins) out[q] = CapAt(out[q] + e, m.m1);
        } else {
            o = m.m4;
            for (int q : chevals) out[q] = m.m2;
            for (int q : sq.pleins) out[q] = m.m1;
        }
    }
}

// Step 5: transversales simples 37..47.
struct SixLine {
    std::array<int, 6> pleins;
    std::array<int, 3> vertical;
    std::array<int, 4> horizontal;
    std::array<int, 2> lines, squares;
};

constexpr std::array<SixLine, 11> BuildSixLines() {
    std::array<SixLine, 11> table{};
    for (int j = 0; j <= 10; ++j) {
        const int q1 = 3 * j + 1;
        table[j] = {{q1, q1 + 1, q1 + 2, q1 + 3, q1 + 4, q1 + 5},
                    {86 + j, 98 + j, 110 + j},
                    {121 + j, 122 + j, 133 + j, 134 + j},
                    {73 + j, 74 + j},
                    {49 + j, 60 + j}};
    }
    return table;
}
constexpr auto kSixLines = BuildSixLines();

template <class Wide, class Out>
void SplitTransversalesSimples(const PositionArray& raw, const Limits<Wide>& m, Out& out) {
    for (int j = 0; j <= 10; ++j) {
        const int position = 37 + j;
        const Wide c = raw[position];
        auto& o = out[position];
        o = 0;
        const auto& [pleins, vertical, horizontal, lines, squares] = kSixLines[j];
        const int q1 = pleins[0], q2 = pleins[1], q3 = pleins[2], q4 = pleins[3], q5 = pleins[4],
                  q6 = pleins[5];

        if (c <= m.m6) {
            o = c;
        } else if (c / 2 <= m.m3) {
            for (int q : lines) out[q] += c / 2;
        } else if (3 * m.m2 >= c) {
            const Wide t = c / 3;
            o = 3 * (c % 3);
            for (int q : vertical) out[q] = CapAt(out[q] + t, m.m2);
        } else if (6 * m.m1 >= c) {
            const Wide s = c / 6;
            o = 6 * (c % 6);
            for (int q : pleins) out[q] = CapAt(out[q] + s, m.m1);
        } else if (c > 6 * m.m1 + 3 * m.m2 + 2 * m.m3 || (m.m6 < c - 6 * m.m1 && c < 6 * m.m1 + 3 * m.m2)) {
            const Wide d = m.m2 / 2 + m.m4 / 4;
            for (int q : {q1, q3, q4, q6}) out[q] = m.m1;
            for (int q : {q2, q5}) out[q] = CapAt(out[q] + m.m1 - d, m.m1);
            for (int q : vertical) out[q] = m.m2;
            for (int q : horizontal) out[q] = m.m2;
            for (int q : lines) out[q] = m.m3;
            for (int q : squares) out[q] = m.m4;
            o = m.m6;
        } else if (m.m6 < c - 6 * m.m1) {
            const Wide d = m.m2 / 2 + m.m4 / 4;
            for (int q : horizontal) out[q] = m.m2;
            for (int q : squares) out[q] = m.m4;
            const Wide lineShare = (c - 6 * m.m1 - 3 * m.m2) / 2;
            const bool topEmpty =
                std::all_of(pleins.begin(), pleins.begin() + 3, [&](int q) { return out[q] <= 0; }) &&
                out[q6] <= 0 &&
                std::all_of(vertical.begin(), vertical.end(), [&](int q) { return out[q] <= 0; });
            const bool linesTake =
                std::all_of(lines.begin(), lines.end(), [&](int q) { return out[q] + lineShare <= m.m3; });
            const std::array<int, 4> chosen = topEmpty && linesTake ? std::array<int, 4>{q1, q2, q3, q6}
                                                                    : std::array<int, 4>{q1, q3, q4, q6};
            for (int q : chosen) out[q] = CapAt(out[q] + d, m.m1);
            const Wide rest = (c - 4 * m.m2 - 2 * m.m4 - 4 * d) / 2;
            for (int q : lines) out[q] = CapAt(out[q] + rest, m.m3);
        } else if (std::all_of(pleins.begin(), pleins.end(), [&](int q) { return out[q] <= 0; })) {
            for (int q : pleins) out[q] = m.m1;
            o = c - 6 * m.m1;
        } else {
            for (int q : horizontal) out[q] = m.m2;
            const Wide h = m.m1 / 2;
            for (int q : {q1, q3, q4, q6}) out[q] = CapAt(out[q] + h, m.m1);
            if (c - 4 * m.m2 - 4 * h >= 0) o = c - 4 * m.m2 - 4 * h;
        }
    }
}

// Nonzero when the value lies beyond what 32-bit working values are safe for.
constexpr std::uint32_t Outside(std::int32_t v) {
    return (static_cast<std::uint32_t>(v) + kNarrowBound) & ~(2u * kNarrowBound - 1);
}

// Whether a stake of the table lies outside the narrow bound. This and the two below run on every spin of an
// evaluation: worth a build with the processor's widest vectors.
ZENTORA_VECTOR_CLONES std::uint32_t OutsideOf(const PositionArray& stakes) {
    std::uint32_t outside = 0;
    for (const std::int32_t v : stakes) outside |= Outside(v);
    return outside;
}

// Every position at most its kind's limit.
ZENTORA_VECTOR_CLONES void ClipTable(const PositionArray& positionStakeRaw, const AppliedSettings& settings,
                                     PositionArray& positionStake) {
    // Position kinds are contiguous ranges; a loop per range keeps this cheap for callers per spin.
    auto clip = [&](int first, int last, std::int32_t limit) {
        for (int p = first; p <= last; ++p) positionStake[p] = std::min(positionStakeRaw[p], limit);
    };
    clip(0, 36, TableLimit(PositionKind::Plein, settings));
    clip(37, 47, TableLimit(PositionKind::TransversaleSimple, settings));
    clip(48, 70, TableLimit(PositionKind::Carre, settings));
    clip(71, 84, TableLimit(PositionKind::TransversalePleine, settings));
    clip(85, 144, TableLimit(PositionKind::Cheval, settings));
    clip(145, 150, TableLimit(PositionKind::SimpleChance, settings));
    clip(151, 156, TableLimit(PositionKind::DozenColumn, settings));
}

// The table capped at `bound`, and whether a stake of it still lies outside the narrow bound.
ZENTORA_VECTOR_CLONES std::uint32_t CapTable(const PositionArray& stakes, std::int32_t bound,
                                             PositionArray& capped) {
    std::uint32_t outside = 0;
    for (int p = 0; p < kPositionCount; ++p) {
        capped[p] = std::min(stakes[p], bound);
        outside |= Outside(capped[p]);
    }
    return outside;
}

template <class Wide>
Limits<Wide> MakeLimits(const std::array<std::int32_t, 7>& m) {
    return {m[0], m[1], m[2], m[3], m[4], m[5], m[6]};
}

// Every position of `out` is written, each in its own step before later steps add onto it.
template <class Wide, class Out>
void Split(const PositionArray& raw, const Limits<Wide>& m, Out& out) {
    SplitChevals(raw, m, out);
    SplitTransversalesPleines(raw, m, out);
    SplitSquares(raw, m, out);
    SplitTransversalesSimples(raw, m, out);
    for (int p = 145; p <= 150; ++p) out[p] = std::min<Wide>(raw[p], m.m18);
    for (int p = 151; p <= 156; ++p) out[p] = std::min<Wide>(raw[p], m.m12);
}

}  // namespace

PositionKind PositionKindOf(int position) {
    if (position <= 36) return PositionKind::Plein;
    if (position <= 47) return PositionKind::TransversaleSimple;
    if (position <= 70) return PositionKind::Carre;
    if (position <= 84) return PositionKind::TransversalePleine;
    if (position <= 144) return PositionKind::Cheval;
    if (position <= 150) return PositionKind::SimpleChance;
    return PositionKind::DozenColumn;
}

std::int32_t TableLimit(PositionKind kind, const AppliedSettings& settings) {
    switch (kind) {
        case PositionKind::Plein:
            return settings.maximum1;
        case PositionKind::TransversaleSimple:
            return settings.maximum6;
        case PositionKind::Carre:
            return settings.maximum4;
        case PositionKind::TransversalePleine:
            return settings.maximum3;
        case PositionKind::Cheval:
            return settings.maximum2;
        case PositionKind::SimpleChance:
            return settings.maximum18;
        case PositionKind::DozenColumn:
            return settings.maximum12;
    }
    return 0;
}

void ApplyTableLimits(const PositionArray& positionStakeRaw, const AppliedSettings& settings,
                      PositionArray& positionStake) {
    if (!settings.Flag(kSplitOnTableBox)) return ClipTable(positionStakeRaw, settings, positionStake);
    const std::array<std::int32_t, 7> maxima{settings.maximum1, settings.maximum2, settings.maximum3,
                                             settings.maximum4, settings.maximum6, settings.maximum12,
                                             settings.maximum18};
    std::uint32_t outside = 0, stakesOutside = OutsideOf(positionStakeRaw);
    for (const std::int32_t v : maxima) outside |= Outside(v);
    const PositionArray* stakes = &positionStakeRaw;
    PositionArray capped;
    std::int64_t beyond = 16;
    for (const std::int32_t v : maxima) beyond += 16 * std::int64_t{v < 0 ? -v : v};
    if (outside == 0 && stakesOutside != 0 && beyond < kNarrowBound) {
        // Every step compares a value with sums of at most eight maxima of each kind and keeps nothing of it
        // beyond them, so a value past all of them splits as that bound does: capped there, huge stakes under
        // ordinary maxima are still worked in 32 bits (huge negative ones stay outside).
        stakesOutside = CapTable(positionStakeRaw, static_cast<std::int32_t>(beyond), capped);
        stakes = &capped;
    }
    if ((outside | stakesOutside) == 0 && stakes != &positionStake) {
        Split(*stakes, MakeLimits<std::int32_t>(maxima), positionStake);
        return;
    }
    WideArray out;
    Split(positionStakeRaw, MakeLimits<std::int64_t>(maxima), out);
    // Saturated once, value by value: wide loads over the values just stored one by one would stall.
    for (int p = 0; p < kPositionCount; ++p) positionStake[p] = SaturatedStake(out[p]);
}

}  // namespace zentora
