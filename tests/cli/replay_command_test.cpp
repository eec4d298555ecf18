// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "cli/cli_run.h"

namespace {

namespace fs = std::filesystem;

using zentora::test::CliRun;
using zentora::test::RunCli;

fs::path WritePrm(const std::string& name, const std::vector<std::uint8_t>& newestFirst) {
    const fs::path path = fs::temp_directory_path() / ("zentora_replay_" + std::to_string(::getpid()) + name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(newestFirst.data()),
               static_cast<std::streamsize>(newestFirst.size()));
    return path;
}

std::vector<std::uint8_t> RandomSpins(std::size_t count, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> spins(count);
    for (auto& s : spins) s = static_cast<std::uint8_t>(rng() % 37);
    return spins;
}

TEST(CliReplay, PrintsThePlayState) {
    const fs::path prm = WritePrm("small.prm", {5, 17});  // 17 came first, then 5
    const fs::path allOn = WritePrm("all_on.opd", {});    // no keys: every check box on
    const CliRun run = RunCli("replay " + prm.string() + " --options " + allOn.string());
    fs::remove(allOn);
    ASSERT_EQ(run.status, 0);
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["spins"], 2);
    for (const char* key : {"absence", "hits", "rate", "rate_signal", "progression_step", "slot_stake"})
        EXPECT_EQ(j[key].size(), 1786u) << key;
    for (const char* key : {"position_stake_raw", "position_stake"}) EXPECT_EQ(j[key].size(), 157u) << key;
    EXPECT_TRUE(j["played_slot"].is_number_integer());
    EXPECT_TRUE(j["signal_list"].is_array());
    EXPECT_EQ(j["absence"][17], 1);
    EXPECT_EQ(j["absence"][5], 0);
    EXPECT_EQ(j["hits"][1435], 2);  // Orphelins count 17 twice
    EXPECT_EQ(j["rate"][5], 50000);
    fs::remove(prm);
}

TEST(CliReplay, LiveEntryAgreesWithTheReplay) {
    const fs::path shortPrm = WritePrm("short.prm", RandomSpins(400, 1));
    const CliRun replay = RunCli("replay " + shortPrm.string());
    const CliRun live = RunCli("replay " + shortPrm.string() + " --live");
    ASSERT_EQ(replay.status, 0);
    ASSERT_EQ(live.status, 0);
    EXPECT_EQ(nlohmann::json::parse(replay.out), nlohmann::json::parse(live.out));

    const fs::path longPrm = WritePrm("long.prm", RandomSpins(2500, 2));
    const auto a = nlohmann::json::parse(RunCli("replay " + longPrm.string() + " --orphelin cheval").out);
    const auto b =
        nlohmann::json::parse(RunCli("replay " + longPrm.string() + " --orphelin cheval --live").out);
    EXPECT_EQ(a["spins"], 2500);
    for (const char* key : {"spins", "absence", "hits", "rate"}) EXPECT_EQ(a[key], b[key]) << key;
    fs::remove(shortPrm);
    fs::remove(longPrm);
}

TEST(CliReplay, UnreadableFileExitsWithOne) {
    const CliRun run = RunCli("replay /nonexistent/zentora.prm");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty());
}

}  // namespace

namespace {

// A named pipe given as the permanence is refused at once (opening it for reading would wait for a writer
// for ever), with exit status 1 and a message naming it.
TEST(CliReplay, APipeIsRefusedPromptly) {
    const fs::path fifo =
        fs::temp_directory_path() / ("zentora_replay_" + std::to_string(::getpid()) + "x.prm");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // `timeout` ends a blocked run with status 124.
    FILE* pipe =
        popen(("timeout 20 " + std::string(ZENTORA_CLI) + " replay " + fifo.string() + " 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    fs::remove(fifo);
    EXPECT_EQ(WEXITSTATUS(status), 1) << out;
    EXPECT_EQ(out, "zentora-cli: Die Datei " + fifo.string() +
                       " kann nicht gelesen werden: keine gewöhnliche Datei (Pipe, Gerät oder Socket)\n");
}

}  // namespace
