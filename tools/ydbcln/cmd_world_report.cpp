// `ydbcln world-report`: how close the data set comes to JRA racing — each
// figure an analyst checks first beside its band and the band's source.
// A figure outside its band is marked, not an error: the exit code is 0
// once the report is printed.
#include <world/WorldReport.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <string>

#include "Command.h"
#include "Session.h"

namespace tool {
namespace {

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, value == static_cast<long long>(value) ? "%.0f" : "%.2f", value);
  return text;
}

int ShowWorldReport(const Options& options) {
  auto data_set = OpenWhole(options.data_dir, ydb::DataSet::Mode::kOpenExisting);
  if (data_set == nullptr) return kExitNotFound;
  world::Report report;
  const ydb::Status s = world::MeasureWorld(*data_set, &report);
  if (!s.ok()) {
    std::cerr << "ydbcln: cannot read the data set: " << s.message() << "\n";
    return kExitNotFound;
  }
  if (options.json) {
    nlohmann::json figures = nlohmann::json::array();
    for (const world::Figure& f : report.figures) {
      figures.push_back({{"name", f.name}, {"label", f.label}, {"unit", f.unit},
                         {"value", f.measured ? nlohmann::json(f.value) : nlohmann::json()},
                         {"low", f.low}, {"high", f.high}, {"inside", f.inside()},
                         {"source", f.source}});
    }
    std::cout << nlohmann::json{{"seasons", report.seasons}, {"races", report.races},
                                {"inside", report.inside()}, {"figures", figures}}
                     .dump(2)
              << "\n";
    return kExitDone;
  }
  std::cout << report.seasons << " seasons, " << report.races << " races\n\n";
  for (const world::Figure& f : report.figures) {
    std::cout << Pad(f.label + " (" + f.unit + ")", 62) << (f.measured ? Number(f.value) : std::string("-")) << "  ["
              << Number(f.low) << ", " << Number(f.high) << "]"
              << (f.inside() ? "" : "  OUTSIDE") << "\n";
  }
  std::cout << "\nSources:\n";
  std::string last;
  for (const world::Figure& f : report.figures) {
    if (f.source == last) continue;
    last = f.source;
    std::cout << "  " << f.name << ": " << f.source << "\n";
  }
  return kExitDone;
}

}  // namespace

void RegisterWorldReport(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* report = app.add_subcommand(
      "world-report", "Set the data set's figures beside JRA's published ones");
  report->callback([&options, exit_code] { *exit_code = ShowWorldReport(options); });
}

}  // namespace tool
