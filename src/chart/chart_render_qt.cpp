#include "chart/chart_render_qt.hpp"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPointF>
#include <QPolygon>

#include "base/error.hpp"

namespace velquist {
namespace {

constexpr int DotsPerMeter = 3780;  // 96 dots per inch: 8 points are about 11 pixels

QFont LabelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QColor ColourOf(TRgbColour colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

QRect QRectOf(const TPixelRect& rect) {
    return QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom));
}

// The label texts in the user's locale, measured in the font on the picture.
TChartText QtChartText(const QFontMetrics& metrics) {
    TChartText text;
    text.LineHeight = metrics.height();
    text.Ascent = metrics.ascent();
    text.Format = [](double value) { return FormatChartLabel(value, QLocale()).toStdString(); };
    text.Advance = [metrics](const std::string& label) {
        return metrics.horizontalAdvance(QString::fromStdString(label));
    };
    text.InkBox = [metrics](const std::string& label) {
        const QRect ink = metrics.tightBoundingRect(QString::fromStdString(label));
        return TPixelRect{ink.left(), ink.top(), ink.right(), ink.bottom()};
    };
    return text;
}

void DrawLayout(QPainter& painter, const TChartLayout& layout) {
    QPolygon dots;
    for (const TPixelPoint& dot : layout.GridDots) dots << QPoint(dot.X, dot.Y);
    painter.setPen(QPen(ColourOf(ChartGridColour), 1));
    painter.drawPoints(dots);
    for (const TPixelRect& rect : layout.Black) painter.fillRect(QRectOf(rect), Qt::black);
    painter.setPen(Qt::black);
    for (const std::vector<TChartLabel>* labels : {&layout.Right, &layout.Bottom}) {
        for (const TChartLabel& label : *labels) {
            painter.drawText(QPoint(label.Origin.X, label.Origin.Y),
                             QString::fromStdString(label.Text));
        }
    }
}

void DrawLine(QPainter& painter, const std::vector<TLinePoint>& line) {
    if (line.empty()) return;
    std::vector<QPointF> points;
    points.reserve(line.size());
    for (const TLinePoint& point : line) points.emplace_back(point.X, point.Y);
    // Round joins: a dense zigzag with mitred joins grows spikes and turns into a
    // blot much thicker than 2 pixels.
    painter.setPen(QPen(ColourOf(ChartLineColour), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

}  // namespace

TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        throw NoGuiApplicationError();
    }
    QImage image(ChartWidth, ChartHeight, QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    image.fill(Qt::white);
    const QFont font = LabelFont();
    const TChartLayout layout =
        PlaceChart(points.size(), yRange, QtChartText(QFontMetrics(font, &image)));
    {
        QPainter painter(&image);
        // Hard edges only: antialiasing would add shades of every colour.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        DrawLayout(painter, layout);
        DrawLine(painter, BalanceLine(points, layout.Plot, yRange, drawing));
    }
    return {ToRgbImage(image), layout.Plot, LabelsOf(layout)};
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
