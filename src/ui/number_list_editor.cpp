// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/number_list_editor.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTransform>
#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/number_set.h"
#include "lang/window_texts.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

constexpr int kGridLeft = 72;
constexpr std::array<int, kListGridCount> kGridTops = {16, 72, 128, 184, 240, 296, 352};
constexpr int kRowHeight = 15;
constexpr int kGridHeight = 2 * (kRowHeight + 1) + 3;

const QColor kBackground(0, 96, 0);
const QColor kHotTrack(0, 102, 204);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);

QColor NumberColour(int number) {
    if (number == 0) return kGreen;
    return IsBlack(number) ? QColor(Qt::black) : kRed;
}

}  // namespace

// One grid of the page: row 0 the spin numbers, row 1 the results, read straight from the permanence, so
// filling a page costs the same however long the permanence is.
class ListGridModel : public QAbstractTableModel {
  public:
    ListGridModel(const Permanence& permanence, QObject* parent)
        : QAbstractTableModel(parent), permanence_(permanence) {}

    void SetGrid(const ListGrid& grid) {
        beginResetModel();
        grid_ = grid;
        endResetModel();
    }
    const ListGrid& Grid() const { return grid_; }
    int Result(int column) const {
        const auto spin = grid_.SpinAt(column);
        const auto length = static_cast<std::int64_t>(permanence_.size());
        if (spin < 1 || spin > length) return -1;
        return permanence_[static_cast<std::size_t>(length - spin)];
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 2; }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : grid_.columns;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) return {};
        if (index.row() == 0) return QString::number(grid_.SpinAt(index.column()));
        const int result = Result(index.column());
        return result < 0 ? QString() : QString::number(result);
    }
    // Row 0 is the fixed row: the cursor never lands there.
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (index.row() == 0) return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

  private:
    const Permanence& permanence_;
    ListGrid grid_;
};

namespace {

class ListCellDelegate : public QStyledItemDelegate {
  public:
    ListCellDelegate(const ListGridModel* model, const int* columnWidth, std::function<bool(int)> selected,
                     QObject* parent)
        : QStyledItemDelegate(parent),
          model_(model),
          column_width_(columnWidth),
          selected_(std::move(selected)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect cell = option.rect.adjusted(0, 0, -1, -1);  // the last pixel is the grid line
        const QColor colour = NumberColour(model_->Result(index.column()));
        // The selected spin is framed also while a button has the focus: it is the one "Zahl entfernen"
        // takes.
        const bool focused = index.row() == 1 && selected_(index.column());
        QColor text(Qt::yellow);
        painter->save();
        if (index.row() == 0) {
            painter->fillRect(cell, kHotTrack);
            painter->setPen(Qt::white);
            painter->drawLine(cell.topLeft(), cell.topRight());
            painter->drawLine(cell.topLeft(), cell.bottomLeft());
            painter->setPen(Qt::darkGray);
            painter->drawLine(cell.bottomLeft(), cell.bottomRight());
            painter->drawLine(cell.topRight(), cell.bottomRight());
        } else {
            painter->fillRect(cell, colour);
            if (focused && colour == kRed) text = Qt::white;
        }
        const QString value = index.data().toString();
        painter->setFont(option.font);
        painter->setPen(text);
        const int x = cell.left() + *column_width_ / 2 - option.fontMetrics.horizontalAdvance(value) / 2;
        painter->drawText(QPoint(x, cell.top() + option.fontMetrics.ascent()), value);
        if (focused) {
            painter->setPen(QPen(Qt::yellow, 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(cell.adjusted(1, 1, 0, 0));
        }
        painter->restore();
    }

  private:
    const ListGridModel* model_;
    const int* column_width_;
    std::function<bool(int)> selected_;
};

}  // namespace

NumberListEditor::NumberListEditor(Permanence& permanence, const DataFolders& folders, QWidget* parent)
    : QDialog(parent), permanence_(permanence), folders_(folders) {
    BuildWindow();
}

NumberListEditor::~NumberListEditor() = default;

void NumberListEditor::BuildGridLabels(int g) {
    auto* panel = new QFrame(this);
    panel->setObjectName(QString("JvPanel%1").arg(g + 1));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setGeometry(8, kGridTops[g], 62, kGridHeight);
    panel->setAutoFillBackground(true);
    QPalette pp = panel->palette();
    pp.setColor(QPalette::Window, kHotTrack);
    pp.setColor(QPalette::WindowText, Qt::yellow);
    panel->setPalette(pp);
    QFont labelFont = font();
    labelFont.setPixelSize(11);
    labelFont.setBold(true);
    for (int row = 0; row < 2; ++row) {
        auto* label = new QLabel(row == 0 ? "Runde:" : "Zahl:", panel);
        const int number = row == 0 ? g + 1 : g + 1 + kListGridCount;
        label->setObjectName(QString("Label%1").arg(number));
        label->setProperty("textName", row == 0 ? "LabelRunde" : "LabelZahl");
        label->setFont(labelFont);
        label->setGeometry(4, 1 + row * (kRowHeight + 1), 56, kRowHeight);
        labels_[number - 1] = label;
    }
    panel->hide();
    panels_[g] = panel;
}

void NumberListEditor::BuildGrid(int g) {
    auto* grid = new QTableView(this);
    grid->setObjectName(QString("StringGrid%1").arg(g + 1));
    grid->setProperty("tag", g + 1);
    auto* model = new ListGridModel(permanence_, grid);
    grid->setModel(model);
    grid->setItemDelegate(new ListCellDelegate(
        model, &page_.columnWidth,
        [this, g](int column) { return g == selected_grid_ && column == selected_column_; }, grid));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight + 1);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setFrameShape(QFrame::Box);
    grid->setLineWidth(1);
    QFont cellFont = font();
    cellFont.setPixelSize(11);
    grid->setFont(cellFont);
    grid->installEventFilter(this);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, g, grid] {
        if (grid->hasFocus()) RememberSelection(g);
    });
    grid->hide();
    grids_[g] = grid;
    models_[g] = model;
}

