// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/data_root.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "files/recovery_file.h"

namespace zentora {

namespace {

void CopyMissing(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (QFileInfo::exists(target)) continue;
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

}  // namespace

QString DataRoot() {
    const QString installed = QCoreApplication::applicationDirPath();
    if (QFileInfo(installed).isWritable()) return installed;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(user);
    for (const char* folder : {"Einstellungen", "Bilder", "Buttonunten", "Font", "Save"})
        CopyMissing(QDir(installed).filePath(folder), QDir(user).filePath(folder));
    return user;
}

QString RecoveryFilePath(const QString& dataRoot) {
    const std::string_view name = files::kRecoveryFileName;
    return QDir(dataRoot).filePath(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace zentora
