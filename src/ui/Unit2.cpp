#include "ui/Unit2.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "files/ini_file.h"
#include "options/group_controls.h"
#include "options/option_files.h"
#include "options/quick_settings.h"
#include "options/window_rules.h"
#include "ui/accessibility/accessibility.h"
#include "ui/charts/chart_workers.h"
#include "ui/charts/evaluation_chart.h"
#include "ui/charts/statistics_chart.h"
#include "ui/io/file_dialog_filters.h"
#include "ui/option_fields.h"
#include "ui/printing/print_dialog.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

// Rows of the group boxes line up across the row captions, the absence columns and the rate block, so every
// row and the two header lines have fixed heights.
constexpr int kRowHeight = 20;
constexpr int kHeaderLine = 15;
constexpr int kRowSpacing = 2;
constexpr int kCaptionWidth = 132;  // one width for every box, so the columns of a tab line up

struct RowText {
    GroupId id;
    const char* caption;
    const char* hint;
};

constexpr RowText kRowTexts[] = {
    {GroupId::G137, "Chance   1/37:", ""},
    {GroupId::G237, "Chance   2/37:", ""},
    {GroupId::G337, "Chance   3/37:", ""},
    {GroupId::G437, "Chance   4/37:", ""},
    {GroupId::G637, "Chance   6/37:", ""},
    {GroupId::G1237, "Chance 12/37:", "Kolonne:1,2,3 Dutzend:1,2,3"},
    {GroupId::G1837, "Chance 18/37:", "1-18,19-36,Schwarz,Rot,Gerade,Ungerade"},
    {GroupId::Z437, "Chance    4/37:", ""},
    {GroupId::Z537, "Chance    5/37:", ""},
    {GroupId::Z837, "Chance    8/37:", ""},
    {GroupId::Z937, "Chance    9/37:", ""},
    {GroupId::Z1237, "Chance (3x4)12/37:", ""},
    {GroupId::Z12637, "Chance (2x6)12/37:", ""},
    {GroupId::P437, "Chance 4/37:", "Finales en plein 0 bis 6"},
    {GroupId::P337, "Chance 3/37:", "Finales en plein 7 bis 9"},
    {GroupId::N337, "Chance 3/37:", "Nachbarzahlen 1/1"},
    {GroupId::N537, "Chance 5/37:", "Nachbarzahlen 2/2"},
    {GroupId::N737, "Chance 7/37:", "Nachbarzahlen 3/3"},
    {GroupId::N937, "Chance 9/37:", "Nachbarzahlen 4/4"},
    {GroupId::SS637, "Chance 6/37 Splitt:", "Serie 7/10,8/11,9/12"},
    {GroupId::SS837, "Chance 8/37 Splitt:", "Serie 0/3,1/4,2/5,3/6"},
    {GroupId::S637, "Chance 6/37:", "Serie 7/8,8/9,9/10"},
    {GroupId::S737, "Chance 7/37:", "Serie 4/7,5/8,6/9,6/7,Jeu0"},
    {GroupId::S837, "Chance 8/37:", "Serie 0/1,1/2,2/3,3/4,4/5,5/6"},
    {GroupId::S937, "Chance 9/37:", "Jeu 7/9"},
    {GroupId::S1237, "Chance 12/37:", "kleine Serie"},
    {GroupId::S1737, "Chance 17/37:", "Grosse Serie 0/2/3"},
};

const RowText& TextOf(GroupId id) {
    for (const RowText& r : kRowTexts)
        if (r.id == id) return r;
    return kRowTexts[0];
}

// The window labels keep the design's one typo ("Bis Runde(8);").
QString WindowLabel(int n) {
    return n == 8 ? QStringLiteral("Bis Runde(8);") : QStringLiteral("Bis Runde(%1):").arg(n);
}

QLabel* HeaderLabel(const QString& text, QWidget* parent, int lines = 2) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(lines > 1);
    label->setFixedHeight(lines * kHeaderLine);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QGridLayout* RowGrid(QWidget* parent) {
    auto* grid = new QGridLayout(parent);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(kRowSpacing);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    return grid;
}

QPushButton* Button(const QString& name, const QString& caption, QWidget* parent, int tag = 0) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (tag) button->setProperty("tag", tag);
    return button;
}

QRadioButton* Radio(const QString& name, const QString& caption, QWidget* parent, const QString& hint = {}) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(name);
    if (!hint.isEmpty()) radio->setToolTip(hint);
    return radio;
}

// Controls that share one text carry its name in "textName" (see lang/window_texts.cpp).
template <typename W>
W* TextName(W* widget, const char* name) {
    widget->setProperty("textName", name);
    return widget;
}

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

}  // namespace

