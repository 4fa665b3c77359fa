// The drill-down: its cross searches through the library's table of them,
// and its combined searches.
#include "ydbcln/search/YSearchDown.h"

#include <memory>
#include <type_traits>

#include "db/api/ydbcross.h"
#include "ydbcln/session/OutOfMemory.h"
#include "ydbcln/session/SessionReady.h"
#include "ydbcln/session/YHorseDB.h"
#include "ydbcln/session/ydblib.h"

namespace {

// Each search's kind, numbered as the cross searches number them, and the
// records it takes over.
template <typename Search> struct KindOf;
template <> struct KindOf<YSearchHorse> { static constexpr int kIndex = 0; using Record = _tagYDBUMAREC; };
template <> struct KindOf<YSearchSire> { static constexpr int kIndex = 1; using Record = _tagSIREREC; };
template <> struct KindOf<YSearchJockey> { static constexpr int kIndex = 2; using Record = _tagJOCKEYREC; };
template <> struct KindOf<YSearchStable> { static constexpr int kIndex = 3; using Record = _tagSTABLEREC; };
template <> struct KindOf<YSearchDetailRace> { static constexpr int kIndex = 4; using Record = _tagRACECODEREC; };
template <> struct KindOf<YSearchRaceHorse> { static constexpr int kIndex = 5; using Record = _tagRACERHREC; };

using CrossSearch = void* (*)(const void*, const void*);

// sc_<a>_<b> at [a * 6 + b].
#define YDB_CROSS_ENTRY(a, ak, b, bk) sc_##a##_##b,
constexpr CrossSearch kCrossSearches[] = {YDB_CROSS_SEARCHES(YDB_CROSS_ENTRY)};
#undef YDB_CROSS_ENTRY

template <typename A, typename B>
A* Drill(YHorseDB* db, A* a, B* b) {
  if (a == nullptr || b == nullptr || !ysession::ready(db)) return nullptr;
  const CrossSearch cross = kCrossSearches[KindOf<A>::kIndex * 6 + KindOf<B>::kIndex];
  void* from = a->getorgdata();
  void* to = b->getorgdata();
  // A search that holds results but could not hand them over (the race
  // search packs its codes anew) ran out of memory: its null buffer must not
  // stand for every record of its kind.
  if ((from == nullptr && a->get_list_cnt() > 0) || (to == nullptr && b->get_list_cnt() > 0)) {
    db->seterror(YHorseDB::kOutOfMemory, "", 0);
    return nullptr;
  }
  void* found = cross(from, to);
  if (found == nullptr) {
    // Nothing related is no failure; a failure leaves its reason.
    const char* error = get_db_error();
    if (error != nullptr && error[0] != '\0') db->seterror(YHorseDB::kDatabaseError, "", 0);
    return nullptr;
  }
  return ysession::guarded(db, static_cast<A*>(nullptr), [&] {
    auto made = std::make_unique<A>(db);
    void* taken = found;
    found = nullptr;  // the new search releases it from here on
    if (made->setkoldata(static_cast<typename KindOf<A>::Record*>(taken)) < 0) return static_cast<A*>(nullptr);
    return made.release();
  }, [&] { release_data(found); });
}

// Runs a search on the command it holds, the runs' search over all kinds.
template <typename S>
void Run(S* search) {
  if constexpr (std::is_same_v<S, YSearchRaceHorse>) {
    search->search(1);
  } else {
    search->search();
  }
}

template <typename A, typename B>
A* Combine(YHorseDB* db, A* a, B* b) {
  if (a == nullptr || b == nullptr || !ysession::ready(db)) return nullptr;
  _tagSCMD* held = a->getparam();
  if constexpr (std::is_same_v<B, YSearchSire>) b->remake_param(1);
  _tagSCMD* added = b->getparam();
  // Only the runs' fetch takes a command of another kind: a search of any
  // other kind holding none of its own finds its records related to what
  // b's command finds, b left as it was.
  if constexpr (!std::is_same_v<A, B> && !std::is_same_v<A, YSearchRaceHorse>) {
    if (held == nullptr) {
      return ysession::guarded(db, static_cast<A*>(nullptr), [&] {
        B found(db);
        found.addparam(added);
        Run(&found);
        A any(db);  // no results: any record of its kind
        A* related = Drill(db, &any, &found);
        return related != nullptr ? related : new A(db);  // nothing related: none found
      }, [] {});
    }
  }
  return ysession::guarded(db, static_cast<A*>(nullptr), [&] {
    auto made = std::make_unique<A>(db);
    made->addparam(held);
    made->addparam(added);
    Run(made.get());
    return made.release();
  }, [] {});
}

}  // namespace

YSearchDown::YSearchDown(YHorseDB* db) : db_(db) {}

YSearchDown::~YSearchDown() = default;

#define YDB_DRILL(A, B) \
  A* YSearchDown::exec(A* a, B* b) { return Drill(db_, a, b); }
#define YDB_DRILL_ROW(A)                                                                       \
  YDB_DRILL(A, YSearchHorse) YDB_DRILL(A, YSearchSire) YDB_DRILL(A, YSearchJockey)             \
  YDB_DRILL(A, YSearchStable) YDB_DRILL(A, YSearchDetailRace) YDB_DRILL(A, YSearchRaceHorse)
YDB_DRILL_ROW(YSearchHorse)
YDB_DRILL_ROW(YSearchSire)
YDB_DRILL_ROW(YSearchJockey)
YDB_DRILL_ROW(YSearchStable)
YDB_DRILL_ROW(YSearchDetailRace)
YDB_DRILL_ROW(YSearchRaceHorse)
#undef YDB_DRILL_ROW
#undef YDB_DRILL

#define YDB_COMBINE(A, B) \
  A* YSearchDown::search(A* a, B* b) { return Combine(db_, a, b); }
YDB_COMBINE(YSearchHorse, YSearchHorse)
YDB_COMBINE(YSearchHorse, YSearchRaceHorse)
YDB_COMBINE(YSearchSire, YSearchSire)
YDB_COMBINE(YSearchSire, YSearchRaceHorse)
YDB_COMBINE(YSearchJockey, YSearchJockey)
YDB_COMBINE(YSearchJockey, YSearchRaceHorse)
YDB_COMBINE(YSearchStable, YSearchStable)
YDB_COMBINE(YSearchStable, YSearchRaceHorse)
YDB_COMBINE(YSearchDetailRace, YSearchSire)
YDB_COMBINE(YSearchDetailRace, YSearchDetailRace)
YDB_COMBINE(YSearchDetailRace, YSearchRaceHorse)
YDB_COMBINE(YSearchRaceHorse, YSearchSire)
YDB_COMBINE(YSearchRaceHorse, YSearchDetailRace)
YDB_COMBINE(YSearchRaceHorse, YSearchRaceHorse)
#undef YDB_COMBINE
