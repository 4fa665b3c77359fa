// The code tables behind the code-to-text lookups: for each kind of code a
// record carries (breed, weight rule, coat colour, horse mark, race class,
// place, birthplace) the codes and their display texts. The lookups, the
// race-world generator and the importer all take their codes from here;
// db/codes/CODES.md lists every table.
//
// The tables are built on first use and are read-only afterwards, so any
// number of threads may read them.
#ifndef YDB_CODES_CODETABLES_H_
#define YDB_CODES_CODETABLES_H_

#include <string>
#include <vector>

#include "db/base/CodeKind.h"

namespace ydb {

// The kinds of code (CodeKind) are declared in db/base/CodeKind.h.

// How the record field of a kind spells a code.
enum class CodeForm {
  kDigits,        // zero-padded digits ("07")
  kSignedDigits,  // digits, or a sign and digits ("00004", "-0005")
  // Two digits: the rule in the tens, and in the units the jockey
  // designation (0 none, 1-4) that is shown from a separate field, so it
  // does not change the text ("12" reads as the rule of "10").
  kRuleAndDesignation,
};

// One code and its display text, in UTF-8 and in Shift_JIS.
struct CodeEntry {
  int code;
  std::string utf8;
  std::string sjis;
};

class CodeTable {
 public:
  CodeTable(int width, CodeForm form, std::vector<CodeEntry> entries);

  // Characters of the record field that holds a code of this kind.
  int width() const { return width_; }
  CodeForm form() const { return form_; }

  // Every code of the table, in ascending order of code.
  const std::vector<CodeEntry>& entries() const { return entries_; }

  // The entry of a code value; null when the table has none.
  const CodeEntry* Find(int value) const;

  // Reads a code field of width() characters into its value. False when a
  // character is not a digit (a race class may begin with '+' or '-'), or
  // when a NUL ends the field early; nothing past a NUL is read.
  bool ParseField(const char* field, int* value) const;

  // The field form of a code value, as a record stores it: width() digits,
  // zero-padded, a negative race class with its '-' in front ("-0005").
  // Empty when the value does not fit the field.
  std::string FieldOf(int value) const;

 private:
  int width_;
  CodeForm form_;
  std::vector<CodeEntry> entries_;
};

// The table of a kind; null for a kind outside 0-6.
const CodeTable* GetCodeTable(int kind);

}  // namespace ydb

#endif  // YDB_CODES_CODETABLES_H_
