// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessibility/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <unordered_map>

#include "lang/language_table.h"
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

void AddAccessibleMaker(AccessibleMaker maker) {
    Makers().push_back(std::move(maker));
}

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

}  // namespace zentora
