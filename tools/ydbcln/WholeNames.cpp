// Whole names from the data set, in place of the ones a record cut.
#include "WholeNames.h"

#include "Printable.h"

namespace tool {

std::string WholeNames::of(ydb::DataSet::Name what, const std::string& code,
                           const std::string& shown) {
  if (shown.empty()) return shown;
  if (!opened_) {
    opened_ = true;
    if (!ydb::DataSet::Open(data_dir_, ydb::DataSet::Mode::kOpenExisting, &data_).ok()) {
      data_.reset();
    }
  }
  std::string whole;
  if (data_ == nullptr || !data_->wholeName(what, code, &whole).ok()) return shown;
  whole = Printable(whole);
  const bool longer = whole.size() > shown.size() && whole.compare(0, shown.size(), shown) == 0;
  return longer ? whole : shown;
}

}  // namespace tool
