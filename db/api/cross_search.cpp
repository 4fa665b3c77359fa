// The cross searches: the table of kinds, the statement of each pair made
// from it, and the 36 C functions over them.
#include "db/api/CrossSearch.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/ydbcross.h"
#include "db/base/RaceKey.h"
#include "db/base/RecordBuffer.h"
#include "db/layout/Layouts.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "db/render/StoredResultRecords.h"

namespace ydb {
namespace {

using Renderer = Status (*)(Database&, std::string_view, void**);

// How one kind's records are read and rendered.
struct Kind {
  const RecordLayout& (*layout)();
  std::size_t code_width;  // of a code kind's "code" field; 0 for races and runs
  Renderer render;         // of a code kind's record
};

const Kind& KindOf(CrossKind kind) {
  static const std::array<Kind, kCrossKinds> kinds = {{
      {HorseLayout, 7, RenderHorse},
      {SireLayout, 7, RenderSire},
      {JockeyLayout, 5, RenderJockey},
      {StableLayout, 5, RenderStable},
      {RaceCodeLayout, 0, nullptr},
      {ResultRunnerLayout, 0, nullptr},
  }};
  return kinds[static_cast<std::size_t>(kind)];
}

std::string Limit(bool limited, const std::string& key) {
  return limited ? " AND " + key + " IN (SELECT value FROM json_each(?2))" : std::string();
}

std::string MakeCrossSql(CrossKind a, CrossKind b, bool limited) {
  const KindRelation& ra = RelationOf(a);
  const KindRelation& rb = RelationOf(b);
  constexpr const char* kKeys = "json_each(?1) k";
  constexpr const char* kRaceOrder = " ORDER BY ru.race_date, ru.place, ru.race_no";
  if (a == CrossKind::kRun) {
    // Only a run race's runners have a kept record.
    const std::string from = std::string(kKeys) + " " + (a == b ? ra.own_of_key : rb.runs_of_key);
    return StoredRunnerQuery(from, "WHERE 1" + Limit(limited, ra.key_of_run) + kRaceOrder +
                                       ", ru.horse_no");
  }
  if (a == b) {
    const std::string key = ra.key_of_own;
    if (a == CrossKind::kRace) {
      return std::string("SELECT x.race_date, x.place, x.race_no FROM ") + kKeys + " " +
             ra.own_of_key + " WHERE x.has_result = 1" + Limit(limited, key) +
             " ORDER BY x.race_date, x.place, x.race_no";
    }
    return "SELECT " + key + " FROM " + kKeys + " " + ra.own_of_key + " WHERE 1" +
           Limit(limited, key) + " ORDER BY 1";
  }
  return RelatedSql(a, b, kKeys) + Limit(limited, KeyOfRelated(a, b)) +
         (a == CrossKind::kRace ? kRaceOrder : " ORDER BY 1");
}

// The keys of a buffer of `kind`'s records as a JSON array, each once, in
// order; a record whose code is not well formed gives none.
Status KeysOf(CrossKind kind, const void* records, std::string* json, bool* any) {
  const RecordLayout& layout = KindOf(kind).layout();
  if (RecordSize(records) != static_cast<int>(layout.size())) {
    return Status::InvalidArgument("expected a buffer of " + std::string(layout.name()) +
                                   " records");
  }
  std::vector<std::string> keys;
  const auto* bytes = static_cast<const unsigned char*>(records);
  for (int i = 0; i < RecordCount(records); ++i) {
    const RecordReader record(bytes + layout.size() * static_cast<std::size_t>(i), layout);
    const std::size_t width = KindOf(kind).code_width;
    if (width > 0) {
      const std::string_view code = record.bytes("code").substr(0, width);
      if (IsDigits(code, width)) keys.emplace_back(code);
      continue;
    }
    RaceKey race;
    if (!RaceKey::Parse(record.bytes("race_code"), &race).ok()) continue;
    std::string key = race.code();
    if (kind == CrossKind::kRun) {
      const std::string_view horse = record.bytes("horse_code");
      if (!IsDigits(horse, horse.size())) continue;
      key += horse;
    }
    keys.push_back(std::move(key));
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  // Keys are digits only: each goes into the array as it is.
  *json = "[";
  for (const std::string& key : keys) *json += (json->size() > 1 ? ",\"" : "\"") + key + "\"";
  *json += "]";
  *any = !keys.empty();
  return Status::Ok();
}

// The records of the rows of `st`, which found records of kind `a`.
Status RenderRows(Database& db, CrossKind a, Statement& st, void** out) {
  const Kind& kind = KindOf(a);
  RenderedRecords records(kind.layout());
  if (a == CrossKind::kRun) {
    const Status s = AddStoredRunnerRows(st, &records);
    return s.ok() ? records.Finish(out) : s;
  }
  if (a == CrossKind::kRace) {
    const Status s = EachRow(st, [&](const Statement& row) {
      RaceKey race;
      race.date = static_cast<int>(row.column_int(0));
      race.place = std::string(row.column_text(1));
      race.number = static_cast<int>(row.column_int(2));
      RecordBuilder b(records.Add(), records.layout());
      b.set_code("race_code", race.code());
      return b.status();
    });
    return s.ok() ? records.Finish(out) : s;
  }
  std::vector<std::string> codes;
  Status s = EachRow(st, [&](const Statement& row) {
    codes.emplace_back(row.column_text(0));
    return Status::Ok();
  });
  if (s.ok() && a == CrossKind::kHorse) return RenderHorses(db, codes, out);
  for (std::size_t i = 0; s.ok() && i < codes.size(); ++i) {
    void* one = nullptr;
    s = kind.render(db, codes[i], &one);
    if (s.ok()) records.AddAllAndRelease(one);
  }
  return s.ok() ? records.Finish(out) : s;
}

}  // namespace

std::string CrossSql(CrossKind a, CrossKind b, bool limited) { return MakeCrossSql(a, b, limited); }

Status CrossSearch(Database& db, CrossKind a, CrossKind b, const void* a_records,
                   const void* b_records, void** out) {
  *out = nullptr;
  if (b_records == nullptr) return Status::Ok();  // nothing to relate to
  std::string b_keys;
  std::string a_keys;
  bool any_b = false;
  bool any_a = true;
  Status s = KeysOf(b, b_records, &b_keys, &any_b);
  if (s.ok() && a_records != nullptr) s = KeysOf(a, a_records, &a_keys, &any_a);
  if (!s.ok() || !any_b || !any_a) return s;

  // Every statement of every pair, made once: [a][b][limited].
  static const auto statements = [] {
    std::array<std::string, kCrossKinds * kCrossKinds * 2> sql;
    for (int i = 0; i < kCrossKinds; ++i) {
      for (int j = 0; j < kCrossKinds; ++j) {
        for (int limited = 0; limited < 2; ++limited) {
          sql[static_cast<std::size_t>((i * kCrossKinds + j) * 2 + limited)] =
              MakeCrossSql(static_cast<CrossKind>(i), static_cast<CrossKind>(j), limited != 0);
        }
      }
    }
    return sql;
  }();
  const bool limited = a_records != nullptr;
  Statement& st = db.statement(statements[static_cast<std::size_t>(
      (static_cast<int>(a) * kCrossKinds + static_cast<int>(b)) * 2 + (limited ? 1 : 0))]);
  if (!st.prepared()) return st.status();
  if (!st.read_only()) return Status::Corruption("a cross search statement that could write");
  st.bind(1, b_keys);
  if (limited) st.bind(2, a_keys);
  void* found = nullptr;
  s = RenderRows(db, a, st, &found);
  if (!s.ok()) return s;
  if (RecordCount(found) > 0) {
    *out = found;
  } else {
    ReleaseRecords(found);
  }
  return Status::Ok();
}

}  // namespace ydb

extern "C" {

#define YDB_DEFINE_CROSS_SEARCH(a, ak, b, bk)                                           \
  void* sc_##a##_##b(const void* a_records, const void* b_records) {                    \
    return ydb::Fetch("sc_" #a "_" #b, [&](ydb::Database& db, void** out) {             \
      return ydb::CrossSearch(db, static_cast<ydb::CrossKind>(ak),                      \
                              static_cast<ydb::CrossKind>(bk), a_records, b_records, out); \
    });                                                                                 \
  }
YDB_CROSS_SEARCHES(YDB_DEFINE_CROSS_SEARCH)
#undef YDB_DEFINE_CROSS_SEARCH

}  // extern "C"
