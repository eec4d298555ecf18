// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/charts/statistics_chart.h"

#include <algorithm>

#include "statistics/statistics_lines.h"
#include "ui/charts/labelled_graph.h"

namespace zentora {

namespace {

QVector<QCPGraphData> PointsOf(const std::vector<double>& x, const std::vector<double>& y) {
    QVector<QCPGraphData> points(static_cast<qsizetype>(std::min(x.size(), y.size())));
    for (qsizetype i = 0; i < points.size(); ++i)
        points[i] = {x[static_cast<std::size_t>(i)], y[static_cast<std::size_t>(i)]};
    return points;
}

QVector<QCPGraphData> LimitPoints(const LimitCurve& curve, double low, double high, int samples) {
    QVector<QCPGraphData> points;
    for (const auto& [x, y] : SampleLimitCurve(curve, low, high, samples)) points.append({x, y});
    return points;
}

QString Number(double value) {
    return QString::number(value, 'g', 10);
}

}  // namespace

StatisticsChart::StatisticsChart(QWidget* parent) : ChartView(QStringLiteral("Chart1"), parent) {
    xAxis->setTickLabels(false);
    // Value lines lie above everything, so that a line drawn over them (the high line) cannot catch the
    // click.
    addLayer(QStringLiteral("valueLines"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    connect(this, &QCustomPlot::plottableClick, this, &StatisticsChart::OnClick);
    // A window may end millions of spins on: its limit curve holds only the points the view shows.
    connect(xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange&) { SampleLimitCurves(); });
}

void StatisticsChart::SampleLimitCurves() {
    const QCPRange view = xAxis->range();
    const int samples = std::max(axisRect()->width(), 100);
    for (const auto& [graph, curve] : limitCurves_)
        graph->data()->set(LimitPoints(curve, view.lower, view.upper, samples), true);
}

void StatisticsChart::Clear() {
    curve_ = nullptr;
    valueLines_.clear();
    limitCurves_.clear();
    note_ = nullptr;
    ChartView::Clear();
}

QCPGraph* StatisticsChart::Line(const QString& name, const QColor& colour, double width) {
    QCPGraph* line = addGraph();
    line->setName(name);
    line->setPen(QPen(colour, width));
    line->setAdaptiveSampling(true);
    return line;
}

QCPCurve* StatisticsChart::Vertical(const QString& name, double x, double height, const QColor& colour,
                                    double width) {
    auto* line = new QCPCurve(xAxis, yAxis);
    line->setName(name);
    line->setPen(QPen(colour, width));
    line->setData(QVector<double>{x, x}, QVector<double>{0, height});
    return line;
}

void StatisticsChart::Label(double x, double y, const QString& text, const QColor& colour,
                            Qt::Alignment alignment) {
    auto* label = new QCPItemText(this);
    label->position->setCoords(x, y);
    label->setPositionAlignment(alignment);
    label->setText(text);
    label->setColor(colour);
    label->setClipToAxisRect(true);
}

QCPGraph* StatisticsChart::StairLine(const QString& name, bool high, const QColor& colour) {
    if (!curve_ || curve_->data()->isEmpty()) return nullptr;
    // One period over the whole curve, aligned to its first point.
    const auto points = curve_->data();
    double value = points->constBegin()->value;
    for (auto it = points->constBegin(); it != points->constEnd(); ++it)
        value = high ? std::max(value, it->value) : std::min(value, it->value);
    const double first = points->constBegin()->key, last = (points->constEnd() - 1)->key;
    QCPGraph* line = Line(name, colour, 1);
    line->setLineStyle(QCPGraph::lsStepLeft);
    line->data()->set({{first, value}, {last, value}}, true);
    Label(first, value, Number(value), colour, Qt::AlignLeft | (high ? Qt::AlignBottom : Qt::AlignTop));
    return line;
}

void StatisticsChart::AddValueLine(int tag, const QString& identifier, double x1, double x2, double y,
                                   const QColor& colour) {
    QCPGraph* line = Line(QStringLiteral("ValueLine%1").arg(tag), colour, 7);
    line->setProperty("tag", tag);
    line->setProperty("identifier", identifier);
    line->setAdaptiveSampling(false);
    line->setLayer(QStringLiteral("valueLines"));
    line->setProperty("reversed", x1 > x2);
    line->data()->set({{x1, y}, {x2, y}}, false);
    valueLines_.push_back(line);
}

ChartLine StatisticsChart::LineOf(const QCPGraph* line) {
    ChartLine out;
    if (!line) return out;
    out.tag = line->property("tag").toInt();
    out.identifier = line->property("identifier").toString().toStdString();
    const auto data = line->data();
    if (data->size() >= 2) {
        // The points in the order they were given, also when the second lies left of the first.
        const bool reversed = line->property("reversed").toBool();
        const QCPGraphData a = *data->at(reversed ? 1 : 0), b = *data->at(reversed ? 0 : 1);
        out.x1 = a.key;
        out.y1 = a.value;
        out.x2 = b.key;
        out.y2 = b.value;
    }
    return out;
}

std::vector<StatisticsChart::OrderError> StatisticsChart::ShowResult(const StatisticsResult& result,
                                                                     const Context& context) {
    Clear();
    std::vector<OrderError> errors;
    const StatisticsInputs& in = result.inputs;

    curve_ = Line(QStringLiteral("StatCurve"), QColor(128, 0, 0), 1);
    curve_->data()->set(PointsOf(result.x, result.y), true);
    if (in.kind == StatisticsKind::RateOverview) {
        Line(QStringLiteral("StatMeanCurve"), QColor(0, 128, 0), 1)
            ->data()
            ->set(PointsOf(result.x, result.y2), true);
        Line(QStringLiteral("StatMinCurve"), QColor(0, 0, 128), 1)
            ->data()
            ->set(PointsOf(result.x, result.y3), true);
        auto* markers = new LabelledGraph(xAxis, yAxis);
        markers->setName(QStringLiteral("StatMarkers"));
        markers->setLineStyle(QCPGraph::lsNone);
        markers->setScatterStyle(QCPScatterStyle::ssNone);
        if (result.marker) {
            markers->data()->set({{result.marker->spin, result.marker->value}}, true);
            markers->SetLabels({context.markerLabel});
            markers->SetLabelsVisible(true);
        }
    }

    if (in.kind == StatisticsKind::MaxAbsence) {
        const AbsenceLines lines = AbsenceLinesOf(result, context.abRundeValue);
        AddValueLine(0,
                     QString::fromUtf8(in.absenceStartField.data(),
                                       static_cast<qsizetype>(in.absenceStartField.size())),
                     0, lines.points, lines.largest, context.high);
        Line(QStringLiteral("SetValueLine"), context.setValue, 5)
            ->data()
            ->set({{0, lines.setValue}, {lines.points, lines.setValue}}, true);
        Line(QStringLiteral("SignalLine"), context.signal, 5)
            ->data()
            ->set({{0, lines.signalValue}, {lines.points, lines.signalValue}}, true);
    } else if (in.kind == StatisticsKind::MinRate) {
        StairLine(QStringLiteral("StatLowLine"), false, context.high);
        AddMinRateLines(result, context, errors);
    }
    RememberHome();
    return errors;
}

void StatisticsChart::AddMinRateLines(const StatisticsResult& result, const Context& context,
                                      std::vector<OrderError>& errors) {
    const RateWindowLines lines = MinRateWindows(result, context.vonMilli);
    const QString groupKey = QString::fromUtf8(result.inputs.groupKey.data(),
                                               static_cast<qsizetype>(result.inputs.groupKey.size()));
    const double top = lines.largest;
    for (const RateWindowLine& w : lines.windows) {
        const int n = w.window - 1;
        if (w.window == 1) {
            Vertical(QStringLiteral("RateStartLine"), double(w.start), top, context.bounds, 5);
            Label(double(w.start), top, context.ab + " " + context.runde + "\n" + QString::number(w.start),
                  context.bounds, Qt::AlignHCenter | Qt::AlignBottom);
        }
        Vertical(QStringLiteral("BoundaryLine%1").arg(n), double(w.end), top, context.bounds, 1);
        Label(double(w.end), top,
              context.runde + " " + QString::number(w.window) + "\n" + context.bis + " " +
                  QString::number(w.end),
              context.bounds, Qt::AlignHCenter | Qt::AlignBottom);

        // The window's lowest value on a point of its own, with a callout to its label.
        const double middle = double(w.start + (w.end - w.start) / 2);
        QCPGraph* point = Line(QStringLiteral("WindowLabel%1").arg(n), Qt::black, 1);
        point->setLineStyle(QCPGraph::lsNone);
        point->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, 5));
        point->data()->set({{middle, w.lowest}}, true);
        // Its label stands 30 pixels above it, with a callout down to the point.
        auto* anchor = new QCPItemTracer(this);
        anchor->setStyle(QCPItemTracer::tsNone);
        anchor->position->setCoords(middle, w.lowest);
        auto* text = new QCPItemText(this);
        text->position->setType(QCPItemPosition::ptAbsolute);
        text->position->setParentAnchor(anchor->position);
        text->position->setCoords(0, -30);
        text->setPositionAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        text->setText(Number(w.lowest));
        text->setPadding(QMargins(3, 1, 3, 1));
        text->setPen(QPen(Qt::gray));
        QLinearGradient gradient(0, 0, 0, 1);
        gradient.setCoordinateMode(QGradient::ObjectMode);
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, QColor(128, 128, 128));
        text->setBrush(gradient);
        text->setClipToAxisRect(true);
        auto* callout = new QCPItemLine(this);
        callout->start->setParentAnchor(text->bottom);
        callout->start->setCoords(0, 0);
        callout->end->setParentAnchor(anchor->position);
        callout->end->setCoords(0, 0);
        callout->setPen(QPen(Qt::gray));

