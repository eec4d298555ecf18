// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading the program's own files from the window side. Qt opens a file for reading in a way that waits
// for a writer when the path is a pipe, so the windows read through the core's reader, which takes only a
// regular file within its limit.

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <cstdint>
#include <optional>

namespace zentora {

// The whole file, or nullopt when it is no regular file of at most `limit` bytes or cannot be read.
std::optional<QByteArray> ReadDataFile(const QString& path, std::uint64_t limit);

// A picture (chips, table, banner, letters); a null picture when the file is no regular file of a
// sensible size.
QImage LoadImage(const QString& path);
QPixmap LoadPixmap(const QString& path);

}  // namespace zentora
