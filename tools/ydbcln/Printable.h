// Text from outside (a data set's names and titles, the user's arguments,
// the fields an error quotes) made safe to print on a terminal: control
// characters, which could end a line early, cut it or drive the terminal,
// are shown as U+FFFD, and a long text quoted in a message is cut.
#ifndef YDBCLN_TOOL_PRINTABLE_H_
#define YDBCLN_TOOL_PRINTABLE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace tool {

// How many bytes of a text an error message quotes, and how long a
// reason handed up from the library is let be.
constexpr std::size_t kQuoteLimit = 200;
constexpr std::size_t kReasonLimit = 1000;

// `utf8` with every C0 control (NUL, newline and the escape of terminal
// sequences included), DEL and C1 control replaced by U+FFFD, and a byte
// that begins no UTF-8 character too. With `limit`, a longer text is cut at
// a character boundary before it and ends in "… (N bytes)", N the length
// of the whole.
std::string Printable(std::string_view utf8, std::size_t limit = std::string_view::npos);

// `utf8` made printable and cut at kQuoteLimit, for quoting in a message.
inline std::string Quoted(std::string_view utf8) { return Printable(utf8, kQuoteLimit); }

// A failure's message (which may quote what it read) made printable and
// cut at kReasonLimit.
inline std::string Reason(std::string_view utf8) { return Printable(utf8, kReasonLimit); }

}  // namespace tool

#endif  // YDBCLN_TOOL_PRINTABLE_H_