TForm2::TForm2(const QString& dataRoot, AppliedSettings& applied, QWidget* parent)
    : QDialog(parent), data_root_(dataRoot), applied_(applied) {
    setObjectName("Form2");
    setWindowTitle(QStringLiteral("Zentora Optionsfenster"));
    setModal(true);
    views_.assign(model_.FieldCount(), nullptr);
    BuildWindow();
    setFixedSize(757, 645);
    model_.SetListener([this](FieldId id, FieldChange change) { OnModelChange(id, change); });
    translate = [](const QString& text) { return TextsHub::Instance().TranslateText(text); };
    TextsHub& texts = TextsHub::Instance();
    texts.rateBlocksShown = [this] { return model_.RateBlocksShown(); };
    texts.RegisterWindow(TextWindow::Options, this);
    FormCreate();
    drucker_ = std::make_unique<PrintDialog>();
    InstallAccessibility(*this);
}

TForm2::~TForm2() {
    StopWorkers();
    // The hub outlives this window and must not ask a destroyed model.
    TextsHub::Instance().rateBlocksShown = nullptr;
    model_.SetListener(nullptr);
}

QCustomPlot* TForm2::Chart1() const {
    return chart1_;
}

QCustomPlot* TForm2::Chart2() const {
    return chart2_;
}

void TForm2::PrintChart(QCustomPlot* chart) {
    drucker_->SetChart(chart);
    drucker_->move(frameGeometry().center() - drucker_->rect().center());
    drucker_->exec();
}

void TForm2::BitBtn5Click() {
    PrintChart(Chart1());
}

void TForm2::BitBtn6Click() {
    PrintChart(Chart2());
}

QString TForm2::OptionsFolder() const {
    return QDir(data_root_).filePath(QStringLiteral("Einstellungen"));
}

QString TForm2::DataIniPath() const {
    return QDir(OptionsFolder()).filePath(QStringLiteral("data.ini"));
}

QString TForm2::Tr(const QString& text) const {
    return translate ? translate(text) : text;
}

void TForm2::Message(const QString& text) {
    if (showMessage)
        showMessage(text);
    else
        QMessageBox::warning(this, QStringLiteral("Zentora"), text);
}

// ---------------------------------------------------------------------------------------------------------
// Building

void TForm2::Bind(FieldView* view, QWidget* widget) {
    views_[view->Id()] = view;
    (void)widget;
}

FieldSpinBox* TForm2::Spin(FieldId id, QWidget* parent, int width) {
    auto* spin = new FieldSpinBox(model_, id, parent);
    spin->setFixedHeight(kRowHeight);
    if (width) spin->setFixedWidth(width);
    Bind(spin, spin);
    return spin;
}

QWidget* TForm2::Check(int checkBox, const QString& caption, QWidget* parent, const QString& hint) {
    auto* box = new FieldCheckBox(model_, model_.CheckBox(checkBox), caption, parent);
    if (!hint.isEmpty()) box->setToolTip(hint);
    Bind(box, box);
    return box;
}

void TForm2::BuildWindow() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);

    optionsfenster_ = new QTabWidget(this);
    optionsfenster_->setObjectName("Optionsfenster");
    layout->addWidget(optionsfenster_, 1);

    const char* titles[6] = {"Permanenz && Einsatz I",
                             "Permanenz && Einsatz II",
                             "Tischeinstellung",
                             "Sonstiges",
                             "Statistiken",
                             "Auswertung"};
    const int helpContexts[6] = {31, 31, 32, 33, 34, 35};
    for (int t = 0; t < 6; ++t) {
        QWidget* page = t < 2    ? BuildPermanenceTab(t)
                        : t == 2 ? BuildTableTab()
                        : t == 3 ? BuildMiscTab()
                        : t == 4 ? BuildStatisticsTab()
                                 : BuildEvaluationTab();
        page->setObjectName(QStringLiteral("TabSheet%1").arg(t + 1));
        page->setProperty("helpContext", helpContexts[t]);
        optionsfenster_->addTab(page, QString::fromUtf8(titles[t]));
    }

    auto* buttons = new QHBoxLayout;
    speed_button1_ = new FieldToggleButton(model_, model_.SpeedButton1(), this);
    speed_button1_->setAutoDefault(false);
    speed_button1_->translate = [this](const QString& text) { return Tr(text); };
    speed_button1_->setMinimumWidth(150);
    Bind(speed_button1_, speed_button1_);
    buttons->addWidget(speed_button1_);
    buttons->addStretch(1);
    QPushButton* button1 = Button("Button1", QStringLiteral("Übernehmen"), this);
    QPushButton* button8 = Button("Button8", QStringLiteral("OK"), this);
    QPushButton* button2 = Button("Button2", QStringLiteral("Abbrechen"), this);
    for (QPushButton* b : {button1, button8, button2}) {
        b->setMinimumWidth(90);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    window_parts_ = {optionsfenster_, speed_button1_, button1, button8, button2};
    BuildWaitPanel();

    connect(optionsfenster_, &QTabWidget::currentChanged, this, &TForm2::OptionsfensterChange);
    connect(button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(button8, &QPushButton::clicked, this, &TForm2::Button8Click);
    connect(button2, &QPushButton::clicked, this, &TForm2::Button2Click);
}

QWidget* TForm2::BuildPermanenceTab(int tab) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    using enum GroupId;
    if (tab == 0) {
        layout->addWidget(BuildGroupBox("Standard Chancen", {G137, G237, G337, G437, G637, G1237, G1837}, 0));
        layout->addWidget(BuildGroupBox("Zusätzliche Chancen", {Z437, Z537, Z837, Z937, Z1237, Z12637}, 1));
    } else {
        layout->addWidget(BuildGroupBox("Pleins", {P437, P337}, 2));
        layout->addWidget(BuildGroupBox("Nachbarzahlen", {N337, N537, N737, N937}, 3));
        layout->addWidget(BuildGroupBox("Serien", {SS637, SS837, S637, S737, S837, S937, S1237, S1737}, 4));
    }
    layout->addStretch(1);
    return page;
}

