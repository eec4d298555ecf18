// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/permanence_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/options/page_helpers.h"

namespace zentora {

namespace {

// Rows of the group boxes line up across the row captions, the absence columns and the rate block, so every
// row and the two header lines have fixed heights.
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

void ChainTabOrder(const std::vector<QWidget*>& widgets) {
    for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

}  // namespace

PermanencePage::PermanencePage(BoundFields& fields, int tab) : fields_(fields) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    using enum GroupId;
    // The box index names the box and its rate block and header labels across both tabs.
    const Box boxes[5] = {{"Standard Chancen", {G137, G237, G337, G437, G637, G1237, G1837}},
                          {"Zusätzliche Chancen", {Z437, Z537, Z837, Z937, Z1237, Z12637}},
                          {"Pleins", {P437, P337}},
                          {"Nachbarzahlen", {N337, N537, N737, N937}},
                          {"Serien", {SS637, SS837, S637, S737, S837, S937, S1237, S1737}}};
    const int first = tab == 0 ? 0 : 2, end = tab == 0 ? 2 : 5;
    for (int b = first; b < end; ++b) layout->addWidget(BuildGroupBox(boxes[b], b));
    layout->addStretch(1);
}

void PermanencePage::ShowRateBlocks(bool shown) {
    for (QWidget* w : absence_panels_) w->setVisible(!shown);
    for (QWidget* w : rate_panels_) w->setVisible(shown);
}

// A box of group rows: the row captions, then either the absence columns or the rate block beside them.
QGroupBox* PermanencePage::BuildGroupBox(const Box& box, int index) {
    auto* groupBox = new QGroupBox(QString::fromUtf8(box.title));
    const char* boxNames[5] = {"GroupBoxStandard", "GroupBoxZusatz", "GroupBoxPleins",
                               "GroupBoxNachbarzahlen", "GroupBoxSerien"};
    TextName(groupBox, boxNames[index]);
    auto* layout = new QHBoxLayout(groupBox);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(6);
    layout->addWidget(BuildCaptions(box.groups, groupBox), 0, Qt::AlignTop);

    std::vector<QWidget*> order;
    QWidget* absence = BuildAbsenceColumns(box.groups, groupBox, order);
    layout->addWidget(absence, 0, Qt::AlignTop);
    QWidget* rates = BuildRateBlock(box.groups, index, groupBox, order);
    layout->addWidget(rates, 1, Qt::AlignTop);
    layout->addStretch(0);

    ChainTabOrder(order);
    absence_panels_.push_back(absence);
    rate_panels_.push_back(rates);
    return groupBox;
}

QWidget* PermanencePage::BuildCaptions(const std::vector<GroupId>& groups, QWidget* parent) {
    auto* captions = new QWidget(parent);
    QGridLayout* grid = RowGrid(captions);
    captions->setFixedWidth(kCaptionWidth);
    grid->addWidget(HeaderLabel(QString(), captions), 0, 0);
    for (std::size_t r = 0; r < groups.size(); ++r) {
        const RowText& text = TextOf(groups[r]);
        auto* label = new QLabel(QString::fromUtf8(text.caption), captions);
        label->setObjectName(QStringLiteral("Caption") + QString::fromUtf8(Group(groups[r]).key));
        label->setFixedHeight(kRowHeight);
        if (*text.hint) label->setToolTip(QString::fromUtf8(text.hint));
        grid->addWidget(label, static_cast<int>(r) + 1, 0);
    }
    return captions;
}

// The absence rule and the settings both rules share.
QWidget* PermanencePage::BuildAbsenceColumns(const std::vector<GroupId>& groups, QWidget* parent,
                                             std::vector<QWidget*>& order) {
    OptionsModel& model = fields_.Model();
    auto* absence = new QWidget(parent);
    QGridLayout* grid = RowGrid(absence);
    const char* headers[5] = {"A/D",
                              "Ab Runde:", "So oft angespielt:", "Einsatz Technik:", "Anfangseinsatz:"};
    const char* headerNames[5] = {"LabelAD", "LabelAbRunde", "LabelSoOft", "LabelTechnik",
                                  "LabelAnfangseinsatz"};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(TextName(HeaderLabel(QString::fromUtf8(headers[c]), absence), headerNames[c]), 0, c);
    for (std::size_t r = 0; r < groups.size(); ++r) {
        const GroupFields& f = model.Fields(groups[r]);
        const int row = static_cast<int>(r) + 1;
        QWidget* sw = TextName(
            fields_.Check(Group(groups[r]).absenceCheckBox, QString(), absence, "Aktivieren/Deaktivieren"),
            "SchalterAD");
        sw->setFixedHeight(kRowHeight);
        grid->addWidget(sw, row, 0);
        FieldSpinBox* abRunde = fields_.Spin(f.abRunde, absence, 62);
        FieldSpinBox* soOft = fields_.Spin(f.soOft, absence, 70);
        auto* technique = TextName(new FieldComboBox(model, f.technique, absence), "Einsatztechnik");
        technique->setFixedHeight(kRowHeight);
        fields_.Bind(technique);
        FieldSpinBox* stake = fields_.Spin(f.stake, absence, 62);
        stake->setToolTip(QStringLiteral("Wert zur Ermittlung der nachfolgenden Einsätze"));
        TextName(stake, "Anfangseinsatz");
        grid->addWidget(abRunde, row, 1);
        grid->addWidget(soOft, row, 2);
        grid->addWidget(technique, row, 3);
        grid->addWidget(stake, row, 4);
        order.insert(order.end(), {sw, abRunde, soOft, technique, stake});
    }
    grid->setColumnMinimumWidth(2, 70);
    return absence;
}

// The rate block: the rate switch, RateStart and the twelve windows, scrolled sideways.
QWidget* PermanencePage::BuildRateBlock(const std::vector<GroupId>& groups, int index, QWidget* parent,
                                        std::vector<QWidget*>& order) {
    auto* scroll = new QScrollArea(parent);
    scroll->setObjectName(QStringLiteral("RateBlock%1").arg(index + 1));
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
        label->setObjectName(QStringLiteral("Label%1").arg(178 + (n - 1) * 5 + index));
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
        const GroupFields& f = fields_.Model().Fields(groups[r]);
        const int row = static_cast<int>(r) + 2;
        QWidget* sw = fields_.Check(Group(groups[r]).rateCheckBox, QString(), block);
        sw->setFixedHeight(kRowHeight);
        rates->addWidget(sw, row, 0);
        FieldSpinBox* start = fields_.Spin(f.rateStart, block, 78);
        rates->addWidget(start, row, 1);
        order.insert(order.end(), {sw, start});
        for (int n = 1; n <= kRateWindowCount; ++n) {
            const int column = 2 + (n - 1) * 3;
            FieldSpinBox* until = fields_.Spin(f.bisRunde[n - 1], block, 76);
            FieldSpinBox* von = fields_.Spin(f.von[n - 1], block, 64);
            FieldSpinBox* bis = fields_.Spin(f.bis[n - 1], block, 64);
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
    return scroll;
}

}  // namespace zentora
