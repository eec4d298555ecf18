// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMessageBox>
#include <QTableWidget>
#include <array>
#include <functional>
#include <random>

#include "core/display_layout.h"
#include "files/recovery_file.h"
#include "lang/language_table.h"
#include "lang/window_texts.h"
#include "ui/io/data_folders.h"
#include "ui/play_session.h"
#include "ui/widgets/clickable_image.h"

class QFileDialog;

namespace zentora {

struct UserMessage;
namespace files {
struct DialogSetup;
struct LoadFlowResult;
struct SaveFlowResult;
enum class PermanenceFormat;
}  // namespace files

// The main window: the drawn table, chips, counters, the last 20 numbers, the signal list and the menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // folders: where Einstellungen/, Bilder/, Buttonunten/, Font/ and Save/ are read and written.
    // screen: the screen size the layout is made for (the primary screen's in the program); available: the
    // part of it the desktop leaves to windows (empty: the whole screen).
    MainWindow(const DataFolders& folders, ScreenSize screen, ScreenSize available = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    PlaySession& Session() { return session_; }
    LanguageTable& Language() { return language_; }
    const DataFolders& Folders() const { return folders_; }
    QWidget* Canvas() const { return canvas_; }

    // The start-up steps that follow the creation of the other windows; main() runs them in order.
    void RestoreLanguage();
    void OpenFromCommandLine(const QStringList& arguments);

    void EnterSpin(int number);
    void AddToRecentGrid(int number);
    void RefreshRecentGrid();
    void RefreshDisplay();
    // Resets the play state and replays the whole permanence.
    void ReplayPermanence();
    void ResetPlay();
    void RemoveLastSpin();
    void GenerateRandomSpins();
    void ChooseLanguage(QAction* item);
    int LanguageIndex() const;
    void ApplyLanguage();

    // Steps 11 to 13 of the pipeline, the part the window shows: signal list, chips, labels.
    void ShowPipelineResult();

    // The text shown for slot s in the current display mode.
    QString SlotText(int slot) const;
    // The remembered permanence file (the save dialog's file name).
    const QString& PermanenceFileName() const { return save_file_name_; }

    // Opens a permanence file as "Öffnen..." does after its dialog.
    void OpenPermanence(const QString& path);

    // Spins entered, generated or removed since the permanence was last opened, saved or emptied by "Neu".
    bool Unsaved() const { return unsaved_.Unsaved(); }
    // Keeps unsaved spins in the recovery file at `path` from now on; true when an earlier run left some
    // there, which OfferRecovery then offers to restore.
    bool KeepRecoveryFile(const QString& path);
    void OfferRecovery();
    // The number list editor changed the permanence.
    void PermanenceEdited();

    // Shows a message box; tests replace it to read the message.
    std::function<void(const QString&)> messageHook;
    // Asks a question with the buttons "Ja", "Nein" and, where the action can be left, "Abbrechen"; tests
    // replace it to answer without a box.
    std::function<QMessageBox::StandardButton(const QString&)> questionHook;

    // Runs a prepared file dialog; tests replace it to choose a file without showing one.
    std::function<bool(QFileDialog&)> fileDialogHook;

    // Hooks for windows that later issues add.
    std::function<void()> showOptionsWindow, showNumberListEditor, showHelp, showInfo, showRiskAnalysis;

  public Q_SLOTS:
    void OpenPermanenceFile();
    void SavePermanence();
    void SavePermanenceAs();
    void ImportText();
    void ExportText();
    void ExportWorksheet();
    void ImportWorksheet();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // The table's controls, in the order they stack: fields, counters, the grid, the list, the random spins,
    // chips.
    void BuildControls();
    void BuildTableFields();
    void BuildCounterLabels();
    void BuildRecentGrid();
    void BuildSignalList();
    void BuildRandomSpinControls();
    void BuildChips();
    void ApplyDisplayLayout(ScreenSize screen, ScreenSize available);
    void FitValueFonts();
    void BuildMenu();
    void BuildFileMenu();
    void BuildEditMenu();
    void BuildViewMenu();
    void BuildOptionsMenu();
    void BuildHelpMenu();
    QMenu* AddMenu(QMenu* parent, const char* name, const QString& title);
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& text, std::function<void()> slot,
                         const QKeySequence& shortcut = {});
    void LoadPictures();
    QLabel* MakeLabel(const QString& name, const QRect& bounds, int pixelSize);
    void FillSignalList();
    void RedrawChips();
    void ChipMouse(QMouseEvent* event, bool down);
    void FieldMouseDown(int number);
    void FieldMouseUp(int number);
    void DrawGenerateCaption();
    void DrawTableWord(QLabel* word, const QString& text);
    bool TakeText(const TextTarget& target, const QString& text);
    QPixmap LoadTransparent(const QString& file) const;
    QString Tr(const char* text) const;
    bool RunFileDialog(QFileDialog& dialog, bool save);
    QString AskFile(const files::DialogSetup& setup, bool save, const QString& preset);
    QString ExportPreset(files::PermanenceFormat format) const;
    QString Translate(const UserMessage& message) const;
    void ShowFileMessages(const std::vector<UserMessage>& messages);
    void ApplyLoad(const files::LoadFlowResult& result);
    void ApplySave(const files::SaveFlowResult& result);
    void ApplyFileNameRule(int rule, const std::string& fileName, const std::string& startFolder);
    void ShowMessage(const QString& text);
    void StoreLanguage() const;
    QMessageBox::StandardButton Ask(const QString& question, bool withCancel);
    // Before unsaved spins would go: asks whether to save them. False when they must stay (cancelled, or
    // the save did not happen).
    bool AskToSaveUnsaved();
    void NoteSpinsAdded(std::size_t count);
    void ShowRecoveryError();