// A box of group rows: the row captions, then either the absence columns or the rate block beside them.
QGroupBox* TForm2::BuildGroupBox(const QString& title, const std::vector<GroupId>& groups, int box) {
    auto* groupBox = new QGroupBox(title);
    const char* boxNames[5] = {"GroupBoxStandard", "GroupBoxZusatz", "GroupBoxPleins",
                               "GroupBoxNachbarzahlen", "GroupBoxSerien"};
    TextName(groupBox, boxNames[box]);
    auto* layout = new QHBoxLayout(groupBox);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(6);

    auto* captions = new QWidget(groupBox);
    QGridLayout* captionGrid = RowGrid(captions);
    captions->setFixedWidth(kCaptionWidth);
    captionGrid->addWidget(HeaderLabel(QString(), captions), 0, 0);
    for (std::size_t r = 0; r < groups.size(); ++r) {
        const RowText& text = TextOf(groups[r]);
        auto* label = new QLabel(QString::fromUtf8(text.caption), captions);
        label->setObjectName(QStringLiteral("Caption") + QString::fromUtf8(Group(groups[r]).key));
        label->setFixedHeight(kRowHeight);
        if (*text.hint) label->setToolTip(QString::fromUtf8(text.hint));
        captionGrid->addWidget(label, static_cast<int>(r) + 1, 0);
    }
    layout->addWidget(captions, 0, Qt::AlignTop);

    std::vector<QWidget*> order;

    // The absence rule and the settings both rules share.
    auto* absence = new QWidget(groupBox);
    QGridLayout* grid = RowGrid(absence);
    const char* headers[5] = {"A/D",
                              "Ab Runde:", "So oft angespielt:", "Einsatz Technik:", "Anfangseinsatz:"};
    const char* headerNames[5] = {"LabelAD", "LabelAbRunde", "LabelSoOft", "LabelTechnik",
                                  "LabelAnfangseinsatz"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(TextName(HeaderLabel(QString::fromUtf8(headers[c]), absence), headerNames[c]), 0, c);
    for (std::size_t r = 0; r < groups.size(); ++r) {
        const GroupFields& f = model_.Fields(groups[r]);
        const int row = static_cast<int>(r) + 1;
        QWidget* sw =
            TextName(Check(Group(groups[r]).absenceCheckBox, QString(), absence, "Aktivieren/Deaktivieren"),
                     "SchalterAD");
        sw->setFixedHeight(kRowHeight);
        grid->addWidget(sw, row, 0);
        FieldSpinBox* abRunde = Spin(f.abRunde, absence, 62);
        FieldSpinBox* soOft = Spin(f.soOft, absence, 70);
        auto* technique = TextName(new FieldComboBox(model_, f.technique, absence), "Einsatztechnik");
        technique->setFixedHeight(kRowHeight);
        Bind(technique, technique);
        FieldSpinBox* stake = Spin(f.stake, absence, 62);
        stake->setToolTip(QStringLiteral("Wert zur Ermittlung der nachfolgenden Einsätze"));
        TextName(stake, "Anfangseinsatz");
        grid->addWidget(abRunde, row, 1);
        grid->addWidget(soOft, row, 2);
        grid->addWidget(technique, row, 3);
        grid->addWidget(stake, row, 4);
        order.insert(order.end(), {sw, abRunde, soOft, technique, stake});
    }
    grid->setColumnMinimumWidth(2, 70);
    layout->addWidget(absence, 0, Qt::AlignTop);

    // The rate block: the rate switch, RateStart and the twelve windows, scrolled sideways.
    auto* scroll = new QScrollArea(groupBox);
    scroll->setObjectName(QStringLiteral("RateBlock%1").arg(box + 1));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* block = new QWidget;
    QGridLayout* rates = RowGrid(block);
    QLabel* rateSwitchHeader = TextName(HeaderLabel(QStringLiteral("A/D"), block), "LabelAD");
    rateSwitchHeader->setWordWrap(false);
    rates->addWidget(rateSwitchHeader, 0, 0, 2, 1);
    rates->addWidget(TextName(HeaderLabel(QStringLiteral("Ab Runde:"), block), "LabelAbRunde"), 0, 1, 2, 1);
    for (int n = 1; n <= kRateWindowCount; ++n) {
        const int column = 2 + (n - 1) * 3;
        QLabel* label = HeaderLabel(WindowLabel(n), block, 1);
        label->setObjectName(QStringLiteral("Label%1").arg(178 + (n - 1) * 5 + box));
        label->setProperty("textName", QStringLiteral("LabelFenster%1").arg(n));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->setFrameShape(QFrame::NoFrame);
        rates->addWidget(label, 0, column, 1, 3);
        rates->addWidget(TextName(HeaderLabel(QStringLiteral("Bis Runde:"), block, 1), "LabelBisRunde"), 1,
                         column);
        rates->addWidget(TextName(HeaderLabel(QStringLiteral("Von:"), block, 1), "LabelVon"), 1, column + 1);
        rates->addWidget(TextName(HeaderLabel(QStringLiteral("Bis:"), block, 1), "LabelBis"), 1, column + 2);
    }
    for (std::size_t r = 0; r < groups.size(); ++r) {
        const GroupFields& f = model_.Fields(groups[r]);
        const int row = static_cast<int>(r) + 2;
        QWidget* sw = Check(Group(groups[r]).rateCheckBox, QString(), block);
        sw->setFixedHeight(kRowHeight);
        rates->addWidget(sw, row, 0);
        FieldSpinBox* start = Spin(f.rateStart, block, 78);
        rates->addWidget(start, row, 1);
        order.insert(order.end(), {sw, start});
        for (int n = 1; n <= kRateWindowCount; ++n) {
            const int column = 2 + (n - 1) * 3;
            FieldSpinBox* until = Spin(f.bisRunde[n - 1], block, 76);
            FieldSpinBox* von = Spin(f.von[n - 1], block, 64);
            FieldSpinBox* bis = Spin(f.bis[n - 1], block, 64);
            rates->addWidget(until, row, column);
            rates->addWidget(von, row, column + 1);
            rates->addWidget(bis, row, column + 2);
            order.insert(order.end(), {until, von, bis});
        }
    }
    // The header's two lines match the one header label of the other columns.
    rates->setRowMinimumHeight(0, kHeaderLine);
    block->adjustSize();
    scroll->setWidget(block);
    const int scrollBar = scroll->horizontalScrollBar()->sizeHint().height();
    scroll->setFixedHeight(block->sizeHint().height() + scrollBar);
    layout->addWidget(scroll, 1, Qt::AlignTop);
    layout->addStretch(0);

    ChainTabOrder(order);
    absence_panels_.push_back(absence);
    rate_panels_.push_back(scroll);
    return groupBox;
}

QWidget* TForm2::BuildTableTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* minima = TextName(new QGroupBox(QStringLiteral("Minimum für..."), page), "GroupBoxMinimum");
    auto* minGrid = new QGridLayout(minima);
    struct Row {
        FieldId id;
        const char* caption;
        const char* hint;
        const char* textName;
    };
    const Row minRows[2] = {
        {model_.Minimum1(), "den restlichen Tisch:",
         "Dutzende,Kolonnen,Transversale simple,Carré,Transversale pleine,Cheval,Plein", "LabelMinimum1"},
        {model_.Minimum2(), "Achtzehn Zahlen:", "Einfache Chancen", "LabelAchtzehn"},
    };
    int r = 0;
    for (const Row& row : minRows) {
        auto* label = TextName(new QLabel(QString::fromUtf8(row.caption), minima), row.textName);
        label->setToolTip(QString::fromUtf8(row.hint));
        FieldSpinBox* spin = Spin(row.id, minima, 80);
        spin->setToolTip(QString::fromUtf8(row.hint));
        label->setBuddy(spin);
        minGrid->addWidget(label, r, 0);
        minGrid->addWidget(spin, r++, 1);
    }
    QPushButton* button9 =
        Button("Button9", QStringLiteral("Alle Anfangseinsätze dem Minimum anpassen."), minima);
    connect(button9, &QPushButton::clicked, this, &TForm2::Button9Click);
    minGrid->addWidget(button9, r, 0, 1, 2, Qt::AlignLeft);
    minGrid->setColumnStretch(2, 1);

    auto* maxima = TextName(new QGroupBox(QStringLiteral("Maximum für..."), page), "GroupBoxMaximum");
    auto* maxGrid = new QGridLayout(maxima);
    const char* maxCaptions[7][2] = {{"Eine Zahl: ", "Plein"},
                                     {"Zwei Zahlen:", "Cheval"},
                                     {"Drei Zahlen:", "Transversale pleine"},
                                     {"Vier Zahlen:", "Carré"},
                                     {"Sechs Zahlen:", "Transversale simple"},
                                     {"Zwölf Zahlen:", "Dutzende, Kolonnen"},
                                     {"Achtzehn Zahlen:", "Einfache Chancen"}};
    for (int i = 0; i < 7; ++i) {
        const char* maxNames[7] = {"LabelMaximum1", "LabelMaximum2",  "LabelMaximum3", "LabelMaximum4",
                                   "LabelMaximum6", "LabelMaximum12", "LabelAchtzehn"};
        auto* label = TextName(new QLabel(QString::fromUtf8(maxCaptions[i][0]), maxima), maxNames[i]);
        label->setToolTip(QString::fromUtf8(maxCaptions[i][1]));
        FieldSpinBox* spin = Spin(model_.Maxima()[i], maxima, 80);
        spin->setToolTip(QString::fromUtf8(maxCaptions[i][1]));
        label->setBuddy(spin);
        maxGrid->addWidget(label, i, 0);
        maxGrid->addWidget(spin, i, 1);
    }
    maxGrid->setColumnStretch(2, 1);

    layout->addWidget(minima);
    layout->addWidget(maxima);
    layout->addWidget(
        Check(2, QStringLiteral("Bei Zero werden Einsätze auf Einfache Chancen halbiert"), page));
    layout->addStretch(1);
    return page;
}

