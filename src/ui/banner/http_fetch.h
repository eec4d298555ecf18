// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QUrl>
#include <functional>
#include <optional>

#include "files/banner_refresh.h"

class QNetworkAccessManager;

namespace zentora {

// Largest advertising list and banner picture accepted; both are small files.
inline constexpr qint64 kMaxListBytes = 256 * 1024;
inline constexpr qint64 kMaxPictureBytes = 1024 * 1024;

struct FetchResult {
    bool ok = false;  // a success status, within the time and size limits
    QByteArray body;
    std::optional<files::DateTime> lastModified;
};

// One HEAD or GET request, waited for in a local event loop that takes no user input. Redirects are followed
// (never from https to http); the whole request is cut off after timeoutMs.
FetchResult FetchBlocking(QNetworkAccessManager& manager, const QUrl& url, bool headOnly, int timeoutMs,
                          qint64 maxBytes);

// The refresh's network side over Qt Network.
class HttpRefreshTransport : public files::RefreshTransport {
  public:
    HttpRefreshTransport(QNetworkAccessManager& manager, int timeoutMs)
        : manager_(manager), timeout_(timeoutMs) {}

    // Replaces the system's connection state (tests).
    std::function<bool()> connectedHook;

    bool Connected() override;
    files::HeadAnswer Head(const std::string& address) override;
    files::GetAnswer Get(const std::string& address) override;

  private:
    QNetworkAccessManager& manager_;
    int timeout_;
};

// The system's connection state; an unknown state counts as connected.
bool SystemReportsConnection();

}  // namespace zentora
