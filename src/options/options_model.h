// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/chance_groups.h"
#include "engine/applied_settings.h"

namespace zentora {

// How a field is shown and stored. Decimal fields hold exact thousandths (12.345 % is 12345).
enum class FieldKind : std::uint8_t { Integer, Decimal, CheckBox, ItemIndex, Colour, Toggle, Radio };

// What a field is to the window rules.
enum class FieldRole : std::uint8_t {
    Other,
    AbsenceSwitch,
    RateSwitch,
    AbRunde,  // "Ab Runde" of the absence rule
    SoOft,    // "So oft angespielt"
    Technique,
    Stake,
    RateStart,  // "AbRunde" + GroupKey
    BisRunde,   // "BisRunde" + GroupKey + n
    Von,        // "V" + GroupKey + n
    Bis,        // "B" + GroupKey + n
};

using FieldId = int;
inline constexpr FieldId kNoField = -1;

struct OptionField {
    std::string name;
    FieldKind kind = FieldKind::Integer;
    std::int32_t value = 0;
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    bool enabled = true;
    int tag = 0;
    FieldRole role = FieldRole::Other;
    GroupId group = GroupId::G137;  // meaningful for group roles only
    int window = 0;                 // 1..12 for the rate windows
};

// The fields of one chance group.
struct GroupFields {
    FieldId absenceSwitch = kNoField, rateSwitch = kNoField;
    FieldId abRunde = kNoField, soOft = kNoField, technique = kNoField, stake = kNoField;
    FieldId rateStart = kNoField;
    std::array<FieldId, kRateWindowCount> bisRunde{}, von{}, bis{};
};

enum class FieldChange : std::uint8_t { Value, Range, Enabled, RateBlocks };

// Every setting of the options window as a named field. Names compare without regard to case. Assigning a
// field clamps it into its range and runs the window's change rules (group switches, split display, stake
// lower bounds), as setting the control does in the window.
class OptionsModel final : public LiveSettings {
  public:
    using Listener = std::function<void(FieldId, FieldChange)>;

    OptionsModel();  // form values
    OptionsModel(const OptionsModel& other);
    OptionsModel& operator=(const OptionsModel& other);

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const OptionField& Field(FieldId id) const { return fields_[id]; }
    FieldId Find(std::string_view name) const;     // kNoField when there is none
    FieldId Require(std::string_view name) const;  // throws std::out_of_range

    std::int32_t Value(FieldId id) const { return fields_[id].value; }
    std::int32_t Value(std::string_view name) const { return Value(Require(name)); }
    bool Checked(int checkBox) const { return fields_[checkBoxes_[checkBox - 1]].value != 0; }

    // Clamped assignment (check boxes: any non-zero is on; item index: outside 0..5 selects nothing).
    void Set(FieldId id, std::int64_t value);
    void Set(std::string_view name, std::int64_t value) { Set(Require(name), value); }
    // A decimal field from a percentage: rounded to thousandths, halves to even.
    void SetPercent(FieldId id, double percent);
    // Text as typed: empty or not a number reads as the lower bound. Decimal fields accept "." or ",".
    void SetText(FieldId id, std::string_view text);
    // The value as typed, not yet clamped; the leave rule of the field sees it (LeaveField).
    void SetTyped(FieldId id, std::int32_t value);
    void ClampField(FieldId id);
    void SetLower(FieldId id, std::int32_t lower);  // the value is not touched
    void SetUpper(FieldId id, std::int32_t upper);
    void SetEnabled(FieldId id, bool enabled);

    void SetOrphelinPlein(bool plein);
    bool RateBlocksShown() const { return rateBlocksShown_; }
    void SetRateBlocksShown(bool shown);

    const GroupFields& Fields(GroupId group) const { return groups_[GroupIndex(group)]; }
    FieldId CheckBox(int k) const { return checkBoxes_[k - 1]; }
    FieldId RateBlocksToggle() const { return rateBlocksToggle_; }
    FieldId OrphelinPleinChoice() const { return orphelinPlein_; }
    FieldId OrphelinChevalChoice() const { return orphelinCheval_; }
    FieldId Minimum1() const { return minimum1_; }
    FieldId Minimum2() const { return minimum2_; }
    // Maximum1, 2, 3, 4, 6, 12, 18.
    const std::array<FieldId, 7>& Maxima() const { return maxima_; }
    FieldId Colour(int k) const { return colours_[k - 1]; }  // JvOfficeColorButton1..5
    FieldId SpinSummeMerkField() const { return spinSummeMerk_; }

    // Read at the moment of use.
    std::int32_t RateStart(GroupId group) const override { return Value(Fields(group).rateStart); }
    bool OrphelinPlein() const override { return Value(orphelinPlein_) != 0; }
    std::int32_t SpinSummeMerk() const override { return Value(spinSummeMerk_); }
    std::int32_t Es637sTechnique() const override { return Value(Fields(GroupId::SS637).technique); }

    // One listener (the window); not copied with the model.
    void SetListener(Listener listener) { listener_ = std::move(listener); }

  private:
    FieldId Add(std::string name, FieldKind kind, std::int32_t lower, std::int32_t upper, std::int32_t value,
                int tag = 0, FieldRole role = FieldRole::Other, GroupId group = GroupId::G137,
                int window = 0);
    void Notify(FieldId id, FieldChange change) {
        if (listener_) listener_(id, change);
    }
    std::int32_t Normalise(const OptionField& f, std::int64_t value) const;

    std::vector<OptionField> fields_;
    std::unordered_map<std::string, FieldId> byName_;  // lower-case names
    std::array<GroupFields, kGroupCount> groups_{};
    std::array<FieldId, kOptionFlagCount> checkBoxes_{};
    std::array<FieldId, 7> maxima_{};
    std::array<FieldId, 5> colours_{};
    FieldId rateBlocksToggle_ = kNoField, orphelinPlein_ = kNoField, orphelinCheval_ = kNoField;
    FieldId minimum1_ = kNoField, minimum2_ = kNoField, spinSummeMerk_ = kNoField;
    bool rateBlocksShown_ = false;
    Listener listener_;
};

// Copies the model into the snapshot the engine reads.
AppliedSettings ApplySettings(const OptionsModel& model);

// A value of the percentage fields as a number of percent.
constexpr double PercentOf(std::int32_t milli) {
    return milli / 1000.0;
}

}  // namespace zentora
