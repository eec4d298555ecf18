#pragma once

#include <QColor>
#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/chart_data.h"
#include "options/applied_settings.h"
#include "options/options_model.h"
#include "options/window_rules.h"
#include "statistics/statistics.h"

class QAbstractButton;
class QButtonGroup;
class QCustomPlot;
class QFileDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace zentora {

class ChartView;
class EvaluationChart;
class StatisticsChart;
class PrintDialog;
class ChartWorker;
class StatisticsWorker;
class MoneyEvaluationWorker;
struct EvaluationResult;
class FieldView;
class FieldSpinBox;
class FieldToggleButton;

// The options window: one widget per field of the options model, the model being the live store of every
// setting. The window applies the model into the play state's AppliedSettings and loads and saves data.ini.
class TForm2 : public QDialog {
    Q_OBJECT
  public:
    // dataRoot: the folder with Einstellungen/. applied: the AppliedSettings the engine reads.
    TForm2(const QString& dataRoot, AppliedSettings& applied, QWidget* parent = nullptr);
    ~TForm2() override;

    OptionsModel& Model() { return model_; }
    const OptionsModel& Model() const { return model_; }
    QString DataIniPath() const;
    QString OptionsFolder() const;
    QTabWidget* Optionsfenster() const { return optionsfenster_; }

    // The current permanence, newest spin first (for the quick settings).
    std::function<std::vector<std::uint8_t>()> permanence;
    // Runs after every close: the main window repaints itself and its signal list.
    std::function<void()> onClosed;
    // Runs a prepared file dialog; tests replace it to choose a file without showing one.
    std::function<bool(QFileDialog&)> fileDialogHook;
    // Shows a message; tests replace it.
    std::function<void(const QString&)> showMessage;
    // The language table's whole-text lookup; identity until a language is set.
    std::function<QString(const QString&)> translate;
    // The list and word-by-word lookups (TranslateList, TranslateWords); identity until set.
    std::function<std::vector<std::string>(const std::vector<std::string>&)> translateList, translateWords;
    // Runs on a chart worker thread before it computes; tests hold a run or make it fail with it.
    std::function<void(ChartWorker&)> workerHook;

    void ApplySettings();
    // Load and save with a message on failure; both leave the window's values as they were when they fail.
    bool LoadOptions(const QString& path);
    bool SaveOptions(const QString& path);

    // The statistics chart (tab "Statistiken") and the evaluation chart (tab "Auswertung").
    QCustomPlot* Chart1() const;
    QCustomPlot* Chart2() const;

    EvaluationChart* EvaluationView() const { return chart2_; }
    StatisticsChart* StatisticsView() const { return chart1_; }
    // The print dialog both charts are printed through.
    PrintDialog* Drucker() const { return drucker_.get(); }

    int LimitDivisor() const { return limit_divisor_; }
    // One flag per kind of run, so that an evaluation and a statistics run that overlap each end their own way.
    bool EvaluationPending() const;
    bool StatisticsPending() const;
    // False while an evaluation runs: everything but the wait panel is disabled then.
    bool WindowEnabled() const;

  public Q_SLOTS:
    void OptionsfensterChange(int index);
    void Button1Click();   // Übernehmen
    void Button8Click();   // OK
    void Button2Click();   // Abbrechen
    void Button3Click();   // Öffnen
    void Button16Click();  // Speichern
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void done(int result) override;

    // Tab "Auswertung".
    void Button14Click();          // Berechnen: the money evaluation
    void CancelEvaluation();       // the wait panel's button
    void Limit1Click(int tag);     // the limit buttons "1".."5"
    void BitBtn3Click(int percent);  // zoom Chart2
    void Button7Click();           // undo the zoom of Chart2
    void Button13Click();          // Chart2 as a picture
    void BitBtn6Click();           // print Chart2
    // Tab "Statistiken".
    void Button15Click();            // Berechnen: the statistics; a busy run is cancelled
    void BitBtn1Click(int percent);  // zoom Chart1
    void Button5Click();             // undo the zoom of Chart1
    void Button12Click();            // Chart1 as a picture
    void BitBtn5Click();             // print Chart1

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void PrintChart(QCustomPlot* chart);
    void FormShow();
    void FormClose();
    void BuildWindow();
    QWidget* BuildPermanenceTab(int tab);
    QGroupBox* BuildGroupBox(const QString& title, const std::vector<GroupId>& groups, int box);
    QWidget* BuildTableTab();
    QWidget* BuildMiscTab();
    QWidget* BuildStatisticsTab();
    QWidget* BuildEvaluationTab();
    void Bind(FieldView* view, QWidget* widget);
    FieldSpinBox* Spin(FieldId id, QWidget* parent, int width = 0);
    QWidget* Check(int checkBox, const QString& caption, QWidget* parent, const QString& hint = {});
    void OnModelChange(FieldId id, FieldChange change);
    void ShowRateBlocks();
    void LeaveFocusedField();
    void UpdateHelpContext();
    QString Tr(const QString& text) const;
    QString AskOptionFile(bool save);
    void Message(const QString& text);

    // Charts (charts/form2_charts.cpp).
    void BuildWaitPanel();
    void EnableWindow(bool enabled);
    void ThreadDone(ChartWorker* thread);
    void EvaluationDone(MoneyEvaluationWorker* thread);
    void StatisticsDone(StatisticsWorker* thread);
    void StartThread(ChartWorker* thread);
    void CheckBox66Click();
    void ShowSummary();
    void RetranslateCharts();
    std::vector<QString> MarkerLabels(const EvaluationResult& result) const;
    std::vector<std::string> TranslateStrings(const std::vector<std::string>& texts, bool words) const;
    void ShowOrderError(int window, std::int64_t firstX, const QString& runde);
    void TakeOver(const ChartLine& clicked, const ChartLine& first, QPoint at);
    void SavePicture(ChartView* chart);
    GroupId CheckedGroup() const;
    std::optional<StatisticsKind> CheckedKind() const;
    QColor ChartColour(int k) const;
    void StopWorkers();

    QString data_root_;
    AppliedSettings& applied_;
    OptionsModel model_;
    std::vector<FieldView*> views_;  // by FieldId
    std::vector<QWidget*> absence_panels_, rate_panels_;
    QTabWidget* optionsfenster_ = nullptr;
    FieldToggleButton* speed_button1_ = nullptr;
    StatisticsChart* chart1_ = nullptr;
    EvaluationChart* chart2_ = nullptr;
    // Its own window, not a child: its controls share names with this window's.
    std::unique_ptr<PrintDialog> drucker_;
    QButtonGroup* group_choice_ = nullptr;  // RadioButton3..29 by number
    QButtonGroup* kind_choice_ = nullptr;   // RadioButton30..32, 44, 45 by number
    QButtonGroup* limit_buttons_ = nullptr;
    QWidget* wait_panel_ = nullptr;  // JvPanel1
    QProgressBar* progress_bar_ = nullptr;
    QLabel* summary_ = nullptr;
    std::optional<EvaluationSummary> summary_data_;  // of the result shown
    QPushButton* cancel_evaluation_ = nullptr;
    std::vector<QWidget*> window_parts_;  // what an evaluation disables
    QPointer<MoneyEvaluationWorker> evaluation_thread_;
    QPointer<StatisticsWorker> statistics_thread_;
    int limit_divisor_ = 0;
};

}  // namespace zentora
