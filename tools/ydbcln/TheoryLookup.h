// Finding a stored theory the way the user names it: by its code, or by
// its exact title. Shared by the subcommands that run a stored theory.
#ifndef YDBCLN_TOOL_THEORYLOOKUP_H_
#define YDBCLN_TOOL_THEORYLOOKUP_H_

#include <ydbcln/ydbcln.h>

#include <string>

namespace tool {

// Opens the data set of `dir` and reads the stored theory with the code or
// exact title `name` (UTF-8) into *theory; false after saying why.
bool OpenWithTheory(YHorseDB& db, const std::string& dir, const std::string& name,
                    YTheory* theory);

}  // namespace tool

#endif  // YDBCLN_TOOL_THEORYLOOKUP_H_
