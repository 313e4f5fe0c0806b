#include "chart/chart_render.hpp"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "chart/chart_line.hpp"
#include "chart/chart_scale.hpp"

namespace velquist {
namespace {

constexpr int AxisWidth = 2;
constexpr int TickLength = 3;              // tick marks outside the axis lines
constexpr int BottomGap = 1;               // between a tick and the label below it
constexpr int RightGap = 2;                // between a tick and the label to its right
constexpr int LabelSpace = 24;             // least free room between two labels side by side
constexpr int EmptyAxisGridSpacing = 100;  // grid across a bottom axis without labels
constexpr int DotsPerMeter = 3780;         // 96 dots per inch: 8 points are about 11 pixels
// Labels of the vertical axis show three decimals at most: a finer step would
// repeat labels.
constexpr double FinestValueStep = 0.001;

struct TLabel {
    QString Text;
    int Position = 0;  // pixel column (bottom axis) or row (right axis) of the tick
    QRect Box;         // the room the text takes: its ink across, its line height down
    int TextLeft = 0;  // where the text starts: the ink may start a little further right
};

// Everything placed before drawing: the frame, the labels and their ticks.
struct TLayout {
    QRect Plot;
    std::vector<TLabel> Right;
    std::vector<TLabel> Bottom;
    std::vector<int> GridColumns;
    std::vector<int> GridRows;
};

QFont LabelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The right axis labels, centred on their rows; fixes the frame's right side
// from their widest text.
void PlaceRightLabels(TLayout& layout, TChartRange yRange, const QFontMetrics& metrics) {
    QRect& plot = layout.Plot;
    const int textHeight = metrics.height();
    const std::vector<double> values =
        AxisTicks(yRange, plot.bottom() - plot.top(), 2.0 * textHeight, FinestValueStep);
    const TPlotMapping map(plot, 1, yRange);
    int widest = 0;
    for (const double value : values) {
        TLabel label;
        label.Text = FormatChartLabel(value, QLocale());
        label.Position = static_cast<int>(std::lround(map.Y(value)));
        widest = std::max(widest, metrics.horizontalAdvance(label.Text));
        layout.Right.push_back(label);
    }
    const int labelLeft = ChartWidth - ChartMarginRight - widest;
    plot.setRight(labelLeft - RightGap - TickLength - AxisWidth);
    for (TLabel& label : layout.Right) {
        label.Box = QRect(labelLeft, label.Position - textHeight / 2, widest, textHeight);
        label.TextLeft = labelLeft;
    }
}

bool Overlaps(const QRect& box, const std::vector<TLabel>& labels) {
    return std::any_of(labels.begin(), labels.end(),
                       [&](const TLabel& other) { return other.Box.intersects(box); });
}

// The bottom axis labels, centred on their columns; a label that would leave
// the picture's margins or touch another label is left out.
void PlaceBottomLabels(TLayout& layout, std::size_t pointCount, const QFontMetrics& metrics) {
    const QRect& plot = layout.Plot;
    const double xMax = pointCount > 1 ? static_cast<double>(pointCount - 1) : 0;
    const int spacing = metrics.horizontalAdvance(FormatChartLabel(xMax, QLocale())) + LabelSpace;
    // The x values count trades: steps below 1 make no sense.
    const std::vector<double> values = AxisTicks({0, xMax}, plot.right() - plot.left(), spacing, 1);
    const TPlotMapping map(plot, std::max(xMax, 1.0), {});
    const int top = plot.bottom() + AxisWidth + TickLength + BottomGap;
    for (const double value : values) {
        TLabel label;
        label.Text = FormatChartLabel(value, QLocale());
        label.Position = static_cast<int>(std::lround(map.X(value)));
        // Centred by its ink, not its advance, which has a blank edge on the right.
        const QRect ink = metrics.tightBoundingRect(label.Text);
        label.TextLeft = label.Position - ink.left() - ink.width() / 2;
        label.Box = QRect(label.TextLeft + ink.left(), top, ink.width(), metrics.height());
        const QRect room = label.Box.adjusted(-LabelSpace / 2, 0, LabelSpace / 2, 0);
        if (label.Box.left() < ChartMarginLeft ||
            label.Box.right() >= ChartWidth - ChartMarginRight || Overlaps(room, layout.Bottom) ||
            Overlaps(label.Box, layout.Right)) {
            continue;
        }
        layout.Bottom.push_back(label);
    }
}

// Grid lines go at the labels. An axis with a single label (a flat curve, or
// no trade at all) would have no grid line inside the plot; it gets evenly
// spaced ones instead, so that the picture still reads as a chart.
std::vector<int> GridPositions(const std::vector<TLabel>& labels, int from, int to, int spacing) {
    std::vector<int> positions;
    if (labels.size() >= 2) {
        for (const TLabel& label : labels) positions.push_back(label.Position);
        return positions;
    }
    const int parts = std::max(1, (to - from) / spacing);
    for (int k = 1; k < parts; ++k) positions.push_back(from + (to - from) * k / parts);
    return positions;
}

TLayout PlaceLayout(const std::vector<double>& points, TChartRange yRange,
                    const QFontMetrics& metrics) {
    TLayout layout;
    const int textHeight = metrics.height();
    // Room for half a label beside the frame where a label may be centred on
    // its corner: the first bottom label is always "0" at the left end.
    const int left = ChartMarginLeft + metrics.tightBoundingRect(QLocale().zeroDigit()).width() / 2;
    const int top = ChartMarginTop + textHeight / 2;
    const int bottom =
        ChartHeight - ChartMarginBottom - textHeight - BottomGap - TickLength - AxisWidth;
    layout.Plot = QRect(QPoint(left, top), QPoint(left, bottom));
    PlaceRightLabels(layout, yRange, metrics);
    PlaceBottomLabels(layout, points.size(), metrics);
    const QRect& plot = layout.Plot;
    layout.GridRows = GridPositions(layout.Right, plot.top(), plot.bottom(), 2 * textHeight);
    layout.GridColumns =
        GridPositions(layout.Bottom, plot.left(), plot.right(), EmptyAxisGridSpacing);
    return layout;
}

// Dotted grid lines, one pixel of every two, across the plot inside the frame.
void DrawGrid(QPainter& painter, const TLayout& layout) {
    const QRect& plot = layout.Plot;
    QPolygon dots;
    for (const int column : layout.GridColumns) {
        if (column <= plot.left() || column >= plot.right()) continue;
        for (int y = plot.top() + 2; y < plot.bottom(); y += 2) dots << QPoint(column, y);
    }
    for (const int row : layout.GridRows) {
        if (row <= plot.top() || row >= plot.bottom()) continue;
        for (int x = plot.left() + 2; x < plot.right(); x += 2) dots << QPoint(x, row);
    }
    painter.setPen(QPen(QColor::fromRgb(ChartGridColour), 1));
    painter.drawPoints(dots);
}

// The 1-pixel frame, then the 2-pixel axis lines over its bottom and right
// sides, and the tick marks outside them.
void DrawFrameAndAxes(QPainter& painter, const TLayout& layout) {
    const QRect& plot = layout.Plot;
    const QColor black(Qt::black);
    painter.fillRect(QRect(plot.left(), plot.top(), plot.width(), 1), black);
    painter.fillRect(QRect(plot.left(), plot.top(), 1, plot.height()), black);
    painter.fillRect(QRect(plot.left(), plot.bottom(), plot.width() + 1, AxisWidth), black);
    painter.fillRect(QRect(plot.right(), plot.top(), AxisWidth, plot.height() + 1), black);
    for (const TLabel& label : layout.Bottom) {
        painter.fillRect(QRect(label.Position, plot.bottom() + AxisWidth, 1, TickLength), black);
    }
    for (const TLabel& label : layout.Right) {
        painter.fillRect(QRect(plot.right() + AxisWidth, label.Position, TickLength, 1), black);
    }
}

// Each label's text sits on the baseline one ascent below its box's top.
void DrawLabels(QPainter& painter, const TLayout& layout) {
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    for (const std::vector<TLabel>* labels : {&layout.Right, &layout.Bottom}) {
        for (const TLabel& label : *labels) {
            painter.drawText(QPoint(label.TextLeft, label.Box.top() + ascent), label.Text);
        }
    }
}

}  // namespace

TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing) {
    QImage image(ChartWidth, ChartHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    image.fill(Qt::white);
    const QFont font = LabelFont();
    const TLayout layout = PlaceLayout(points, yRange, QFontMetrics(font, &image));
    {
        QPainter painter(&image);
        // Hard edges only: antialiasing would add shades of every colour.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        DrawGrid(painter, layout);
        DrawFrameAndAxes(painter, layout);
        DrawLabels(painter, layout);
        const double xMax = points.size() > 1 ? static_cast<double>(points.size() - 1) : 1;
        DrawBalanceLine(painter, points, TPlotMapping(layout.Plot, xMax, yRange), drawing);
    }
    return {image, layout.Plot};
}

QString FormatChartLabel(double value, QLocale locale) {
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', 3);
    const QString zero = locale.zeroDigit();
    const QString point = locale.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(zero)) text.chop(zero.size());
        if (text.endsWith(point)) text.chop(point.size());
    }
    // A small negative value rounds to zero, which has no sign.
    if (text == locale.negativeSign() + zero) text = zero;
    return text;
}

TRgbImage ToRgbImage(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    TRgbImage out{rgb.width(), rgb.height(), {}};
    out.Rgb.resize(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
    std::uint8_t* target = out.Rgb.data();
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            *target++ = static_cast<std::uint8_t>(qRed(row[x]));
            *target++ = static_cast<std::uint8_t>(qGreen(row[x]));
            *target++ = static_cast<std::uint8_t>(qBlue(row[x]));
        }
    }
    return out;
}

}  // namespace velquist
