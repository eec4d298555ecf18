// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QStyledItemDelegate>
#include <chrono>
#include <cmath>

#include "catalogue/number_set.h"
#include "ui/io/data_files.h"
#include "ui/table_geometry.h"
#include "ui/texts/letter_pictures.h"
#include "ui/texts/texts_hub.h"
#include "ui/widgets/angled_label.h"

namespace zentora {

namespace {

const QColor kMoneyGreen(192, 220, 192);
const QColor kWindowGreen(0, 128, 0);
QRect ToQRect(table::Rect r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}
std::string ToStd(const QString& text) {
    return text.toStdString();
}

// The signal list: centred navy text on money green, no visible selection.
class SignalListDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->fillRect(option.rect, kMoneyGreen);
        QFont font = option.font;
        font.setPixelSize(21);
        painter->setFont(font);
        painter->setPen(QColor(0, 0, 128));
        painter->drawText(option.rect, Qt::AlignCenter, index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(0, 24); }
};

// The recent-numbers grid: per-column text colour, right-aligned, one line.
class RecentGridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->fillRect(option.rect, kMoneyGreen);
        static const QColor colours[3] = {Qt::black, QColor(0, 128, 0), QColor(255, 0, 0)};
        painter->setFont(option.font);
        painter->setPen(colours[index.column()]);
        painter->drawText(option.rect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data().toString());
    }
};

// The widest texts a counter label shows: five-digit counters and hit rates such as "99.99%", of every digit
// (a font need not give all digits one width).
QStringList WidestValueTexts() {
    const QString point = QLocale::system().decimalPoint();
    QStringList texts;
    for (char d = '0'; d <= '9'; ++d) {
        const QString two(2, QLatin1Char(d));
        texts << QString(5, QLatin1Char(d)) << two + point + two + QLatin1Char('%');
    }
    return texts;
}

}  // namespace

MainWindow::MainWindow(const DataFolders& folders, ScreenSize screen, ScreenSize available, QWidget* parent)
    : QMainWindow(parent),
      folders_(folders),
      language_(std::filesystem::path(ToStd(folders.Read("Einstellungen/Sprache.csv")))) {
    setObjectName("Form1");
    setWindowTitle("Zentora");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    random_.seed(static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));

    canvas_ = new QWidget(this);
    canvas_->setObjectName("Form1Client");
    canvas_->setAutoFillBackground(true);
    QPalette palette = canvas_->palette();
    palette.setColor(QPalette::Window, kWindowGreen);
    canvas_->setPalette(palette);
    setCentralWidget(canvas_);

    BuildMenu();
    LoadPictures();
    BuildControls();
    resize(table::kWindow.width, table::kWindow.height);
    canvas_->resize(table::kWindow.width, table::kWindow.height - menuBar()->sizeHint().height());
    ApplyDisplayLayout(screen, available);

    TextsHub& texts = TextsHub::Instance();
    texts.SetTable(&language_);
    texts.RegisterWindow(TextWindow::Main, this, [this](const TextTarget& target, const QString& text) {
        return TakeText(target, text);
    });
    DrawTableWord(even_word_, QStringLiteral("gerade"));
    DrawTableWord(odd_word_, QStringLiteral("ungerade"));
    InstallAccessibility(*this);
}

MainWindow::~MainWindow() {
    // The base class closes the window after this, which takes the focus from the field: its handler must not
    // reach this window then.
    if (random_count_edit_) random_count_edit_->disconnect(this);
    StoreLanguage();
    if (TextsHub::Instance().Table() == &language_) TextsHub::Instance().SetTable(nullptr);
}

QPixmap MainWindow::LoadTransparent(const QString& file) const {
    QPixmap picture(folders_.Read(file));
    if (picture.isNull()) return picture;
    // As with every transparent picture here: the bottom-left pixel's colour is see-through.
    const QImage image = picture.toImage();
    const QRgb key = image.pixel(0, image.height() - 1);
    picture.setMask(picture.createMaskFromColor(QColor(key), Qt::MaskInColor));
    return picture;
}

