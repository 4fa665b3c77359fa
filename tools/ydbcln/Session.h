// Opening the data set for a subcommand, with a one-line error when it
// cannot be opened.
#ifndef YDBCLN_TOOL_SESSION_H_
#define YDBCLN_TOOL_SESSION_H_

#include <ydbcln/ydbcln.h>

#include <string>

namespace tool {

// Opens the data set in `dir`; on failure prints why to stderr and returns
// false.
bool OpenDataSet(YHorseDB& db, const std::string& dir);

// A Shift_JIS display string as UTF-8 for the terminal.
std::string Utf8(const std::string& sjis);

}  // namespace tool

#endif  // YDBCLN_TOOL_SESSION_H_
