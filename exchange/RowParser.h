// Reading the fields of one CSV row into a record through its columns
// (Columns.h), checking each value as it goes: codes of the right length
// and digits, codes the code tables know, calendar dates, numbers within
// their range. The first fault is kept, naming the column:
//
//   RowParser parser(fields);
//   ydb::Owner owner;
//   OwnerColumns(parser, owner);
//   if (!parser.ok()) return csv.fault(parser.fault());  // "code must be 6 digits, not '12'"
#ifndef YDB_EXCHANGE_ROWPARSER_H_
#define YDB_EXCHANGE_ROWPARSER_H_

#include <string>
#include <vector>

#include "exchange/Columns.h"

namespace exchange {

class RowParser : public ColumnVisitor {
 public:
  // `fields` must hold at least as many fields as the columns read.
  explicit RowParser(const std::vector<std::string>& fields) : fields_(fields) {}

  // From here on every column must be empty, for `reason` (which completes
  // "<column> must be empty: ...").
  void requireEmpty(std::string reason) { empty_reason_ = std::move(reason); }

  bool ok() const { return fault_.empty(); }
  const std::string& fault() const { return fault_; }

  void text(const char* name, std::string& value, Need need) override;
  void digits(const char* name, std::string& value, int width, Need need) override;
  void choice(const char* name, std::string& value, const char* allowed, Need need) override;
  void tableCode(const char* name, std::string& value, ydb::CodeKind kind, Need need) override;
  void word(const char* name, int& index, const std::vector<std::string>& words) override;
  void integer(const char* name, int& value, int lo, int hi, Need need) override;
  void optionalInteger(const char* name, std::optional<int>& value, int lo, int hi) override;
  void money(const char* name, std::int64_t& value) override;
  void tenths(const char* name, int& value, int lo, int hi, Need need) override;
  void optionalTenths(const char* name, std::optional<int>& value, int lo, int hi) override;
  void date(const char* name, int& value, Need need) override;
  void clock(const char* name, int& value) override;
  void flag(const char* name, bool& value) override;

 private:
  // The next field, or null when a fault has been found (then nothing more
  // is read) or when the field is empty and may be (then `*empty` is set).
  const std::string* take(const char* name, Need need, bool* empty);
  void fail(const char* name, const std::string& reason);
  // Read a non-empty field; false (with the fault kept) when it is no
  // number or out of range.
  bool parseInteger(const char* name, const std::string& field, int lo, int hi, int* value);
  bool parseTenths(const char* name, const std::string& field, int lo, int hi, int* value);

  const std::vector<std::string>& fields_;
  std::size_t next_ = 0;
  std::string empty_reason_;
  std::string fault_;
};

}  // namespace exchange

#endif  // YDB_EXCHANGE_ROWPARSER_H_
