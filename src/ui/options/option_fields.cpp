// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/option_fields.h"

#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionSpinBox>
#include <cmath>
#include <limits>

#include "options/window_rules.h"

namespace zentora {

namespace {

std::int32_t Saturate32(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v);
}

// Keys that the dialog handles (focus moves, default and cancel), never typed into a field.
bool IsDialogKey(int key) {
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Escape;
}

}  // namespace

void ShowEnabledLook(QWidget* widget, bool enabled, QPalette::ColorRole enabledRole) {
    widget->setEnabled(enabled);
    // Labels of check and radio buttons fill their background only to show the disabled colour.
    if (enabledRole == QPalette::Window) widget->setAutoFillBackground(!enabled);
    const QPalette app = QApplication::palette(widget);
    QPalette p = widget->palette();
    const QColor colour = enabled ? app.color(QPalette::Active, enabledRole) : app.color(QPalette::Midlight);
    if (p.color(QPalette::Disabled, enabledRole) == colour &&
        p.color(QPalette::Active, enabledRole) == colour)
        return;
    p.setColor(QPalette::All, enabledRole, colour);
    widget->setPalette(p);
}

// ---------------------------------------------------------------------------------------------------------

FieldSpinBox::FieldSpinBox(OptionsModel& model, FieldId id, QWidget* parent)
    : QAbstractSpinBox(parent), FieldView(model, id) {
    const OptionField& f = model.Field(id);
    setObjectName(QString::fromStdString(f.name));
    setProperty("tag", f.tag);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    if (f.role == FieldRole::BisRunde) lineEdit()->setMaxLength(7);
    connect(lineEdit(), &QLineEdit::textEdited, this, &FieldSpinBox::TextEdited);
    Sync();
}

QString FieldSpinBox::Format(const OptionField& field, std::int32_t value) {
    if (field.kind != FieldKind::Decimal) return QString::number(value);
    const std::int64_t v = value;
    const std::int64_t a = v < 0 ? -v : v;
    return QStringLiteral("%1%2,%3")
        .arg(v < 0 ? QStringLiteral("-") : QString())
        .arg(a / 1000)
        .arg(a % 1000, 3, 10, QLatin1Char('0'));
}

bool FieldSpinBox::Parse(const OptionField& field, const QString& text, std::int64_t& value) {
    QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    if (field.kind != FieldKind::Decimal) {
        value = t.toLongLong(&ok);
        return ok;
    }
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    for (QChar c : t)
        if (!c.isDigit() && c != u'.' && c != u'-' && c != u'+') return false;
    const double percent = t.toDouble(&ok);
    if (!ok || !std::isfinite(percent)) return false;
    const double milli = std::nearbyint(percent * 1000.0);
    value = milli < -9e18  ? std::numeric_limits<std::int64_t>::min()
            : milli > 9e18 ? std::numeric_limits<std::int64_t>::max()
                           : static_cast<std::int64_t>(milli);
    return true;
}

