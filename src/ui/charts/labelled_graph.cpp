// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/labelled_graph.h"

#include <algorithm>

namespace zentora {

LabelledGraph::LabelledGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void LabelledGraph::draw(QCPPainter* painter) {
    QCPGraph::draw(painter);
    drawn_ = 0;
    if (!labelsVisible_ || labels_.empty() || !keyAxis() || !valueAxis()) return;

    const QRect area = keyAxis()->axisRect()->rect();
    constexpr int kCell = 8;
    const int columns = area.width() / kCell + 1, rows = area.height() / kCell + 1;
    std::vector<std::uint8_t> taken(static_cast<std::size_t>(columns) * rows, 0);
    const auto cellsOf = [&](const QRect& r, auto&& visit) {
        const QRect inside = r.intersected(area).translated(-area.topLeft());
        for (int cy = inside.top() / kCell; cy <= inside.bottom() / kCell; ++cy)
            for (int cx = inside.left() / kCell; cx <= inside.right() / kCell; ++cx)
                if (!visit(taken[static_cast<std::size_t>(cy) * columns + cx])) return false;
        return true;
    };

    painter->setPen(Qt::black);
    const QFontMetrics metrics(painter->font());
    const QCPRange keys = keyAxis()->range();
    const auto first = data()->constBegin();
    for (auto it = data()->findBegin(keys.lower, false); it != data()->findEnd(keys.upper, false); ++it) {
        const auto index = static_cast<std::size_t>(it - first);
        if (index >= labels_.size() || labels_[index].isEmpty()) continue;
        const QPointF at = coordsToPixels(it->key, it->value);
        QRect box = metrics.boundingRect(labels_[index]).adjusted(-2, -1, 2, 1);
        box.moveCenter(QPoint(static_cast<int>(at.x()), static_cast<int>(at.y()) - box.height()));
        if (!area.intersects(box)) continue;
        if (!cellsOf(box, [](std::uint8_t& c) { return c == 0; })) continue;
        cellsOf(box, [](std::uint8_t& c) {
            c = 1;
            return true;
        });
        painter->drawText(box, Qt::AlignCenter, labels_[index]);
        ++drawn_;
    }
}

}  // namespace zentora
