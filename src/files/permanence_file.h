// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The permanence file (.prm): the permanence itself, one byte per spin, newest first, nothing else.

#include <cstdint>
#include <span>
#include <string>

#include "files/file_access.h"

namespace zentora::files {

// Writes every byte of `permanence` in index order, replacing `path` atomically.
WriteOutcome WritePermanenceBytes(std::span<const std::uint8_t> permanence, const std::string& path);

// Reads the whole file as the permanence (bytes above 36 are kept as they are). An empty file is an empty
// permanence. Fails with InUse while another process holds a write lock on the file.
ReadOutcome ReadPermanenceBytes(const std::string& path);

}  // namespace zentora::files
