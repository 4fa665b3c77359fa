// Choosing the records that stand, by key and by when they were made.
#include "exchange/jvdata/RecordIndex.h"

#include <algorithm>
#include <tuple>

#include "exchange/jvdata/Races.h"

namespace exchange {
namespace jvdata {
namespace {

auto RaceOrder(const RaceEntry& e) {
  return std::make_tuple(e.date, e.place[0], e.place[1], e.number);
}

auto KeyOrder(const RaceEntry& e) {
  return std::tuple_cat(RaceOrder(e), std::make_tuple(e.part, e.horse_no));
}

bool FileOrder(const Place& a, const Place& b) {
  return std::tie(a.file, a.offset) < std::tie(b.file, b.offset);
}

}  // namespace

int StageRank(char stage) {
  if (stage >= '1' && stage <= '7') return stage - '0';
  if (stage == 'A' || stage == 'B') return 7;
  return stage == kCancelledStage ? kCancelledRank : 0;
}

bool Supersedes(const Made& made, const Made& kept) {
  if (made.deletion || kept.deletion) return made.created >= kept.created;
  return made.rank > kept.rank || (made.rank == kept.rank && made.created >= kept.created);
}

bool RaceEntry::sameRace(const RaceEntry& other) const { return RaceOrder(*this) == RaceOrder(other); }

void RaceIndex::add(const ydb::RaceKey& key, Part part, int horse_no, const Made& made,
                    const Place& at) {
  RaceEntry e;
  e.date = key.date;
  key.place.copy(e.place, 2);
  e.number = static_cast<std::uint8_t>(key.number);
  e.part = part;
  e.horse_no = static_cast<std::uint8_t>(horse_no);
  e.made = made;
  e.at = at;
  entries_.push_back(e);
}

void RaceIndex::settle() {
  // Read order within a key is kept, so that the later of two equal
  // records stands.
  std::stable_sort(entries_.begin(), entries_.end(), [](const RaceEntry& a, const RaceEntry& b) {
    return KeyOrder(a) < KeyOrder(b);
  });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (kept > 0 && KeyOrder(entries_[kept - 1]) == KeyOrder(entries_[i])) {
      if (Supersedes(entries_[i].made, entries_[kept - 1].made)) entries_[kept - 1] = entries_[i];
      continue;
    }
    entries_[kept++] = entries_[i];
  }
  entries_.resize(kept);
  entries_.shrink_to_fit();
}

void CodeIndex::add(const std::string& code, const Made& made, const Place& at) {
  const auto found = kept_.find(code);
  if (found == kept_.end()) {
    kept_.emplace(code, Entry{made, at});
  } else if (Supersedes(made, found->second.made)) {
    found->second = Entry{made, at};
  }
}

std::vector<CodeIndex::Entry> CodeIndex::standing() const {
  std::vector<Entry> out;
  out.reserve(kept_.size());
  for (const auto& [code, entry] : kept_) out.push_back(entry);
  std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return FileOrder(a.at, b.at); });
  return out;
}

}  // namespace jvdata
}  // namespace exchange