QWidget* TForm2::BuildMiscTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* behaviour =
        TextName(new QGroupBox(QStringLiteral("Spielverhalten"), page), "GroupBoxSpielverhalten");
    auto* behaviourLayout = new QVBoxLayout(behaviour);
    behaviourLayout->addWidget(Check(1, QStringLiteral("Nur eine Chance anspielen"), behaviour));
    behaviourLayout->addWidget(Check(35, QStringLiteral("Andere Chancen verschieben"), behaviour));
    behaviourLayout->addWidget(Check(32, QStringLiteral("Chancen auf Spieltisch splitten"), behaviour));
    // Stored and copied like every check box, without a visible function.
    const std::pair<int, const char*> hidden[4] = {
        {33, ""}, {36, ""}, {37, ""}, {38, "Solange anspielen bis Chance gekommen ist"}};
    for (const auto& [k, caption] : hidden) Check(k, QString::fromUtf8(caption), behaviour)->hide();
    behaviourLayout->addStretch(1);

    auto* orphelin = TextName(new QGroupBox(QStringLiteral("Welche Orphelin soll angespielt werden?"), page),
                              "GroupBoxOrphelin");
    auto* orphelinLayout = new QVBoxLayout(orphelin);
    for (auto [id, caption] :
         {std::pair{model_.RadioButton1(), "Plein"}, std::pair{model_.RadioButton2(), "a Cheval"}}) {
        auto* radio = new FieldRadioButton(model_, id, QString::fromUtf8(caption), orphelin);
        Bind(radio, radio);
        orphelinLayout->addWidget(radio);
    }
    orphelinLayout->addStretch(1);

    auto* split = TextName(new QGroupBox(QStringLiteral("Folgende Serien kann man splitten:"), page),
                           "GroupBoxSplitten");
    auto* splitLayout = new QVBoxLayout(split);
    splitLayout->addWidget(Check(30, QStringLiteral("Serien 8/37"), split, "Serie 0/3,1/4,2/5,3/6"));
    splitLayout->addWidget(Check(31, QStringLiteral("Serien 6/37"), split, "Serie 7/10,8/11,9/12"));
    splitLayout->addWidget(Check(34, QStringLiteral("Serie 12/37"), split, "Kleine Serie"));
    splitLayout->addStretch(1);

    auto* quick = TextName(new QGroupBox(QStringLiteral("Schnelleinstellungen"), page), "GroupBoxSchnell");
    auto* quickLayout = new QVBoxLayout(quick);
    QPushButton* button10 = Button("Button10", QStringLiteral("Alle Minimalen Prozentwerte anpassen"), quick);
    QPushButton* button11 = Button("Button11", QStringLiteral("Alle Maximalen Permanenzen anpassen"), quick);
    connect(button10, &QPushButton::clicked, this, &TForm2::Button10Click);
    connect(button11, &QPushButton::clicked, this, &TForm2::Button11Click);
    quickLayout->addWidget(button10);
    quickLayout->addWidget(button11);
    quickLayout->addStretch(1);

    auto* colours = TextName(new QGroupBox(QStringLiteral("Chartlinien"), page), "GroupBoxChartlinien");
    auto* colourGrid = new QGridLayout(colours);
    const char* colourLabels[5] = {"Index-Linien", "aktuelle Höchst- oder Tiefstände", "Eingestellter Wert",
                                   "Markierung für Setzsignal", "Rundbegrenzung bei Prozentwerten"};
    for (int k = 1; k <= 5; ++k) {
        auto* button = new FieldColorButton(model_, model_.Colour(k), colours);
        Bind(button, button);
        auto* label = new QLabel(QString::fromUtf8(colourLabels[k - 1]), colours);
        label->setBuddy(button);
        label->setProperty("textName", QStringLiteral("LabelFarbe%1").arg(k));
        colourGrid->addWidget(button, k - 1, 0);
        colourGrid->addWidget(label, k - 1, 1);
    }
    colourGrid->setColumnStretch(1, 1);

    auto* files =
        TextName(new QGroupBox(QStringLiteral("Optionen Öffnen/Speichern"), page), "GroupBoxOptionen");
    auto* filesLayout = new QHBoxLayout(files);
    QPushButton* button3 = Button("Button3", QStringLiteral("Öffnen"), files);
    QPushButton* button16 = Button("Button16", QStringLiteral("Speichern"), files);
    connect(button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(button16, &QPushButton::clicked, this, &TForm2::Button16Click);
    filesLayout->addWidget(button3);
    filesLayout->addWidget(button16);
    filesLayout->addStretch(1);

    grid->addWidget(behaviour, 0, 0);
    grid->addWidget(orphelin, 0, 1);
    grid->addWidget(split, 1, 0);
    grid->addWidget(quick, 1, 1);
    grid->addWidget(colours, 2, 0);
    grid->addWidget(files, 2, 1, Qt::AlignTop);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* TForm2::BuildStatisticsTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    chart1_ = new StatisticsChart(page);
    chart1_->setMinimumHeight(240);
    layout->addWidget(chart1_, 1);
    connect(chart1_, &StatisticsChart::ValueLineClicked, this, &TForm2::TakeOver);

    auto* tools = new QHBoxLayout;
    tools->setSpacing(4);
    QPushButton* button15 = Button("Button15", QStringLiteral("Berechnen"), page);
    QPushButton* bitBtn1 = Button("BitBtn1", QStringLiteral("Vergrössern"), page, 120);
    QPushButton* bitBtn2 = Button("BitBtn2", QStringLiteral("Verkleinern"), page, 80);
    QPushButton* button5 = Button("Button5", QStringLiteral("Zurücksetzen"), page);
    QPushButton* button12 = Button("Button12", QStringLiteral("Chart als Bild speichern"), page);
    connect(button15, &QPushButton::clicked, this, &TForm2::Button15Click);
    connect(bitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(120); });
    connect(bitBtn2, &QPushButton::clicked, this, [this] { BitBtn1Click(80); });
    connect(button5, &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(button12, &QPushButton::clicked, this, &TForm2::Button12Click);
    tools->addWidget(button15);
    tools->addSpacing(12);
    for (QPushButton* b : {bitBtn1, bitBtn2, button5, button12}) tools->addWidget(b);
    QPushButton* print = Button("BitBtn5", QStringLiteral("Chart drucken"), page);
    connect(print, &QPushButton::clicked, this, &TForm2::BitBtn5Click);
    tools->addWidget(print);
    tools->addStretch(1);
    layout->addLayout(tools);

    auto* row = new QHBoxLayout;
    auto* panel1 = new QGroupBox(page);
    panel1->setObjectName("Panel1");
    auto* groupGrid = new QGridLayout(panel1);
    groupGrid->setVerticalSpacing(0);
    struct Choice {
        int number;
        const char* caption;
        const char* hint;
    };
    const Choice groups[27] = {{3, "Chance 1/37", ""},
                               {4, "Chance 2/37", ""},
                               {5, "Chance 3/37", ""},
                               {6, "Chance 4/37", ""},
                               {7, "Chance 6/37", ""},
                               {8, "Chance 12/37", ""},
                               {9, "Chance 18/37", ""},
                               {10, "Plein 4/37", "Finalen en plein 0-6"},
                               {11, "Plein 3/37", "Finalen en plein 7,8,9"},
                               {12, "Nachbarzahlen 1/1", ""},
                               {13, "Nachbarzahlen 2/2", ""},
                               {14, "Nachbarzahlen 3/3", ""},
                               {15, "Nachbarzahlen 4/4", ""},
                               {16, "zusätzliche Chance 4/37", ""},
                               {17, "zusätzliche Chance 5/37", ""},
                               {18, "zusätzliche Chance 8/37", ""},
                               {19, "zusätzliche Chance 9/37", ""},
                               {20, "zusätzliche Chance (3x4)12/37", ""},
                               {21, "zusätzliche Chance (2x6)12/37", ""},
                               {22, "Serie 6/37 Splitter", "Serie 7/10,8/11,9/12"},
                               {23, "Serie 8/37 Splitter", "Serie 0/3,1/4,2/5,3/6"},
                               {24, "Serie 6/37", "Serie 7/8,8/9,9/10"},
                               {25, "Serie 7/37", "Serie 4/7,5/8,6/9,6/7,Jeu 0"},
                               {26, "Serie 8/37", "Serie 0/1,1/2,3/4,5/6"},
                               {27, "Serie 9/37", "Jeu 7/9"},
                               {28, "Serie 12/37", "kleine Serie 5/8"},
                               {29, "Serie 17/37", "Grosse Serie 0,2,3"}};
    auto* groupChoice = group_choice_ = new QButtonGroup(panel1);
    for (int i = 0; i < 27; ++i) {
        QRadioButton* radio =
            Radio(QStringLiteral("RadioButton%1").arg(groups[i].number), QString::fromUtf8(groups[i].caption),
                  panel1, QString::fromUtf8(groups[i].hint));
        groupChoice->addButton(radio, groups[i].number);
        groupGrid->addWidget(radio, i % 10, i / 10);
    }
    groupChoice->button(3)->setChecked(true);
    row->addWidget(panel1);

    auto* panel2 = new QGroupBox(page);
    panel2->setObjectName("Panel2");
    auto* kindLayout = new QVBoxLayout(panel2);
    kindLayout->setSpacing(0);
    QRadioButton* permanences = Radio("RadioButton42", QStringLiteral("Permanenzen"), panel2);
    permanences->setChecked(true);
    permanences->setEnabled(false);
    permanences->setAutoExclusive(false);
    kindLayout->addWidget(permanences);
    const std::pair<int, const char*> kinds[5] = {{31, "Max. Permanenz"},
                                                  {32, "Mittlere Permanenz"},
                                                  {44, "Max. Prozentwert"},
                                                  {45, "Min. Prozentwert"},
                                                  {30, "Überblick Prozentwerte"}};
    auto* kindChoice = kind_choice_ = new QButtonGroup(panel2);
    for (const auto& [number, caption] : kinds) {
        QRadioButton* radio =
            Radio(QStringLiteral("RadioButton%1").arg(number), QString::fromUtf8(caption), panel2);
        kindChoice->addButton(radio, number);
        kindLayout->addWidget(radio);
    }
    kindChoice->button(31)->setChecked(true);
    kindLayout->addStretch(1);
    row->addWidget(panel2);

    row->addStretch(1);
    layout->addLayout(row);
    return page;
}

