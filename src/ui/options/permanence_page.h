// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

#include "catalogue/chance_groups.h"

class QGroupBox;

namespace zentora {

class BoundFields;

// The tabs "Permanenz & Einsatz I" and "II": a box per family of chance groups, a row per group. Each box
// shows either the absence columns or the rate block beside the row captions.
class PermanencePage : public QWidget {
    Q_OBJECT
  public:
    // tab: 0 for the standard and additional chances, 1 for pleins, neighbours and series.
    PermanencePage(BoundFields& fields, int tab);

    void ShowRateBlocks(bool shown);

  private:
    struct Box {
        const char* title;
        std::vector<GroupId> groups;
    };
    QGroupBox* BuildGroupBox(const Box& box, int index);
    QWidget* BuildCaptions(const std::vector<GroupId>& groups, QWidget* parent);
    QWidget* BuildAbsenceColumns(const std::vector<GroupId>& groups, QWidget* parent,
                                 std::vector<QWidget*>& order);
    QWidget* BuildRateBlock(const std::vector<GroupId>& groups, int index, QWidget* parent,
                            std::vector<QWidget*>& order);

    BoundFields& fields_;
    std::vector<QWidget*> absence_panels_, rate_panels_;
};

}  // namespace zentora