void FieldSpinBox::ShowText() {
    const OptionField& f = model_.Field(id_);
    const QString text = Format(f, f.value);
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void FieldSpinBox::Sync() {
    if (!typing_) ShowText();
    ShowEnabledLook(this, model_.Field(id_).enabled, QPalette::Base);
}

void FieldSpinBox::TextEdited(const QString& text) {
    entered_ = true;
    const OptionField& f = model_.Field(id_);
    std::int64_t v = 0;
    if (!Parse(f, text, v)) v = f.lower;  // empty or not a number reads as the lower bound
    const std::int32_t before = f.value;
    typing_ = true;
    model_.SetTyped(id_, Saturate32(v));
    if (model_.Value(id_) != before) RunChangeRules(model_, id_);
    typing_ = false;
}

void FieldSpinBox::Leave() {
    if (!entered_) return;
    entered_ = false;
    LeaveField(model_, id_);
    ShowText();
}

void FieldSpinBox::stepBy(int steps) {
    const OptionField& f = model_.Field(id_);
    if (!f.enabled) return;
    entered_ = true;
    const std::int64_t increment = f.kind == FieldKind::Decimal ? 1000 : 1;
    model_.Set(id_, static_cast<std::int64_t>(f.value) + steps * increment);
    ShowText();
}

QValidator::State FieldSpinBox::validate(QString&, int&) const {
    return QValidator::Acceptable;  // anything may be typed; the key filters decide what reaches the text
}

QAbstractSpinBox::StepEnabled FieldSpinBox::stepEnabled() const {
    const OptionField& f = model_.Field(id_);
    if (!f.enabled || isReadOnly()) return StepNone;
    if (f.lower == f.upper) return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (f.value < f.upper) e |= StepUpEnabled;
    if (f.value > f.lower) e |= StepDownEnabled;
    return e;
}

QSize FieldSpinBox::sizeHint() const {
    ensurePolished();
    const OptionField& f = model_.Field(id_);
    const QFontMetrics fm(font());
    const int w =
        std::max(fm.horizontalAdvance(Format(f, f.lower)), fm.horizontalAdvance(Format(f, f.upper)));
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize content(w + fm.horizontalAdvance(QLatin1Char(' ')) + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, content, this);
}

QSize FieldSpinBox::minimumSizeHint() const {
    return sizeHint();
}

void FieldSpinBox::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const int key = event->key();
    const bool typed = !text.isEmpty() && key != Qt::Key_Delete && !IsDialogKey(key);
    if (UsesDigitFilter(model_, id_)) {
        if (typed && !IsDigitKey(text.at(0).unicode())) {
            event->accept();  // dropped
            return;
        }
    } else if (UsesStartKeyFilter(model_, id_)) {
        // Arrow stepping comes first; every other key's own handling is replaced by that of the "1" key,
        // which an edit ignores. Typed characters still arrive as characters.
        const bool stepping =
            key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
        if (!stepping && !typed && !IsDialogKey(key) && FilterRateStartKey(key) != key) {
            event->accept();
            return;
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void FieldSpinBox::focusInEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusInEvent(event);
    entered_ = true;
}

void FieldSpinBox::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    // A dialog or menu popping up does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
    Leave();
}

// ---------------------------------------------------------------------------------------------------------

FieldCheckBox::FieldCheckBox(OptionsModel& model, FieldId id, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent), FieldView(model, id) {
    const OptionField& f = model.Field(id);
    setObjectName(QString::fromStdString(f.name));
    setProperty("tag", f.tag);
    connect(this, &QCheckBox::clicked, this, [this](bool checked) {
        model_.Set(id_, checked ? 1 : 0);
        Sync();
    });
    Sync();
}

void FieldCheckBox::Sync() {
    const OptionField& f = model_.Field(id_);
    if (isChecked() != (f.value != 0)) setChecked(f.value != 0);
    ShowEnabledLook(this, f.enabled, QPalette::Window);  // a disabled check box keeps its tick
}

// ---------------------------------------------------------------------------------------------------------

const QStringList& FieldComboBox::TechniqueItems() {
    static const QStringList items{"Einsatz bleibt gleich",    "Einfache Martingale",
                                   "Amerikanische Martingale", "Supermartingale",
                                   "Whittacker-Progression",   "Verdreifachung"};
    return items;
}

FieldComboBox::FieldComboBox(OptionsModel& model, FieldId id, QWidget* parent)
    : QComboBox(parent), FieldView(model, id) {
    setObjectName(QString::fromStdString(model.Field(id).name));
    addItems(TechniqueItems());
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(this, &QComboBox::activated, this, [this](int index) {
        model_.Set(id_, index);
        Sync();
    });
    Sync();
}

void FieldComboBox::Sync() {
    const OptionField& f = model_.Field(id_);
    if (currentIndex() != f.value) {
        const QSignalBlocker block(this);
        setCurrentIndex(f.value);  // -1: no item selected
    }
    ShowEnabledLook(this, f.enabled, QPalette::Base);
}

// ---------------------------------------------------------------------------------------------------------

FieldRadioButton::FieldRadioButton(OptionsModel& model, FieldId id, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent), FieldView(model, id) {
    setObjectName(QString::fromStdString(model.Field(id).name));
    setAutoExclusive(false);
    connect(this, &QRadioButton::clicked, this, [this] {
        model_.Set(id_, 1);
        Sync();
    });
    Sync();
}

void FieldRadioButton::Sync() {
    const OptionField& f = model_.Field(id_);
    if (isChecked() != (f.value != 0)) setChecked(f.value != 0);
    ShowEnabledLook(this, f.enabled, QPalette::Window);
}

// ---------------------------------------------------------------------------------------------------------

QColor FieldColorButton::ToColor(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(v & 0xff, (v >> 8) & 0xff, (v >> 16) & 0xff);
}

std::int32_t FieldColorButton::FromColor(const QColor& color) {
    return 65536 * color.blue() + 256 * color.green() + color.red();
}

FieldColorButton::FieldColorButton(OptionsModel& model, FieldId id, QWidget* parent)
    : QPushButton(parent), FieldView(model, id) {
    setObjectName(QString::fromStdString(model.Field(id).name));
    setIconSize(QSize(48, 14));
    connect(this, &QPushButton::clicked, this, [this] {
        const QColor current = ToColor(model_.Value(id_));
        const QColor chosen =
            chooseColor ? chooseColor(current)
                        : QColorDialog::getColor(current, this, QString(), QColorDialog::DontUseNativeDialog);
        if (chosen.isValid()) model_.Set(id_, FromColor(chosen));
    });
    Sync();
}

void FieldColorButton::Sync() {
    QPixmap swatch(iconSize());
    swatch.fill(ToColor(model_.Value(id_)));
    QPainter painter(&swatch);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    setIcon(QIcon(swatch));
}

// ---------------------------------------------------------------------------------------------------------

FieldToggleButton::FieldToggleButton(OptionsModel& model, FieldId id, QWidget* parent)
    : QPushButton(parent), FieldView(model, id) {
    setObjectName(QString::fromStdString(model.Field(id).name));
    setCheckable(true);
    connect(this, &QPushButton::clicked, this, [this] {
        ToggleRateBlocks(model_);
        Sync();
    });
    Sync();
}

void FieldToggleButton::Sync() {
    const bool down = model_.Value(id_) != 0;
    if (isChecked() != down) setChecked(down);
    const QString caption = QString::fromUtf8(RateBlockCaption(model_));
    setText(translate ? translate(caption) : caption);
}

}  // namespace zentora
