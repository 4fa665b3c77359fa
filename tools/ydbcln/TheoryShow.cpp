// Showing one theory as a table of its items or as JSON.
#include "TheoryShow.h"

#include <iomanip>
#include <string>
#include <vector>

#include "Factors.h"
#include "Session.h"

namespace tool {
namespace {

// The parameters of item i in words, or "-".
std::string ParamText(YTheory& theory, int i) {
  const std::string text =
      ItemParamWords(theory.getitemno(i), theory.getitemparam(i, 0), theory.getitemparam(i, 1));
  return text.empty() ? "-" : text;
}

}  // namespace

nlohmann::json TheoryJson(YTheory& theory, int code) {
  const std::vector<int> shares = theory.shares();
  nlohmann::json items = nlohmann::json::array();
  for (int i = 0; i < theory.getitemcount() && i < YTheory::kMaxItems; ++i) {
    int types[2] = {0, 0};
    YTheories::getparams(theory.getitemno(i), types[0], types[1]);
    items.push_back({{"factor", theory.getitemno(i)},
                     {"name", FactorName(theory.getitemno(i))},
                     {"weight", theory.getitemvalue(i)},
                     {"share", shares[static_cast<std::size_t>(i)]},
                     {"parameters",
                      {ParamJson(types[0], theory.getitemparam(i, 0)),
                       ParamJson(types[1], theory.getitemparam(i, 1))}}});
  }
  return {{"code", code}, {"title", Utf8(theory.getname())}, {"items", items}};
}

void PrintTheory(YTheory& theory, int code, std::ostream& out) {
  const std::vector<int> shares = theory.shares();
  out << "Theory " << code << ": " << Utf8(theory.getname()) << "\n"
      << "  #  Factor                       Weight  Share  Parameters\n";
  for (int i = 0; i < theory.getitemcount() && i < YTheory::kMaxItems; ++i) {
    out << std::setw(3) << i + 1 << "  " << std::setw(2) << theory.getitemno(i) << " "
        << Pad(FactorName(theory.getitemno(i)), 24) << "  " << std::setw(6)
        << theory.getitemvalue(i) << "  " << std::setw(5) << shares[static_cast<std::size_t>(i)]
        << "  " << ParamText(theory, i) << "\n";
  }
}

}  // namespace tool
