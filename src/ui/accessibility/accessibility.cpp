#include "ui/accessibility/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>
#include <unordered_map>

#include "catalogue/chance_groups.h"
#include "lang/language_table.h"
#include "ui/Unit2.h"
#include "ui/option_fields.h"
#include "ui/texts/texts_hub.h"
#include "ui/widgets/clickable_image.h"
#include "ui/widgets/image_button.h"

namespace zentora {

namespace accessibility {

namespace {

std::vector<AccessibleMaker>& Makers() {
    static std::vector<AccessibleMaker> makers;
    return makers;
}

// Asked once per class of the object's hierarchy, most derived first; the casts answer at the first ask.
QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (!object || !object->isWidgetType()) return nullptr;
    for (const AccessibleMaker& maker : Makers())
        if (QAccessibleInterface* made = maker(static_cast<QWidget*>(object))) return made;
    if (auto* image = qobject_cast<ClickableImage*>(object)) {
        if (!image->property("tag").isValid()) return nullptr;
        return new PictureButtonAccessible(image, [image] {
            if (image->onClick) image->onClick();
        });
    }
    if (auto* image = qobject_cast<ImageButton*>(object)) {
        return new PictureButtonAccessible(image, [image] {
            if (image->onClick) image->onClick();
        });
    }
    return nullptr;
}

}  // namespace

void AddAccessibleMaker(AccessibleMaker maker) { Makers().push_back(std::move(maker)); }

void InstallFactoryOnce() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&Factory);
}

QStringList TranslatedList(const LanguageTable& language, const std::vector<std::string>& texts) {
    std::vector<std::string> result = texts;
    try {
        result = language.TranslateList(texts);
    } catch (const LanguageFileError&) {
        // Names stay German; the window already told the user about the table.
    }
    QStringList list;
    for (const auto& text : result) list << QString::fromStdString(text);
    return list;
}


void SetDescriptionToName(QWidget* widget) {
    if (!widget->objectName().isEmpty()) widget->setAccessibleDescription(widget->objectName());
}


}  // namespace accessibility

namespace {

using accessibility::FollowLanguage;
using accessibility::InstallFactoryOnce;
using accessibility::OnShow;
using accessibility::SetDescriptionToName;

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

}  // namespace

QString SpokenCaption(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char(';'))) text.chop(1);
    return text.trimmed();
}

// ---- options window ----

void InstallAccessibility(TForm2& form) {
    InstallFactoryOnce();
    // The rate blocks scroll to the focused field by themselves; as a stop of their own they only get in
    // the way.
    for (QScrollArea* scroll : form.findChildren<QScrollArea*>()) scroll->setFocusPolicy(Qt::NoFocus);
    new OnShow(&form, [&form] { UpdateAccessibleNames(form); });
    FollowLanguage(form);
}

void UpdateAccessibleNames(TForm2& form) {
    const OptionsModel& model = form.Model();
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
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->buddy()) buddies[label->buddy()] = label;

    for (QWidget* w : form.findChildren<QWidget*>()) {
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
                if (auto* caption = form.findChild<QLabel*>(QStringLiteral("Caption") + key)) {
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
    for (QTabWidget* tabs : form.findChildren<QTabWidget*>()) SetDescriptionToName(tabs);
}

}  // namespace zentora