        AddValueLine(n, n == 0 ? groupKey : QString(), double(w.start), double(w.end), w.lowest,
                     context.high);

        QCPGraph* limit = Line(QStringLiteral("LimitCurve%1").arg(n), context.signal, 5);
        limitCurves_.emplace_back(limit, w.limit);
        // The whole curve first, so that the chart's home range takes it in; the view then samples it.
        limit->data()->set(LimitPoints(w.limit, double(w.limit.first), double(w.limit.last), 1000), true);
        if (w.firstOrderError) errors.push_back({w.window, *w.firstOrderError});

        Line(QStringLiteral("VonLine%1").arg(n), context.setValue, 5)
            ->data()
            ->set({{double(w.start), w.from}, {double(w.end), w.from}}, false);
    }
}

void StatisticsChart::AddHighLine(const QColor& colour) {
    StairLine(QStringLiteral("StatHighLine"), true, colour);
    replot(QCustomPlot::rpQueuedReplot);
}

void StatisticsChart::ShowNote(const QPoint& at, const QString& text) {
    if (note_) removeItem(note_);
    note_ = new QCPItemText(this);
    note_->position->setType(QCPItemPosition::ptAbsolute);
    note_->position->setCoords(at.x() + 10, at.y());
    note_->setPositionAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    note_->setText(text);
    note_->setColor(Qt::black);
    replot(QCustomPlot::rpQueuedReplot);
}

void StatisticsChart::OnClick(QCPAbstractPlottable* plottable, int, QMouseEvent* event) {
    auto* line = qobject_cast<QCPGraph*>(plottable);
    if (!line || valueLines_.empty() ||
        std::find(valueLines_.begin(), valueLines_.end(), line) == valueLines_.end())
        return;
    Q_EMIT ValueLineClicked(LineOf(line), LineOf(valueLines_.front()), event->pos());
}

void StatisticsChart::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    if (event->buttons() != Qt::NoButton) return;
    auto* line = qobject_cast<QCPGraph*>(plottableAt(event->pos(), false));
    const bool onValueLine =
        line && std::find(valueLines_.begin(), valueLines_.end(), line) != valueLines_.end();
    if (onValueLine)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

}  // namespace zentora
