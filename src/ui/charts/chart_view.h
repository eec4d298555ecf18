// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ui/charts/qcustomplot_include.h"

namespace zentora {

// A chart of the options window: QCustomPlot with the tools both chart tabs share (zoom by percent, undo of
// the zoom, saving as a bitmap) and series found by name.
class ChartView : public QCustomPlot {
    Q_OBJECT
  public:
    explicit ChartView(const QString& objectName, QWidget* parent = nullptr);

    // Drops every series and item.
    virtual void Clear();
    // The ranges that "Zurücksetzen" returns to: the whole data with a small margin.
    void RememberHome();
    // 120 enlarges (the ranges shrink to 100/120 around their centre), 80 shrinks.
    void Zoom(int percent);
    void ResetZoom();
    // A bitmap of the chart's own width and height.
    bool SaveBitmap(const QString& path);

    // The series with that name, or nullptr.
    QCPAbstractPlottable* Series(const QString& name) const;
    QCPGraph* Graph(const QString& name) const { return qobject_cast<QCPGraph*>(Series(name)); }

  private:
    QCPRange homeX_{0, 1}, homeY_{0, 1};
};

}  // namespace zentora
