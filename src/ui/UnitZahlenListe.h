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

class QFrame;

namespace zentora {

struct TextTarget;
class ListGridModel;
class TForm1;

// An image button: a picture with its caption drawn on, pressed 1 pixel right and down.
class TJvImage : public QLabel {
    Q_OBJECT
  public:
    explicit TJvImage(QWidget* parent = nullptr) : QLabel(parent) {}
    std::function<void()> onClick;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

// The number list editor: the permanence page by page, each spin with its number (1 the oldest), and the
// deletion of single spins. Deleting changes the permanence at once; the main window replays it when the
// editor closes.
class TZahlenListe : public QDialog {
    Q_OBJECT
  public:
    // permanence: the main window's, changed in place. dataRoot: the folder with Buttonunten/.
    TZahlenListe(Permanence& permanence, const QString& dataRoot, QWidget* parent = nullptr);
    ~TZahlenListe() override;

    // What the main window does when the editor closes after a deletion: New when the permanence became
    // empty, otherwise the replay with its grid and labels redrawn. onRepaint follows every close.
    std::function<void()> onNew, onReplay, onRepaint;

    void NumberListPage(std::int64_t n);
    void JvImage1Click();  // "Zurück"
    void JvImage2Click();  // "Vorwärts"
    void JvImage3Click();  // "Anfang"
    void JvImage4Click();  // "Ende"
    void JvImage5Click();  // "10000" back
    void JvImage6Click();  // "10000" forward
    void JvImage7Click();  // "Zahl entfernen"
    void JvImage8Click();  // "Beenden"

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
    void FormCreate();
    void FormClose();
    void ShowPage();
    void PageTo(std::optional<std::int64_t> end);
    std::int64_t Length() const;
    bool GridKeyDown(int g, int key);
    void RememberSelection(int g);
    bool TakeText(const TextTarget& target, const QString& text);
    void DrawCaption(TJvImage* button, QPixmap picture, const QString& text, int centre, QSize size);
    QPixmap LoadPicture(const QString& file) const;

    Permanence& permanence_;
    QString data_root_;
    ListPage page_;
    std::array<QTableView*, kListGridCount> grids_{};
    std::array<ListGridModel*, kListGridCount> models_{};
    std::array<QFrame*, kListGridCount> panels_{};
    std::array<QLabel*, 2 * kListGridCount> labels_{};  // Label1..Label14
    std::array<TJvImage*, 8> buttons_{};                // JvImage1..JvImage8
    int selected_grid_ = 0;  // the grid of the selected cell, whether it has the focus or not
    int selected_column_ = 0;
    std::int64_t selected_spin_ = 0;
    bool changed_ = false;
    QString message_ = "Keine Zahlen vorhanden!";
};

// Opens the editor from the main window's menu, closes it into the main window's New or replay, and keeps
// its captions in the main window's language.
void ConnectNumberListEditor(TForm1& form, TZahlenListe& editor);

}  // namespace zentora
