#pragma once

#include <QString>

namespace zentora {

// The maker's web servers and addresses, read from "Einstellungen/Webserver.ini" so that a test or another
// installation can point them elsewhere. Values that are not http(s) addresses keep their defaults.
struct WebHosts {
    QString german = QStringLiteral("https://www.zentora.de");
    QString english = QStringLiteral("https://www.zentora.com");
    QString mail = QStringLiteral("info@zentora.de");
    int timeoutMs = 5000;  // per request; the refresh blocks the window while it runs

    // Home page (the banner link) and the advertising list of a server.
    static QString HomePage(const QString& server) { return server + QLatin1Char('/'); }
    static QString AdvertList(const QString& server) { return server + QStringLiteral("/banner/468x60.txt"); }
};

WebHosts LoadWebHosts(const QString& dataRoot);

}  // namespace zentora
