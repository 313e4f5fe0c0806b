#include "chart/chart_render_gdi.hpp"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "chart/chart_picture.hpp"

namespace velquist {
namespace {

constexpr int LabelPoints = 8;
constexpr int ScreenDpi = 96;  // the picture's resolution, whatever the screen's
constexpr std::size_t LongestFormatted = 40;

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), size, nullptr,
                        nullptr);
    return text;
}

COLORREF ColourRefOf(TRgbColour colour) { return RGB(colour.Red, colour.Green, colour.Blue); }

// A memory device context drawing into a top-down 32-bit DIB section, with
// the label font selected; gives all back when it goes.
class TCanvas {
  public:
    TCanvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: rows from the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (dc_ == nullptr || bitmap_ == nullptr) throw std::bad_alloc();
        bits_ = static_cast<std::uint32_t*>(bits);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        font_ = CreateFontW(-MulDiv(LabelPoints, ScreenDpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                            FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
        oldFont_ = SelectObject(dc_, font_);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, ColourRefOf(ChartInkColour));
        SetTextAlign(dc_, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    ~TCanvas() {
        SelectObject(dc_, oldFont_);
        DeleteObject(font_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    HDC Dc() const { return dc_; }
    // Sets pixel (x, y) when it lies in the bitmap, once GDI's drawing is
    // flushed.
    void SetPixel(int x, int y, TRgbColour colour) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        bits_[static_cast<std::size_t>(y) * width_ + x] =
            std::uint32_t{colour.Red} << 16 | std::uint32_t{colour.Green} << 8 | colour.Blue;
    }
    // Pixel (x, y) as 0x00RRGGBB, once the drawing is flushed.
    std::uint32_t Pixel(int x, int y) const {
        return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
    }
    TRgbImage ToRgbImage() const {
        GdiFlush();
        TRgbImage image{width_, height_, {}};
        image.Rgb.reserve(static_cast<std::size_t>(width_) * height_ * 3);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t pixel = Pixel(x, y);
                image.Rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
                image.Rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
                image.Rgb.push_back(static_cast<std::uint8_t>(pixel));
            }
        }
        return image;
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

int Advance(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), int(text.size()), &size);
    return size.cx;
}

// The pixels the text inks, found by drawing it on a scratch canvas: exactly
// what TextOutW will draw, which glyph metrics give only roughly.
TPixelRect InkBox(const std::string& label, int lineHeight) {
    const std::wstring text = Wide(label);
    const int margin = 2 * lineHeight;
    const int width = Advance(TCanvas(1, 1).Dc(), text) + 2 * margin;
    const int height = 3 * lineHeight;
    TCanvas canvas(width, height);
    TextOutW(canvas.Dc(), margin, margin, text.data(), int(text.size()));
    GdiFlush();
    TPixelRect ink{width, height, -width, -height};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.Pixel(x, y) == 0xFFFFFF) continue;
            ink = {std::min(ink.Left, x - margin), std::min(ink.Top, y - margin),
                   std::max(ink.Right, x - margin), std::max(ink.Bottom, y - margin)};
        }
    }
    return ink.IsEmpty() ? TPixelRect{} : ink;
}

TChartText GdiChartText(HDC dc) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    TChartText text;
    text.LineHeight = metrics.tmHeight;
    text.Ascent = metrics.tmAscent;
    text.Format = [](double value) { return FormatChartLabel(value, LOCALE_NAME_USER_DEFAULT); };
    text.Advance = [dc](const std::string& label) { return Advance(dc, Wide(label)); };
    text.InkBox = [lineHeight = text.LineHeight](const std::string& label) {
        return InkBox(label, lineHeight);
    };
    return text;
}

void DrawLayout(HDC dc, const TChartLayout& layout) {
    const COLORREF grey = ColourRefOf(ChartGridColour);
    for (const TPixelPoint& dot : layout.GridDots) SetPixelV(dc, dot.X, dot.Y, grey);
    for (const TPixelRect& rect : layout.Black) {
        PatBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), BLACKNESS);
    }
    for (const std::vector<TChartLabel>* labels : {&layout.Right, &layout.Bottom}) {
        for (const TChartLabel& label : *labels) {
            const std::wstring text = Wide(label.Text);
            TextOutW(dc, label.Origin.X, label.Origin.Y, text.data(), int(text.size()));
        }
    }
}

