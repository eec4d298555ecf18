// SPDX-License-Identifier: GPL-3.0-or-later
// Names for assistive technology in the options window: each field is named by its box, its row and its
// column, as a sighted user reads them off the grid.
#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>
#include <unordered_map>

#include "catalogue/chance_groups.h"
#include "ui/accessibility/accessibility.h"
#include "ui/options/options_window.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

QGroupBox* EnclosingGroupBox(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (auto* box = qobject_cast<QGroupBox*>(w)) return box;
    return nullptr;
}

// The header labels above a widget in its grid: the column's caption lines.
QStringList HeadersAbove(QWidget* widget) {
    QStringList headers;
    auto* grid =
        widget->parentWidget() ? qobject_cast<QGridLayout*>(widget->parentWidget()->layout()) : nullptr;
    if (!grid) return headers;
    const int index = grid->indexOf(widget);
    if (index < 0) return headers;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QLabel* last = nullptr;
    for (int r = 0; r < std::min(row, 2); ++r) {
        QLayoutItem* item = grid->itemAtPosition(r, column);
        auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        if (!label || label == last) continue;
        last = label;
        const QString text = SpokenCaption(label->text());
        if (!text.isEmpty()) headers << text;
    }
    return headers;
}

bool InRateBlock(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("RateBlock"))) return true;
    return false;
}

using accessibility::SetDescriptionToName;

}  // namespace

void InstallAccessibility(OptionsWindow& window) {
    // The rate blocks scroll to the focused field by themselves; as a stop of their own they only get in
    // the way.
    for (QScrollArea* scroll : window.findChildren<QScrollArea*>()) scroll->setFocusPolicy(Qt::NoFocus);
    accessibility::FollowLanguage(window);
}

void UpdateAccessibleNames(OptionsWindow& window) {
    const OptionsModel& model = window.Model();
    std::unordered_map<FieldId, GroupId> groupOf;
    for (const ChanceGroup& group : kChanceGroups) {
        const GroupFields& f = model.Fields(group.id);
        for (FieldId id :
             {f.absenceSwitch, f.rateSwitch, f.abRunde, f.soOft, f.technique, f.stake, f.rateStart})
            groupOf[id] = group.id;
        for (int n = 0; n < kRateWindowCount; ++n)
            for (FieldId id : {f.bisRunde[n], f.von[n], f.bis[n]}) groupOf[id] = group.id;
    }
    const QString rateBlock = TextsHub::Instance().TranslateText(QStringLiteral("Prozenteinstellung"));
    std::unordered_map<QWidget*, QLabel*> buddies;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy()) buddies[label->buddy()] = label;

    for (QWidget* w : window.findChildren<QWidget*>()) {
        auto* view = dynamic_cast<FieldView*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!view && !button) continue;
        SetDescriptionToName(w);
        if (button && !SpokenCaption(button->text()).isEmpty()) continue;  // its caption is its name

        QStringList parts;
        if (QGroupBox* box = EnclosingGroupBox(w); box && !box->title().isEmpty())
            parts << SpokenCaption(box->title());
        if (view) {
            if (auto it = groupOf.find(view->Id()); it != groupOf.end()) {
                const QString key = QString::fromUtf8(Group(it->second).key);
                if (auto* caption = window.findChild<QLabel*>(QStringLiteral("Caption") + key)) {
                    QString row = SpokenCaption(caption->text());
                    if (!caption->toolTip().isEmpty()) row += QStringLiteral(" (%1)").arg(caption->toolTip());
                    parts << row;
                }
                // The rate block repeats some column captions of the absence columns.
                if (InRateBlock(w)) parts << rateBlock;
            }
        }
        if (auto it = buddies.find(w); it != buddies.end())
            parts << SpokenCaption(it->second->text());
        else
            parts << HeadersAbove(w);
        if (parts.isEmpty()) parts << w->objectName();
        w->setAccessibleName(parts.join(QStringLiteral(", ")));
    }
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) SetDescriptionToName(tabs);
}

}  // namespace zentora
