// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/options_model.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "options/group_controls.h"
#include "options/window_rules.h"

namespace zentora {

namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::int32_t Saturate(std::int64_t v) {
    if (v < kInt32Min) return kInt32Min;
    if (v > kInt32Max) return kInt32Max;
    return static_cast<std::int32_t>(v);
}

// Digits with an optional sign (and for decimal fields up to three decimals after "." or ","); false when
// the text is no such number.
bool ParseTyped(std::string_view text, bool decimal, std::int64_t& out) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t whole = 0;
    int digits = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (whole > 1'000'000'000'000LL) return false;
        whole = whole * 10 + (text[i] - '0');
    }
    std::int64_t fraction = 0;
    if (decimal) {
        whole *= 1000;
        if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
            ++i;
            std::int64_t scale = 100;
            for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
                if (scale == 0) return false;  // more than three decimals
                fraction += (text[i] - '0') * scale;
                scale /= 10;
            }
        }
    }
    if (digits == 0 || i != text.size()) return false;
    out = negative ? -(whole + fraction) : whole + fraction;
    return true;
}

}  // namespace

FieldId OptionsModel::Add(std::string name, FieldKind kind, std::int32_t lower, std::int32_t upper,
                          std::int32_t value, int tag, FieldRole role, GroupId group, int window) {
    const FieldId id = static_cast<FieldId>(fields_.size());
    if (!byName_.emplace(Lower(name), id).second) throw std::logic_error("duplicate option field " + name);
    fields_.push_back({std::move(name), kind, value, lower, upper, true, tag, role, group, window});
    return id;
}

OptionsModel::OptionsModel() {
    fields_.reserve(1240);
    for (int k = 1; k <= kOptionFlagCount; ++k) {
        const ChanceGroup* g = GroupOfSwitch(k);
        FieldRole role = FieldRole::Other;
        if (g) role = g->absenceCheckBox == k ? FieldRole::AbsenceSwitch : FieldRole::RateSwitch;
        // The form gives no state for the group switches; only CheckBox36 starts ticked.
        checkBoxes_[k - 1] = Add("CheckBox" + std::to_string(k), FieldKind::CheckBox, 0, 1, k == 36 ? 1 : 0,
                                 k, role, g ? g->id : GroupId::G137);
    }
    rateBlocksToggle_ = Add("SpeedButton1", FieldKind::Toggle, 0, 1, 0);
    orphelinPlein_ = Add("RadioButton1", FieldKind::Radio, 0, 1, 1);
    orphelinCheval_ = Add("RadioButton2", FieldKind::Radio, 0, 1, 0);

    for (GroupId id : kRowOrder) {
        const ChanceGroup& g = Group(id);
        const GroupControls& c = Controls(id);
        GroupFields& f = groups_[GroupIndex(id)];
        f.absenceSwitch = checkBoxes_[g.absenceCheckBox - 1];
        f.rateSwitch = checkBoxes_[g.rateCheckBox - 1];
        f.abRunde = Add(std::string(c.abRunde), FieldKind::Integer, 1, 999, 3, 0, FieldRole::AbRunde, id);
        f.soOft = Add(std::string(c.soOft), FieldKind::Integer, c.soOftMin, 9999, c.soOftForm, g.rateCheckBox,
                      FieldRole::SoOft, id);
        f.technique =
            Add(std::string(c.technique), FieldKind::ItemIndex, -1, 5, 0, 0, FieldRole::Technique, id);
        f.stake = Add(std::string(c.stake), FieldKind::Integer, c.stakeMin, 999, c.stakeForm, 0,
                      FieldRole::Stake, id);
        const std::string key(g.key);
        f.rateStart = Add("AbRunde" + key, FieldKind::Integer, 1, 9500000, c.firstRow ? 37 : 3,
                          g.rateCheckBox, FieldRole::RateStart, id);
        for (int n = 1; n <= kRateWindowCount; ++n) {
            const RateWindowBounds& b = kRateWindowBounds[n - 1];
            const std::string suffix = key + std::to_string(n);
            f.bisRunde[n - 1] =
                Add("BisRunde" + suffix, FieldKind::Integer, b.minimum, b.maximum,
                    c.firstRow ? b.formFirstRow : b.formOtherRows, n, FieldRole::BisRunde, id, n);
            f.von[n - 1] = Add("V" + suffix, FieldKind::Decimal, 0, 49000, 49000, n, FieldRole::Von, id, n);
            f.bis[n - 1] = Add("B" + suffix, FieldKind::Decimal, 100, 50000, 50000, n, FieldRole::Bis, id, n);
        }
    }

    minimum1_ = Add("Minimum1", FieldKind::Integer, 1, 9999, 3);
    minimum2_ = Add("Minimum2", FieldKind::Integer, 1, 9999, 3);
    const int maxima[7] = {1, 2, 3, 4, 6, 12, 18};
    for (int i = 0; i < 7; ++i)
        maxima_[i] = Add("Maximum" + std::to_string(maxima[i]), FieldKind::Integer, -1, 9999, 3);

    const std::int32_t colours[5] = {255, 16711935, 32768, 16711680, 5};
    for (int k = 1; k <= 5; ++k)
        colours_[k - 1] = Add("JvOfficeColorButton" + std::to_string(k), FieldKind::Colour, kInt32Min,
                              kInt32Max, colours[k - 1]);
    spinSummeMerk_ = Add("SpinSummeMerk", FieldKind::Integer, -100000, 100000, 0);

    InitialRulePass(*this);
}

