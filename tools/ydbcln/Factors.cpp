// The factor catalogue and theories in words for the command line.
#include "Factors.h"

#include "Session.h"

namespace tool {
namespace {

template <std::size_t N>
std::string Pick(const char* const (&names)[N], int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? names[index] : "unknown";
}

}  // namespace

std::string CategoryName(int category) {
  static const char* const kNames[] = {"horse", "jockey", "trainer",
                                       "sire",  "course", "race forecast"};
  return Pick(kNames, category);
}

std::string GroupName(int group) {
  static const char* const kNames[] = {"horse",
                                       "jockey",
                                       "trainer",
                                       "sire",
                                       "times",
                                       "indices and marks",
                                       "popularity, odds and draw"};
  return Pick(kNames, group);
}

std::string ParamKind(int type) {
  static const char* const kNames[] = {"none", "distance range", "recent runs", "months back"};
  return Pick(kNames, type);
}

std::string ParamValues(int type) {
  static const char* const kValues[] = {"0 only", "0, 200, 400 or 600 m either side",
                                        "1-10, or 999 for all runs", "1, 3, 6, 12 or 24 months"};
  return Pick(kValues, type);
}

std::vector<int> ValidValues(int type) {
  switch (type) {
    case 0:
      return {0};
    case 1:
      return {0, 200, 400, 600};
    case 2:
      return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 999};
    case 3:
      return {1, 3, 6, 12, 24};
    default:
      return {};
  }
}

std::string ParamWords(int type, int value) {
  const std::string n = std::to_string(value);
  switch (type) {
    case 1:
      return value == 0 ? "same distance" : "±" + n + " m";
    case 2:
      return value == 999 ? "all runs" : value == 1 ? "last run" : "last " + n + " runs";
    case 3:
      return value == 1 ? "1 month" : n + " months";
    default:
      return "";
  }
}

std::string ItemParamWords(int no, int p1, int p2) {
  int types[2] = {0, 0};
  YTheories::getparams(no, types[0], types[1]);
  const int values[2] = {p1, p2};
  std::string text;
  for (int k = 0; k < 2; ++k) {
    const std::string words = ParamWords(types[k], values[k]);
    if (words.empty()) continue;
    if (!text.empty()) text += ", ";
    text += words;
  }
  return text;
}

std::string FactorName(int no) {
  const std::string name = YTheories::getitemname_no(no);
  return name.empty() ? "factor " + std::to_string(no) : Utf8(name);
}

std::string DescribeFault(YTheories::CheckFault fault, const _tagTHEORYREC& record, int item) {
  if (fault == YTheories::kItemCount) {
    return "a theory has 1 to 8 items, not " + std::to_string(record.count);
  }
  if (fault == YTheories::kNoRecord || fault == YTheories::kValid || item < 0 || item >= 8) {
    return "the theory is not valid";
  }
  const _tagTHITEM& it = record.item[item];
  const std::string where = "item " + std::to_string(item + 1) + " (" + FactorName(it.no) + "): ";
  switch (fault) {
    case YTheories::kFactor:
      return where + "the factor code is not 1-" + std::to_string(YTheories::theorynomax);
    case YTheories::kWeight:
      return where + "weight " + std::to_string(it.value) + " is not 1-100";
    default: {
      const int k = fault == YTheories::kParam1 ? 0 : 1;
      int types[2] = {0, 0};
      YTheories::getparams(it.no, types[0], types[1]);
      return where + (k == 0 ? "first" : "second") + " parameter " + std::to_string(it.param[k]) +
             " is not a valid " + ParamKind(types[k]) + ": " + ParamValues(types[k]);
    }
  }
}

nlohmann::json ParamJson(int type, int value) {
  return {{"type", type},
          {"kind", ParamKind(type)},
          {"value", value},
          {"text", ParamWords(type, value)}};
}

}  // namespace tool
