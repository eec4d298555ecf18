// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

#include "ui/banner/web_hosts.h"

class QLabel;
class QTimer;

namespace zentora {

// The advertising banner of the main window: every 30 seconds a random line of "Einstellungen/Banner.txt"
// gives picture, link and hint. Pictures come from the cache in "Bilder/" or over HTTP without blocking the
// window; each tick hands over its own result when its download ends.
class AdvertBanner : public QObject {
    Q_OBJECT
  public:
    AdvertBanner(QLabel* bannerWerbung, const DataFolders& folders, const WebHosts& hosts,
                 QObject* parent = nullptr);

    QTimer* RotationTimer() const { return rotation_timer_; }
    void ShowNextAdvert();
    void OpenAdvertLink();

    const QString& Link() const { return link_; }
    QString Hint() const;
    bool HasPicture() const;
    void SetLink(const QString& link) { link_ = link; }
    void SetHint(const QString& hint);
    // A picture file of the data root, or an empty name to clear the banner.
    void SetPicture(const QString& file);

    // Opens a link instead of the system's browser (tests).
    std::function<void(const QUrl&)> openUrlHook;
    // Picks a line among `count` (tests); uniform at random otherwise.
    std::function<int(int)> pickHook;

  Q_SIGNALS:
    // A tick gave the banner its picture, hint and link.
    void handedOver();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Download(const QUrl& url, const QString& cacheFile, const QString& hint, const QString& link);
    void HandOver(const QImage& picture, const QString& hint, const QString& link);

    QLabel* banner_;
    DataFolders folders_;
    WebHosts hosts_;
    QTimer* rotation_timer_;
    QNetworkAccessManager manager_;
    QString link_;
};

}  // namespace zentora
