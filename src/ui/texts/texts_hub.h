// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the windows meet the language: the table of the running program, the windows whose captions
// ApplyLanguage sets, and the signal that follows every change of language.
//
// A window joins with RegisterWindow (once, after its controls exist); it leaves by being destroyed. Code
// that shows texts of its own (help, banner, accessible names, messages built later) connects to
// languageChanged, which is emitted after every caption has its new text, and looks texts up with
// TranslateText.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "lang/language_table.h"
#include "lang/window_texts.h"

class QWidget;

namespace zentora {

class TextsHub : public QObject {
    Q_OBJECT
  public:
    static TextsHub& Instance();

    // The main window's table; nullptr when no main window exists (lookups then return their input).
    void SetTable(const LanguageTable* table) { table_ = table; }
    const LanguageTable* Table() const { return table_; }
    int LanguageIndex() const { return table_ ? table_->LanguageIndex() : 0; }

    // Lookups for texts built at run time; a table that cannot be read leaves the German text.
    QString TranslateText(const QString& text) const;
    QString TranslateWordsText(const QString& text) const;
    QString Translate(const UserMessage& message) const { return Translate(table_, message); }
    // In the chosen language, or the German text when there is no readable table.
    static QString Translate(const LanguageTable* table, const UserMessage& message);

    // Takes a text before the standard handling by control name; returns true when it did. Drawn captions
    // always come this way.
    using CustomText = std::function<bool(const TextTarget& target, const QString& text)>;
    // root: the window; its controls are found by object name or by the property "textName". The window gets
    // its texts in the current language at once.
    void RegisterWindow(TextWindow window, QWidget* root, CustomText custom = {});

    // Whether the options window shows its rate blocks (the toggle button's caption depends on it).
    std::function<bool()> rateBlocksShown;

    // Sets every caption of every registered window from the table, then emits languageChanged. A table that
    // cannot be read throws LanguageFileError at the text being translated; captions set before keep their
    // new texts and languageChanged is not emitted.
    void ApplyLanguage(const LanguageTable& table);

  Q_SIGNALS:
    void languageChanged(int languageIndex);

  private:
    struct Registration {
        TextWindow window;
        QPointer<QWidget> root;
        CustomText custom;
    };
    // To every registered window, or to `only`.
    void Apply(const WindowText& text, const Registration* only);

    const LanguageTable* table_ = nullptr;
    std::vector<Registration> windows_;
};

// Sets one text on a control by its kind: action, menu, tab page, group box, label, button, combo item.
void ApplyTextTo(QObject* control, TextRole role, int item, const QString& text);

}  // namespace zentora
