// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "evaluation/money_evaluation.h"
#include "options/option_files.h"
#include "options/options_model.h"
#include "statistics/statistics.h"

namespace {

namespace fs = std::filesystem;
using namespace zentora;

using zentora::test::CliRun;
using zentora::test::RunCli;

fs::path TempPath(const std::string& name) {
    return fs::temp_directory_path() / ("zentora_evalstats_" + std::to_string(::getpid()) + name);
}

fs::path WritePrm(const std::string& name, const std::vector<std::uint8_t>& newestFirst) {
    const fs::path path = TempPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(newestFirst.data()),
               static_cast<std::streamsize>(newestFirst.size()));
    return path;
}

fs::path WriteText(const std::string& name, const std::string& text) {
    const fs::path path = TempPath(name);
    std::ofstream(path) << text;
    return path;
}

// An option file with the given check boxes ticked (a missing one counts as ticked) and more sections.
std::string Options(std::vector<int> ticked, const std::string& more) {
    std::string text = "[Aktivierung]\n";
    for (int k = 1; k <= 66; ++k)
        text += "Checkbox" + std::to_string(k) + "=" +
                (std::find(ticked.begin(), ticked.end(), k) != ticked.end() ? "1" : "0") + "\n";
    return text + more;
}

// Even chances played right after a miss, one unit each; every loss marked.
const std::string kEvenChances =
    "[Chance18/37]\nblau=1\npink=1\n[Einsatz]\nA1837=1\n[Maximum18]\nMaxi=100\n[SpinSummeValue]\nValue=-1\n";

TEST(CliEvaluate, PrintsBalanceAndMarkers) {
    const fs::path prm = WritePrm("even.prm", {0, 20, 5});  // 5 came first
    const fs::path opd = WriteText("even.opd", Options({9}, kEvenChances));
    const CliRun run = RunCli("evaluate " + prm.string() + " --options " + opd.string());
    ASSERT_EQ(run.status, 0);
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["spins"], 3);
    EXPECT_EQ(j["balance"], nlohmann::json::parse("[-3, 0, -3]"));
    // The first spin loses 3; the win of the second (+3) carries over the loss of the third. Without
    // one-chance mode no chance is named.
    EXPECT_EQ(j["markers"], nlohmann::json::parse(R"([{"spin": 1, "balance": -3, "slot": null}])"));
    fs::remove(prm);
    fs::remove(opd);
}

TEST(CliEvaluate, AgreesWithTheEngineOnALongerRun) {
    std::mt19937 rng(5);
    std::vector<std::uint8_t> perm(3000);
    for (auto& v : perm) v = static_cast<std::uint8_t>(rng() % 37);
    const fs::path prm = WritePrm("long.prm", perm);
    const fs::path opd = WriteText(
        "one.opd",
        Options({1, 3, 9, 24, 62}, kEvenChances + "[Chance1/37]\nblau=40\npink=5\n[Maximum1]\nMaxi=50\n"));
    const CliRun run =
        RunCli("evaluate " + prm.string() + " --options " + opd.string() + " --orphelin cheval");
    ASSERT_EQ(run.status, 0);
    const auto j = nlohmann::json::parse(run.out);

    OptionsModel model;
    LoadOptions(model, opd);
    model.SetOrphelinPlein(false);
    const EvaluationResult want = EvaluateMoney(perm, ApplySettings(model), TakeLiveSettings(model));
    EXPECT_EQ(j["balance"].get<std::vector<std::int64_t>>(), want.balance);
    ASSERT_EQ(j["markers"].size(), want.markers.size());
    for (std::size_t i = 0; i < want.markers.size(); ++i) {
        EXPECT_EQ(j["markers"][i]["spin"], want.markers[i].spin);
        EXPECT_EQ(j["markers"][i]["balance"], want.markers[i].balance);
        if (want.markers[i].slot)
            EXPECT_EQ(j["markers"][i]["slot"], *want.markers[i].slot);
        else
            EXPECT_TRUE(j["markers"][i]["slot"].is_null());
    }
    fs::remove(prm);
    fs::remove(opd);
}

TEST(CliStats, PrintsTheCurvesExactly) {
    const fs::path prm = WritePrm("stats.prm", {5, 17, 5});
    const auto maxRate =
        nlohmann::json::parse(RunCli("stats " + prm.string() + " --group 137 --kind max-rate").out);
    EXPECT_EQ(maxRate, nlohmann::json::parse(R"({"x": [1.0, 2.0, 3.0], "y": [100.0, 50.0, 66.667]})"));

    std::mt19937 rng(9);
    std::vector<std::uint8_t> perm(2000);
    for (auto& v : perm) v = static_cast<std::uint8_t>(rng() % 37);
    const fs::path longPrm = WritePrm("stats_long.prm", perm);
    const CliRun run = RunCli("stats " + longPrm.string() + " --group Z1237 --kind overview");
    ASSERT_EQ(run.status, 0);
    const auto j = nlohmann::json::parse(run.out);
    FixedLiveSettings live;
    const StatisticsResult want =
        ComputeStatistics(perm, GroupId::Z1237, StatisticsKind::RateOverview, AppliedSettings{}, live);
    // Doubles survive the printing bit for bit.
    EXPECT_EQ(j["y"].get<std::vector<double>>(), want.y);
    EXPECT_EQ(j["y2"].get<std::vector<double>>(), want.y2);
    EXPECT_EQ(j["y3"].get<std::vector<double>>(), want.y3);
    EXPECT_FALSE(
        nlohmann::json::parse(RunCli("stats " + longPrm.string() + " --group S1737 --kind mean-absence").out)
            .contains("y2"));
    fs::remove(prm);
    fs::remove(longPrm);
}

TEST(CliStats, WrongCallsAndUnusableInput) {
    const fs::path prm = WritePrm("wrong.prm", {1, 2, 3});
    EXPECT_EQ(RunCli("stats " + prm.string() + " --group 999 --kind overview").status, 2);
    EXPECT_EQ(RunCli("stats " + prm.string() + " --group 137 --kind maximum").status, 2);
    EXPECT_EQ(RunCli("stats " + prm.string() + " --group 137").status, 2);
    EXPECT_EQ(RunCli("stats " + TempPath("missing.prm").string() + " --group 137 --kind overview").status, 1);
    EXPECT_EQ(RunCli("evaluate " + TempPath("missing.prm").string()).status, 1);
    EXPECT_EQ(RunCli("evaluate " + prm.string() + " --options " + TempPath("missing.opd").string()).status,
              1);
    const fs::path empty = WritePrm("empty.prm", {});
    EXPECT_EQ(nlohmann::json::parse(RunCli("evaluate " + empty.string()).out),
              nlohmann::json::parse(R"({"spins": 0, "balance": [], "markers": []})"));
    fs::remove(prm);
    fs::remove(empty);
}

}  // namespace
