// Reading JV-Data files line by line and dispatching their records.
#include "exchange/jvdata/FileReader.h"

#include <fstream>

namespace exchange {
namespace jvdata {
namespace {

// Every record opens with its type (2), data stage (1) and creation date (8).
constexpr std::size_t kHeaderBytes = 11;

std::string Where(const std::string& name, std::int64_t line) {
  return name + " line " + std::to_string(line);
}

ydb::Status Refused(const std::string& name, std::int64_t line, const std::string& what) {
  return ydb::Status::InvalidArgument(what).Within(Where(name, line));
}

}  // namespace

ydb::Status ReadRecords(std::istream& in, const std::string& name, const Visitor& visit,
                        ReadSummary* summary) {
  std::string line;
  for (std::int64_t number = 1; std::getline(in, line); ++number) {
    summary->line = number;
    summary->bytes += static_cast<std::int64_t>(line.size()) + (in.eof() ? 0 : 1);
    if (in.eof() || line.empty() || line.back() != '\r') {
      return Refused(name, number, "the record does not end in CR LF (cut short?)");
    }
    line.pop_back();
    if (line.size() < kHeaderBytes) {
      return Refused(name, number, "a record of " + std::to_string(line.size() + 2) +
                                       " bytes is shorter than the 11 every record opens with");
    }
    const Record record(line);
    const RecordType* type = FindRecordType(record.type());
    if (type == nullptr) {
      ++summary->unknown;
      continue;
    }
    const int form = FormOf(*type, record.length());
    if (form < 0) {
      return Refused(name, number, "a record " + std::string(type->id) + " of " +
                                       std::to_string(record.length()) +
                                       " bytes, a length no form of " + type->id + " has");
    }
    ++summary->by_type[type->id];
    const ydb::Status s = visit(record, *type, form);
    if (!s.ok()) return s.Within(Where(name, number));
  }
  if (in.bad()) return ydb::Status::IOError("cannot read " + name);
  return ydb::Status::Ok();
}

ydb::Status ReadFile(const std::string& path, const Visitor& visit, ReadSummary* summary) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return ydb::Status::IOError("cannot open " + path);
  return ReadRecords(in, path, visit, summary);
}

}  // namespace jvdata
}  // namespace exchange
