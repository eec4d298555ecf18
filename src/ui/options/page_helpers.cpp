// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/page_helpers.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "lang/language_table.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

std::vector<std::uint8_t> OptionsWindowHooks::Permanence() const {
    return permanence ? permanence() : std::vector<std::uint8_t>{};
}

QString OptionsWindowHooks::Tr(const QString& text) const {
    return translate ? translate(text) : text;
}

std::vector<std::string> OptionsWindowHooks::TranslateStrings(const std::vector<std::string>& texts,
                                                              bool words) const {
    const auto& lookup = words ? translateWords : translateList;
    if (texts.empty()) return texts;
    try {
        if (lookup) return lookup(texts);
        if (const LanguageTable* table = TextsHub::Instance().Table())
            return words ? table->TranslateWords(texts) : table->TranslateList(texts);
        return texts;
    } catch (const LanguageFileError&) {
        return texts;  // the German names still say what was played
    }
}

bool OptionsWindowHooks::RunFileDialog(QFileDialog& dialog) const {
    const bool accepted = fileDialogHook ? fileDialogHook(dialog) : dialog.exec() == QDialog::Accepted;
    return accepted && !dialog.selectedFiles().isEmpty();
}

void OptionsWindowHooks::Message(QWidget* window, const QString& text) const {
    if (showMessage)
        showMessage(text);
    else
        QMessageBox::warning(window, QStringLiteral("Zentora"), text);
}

// ---------------------------------------------------------------------------------------------------------

BoundFields::BoundFields(OptionsModel& model) : model_(model), views_(model.FieldCount(), nullptr) {}

FieldSpinBox* BoundFields::Spin(FieldId id, QWidget* parent, int width) {
    auto* spin = Bind(new FieldSpinBox(model_, id, parent));
    spin->setFixedHeight(kRowHeight);
    if (width) spin->setFixedWidth(width);
    return spin;
}

QWidget* BoundFields::Check(int checkBox, const QString& caption, QWidget* parent, const QString& hint) {
    auto* box = Bind(new FieldCheckBox(model_, model_.CheckBox(checkBox), caption, parent));
    if (!hint.isEmpty()) box->setToolTip(hint);
    return box;
}

void BoundFields::Sync(FieldId id) const {
    if (FieldView* view = views_[id]) view->Sync();
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent, int tag) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (tag) button->setProperty("tag", tag);
    return button;
}

QString FromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void LeaveFocusedField() {
    if (auto* spin = qobject_cast<FieldSpinBox*>(QApplication::focusWidget())) spin->Leave();
}

}  // namespace zentora