void MainWindow::LoadPictures() {
    // A missing picture leaves its control empty; the play state does not depend on it.
    chip_bitmap_ = LoadTransparent("Bilder/Chip1.bmp");
    for (int n = 0; n <= 36; ++n)
        pressed_bitmaps_[n] = LoadPixmap(folders_.Read(QString("Buttonunten/%1.bmp").arg(n)));
}

QLabel* MainWindow::MakeLabel(const QString& name, const QRect& bounds, int pixelSize) {
    // The dozen labels may be written at an angle set by the layout file.
    QLabel* label = name.startsWith("JvLabel") ? new AngledLabel(canvas_) : new QLabel(canvas_);
    label->setObjectName(name);
    label->setGeometry(bounds);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    label->setFont(font);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::yellow);
    label->setPalette(p);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

void MainWindow::BuildTableFields() {
    background_ = new QLabel(canvas_);
    background_->setObjectName("Hintergrund");
    background_->setGeometry(ToQRect(table::kHintergrund));
    background_->setScaledContents(true);
    background_->setPixmap(LoadPixmap(folders_.Read("Bilder/Hintergrund.bmp")));

    zero_field_ = new ClickableImage(canvas_);
    zero_field_->setObjectName("ZeroButton");
    zero_field_->setGeometry(ToQRect(table::kZeroField));
    zero_field_->setScaledContents(true);
    zero_field_->setCursor(Qt::PointingHandCursor);
    fields_[0] = zero_field_;
    for (int n = 1; n <= 36; ++n) {
        auto* field = new ClickableImage(canvas_);
        field->setObjectName(QString("Image%1").arg(n));
        field->setGeometry(ToQRect(table::NumberField(n)));
        field->setScaledContents(true);
        field->setCursor(Qt::PointingHandCursor);
        fields_[n] = field;
    }
    for (int n = 0; n <= 36; ++n) {
        fields_[n]->setProperty("tag", n);
        fields_[n]->onMouseDown = [this, n](QMouseEvent*) { FieldMouseDown(n); };
        fields_[n]->onMouseUp = [this, n](QMouseEvent*) { FieldMouseUp(n); };
        fields_[n]->onClick = [this, n] { EnterSpin(n); };
    }
}

void MainWindow::BuildCounterLabels() {
    for (int n = 0; n <= 46; ++n) {
        const bool spinCount = n == 37;
        labels_[n] = MakeLabel(QString("Label%1").arg(n), ToQRect(table::CounterLabel(n)), 19);
        const bool onTable = n >= 38 && n <= 43;
        labels_[n]->setAlignment(spinCount ? Qt::AlignRight | Qt::AlignVCenter
                                           : (onTable ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter));
    }
    for (int i = 0; i < 3; ++i)
        twelve_labels_[i] =
            MakeLabel(QString("JvLabel%1").arg(i + 1), ToQRect(table::CounterLabel(47 + i)), 13);
}

void MainWindow::BuildRecentGrid() {
    recent_grid_ = new QTableWidget(20, 3, canvas_);
    recent_grid_->setObjectName("StringGrid1");
    recent_grid_->setGeometry(ToQRect(table::kStringGrid1));
    recent_grid_->horizontalHeader()->hide();
    recent_grid_->verticalHeader()->hide();
    recent_grid_->setShowGrid(false);
    recent_grid_->setFrameShape(QFrame::NoFrame);
    recent_grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    recent_grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    recent_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recent_grid_->setSelectionMode(QAbstractItemView::NoSelection);
    recent_grid_->setFocusPolicy(Qt::NoFocus);
    recent_grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    recent_grid_->verticalHeader()->setMinimumSectionSize(1);
    recent_grid_->verticalHeader()->setDefaultSectionSize(18);
    recent_grid_->horizontalHeader()->setMinimumSectionSize(1);
    recent_grid_->horizontalHeader()->setDefaultSectionSize(20);
    recent_grid_->setItemDelegate(new RecentGridDelegate(recent_grid_));
    QFont gridFont = recent_grid_->font();
    gridFont.setPixelSize(19);
    recent_grid_->setFont(gridFont);
    QPalette gp = recent_grid_->palette();
    gp.setColor(QPalette::Base, kMoneyGreen);
    recent_grid_->setPalette(gp);
}

