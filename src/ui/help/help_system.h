// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QWidget>

class QLabel;
class QTextBrowser;

namespace zentora {

// Help contexts of the windows: the contents page, the main window and the options window's tabs (the two
// first tabs share one page).
inline constexpr int kHelpContents = 28;
inline constexpr int kHelpMainWindow = 29;
inline constexpr int kHelpOptionsTabs[6] = {31, 31, 32, 33, 34, 35};

// The section of the help pages that a help context opens; empty for an unknown context.
QString HelpAnchor(int context);

// The program's help window: the HTML help pages of the current language in a browser with history.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

// Context help (F1 everywhere, help contexts from the menu), popup help in red text, and the help window.
// Installed once on the application; the help file changes with the language.
class HelpSystem : public QObject {
    Q_OBJECT
  public:
    explicit HelpSystem(QObject* parent = nullptr);
    ~HelpSystem() override;

    void SetHelpFile(const QString& path) { help_file_ = path; }
    const QString& HelpFile() const { return help_file_; }
    // The text file of the popup topics (".topic N" followed by its text).
    void SetPopupTopics(const QString& path) { popup_topics_ = path; }

    // Shows the page of a help context; shows nothing (false) when the help file is missing.
    bool ShowContext(int context);
    // Shows topic `id` of the popup topics at a screen point in red text; false when there is no such topic.
    bool ShowPopup(int id, QPoint at);
    void CloseAll();

    HelpWindow* Window() const { return window_; }
    QLabel* Popup() const { return popup_; }

    // The help context for a widget: its own or its nearest parent's "helpContext" property, for a page
    // control the active page's, else that of the options tabs of its window.
    static int ContextOf(QWidget* widget);
    // The popup topic of a widget or its nearest parent ("helpTopic" property); 0 for none.
    static int TopicOf(QWidget* widget);
    // Gives the main window and the options window's tabs their help contexts.
    static void AssignContexts(QWidget* mainWindow, QWidget* optionsWindow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString help_file_;
    QString popup_topics_;
    HelpWindow* window_ = nullptr;
    QLabel* popup_ = nullptr;
};

// The text of topic `id` in a popup topic file's contents; empty when missing.
QString PopupTopicText(const QString& contents, int id);

}  // namespace zentora
