// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

int RunCli(const std::string& args) {
    int status = std::system((std::string(ZENTORA_CLI) + " " + args + " >/dev/null 2>&1").c_str());
    return WEXITSTATUS(status);
}

TEST(CliCall, WrongCallsExitWithTwo) {
    EXPECT_EQ(RunCli(""), 2);
    EXPECT_EQ(RunCli("frobnicate"), 2);
    EXPECT_EQ(RunCli("replay"), 2);
    EXPECT_EQ(RunCli("replay x.prm --orphelin sideways"), 2);
    EXPECT_EQ(RunCli("--version"), 0);
}

}  // namespace
