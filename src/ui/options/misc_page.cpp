// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/options/misc_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "options/quick_settings.h"
#include "ui/options/page_helpers.h"

namespace zentora {

MiscPage::MiscPage(BoundFields& fields, AppliedSettings& applied, const OptionsWindowHooks& hooks)
    : fields_(fields), applied_(applied), hooks_(hooks) {
    auto* grid = new QGridLayout(this);
    QWidget* behaviour = BuildBehaviour();
    QWidget* orphelin = BuildOrphelinChoice();
    QWidget* split = BuildSplitChoice();
    QWidget* quick = BuildQuickSettings();
    QWidget* colours = BuildChartColours();
    QWidget* files = BuildOptionFiles();
    grid->addWidget(behaviour, 0, 0);
    grid->addWidget(orphelin, 0, 1);
    grid->addWidget(split, 1, 0);
    grid->addWidget(quick, 1, 1);
    grid->addWidget(colours, 2, 0);
    grid->addWidget(files, 2, 1, Qt::AlignTop);
    grid->setRowStretch(3, 1);
}

QWidget* MiscPage::BuildBehaviour() {
    auto* box = TextName(new QGroupBox(QStringLiteral("Spielverhalten"), this), "GroupBoxSpielverhalten");
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(fields_.Check(1, QStringLiteral("Nur eine Chance anspielen"), box));
    layout->addWidget(fields_.Check(35, QStringLiteral("Andere Chancen verschieben"), box));
    layout->addWidget(fields_.Check(32, QStringLiteral("Chancen auf Spieltisch splitten"), box));
    // Stored and copied like every check box, without a visible function.
    const std::pair<int, const char*> hidden[4] = {
        {33, ""}, {36, ""}, {37, ""}, {38, "Solange anspielen bis Chance gekommen ist"}};
    for (const auto& [k, caption] : hidden) fields_.Check(k, QString::fromUtf8(caption), box)->hide();
    layout->addStretch(1);
    return box;
}

QWidget* MiscPage::BuildOrphelinChoice() {
    OptionsModel& model = fields_.Model();
    auto* box = TextName(new QGroupBox(QStringLiteral("Welche Orphelin soll angespielt werden?"), this),
                         "GroupBoxOrphelin");
    auto* layout = new QVBoxLayout(box);
    for (auto [id, caption] : {std::pair{model.OrphelinPleinChoice(), "Plein"},
                               std::pair{model.OrphelinChevalChoice(), "a Cheval"}})
        layout->addWidget(fields_.Bind(new FieldRadioButton(model, id, QString::fromUtf8(caption), box)));
    layout->addStretch(1);
    return box;
}

QWidget* MiscPage::BuildSplitChoice() {
    auto* box = TextName(new QGroupBox(QStringLiteral("Folgende Serien kann man splitten:"), this),
                         "GroupBoxSplitten");
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(fields_.Check(30, QStringLiteral("Serien 8/37"), box, "Serie 0/3,1/4,2/5,3/6"));
    layout->addWidget(fields_.Check(31, QStringLiteral("Serien 6/37"), box, "Serie 7/10,8/11,9/12"));
    layout->addWidget(fields_.Check(34, QStringLiteral("Serie 12/37"), box, "Kleine Serie"));
    layout->addStretch(1);
    return box;
}

QWidget* MiscPage::BuildQuickSettings() {
    auto* box = TextName(new QGroupBox(QStringLiteral("Schnelleinstellungen"), this), "GroupBoxSchnell");
    auto* layout = new QVBoxLayout(box);
    QPushButton* rates = Button("Button10", QStringLiteral("Alle Minimalen Prozentwerte anpassen"), box);
    QPushButton* absences = Button("Button11", QStringLiteral("Alle Maximalen Permanenzen anpassen"), box);
    connect(rates, &QPushButton::clicked, this, &MiscPage::AdaptAllMinimumRates);
    connect(absences, &QPushButton::clicked, this, &MiscPage::AdaptAllMaximumAbsences);
    layout->addWidget(rates);
    layout->addWidget(absences);
    layout->addStretch(1);
    return box;
}

QWidget* MiscPage::BuildChartColours() {
    OptionsModel& model = fields_.Model();
    auto* box = TextName(new QGroupBox(QStringLiteral("Chartlinien"), this), "GroupBoxChartlinien");
    auto* grid = new QGridLayout(box);
    const char* labels[5] = {"Index-Linien", "aktuelle Höchst- oder Tiefstände", "Eingestellter Wert",
                             "Markierung für Setzsignal", "Rundbegrenzung bei Prozentwerten"};
    for (int k = 1; k <= 5; ++k) {
        auto* button = fields_.Bind(new FieldColorButton(model, model.Colour(k), box));
        auto* label = new QLabel(QString::fromUtf8(labels[k - 1]), box);
        label->setBuddy(button);
        label->setProperty("textName", QStringLiteral("LabelFarbe%1").arg(k));
        grid->addWidget(button, k - 1, 0);
        grid->addWidget(label, k - 1, 1);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* MiscPage::BuildOptionFiles() {
    auto* box =
        TextName(new QGroupBox(QStringLiteral("Optionen Öffnen/Speichern"), this), "GroupBoxOptionen");
    auto* layout = new QHBoxLayout(box);
    open_ = Button("Button3", QStringLiteral("Öffnen"), box);
    save_ = Button("Button16", QStringLiteral("Speichern"), box);
    layout->addWidget(open_);
    layout->addWidget(save_);
    layout->addStretch(1);
    return box;
}

void MiscPage::AdaptAllMinimumRates() {
    LeaveFocusedField();
    AdaptMinimumRates(fields_.Model(), applied_, hooks_.Permanence());
}

void MiscPage::AdaptAllMaximumAbsences() {
    LeaveFocusedField();
    AdaptMaximumAbsences(fields_.Model(), applied_, hooks_.Permanence());
}

}  // namespace zentora
