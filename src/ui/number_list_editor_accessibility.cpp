// SPDX-License-Identifier: GPL-3.0-or-later
// The number list editor's part of keyboard use and screen-reader names.

#include <QLabel>
#include <algorithm>
#include <utility>
#include <vector>

#include "ui/accessibility/accessibility.h"
#include "ui/number_list_editor.h"

namespace zentora {

void InstallAccessibility(NumberListEditor& editor) {
    accessibility::InstallFactoryOnce();
    auto* keys = new accessibility::PictureButtonKeys(&editor, [](QWidget* button) {
        auto* image = static_cast<ImageButton*>(button);
        if (image->onClick) image->onClick();
    });
    std::vector<ImageButton*> buttons;
    for (ImageButton* b : editor.findChildren<ImageButton*>()) {
        keys->Watch(b);
        accessibility::SetDescriptionToName(b);
        buttons.push_back(b);
    }
    // Grids top to bottom, then the buttons of the bottom row from left to right.
    std::vector<QWidget*> order;
    for (int g = 0; g < kListGridCount; ++g) {
        order.push_back(editor.Grid(g));
        accessibility::SetDescriptionToName(editor.Grid(g));
    }
    std::sort(buttons.begin(), buttons.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    order.insert(order.end(), buttons.begin(), buttons.end());
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    new accessibility::OnShow(&editor, [&editor] { UpdateAccessibleNames(editor); });
    accessibility::FollowLanguage(editor);
}

void UpdateAccessibleNames(NumberListEditor& editor) {
    // The buttons are named by the captions drawn on them; the two jumps of 10000 also say their way.
    const auto caption = [&](int button) {
        auto* image = editor.findChild<QWidget*>(QStringLiteral("JvImage%1").arg(button));
        return image ? image->property("caption").toString() : QString();
    };
    for (const auto& [jump, way] : {std::pair{5, 1}, std::pair{6, 2}})
        if (auto* image = editor.findChild<QWidget*>(QStringLiteral("JvImage%1").arg(jump)))
            image->setAccessibleName(caption(way) + QLatin1Char(' ') + caption(jump));
    for (int g = 0; g < kListGridCount; ++g) {
        auto* round = editor.findChild<QLabel*>(QStringLiteral("Label%1").arg(g + 1));
        auto* number = editor.findChild<QLabel*>(QStringLiteral("Label%1").arg(g + 1 + kListGridCount));
        if (!round || !number) continue;
        editor.Grid(g)->setAccessibleName(
            QStringLiteral("%1, %2 (%3)")
                .arg(SpokenCaption(round->text()), SpokenCaption(number->text()))
                .arg(g + 1));
    }
}

}  // namespace zentora
