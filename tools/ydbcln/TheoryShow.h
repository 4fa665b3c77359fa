// Showing one theory: its title and its items, each with its factor, weight,
// share of 100 and parameters in words; or the same as JSON. Shared by the
// subcommands that show a stored or a newly found theory.
#ifndef YDBCLN_TOOL_THEORYSHOW_H_
#define YDBCLN_TOOL_THEORYSHOW_H_

#include <ydbcln/ydbcln.h>

#include <nlohmann/json.hpp>

#include <ostream>

namespace tool {

// {"code", "title", "items": [{"factor", "name", "weight", "share",
// "parameters"}]}.
nlohmann::json TheoryJson(YTheory& theory, int code);

// "Theory CODE: TITLE" and a line per item.
void PrintTheory(YTheory& theory, int code, std::ostream& out);

}  // namespace tool

#endif  // YDBCLN_TOOL_THEORYSHOW_H_
