// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/table_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "options/window_rules.h"
#include "ui/options/page_helpers.h"

namespace zentora {

TablePage::TablePage(BoundFields& fields) : fields_(fields) {
    auto* layout = new QVBoxLayout(this);
    QWidget* minima = BuildMinima();
    QWidget* maxima = BuildMaxima();
    layout->addWidget(minima);
    layout->addWidget(maxima);
    layout->addWidget(
        fields_.Check(2, QStringLiteral("Bei Zero werden Einsätze auf Einfache Chancen halbiert"), this));
    layout->addStretch(1);
}

QWidget* TablePage::BuildMinima() {
    OptionsModel& model = fields_.Model();
    auto* minima = TextName(new QGroupBox(QStringLiteral("Minimum für..."), this), "GroupBoxMinimum");
    auto* grid = new QGridLayout(minima);
    struct Row {
        FieldId id;
        const char* caption;
        const char* hint;
        const char* textName;
    };
    const Row rows[2] = {
        {model.Minimum1(), "den restlichen Tisch:",
         "Dutzende,Kolonnen,Transversale simple,Carré,Transversale pleine,Cheval,Plein", "LabelMinimum1"},
        {model.Minimum2(), "Achtzehn Zahlen:", "Einfache Chancen", "LabelAchtzehn"},
    };
    int r = 0;
    for (const Row& row : rows) {
        auto* label = TextName(new QLabel(QString::fromUtf8(row.caption), minima), row.textName);
        label->setToolTip(QString::fromUtf8(row.hint));
        FieldSpinBox* spin = fields_.Spin(row.id, minima, 80);
        spin->setToolTip(QString::fromUtf8(row.hint));
        label->setBuddy(spin);
        grid->addWidget(label, r, 0);
        grid->addWidget(spin, r++, 1);
    }
    QPushButton* adapt =
        Button("Button9", QStringLiteral("Alle Anfangseinsätze dem Minimum anpassen."), minima);
    connect(adapt, &QPushButton::clicked, this, &TablePage::AdaptStakesToMinimum);
    grid->addWidget(adapt, r, 0, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    return minima;
}

QWidget* TablePage::BuildMaxima() {
    auto* maxima = TextName(new QGroupBox(QStringLiteral("Maximum für..."), this), "GroupBoxMaximum");
    auto* grid = new QGridLayout(maxima);
    const char* captions[7][2] = {{"Eine Zahl: ", "Plein"},
                                  {"Zwei Zahlen:", "Cheval"},
                                  {"Drei Zahlen:", "Transversale pleine"},
                                  {"Vier Zahlen:", "Carré"},
                                  {"Sechs Zahlen:", "Transversale simple"},
                                  {"Zwölf Zahlen:", "Dutzende, Kolonnen"},
                                  {"Achtzehn Zahlen:", "Einfache Chancen"}};
    const char* textNames[7] = {"LabelMaximum1", "LabelMaximum2",  "LabelMaximum3", "LabelMaximum4",
                                "LabelMaximum6", "LabelMaximum12", "LabelAchtzehn"};
    for (int i = 0; i < 7; ++i) {
        auto* label = TextName(new QLabel(QString::fromUtf8(captions[i][0]), maxima), textNames[i]);
        label->setToolTip(QString::fromUtf8(captions[i][1]));
        FieldSpinBox* spin = fields_.Spin(fields_.Model().Maxima()[i], maxima, 80);
        spin->setToolTip(QString::fromUtf8(captions[i][1]));
        label->setBuddy(spin);
        grid->addWidget(label, i, 0);
        grid->addWidget(spin, i, 1);
    }
    grid->setColumnStretch(2, 1);
    return maxima;
}

void TablePage::AdaptStakesToMinimum() {
    LeaveFocusedField();
    AdaptInitialStakes(fields_.Model());
}

}  // namespace zentora
