// SVG documents of a few drawing elements, with escaping and scales.
#include "Svg.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace tool {
namespace {

// A coordinate as text: two decimals at most, no trailing zeros.
std::string Num(double value) {
  if (!std::isfinite(value)) value = 0;
  char text[48];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Attr(const std::string& name, double value) {
  return " " + name + "=\"" + Num(value) + "\"";
}

std::string Attr(const std::string& name, const std::string& value) {
  return " " + name + "=\"" + SvgEscape(value) + "\"";
}

}  // namespace

std::string SvgEscape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
        if (c == 0x7f) break;
        out += c;
    }
  }
  return out;
}

LinearScale::LinearScale(double domain_from, double domain_to, double range_from, double range_to)
    : domain_from_(domain_from), domain_to_(domain_to), range_from_(range_from), range_to_(range_to) {}

double LinearScale::operator()(double value) const {
  if (domain_to_ == domain_from_) return range_from_;
  return range_from_ + (value - domain_from_) / (domain_to_ - domain_from_) * (range_to_ - range_from_);
}

BandScale::BandScale(int count, double from, double to)
    : from_(from), step_(count > 0 ? (to - from) / count : 0) {}

double BandScale::start(int band) const { return from_ + step_ * band + step_ * 0.1; }

double BandScale::middle(int band) const { return from_ + step_ * (band + 0.5); }

double BandScale::width() const { return step_ * 0.8; }

double RoundUp(double value, double floor) {
  if (!(value > floor)) return floor;
  const double power = std::pow(10.0, std::floor(std::log10(value)));
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (m * power >= value) return m * power;
  }
  return 10 * power;
}

SvgDocument::SvgDocument(double width, double height) : width_(width), height_(height) {
  rect(0, 0, width, height, "#fff");
}

void SvgDocument::rect(double x, double y, double width, double height, const std::string& fill) {
  if (height < 0) {
    y += height;
    height = -height;
  }
  body_ += "<rect" + Attr("x", x) + Attr("y", y) + Attr("width", width) + Attr("height", height) +
           Attr("fill", fill) + "/>\n";
}

void SvgDocument::line(double x1, double y1, double x2, double y2, const std::string& stroke,
                       bool dashed) {
  body_ += "<line" + Attr("x1", x1) + Attr("y1", y1) + Attr("x2", x2) + Attr("y2", y2) +
           Attr("stroke", stroke) + (dashed ? Attr("stroke-dasharray", "4 3") : "") + "/>\n";
}

void SvgDocument::circle(double cx, double cy, double r, const std::string& fill) {
  body_ += "<circle" + Attr("cx", cx) + Attr("cy", cy) + Attr("r", r) + Attr("fill", fill) + "/>\n";
}

void SvgDocument::polyline(const std::vector<std::pair<double, double>>& points,
                           const std::string& stroke) {
  std::string list;
  for (const auto& [x, y] : points) list += (list.empty() ? "" : " ") + Num(x) + "," + Num(y);
  body_ += "<polyline" + Attr("points", list) + Attr("fill", "none") + Attr("stroke", stroke) +
           "/>\n";
}

void SvgDocument::text(double x, double y, const std::string& content, Anchor anchor, double size,
                       const std::string& fill) {
  static const char* const kAnchors[] = {"start", "middle", "end"};
  body_ += "<text" + Attr("x", x) + Attr("y", y) + Attr("font-size", size) +
           Attr("text-anchor", kAnchors[anchor]) + Attr("fill", fill) + ">" + SvgEscape(content) +
           "</text>\n";
}

std::string SvgDocument::str() const {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\"" +
         Attr("width", width_) + Attr("height", height_) + " viewBox=\"0 0 " + Num(width_) + " " +
         Num(height_) + "\" font-family=\"sans-serif\">\n" + body_ + "</svg>\n";
}

bool SvgDocument::save(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << str();
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tool