void NumberListEditor::BuildButtons() {
    struct ButtonPlace {
        int x, width;
    };
    // JvImage1..JvImage8 in one row: Anfang, 10000 back, Zurück, Vorwärts, 10000 forward, Ende, then the
    // two that change or end the editing.
    const std::array<ButtonPlace, 8> places = {
        {{225, 94}, {329, 94}, {17, 94}, {537, 94}, {121, 94}, {433, 94}, {651, 110}, {771, 80}}};
    const std::array<std::function<void()>, 8> clicks = {
        [this] { PreviousPage(); },       [this] { NextPage(); },        [this] { FirstPage(); },
        [this] { LastPage(); },           [this] { BackTenThousand(); }, [this] { ForwardTenThousand(); },
        [this] { RemoveSelectedSpin(); }, [this] { CloseEditor(); }};
    for (int b = 0; b < 8; ++b) {
        auto* button = new ImageButton(this);
        button->setObjectName(QString("JvImage%1").arg(b + 1));
        button->setGeometry(places[b].x, 410, places[b].width, 30);
        button->setCursor(Qt::PointingHandCursor);
        button->onClick = clicks[b];
        buttons_[b] = button;
    }
    // The jump buttons keep the picture and the "10000" they get here; the others are drawn when the
    // language is applied.
    const QPixmap arrow = LoadPicture(QString::fromUtf8("Buttonunten/Vorwärts.bmp"));
    DrawCaption(buttons_[4], arrow.transformed(QTransform().rotate(180)), "10000", 65, {94, 30});
    DrawCaption(buttons_[5], arrow, "10000", 40, {94, 30});
}

