// The factor catalogue and theories in words for the command line: the
// names of categories, display groups and parameter kinds, a parameter's
// value as a reader says it ("±200 m", "last 3 runs", "12 months"), and
// why check() refuses a theory.
#ifndef YDBCLN_TOOL_FACTORS_H_
#define YDBCLN_TOOL_FACTORS_H_

#include <ydbcln/ydbcln.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace tool {

// "horse", "jockey", "trainer", "sire", "course", "race forecast".
std::string CategoryName(int category);
// "horse" ... "popularity, odds and draw".
std::string GroupName(int group);
// "none", "distance range", "recent runs", "months back".
std::string ParamKind(int type);
// The values a parameter of `type` takes, in words ("1, 3, 6, 12 or 24
// months") and as a list.
std::string ParamValues(int type);
std::vector<int> ValidValues(int type);
// A value of a parameter of `type` in words; empty for type 0.
std::string ParamWords(int type, int value);

// The parameters p1 and p2 of factor `no` in words, joined: "±200 m, last
// 3 runs"; empty for a factor without parameters.
std::string ItemParamWords(int no, int p1, int p2);

// A factor's name (UTF-8), or "factor N" for a code outside the catalogue.
std::string FactorName(int no);

// Why YTheories::findfault refused `record`: the item (1-based, with its
// factor) and the rule it breaks.
std::string DescribeFault(YTheories::CheckFault fault, const _tagTHEORYREC& record, int item);

// One parameter as JSON: its kind, value and words.
nlohmann::json ParamJson(int type, int value);

}  // namespace tool

#endif  // YDBCLN_TOOL_FACTORS_H_
