// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "ui/charts/qcustomplot_include.h"

namespace zentora {

// A point series whose points carry text labels. Only labels of points in view are drawn, and a label that
// would cover one already drawn is left out, so that thousands of marks stay legible and fast.
class LabelledGraph final : public QCPGraph {
    Q_OBJECT
  public:
    LabelledGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);
    // One label per data point, in key order; an empty label draws nothing.
    void SetLabels(std::vector<QString> labels) { labels_ = std::move(labels); }
    const std::vector<QString>& Labels() const { return labels_; }
    void SetLabelsVisible(bool visible) { labelsVisible_ = visible; }
    bool LabelsVisible() const { return labelsVisible_; }
    // Labels drawn by the last paint (for tests).
    int DrawnLabels() const { return drawn_; }

  protected:
    void draw(QCPPainter* painter) override;

  private:
    std::vector<QString> labels_;
    bool labelsVisible_ = false;
    int drawn_ = 0;
};

}  // namespace zentora