void NumberListEditor::BuildWindow() {
    setObjectName("ZahlenListe");
    setWindowTitle("Zentora");
    setFixedSize(858, 455);
    setModal(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    for (int g = 0; g < kListGridCount; ++g) {
        BuildGridLabels(g);
        BuildGrid(g);
    }
    BuildButtons();
    TextsHub& texts = TextsHub::Instance();
    texts.RegisterWindow(TextWindow::Editor, this, [this](const TextTarget& target, const QString& text) {
        return TakeText(target, text);
    });
    connect(&texts, &TextsHub::languageChanged, this, [this] {
        message_ = TextsHub::Instance().TranslateWordsText(QStringLiteral("Keine Zahlen vorhanden!"));
        update();
    });
    InstallAccessibility(*this);
}

QPixmap NumberListEditor::LoadPicture(const QString& file) const {
    QPixmap picture(folders_.Read(file));
    if (picture.isNull()) return picture;
    // The bottom-left pixel's colour is see-through, as with every transparent picture of the program.
    const QImage image = picture.toImage();
    picture.setMask(picture.createMaskFromColor(QColor(image.pixel(0, image.height() - 1)), Qt::MaskInColor));
    return picture;
}

void NumberListEditor::DrawCaption(ImageButton* button, QPixmap picture, const QString& text, int centre,
                                   QSize size) {
    if (picture.isNull()) {
        // Without its picture file the button still shows a plain face, so it stays usable.
        picture = QPixmap(size);
        picture.fill(Qt::transparent);
        QPainter face(&picture);
        face.setPen(QPen(QColor(250, 230, 140), 2));
        face.setBrush(QColor(120, 20, 20));
        face.drawRoundedRect(QRect(1, 1, size.width() - 3, size.height() - 3), 10, 10);
    } else if (picture.size() != size) {
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPainter painter(&picture);
    QFont captionFont = font();
    captionFont.setPointSize(8);
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.setPen(Qt::yellow);
    const QFontMetrics metrics(captionFont);
    const int x = centre - metrics.horizontalAdvance(text) / 2;
    painter.drawText(QPoint(x, 5 + metrics.ascent()), text);
    painter.end();
    button->setPixmap(picture);
    button->setProperty("caption", text);
}

// The image buttons get their captions on freshly loaded pictures.
bool NumberListEditor::TakeText(const TextTarget& target, const QString& text) {
    if (target.role != TextRole::Drawn) return false;
    const std::string_view name = target.control;
    const QTransform turn = QTransform().rotate(180);
    const auto turned = [&](const QPixmap& picture) {
        return picture.isNull() ? picture : picture.transformed(turn);
    };
    if (name == "JvImage1")
        DrawCaption(buttons_[0], turned(LoadPicture(QString::fromUtf8("Buttonunten/Vorwärts.bmp"))), text, 55,
                    {94, 30});
    else if (name == "JvImage2")
        DrawCaption(buttons_[1], LoadPicture(QString::fromUtf8("Buttonunten/Vorwärts.bmp")), text, 40,
                    {94, 30});
    else if (name == "JvImage3")
        DrawCaption(buttons_[2], turned(LoadPicture("Buttonunten/Ende.bmp")), text, 65, {94, 30});
    else if (name == "JvImage4")
        DrawCaption(buttons_[3], LoadPicture("Buttonunten/Ende.bmp"), text, 45, {94, 30});
    else if (name == "JvImage7")
        DrawCaption(buttons_[6], LoadPicture("Buttonunten/Buttonlang.bmp"), text, 55, {110, 30});
    else if (name == "JvImage8")
        DrawCaption(buttons_[7], LoadPicture("Buttonunten/Button.bmp"), text, 40, {80, 30});
    else
        return false;
    return true;
}

void NumberListEditor::ShowPageEndingAt(std::int64_t n) {
    page_ = zentora::NumberListPage(n, static_cast<std::int64_t>(permanence_.size()));
    ShowPage();
}

void NumberListEditor::ShowPage() {
    const int w = page_.columnWidth;
    for (int g = 0; g < kListGridCount; ++g) {
        QTableView* grid = grids_[g];
        const ListGrid& content = page_.grids[g];
        const int column = grid->currentIndex().isValid() ? grid->currentIndex().column() : 0;
        models_[g]->SetGrid(content);
        if (!content.Shown()) {
            grid->hide();
            panels_[g]->hide();
            continue;
        }
        grid->horizontalHeader()->setDefaultSectionSize(w + 1);
        grid->setGeometry(kGridLeft, kGridTops[g], ListGridPixelWidth(w, content.columns), kGridHeight);
        // The cursor keeps its column where the grid still has it, as a grid's column count change does.
        grid->setCurrentIndex(models_[g]->index(1, std::min(column, content.columns - 1)));
        grid->show();
        panels_[g]->show();
    }
    // The selected cell may now show another spin: the selection is always the one shown, whichever widget
    // has the focus.
    int g = selected_grid_;
    if (!page_.grids[g].Shown()) g = page_.LastShownGrid();
    if (g >= 0) RememberSelection(g);
}

void NumberListEditor::RememberSelection(int g) {
    const QModelIndex current = grids_[g]->currentIndex();
    if (!current.isValid() || !page_.grids[g].Shown()) return;
    const int before = selected_grid_;
    selected_grid_ = g;
    selected_column_ = current.column();
    selected_spin_ = page_.grids[g].SpinAt(selected_column_);
    if (before != g) grids_[before]->viewport()->update();
    grids_[g]->viewport()->update();
}

void NumberListEditor::SelectCell(int index, int column) {
    if (index < 0 || index >= kListGridCount || !page_.grids[index].Shown()) return;
    QTableView* grid = grids_[index];
    column = std::clamp(column, 0, page_.grids[index].columns - 1);
    grid->setCurrentIndex(models_[index]->index(1, column));
    grid->setFocus();
    RememberSelection(index);
}

void NumberListEditor::PageTo(std::optional<std::int64_t> end) {
    if (end) ShowPageEndingAt(*end);
}

std::int64_t NumberListEditor::Length() const {
    return static_cast<std::int64_t>(permanence_.size());
}

void NumberListEditor::PreviousPage() {
    PageTo(ListPageEndAfter(ListButton::Back, page_, Length()));
}
void NumberListEditor::NextPage() {
    PageTo(ListPageEndAfter(ListButton::Forward, page_, Length()));
}
void NumberListEditor::FirstPage() {
    PageTo(ListPageEndAfter(ListButton::First, page_, Length()));
}
void NumberListEditor::LastPage() {
    PageTo(ListPageEndAfter(ListButton::Last, page_, Length()));
}
void NumberListEditor::BackTenThousand() {
    PageTo(ListPageEndAfter(ListButton::Back10000, page_, Length()));
}
void NumberListEditor::ForwardTenThousand() {
    PageTo(ListPageEndAfter(ListButton::Forward10000, page_, Length()));
}

void NumberListEditor::RemoveSelectedSpin() {
    changed_ = true;
    if (!permanence_.empty()) {
        const ListDeletion deletion = DeleteListSpin(permanence_, page_, selected_spin_);
        if (deletion.deleted) {
            page_ = deletion.page;
            ShowPage();
            if (deletion.focusGrid >= 0) {
                const QModelIndex current = grids_[deletion.focusGrid]->currentIndex();
                const int column = deletion.selectLastColumn || !current.isValid()
                                       ? page_.grids[deletion.focusGrid].columns - 1
                                       : current.column();
                SelectCell(deletion.focusGrid, column);
            }
        }
    }
    if (permanence_.empty()) {
        buttons_[6]->hide();
        update();
    }
}

void NumberListEditor::CloseEditor() {
    close();
}

void NumberListEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    ShowPageEndingAt(Length());
    changed_ = false;
    const ListButtonsShown shown = ListButtonsOnShow(Length());
    for (int b : {0, 1, 2, 3}) buttons_[b]->setVisible(shown.paging);
    for (int b : {4, 5}) buttons_[b]->setVisible(shown.jumps);
    buttons_[6]->setVisible(shown.remove);
    selected_grid_ = 0;
    selected_column_ = 0;
    selected_spin_ = 0;
    SelectCell(0, 0);
}

void NumberListEditor::done(int result) {
    ClearAndHandOver();
    QDialog::done(result);
}

void NumberListEditor::ClearAndHandOver() {
    for (int g = 0; g < kListGridCount; ++g) {
        models_[g]->SetGrid({});
        grids_[g]->hide();
        panels_[g]->hide();
    }
    page_ = {};
    if (changed_) {
        // Handled once: a second close without a new deletion replays nothing.
        changed_ = false;
        if (permanence_.empty()) {
            if (onNew) onNew();
        } else if (onReplay) {
            onReplay();
        }
    }
    if (onRepaint) onRepaint();
}

void NumberListEditor::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!permanence_.empty()) return;
    QPainter painter(this);
    QFont messageFont = font();
    messageFont.setPointSize(24);
    messageFont.setBold(true);
    painter.setFont(messageFont);
    painter.setPen(Qt::yellow);
    const QFontMetrics metrics(messageFont);
    const int x = width() / 2 - metrics.horizontalAdvance(message_) / 2;
    const int y = height() / 2 - 40;
    painter.drawText(QPoint(x, y - metrics.height() / 2 + metrics.ascent()), message_);
}