    DataFolders folders_;
    PlaySession session_;
    LanguageTable language_;
    std::mt19937 random_;

    QWidget* canvas_ = nullptr;
    QLabel* background_ = nullptr;              // Hintergrund
    ClickableImage* zero_field_ = nullptr;      // ZeroButton
    std::array<ClickableImage*, 37> fields_{};  // [0] is the ZeroButton
    std::array<ClickableImage*, kPositionCount> chips_{};
    std::array<QLabel*, 47> labels_{};           // Label0..Label46 (Label37: spin count)
    std::array<QLabel*, 3> twelve_labels_{};     // JvLabel1..JvLabel3: the first three 12-number chances
    QTableWidget* recent_grid_ = nullptr;        // StringGrid1
    QListWidget* signal_list_ = nullptr;         // ListBox1
    QLineEdit* random_count_edit_ = nullptr;     // Edit1
    ClickableImage* generate_button_ = nullptr;  // Image37 "Generieren"
    QLabel* even_word_ = nullptr;                // Gerade
    QLabel* odd_word_ = nullptr;                 // Ungerade
    QLabel* banner_ = nullptr;
    QWidget* grid_cover_ = nullptr;
    QWidget* list_cover_ = nullptr;

    QPixmap chip_bitmap_;
    std::array<QPixmap, 37> pressed_bitmaps_;
    QString generate_caption_ = QStringLiteral("Generieren");
    QString open_title_ = QString::fromUtf8("Öffnen"), save_title_ = QStringLiteral("Speichern unter");

    QAction* show_hits_ = nullptr;                // Anzeigetafel "Zähler"
    QAction* show_absences_ = nullptr;            // Rckstand1 "Rückstand"
    QAction* show_rates_ = nullptr;               // Prozent1 "Prozente"
    std::array<QAction*, 4> language_actions_{};  // Sprache0..Sprache3

    QString save_file_name_;  // SaveDialog1's file name: the remembered permanence file
    QString save_start_folder_;
    files::UnsavedSpins unsaved_;
    bool shown_once_ = false;
};

// Keyboard use and screen-reader names of the main window (main_window_accessibility.cpp).
void InstallAccessibility(MainWindow& window);
void UpdateAccessibleNames(MainWindow& window);

}  // namespace zentora
