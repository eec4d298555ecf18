// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/file_access.h"
#include "options/option_files.h"
#include "options/options_model.h"

namespace zentora {
namespace {

// The calm first system shipped as data.ini: the form values, the absence rules of "Chance 1/37" and
// "Chance 18/37" on, every other switch off but CheckBox36; stakes as loading bounds them by the minima.
std::string CalmFirstSystem() {
    OptionsModel form;
    form.Set(form.CheckBox(3), 1);
    form.Set(form.CheckBox(9), 1);
    IniFile first;
    SaveOptions(form, ApplySettings(form), first);
    OptionsModel loaded;
    LoadOptions(loaded, first);
    IniFile file;
    SaveOptions(loaded, ApplySettings(loaded), file);
    return Utf8ToWindows1252(file.Serialize());
}

const std::filesystem::path kShipped =
    std::filesystem::path(ZENTORA_SOURCE_DIR) / "data/Einstellungen/data.ini";

// ZENTORA_WRITE_SHIPPED_OPTIONS=1 test_options --gtest_filter=ShippedSettings.* rewrites the file.
TEST(ShippedSettings, DataIniIsTheCalmFirstSystem) {
    const std::string expected = CalmFirstSystem();
    if (std::getenv("ZENTORA_WRITE_SHIPPED_OPTIONS")) files::WriteFileAtomic(kShipped.string(), expected);
    std::ifstream in(kShipped, std::ios::binary);
    const std::string shipped{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(shipped, expected);
}

TEST(ShippedSettings, LoadShowsTheDesignedDefaults) {
    OptionsModel model;
    LoadOptions(model, kShipped);
    for (int k = 1; k <= 66; ++k) EXPECT_EQ(model.Checked(k), k == 3 || k == 9 || k == 36) << k;
    EXPECT_EQ(model.Value("Chance137blau"), 3);
    EXPECT_EQ(model.Value("Chance137pink"), 7);
    EXPECT_EQ(model.Value("Chance1837pink"), 3);
    EXPECT_EQ(model.Value("A137"), 3);  // raised from its form value 1 to the table minimum
    EXPECT_EQ(model.Value("AbRunde137"), 37);
    EXPECT_EQ(model.Value("BisRunde2373"), 4);
    EXPECT_EQ(model.Value("V1371"), 49000);
    EXPECT_EQ(model.Value("B1371"), 50000);
    EXPECT_EQ(model.Value("Maximum1"), 3);
    EXPECT_EQ(model.SpinSummeMerk(), 0);
    EXPECT_EQ(model.Value("JvOfficeColorButton4"), 16711680);
    EXPECT_TRUE(model.OrphelinPlein());
    const AppliedSettings applied = ApplySettings(model);
    for (const ChanceGroup& g : kChanceGroups) {
        EXPECT_EQ(applied.AbsenceRuleActive(g.id), g.id == GroupId::G137 || g.id == GroupId::G1837) << g.key;
        EXPECT_FALSE(applied.RateRuleActive(g.id)) << g.key;
    }
}

}  // namespace
}  // namespace zentora
