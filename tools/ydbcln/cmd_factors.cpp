// `ydbcln factors`: the catalogue of the 78 factors a theory combines, each
// with its category, display group, parameters (kind, default and valid
// values) and description. Needs no data set.
#include <nlohmann/json.hpp>

#include <iostream>
#include <string>

#include "Command.h"
#include "Factors.h"
#include "Session.h"

namespace tool {
namespace {

// The description line of a factor's catalogue text: after the name's
// CR LF, up to the next line end.
// (Line ends are found in the Shift_JIS text, whose second bytes are never
// CR or LF, before the line is made printable.)
std::string Description(int no) {
  const std::string text = YTheories::getdesc(no);
  const std::size_t start = text.find("\r\n");
  if (start == std::string::npos) return std::string();
  const std::size_t end = text.find("\r\n", start + 2);
  return Utf8(text.substr(start + 2, end == std::string::npos ? std::string::npos : end - start - 2));
}

int ListFactors(const Options& options) {
  nlohmann::json all = nlohmann::json::array();
  for (int i = 0; i < YTheories::getitemcount(); ++i) {
    const int no = YTheories::getitemno(i);
    int types[2] = {0, 0};
    int defaults[2] = {0, 0};
    YTheories::getparams(no, types[0], types[1]);
    YTheories::getdefault(no, defaults[0], defaults[1]);
    const int category = YTheories::getcategory_no(no);
    const int group = YTheories::getcategory2_no(no);
    if (options.json) {
      nlohmann::json params = nlohmann::json::array();
      for (int k = 0; k < 2; ++k) {
        params.push_back({{"type", types[k]},
                          {"kind", ParamKind(types[k])},
                          {"default", defaults[k]},
                          {"valid", ValidValues(types[k])}});
      }
      all.push_back({{"code", no},
                     {"name", FactorName(no)},
                     {"category", {{"code", category}, {"name", CategoryName(category)}}},
                     {"group", {{"code", group}, {"name", GroupName(group)}}},
                     {"label", YTheories::getlabel_no(no)},
                     {"parameters", params},
                     {"description", Description(no)}});
      continue;
    }
    std::cout << (no < 10 ? " " : "") << no << "  " << FactorName(no) << "  ("
              << CategoryName(category) << "; shown with " << GroupName(group) << ")\n";
    for (int k = 0; k < 2; ++k) {
      std::cout << "    P" << (k + 1) << " " << ParamKind(types[k]);
      if (types[k] != 0) {
        std::cout << ": default " << ParamWords(types[k], defaults[k]) << "; valid "
                  << ParamValues(types[k]);
      }
      std::cout << "\n";
    }
    std::cout << "    " << Description(no) << "\n";
  }
  if (options.json) std::cout << all.dump(2) << "\n";
  return 0;
}

}  // namespace

void RegisterFactors(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("factors", "List the 78 factors a theory can combine");
  cmd->callback([&options, exit_code] { *exit_code = ListFactors(options); });
}

}  // namespace tool
