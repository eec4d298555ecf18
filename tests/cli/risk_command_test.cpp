// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_run.h"

namespace {

namespace fs = std::filesystem;
using zentora::test::CliRun;
using zentora::test::RunCli;

// Even chances played after a miss, doubled after each loss (a box missing from the file counts as ticked).
const std::string kOptions = [] {
    std::string text = "[Aktivierung]\n";
    for (int k = 1; k <= 66; ++k) text += "Checkbox" + std::to_string(k) + (k == 9 ? "=1\n" : "=0\n");
    return text +
           "[Chance18/"
           "37]\nblau=1\npink=1\n[Einsatz]\nA1837=1\n[Einstellung]\nE1837=1\n[Maximum18]\nMaxi=500\n";
}();

struct Folder {
    fs::path path;
    explicit Folder(const std::string& name)
        : path(fs::temp_directory_path() / ("zentora_risk_" + std::to_string(::getpid()) + name)) {
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    fs::path Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
        return path / name;
    }
};

nlohmann::json Runs(const std::string& args) {
    const CliRun run = RunCli("risk " + args);
    EXPECT_EQ(run.status, 0) << args;
    return nlohmann::json::parse(run.out.empty() ? "{}" : run.out);
}

// Run k of a seed is the same whatever the threads and the shards: shards put together give the whole.
TEST(CliRisk, SameSeedSameJsonWithAnyThreadsAndShards) {
    const Folder folder("seed");
    const std::string options = " --options " + folder.Write("progression.opd", kOptions).string();
    const std::string random = " --bankroll 40 --spins 500 --seed 77" + options;
    const CliRun one = RunCli("risk --random 12 --threads 1" + random);
    const CliRun two = RunCli("risk --random 12 --threads 2" + random);
    ASSERT_EQ(one.status, 0);
    EXPECT_EQ(one.out, two.out);

    const auto whole = nlohmann::json::parse(one.out);
    ASSERT_EQ(whole["runs"].size(), 12u);
    EXPECT_EQ(whole["runs"][3]["source"], "seed:3");
    EXPECT_FALSE(whole.contains("skipped"));
    EXPECT_GT(whole["summary"]["ruined"].get<int>(), 0);
    EXPECT_LT(whole["summary"]["expected_final"].get<double>(), 0);
    auto joined = Runs("--random 5" + random)["runs"];
    const auto second = Runs("--first 5 --random 7 --threads 2" + random);
    for (const auto& run : second["runs"]) joined.push_back(run);
    EXPECT_EQ(joined, whole["runs"]);
}

// Every .prm, .txt and .xls of the folder, any letter case, in name order; what cannot be read is listed
// with its message and the rest is evaluated.
TEST(CliRisk, FolderWithABrokenFile) {
    const Folder folder("files");
    const std::string options = " --options " + folder.Write("progression.opd", kOptions).string();
    folder.Write("a.txt", "1\n3\n20\n22\n24\n");
    folder.Write("B.PRM", std::string("\x05\x11\x00\x03", 4));
    folder.Write("c.txt", "keine Zahlen\n");
    folder.Write("d.xls", "not a worksheet");
    folder.Write("notes.md", "1\n2\n");
    const auto j = Runs("--bankroll 10 --permanences " + folder.path.string() + options);
    ASSERT_EQ(j["runs"].size(), 2u);
    // Sorted byte-wise: capitals first.
    EXPECT_EQ(j["runs"][0]["source"], "B.PRM");
    EXPECT_EQ(j["runs"][0]["spins"], 4);
    EXPECT_EQ(j["runs"][1]["source"], "a.txt");
    EXPECT_EQ(j["runs"][1]["run"], 1);
    EXPECT_EQ(j["runs"][1]["spins"], 5);
    ASSERT_EQ(j["skipped"].size(), 2u);
    EXPECT_EQ(j["skipped"][0]["file"], "c.txt");
    EXPECT_NE(j["skipped"][0]["error"].get<std::string>().find("Keine Zahlen"), std::string::npos);
    EXPECT_EQ(j["skipped"][1]["file"], "d.xls");
    EXPECT_FALSE(j["skipped"][1]["error"].get<std::string>().empty());
    EXPECT_EQ(j["summary"]["runs"], 2);

    // A folder with nothing to evaluate still answers, with no figures to state.
    const Folder empty("empty");
    const auto none = Runs("--bankroll 10 --permanences " + empty.path.string() + options);
    EXPECT_EQ(none["runs"].size(), 0u);
    EXPECT_TRUE(none["summary"]["mean_final"].is_null());
}

TEST(CliRisk, WrongCallsAndUnusableInput) {
    const Folder folder("calls");
    const std::string dir = folder.path.string();
    for (const std::string& args : std::vector<std::string>{
             "--bankroll 5", "--random 3 --spins 10 --seed 1", "--bankroll 5 --random 3 --spins 10",
             "--bankroll 5 --random 3 --seed 1", "--bankroll -1 --random 3 --spins 10 --seed 1",
             "--bankroll 5 --permanences " + dir + " --random 3 --spins 10 --seed 1",
             "--bankroll 5 --permanences " + dir + " --first 2",
             "--bankroll 5 --random 3 --spins 10 --seed 1 --threads 0",
             "--bankroll 5 --random 3 --spins 10 --seed 1 --orphelin keine"}) {
        const CliRun run = RunCli("risk " + args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.out.empty()) << args;
    }
    const CliRun missing = RunCli("risk --bankroll 5 --permanences " + dir + "/nowhere");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
}

// Ctrl+C stops a long analysis at once and prints the runs completed.
TEST(CliRisk, InterruptPrintsTheRunsCompleted) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string command =
        std::string(ZENTORA_CLI) + " risk --bankroll 100 --random 1000000 --spins 2000 --seed 3 --threads 2";
    // exec: the shell becomes the program, so the signal reaches it.
    command = "exec " + command;
    std::vector<char*> argv{const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), command.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const auto sent = std::chrono::steady_clock::now();
    kill(pid, SIGINT);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    const auto took = std::chrono::steady_clock::now() - sent;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_LT(took, std::chrono::seconds(5));  // generous: the machine may be busy
    const auto j = nlohmann::json::parse(text);
    const auto runs = j["runs"].size();
    EXPECT_GT(runs, 0u);
    EXPECT_LT(runs, 1000000u);
    EXPECT_EQ(j["summary"]["runs"], runs);
}

}  // namespace
