// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the pages of the options window build with: field widgets bound to the model, named buttons, and the
// window's services that tests replace.

#include <QPushButton>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "options/options_model.h"
#include "ui/options/option_fields.h"

class QFileDialog;
class QWidget;

namespace zentora {

class ChartWorker;

// Every row of the permanence boxes has this height, so that their columns line up.
inline constexpr int kRowHeight = 20;

// The window's services, public members of the window so that tests can replace them; the pages reach them
// through the window.
struct OptionsWindowHooks {
    // The current permanence, newest spin first (for the quick settings and the charts).
    std::function<std::vector<std::uint8_t>()> permanence;
    // Runs a prepared file dialog; tests replace it to choose a file without showing one.
    std::function<bool(QFileDialog&)> fileDialogHook;
    // Shows a message; tests replace it.
    std::function<void(const QString&)> showMessage;
    // The language table's whole-text lookup; identity until a language is set.
    std::function<QString(const QString&)> translate;
    // The list and word-by-word lookups (TranslateList, TranslateWords); the texts hub's table until set.
    std::function<std::vector<std::string>(const std::vector<std::string>&)> translateList, translateWords;
    // Runs on a chart worker thread before it computes; tests hold a run or make it fail with it.
    std::function<void(ChartWorker&)> workerHook;

    std::vector<std::uint8_t> Permanence() const;
    QString Tr(const QString& text) const;
    // Chance names through the language table: numbered names word by word, the others whole. A table that
    // cannot be read leaves them German.
    std::vector<std::string> TranslateStrings(const std::vector<std::string>& texts, bool words) const;
    // True when the user chose a file.
    bool RunFileDialog(QFileDialog& dialog) const;
    void Message(QWidget* window, const QString& text) const;
};

// Creates the widgets of model fields and keeps them by field, so that a change of a field reaches its
// widget.
class BoundFields {
  public:
    explicit BoundFields(OptionsModel& model);

    OptionsModel& Model() const { return model_; }
    FieldSpinBox* Spin(FieldId id, QWidget* parent, int width = 0);
    // The check box "CheckBox<checkBox>".
    QWidget* Check(int checkBox, const QString& caption, QWidget* parent, const QString& hint = {});
    template <typename View>
    View* Bind(View* view) {
        views_[view->Id()] = view;
        return view;
    }
    // Shows the field's value and state in its widget, if it has one.
    void Sync(FieldId id) const;

  private:
    OptionsModel& model_;
    std::vector<FieldView*> views_;  // by FieldId
};

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent, int tag = 0);

// Controls that share one text carry its name in "textName" (see lang/window_texts.cpp).
template <typename W>
W* TextName(W* widget, const char* name) {
    widget->setProperty("textName", name);
    return widget;
}

// Text of the core (UTF-8) for a widget.
QString FromStd(const std::string& text);

// Runs the leave rule of the field that has the focus, as leaving it would (before a button acts).
void LeaveFocusedField();

}  // namespace zentora