bool NumberListEditor::eventFilter(QObject* watched, QEvent* event) {
    for (int g = 0; g < kListGridCount; ++g) {
        if (watched != grids_[g]) continue;
        if (event->type() == QEvent::FocusIn) RememberSelection(g);
        if (event->type() == QEvent::KeyPress && GridKeyDown(g, static_cast<QKeyEvent*>(event)->key()))
            return true;
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool NumberListEditor::GridKeyDown(int g, int key) {
    const QModelIndex current = grids_[g]->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    const int last = page_.grids[g].columns - 1;
    switch (key) {
        case Qt::Key_Left:
            if (column != 0) return false;
            if (g == 0) {
                if (page_.FirstShown() >= 2) {
                    PreviousPage();
                    SelectCell(kListGridCount - 1, page_.grids[kListGridCount - 1].columns - 1);
                }
            } else {
                SelectCell(g - 1, page_.grids[g - 1].columns - 1);
            }
            return true;
        case Qt::Key_Up:
            SelectCell(std::max(g - 1, 0), column);
            return true;
        case Qt::Key_Right:
            if (column != last) return false;
            if (g == kListGridCount - 1) {
                if (page_.LastShown() < Length()) {
                    NextPage();
                    SelectCell(0, 0);
                }
            } else if (page_.grids[g + 1].Shown()) {
                SelectCell(g + 1, 0);
            }
            return true;
        case Qt::Key_Down:
            if (g < kListGridCount - 1 && page_.grids[g + 1].Shown() && page_.grids[g + 1].columns > column)
                SelectCell(g + 1, column);
            return true;
        default:
            return false;
    }
}

}  // namespace zentora
