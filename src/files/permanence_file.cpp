// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/permanence_file.h"

namespace zentora::files {

WriteOutcome WritePermanenceBytes(std::span<const std::uint8_t> permanence, const std::string& path) {
    return WriteFileAtomic(path, permanence);
}

ReadOutcome ReadPermanenceBytes(const std::string& path) {
    return ReadWholeFile(path, ReadLock::DenyWriters);
}

}  // namespace zentora::files