OptionsModel::OptionsModel(const OptionsModel& other)
    : fields_(other.fields_),
      byName_(other.byName_),
      groups_(other.groups_),
      checkBoxes_(other.checkBoxes_),
      maxima_(other.maxima_),
      colours_(other.colours_),
      rateBlocksToggle_(other.rateBlocksToggle_),
      orphelinPlein_(other.orphelinPlein_),
      orphelinCheval_(other.orphelinCheval_),
      minimum1_(other.minimum1_),
      minimum2_(other.minimum2_),
      spinSummeMerk_(other.spinSummeMerk_),
      rateBlocksShown_(other.rateBlocksShown_) {}

OptionsModel& OptionsModel::operator=(const OptionsModel& other) {
    if (this == &other) return *this;
    fields_ = other.fields_;
    byName_ = other.byName_;
    groups_ = other.groups_;
    checkBoxes_ = other.checkBoxes_;
    maxima_ = other.maxima_;
    colours_ = other.colours_;
    rateBlocksToggle_ = other.rateBlocksToggle_;
    orphelinPlein_ = other.orphelinPlein_;
    orphelinCheval_ = other.orphelinCheval_;
    minimum1_ = other.minimum1_;
    minimum2_ = other.minimum2_;
    spinSummeMerk_ = other.spinSummeMerk_;
    rateBlocksShown_ = other.rateBlocksShown_;
    return *this;  // the listener stays: it belongs to this model's window
}

FieldId OptionsModel::Find(std::string_view name) const {
    auto it = byName_.find(Lower(name));
    return it == byName_.end() ? kNoField : it->second;
}

FieldId OptionsModel::Require(std::string_view name) const {
    FieldId id = Find(name);
    if (id == kNoField) throw std::out_of_range("no option field named " + std::string(name));
    return id;
}

std::int32_t OptionsModel::Normalise(const OptionField& f, std::int64_t value) const {
    switch (f.kind) {
        case FieldKind::CheckBox:
        case FieldKind::Toggle:
        case FieldKind::Radio:
            return value != 0 ? 1 : 0;
        case FieldKind::ItemIndex:
            return value >= 0 && value <= 5 ? static_cast<std::int32_t>(value) : -1;
        default:
            // Equal bounds mean no range at all; the lower bound is tested first.
            if (f.lower == f.upper) return Saturate(value);
            if (value < f.lower) return f.lower;
            if (value > f.upper) return f.upper;
            return static_cast<std::int32_t>(value);
    }
}

