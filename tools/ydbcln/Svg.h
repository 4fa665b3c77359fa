// Writing charts as SVG files: a document of a few drawing elements (bars,
// lines, dots, a polyline, text), every text and attribute escaped, and the
// scales that place values and categories on the page. Subcommands draw
// their charts with it (the return analysis; the money balance).
//
//   SvgDocument svg(640, 240);
//   LinearScale y(0, 200, 220, 20);           // 0 % at the bottom, 200 % at the top
//   BandScale x(10, 40, 620);                 // ten categories
//   svg.rect(x.start(4), y(87.5), x.width(), y(0) - y(87.5), "#4a7ab5");
//   svg.line(40, y(100), 620, y(100), "#c33", true);   // the 100 % line
//   svg.text(x.middle(4), 236, "東京", SvgDocument::kMiddle);
//   if (!svg.save("chart.svg")) fail();
#ifndef YDBCLN_TOOL_SVG_H_
#define YDBCLN_TOOL_SVG_H_

#include <string>
#include <utility>
#include <vector>

namespace tool {

// `text` (UTF-8) with &, <, >, " and ' written as entities, and control
// characters other than tab and line ends left out (XML cannot hold them).
std::string SvgEscape(const std::string& text);

// Maps [domain_from, domain_to] linearly onto [range_from, range_to]; a
// domain of no width maps everything to range_from.
class LinearScale {
 public:
  LinearScale(double domain_from, double domain_to, double range_from, double range_to);
  double operator()(double value) const;

 private:
  double domain_from_, domain_to_, range_from_, range_to_;
};

// `count` equal bands between `from` and `to`, each with a gap of a fifth
// of its width split around the bar.
class BandScale {
 public:
  BandScale(int count, double from, double to);
  double start(int band) const;   // left edge of the bar of `band`
  double middle(int band) const;  // its centre
  double width() const;           // the bar's width

 private:
  double from_, step_;
};

// The smallest of 1, 2 or 5 times a power of ten that is at least `value`
// (at least `floor`): a round top for an axis.
double RoundUp(double value, double floor);

class SvgDocument {
 public:
  enum Anchor { kStart, kMiddle, kEnd };

  // A page `width` × `height` user units, white.
  SvgDocument(double width, double height);

  void rect(double x, double y, double width, double height, const std::string& fill);
  void line(double x1, double y1, double x2, double y2, const std::string& stroke,
            bool dashed = false);
  void circle(double cx, double cy, double r, const std::string& fill);
  void polyline(const std::vector<std::pair<double, double>>& points, const std::string& stroke);
  // `text` is UTF-8, escaped here.
  void text(double x, double y, const std::string& text, Anchor anchor = kStart,
            double size = 12, const std::string& fill = "#222");

  // The whole document.
  std::string str() const;
  // Writes the document to `path`: false when it cannot be written whole.
  bool save(const std::string& path) const;

 private:
  double width_, height_;
  std::string body_;
};

}  // namespace tool

#endif  // YDBCLN_TOOL_SVG_H_
