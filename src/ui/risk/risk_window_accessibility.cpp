// SPDX-License-Identifier: GPL-3.0-or-later
// Names for assistive technology in the risk analysis window: each field by its caption, the charts and the
// table by what they show.
#include <QLabel>

#include "ui/accessibility/accessibility.h"
#include "ui/charts/qcustomplot_include.h"
#include "ui/risk/risk_window.h"

namespace zentora {

void InstallAccessibility(RiskWindow& window) {
    // Tab order as the fields are read: the choice, its inputs, then the buttons.
    QWidget* order[] = {window.random_,
                        window.runs_,
                        window.spins_,
                        window.seed_,
                        window.fromFolder_,
                        window.folder_,
                        window.chooseFolderButton_,
                        window.bankroll_,
                        window.start_,
                        window.cancel_,
                        window.summary_};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    for (QWidget* w : order) accessibility::SetDescriptionToName(w);
    accessibility::FollowLanguage(window);
}

void UpdateAccessibleNames(RiskWindow& window) {
    for (const auto& [label, text] : window.labels_)
        if (label->buddy()) label->buddy()->setAccessibleName(SpokenCaption(label->text()));
    window.finals_->setAccessibleName(window.Tr("Histogramm der Endstände"));
    window.lowests_->setAccessibleName(window.Tr("Histogramm der Tiefststände"));
    window.summary_->setAccessibleName(window.Tr("Zusammenfassung"));
    window.progress_->setAccessibleName(window.Tr("Fortschritt"));
}

}  // namespace zentora
