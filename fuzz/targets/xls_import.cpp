// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet import: any bytes as a BIFF2 record stream. Only spins may come out.

#include <cstdlib>

#include "files/xls.h"
#include "fuzz_support.h"

using namespace zentora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const files::XlsImport result = files::ParseXlsPermanence(fuzz::Bytes(data, size));
    // An INTEGER record takes 13 bytes at least.
    if (result.spins.size() > size / 13) std::abort();
    for (std::uint8_t spin : result.spins)
        if (spin > 36) std::abort();
    return 0;
}
