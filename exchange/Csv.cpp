// Writing and reading CSV rows.
#include "exchange/Csv.h"

#include <cstdio>

namespace exchange {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;

bool NeedsQuotes(const std::string& field) {
  return field.find_first_of(",\"\r\n") != std::string::npos;
}

// The length of the UTF-8 sequence starting at `text[i]`, or 0 when the
// bytes there are not well-formed UTF-8 (overlong forms, surrogates and
// values above U+10FFFF included).
std::size_t Utf8Length(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
  };
  const unsigned c = byte(i);
  if (c < 0x80) return 1;
  const auto continuation = [&](std::size_t k) { return (byte(k) & 0xC0u) == 0x80u; };
  if (c >= 0xC2 && c <= 0xDF) return continuation(i + 1) ? 2 : 0;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned c1 = byte(i + 1);
    if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 > 0x9F)) return 0;
    return continuation(i + 1) && continuation(i + 2) ? 3 : 0;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned c1 = byte(i + 1);
    if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 > 0x8F)) return 0;
    return continuation(i + 1) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
  }
  return 0;
}

// The offset of the first byte that is not well-formed UTF-8, or npos.
std::size_t BadUtf8At(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) return i;
    i += length;
  }
  return std::string::npos;
}

}  // namespace

void AppendCsvRow(const std::vector<std::string>& fields, std::string* out) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) *out += ',';
    const std::string& field = fields[i];
    if (!NeedsQuotes(field)) {
      *out += field;
      continue;
    }
    *out += '"';
    for (char c : field) {
      if (c == '"') *out += '"';
      *out += c;
    }
    *out += '"';
  }
  *out += '\n';
}

ydb::Status CsvReader::open(const std::string& path, const std::string& name) {
  name_ = name;
  in_.open(path, std::ios::binary);
  if (!in_) return ydb::Status::IOError(name + ": cannot open " + path);
  buffer_.resize(kBufferSize);
  // A byte-order mark is no part of the first field.
  static const char kBom[] = "\xEF\xBB\xBF";
  if (peek() == 0xEF) {
    std::size_t matched = 0;
    while (matched < 3 && end_ - pos_ > matched && buffer_[pos_ + matched] == kBom[matched]) {
      ++matched;
    }
    if (matched == 3) {
      pos_ += 3;
      offset_ += 3;
    }
  }
  return status_;
}

ydb::Status CsvReader::seek(std::uint64_t offset, int line) {
  if (!status_.ok()) return status_;
  current_line_ = line;
  row_line_ = 0;
  // Within the bytes in the buffer: no read.
  const std::uint64_t buffered_from = offset_ - pos_;
  if (offset >= buffered_from && offset < buffered_from + end_) {
    pos_ = static_cast<std::size_t>(offset - buffered_from);
    offset_ = offset;
    return status_;
  }
  in_.clear();
  in_.seekg(static_cast<std::streamoff>(offset));
  if (!in_) status_ = ydb::Status::IOError(name_ + ": cannot go to byte " + std::to_string(offset));
  pos_ = 0;
  end_ = 0;
  offset_ = offset;
  return status_;
}

int CsvReader::peek() {
  if (pos_ == end_) {
    if (!in_.good()) return -1;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    if (in_.bad()) {
      status_ = ydb::Status::IOError(name_ + ": read error after byte " + std::to_string(offset_));
      return -1;
    }
    pos_ = 0;
    end_ = static_cast<std::size_t>(in_.gcount());
    if (end_ == 0) return -1;
  }
  return static_cast<unsigned char>(buffer_[pos_]);
}

int CsvReader::get() {
  const int c = peek();
  if (c >= 0) {
    ++pos_;
    ++offset_;
    if (c == '\n') ++current_line_;
  }
  return c;
}

bool CsvReader::fail(int line, const std::string& reason) {
  status_ = ydb::Status::Corruption(name_ + " line " + std::to_string(line) + ": " + reason);
  return false;
}

ydb::Status CsvReader::fault(const std::string& reason) const {
  return ydb::Status::Corruption(name_ + " line " + std::to_string(row_line_) + ": " + reason);
}

bool CsvReader::next(std::vector<std::string>* fields) {
  fields->clear();
  if (!status_.ok()) return false;
  row_line_ = current_line_;
  int c = get();
  if (c < 0) return false;  // the end of the file, between rows
  static const char kCutShort[] = "the last line has no line end: the file has been cut short";

  std::string field;
  for (;;) {
    // `c` is the first character of a field.
    if (c == '"') {
      const int opened = current_line_;
      for (;;) {
        c = get();
        if (c < 0) {
          return fail(opened, "the file ends inside the quoted field begun on this line: it has "
                              "been cut short");
        }
        if (c == '"') {
          if (peek() != '"') break;
          get();
        } else if (c == '\r' && peek() == '\n') {
          continue;  // the LF that follows is the line end kept in the field
        }
        field += static_cast<char>(c);
      }
      c = get();  // after the closing quote: a comma or a line end
      if (c >= 0 && c != ',' && c != '\r' && c != '\n') {
        return fail(current_line_, "text after the closing quote of a field");
      }
    } else {
      while (c >= 0 && c != ',' && c != '\r' && c != '\n') {
        if (c == '"') {
          return fail(current_line_, "a quote inside a field that is not quoted (quote the "
                                     "whole field and double the quote)");
        }
        field += static_cast<char>(c);
        c = get();
      }
    }
    if (c == '\r') {
      if (peek() != '\n') return fail(current_line_, "a carriage return without a line feed");
      c = get();
    }
    const std::size_t bad = BadUtf8At(field);
    if (bad != std::string::npos) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(field[bad]));
      return fail(row_line_, "field " + std::to_string(fields->size() + 1) +
                                 " is not UTF-8 (byte 0x" + hex + ")");
    }
    fields->push_back(std::move(field));
    field.clear();
    if (c == '\n') return true;
    if (c < 0) return status_.ok() ? fail(row_line_, kCutShort) : false;
    c = get();  // after a comma: the next field begins
    if (c < 0) return fail(row_line_, kCutShort);
  }
}

}  // namespace exchange
