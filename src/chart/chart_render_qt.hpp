// Drawing of the balance chart with Qt Gui (RenderBalanceChart of
// chart_picture.hpp): measures the label texts in Arial 8 pt and draws what
// the shared layout places (white ground, black frame, 2-pixel axes along the
// bottom and the right, value labels, dotted grey grid lines and the balance
// line in one blue), all without antialiasing so that the picture holds only
// those few colours. Draws in memory only. Needs a QGuiApplication.
#pragma once

#include <QImage>
#include <QLocale>
#include <QString>

#include "chart/chart_picture.hpp"
#include "image/image_types.hpp"

namespace velquist {

// A label in the pattern "#,##0.###": digit grouping, at most three decimals
// with trailing zeros dropped, in the locale's separators and digits.
QString FormatChartLabel(double value, QLocale locale);

// The picture's pixels as red, green, blue bytes.
TRgbImage ToRgbImage(const QImage& image);

}  // namespace velquist