// Two pixels of every column a segment crosses (of every row, where it runs
// more down than across): the rows next above and at the segment's own row,
// rounded from its exact height there. So the line is two pixels thick and
// lies where Qt's 2-pixel pen without antialiasing puts it; GDI's pens round
// the points to whole pixels first (and a geometric pen 2 wide covers three
// rows wherever the line slopes). Set straight in the bitmap's memory: dense
// curves have hundreds of thousands of such pixels.
void DrawLine(TCanvas& canvas, const std::vector<TLinePoint>& line) {
    const TRgbColour colour = ChartLineColour;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const TLinePoint from = line[i - 1];
        const TLinePoint to = line[i];
        const bool across = std::abs(to.X - from.X) >= std::abs(to.Y - from.Y);
        // Along the segment's main direction a, the other coordinate b.
        const double a0 = across ? from.X : from.Y, a1 = across ? to.X : to.Y;
        const double b0 = across ? from.Y : from.X, b1 = across ? to.Y : to.X;
        const long first = std::lround(std::min(a0, a1)), last = std::lround(std::max(a0, a1));
        for (long a = first; a <= last; ++a) {
            const double t = a1 == a0 ? 0 : std::clamp((a - a0) / (a1 - a0), 0.0, 1.0);
            const long b = std::lround(b0 + t * (b1 - b0));
            for (const long side : {b - 1, b}) {
                if (across) {
                    canvas.SetPixel(int(a), int(side), colour);
                } else {
                    canvas.SetPixel(int(side), int(a), colour);
                }
            }
        }
    }
}

// The value with three decimals at most and no trailing zeros, in plain
// digits and "." (what GetNumberFormatEx reads); decimals gets their count.
std::string PlainDecimal(double value, int& decimals) {
    char buffer[400];  // the largest double has 309 digits
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    const std::size_t point = text.find('.');
    decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
    // A small negative value rounds to zero, which has no sign.
    if (text == "-0") text = "0";
    return text;
}

std::wstring LocaleText(const wchar_t* localeName, LCTYPE type) {
    wchar_t buffer[32] = {};
    const int size = GetLocaleInfoEx(localeName, type, buffer, 32);
    return size > 0 ? std::wstring(buffer, static_cast<std::size_t>(size - 1)) : std::wstring();
}

UINT LocaleNumber(const wchar_t* localeName, LCTYPE type) {
    DWORD number = 0;
    GetLocaleInfoEx(localeName, type | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&number),
                    sizeof number / sizeof(wchar_t));
    return number;
}

// LOCALE_SGROUPING ("3;0", "3;2;0", "3") as NUMBERFMT's Grouping (3, 32, 30):
// a trailing ";0" there means that the last group repeats, which Grouping
// says by not ending in 0.
UINT GroupingOf(const std::wstring& grouping) {
    std::wstring digits;
    for (const wchar_t c : grouping) {
        if (c >= L'0' && c <= L'9') digits += c;
    }
    if (digits.size() > 1 && digits.back() == L'0') {
        digits.pop_back();
    } else {
        digits += L'0';
    }
    UINT number = 0;
    for (const wchar_t c : digits) number = number * 10 + UINT(c - L'0');
    return number;
}

}  // namespace

std::string FormatChartLabel(double value, const wchar_t* localeName) {
    int decimals = 0;
    const std::string plain = PlainDecimal(value, decimals);
    std::wstring decimal = LocaleText(localeName, LOCALE_SDECIMAL);
    std::wstring thousand = LocaleText(localeName, LOCALE_STHOUSAND);
    NUMBERFMTW format{};
    format.NumDigits = UINT(decimals);
    format.LeadingZero = 1;  // the pattern's "0" before the point
    format.Grouping = GroupingOf(LocaleText(localeName, LOCALE_SGROUPING));
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = thousand.data();
    format.NegativeOrder = LocaleNumber(localeName, LOCALE_INEGNUMBER);
    const std::wstring wide = Wide(plain);
    // Some implementations overrun a fixed buffer on very long numbers; values
    // beyond 1e36 (no account's) keep their plain digits.
    if (plain.size() > LongestFormatted) return plain;
    const int size = GetNumberFormatEx(localeName, 0, wide.c_str(), &format, nullptr, 0);
    if (size <= 0) return plain;
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    GetNumberFormatEx(localeName, 0, wide.c_str(), &format, text.data(), size);
    text.resize(static_cast<std::size_t>(size - 1));
    return Utf8(text);
}

TChartPicture RenderBalanceChart(const std::vector<double>& points, TChartRange yRange,
                                 TLineDrawing drawing) {
    TCanvas canvas(ChartWidth, ChartHeight);
    const TChartLayout layout = PlaceChart(points.size(), yRange, GdiChartText(canvas.Dc()));
    DrawLayout(canvas.Dc(), layout);
    GdiFlush();  // the line goes straight into the bitmap, after the rest
    DrawLine(canvas, BalanceLine(points, layout.Plot, yRange, drawing));
    return {canvas.ToRgbImage(), layout.Plot, LabelsOf(layout)};
}

}  // namespace velquist
