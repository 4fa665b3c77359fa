// The race search at the C boundary: compiling condition texts into
// commands, combining them, running them, and the race codes, code lists
// and graded-race names a search hands around.
#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/PeopleSearch.h"
#include "db/api/HorseCodes.h"
#include "db/api/ydbbsn.h"
#include "db/base/RecordBuffer.h"
#include "db/layout/Layouts.h"
#include "db/query/Command.h"
#include "db/query/Parser.h"
#include "db/query/Search.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"
#include "db/render/StoredResultRecords.h"
#include "text/sjis.h"

namespace {

using ydb::Condition;
using ydb::Database;
using ydb::RaceKey;
using ydb::RenderedRecords;
using ydb::SearchKind;
using ydb::Statement;
using ydb::Status;

// The kinds of code list this file serves: races, and the runs of races.
constexpr char kRaceKindDigit = '4';
constexpr char kRunKindDigit = '5';

// The race condition of a command buffer.
Status ReadRaceCommand(const void* command, Condition* condition) {
  const Status s = ydb::ReadCommand(command, condition);
  if (!s.ok()) return s;
  if (condition->kind != SearchKind::kRace) {
    return Status::InvalidArgument("a command of another kind than the race search");
  }
  return Status::Ok();
}

// The condition of the runs a command finds: a race command's own, or for
// a command of another kind (of its own kind's groups only) the same groups
// as a race condition's, so that its races and runs are those related to
// what it finds.
Status ReadRunsCommand(const void* command, Condition* condition) {
  const Status s = ydb::ReadCommand(command, condition);
  if (!s.ok() || condition->kind == SearchKind::kRace) return s;
  if (condition->kind == SearchKind::kDamSire) {
    return Status::InvalidArgument("a command of the dam's sires has no runs");
  }
  for (const ydb::Group& group : condition->groups) {
    if (group.kind != condition->kind) {
      return Status::InvalidArgument("the runs of a command combined across kinds are not served");
    }
  }
  condition->kind = SearchKind::kRace;
  return Status::Ok();
}

RaceKey KeyOf(const Statement& row) {
  RaceKey key;
  key.date = static_cast<int>(row.column_int(0));
  key.place = std::string(row.column_text(1));
  key.number = static_cast<int>(row.column_int(2));
  return key;
}

// The races `condition` finds, in date and then race-code order.
Status FoundRaces(Database& db, const Condition& condition, std::vector<RaceKey>* races) {
  return ydb::EachFound(db, condition, [&](const Statement& row) {
    races->push_back(KeyOf(row));
    return Status::Ok();
  });
}

// The results records of the races `condition` finds.
Status RenderFoundRaces(Database& db, const Condition& condition, void** out) {
  RenderedRecords records(ydb::RaceResultLayout());
  const Status s = ydb::EachFound(db, condition, [&](const Statement& row) {
    const std::string_view record = row.column_blob(3);
    if (record.size() != records.layout().size()) {
      return Status::Corruption("the stored results record of " + KeyOf(row).code() +
                                " is damaged");
    }
    records.AddRendered(record.data(), 1);
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return records.Finish(out);
}

// The runs related to a record that meets each group of another kind than
// races, each group's as a set of run keys (race code and horse code).
Status RelatedRuns(Database& db, const Condition& condition, std::vector<std::set<std::string>>* runs) {
  for (const ydb::Group& group : condition.groups) {
    if (group.kind == SearchKind::kRace) continue;
    Statement* st = nullptr;
    Status s = ydb::PrepareRelated(db, ydb::RecordKind::kRun, group, &st);
    if (!s.ok()) return s;
    std::set<std::string>& keys = runs->emplace_back();
    s = ydb::EachRow(*st, [&](const Statement& row) {
      keys.emplace(row.column_text(0));
      return Status::Ok();
    });
    if (!s.ok()) return s;
  }
  return Status::Ok();
}

// The runners of the races `condition` finds: every runner when `places`
// is below 2, else those that finished 1st to (places - 1)th; of those,
// the runs related to a record that meets each group of another kind.
Status RenderFoundRunners(Database& db, const Condition& condition, int places, void** out) {
  std::vector<RaceKey> races;
  Status s = FoundRaces(db, condition, &races);
  std::vector<std::set<std::string>> related;
  if (s.ok()) s = RelatedRuns(db, condition, &related);
  if (!s.ok()) return s;
  const ydb::RecordLayout& layout = ydb::ResultRunnerLayout();
  RenderedRecords runners(layout);
  for (const RaceKey& race : races) {
    const std::size_t first = runners.count();
    s = ydb::AddStoredRunners(db, race, &runners);
    if (!s.ok()) return s;
    if (places < 2 && related.empty()) continue;
    runners.KeepFrom(first, [&](const unsigned char* record) {
      const ydb::RecordReader run(record, layout);
      const auto order = run.number("finishing_order");
      if (places >= 2 && !(order && *order >= 1 && *order < places)) return false;
      const std::string key = race.code() + std::string(run.bytes("horse_code"));
      return std::all_of(related.begin(), related.end(),
                         [&](const std::set<std::string>& keys) { return keys.count(key) > 0; });
    });
  }
  return runners.Finish(out);
}

// The well-formed race codes of a buffer of RACECODEREC records (or, with a
// `list_kind` digit, of CODELISTREC records of that kind), in date and then
// race-code order, each once. A record of another kind is refused.
Status CodesOf(const void* buffer, char list_kind, std::vector<RaceKey>* races) {
  const bool code_list = list_kind != '\0';
  const ydb::RecordLayout& layout = code_list ? ydb::CodeListLayout() : ydb::RaceCodeLayout();
  if (buffer == nullptr || ydb::RecordSize(buffer) != static_cast<int>(layout.size())) {
    return Status::InvalidArgument(std::string("expected a buffer of ") +
                                   std::string(layout.name()) + " records");
  }
  const auto* records = static_cast<const unsigned char*>(buffer);
  for (int i = 0; i < ydb::RecordCount(buffer); ++i) {
    const ydb::RecordReader record(records + layout.size() * static_cast<std::size_t>(i), layout);
    if (code_list && record.bytes("kind") != std::string_view(&list_kind, 1)) {
      return Status::InvalidArgument("code " + std::to_string(i) + " of the list is of kind " +
                                     std::string(record.bytes("kind")) + ", not " + list_kind);
    }
    RaceKey key;
    if (RaceKey::Parse(record.bytes(code_list ? "code" : "race_code"), &key).ok()) {
      races->push_back(key);
    }
  }
  std::sort(races->begin(), races->end(), [](const RaceKey& a, const RaceKey& b) {
    return a.date != b.date ? a.date < b.date : a.code() < b.code();
  });
  races->erase(std::unique(races->begin(), races->end()), races->end());
  return Status::Ok();
}

// The results records of `races` that are stored, in their order.
Status RenderRaces(Database& db, const std::vector<RaceKey>& races, void** out) {
  RenderedRecords records(ydb::RaceResultLayout());
  for (const RaceKey& race : races) {
    void* one = nullptr;
    const Status s = ydb::ReadResultRecords(db, race, &one);
    if (!s.ok()) return s;
    records.AddAllAndRelease(one);
  }
  return records.Finish(out);
}

// The runs of `races` that are stored with their results, race by race in
// their order, each race's by horse number.
Status RenderRuns(Database& db, const std::vector<RaceKey>& races, void** out) {
  RenderedRecords runners(ydb::ResultRunnerLayout());
  for (const RaceKey& race : races) {
    const Status s = ydb::AddStoredRunners(db, race, &runners);
    if (!s.ok()) return s;
  }
  return runners.Finish(out);
}

// Whether the race is stored with its results.
bool IsRun(Database& db, const RaceKey& race, Status* s) {
  Statement& st = db.statement(
      "SELECT 1 FROM result_record WHERE race_date = ?1 AND place = ?2 AND race_no = ?3");
  st.bind(1, race.date).bind(2, race.place).bind(3, race.number);
  const bool found = st.step();
  *s = st.status();
  st.reset();
  return found;
}

}  // namespace

extern "C" {

void* conv_racecmd(const char* text) {
  return ydb::RunOperation("conv_racecmd", [&](void** out) {
    Condition condition;
    const Status s = ydb::ParseCondition(SearchKind::kRace, ydb::TextArgument(text), &condition);
    if (!s.ok()) return s;
    return ydb::MakeCommand(condition, out);
  });
}

void* add_cmd(const void* held, const void* added) {
  return ydb::RunOperation("add_cmd", [&](void** out) {
    return ydb::CombineCommands(held, added, out);
  });
}

void* get_race2cmd(const char* text) {
  return ydb::Fetch("get_race2cmd", [&](Database& db, void** out) {
    Condition condition;
    const Status s = ydb::ParseCondition(SearchKind::kRace, ydb::TextArgument(text), &condition);
    if (!s.ok()) return s;
    return RenderFoundRaces(db, condition, out);
  });
}

void* get_race2cmd_sp1(const void* command) {
  return ydb::Fetch("get_race2cmd_sp1", [&](Database& db, void** out) {
    Condition condition;
    const Status s = ReadRaceCommand(command, &condition);
    if (!s.ok()) return s;
    return RenderFoundRaces(db, condition, out);
  });
}

void* get_race2cmd_sp2(const void* command, int places) {
  return ydb::Fetch("get_race2cmd_sp2", [&](Database& db, void** out) {
    Condition condition;
    const Status s = ReadRunsCommand(command, &condition);
    if (!s.ok()) return s;
    return RenderFoundRunners(db, condition, places, out);
  });
}

void* get_racecode2race(const void* codes) {
  return ydb::Fetch("get_racecode2race", [&](Database& db, void** out) {
    std::vector<RaceKey> races;
    const Status s = CodesOf(codes, '\0', &races);
    if (!s.ok()) return s;
    return RenderRaces(db, races, out);
  });
}

void* get_race2dt(const void* codes) {
  return ydb::Fetch("get_race2dt", [&](Database& db, void** out) {
    std::vector<RaceKey> races;
    Status s = CodesOf(codes, '\0', &races);
    if (!s.ok()) return s;
    RenderedRecords list(ydb::CodeListLayout());
    for (const RaceKey& race : races) {
      if (!IsRun(db, race, &s)) {
        if (!s.ok()) return s;
        continue;
      }
      ydb::RecordBuilder b(list.Add(), list.layout());
      b.set_digits("kind", kRaceKindDigit - '0');
      b.set_code("code", race.code());
      if (!b.status().ok()) return b.status();
    }
    return list.Finish(out);
  });
}

void* get_otherdata(const void* codes, int kind) {
  return ydb::Fetch("get_otherdata", [&](Database& db, void** out) {
    const auto people = static_cast<SearchKind>(kind);
    if (people == SearchKind::kSire || people == SearchKind::kJockey ||
        people == SearchKind::kStable) {
      return ydb::RenderCodeList(db, codes, people, out);
    }
    if (kind == static_cast<int>(SearchKind::kHorse)) return ydb::RenderListedHorses(db, codes, out);
    if (kind != kRaceKindDigit - '0' && kind != kRunKindDigit - '0') {
      return Status::NotSupported("code lists of kind " + std::to_string(kind) +
                                  " are not served");
    }
    std::vector<RaceKey> races;
    const Status s = CodesOf(codes, static_cast<char>('0' + kind), &races);
    if (!s.ok()) return s;
    return kind == kRaceKindDigit - '0' ? RenderRaces(db, races, out) : RenderRuns(db, races, out);
  });
}

void* get_racename(void) {
  return ydb::Fetch("get_racename", [&](Database& db, void** out) {
    // The latest running of each graded race names its group and side.
    Statement& st = db.statement(
        "SELECT name, CAST(grade AS INTEGER) % 3 + 1, place FROM race "
        "WHERE grade IS NOT NULL AND has_result = 1 AND name <> '' "
        "ORDER BY CAST(grade AS INTEGER) % 3, name, race_date DESC");
    RenderedRecords names(ydb::RaceNameLayout());
    std::string last;
    const Status s = ydb::EachRow(st, [&](const Statement& row) {
      const std::string name(row.column_text(0));
      if (name == last) return Status::Ok();
      last = name;
      const std::string_view place = row.column_text(2);
      ydb::RecordBuilder b(names.Add(), names.layout());
      b.set_text_utf8("name", name);
      b.set_code("group", std::to_string(row.column_int(1)));
      b.set_code("east_west", place >= "04" && place <= "09" ? "1" : "0");
      return b.status();
    });
    if (!s.ok()) return s;
    return names.Finish(out);
  });
}

void* get_racename_list(const char* name) {
  return ydb::Fetch("get_racename_list", [&](Database& db, void** out) {
    RenderedRecords codes(ydb::RaceCodeLayout());
    std::string utf8;
    std::string_view sjis = ydb::TextArgument(name);
    while (!sjis.empty() && sjis.back() == ' ') sjis.remove_suffix(1);
    if (sjis.empty() || !ytext::to_utf8(sjis, &utf8)) return codes.Finish(out);
    Statement& st = db.statement(
        "SELECT race_date, place, race_no FROM race WHERE name = ?1 AND grade IS NOT NULL "
        "AND has_result = 1 ORDER BY race_date, place, race_no");
    st.bind(1, utf8);
    const Status s = ydb::EachRow(st, [&](const Statement& row) {
      ydb::RecordBuilder b(codes.Add(), codes.layout());
      b.set_code("race_code", KeyOf(row).code());
      return b.status();
    });
    if (!s.ok()) return s;
    return codes.Finish(out);
  });
}

}  // extern "C"
