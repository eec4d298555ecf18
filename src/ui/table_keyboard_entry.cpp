// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/table_keyboard_entry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "ui/accessibility/typed_number.h"
#include "ui/main_window.h"

namespace zentora {

namespace {

// Long enough to be seen, short enough not to slow down a player who types the next number.
constexpr int kPressedLookMs = 150;
constexpr int kHintMs = 2500;

}  // namespace

TableKeyboardEntry::TableKeyboardEntry(MainWindow& form)
    : QObject(&form), form_(form), table_(form.Canvas()) {
    setObjectName("TableKeyboardEntry");
    table_->setFocusPolicy(Qt::StrongFocus);
    table_->installEventFilter(this);

    display_ = new QLabel(table_);
    display_->setObjectName("TypedNumber");
    display_->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = display_->font();
    font.setBold(true);
    font.setPixelSize(19);
    display_->setFont(font);
    QPalette palette = display_->palette();
    palette.setColor(QPalette::WindowText, Qt::yellow);
    display_->setPalette(palette);
    // Below the recent-numbers grid, wherever the layout put it.
    if (auto* grid = table_->findChild<QWidget*>("StringGrid1")) {
        const QRect g = grid->geometry();
        display_->setGeometry(g.left(), g.bottom() + 3, std::max(150, 2 * g.width()), 26);
    }
    display_->show();
    display_->raise();

    hint_timer_ = new QTimer(this);
    hint_timer_->setSingleShot(true);
    connect(hint_timer_, &QTimer::timeout, this, [this] {
        hint_.clear();
        Show();
    });
}

void TableKeyboardEntry::EnterAsClick(int number) {
    if (number < 0 || number > 36) return;
    auto* field = table_->findChild<ClickableImage*>(number == 0 ? QStringLiteral("ZeroButton")
                                                                 : QStringLiteral("Image%1").arg(number));
    if (!field) return;
    if (field->onMouseDown) field->onMouseDown(nullptr);
    if (field->onClick) field->onClick();
    QTimer::singleShot(kPressedLookMs, field, [field] {
        if (field->onMouseUp) field->onMouseUp(nullptr);
    });
}

void TableKeyboardEntry::Type(QChar digit) {
    const QString next = typed_ + digit;
    if (ReadTypedNumber(next.toStdString()).kind == TypedNumberKind::Impossible) {
        Refuse(next);
        return;
    }
    typed_ = next;
    hint_.clear();
    Show();
}

void TableKeyboardEntry::Refuse(const QString& typed) {
    typed_.clear();
    hint_ = typed + QStringLiteral(": ") + refused_text_;
    hint_timer_->start(kHintMs);
    Show();
}

void TableKeyboardEntry::Show() {
    // Readers get the digits or the hint without the caret.
    display_->setAccessibleName(hint_.isEmpty() ? typed_ : hint_);
    if (!hint_.isEmpty())
        display_->setText(hint_);
    else if (table_->hasFocus())
        display_->setText(typed_ + QStringLiteral("_"));  // the caret says where typing goes
    else
        display_->setText(typed_);
}

bool TableKeyboardEntry::eventFilter(QObject* watched, QEvent* event) {
    if (watched != table_) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        Show();
        return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) return false;
    const int code = key->key();
    if (code >= Qt::Key_0 && code <= Qt::Key_9) {
        Type(QChar('0' + (code - Qt::Key_0)));
        return true;
    }
    switch (code) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const TypedNumber typed = ReadTypedNumber(typed_.toStdString());
            typed_.clear();
            Show();
            if (typed.kind == TypedNumberKind::Number) EnterAsClick(typed.number);
            return true;
        }
        case Qt::Key_Escape:
            typed_.clear();
            hint_.clear();
            Show();
            return true;
        case Qt::Key_Backspace:
            typed_.chop(1);
            Show();
            return true;
        default:
            return false;
    }
}

}  // namespace zentora
