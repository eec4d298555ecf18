// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "engine/applied_settings.h"

class QPushButton;

namespace zentora {

class BoundFields;
struct OptionsWindowHooks;

// The tab "Sonstiges": playing behaviour, the Orphelin choice, the series that may be split, the quick
// settings, the chart colours, and the buttons that open and save option files (the window does those).
class MiscPage : public QWidget {
    Q_OBJECT
  public:
    MiscPage(BoundFields& fields, AppliedSettings& applied, const OptionsWindowHooks& hooks);

    QPushButton* OpenButton() const { return open_; }
    QPushButton* SaveButton() const { return save_; }

  private:
    QWidget* BuildBehaviour();
    QWidget* BuildOrphelinChoice();
    QWidget* BuildSplitChoice();
    QWidget* BuildQuickSettings();
    QWidget* BuildChartColours();
    QWidget* BuildOptionFiles();
    // "Alle Minimalen Prozentwerte anpassen" and "Alle Maximalen Permanenzen anpassen".
    void AdaptAllMinimumRates();
    void AdaptAllMaximumAbsences();

    BoundFields& fields_;
    AppliedSettings& applied_;
    const OptionsWindowHooks& hooks_;
    QPushButton* open_ = nullptr;
    QPushButton* save_ = nullptr;
};

}  // namespace zentora
