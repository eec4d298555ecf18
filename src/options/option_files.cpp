// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/option_files.h"

#include <string>

#include "options/group_controls.h"
#include "options/window_rules.h"

namespace zentora {

namespace {

constexpr int kMaximumNumbers[7] = {1, 2, 3, 4, 6, 12, 18};
constexpr std::int32_t kColourDefaults[5] = {255, 16711935, 32768, 16711680, 5};

std::string WindowKey(std::string_view prefix, GroupId group, int n) {
    return std::string(prefix).append(Group(group).key).append(std::to_string(n));
}

void Put(IniFile& file, std::string_view section, std::string_view key, std::int32_t compareDefault,
         std::int32_t value) {
    if (file.ReadInteger(section, key, compareDefault) != value) file.WriteInteger(section, key, value);
}

void PutFlag(IniFile& file, std::string_view section, std::string_view key, bool compareDefault, bool value) {
    const bool current = file.ReadInteger(section, key, compareDefault ? 1 : 0) != 0;
    if (current != value) file.WriteInteger(section, key, value ? 1 : 0);
}

}  // namespace

void LoadOptions(OptionsModel& model, const std::filesystem::path& source) {
    const IniFile file = IniFile::Read(source);  // throws before the model is touched
    // Text without a single section is some other file; loading it would reset every setting to its default.
    if (!file.Empty() && !file.HasSections())
        throw OptionsFileError(
            {std::string(kNotAnOptionFileMessage), MessageTranslation::Text, {{source.string()}}});
    LoadOptions(model, file);
}

void LoadOptions(OptionsModel& model, const IniFile& file) {
    for (int k = 1; k <= kOptionFlagCount; ++k)
        model.Set(model.CheckBox(k), file.ReadInteger("Aktivierung", "Checkbox" + std::to_string(k), 1));
    model.Set(model.RateBlocksToggle(), file.ReadInteger("Aktivierung", "SpeedButton1", 0));

    for (GroupId id : kAbsenceKeyOrder) {
        const GroupControls& c = Controls(id);
        model.Set(model.Fields(id).abRunde, file.ReadInteger(c.absenceSection, c.abRundeKey, 0));
        model.Set(model.Fields(id).soOft, file.ReadInteger(c.absenceSection, c.soOftKey, 0));
    }
    // The minima bound the stakes, so they come first; their rule runs even when the value stays.
    model.Set(model.Minimum1(), file.ReadInteger("Minimum1", "Mini", 0));
    ApplyStakeMinimum(model);
    model.Set(model.Minimum2(), file.ReadInteger("Minimum2", "Mini", 0));
    ApplyEvenChanceMinimum(model);
    for (int i = 0; i < 7; ++i)
        model.Set(model.Maxima()[i],
                  file.ReadInteger("Maximum" + std::to_string(kMaximumNumbers[i]), "Maxi", 0));
    for (GroupId id : kRowOrder)
        model.Set(model.Fields(id).stake, file.ReadInteger("Einsatz", Controls(id).einsatzKey, 0));
    for (GroupId id : kRowOrder)
        model.Set(model.Fields(id).technique,
                  file.ReadInteger("Einstellung", Controls(id).einstellungKey, 0));

    model.Set(model.SpinSummeMerkField(), file.ReadInteger("Chart", "SpinSummeMerk", 0));

    for (GroupId id : kRateBlockOrder) {
        const GroupFields& f = model.Fields(id);
        const std::string_view key = Group(id).key;
        model.Set(f.rateStart, file.ReadInteger("AbRunde", key, 1));
        model.SetLower(f.rateStart, file.ReadInteger("AbRundeMinValue", key, 1));
        for (int n = 1; n <= kRateWindowCount; ++n) {
            // Stored as thousandths, which is how the percentage fields hold them.
            model.Set(f.von[n - 1], file.ReadInteger("Value", WindowKey("V", id, n), 0));
            model.Set(f.bis[n - 1], file.ReadInteger("Value", WindowKey("B", id, n), 0));
            model.Set(f.bisRunde[n - 1], file.ReadInteger("Value", WindowKey("BisRunde", id, n), 0));
        }
    }

    model.Set(model.SpinSummeMerkField(), file.ReadInteger("SpinSummeValue", "Value", -100));

    for (int k = 1; k <= 5; ++k)
        model.Set(model.Colour(k), file.ReadInteger("Farbe", std::to_string(k), kColourDefaults[k - 1]));
}

void SaveOptions(const OptionsModel& model, const AppliedSettings& applied,
                 const std::filesystem::path& target) {
    IniFile file = IniFile::Read(target);
    SaveOptions(model, applied, file);
    file.Write(target);
}

void SaveOptions(const OptionsModel& model, const AppliedSettings& applied, IniFile& file) {
    Put(file, "SpinSummeValue", "Value", -100, model.SpinSummeMerk());

    for (int k = 1; k <= kOptionFlagCount; ++k)
        PutFlag(file, "Aktivierung", "Checkbox" + std::to_string(k), true, model.Checked(k));
    PutFlag(file, "Aktivierung", "SpeedButton1", false, model.Value(model.RateBlocksToggle()) != 0);

    for (GroupId id : kAbsenceKeyOrder) {
        const GroupControls& c = Controls(id);
        Put(file, c.absenceSection, c.abRundeKey, 0, model.Value(model.Fields(id).abRunde));
        Put(file, c.absenceSection, c.soOftKey, 0, model.Value(model.Fields(id).soOft));
    }

    Put(file, "Minimum1", "Mini", 0, model.Value(model.Minimum1()));
    Put(file, "Minimum2", "Mini", 0, model.Value(model.Minimum2()));
    for (int i = 0; i < 7; ++i)
        Put(file, "Maximum" + std::to_string(kMaximumNumbers[i]), "Maxi", 0, model.Value(model.Maxima()[i]));

    for (GroupId id : kRowOrder)
        Put(file, "Einsatz", Controls(id).einsatzKey, 0, model.Value(model.Fields(id).stake));
    for (GroupId id : kRowOrder)
        Put(file, "Einstellung", Controls(id).einstellungKey, 0, model.Value(model.Fields(id).technique));

    for (int n = 1; n <= kRateWindowCount; ++n) {
        for (GroupId id : kValueSectionOrder) {
            const GroupSettings& s = applied.Of(id);
            Put(file, "Value", WindowKey("V", id, n), 0, s.rateFromMilli[n - 1]);
            Put(file, "Value", WindowKey("B", id, n), 0, s.rateToMilli[n - 1]);
            Put(file, "Value", WindowKey("BisRunde", id, n), 0, s.rateUntil[n - 1]);
        }
    }

    for (GroupId id : kRateBlockOrder) Put(file, "Abrunde", Group(id).key, 1, model.RateStart(id));
    Put(file, "Chart", "SpinSummeMerk", 0, model.SpinSummeMerk());
    for (GroupId id : kRateBlockOrder)
        Put(file, "AbrundeMinValue", Group(id).key, 1, model.Field(model.Fields(id).rateStart).lower);
    // A colour of 1 would equal the compare default and stay unwritten, and load as the colour's own default:
    // a missing colour is always written.
    for (int k = 1; k <= 5; ++k) {
        const std::int32_t colour = model.Value(model.Colour(k));
        if (file.ReadInteger("Farbe", std::to_string(k)) != colour)
            file.WriteInteger("Farbe", std::to_string(k), colour);
    }
}

}  // namespace zentora
