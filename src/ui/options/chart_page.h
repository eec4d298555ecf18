// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>
#include <functional>

#include "options/options_model.h"

class QBoxLayout;
class QCustomPlot;
class QVBoxLayout;

namespace zentora {

class ChartView;
class ChartWorker;
struct OptionsWindowHooks;

// What both chart tabs share: the chart on top, its tools (zoom in and out, undo the zoom, save as a
// picture, print), the colours of its lines and the start of a worker run.
class ChartPage : public QWidget {
    Q_OBJECT
  public:
    ChartView* Chart() const { return chart_; }

  Q_SIGNALS:
    // The window prints the chart through its print dialog.
    void PrintRequested(QCustomPlot* chart);

  protected:
    // The control names of the tools; the caption of the reset button differs between the tabs.
    struct ToolNames {
        const char* zoomIn;
        const char* zoomOut;
        const char* reset;
        const char* resetCaption;
        const char* picture;
        const char* print;
    };
    enum class ToolLayout {
        Row,
        Boxes
    };  // plain buttons, or the boxes "Chart zoomen" and "Chart exportieren"

    ChartPage(OptionsModel& model, const OptionsWindowHooks& hooks);
    // The chart takes the page's free height; everything else goes below it.
    void SetChart(ChartView* chart, int minimumHeight);
    QVBoxLayout* PageLayout() const { return layout_; }
    void AddTools(QBoxLayout* row, const ToolNames& names, ToolLayout style);
    // The chart line colour k (1..5) of the tab "Sonstiges".
    QColor ChartColour(int k) const;
    // Starts a run that belongs to this page; done runs on the main thread after it has ended.
    void StartWorker(ChartWorker* worker, std::function<void()> done);

    OptionsModel& model_;
    const OptionsWindowHooks& hooks_;

  private:
    void SavePicture();

    QVBoxLayout* layout_;
    ChartView* chart_ = nullptr;
};

}  // namespace zentora
