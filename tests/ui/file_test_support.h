// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing whole files in the window tests.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace zentora::testing {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Fails the calling test when the file cannot be written.
inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

}  // namespace zentora::testing