QWidget* TForm2::BuildEvaluationTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    chart2_ = new EvaluationChart(page);
    chart2_->setMinimumHeight(280);
    layout->addWidget(chart2_, 1);

    // What a player needs to judge the system, under its balance.
    summary_ = new QLabel(page);
    summary_->setObjectName("EvaluationSummary");
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(summary_);

    auto* row = new QHBoxLayout;
    QPushButton* button14 = Button("Button14", QStringLiteral("Berechnen"), page);
    connect(button14, &QPushButton::clicked, this, &TForm2::Button14Click);
    row->addWidget(button14, 0, Qt::AlignTop);

    auto* limits =
        TextName(new QGroupBox(QStringLiteral("Chart-Limit-Linie X-fach teilen"), page), "GroupBoxLimit");
    auto* limitLayout = new QHBoxLayout(limits);
    auto* limitGroup = limit_buttons_ = new QButtonGroup(limits);
    const std::pair<const char*, int> limitButtons[5] = {
        {"Limit1", 0}, {"Limit10", 2}, {"Limit100", 3}, {"Limit1000", 4}, {"Limit10000", 5}};
    for (int i = 0; i < 5; ++i) {
        QPushButton* b = Button(limitButtons[i].first, QString::number(i + 1), limits);
        b->setProperty("tag", limitButtons[i].second);
        b->setCheckable(true);
        b->setFixedWidth(28);
        limitGroup->addButton(b, limitButtons[i].second);
        limitLayout->addWidget(b);
    }
    limitGroup->buttons().first()->setChecked(true);
    connect(limitGroup, &QButtonGroup::idClicked, this, &TForm2::Limit1Click);
    row->addWidget(limits, 0, Qt::AlignTop);

    auto* markers =
        TextName(new QGroupBox(QStringLiteral("Gewinne/Verluste Anzeigen"), page), "GroupBoxGewinne");
    auto* markerLayout = new QGridLayout(markers);
    markerLayout->addWidget(
        TextName(new QLabel(QStringLiteral("Die folgenden Betrag überschreiten"), markers), "LabelGewinne"),
        0, 0, 1, 2);
    markerLayout->addWidget(Spin(model_.SpinSummeMerkField(), markers, 90), 1, 0);
    markerLayout->addWidget(Check(66, QStringLiteral("Chancen Anzeigen"), markers), 1, 1);
    row->addWidget(markers, 0, Qt::AlignTop);
    row->addStretch(1);
    layout->addLayout(row);

    auto* row2 = new QHBoxLayout;
    auto* zoom = TextName(new QGroupBox(QStringLiteral("Chart zoomen"), page), "GroupBoxZoom");
    auto* zoomLayout = new QHBoxLayout(zoom);
    zoomLayout->setSpacing(2);
    QPushButton* bitBtn3 = Button("BitBtn3", QStringLiteral("Vergrössern"), zoom, 120);
    QPushButton* bitBtn4 = Button("BitBtn4", QStringLiteral("Verkleinern"), zoom, 80);
    QPushButton* button7 = Button("Button7", QStringLiteral(" Zurücksetzen"), zoom);
    connect(bitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(120); });
    connect(bitBtn4, &QPushButton::clicked, this, [this] { BitBtn3Click(80); });
    connect(button7, &QPushButton::clicked, this, &TForm2::Button7Click);
    for (QPushButton* b : {bitBtn3, bitBtn4, button7}) zoomLayout->addWidget(b);
    row2->addWidget(zoom, 0, Qt::AlignTop);

    auto* exportBox = TextName(new QGroupBox(QStringLiteral("Chart exportieren"), page), "GroupBoxExport");
    auto* exportLayout = new QHBoxLayout(exportBox);
    exportLayout->setSpacing(2);
    QPushButton* button13 = Button("Button13", QStringLiteral("Chart als Bild speichern"), exportBox);
    connect(button13, &QPushButton::clicked, this, &TForm2::Button13Click);
    exportLayout->addWidget(button13);
    QPushButton* print = Button("BitBtn6", QStringLiteral("Chart drucken"), exportBox);
    connect(print, &QPushButton::clicked, this, &TForm2::BitBtn6Click);
    exportLayout->addWidget(print);
    row2->addWidget(exportBox, 0, Qt::AlignTop);
    row2->addStretch(1);
    layout->addLayout(row2);
    return page;
}

