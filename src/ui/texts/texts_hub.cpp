// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/texts/texts_hub.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <span>

namespace zentora {

TextsHub& TextsHub::Instance() {
    static TextsHub hub;
    return hub;
}

QString TextsHub::TranslateText(const QString& text) const {
    if (!table_) return text;
    try {
        return QString::fromStdString(table_->TranslateText(text.toStdString()));
    } catch (const LanguageFileError&) {
        return text;
    }
}

QString TextsHub::Translate(const LanguageTable* table, const UserMessage& message) {
    try {
        if (table) return QString::fromStdString(table->Translate(message));
    } catch (const LanguageFileError&) {
    }
    return QString::fromStdString(GermanText(message));
}

QString TextsHub::TranslateWordsText(const QString& text) const {
    if (!table_) return text;
    try {
        return QString::fromStdString(table_->TranslateWordsText(text.toStdString()));
    } catch (const LanguageFileError&) {
        return text;
    }
}

void TextsHub::RegisterWindow(TextWindow window, QWidget* root, CustomText custom) {
    std::erase_if(windows_, [&](const Registration& r) { return !r.root || r.root == root; });
    windows_.push_back({window, root, std::move(custom)});
    // A window created late starts in the current language; if the table cannot be read, in German.
    const Registration only = windows_.back();
    const bool shown = rateBlocksShown && rateBlocksShown();
    const LanguageTable german;
    const auto apply = [&](const WindowText& text) { Apply(text, &only); };
    try {
        ComposeWindowTexts(table_ ? *table_ : german, shown, apply);
    } catch (const LanguageFileError&) {
        ComposeWindowTexts(german, shown, apply);
    }
}

void TextsHub::ApplyLanguage(const LanguageTable& table) {
    std::erase_if(windows_, [](const Registration& r) { return !r.root; });
    const bool shown = rateBlocksShown && rateBlocksShown();
    ComposeWindowTexts(table, shown, [this](const WindowText& text) { Apply(text, nullptr); });
    Q_EMIT languageChanged(table.LanguageIndex());
}

void TextsHub::Apply(const WindowText& text, const Registration* only) {
    const TextTarget& target = *text.target;
    const QString value = QString::fromStdString(text.text);
    for (const Registration& r : only ? std::span(only, 1) : std::span(windows_)) {
        if (r.window != target.window || !r.root) continue;
        if (r.custom && r.custom(target, value)) continue;
        if (target.control.empty()) {
            ApplyTextTo(r.root, target.role, target.item, value);
            continue;
        }
        const QString name =
            QString::fromUtf8(target.control.data(), static_cast<qsizetype>(target.control.size()));
        for (QObject* child : r.root->findChildren<QObject*>()) {
            if (child->objectName() == name || child->property("textName").toString() == name)
                ApplyTextTo(child, target.role, target.item, value);
        }
    }
}

void ApplyTextTo(QObject* control, TextRole role, int item, const QString& text) {
    auto* widget = qobject_cast<QWidget*>(control);
    switch (role) {
        case TextRole::Hint:
            if (widget) widget->setToolTip(text);
            if (auto* action = qobject_cast<QAction*>(control)) action->setToolTip(text);
            return;
        case TextRole::Title:
            if (widget) widget->setWindowTitle(text);
            return;
        case TextRole::Item:
            if (auto* box = qobject_cast<QComboBox*>(control); box && item < box->count())
                box->setItemText(item, text);
            return;
        case TextRole::Drawn:
            return;  // the window's own
        case TextRole::Caption:
            break;
    }
    if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
        box->setTitle(text);
    } else if (widget && widget->parentWidget() && qobject_cast<QStackedWidget*>(widget->parentWidget())) {
        // A tab page: its caption belongs to the tab bar of the page control around it.
        if (auto* tabs = qobject_cast<QTabWidget*>(widget->parentWidget()->parentWidget()))
            tabs->setTabText(tabs->indexOf(widget), text);
    }
}

}  // namespace zentora
