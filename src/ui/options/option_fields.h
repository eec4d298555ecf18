// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Widgets that each show one field of the options model and hand the user's changes back to it. They keep
// no rule: the model clamps, the window rules react.

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "options/options_model.h"

namespace zentora {

// Common part of the field widgets: the window calls Sync() whenever the model reports a change of the field.
class FieldView {
  public:
    FieldView(OptionsModel& model, FieldId id) : model_(model), id_(id) {}
    virtual ~FieldView() = default;
    FieldId Id() const { return id_; }
    virtual void Sync() = 0;

  protected:
    OptionsModel& model_;
    FieldId id_;
};

// Enabled fields in the window colour, disabled ones in the light 3-D colour.
void ShowEnabledLook(QWidget* widget, bool enabled, QPalette::ColorRole enabledRole);

// An integer or three-decimal field. Typing does not clamp: the typed value goes to the model as it is, the
// leave rule of the field sees it, and the value is clamped when the field is left.
class FieldSpinBox final : public QAbstractSpinBox, public FieldView {
    Q_OBJECT
  public:
    FieldSpinBox(OptionsModel& model, FieldId id, QWidget* parent = nullptr);

    void Sync() override;
    // Runs the leave rule once after the field had the focus (also called before a button acts).
    void Leave();

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The text the field shows for a value.
    static QString Format(const OptionField& field, std::int32_t value);
    // The value of a typed text; false when the text is no number.
    static bool Parse(const OptionField& field, const QString& text, std::int64_t& value);

  protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void TextEdited(const QString& text);
    void ShowText();

    bool typing_ = false;  // the model change comes from this field's own text
    bool entered_ = false;
};

class FieldCheckBox final : public QCheckBox, public FieldView {
    Q_OBJECT
  public:
    FieldCheckBox(OptionsModel& model, FieldId id, const QString& caption, QWidget* parent = nullptr);
    void Sync() override;
};

// The technique box with its six items.
class FieldComboBox final : public QComboBox, public FieldView {
    Q_OBJECT
  public:
    FieldComboBox(OptionsModel& model, FieldId id, QWidget* parent = nullptr);
    void Sync() override;
    static const QStringList& TechniqueItems();
};

// The model keeps the two Orphelin buttons exclusive.
class FieldRadioButton final : public QRadioButton, public FieldView {
    Q_OBJECT
  public:
    FieldRadioButton(OptionsModel& model, FieldId id, const QString& caption, QWidget* parent = nullptr);
    void Sync() override;
};

// A colour button: shows the colour and opens a colour dialog. Colours are 65536 x blue + 256 x green + red.
class FieldColorButton final : public QPushButton, public FieldView {
    Q_OBJECT
  public:
    FieldColorButton(OptionsModel& model, FieldId id, QWidget* parent = nullptr);
    void Sync() override;
    static QColor ToColor(std::int32_t value);
    static std::int32_t FromColor(const QColor& color);
    // Replaces the colour dialog (tests).
    std::function<QColor(const QColor&)> chooseColor;
};

// SpeedButton1: a toggle whose click runs the window's rule and whose caption names the settings page shown.
class FieldToggleButton final : public QPushButton, public FieldView {
    Q_OBJECT
  public:
    FieldToggleButton(OptionsModel& model, FieldId id, QWidget* parent = nullptr);
    void Sync() override;
    std::function<QString(const QString&)> translate;
};

}  // namespace zentora
