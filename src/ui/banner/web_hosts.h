// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/io/data_folders.h"

namespace zentora {

// The maker's web servers and addresses, read from "Einstellungen/Webserver.ini" so that a packager, a test
// or another installation can set them. None is set as shipped: without a server the program asks the network
// nothing and shows no web link.
struct WebHosts {
    QString german;        // empty: no server
    QString english;       // empty: no server
    QString mail;          // empty: no address
    int timeoutMs = 5000;  // per request; the refresh blocks the window while it runs

    bool AnyServer() const { return !german.isEmpty() || !english.isEmpty(); }
    // The site the about box names: the German server's, else the English one's.
    const QString& WebSite() const { return german.isEmpty() ? english : german; }
    // Home page (the banner link) and the advertising list of a server; empty without a server.
    static QString HomePage(const QString& server) {
        return server.isEmpty() ? QString() : server + QLatin1Char('/');
    }
    static QString AdvertList(const QString& server) {
        return server.isEmpty() ? QString() : server + QStringLiteral("/banner/468x60.txt");
    }
};

// Values that are not http(s) addresses (or, for the mail, not an address) count as not set.
WebHosts LoadWebHosts(const DataFolders& folders);

}  // namespace zentora
