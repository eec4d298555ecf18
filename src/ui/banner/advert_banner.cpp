// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/banner/advert_banner.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QPixmap>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTimer>

#include "files/banner_list.h"
#include "ui/banner/http_fetch.h"
#include "ui/io/data_files.h"

namespace zentora {

namespace {

std::string Authority(const QString& server) {
    return files::AddressAuthority(server.toStdString());
}

}  // namespace

AdvertBanner::AdvertBanner(QLabel* bannerWerbung, const DataFolders& folders, const WebHosts& hosts,
                           QObject* parent)
    : QObject(parent), banner_(bannerWerbung), folders_(folders), hosts_(hosts) {
    setObjectName("WerbeBanner");
    banner_->setScaledContents(true);
    banner_->setCursor(Qt::PointingHandCursor);
    banner_->installEventFilter(this);
    rotation_timer_ = new QTimer(this);
    rotation_timer_->setObjectName("Timer1");
    rotation_timer_->setInterval(30000);
    connect(rotation_timer_, &QTimer::timeout, this, &AdvertBanner::ShowNextAdvert);
    rotation_timer_->start();
}

QString AdvertBanner::Hint() const {
    return banner_->toolTip();
}

bool AdvertBanner::HasPicture() const {
    return !banner_->pixmap().isNull();
}

void AdvertBanner::SetHint(const QString& hint) {
    banner_->setToolTip(hint);
}

void AdvertBanner::SetPicture(const QString& file) {
    banner_->setPixmap(file.isEmpty() ? QPixmap() : LoadPixmap(folders_.Read(file)));
}

void AdvertBanner::ShowNextAdvert() {
    // Without a server the banner keeps what it shows and nothing is fetched.
    if (!hosts_.AnyServer()) return;
    const auto list = ReadDataFile(folders_.Read("Einstellungen/Banner.txt"), kMaxListBytes);
    if (!list) return;
    const std::vector<std::string> lines = files::SplitListLines(list->toStdString());
    if (lines.empty()) return;
    const int count = static_cast<int>(lines.size());
    const int pick = pickHook ? std::clamp(pickHook(count), 0, count - 1)
                              : static_cast<int>(QRandomGenerator::global()->bounded(count));
    const files::BannerLine line = files::SplitBannerLine(lines[pick]);
    const QString url = QString::fromStdString(line.pictureUrl);
    const QString hint = QString::fromStdString(line.hint);
    const QString link = QString::fromStdString(line.link);

    std::optional<std::string> cached;
    for (const QString& server : {hosts_.german, hosts_.english})
        if (!cached && !server.isEmpty())
            cached = files::CachedPictureName(line.pictureUrl, Authority(server));
    if (cached) {
        const QString file = folders_.Write("Bilder/" + QString::fromStdString(*cached));
        if (QFileInfo::exists(file)) {
            HandOver(LoadImage(file), hint, link);
            return;
        }
        Download(QUrl(url), file, hint, link);
        return;
    }
    Download(QUrl(url), QString(), hint, link);
}

void AdvertBanner::Download(const QUrl& url, const QString& cacheFile, const QString& hint,
                            const QString& link) {
    if (!files::IsWebAddress(url.toString().toStdString())) {
        HandOver(QImage(), hint, link);
        return;
    }
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(hosts_.timeoutMs);
    QNetworkReply* reply = manager_.get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > kMaxPictureBytes || total > kMaxPictureBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, cacheFile, hint, link] {
        reply->deleteLater();
        QImage picture;
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
            const QByteArray bytes = reply->read(kMaxPictureBytes + 1);
            if (bytes.size() <= kMaxPictureBytes) picture = QImage::fromData(bytes);
            // Only a picture that decodes is kept: a cached file is never fetched again.
            if (!picture.isNull() && !cacheFile.isEmpty() && !QFileInfo::exists(cacheFile)) {
                QDir().mkpath(QFileInfo(cacheFile).path());
                QSaveFile save(cacheFile);
                if (save.open(QIODevice::WriteOnly) && save.write(bytes) == bytes.size()) save.commit();
            }
        }
        HandOver(picture, hint, link);
    });
}

void AdvertBanner::HandOver(const QImage& picture, const QString& hint, const QString& link) {
    banner_->setToolTip(hint);
    link_ = link;
    banner_->setPixmap(QPixmap::fromImage(picture));
    Q_EMIT handedOver();
}

void AdvertBanner::OpenAdvertLink() {
    // Lists come from the network: only web addresses are handed to the browser.
    if (!files::IsWebAddress(link_.toStdString())) return;
    const QUrl url(link_);
    if (openUrlHook)
        openUrlHook(url);
    else
        QDesktopServices::openUrl(url);
}

bool AdvertBanner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == banner_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        banner_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        OpenAdvertLink();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace zentora
