// Filling and reading the fields of one record through its layout.
#include "db/render/RecordBuilder.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "text/sjis.h"

namespace ydb {

namespace {

constexpr unsigned Allow(FieldForm form) { return 1u << static_cast<unsigned>(form); }

constexpr unsigned kAnyForm = Allow(FieldForm::kDigits) | Allow(FieldForm::kSigned) |
                              Allow(FieldForm::kText) | Allow(FieldForm::kCode) |
                              Allow(FieldForm::kBinary);

std::string Name(const RecordLayout& layout, std::string_view field) {
  return std::string(layout.name()) + "." + std::string(field);
}

// `magnitude` as decimal digits, zero-padded to `width`, into `out`
// (which holds at least `width` bytes); false when it needs more digits.
bool PaddedDigits(std::uint64_t magnitude, std::size_t width, unsigned char* out) {
  for (std::size_t i = width; i-- > 0;) {
    out[i] = static_cast<unsigned char>('0' + magnitude % 10);
    magnitude /= 10;
  }
  return magnitude == 0;
}

std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                   : static_cast<std::uint64_t>(value);
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

RecordBuilder::RecordBuilder(void* record, const RecordLayout& layout)
    : record_(static_cast<unsigned char*>(record)), layout_(layout) {
  std::memcpy(record_, layout_.empty_image().data(), layout_.size());
}

Status RecordBuilder::Fail(Status error) {
  if (status_.ok()) status_ = error;
  return error;
}

const Field* RecordBuilder::Find(std::string_view name, Status* error) {
  const Field* f = layout_.find(name);
  if (f == nullptr) *error = Fail(Status::InvalidArgument(Name(layout_, name) + ": no such field"));
  return f;
}

unsigned char* RecordBuilder::Locate(const Field& field, std::size_t index, unsigned forms,
                                     Status* error) {
  const std::vector<Field>& fields = layout_.fields();
  const std::less<const Field*> before;
  if (fields.empty() || before(&field, &fields.front()) || before(&fields.back(), &field)) {
    *error = Fail(Status::InvalidArgument(Name(layout_, field.name) + ": not a field of this layout"));
    return nullptr;
  }
  if ((forms & Allow(field.form)) == 0) {
    *error = Fail(Status::InvalidArgument(Name(layout_, field.name) + ": a " + FormName(field.form) +
                                " field cannot be written this way"));
    return nullptr;
  }
  if (index >= field.count) {
    *error = Fail(Status::InvalidArgument(Name(layout_, field.name) + ": index " + std::to_string(index) +
                                " out of range (" + std::to_string(field.count) + " occurrences)"));
    return nullptr;
  }
  return record_ + field.offset_at(index);
}

// The by-name setters find the field and write through the Field setters.

Status RecordBuilder::set_digits(std::string_view field, std::int64_t value, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_digits(*f, value, index) : error;
}

Status RecordBuilder::set_signed(std::string_view field, std::int64_t value, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_signed(*f, value, index) : error;
}

Status RecordBuilder::set_text_utf8(std::string_view field, std::string_view utf8, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_text_utf8(*f, utf8, index) : error;
}

Status RecordBuilder::set_text_sjis(std::string_view field, std::string_view sjis, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_text_sjis(*f, sjis, index) : error;
}

Status RecordBuilder::set_code(std::string_view field, std::string_view code, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_code(*f, code, index) : error;
}

Status RecordBuilder::set_marker(std::string_view field, char mark, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_marker(*f, mark, index) : error;
}

Status RecordBuilder::set_raw(std::string_view field, std::string_view bytes, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_raw(*f, bytes, index) : error;
}

Status RecordBuilder::set_int(std::string_view field, std::int64_t value, std::size_t index) {
  Status error;
  const Field* f = Find(field, &error);
  return f != nullptr ? set_int(*f, value, index) : error;
}


Status RecordBuilder::set_digits(const Field& f, std::int64_t value, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, Allow(FieldForm::kDigits), &error);
  if (at == nullptr) return error;
  if (value < 0) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": negative value " + std::to_string(value) +
                              " in a digit field"));
  }
  unsigned char digits[32];
  if (f.width > sizeof digits || !PaddedDigits(static_cast<std::uint64_t>(value), f.width, digits)) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": " + std::to_string(value) +
                              " does not fit in " + std::to_string(f.width) + " digits"));
  }
  std::memcpy(at, digits, f.width);
  return Status::Ok();
}

Status RecordBuilder::set_signed(const Field& f, std::int64_t value, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, Allow(FieldForm::kSigned), &error);
  if (at == nullptr) return error;
  unsigned char digits[32];
  if (f.width < 2 || f.width > sizeof digits ||
      !PaddedDigits(Magnitude(value), f.width - 1, digits)) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": " + std::to_string(value) +
                              " does not fit in a sign and " + std::to_string(f.width - 1) +
                              " digits"));
  }
  at[0] = value < 0 ? '-' : '+';
  std::memcpy(at + 1, digits, f.width - 1);
  return Status::Ok();
}

Status RecordBuilder::set_text_utf8(const Field& f, std::string_view utf8, std::size_t index) {
  return set_text_sjis(f, ytext::to_sjis_lossy(utf8), index);
}

