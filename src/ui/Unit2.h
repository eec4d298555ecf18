#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <vector>

#include "options/applied_settings.h"
#include "options/options_model.h"

class QAbstractButton;
class QFileDialog;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace zentora {

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

    void ApplySettings();
    // Load and save with a message on failure; both leave the window's values as they were when they fail.
    bool LoadOptions(const QString& path);
    bool SaveOptions(const QString& path);

    int LimitDivisor() const { return limit_divisor_; }
    int PendingComputation() const { return pending_computation_; }

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

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
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

    QString data_root_;
    AppliedSettings& applied_;
    OptionsModel model_;
    std::vector<FieldView*> views_;  // by FieldId
    std::vector<QWidget*> absence_panels_, rate_panels_;
    QTabWidget* optionsfenster_ = nullptr;
    FieldToggleButton* speed_button1_ = nullptr;
    int limit_divisor_ = 0;
    int pending_computation_ = 0;
};

}  // namespace zentora