// ---------------------------------------------------------------------------------------------------------
// Model to widgets

void TForm2::OnModelChange(FieldId id, FieldChange change) {
    if (change == FieldChange::RateBlocks) {
        ShowRateBlocks();
        return;
    }
    if (FieldView* view = views_[id]) view->Sync();
    if (id == model_.CheckBox(66) && change == FieldChange::Value) CheckBox66Click();
}

void TForm2::ShowRateBlocks() {
    const bool shown = model_.RateBlocksShown();
    for (QWidget* w : absence_panels_) w->setVisible(!shown);
    for (QWidget* w : rate_panels_) w->setVisible(shown);
    speed_button1_->Sync();
}

void TForm2::LeaveFocusedField() {
    if (auto* spin = qobject_cast<FieldSpinBox*>(QApplication::focusWidget())) spin->Leave();
}

void TForm2::UpdateHelpContext() {
    if (QWidget* page = optionsfenster_->currentWidget())
        optionsfenster_->setProperty("helpContext", page->property("helpContext"));
}

// ---------------------------------------------------------------------------------------------------------
// Events

void TForm2::FormCreate() {
    LoadOptions(DataIniPath());
    ApplySettings();
    CreationRules(model_);
    ShowRateBlocks();
    UpdateHelpContext();
}

