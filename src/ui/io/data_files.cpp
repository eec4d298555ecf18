// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/io/data_files.h"

#include <QFile>

#include "files/file_access.h"

namespace zentora {

namespace {

constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{64} << 20;

}  // namespace

std::optional<QByteArray> ReadDataFile(const QString& path, std::uint64_t limit) {
    const files::ReadOutcome read =
        files::ReadWholeFile(QFile::encodeName(path).toStdString(), files::ReadLock::Any, limit);
    if (read.status != files::IoStatus::Ok) return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(read.bytes.data()),
                      static_cast<qsizetype>(read.bytes.size()));
}

QImage LoadImage(const QString& path) {
    const auto bytes = ReadDataFile(path, kMaxPictureBytes);
    return bytes ? QImage::fromData(*bytes) : QImage();
}

QPixmap LoadPixmap(const QString& path) {
    return QPixmap::fromImage(LoadImage(path));
}

}  // namespace zentora
