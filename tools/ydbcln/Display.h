// Text helpers shared by the race subcommands: the library's Shift_JIS
// display strings as UTF-8, padded into columns by their display width,
// numbers read back from the library's formatted texts, and one-line
// errors.
#ifndef YDBCLN_TOOL_DISPLAY_H_
#define YDBCLN_TOOL_DISPLAY_H_

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>

namespace tool {

// `sjis` cut or padded with blanks to `width` columns, as UTF-8. A
// Shift_JIS byte takes one column of a terminal: a full-width character
// two, a half-width one one.
std::string Column(const std::string& sjis, std::size_t width);
// The same, aligned to the right: blanks go before the text.
std::string RightColumn(const std::string& sjis, std::size_t width);

// `sjis` without its leading and trailing blanks (still Shift_JIS), and the
// same as UTF-8.
std::string Trim(const std::string& sjis);
std::string Text(const std::string& sjis);

// The whole number a formatted text holds ("   350" is 350); null for an
// empty text.
nlohmann::json Number(const std::string& sjis);

// A value in tenths as text: 35 is "3.5", 1071 "107.1".
std::string Tenths(int tenths);

// Prints "ydbcln: " and `message` as one line of standard error and
// returns `code`, the exit code.
int Fail(const std::string& message, int code = 2);

}  // namespace tool

#endif  // YDBCLN_TOOL_DISPLAY_H_