void OptionsModel::Set(FieldId id, std::int64_t value) {
    OptionField& f = fields_[id];
    const std::int32_t v = Normalise(f, value);
    if (f.kind == FieldKind::Radio && v == 1) {
        const FieldId other = id == orphelinPlein_ ? orphelinCheval_ : orphelinPlein_;
        if (fields_[other].value != 0) {
            fields_[other].value = 0;
            Notify(other, FieldChange::Value);
        }
    }
    if (v == f.value) return;
    f.value = v;
    Notify(id, FieldChange::Value);
    RunChangeRules(*this, id);
}

void OptionsModel::SetPercent(FieldId id, double percent) {
    const double milli = std::nearbyint(percent * 1000.0);  // default rounding: halves to even
    if (!(milli == milli)) return;                          // NaN: nothing to take
    Set(id, milli < -9e18  ? std::numeric_limits<std::int64_t>::min()
            : milli > 9e18 ? std::numeric_limits<std::int64_t>::max()
                           : static_cast<std::int64_t>(milli));
}

void OptionsModel::SetText(FieldId id, std::string_view text) {
    const OptionField& f = fields_[id];
    std::int64_t v = 0;
    if (!ParseTyped(text, f.kind == FieldKind::Decimal, v)) v = f.lower;
    Set(id, v);
}

void OptionsModel::SetTyped(FieldId id, std::int32_t value) {
    OptionField& f = fields_[id];
    if (f.kind != FieldKind::Integer && f.kind != FieldKind::Decimal) return Set(id, value);
    if (f.value == value) return;
    f.value = value;
    Notify(id, FieldChange::Value);
}

void OptionsModel::ClampField(FieldId id) {
    Set(id, fields_[id].value);
}

void OptionsModel::SetLower(FieldId id, std::int32_t lower) {
    if (fields_[id].lower == lower) return;
    fields_[id].lower = lower;
    Notify(id, FieldChange::Range);
}

void OptionsModel::SetUpper(FieldId id, std::int32_t upper) {
    if (fields_[id].upper == upper) return;
    fields_[id].upper = upper;
    Notify(id, FieldChange::Range);
}

void OptionsModel::SetEnabled(FieldId id, bool enabled) {
    if (fields_[id].enabled == enabled) return;
    fields_[id].enabled = enabled;
    Notify(id, FieldChange::Enabled);
}

void OptionsModel::SetOrphelinPlein(bool plein) {
    Set(plein ? orphelinPlein_ : orphelinCheval_, 1);
}

void OptionsModel::SetRateBlocksShown(bool shown) {
    if (rateBlocksShown_ == shown) return;
    rateBlocksShown_ = shown;
    Notify(rateBlocksToggle_, FieldChange::RateBlocks);
}

AppliedSettings ApplySettings(const OptionsModel& model) {
    AppliedSettings a;
    for (const ChanceGroup& g : kChanceGroups) {
        const GroupFields& f = model.Fields(g.id);
        GroupSettings& s = a.Of(g.id);
        s.absenceHigh = model.Value(f.abRunde);
        s.absenceLow = s.absenceHigh - model.Value(f.soOft) + 1;
        s.absenceSpan = s.absenceHigh - s.absenceLow + 1;
        s.initialStake = model.Value(f.stake);
        s.stakeTechnique = model.Value(f.technique);
        // The percentage fields already hold value x 1000 exactly, so the rounding is the identity.
        for (int n = 0; n < kRateWindowCount; ++n) {
            s.rateFromMilli[n] = model.Value(f.von[n]);
            s.rateToMilli[n] = model.Value(f.bis[n]);
            s.rateUntil[n] = model.Value(f.bisRunde[n]);
        }
    }
    a.minimum1 = model.Value(model.Minimum1());
    a.minimum2 = model.Value(model.Minimum2());
    const auto& m = model.Maxima();
    a.maximum1 = model.Value(m[0]);
    a.maximum2 = model.Value(m[1]);
    a.maximum3 = model.Value(m[2]);
    a.maximum4 = model.Value(m[3]);
    a.maximum6 = model.Value(m[4]);
    a.maximum12 = model.Value(m[5]);
    a.maximum18 = model.Value(m[6]);
    for (int k = 1; k <= kOptionFlagCount; ++k) a.optionFlags[k - 1] = model.Checked(k) ? 1 : 0;
    return a;
}

}  // namespace zentora
