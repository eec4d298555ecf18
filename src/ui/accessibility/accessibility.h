// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keyboard use and names for assistive technology (screen readers, test tools): the parts every window
// uses. Each window installs its own part once when it is built, beside the window; the names that follow
// the language are refreshed by its UpdateAccessibleNames, which is safe to call after every retranslation.

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "ui/texts/texts_hub.h"

namespace zentora {

class LanguageTable;
// A caption as a reader should say it: no accelerator marks, no trailing colon, single blanks.
QString SpokenCaption(const QString& caption);

namespace accessibility {

// A picture that acts as a button: readers see a button they can press.
class PictureButtonAccessible : public QAccessibleWidget {
  public:
    PictureButtonAccessible(QWidget* widget, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button), press_(std::move(press)) {}
    QString text(QAccessible::Text t) const override {
        // Captions drawn into the picture are kept beside it.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->property("caption").toString();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && press_) press_();
    }

  private:
    std::function<void()> press_;
};

// A window's own interface for some of its widgets, or nullptr to leave the widget to the next maker.
using AccessibleMaker = std::function<QAccessibleInterface*(QWidget*)>;
// Makers are asked before the picture buttons every window has; a window adds its maker once.
void AddAccessibleMaker(AccessibleMaker maker);
// Gives ClickableImage and ImageButton their picture-button interfaces; the first call does it.
void InstallFactoryOnce();

// Space or Enter presses a focused picture button; a frame shows which one has the focus. The buttons are
// reached by Tab only: a click leaves the focus where it was, so a grid keeps its selected cell.
class PictureButtonKeys : public QObject {
  public:
    PictureButtonKeys(QObject* parent, std::function<void(QWidget*)> press)
        : QObject(parent), press_(std::move(press)) {}

    void Watch(QLabel* button) {
        button->setFocusPolicy(Qt::TabFocus);
        QPalette palette = button->palette();
        palette.setColor(QPalette::WindowText, Qt::yellow);
        button->setPalette(palette);
        button->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QLabel*>(watched);
        if (!button) return false;
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                button->setFrameStyle(event->type() == QEvent::FocusIn ? QFrame::Box | QFrame::Plain
                                                                       : QFrame::NoFrame);
                return false;
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                const int code = key->key();
                if (code != Qt::Key_Space && code != Qt::Key_Return && code != Qt::Key_Enter) return false;
                if (!key->isAutoRepeat()) press_(button);
                return true;
            }
            default:
                return false;
        }
    }

  private:
    std::function<void(QWidget*)> press_;
};

// Runs an action whenever a window is shown: dialogs take the captions they were last given.
class OnShow : public QObject {
  public:
    OnShow(QWidget* window, std::function<void()> action) : QObject(window), action_(std::move(action)) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Show) action_();
        return false;
    }

  private:
    std::function<void()> action_;
};

// The texts in the window's language; German where the table cannot be read.
QStringList TranslatedList(const LanguageTable& language, const std::vector<std::string>& texts);

// The control name as description tells a reader which value a widget shows.
void SetDescriptionToName(QWidget* widget);

// Names now and after every change of language, once the captions have their new texts.
template <typename Window>
void FollowLanguage(Window& window) {
    QObject::connect(&TextsHub::Instance(), &TextsHub::languageChanged, &window,
                     [&window] { UpdateAccessibleNames(window); });
    UpdateAccessibleNames(window);
}

}  // namespace accessibility

}  // namespace zentora
