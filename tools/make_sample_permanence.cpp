// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the bundled sample permanence: seeded spins 0..36, one byte each, newest first.
//   make_sample_permanence OUT.prm [SPINS] [SEED]
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: make_sample_permanence OUT.prm [SPINS] [SEED]\n";
        return 2;
    }
    const long spins = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 3700;
    const unsigned long seed = argc > 3 ? std::strtoul(argv[3], nullptr, 10) : 20260101;
    if (spins < 1) {
        std::cerr << "make_sample_permanence: SPINS must be at least 1\n";
        return 2;
    }
    // mt19937 and a plain modulo are fully specified, so the file is the same on every platform.
    std::mt19937 engine(static_cast<std::mt19937::result_type>(seed));
    std::vector<std::uint8_t> spinsOldestFirst(static_cast<std::size_t>(spins));
    for (auto& s : spinsOldestFirst) s = static_cast<std::uint8_t>(engine() % 37);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (auto it = spinsOldestFirst.rbegin(); it != spinsOldestFirst.rend(); ++it)
        out.put(static_cast<char>(*it));
    out.close();
    if (!out) {
        std::cerr << "make_sample_permanence: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