void MainWindow::BuildSignalList() {
    signal_list_ = new QListWidget(canvas_);
    signal_list_->setObjectName("ListBox1");
    signal_list_->setGeometry(ToQRect(table::kListBox1));
    signal_list_->setItemDelegate(new SignalListDelegate(signal_list_));
    signal_list_->setUniformItemSizes(true);
    signal_list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    signal_list_->setFocusPolicy(Qt::NoFocus);
    QPalette lp = signal_list_->palette();
    lp.setColor(QPalette::Base, kMoneyGreen);
    signal_list_->setPalette(lp);
}

void MainWindow::BuildRandomSpinControls() {
    random_count_edit_ = new QLineEdit("1", canvas_);
    random_count_edit_->setObjectName("Edit1");
    random_count_edit_->setGeometry(ToQRect(table::kEdit1));
    random_count_edit_->setValidator(new QIntValidator(0, 9999999, random_count_edit_));
    QFont editFont = random_count_edit_->font();
    editFont.setPixelSize(24);
    random_count_edit_->setFont(editFont);
    QPalette ep = random_count_edit_->palette();
    ep.setColor(QPalette::Base, kMoneyGreen);
    random_count_edit_->setPalette(ep);
    random_count_edit_->installEventFilter(this);
    // A zero shows as an empty field.
    connect(random_count_edit_, &QLineEdit::editingFinished, this, [this] {
        if (!random_count_edit_->text().isEmpty() && random_count_edit_->text().toLongLong() == 0)
            random_count_edit_->clear();
    });

    generate_button_ = new ClickableImage(canvas_);
    generate_button_->setObjectName("Image37");
    generate_button_->setGeometry(ToQRect(table::kImage37));
    generate_button_->setCursor(Qt::PointingHandCursor);
    generate_button_->setScaledContents(true);
    generate_button_->setProperty("tag", 37);
    generate_button_->onMouseDown = [this](QMouseEvent*) {
        generate_button_->move(generate_button_->pos() + QPoint(1, 1));
    };
    generate_button_->onMouseUp = [this](QMouseEvent*) {
        generate_button_->move(generate_button_->pos() - QPoint(1, 1));
    };
    generate_button_->onClick = [this] { GenerateRandomSpins(); };
}

void MainWindow::BuildChips() {
    for (int p = 0; p < kPositionCount; ++p) {
        auto* chip = new ClickableImage(canvas_);
        chip->setObjectName(QString("Images%1").arg(p));
        chip->setGeometry(ToQRect(table::ChipRect(p)));
        chip->setScaledContents(true);
        chip->onMouseDown = [this](QMouseEvent* e) { ChipMouse(e, true); };
        chip->onMouseUp = [this](QMouseEvent* e) { ChipMouse(e, false); };
        chip->hide();
        chips_[p] = chip;
    }
}

void MainWindow::BuildControls() {
    BuildTableFields();
    BuildCounterLabels();
    BuildRecentGrid();
    BuildSignalList();
    BuildRandomSpinControls();

    const auto wordLabel = [&](const char* name, table::Rect bounds) {
        auto* label = MakeLabel(name, ToQRect(bounds), 18);
        label->setScaledContents(true);
        return label;
    };
    even_word_ = wordLabel("Gerade", table::kGerade);
    odd_word_ = wordLabel("Ungerade", table::kUngerade);

    banner_ = new QLabel(canvas_);
    banner_->setObjectName("BannerWerbung");
    banner_->setGeometry(ToQRect(table::kBannerWerbung));
    banner_->setCursor(Qt::PointingHandCursor);

    BuildChips();

    // Behind everything: the table picture, then the zero field.
    zero_field_->lower();
    background_->lower();
    random_count_edit_->clear();
    DrawGenerateCaption();
}

