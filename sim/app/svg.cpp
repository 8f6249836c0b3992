#include "app/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/text_formats.h"

namespace sim {

namespace {

const char kGridColour[] = "#e4e4e4";
const char kFrameColour[] = "#888888";
const double kTickLength = 4;
// A curve's points that lie within this distance (px) of the line through
// their neighbours are left out: the picture is the same and much smaller.
const double kCurveTolerance = 0.1;

double DistanceFromSegment(std::pair<double, double> point, std::pair<double, double> start,
                           std::pair<double, double> end) {
  const double dx = end.first - start.first;
  const double dy = end.second - start.second;
  const double length = std::hypot(dx, dy);
  if (length < 1e-12) return std::hypot(point.first - start.first, point.second - start.second);
  return std::fabs(dx * (start.second - point.second) - dy * (start.first - point.first)) / length;
}

// The points, on the page, without those the tolerance lets go.
PlotPoints Simplified(const PlotPoints& page) {
  PlotPoints kept;
  size_t start = 0;
  for (size_t end = 1; end < page.size(); ++end) {
    bool straight = true;
    for (size_t i = start + 1; i < end && straight; ++i) {
      straight = DistanceFromSegment(page[i], page[start], page[end]) <= kCurveTolerance;
    }
    if (!straight) {
      kept.push_back(page[start]);
      start = end - 1;
    }
  }
  if (!page.empty()) {
    kept.push_back(page[start]);
    if (start + 1 < page.size()) kept.push_back(page.back());
  }
  return kept;
}

}  // namespace

std::string SvgNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string number = text;
  // Drop the zeros a round coordinate does not need.
  while (number.back() == '0') number.pop_back();
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

std::string SvgStart(double width, double height) {
  const std::string w = SvgNumber(width);
  const std::string h = SvgNumber(height);
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h +
         "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\" font-size=\"12\">\n"
         "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
}

std::string SvgText(double x, double y, const std::string& text, const TextStyle& style) {
  std::string svg = "<text x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\"";
  if (std::string(style.anchor) != "start")
    svg += " text-anchor=\"" + std::string(style.anchor) + "\"";
  if (style.size != 12) svg += " font-size=\"" + SvgNumber(style.size) + "\"";
  svg += " fill=\"" + std::string(style.fill) + "\"";
  if (std::string(style.weight) != "normal")
    svg += " font-weight=\"" + std::string(style.weight) + "\"";
  if (style.halo) svg += " stroke=\"white\" stroke-width=\"3\" paint-order=\"stroke\"";
  return svg + ">" + XmlText(text) + "</text>\n";
}

std::string SvgLine(double x1, double y1, double x2, double y2, const char* stroke, double width,
                    const char* dash) {
  std::string svg = "<line x1=\"" + SvgNumber(x1) + "\" y1=\"" + SvgNumber(y1) + "\" x2=\"" +
                    SvgNumber(x2) + "\" y2=\"" + SvgNumber(y2) + "\" stroke=\"" + stroke +
                    "\" stroke-width=\"" + SvgNumber(width) + "\"";
  if (dash != nullptr) svg += " stroke-dasharray=\"" + std::string(dash) + "\"";
  return svg + "/>\n";
}

Axis RoundAxis(double low, double high, int ticks) {
  if (!(high - low > 1e-12 * std::max(1.0, std::fabs(high)))) {
    const double half = std::max(1.0, std::fabs(low) * 0.1);
    low -= half;
    high += half;
  }
  const double rough = (high - low) / std::max(1, ticks);
  const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
  double step = magnitude;
  for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    step = factor * magnitude;
    if (step >= rough) break;
  }
  return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

std::string TickText(double value, double step) {
  // As many decimals as make the step whole: 0.25 needs two, 0.2 one.
  int decimals = 0;
  while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) -
                                   std::round(step * std::pow(10.0, decimals))) > 1e-6) {
    ++decimals;
  }
  if (std::fabs(value) < step * 1e-6) value = 0.0;  // no "-0"
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