Status RecordBuilder::set_text_sjis(const Field& f, std::string_view sjis, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, Allow(FieldForm::kText), &error);
  if (at == nullptr) return error;
  // Cut on a character boundary and blank-padded, written in place.
  const std::size_t length = ytext::cut_length(sjis, f.width);
  std::memcpy(at, sjis.data(), length);
  std::memset(at + length, ' ', f.width - length);
  return Status::Ok();
}

Status RecordBuilder::set_code(const Field& f, std::string_view code, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, Allow(FieldForm::kCode), &error);
  if (at == nullptr) return error;
  if (code.size() > f.width) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": code \"" + std::string(code) +
                              "\" longer than " + std::to_string(f.width)));
  }
  for (char c : code) {
    if (c < 0x20 || c > 0x7e) {
      return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": code holds a byte that is not "
                                "printable ASCII"));
    }
  }
  std::memcpy(at, code.data(), code.size());
  std::memset(at + code.size(), ' ', f.width - code.size());
  return Status::Ok();
}

Status RecordBuilder::set_marker(const Field& f, char mark, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, kAnyForm & ~Allow(FieldForm::kBinary), &error);
  if (at == nullptr) return error;
  at[0] = static_cast<unsigned char>(mark);
  std::memset(at + 1, ' ', f.width - 1);
  return Status::Ok();
}

Status RecordBuilder::set_raw(const Field& f, std::string_view bytes, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, kAnyForm, &error);
  if (at == nullptr) return error;
  if (bytes.size() != f.width) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": " + std::to_string(bytes.size()) +
                              " bytes for a field of " + std::to_string(f.width)));
  }
  std::memcpy(at, bytes.data(), f.width);
  return Status::Ok();
}

Status RecordBuilder::set_int(const Field& f, std::int64_t value, std::size_t index) {
  Status error;
  unsigned char* at = Locate(f, index, Allow(FieldForm::kBinary), &error);
  if (at == nullptr) return error;
  const std::size_t w = f.width;
  if (w != 1 && w != 2 && w != 4 && w != 8) {
    return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": a " + std::to_string(w) +
                              "-byte field is not an integer"));
  }
  if (w < 8) {
    const std::int64_t limit = std::int64_t{1} << (8 * w - 1);
    if (value < -limit || value >= limit) {
      return Fail(Status::InvalidArgument(Name(layout_, f.name) + ": " + std::to_string(value) +
                                " does not fit in " + std::to_string(w) + " bytes"));
    }
  }
  std::uint64_t bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < w; ++i) {
    at[i] = static_cast<unsigned char>(bits & 0xffu);
    bits >>= 8;
  }
  return Status::Ok();
}

const Field& FieldOf(const RecordLayout& layout, std::string_view name) {
  static const Field kMissing = Field::Code("missing_field", 0, 1, "a field no layout has");
  const Field* f = layout.find(name);
  return f != nullptr ? *f : kMissing;
}

RecordReader::RecordReader(const void* record, const RecordLayout& layout)
    : record_(static_cast<const unsigned char*>(record)), layout_(layout) {}

const Field* RecordReader::Find(std::string_view field, std::size_t index) const {
  const Field* f = layout_.find(field);
  return f != nullptr && index < f->count ? f : nullptr;
}

std::string_view RecordReader::bytes(std::string_view field, std::size_t index) const {
  const Field* f = Find(field, index);
  if (f == nullptr) return std::string_view();
  return std::string_view(reinterpret_cast<const char*>(record_ + f->offset_at(index)), f->width);
}

bool RecordReader::blank(std::string_view field, std::size_t index) const {
  const std::string_view b = bytes(field, index);
  return !b.empty() && b[0] == ' ';
}

std::optional<std::int64_t> RecordReader::number(std::string_view field, std::size_t index) const {
  const Field* f = Find(field, index);
  if (f == nullptr) return std::nullopt;
  std::string_view b = bytes(field, index);
  bool negative = false;
  if (f->form == FieldForm::kSigned) {
    if (b[0] != '+' && b[0] != '-') return std::nullopt;
    negative = b[0] == '-';
    b.remove_prefix(1);
  } else if (f->form != FieldForm::kDigits) {
    return std::nullopt;
  }
  if (!AllDigits(b) || b.size() > 18) return std::nullopt;
  const std::int64_t value = std::stoll(std::string(b));
  return negative ? -value : value;
}

std::string RecordReader::trimmed(std::string_view field, std::size_t index) const {
  std::string_view b = bytes(field, index);
  while (!b.empty() && b.back() == ' ') b.remove_suffix(1);
  return std::string(b);
}

std::string RecordReader::text_utf8(std::string_view field, std::size_t index) const {
  return ytext::to_utf8_lossy(trimmed(field, index));
}

std::optional<std::int64_t> RecordReader::integer(std::string_view field, std::size_t index) const {
  const Field* f = Find(field, index);
  if (f == nullptr || f->form != FieldForm::kBinary) return std::nullopt;
  const std::size_t w = f->width;
  if (w != 1 && w != 2 && w != 4 && w != 8) return std::nullopt;
  const unsigned char* at = record_ + f->offset_at(index);
  std::uint64_t bits = 0;
  for (std::size_t i = w; i-- > 0;) bits = (bits << 8) | at[i];
  if (w < 8 && (bits >> (8 * w - 1)) != 0) bits |= ~std::uint64_t{0} << (8 * w);  // sign-extend
  return static_cast<std::int64_t>(bits);
}

}  // namespace ydb