QMenu* MainWindow::AddMenu(QMenu* parent, const char* name, const QString& title) {
    QMenu* m = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    m->setObjectName(name);
    m->menuAction()->setObjectName(QString(name) + "Action");
    return m;
}

QAction* MainWindow::AddMenuItem(QMenu* menu, const char* name, const QString& text,
                                 std::function<void()> slot, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, std::move(slot));
    return action;
}

void MainWindow::BuildMenu() {
    BuildFileMenu();
    BuildEditMenu();
    BuildViewMenu();
    BuildOptionsMenu();
    BuildHelpMenu();
}

void MainWindow::BuildFileMenu() {
    QMenu* datei = AddMenu(nullptr, "Datei2", QString::fromUtf8("&Datei"));
    AddMenuItem(
        datei, "Neu2", "&Neu",
        [this] {
            if (AskToSaveUnsaved()) ResetPlay();
        },
        QKeySequence::New);
    AddMenuItem(
        datei, "ffnen2", QString::fromUtf8("&Öffnen..."), [this] { OpenPermanenceFile(); },
        QKeySequence::Open);
    AddMenuItem(
        datei, "Speichern2", "&Speichern", [this] { SavePermanence(); }, QKeySequence::Save);
    AddMenuItem(
        datei, "Speichernunter2", "Speichern &unter...", [this] { SavePermanenceAs(); },
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QMenu* importieren = AddMenu(datei, "Importieren", "Daten Importieren");
    AddMenuItem(importieren, "extDatei1", "Textdatei", [this] { ImportText(); });
    AddMenuItem(importieren, "ExcelDatei2", "Exceldatei", [this] { ImportWorksheet(); });
    QMenu* exportieren = AddMenu(datei, "Exportieren", "Daten Exportieren");
    AddMenuItem(exportieren, "extDatei2", "Textdatei", [this] { ExportText(); });
    AddMenuItem(exportieren, "ExcelDatei1", "Exceldatei", [this] { ExportWorksheet(); });
    datei->addSeparator();
    AddMenuItem(
        datei, "Beenden2", "Beenden", [this] { close(); }, QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void MainWindow::BuildEditMenu() {
    QMenu* bearbeiten = AddMenu(nullptr, "Bearbeiten1", "&Bearbeiten");
    AddMenuItem(
        bearbeiten, "Zahlentfernen1", "&Letzte Zahl entfernen", [this] { RemoveLastSpin(); },
        QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddMenuItem(bearbeiten, "Zahlenlistebearbeiten1", "&Zahlen bearbeiten", [this] {
        if (showNumberListEditor) showNumberListEditor();
    });
}

void MainWindow::BuildViewMenu() {
    QMenu* anzeige = AddMenu(nullptr, "Anzeige1", "&Anzeige");
    QMenu* zeigt = AddMenu(anzeige, "AnzeigeTafelzeigt1", "Pleinanzeige zeigt...");
    auto* modes = new QActionGroup(this);
    const auto mode = [&](const char* name, const QString& text) {
        QAction* a = AddMenuItem(zeigt, name, text, [this] { RefreshDisplay(); });
        a->setCheckable(true);
        modes->addAction(a);
        return a;
    };
    show_hits_ = mode("Anzeigetafel", QString::fromUtf8("Zähler"));
    show_absences_ = mode("Rckstand1", QString::fromUtf8("Rückstand"));
    show_rates_ = mode("Prozent1", "Prozente");
    show_rates_->setChecked(true);
}

void MainWindow::BuildOptionsMenu() {
    QMenu* optionen = AddMenu(nullptr, "Option1", "&Optionen");
    AddMenuItem(optionen, "Parameter1", "&Parameter", [this] {
        if (showOptionsWindow) showOptionsWindow();
    });
    AddMenuItem(optionen, "Risikoanalyse1", "Risikoanalyse", [this] {
        if (showRiskAnalysis) showRiskAnalysis();
    });
    QMenu* sprache = AddMenu(optionen, "Sprache", "Sprache");
    QMenu* deutsch = AddMenu(sprache, "Deutsch1", "Deutsch");
    QMenu* english = AddMenu(sprache, "English1", "English");
    auto* languages = new QActionGroup(this);
    const char* captions[4] = {"Begriffe enthalten Chancenaufteilung", " Roulettefachbegriffe",
                               "Concepts Contain Chance Division", "Roulette Technical Terms"};
    for (int i = 0; i < 4; ++i) {
        QMenu* parent = i < 2 ? deutsch : english;
        QAction* a = parent->addAction(captions[i]);
        a->setObjectName(QString("Sprache%1").arg(i));
        a->setCheckable(true);
        a->setProperty("tag", i);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] {
            try {
                ChooseLanguage(a);
            } catch (const LanguageFileError& error) {
                ShowMessage(QString::fromUtf8(error.what()));  // the captions keep their texts
            }
        });
        language_actions_[i] = a;
    }
    language_actions_[0]->setChecked(true);
}

void MainWindow::BuildHelpMenu() {
    QMenu* hilfe = AddMenu(nullptr, "Hilfe1", "&Hilfe");
    // No F1 shortcut here: F1 opens the help of the window or tab in use, the menu item the contents.
    AddMenuItem(hilfe, "Inhalt1", "&Zentora-Hilfe", [this] {
        if (showHelp) showHelp();
    });
    AddMenuItem(hilfe, "Info1", "In&fo...", [this] {
        if (showInfo) showInfo();
    });
}

void MainWindow::DrawGenerateCaption() {
    // A fresh picture every time, so a new caption never lands on the old one.
    const QPixmap button2 = LoadTransparent("Buttonunten/Button2.bmp");
    QPixmap picture = button2.isNull() ? QPixmap(table::kImage37.width, table::kImage37.height) : button2;
    if (button2.isNull()) picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QFont font = generate_button_->font();
    font.setBold(true);
    font.setPointSize(10);
    painter.setFont(font);
    painter.setPen(Qt::yellow);
    const QString& caption = generate_caption_;
    const int w = QFontMetrics(QApplication::font()).horizontalAdvance(caption);
    painter.drawText(39 - w / 2, 6 + painter.fontMetrics().ascent(), caption);
    painter.end();
    generate_button_->SetUpPicture(picture);
    generate_button_->setPixmap(picture);
    generate_button_->setProperty("caption", caption);
}

// The words for even and odd, put together from the letter pictures and placed between the fields and the
// grid by the word's width.
void MainWindow::DrawTableWord(QLabel* word, const QString& text) {
    const QPixmap picture = LetterWord(folders_, text);
    const int width = 3 * QFontMetrics(QApplication::font()).horizontalAdvance(text);
    int left = 0;
    if (word == even_word_) {
        left = fields_[16]->x() / 2 - static_cast<int>(std::nearbyint(width / 2.4));
    } else {
        const int x = fields_[18]->x() + fields_[18]->width();
        left = x + (recent_grid_->x() - x) / 2 - static_cast<int>(std::nearbyint(width / 1.7));
    }
    word->setGeometry(left, word->y(), width, word->height());
    word->setPixmap(picture);
    word->setProperty("caption", text);
}

bool MainWindow::TakeText(const TextTarget& target, const QString& text) {
    const std::string_view name = target.control;
    if (name == "Image37") {
        generate_caption_ = text;
        DrawGenerateCaption();
    } else if (name == "Gerade" || name == "Ungerade") {
        DrawTableWord(name == "Gerade" ? even_word_ : odd_word_, text);
    } else if (name == "OpenDialog1") {
        open_title_ = text;
    } else if (name == "SaveDialog1") {
        save_title_ = text;
    } else {
        return false;
    }
    return true;
}

// ---- number entry and the pipeline ----

void MainWindow::EnterSpin(int number) {
    session_.EnterSpin(static_cast<std::uint8_t>(number));
    NoteSpinsAdded(1);
    AddToRecentGrid(number);
    ShowPipelineResult();
}

void MainWindow::ReplayPermanence() {
    session_.Replay();
    ShowPipelineResult();
}

void MainWindow::ShowPipelineResult() {
    FillSignalList();
    RedrawChips();
    RefreshDisplay();
}

void MainWindow::FieldMouseDown(int number) {
    if (number == 0) {
        zero_field_->setPixmap(pressed_bitmaps_[0]);
        zero_field_->SetDown(false);
        return;
    }
    fields_[number]->setPixmap(pressed_bitmaps_[number]);
}

void MainWindow::FieldMouseUp(int number) {
    fields_[number]->clear();
}

void MainWindow::ChipMouse(QMouseEvent* event, bool down) {
    const QPoint global = event->globalPosition().toPoint();
    const auto forward = [&](int number) {
        ClickableImage* field = fields_[number];
        if (!field->rect().contains(field->mapFromGlobal(global))) return;
        if (down) {
            FieldMouseDown(number);
            EnterSpin(number);
        } else {
            FieldMouseUp(number);
        }
    };
    for (int n = 1; n <= 36; ++n) forward(n);
    forward(0);
}

void MainWindow::RedrawChips() {
    const auto& stakes = session_.State().positionStake;
    for (int p = 0; p < kPositionCount; ++p) {
        ClickableImage* chip = chips_[p];
        const int v = stakes[p];
        if (v <= 0) {
            if (chip->isVisible() || !chip->pixmap().isNull()) {
                chip->clear();
                chip->hide();
            }
            continue;
        }
        chip->show();
        QPixmap picture = chip_bitmap_.isNull() ? QPixmap(table::kChipSize, table::kChipSize) : chip_bitmap_;
        if (chip_bitmap_.isNull()) picture.fill(Qt::transparent);
        QPainter painter(&picture);
        QFont font = this->font();
        font.setPointSize(8);
        painter.setFont(font);
        painter.setPen(Qt::white);
        const QString text = QString::number(v);
        const int w = QFontMetrics(this->font()).horizontalAdvance(text);
        painter.drawText(18 - w / 2, 10 + painter.fontMetrics().ascent(), text);
        painter.end();
        chip->SetUpPicture(picture);
        chip->setPixmap(picture);
    }
}

void MainWindow::FillSignalList() {
    signal_list_->clear();
    const SignalNames names = session_.SignalList();
    const auto translated = [&](const std::vector<std::string>& texts, bool words) {
        if (texts.empty()) return texts;
        try {
            return words ? language_.TranslateWords(texts) : language_.TranslateList(texts);
        } catch (const LanguageFileError&) {
            return texts;  // the list must still show what to play
        }
    };
    const auto lines =
        SignalListTopToBottom(translated(names.individuallyNamed, true), translated(names.groupNamed, false));
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) items << FromStd(line);
    signal_list_->addItems(items);
}

QString MainWindow::SlotText(int slot) const {
    if (show_hits_->isChecked()) return QString::number(session_.State().hitCounter[slot]);
    if (show_rates_->isChecked()) {
        const double rate = std::trunc(session_.State().hitRate[slot] / 10.0 + 0.5) / 100.0;
        return QLocale::system().toString(rate, 'g', 15) + "%";
    }
    return QString::number(session_.State().absenceCounter[slot]);
}

void MainWindow::RefreshDisplay() {
    labels_[37]->setText(QString::number(session_.GetPermanence().size()));
    for (int n = 0; n <= 36; ++n) labels_[n]->setText(SlotText(n));
    for (int n = 38; n <= 43; ++n) labels_[n]->setText(SlotText(n + 1369));
    for (int n = 1; n <= 3; ++n) twelve_labels_[n - 1]->setText(SlotText(n + 1412));
    for (int n = 44; n <= 46; ++n) labels_[n]->setText(SlotText(n + 1372));
}

// ---- recent-numbers grid ----

void MainWindow::AddToRecentGrid(int number) {
    const int column = IsBlack(number) ? 0 : (number == 0 ? 1 : 2);
    const int rowHeight = recent_grid_->rowHeight(0);
    recent_grid_->removeRow(19);
    recent_grid_->insertRow(0);
    recent_grid_->setRowHeight(0, rowHeight);
    recent_grid_->setItem(0, column, new QTableWidgetItem(QString::number(number)));
}

void MainWindow::RefreshRecentGrid() {
    recent_grid_->clearContents();
    const auto& permanence = session_.GetPermanence();
    if (permanence.empty()) return;
    const int count = static_cast<int>(std::min<std::size_t>(permanence.size(), 20));
    for (int i = count - 1; i >= 0; --i) AddToRecentGrid(permanence[i]);
}

// ---- New, remove, random spins ----

void MainWindow::ResetPlay() {
    unsaved_.Saved();
    save_file_name_.clear();
    for (ClickableImage* chip : chips_) chip->clear();
    session_.New();
    signal_list_->clear();
    RefreshRecentGrid();
    RefreshDisplay();
}

void MainWindow::RemoveLastSpin() {
    const bool removes = !session_.GetPermanence().empty();
    session_.RemoveLastNumber();
    if (removes) {
        unsaved_.RemovedNewest(session_.GetPermanence().OldestFirst(), save_file_name_.toStdString());
        ShowRecoveryError();
    }
    ShowPipelineResult();
    RefreshRecentGrid();
    RefreshDisplay();
}

void MainWindow::GenerateRandomSpins() {
    const long long v = random_count_edit_->text().toLongLong();  // empty counts as 0
    std::uniform_int_distribution<int> draw(0, 36);
    if (v <= 1) {
        EnterSpin(draw(random_));
        return;
    }
    // The first result drawn is the oldest of the new block.
    for (long long i = 0; i < v; ++i) session_.AppendNewest(static_cast<std::uint8_t>(draw(random_)));
    NoteSpinsAdded(static_cast<std::size_t>(v));
    ReplayPermanence();
    RefreshRecentGrid();
    random_count_edit_->clear();
    random_count_edit_->setEnabled(false);
    random_count_edit_->setEnabled(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == random_count_edit_ && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            GenerateRandomSpins();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_once_) {
        shown_once_ = true;
        RefreshDisplay();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!AskToSaveUnsaved()) {
        event->ignore();
        return;
    }
    unsaved_.Saved();  // saved, or given up with "Nein"
    StoreLanguage();
    event->accept();
}

// ---- display layout ----

void MainWindow::ApplyDisplayLayout(ScreenSize screen, ScreenSize available) {
    const LayoutDecision decision = DecideLayout(screen);
    if (decision.useLayoutFile) {
        const auto ini = LayoutIni::Load(ToStd(folders_.Read("Einstellungen/1280x800.ini")));
        QHash<QString, QWidget*> controls;
        for (QWidget* w : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->objectName().isEmpty()) controls.insert(w->objectName().toLower(), w);
        for (const LayoutAssignment& a : LayoutAssignments(ini)) {
            QWidget* w = controls.value(FromStd(a.control).toLower());
            if (!w) continue;
            QRect g = w->geometry();
            switch (a.property) {
                case LayoutProperty::Width:
                    g.setWidth(a.value);
                    break;
                case LayoutProperty::Height:
                    g.setHeight(a.value);
                    break;
                case LayoutProperty::Left:
                    g.moveLeft(a.value);
                    break;
                case LayoutProperty::Top:
                    g.moveTop(a.value);
                    break;
                case LayoutProperty::Angle:
                    w->setProperty("angle", a.value);
                    continue;
            }
            w->setGeometry(g);
        }
        zero_field_->setGeometry(kWideZeroButton.left, kWideZeroButton.top, kWideZeroButton.width,
                                 kWideZeroButton.height);
        recent_grid_->setColumnWidth(1, kWideGridMiddleColumn);
    }
    // How far the controls reach; the table picture is larger than the window by design and is cut off.
    QRect content;
    for (QWidget* w : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != background_) content |= w->geometry();
    const QSize client = canvas_->size();
    const WindowScaling scaling = ComputeWindowScaling(
        screen, available, decision.reference,
        {width(), height(), client.width(), client.height(), content.right() + 1, content.bottom() + 1});
    resize(scaling.width, scaling.height);
    if (scaling.scale) {
        for (QWidget* w : canvas_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect g = w->geometry();
            w->setGeometry(scaling.Apply(g.x()), scaling.Apply(g.y()), scaling.Apply(g.width()),
                           scaling.Apply(g.height()));
            QFont f = w->font();
            if (f.pixelSize() > 0)
                f.setPixelSize(std::max(1, scaling.Apply(f.pixelSize())));
            else
                f.setPointSizeF(f.pointSizeF() * scaling.numerator / scaling.denominator);
            w->setFont(f);
        }
    }
    FitValueFonts();
    const GridSizes sizes = ComputeGridSizes(recent_grid_->width(), recent_grid_->height());
    for (int c = 0; c < 3; ++c) recent_grid_->setColumnWidth(c, sizes.column[c]);
    recent_grid_->verticalHeader()->setDefaultSectionSize(sizes.row);
    for (int r = 0; r < 20; ++r) recent_grid_->setRowHeight(r, sizes.row);

    // The covers go on last, with the final bounds of what they cover.
    for (QWidget** cover : {&grid_cover_, &list_cover_}) delete *cover;
    const auto makeCover = [&](QWidget* covered, const char* name) {
        auto* cover = new QWidget(canvas_);
        cover->setObjectName(name);
        cover->setGeometry(covered->geometry());
        cover->show();
        cover->raise();
        return cover;
    };
    grid_cover_ = makeCover(recent_grid_, "TransparentCover1");
    list_cover_ = makeCover(signal_list_, "TransparentCover2");
}

// Scaled fonts need not keep their proportions to the labels (the font in use may be wider than the
// design's): a counter font comes down until the widest value fits its label.
void MainWindow::FitValueFonts() {
    const QStringList texts = WidestValueTexts();
    std::vector<QLabel*> values(labels_.begin(), labels_.end());
    values.insert(values.end(), twelve_labels_.begin(), twelve_labels_.end());
    for (QLabel* label : values) {
        QFont font = label->font();
        const int room = label->contentsRect().width();
        while (font.pixelSize() > 1) {
            const QFontMetrics metrics(font);
            int widest = 0;
            for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
            if (widest <= room) break;
            font.setPixelSize(font.pixelSize() - 1);
        }
        label->setFont(font);
    }
}

// ---- language ----

QString MainWindow::Tr(const char* text) const {
    try {
        return FromStd(language_.TranslateText(text));
    } catch (const LanguageFileError&) {
        return QString::fromUtf8(text);
    }
}

int MainWindow::LanguageIndex() const {
    for (int i = 0; i < 4; ++i)
        if (language_actions_[i]->isChecked()) return i;
    return 0;
}

void MainWindow::ChooseLanguage(QAction* item) {
    for (QAction* a : language_actions_) a->setChecked(false);
    item->setChecked(true);
    // Stored at once, so a program ended by a signal or a crashed session still starts in it.
    StoreLanguage();
    language_.SetLanguageIndex(LanguageIndex());
    ApplyLanguage();
}

void MainWindow::StoreLanguage() const {
    QSettings settings("Zentora", "Zentora");
    settings.setValue("Sprache", LanguageIndex());
    settings.sync();
}

void MainWindow::RestoreLanguage() {
    bool ok = false;
    const int stored = QSettings("Zentora", "Zentora").value("Sprache").toInt(&ok);
    QAction* item = ok && stored >= 0 && stored < 4 ? language_actions_[stored] : language_actions_[0];
    try {
        ChooseLanguage(item);
    } catch (const LanguageFileError&) {
        ChooseLanguage(language_actions_[0]);
    }
}

void MainWindow::ApplyLanguage() {
    TextsHub::Instance().ApplyLanguage(language_);
    FillSignalList();
}

void MainWindow::ShowMessage(const QString& text) {
    if (messageHook)
        messageHook(text);
    else
        QMessageBox::information(this, "Zentora", text);
}

}  // namespace zentora
