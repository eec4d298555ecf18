// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>

class QLabel;
class QScrollArea;

#include "files/banner_refresh.h"
#include "ui/banner/http_fetch.h"
#include "ui/banner/web_hosts.h"

namespace zentora {

class LanguageTable;
class AdvertBanner;
class HelpSystem;

// The about box (its lines and button get their texts from the window texts), and the owner of the language's
// help and banner set-up (Hilfe).
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(const DataFolders& folders, const LanguageTable& language, AdvertBanner* banner,
             HelpSystem* help, QWidget* parent = nullptr);
    ~AboutBox() override;

    // Help file, banner link, picture and hint, and the advertising list for the current language.
    void SetUpForLanguage();

    const WebHosts& Hosts() const { return hosts_; }
    HttpRefreshTransport& Transport() { return *transport_; }
    files::RefreshOutcome LastRefresh() const { return last_refresh_; }

    // Tests: the time the refresh takes as now, the message box and the system's link handler.
    std::function<files::DateTime()> clockHook;
    std::function<void(const QString&)> messageHook;
    std::function<void(const QUrl&)> openUrlHook;

  private:
    QLabel* MakeLinkLabel(QWidget* owner, const QString& name, const QString& href, const QString& text);
    QScrollArea* BuildLibraryList();
    void OpenLink(const QString& link);
    QString Tr(const char* text) const;

    DataFolders folders_;
    const LanguageTable& language_;
    QPointer<AdvertBanner> banner_;  // siblings under the main window may go first
    QPointer<HelpSystem> help_;
    WebHosts hosts_;
    QNetworkAccessManager manager_;
    std::unique_ptr<HttpRefreshTransport> transport_;
    files::RefreshOutcome last_refresh_ = files::RefreshOutcome::NotDue;
};

}  // namespace zentora
