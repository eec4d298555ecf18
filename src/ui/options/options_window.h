// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "engine/applied_settings.h"
#include "options/options_model.h"
#include "options/window_rules.h"
#include "ui/io/data_folders.h"
#include "ui/options/page_helpers.h"

class QCustomPlot;
class QLayout;
class QPushButton;
class QTabWidget;
class QWidget;

namespace zentora {

class EvaluationChart;
class EvaluationPage;
class FieldToggleButton;
class PermanencePage;
class StatisticsChart;
class StatisticsPage;
class PrintDialog;

// The options window: a page per tab, each showing its fields of the options model, the model being the
// live store of every setting. The window applies the model into the play state's AppliedSettings and
// loads and saves data.ini and option files.
class OptionsWindow : public QDialog, public OptionsWindowHooks {
    Q_OBJECT
  public:
    // folders: where data.ini is read and saved. applied: the AppliedSettings the engine reads.
    OptionsWindow(const DataFolders& folders, AppliedSettings& applied, QWidget* parent = nullptr);
    ~OptionsWindow() override;

    OptionsModel& Model() { return model_; }
    const OptionsModel& Model() const { return model_; }
    QString DataIniPath() const;
    QString OptionsFolder() const;
    QTabWidget* Tabs() const { return tabs_; }

    // Runs after every close: the main window repaints itself and its signal list.
    std::function<void()> onClosed;

    void ApplySettings();
    // Load and save with a message on failure; both leave the window's values as they were when they fail.
    bool LoadOptions(const QString& path);
    bool SaveOptions(const QString& path);

    // The statistics chart (tab "Statistiken") and the evaluation chart (tab "Auswertung").
    StatisticsChart* StatisticsView() const;
    EvaluationChart* EvaluationView() const;
    QCustomPlot* StatisticsPlot() const;
    QCustomPlot* EvaluationPlot() const;

    int LimitDivisor() const;
    // One flag per kind of run, so that an evaluation and a statistics run that overlap each end their own
    // way.
    bool EvaluationPending() const;
    bool StatisticsPending() const;
    // False while an evaluation runs: everything but the wait panel is disabled then.
    bool WindowEnabled() const;

  public Q_SLOTS:
    void ApplyAndSave();      // "Übernehmen"
    void ApplyAndClose();     // "OK"
    void OpenOptionFile();    // "Öffnen"
    void SaveOptionFileAs();  // "Speichern"
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void BuildWindow();
    void BuildPages();
    void AddPage(QWidget* page, const char* title, int helpContext);
    QLayout* BuildButtonRow();
    void LoadStartSettings();
    void RestoreAfterClosing();
    void TabChanged(int index);
    void OnModelChange(FieldId id, FieldChange change);
    void ShowRateBlocks();
    void UpdateHelpContext();
    QString AskOptionFile(bool save);
    void PrintChart(QCustomPlot* chart);
    void EnableWindow(bool enabled);
    void StopWorkers();

    DataFolders folders_;
    AppliedSettings& applied_;
    OptionsModel model_;
    BoundFields fields_;
    QTabWidget* tabs_ = nullptr;
    std::vector<PermanencePage*> permanence_pages_;
    StatisticsPage* statistics_ = nullptr;
    EvaluationPage* evaluation_ = nullptr;
    FieldToggleButton* rate_blocks_button_ = nullptr;  // SpeedButton1
    std::vector<QWidget*> window_parts_;               // what an evaluation disables
    // Its own window, not a child: its controls share names with this window's.
    std::unique_ptr<PrintDialog> print_dialog_;
};

// Keyboard use and names for assistive technology (see ui/accessibility/accessibility.h).
void InstallAccessibility(OptionsWindow& window);
void UpdateAccessibleNames(OptionsWindow& window);

}  // namespace zentora
