// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPixmap>
#include <QTableView>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/number_list_pages.h"
#include "core/permanence.h"
#include "ui/io/data_folders.h"
#include "ui/widgets/image_button.h"

class QFrame;

namespace zentora {

struct TextTarget;
class ListGridModel;

// The number list editor: the permanence page by page, each spin with its number (1 the oldest), and the
// deletion of single spins. Deleting changes the permanence at once; the main window replays it when the
// editor closes.
class NumberListEditor : public QDialog {
    Q_OBJECT
  public:
    // permanence: the main window's, changed in place. folders: where Buttonunten/ is found.
    NumberListEditor(Permanence& permanence, const DataFolders& folders, QWidget* parent = nullptr);
    ~NumberListEditor() override;

    // What the main window does when the editor closes after a deletion: New when the permanence became
    // empty, otherwise the replay with its grid and labels redrawn. onRepaint follows every close.
    std::function<void()> onNew, onReplay, onRepaint;

    void ShowPageEndingAt(std::int64_t n);
    void PreviousPage();        // "Zurück"
    void NextPage();            // "Vorwärts"
    void FirstPage();           // "Anfang"
    void LastPage();            // "Ende"
    void BackTenThousand();     // "10000" back
    void ForwardTenThousand();  // "10000" forward
    void RemoveSelectedSpin();  // "Zahl entfernen"
    void CloseEditor();         // "Beenden"

    const ListPage& Page() const { return page_; }
    QTableView* Grid(int index) const { return grids_[index]; }  // 0-based: StringGrid1 is 0
    std::int64_t SelectedSpin() const { return selected_spin_; }
    int SelectedColumn() const { return selected_column_; }
    bool Changed() const { return changed_; }
    // Gives grid `index` (0-based) the focus with `column` of row 1 as its current cell.
    void SelectCell(int index, int column);

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildWindow();
    // Per grid: its panel with the "Runde:"/"Zahl:" labels, and the grid itself.
    void BuildGridLabels(int g);
    void BuildGrid(int g);
    void BuildButtons();
    void ClearAndHandOver();
    void ShowPage();
    void PageTo(std::optional<std::int64_t> end);
    std::int64_t Length() const;
    bool GridKeyDown(int g, int key);
    void RememberSelection(int g);
    bool TakeText(const TextTarget& target, const QString& text);
    void DrawCaption(ImageButton* button, QPixmap picture, const QString& text, int centre, QSize size);
    QPixmap LoadPicture(const QString& file) const;

    Permanence& permanence_;
    DataFolders folders_;
    ListPage page_;
    std::array<QTableView*, kListGridCount> grids_{};
    std::array<ListGridModel*, kListGridCount> models_{};
    std::array<QFrame*, kListGridCount> panels_{};
    std::array<QLabel*, 2 * kListGridCount> labels_{};  // Label1..Label14
    std::array<ImageButton*, 8> buttons_{};             // JvImage1..JvImage8
    int selected_grid_ = 0;  // the grid of the selected cell, whether it has the focus or not
    int selected_column_ = 0;
    std::int64_t selected_spin_ = 0;
    bool changed_ = false;
    QString message_ = "Keine Zahlen vorhanden!";
};

// Keyboard use and screen-reader names of the editor (number_list_editor_accessibility.cpp).
void InstallAccessibility(NumberListEditor& editor);
void UpdateAccessibleNames(NumberListEditor& editor);

}  // namespace zentora
