// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banner/web_hosts.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include "files/banner_list.h"
#include "files/file_access.h"

namespace zentora {

WebHosts LoadWebHosts(const DataFolders& folders) {
    WebHosts hosts;
    const QString file = folders.Read("Einstellungen/Webserver.ini");
    // QSettings would wait on a pipe for ever: only a regular file is read.
    if (files::CheckRegularFile(QFile::encodeName(file).toStdString(), files::kMaxSettingsBytes) != 0)
        return hosts;
    const QSettings ini(file, QSettings::IniFormat);
    const auto server = [&](const char* key, QString& target) {
        QString value = ini.value(QStringLiteral("Webserver/") + key).toString().trimmed();
        while (value.endsWith(QLatin1Char('/'))) value.chop(1);
        target = files::IsWebAddress(value.toStdString()) ? value : QString();
    };
    server("Deutsch", hosts.german);
    server("Englisch", hosts.english);
    const QString mail = ini.value("Webserver/EMail").toString().trimmed();
    if (mail.count(QLatin1Char('@')) == 1 && !mail.contains(QLatin1Char(' ')) &&
        !mail.contains(QLatin1Char('?')))
        hosts.mail = mail;
    bool ok = false;
    const int timeout = ini.value("Webserver/Zeitlimit").toInt(&ok);
    if (ok && timeout >= 100 && timeout <= 60000) hosts.timeoutMs = timeout;
    return hosts;
}

}  // namespace zentora
