// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/io/data_folders.h"

#include <string>
#include <utility>

#include "files/recovery_file.h"

namespace zentora {

namespace {

QString FromPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

}  // namespace

DataFolders::DataFolders(const QString& folder) {
    location_.shipped = location_.user = std::filesystem::path(folder.toStdString());
}

DataFolders::DataFolders(files::DataLocation location) : location_(std::move(location)) {}

QString DataFolders::Read(const QString& relative) const {
    return FromPath(location_.ReadPath(relative.toStdString()));
}

QString DataFolders::Write(const QString& relative) const {
    return FromPath(location_.WritePath(relative.toStdString()));
}

QString DataFolders::User() const {
    return FromPath(location_.user);
}

QString RecoveryFilePath(const DataFolders& folders) {
    const std::string_view name = files::kRecoveryFileName;
    return folders.Write(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace zentora
