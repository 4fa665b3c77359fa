// Field construction, lookup by name, gaps and the soundness check of a
// record layout.
#include "db/layout/RecordLayout.h"

#include <algorithm>
#include <utility>

namespace ydb {

namespace {

Field Make(std::string_view name, std::size_t offset, std::size_t width, FieldForm form,
           std::string_view meaning) {
  Field f;
  f.name = name;
  f.offset = offset;
  f.width = width;
  f.form = form;
  f.meaning = meaning;
  return f;
}

bool IsIdentifier(std::string_view name) {
  if (name.empty() || !(name[0] >= 'a' && name[0] <= 'z')) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string Describe(const RecordLayout& layout, const Field& f) {
  return std::string(layout.name()) + "." + std::string(f.name);
}

}  // namespace

const char* FormName(FieldForm form) {
  switch (form) {
    case FieldForm::kDigits: return "digits";
    case FieldForm::kSigned: return "signed digits";
    case FieldForm::kText: return "text";
    case FieldForm::kCode: return "code";
    case FieldForm::kBinary: return "binary";
  }
  return "unknown";
}

Field Field::Digits(std::string_view name, std::size_t offset, std::size_t width,
                    std::string_view meaning) {
  return Make(name, offset, width, FieldForm::kDigits, meaning);
}

Field Field::Signed(std::string_view name, std::size_t offset, std::size_t width,
                    std::string_view meaning) {
  return Make(name, offset, width, FieldForm::kSigned, meaning);
}

Field Field::Text(std::string_view name, std::size_t offset, std::size_t width,
                  std::string_view meaning) {
  return Make(name, offset, width, FieldForm::kText, meaning);
}

Field Field::Code(std::string_view name, std::size_t offset, std::size_t width,
                  std::string_view meaning) {
  return Make(name, offset, width, FieldForm::kCode, meaning);
}

Field Field::Binary(std::string_view name, std::size_t offset, std::size_t width,
                    std::string_view meaning) {
  return Make(name, offset, width, FieldForm::kBinary, meaning);
}

Field Field::Repeat(std::size_t n, std::size_t step) const {
  Field f = *this;
  f.count = n;
  f.stride = step;
  return f;
}

Field Field::Alias() const {
  Field f = *this;
  f.alias = true;
  return f;
}

RecordLayout::RecordLayout(std::string_view name, std::size_t size, std::vector<Field> fields)
    : name_(name), size_(size), fields_(std::move(fields)), empty_image_(size, ' ') {
  by_name_.resize(fields_.size());
  for (std::size_t i = 0; i < fields_.size(); ++i) by_name_[i] = i;
  std::sort(by_name_.begin(), by_name_.end(),
            [this](std::size_t a, std::size_t b) { return fields_[a].name < fields_[b].name; });

  // Binary fields start out zero; everything else, gaps included, blank.
  // Occurrences beyond the record are left to Check() to report.
  for (const Field& f : fields_) {
    if (f.form != FieldForm::kBinary) continue;
    for (std::size_t i = 0; i < f.count; ++i) {
      const std::size_t begin = std::min(f.offset_at(i), size_);
      const std::size_t end = std::min(f.offset_at(i) + f.width, size_);
      std::fill(empty_image_.begin() + static_cast<std::ptrdiff_t>(begin),
                empty_image_.begin() + static_cast<std::ptrdiff_t>(end), '\0');
    }
  }
}

const Field* RecordLayout::find(std::string_view name) const {
  auto it = std::lower_bound(by_name_.begin(), by_name_.end(), name,
                             [this](std::size_t i, std::string_view n) { return fields_[i].name < n; });
  if (it == by_name_.end() || fields_[*it].name != name) return nullptr;
  return &fields_[*it];
}

std::vector<ByteRange> RecordLayout::gaps() const {
  std::vector<bool> covered(size_, false);
  for (const Field& f : fields_) {
    for (std::size_t i = 0; i < f.count; ++i) {
      for (std::size_t b = f.offset_at(i); b < f.offset_at(i) + f.width && b < size_; ++b) {
        covered[b] = true;
      }
    }
  }
  std::vector<ByteRange> out;
  for (std::size_t b = 0; b < size_; ++b) {
    if (covered[b]) continue;
    if (!out.empty() && out.back().offset + out.back().width == b) {
      ++out.back().width;
    } else {
      out.push_back({b, 1});
    }
  }
  return out;
}

Status RecordLayout::Check() const {
  if (size_ == 0) return Status::Corruption(name_ + ": size 0");
  for (std::size_t i = 1; i < by_name_.size(); ++i) {
    if (fields_[by_name_[i - 1]].name == fields_[by_name_[i]].name) {
      return Status::Corruption(Describe(*this, fields_[by_name_[i]]) + ": name used twice");
    }
  }

  // owner[b] is the index + 1 of the plain field holding byte b, 0 for none.
  std::vector<std::size_t> owner(size_, 0);
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    const Field& f = fields_[k];
    const std::string where = Describe(*this, f);
    if (!IsIdentifier(f.name)) return Status::Corruption(where + ": not an identifier-like name");
    if (f.meaning.empty()) return Status::Corruption(where + ": no meaning");
    if (f.width == 0) return Status::Corruption(where + ": width 0");
    if (f.count == 0) return Status::Corruption(where + ": count 0");
    if (f.count > 1 && f.stride < f.width) {
      return Status::Corruption(where + ": occurrences overlap (stride below width)");
    }
    if (f.count == 1 && f.stride != 0) return Status::Corruption(where + ": stride without repeat");
    if (f.end() > size_) {
      return Status::Corruption(where + ": ends at byte " + std::to_string(f.end()) + ", beyond the " +
                           std::to_string(size_) + "-byte record");
    }
    if (f.alias) continue;
    for (std::size_t i = 0; i < f.count; ++i) {
      for (std::size_t b = f.offset_at(i); b < f.offset_at(i) + f.width; ++b) {
        if (owner[b] != 0) {
          return Status::Corruption(where + ": byte " + std::to_string(b) + " also belongs to " +
                               std::string(fields_[owner[b] - 1].name));
        }
        owner[b] = k + 1;
      }
    }
  }

  for (const Field& f : fields_) {
    if (!f.alias) continue;
    bool shares = false;
    for (std::size_t i = 0; i < f.count && !shares; ++i) {
      for (std::size_t b = f.offset_at(i); b < f.offset_at(i) + f.width; ++b) {
        if (owner[b] != 0) {
          shares = true;
          break;
        }
      }
    }
    if (!shares) return Status::Corruption(Describe(*this, f) + ": alias of no field");
  }
  return Status::Ok();
}

}  // namespace ydb
