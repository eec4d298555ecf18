// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's part of keyboard use and screen-reader names: chips, number fields, table entry.

#include <QAccessible>
#include <QLineEdit>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/accessibility/accessibility.h"
#include "ui/accessibility/position_names.h"
#include "ui/main_window.h"
#include "ui/table_keyboard_entry.h"

namespace zentora {

namespace {

using accessibility::PictureButtonAccessible;

// A chip says where it lies and what it holds, read when asked so it is never behind the table.
class ChipAccessible : public QAccessibleWidget {
  public:
    ChipAccessible(QWidget* widget, int position)
        : QAccessibleWidget(widget, QAccessible::Graphic), position_(position) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        auto* window = qobject_cast<MainWindow*>(widget()->window());
        if (!window || position_ < 0 || position_ >= kPositionCount) return QAccessibleWidget::text(t);
        const int stake = window->Session().State().positionStake[position_];
        return widget()->property("positionName").toString() + QStringLiteral(": ") + QString::number(stake);
    }

  private:
    int position_;
};

void EnterFromTable(QWidget* field, int number) {
    auto* window = qobject_cast<MainWindow*>(field->window());
    if (!window) return;
    if (auto* entry = window->findChild<TableKeyboardEntry*>("TableKeyboardEntry"))
        entry->EnterAsClick(number);
}

// Chips, and the number fields of the table entered as a click on them.
QAccessibleInterface* MakeTableAccessible(QWidget* widget) {
    auto* image = qobject_cast<ClickableImage*>(widget);
    if (!image || !qobject_cast<MainWindow*>(image->window())) return nullptr;
    const QString name = image->objectName();
    if (name.startsWith(QLatin1String("Images"))) return new ChipAccessible(image, name.mid(6).toInt());
    const QVariant tag = image->property("tag");
    if (!tag.isValid()) return nullptr;
    const int number = tag.toInt();
    if (number < 0 || number > 36) return nullptr;
    return new PictureButtonAccessible(image, [image, number] { EnterFromTable(image, number); });
}

}  // namespace

void InstallAccessibility(MainWindow& window) {
    static const bool makerAdded = [] {
        accessibility::AddAccessibleMaker(&MakeTableAccessible);
        return true;
    }();
    (void)makerAdded;
    accessibility::InstallFactoryOnce();
    QWidget* table = window.Canvas();
    new TableKeyboardEntry(window);  // owned by the window

    for (int n = 0; n <= 36; ++n) {
        auto* field = table->findChild<QWidget*>(n == 0 ? QStringLiteral("ZeroButton")
                                                        : QStringLiteral("Image%1").arg(n));
        if (field) field->setAccessibleName(QString::number(n));
    }
    for (QWidget* w : table->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        accessibility::SetDescriptionToName(w);

    auto* image37 = table->findChild<ClickableImage*>("Image37");
    auto* keys = new accessibility::PictureButtonKeys(&window, [](QWidget* button) {
        auto* image = static_cast<ClickableImage*>(button);
        if (image->onClick) image->onClick();
    });
    if (image37) keys->Watch(image37);

    // Visual order: the table, then the random-spin count and its button below the grid.
    auto* edit1 = table->findChild<QLineEdit*>("Edit1");
    if (edit1 && image37) {
        QWidget::setTabOrder(table, edit1);
        QWidget::setTabOrder(edit1, image37);
    }
    table->setFocus(Qt::OtherFocusReason);
    accessibility::FollowLanguage(window);
}

void UpdateAccessibleNames(MainWindow& window) {
    QWidget* table = window.Canvas();
    std::vector<std::string> texts = {"Spieltisch",           "Zahl eintippen und mit Enter setzen",
                                      "Anzahl Zufallszahlen", "Generieren",
                                      "Setzsignale",          "Letzte Zahlen",
                                      "Nur 0 bis 36"};
    const std::size_t kinds = texts.size();
    const auto& kindWords = PositionKindWords();
    texts.insert(texts.end(), kindWords.begin(), kindWords.end());
    const QStringList t = accessibility::TranslatedList(window.Language(), texts);

    table->setAccessibleName(t[0]);
    table->setAccessibleDescription(t[1]);
    const auto name = [&](const char* control, const QString& text) {
        if (auto* w = table->findChild<QWidget*>(control)) w->setAccessibleName(text);
    };
    name("Edit1", t[2]);
    name("Image37", t[3]);
    name("ListBox1", t[4]);
    name("StringGrid1", t[5]);
    if (auto* entry = window.findChild<TableKeyboardEntry*>("TableKeyboardEntry"))
        entry->SetRefusedText(t[6]);

    std::unordered_map<std::string, QString> translated;
    for (std::size_t i = 0; i < kindWords.size(); ++i) translated[kindWords[i]] = t[kinds + i];
    for (int p = 0; p < kPositionCount; ++p) {
        auto* chip = table->findChild<QWidget*>(QStringLiteral("Images%1").arg(p));
        if (!chip) continue;
        const PositionName position = NameOfPosition(p);
        QString text = translated[position.kind];
        if (!position.numbers.empty()) text += QLatin1Char(' ') + QString::fromStdString(position.numbers);
        chip->setProperty("positionName", text);
    }
}

}  // namespace zentora
