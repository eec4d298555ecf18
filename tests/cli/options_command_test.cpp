// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_run.h"

namespace {

namespace fs = std::filesystem;

using zentora::test::CliRun;
using zentora::test::RunCli;

const fs::path kShipped = fs::path(ZENTORA_BIN_DIR) / "Einstellungen" / "data.ini";

fs::path Temp(const std::string& name) {
    return fs::temp_directory_path() / ("zentora_options_cli_" + std::to_string(::getpid()) + name);
}

TEST(CliOptions, PrintsEveryFieldOfTheShippedSettings) {
    const CliRun run = RunCli("options " + kShipped.string());
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(json.size(), 66u + 3 + 27 * 41 + 9 + 5 + 1);
    EXPECT_EQ(json.begin().key(), "CheckBox1");
    EXPECT_EQ(json["CheckBox1"], 0);
    EXPECT_EQ(json["CheckBox3"], 1);
    EXPECT_EQ(json["CheckBox36"], 1);
    EXPECT_EQ(json["Chance137blau"], 3);
    EXPECT_EQ(json["E137"], 0);
    EXPECT_EQ(json["RadioButton1"], 1);
    ASSERT_TRUE(json["V1371"].is_number_float());
    EXPECT_EQ(json["V1371"].get<double>(), 49.0);
    EXPECT_NE(run.out.find("\"V1371\":49.0"), std::string::npos);
    EXPECT_EQ(json["JvOfficeColorButton3"], 32768);
}

TEST(CliOptions, PercentagesPrintAsNumbersOfPercent) {
    const fs::path file = Temp("pct.opd");
    std::ofstream(file) << "[Value]\nV1371=12345\nB1371=100\n[SpinSummeValue]\nValue=-7\n";
    const CliRun run = RunCli("options " + file.string());
    ASSERT_EQ(run.status, 0);
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_DOUBLE_EQ(json["V1371"].get<double>(), 12.345);
    EXPECT_DOUBLE_EQ(json["B1371"].get<double>(), 0.1);
    EXPECT_EQ(json["SpinSummeMerk"], -7);
    EXPECT_EQ(json["CheckBox1"], 1);  // missing: on
    fs::remove(file);
}

// The settings as the program holds them after its start: the marker threshold decides "Chancen Anzeigen",
// whatever the file says, and --save writes that.
TEST(CliOptions, PrintsAndSavesTheSettingsAfterTheWindowsCreationRules) {
    struct Case {
        int spinSummeMerk, checkbox66, shown;
    };
    for (const Case c : {Case{0, 1, 0}, Case{0, 0, 0}, Case{50, 0, 1}, Case{-20, 1, 1}}) {
        const fs::path file = Temp("rules.opd"), saved = Temp("rules_saved.opd");
        std::ofstream(file) << "[SpinSummeValue]\nValue=" << c.spinSummeMerk
                            << "\n[Aktivierung]\nCheckbox66=" << c.checkbox66 << "\n";
        const CliRun run = RunCli("options " + file.string() + " --save " + saved.string());
        ASSERT_EQ(run.status, 0);
        const auto json = nlohmann::json::parse(run.out);
        EXPECT_EQ(json["SpinSummeMerk"], c.spinSummeMerk);
        EXPECT_EQ(json["CheckBox66"], c.shown) << c.spinSummeMerk << " " << c.checkbox66;
        EXPECT_EQ(nlohmann::json::parse(RunCli("options " + saved.string()).out)["CheckBox66"], c.shown);
        std::ifstream in(saved, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(text.find("Checkbox66=") != std::string::npos, c.shown == 0) << text;
        fs::remove(file);
        fs::remove(saved);
    }
}

TEST(CliOptions, MissingOrUnreadableFilesExitWithOne) {
    for (const std::string& path : {Temp("missing.ini").string(), fs::temp_directory_path().string()}) {
        const CliRun run = RunCli("options " + path);
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_TRUE(run.out.empty()) << path;
    }
}

TEST(CliOptions, SaveKeepsTheOtherContentOfTheTarget) {
    const fs::path out = Temp("out.opd");
    std::ofstream(out) << "[Mine]\nkeep=me\n";
    ASSERT_EQ(RunCli("options " + kShipped.string() + " --save " + out.string()).status, 0);
    std::ifstream in(out, std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved.rfind("[Mine]\r\nkeep=me\r\n", 0), 0u);
    // What was saved loads as the shipped settings.
    EXPECT_EQ(RunCli("options " + out.string()).out, RunCli("options " + kShipped.string()).out);
    fs::remove(out);
}

TEST(CliOptions, ReplayTakesTheOptionFile) {
    const fs::path prm = Temp("spins.prm");
    {
        std::ofstream p(prm, std::ios::binary);
        for (int i = 0; i < 60; ++i) p.put(static_cast<char>((i * 7) % 37));
    }
    const CliRun shipped = RunCli("replay " + prm.string() + " --options " + kShipped.string());
    const CliRun standard = RunCli("replay " + prm.string());
    ASSERT_EQ(shipped.status, 0);
    EXPECT_EQ(shipped.out, standard.out);  // without --options the program's own data.ini is used
    EXPECT_EQ(RunCli("replay " + prm.string() + " --options " + Temp("none.ini").string()).status, 1);
    fs::remove(prm);
}

}  // namespace
