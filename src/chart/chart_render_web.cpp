// Drawing of the balance chart in the browser edition (RenderBalanceChart of
// chart_picture.hpp), which has neither Qt nor the GDI: what the shared layout
// places, the labels in the core's one-bit font and the balance line stroked
// two pixels wide here, all in the chart's few colours. In memory only.
#include "chart/chart_render_web.hpp"

#include <cmath>
#include <string>
#include <vector>

#include "base/decimal_text.hpp"
#include "chart/chart_font.hpp"

namespace velquist {
namespace {

TChartNumberFormat& NumberFormat() {
    static TChartNumberFormat format;
    return format;
}

// One character of UTF-8 text from position i on (U+FFFD for a bad byte).
char32_t NextCharacter(const std::string& text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char first = byte(i++);
    if (first < 0x80) return first;
    const int more = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : -1;
    if (more < 0 || i + static_cast<std::size_t>(more) > text.size()) return U'\uFFFD';
    char32_t code = first & (0x3F >> more);
    for (int k = 0; k < more; ++k) code = code << 6 | (byte(i++) & 0x3F);
    return code;
}

// A character the font lacks is drawn as the nearest it has: an unknown
// separator as a blank.
const TChartGlyph& GlyphOf(char32_t code) {
    for (const TChartGlyph& glyph : ChartFont.Glyphs)
        if (glyph.CodePoint == code) return glyph;
    return GlyphOf(U' ');
}

int AdvanceOf(const std::string& text) {
    int advance = 0;
    for (std::size_t i = 0; i < text.size();) advance += GlyphOf(NextCharacter(text, i)).Advance;
    return advance;
}

TPixelRect InkBoxOf(const std::string& text) {
    TPixelRect ink;
    int pen = 0;
    for (std::size_t i = 0; i < text.size();) {
        const TChartGlyph& glyph = GlyphOf(NextCharacter(text, i));
        if (glyph.Height > 0) {
            const TPixelRect box =
                RectOfSize(pen + glyph.Left, glyph.Top, glyph.Width, glyph.Height);
            ink =
                ink.IsEmpty()
                    ? box
                    : TPixelRect{std::min(ink.Left, box.Left), std::min(ink.Top, box.Top),
                                 std::max(ink.Right, box.Right), std::max(ink.Bottom, box.Bottom)};
        }
        pen += glyph.Advance;
    }
    return ink;
}

TChartText WebChartText() {
    TChartText text;
    text.LineHeight = ChartFont.LineHeight;
    text.Ascent = ChartFont.Ascent;
    text.Format = [](double value) { return FormatChartLabel(value, NumberFormat()); };
    text.Advance = AdvanceOf;
    text.InkBox = InkBoxOf;
    return text;
}

class TCanvas {
  public:
    TCanvas() : image_{ChartWidth, ChartHeight, {}} {
        image_.Rgb.assign(static_cast<std::size_t>(ChartWidth) * ChartHeight * 3, 255);
    }
    void Set(int x, int y, TRgbColour colour) {
        if (x < 0 || y < 0 || x >= ChartWidth || y >= ChartHeight) return;
        std::uint8_t* pixel = &image_.Rgb[(static_cast<std::size_t>(y) * ChartWidth + x) * 3];
        pixel[0] = colour.Red;
        pixel[1] = colour.Green;
        pixel[2] = colour.Blue;
    }
    void Fill(const TPixelRect& rect, TRgbColour colour) {
        for (int y = rect.Top; y <= rect.Bottom; ++y)
            for (int x = rect.Left; x <= rect.Right; ++x) Set(x, y, colour);
    }
    TRgbImage Take() { return std::move(image_); }

  private:
    TRgbImage image_;
};

void DrawText(TCanvas& canvas, const TChartLabel& label) {
    int pen = label.Origin.X;
    for (std::size_t i = 0; i < label.Text.size();) {
        const TChartGlyph& glyph = GlyphOf(NextCharacter(label.Text, i));
        for (int row = 0; row < glyph.Height; ++row)
            for (int bit = 0; bit < glyph.Width; ++bit)
                if (glyph.Rows[static_cast<std::size_t>(row)] >> bit & 1)
                    canvas.Set(pen + glyph.Left + bit, label.Origin.Y + glyph.Top + row,
                               ChartInkColour);
        pen += glyph.Advance;
    }
}

void DrawLayout(TCanvas& canvas, const TChartLayout& layout) {
    for (const TPixelPoint& dot : layout.GridDots) canvas.Set(dot.X, dot.Y, ChartGridColour);
    for (const TPixelRect& rect : layout.Black) canvas.Fill(rect, ChartInkColour);
    for (const TChartLabel& label : LabelsOf(layout)) DrawText(canvas, label);
}

// The two pixels whose centres lie within a pixel of the value, the lower
// half-open: a line at y covers the rows whose centres are in [y - 1, y + 1).
int FirstOfTwo(double value) { return static_cast<int>(std::ceil(value - 1.5)); }

// A segment two pixels wide: at every pixel column (or row, for a steep one)
// that it crosses, the two pixels across it; the ends get a two by two dot,
// which rounds the joins.
void StrokeSegment(TCanvas& canvas, TLinePoint from, TLinePoint to) {
    const double dx = to.X - from.X, dy = to.Y - from.Y;
    const bool steep = std::fabs(dy) > std::fabs(dx);
    const double a0 = steep ? from.Y : from.X, a1 = steep ? to.Y : to.X;
    const double b0 = steep ? from.X : from.Y, slope = steep ? dx / dy : dy / dx;
    const int first = static_cast<int>(std::ceil(std::min(a0, a1) - 0.5));
    const int last = static_cast<int>(std::floor(std::max(a0, a1) - 0.5));
    for (int along = first; along <= last; ++along) {
        const int across = FirstOfTwo(b0 + (along + 0.5 - a0) * slope);
        for (int k = 0; k < 2; ++k) {
            if (steep)
                canvas.Set(across + k, along, ChartLineColour);
            else
                canvas.Set(along, across + k, ChartLineColour);
        }
    }
}

void StrokeDot(TCanvas& canvas, TLinePoint point) {
    const int x = FirstOfTwo(point.X), y = FirstOfTwo(point.Y);
    canvas.Fill(RectOfSize(x, y, 2, 2), ChartLineColour);
}

void DrawLine(TCanvas& canvas, const std::vector<TLinePoint>& line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i + 1 < line.size()) StrokeSegment(canvas, line[i], line[i + 1]);
        StrokeDot(canvas, line[i]);
    }
}

// Groups the digits of a whole number in threes.
std::string Grouped(const std::string& digits, const std::string& separator) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

}  // namespace

void SetChartNumberFormat(const TChartNumberFormat& format) { NumberFormat() = format; }

std::string FormatChartLabel(double value, const TChartNumberFormat& format) {
    if (!std::isfinite(value)) return "0";
    // Exact decimals of the double, rounded to three places.
    const std::string text = FixedText(std::fabs(value), 3);
    const std::size_t point = text.find('.');
    std::string fraction = text.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string label = Grouped(text.substr(0, point), format.Group);
    if (!fraction.empty()) label += format.Decimal + fraction;
    // A small negative value rounds to zero, which has no sign.
    if (std::signbit(value) && label != "0") label = format.Minus + label;
    return label;
}

TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing) {
    TCanvas canvas;
    const TChartLayout layout = PlaceChart(points.size(), yRange, WebChartText());
    DrawLayout(canvas, layout);
    DrawLine(canvas, BalanceLine(points, layout.Plot, yRange, drawing));
    return {canvas.Take(), layout.Plot, LabelsOf(layout)};
}

}  // namespace velquist