void TForm2::FormShow() {
    limit_divisor_ = 0;
    UpdateHelpContext();
    speed_button1_->setVisible(optionsfenster_->currentIndex() < 2);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    FormShow();
}

void TForm2::FormClose() {
    LoadOptions(DataIniPath());
    // A result that arrives after closing belongs to no open window.
    if (statistics_thread_) statistics_thread_->Cancel();
    statistics_thread_ = nullptr;
    chart1_->Clear();
    chart1_->xAxis->setTickLabels(false);
    chart2_->Clear();
    summary_data_.reset();
    summary_->clear();
    if (onClosed) onClosed();
}

void TForm2::done(int result) {
    if (EvaluationPending()) return;  // the window stays until its evaluation has ended
    QDialog::done(result);
    FormClose();
}

void TForm2::OptionsfensterChange(int index) {
    LeaveFocusedField();
    ApplySettings();
    UpdateHelpContext();
    speed_button1_->setVisible(index < 2);
}

void TForm2::Button1Click() {
    LeaveFocusedField();
    ApplySettings();
    SaveOptions(DataIniPath());
}

void TForm2::Button8Click() {
    LeaveFocusedField();
    ApplySettings();
    accept();
}

void TForm2::Button2Click() {
    reject();
}

void TForm2::Button9Click() {
    LeaveFocusedField();
    AdaptInitialStakes(model_);
}

