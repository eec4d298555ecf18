// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QTimer;

namespace zentora {

class MainWindow;

// Number entry on the table by keyboard: digits, Enter enters the number exactly as a click on its field,
// Escape and Backspace correct. What is typed shows in a label below the recent-numbers grid.
class TableKeyboardEntry : public QObject {
    Q_OBJECT
  public:
    explicit TableKeyboardEntry(MainWindow& form);

    // Enters 0..36 as a click on its field does: pressed look, the spin, the look released shortly after.
    void EnterAsClick(int number);
    const QString& Typed() const { return typed_; }
    QLabel* Display() const { return display_; }
    // The hint for an impossible number, in the current language.
    void SetRefusedText(const QString& text) { refused_text_ = text; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Type(QChar digit);
    void Refuse(const QString& typed);
    void Show();

    MainWindow& form_;
    QWidget* table_;
    QLabel* display_;
    QTimer* hint_timer_;
    QString typed_;
    QString hint_;
    QString refused_text_ = QStringLiteral("Nur 0 bis 36");
};

}  // namespace zentora
