// Pieces of the program's SVG pictures: numbers, texts and lines as markup,
// and a plot panel with axes, ticks and a grid that maps data to the page.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sim {

// A coordinate or length, short.
std::string SvgNumber(double value);

// The document's start: size, white background, the common font.
std::string SvgStart(double width, double height);
inline const char* SvgEnd() { return "</svg>\n"; }

struct TextStyle {
  const char* anchor = "start";  // start, middle or end
  double size = 12;
  const char* fill = "#222222";
  const char* weight = "normal";
  bool halo = false;  // a white outline, to stay legible over lines
};
std::string SvgText(double x, double y, const std::string& text, const TextStyle& style = {});
std::string SvgLine(double x1, double y1, double x2, double y2, const char* stroke,
                    double width = 1.0, const char* dash = nullptr);

// An axis's range and the step between its ticks, both chosen round.
struct Axis {
  double low = 0.0;
  double high = 1.0;
  double step = 0.5;
};
// The range widened to round ticks, about the given number of them; a range
// of no width becomes one around its value.
Axis RoundAxis(double low, double high, int ticks);
// A tick's value as text, with as many decimals as the step needs.
std::string TickText(double value, double step);

using PlotPoints = std::vector<std::pair<double, double>>;

// A rectangle of the page that shows data: x to the right, y up.
class PlotPanel {
 public:
  PlotPanel(double left, double top, double width, double height, Axis x, Axis y);

  double X(double value) const;
  double Y(double value) const;
  double left() const { return left_; }
  double top() const { return top_; }
  double right() const { return left_ + width_; }
  double bottom() const { return top_ + height_; }

  // Grid, frame, ticks with their values, and the axes' labels (the y label
  // turned along the axis).
  std::string Axes(const std::string& x_label, const std::string& y_label) const;
  // The points joined, clipped to the panel; a dashed line's pattern starts
  // dash_offset along it.
  std::string Curve(const PlotPoints& points, const char* stroke, double width = 1.8,
                    const char* dash = nullptr, double dash_offset = 0.0) const;

 private:
  double left_;
  double top_;
  double width_;
  double height_;
  Axis x_;
  Axis y_;
  std::string clip_id_;
};

}  // namespace sim
