// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace zentora::test {

// What zentora-cli printed on standard output and its exit status.
struct CliRun {
    int status;
    std::string out;
};

inline CliRun RunCli(const std::string& args) {
    std::string out;
    FILE* pipe = popen((std::string(ZENTORA_CLI) + " " + args + " 2>/dev/null").c_str(), "r");
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), out};
}

}  // namespace zentora::test
