// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banner/http_fetch.h"

#include <QDateTime>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace zentora {

FetchResult FetchBlocking(QNetworkAccessManager& manager, const QUrl& url, bool headOnly, int timeoutMs,
                          qint64 maxBytes) {
    FetchResult result;
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https")) return result;
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = headOnly ? manager.head(request) : manager.get(request);
    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64 total) {
        if (!headOnly && (received > maxBytes || total > maxBytes)) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline.start(timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.ok = !tooLarge && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    if (result.ok) {
        result.body = reply->read(maxBytes + 1);
        if (result.body.size() > maxBytes) result.ok = false, result.body.clear();
        const QDateTime modified = reply->header(QNetworkRequest::LastModifiedHeader).toDateTime();
        if (modified.isValid()) result.lastModified = modified.toSecsSinceEpoch();
    }
    reply->deleteLater();
    return result;
}

bool SystemReportsConnection() {
    static const bool loaded =
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation* info = loaded ? QNetworkInformation::instance() : nullptr;
    return !info || info->reachability() != QNetworkInformation::Reachability::Disconnected;
}

bool HttpRefreshTransport::Connected() {
    return connectedHook ? connectedHook() : SystemReportsConnection();
}

files::HeadAnswer HttpRefreshTransport::Head(const std::string& address) {
    const FetchResult r = FetchBlocking(manager_, QUrl(QString::fromStdString(address)), true, timeout_, 0);
    return {r.ok, r.lastModified};
}

files::GetAnswer HttpRefreshTransport::Get(const std::string& address) {
    const FetchResult r =
        FetchBlocking(manager_, QUrl(QString::fromStdString(address)), false, timeout_, kMaxListBytes);
    return {r.ok, r.body.toStdString(), r.lastModified};
}

}  // namespace zentora
