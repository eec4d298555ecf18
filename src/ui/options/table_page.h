// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace zentora {

class BoundFields;

// The tab "Tischeinstellung": the table's minima and maxima and the halving on zero.
class TablePage : public QWidget {
    Q_OBJECT
  public:
    explicit TablePage(BoundFields& fields);

  private:
    QWidget* BuildMinima();
    QWidget* BuildMaxima();
    // "Alle Anfangseinsätze dem Minimum anpassen."
    void AdaptStakesToMinimum();

    BoundFields& fields_;
};

}  // namespace zentora
