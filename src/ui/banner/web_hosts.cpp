#include "ui/banner/web_hosts.h"

#include <QDir>
#include <QSettings>

#include "files/banner_list.h"

namespace zentora {

WebHosts LoadWebHosts(const QString& dataRoot) {
    WebHosts hosts;
    const QSettings ini(QDir(dataRoot).filePath("Einstellungen/Webserver.ini"), QSettings::IniFormat);
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