PlotPanel::PlotPanel(double left, double top, double width, double height, Axis x, Axis y)
    : left_(left), top_(top), width_(width), height_(height), x_(x), y_(y) {
  clip_id_ = "panel-" + SvgNumber(left) + "-" + SvgNumber(top);
  std::replace(clip_id_.begin(), clip_id_.end(), '.', '_');
}

double PlotPanel::X(double value) const {
  return left_ + (value - x_.low) / (x_.high - x_.low) * width_;
}

double PlotPanel::Y(double value) const {
  return top_ + (y_.high - value) / (y_.high - y_.low) * height_;
}

std::string PlotPanel::Axes(const std::string& x_label, const std::string& y_label) const {
  std::string svg = "<clipPath id=\"" + clip_id_ + "\"><rect x=\"" + SvgNumber(left_) + "\" y=\"" +
                    SvgNumber(top_) + "\" width=\"" + SvgNumber(width_) + "\" height=\"" +
                    SvgNumber(height_) + "\"/></clipPath>\n";
  TextStyle tick_style;
  tick_style.size = 11;
  tick_style.fill = "#555555";
  tick_style.anchor = "middle";
  const int x_ticks = static_cast<int>(std::lround((x_.high - x_.low) / x_.step));
  for (int i = 0; i <= x_ticks; ++i) {
    const double value = x_.low + i * x_.step;
    const double x = X(value);
    svg += SvgLine(x, top_, x, bottom(), kGridColour);
    svg += SvgLine(x, bottom(), x, bottom() + kTickLength, kFrameColour);
    svg += SvgText(x, bottom() + 16, TickText(value, x_.step), tick_style);
  }
  tick_style.anchor = "end";
  const int y_ticks = static_cast<int>(std::lround((y_.high - y_.low) / y_.step));
  for (int i = 0; i <= y_ticks; ++i) {
    const double value = y_.low + i * y_.step;
    const double y = Y(value);
    svg += SvgLine(left_, y, right(), y, kGridColour);
    svg += SvgLine(left_ - kTickLength, y, left_, y, kFrameColour);
    svg += SvgText(left_ - 7, y + 4, TickText(value, y_.step), tick_style);
  }
  svg += "<rect x=\"" + SvgNumber(left_) + "\" y=\"" + SvgNumber(top_) + "\" width=\"" +
         SvgNumber(width_) + "\" height=\"" + SvgNumber(height_) + "\" fill=\"none\" stroke=\"" +
         kFrameColour + "\"/>\n";
  TextStyle label_style;
  label_style.anchor = "middle";
  if (!x_label.empty()) svg += SvgText((left_ + right()) / 2, bottom() + 34, x_label, label_style);
  if (!y_label.empty()) {
    const double x = left_ - 52;
    const double y = (top_ + bottom()) / 2;
    svg += "<g transform=\"rotate(-90 " + SvgNumber(x) + " " + SvgNumber(y) + ")\">" +
           SvgText(x, y, y_label, label_style) + "</g>\n";
  }
  return svg;
}

std::string PlotPanel::Curve(const PlotPoints& points, const char* stroke, double width,
                             const char* dash, double dash_offset) const {
  std::string svg = "<polyline clip-path=\"url(#" + clip_id_ + ")\" fill=\"none\" stroke=\"" +
                    stroke + "\" stroke-width=\"" + SvgNumber(width) +
                    "\" stroke-linejoin=\"round\"";
  if (dash != nullptr) svg += " stroke-dasharray=\"" + std::string(dash) + "\"";
  if (dash_offset != 0.0) svg += " stroke-dashoffset=\"" + SvgNumber(-dash_offset) + "\"";
  svg += " points=\"";
  PlotPoints page;
  for (const auto& [x, y] : points) {
    if (std::isfinite(x) && std::isfinite(y)) page.emplace_back(X(x), Y(y));
  }
  for (const auto& [x, y] : Simplified(page)) svg += SvgNumber(x) + "," + SvgNumber(y) + " ";
  return svg + "\"/>\n";
}

}  // namespace sim