void TForm2::Button10Click() {
    LeaveFocusedField();
    const std::vector<std::uint8_t> spins = permanence ? permanence() : std::vector<std::uint8_t>{};
    AdaptMinimumRates(model_, applied_, spins);
}

void TForm2::Button11Click() {
    LeaveFocusedField();
    const std::vector<std::uint8_t> spins = permanence ? permanence() : std::vector<std::uint8_t>{};
    AdaptMaximumAbsences(model_, applied_, spins);
}

void TForm2::ApplySettings() {
    applied_ = zentora::ApplySettings(model_);
}

bool TForm2::LoadOptions(const QString& path) {
    try {
        zentora::LoadOptions(model_, path.toStdString());
        return true;
    } catch (const OptionsFileError& e) {
        Message(TextsHub::Instance().Translate(e.message));
        return false;
    }
}

bool TForm2::SaveOptions(const QString& path) {
    try {
        zentora::SaveOptions(model_, applied_, path.toStdString());
        return true;
    } catch (const OptionsFileError& e) {
        Message(TextsHub::Instance().Translate(e.message));
        return false;
    }
}

QString TForm2::AskOptionFile(bool save) {
    QFileDialog dialog(this, Tr(save ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(OptionsFolder());
    static constexpr std::array<files::DialogFilter, 2> kFilters = {
        {{"Optionsdateien", "(*.opd)", "*.opd"}, files::kAllFilesFilter}};
    SetNameFilters(dialog, kFilters, [this](const QString& text) { return Tr(text); });
    dialog.setDefaultSuffix(QStringLiteral("opd"));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.selectFile(Tr(QStringLiteral("Optionsdateie")) + QStringLiteral(".opd"));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const bool accepted = fileDialogHook ? fileDialogHook(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

void TForm2::Button3Click() {
    LeaveFocusedField();
    const QString file = AskOptionFile(false);
    if (!file.isEmpty()) LoadOptions(file);
}

void TForm2::Button16Click() {
    LeaveFocusedField();
    const QString file = AskOptionFile(true);
    if (!file.isEmpty()) SaveOptions(file);
}

}  // namespace zentora
