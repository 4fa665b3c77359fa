// The searches of jockeys, trainers, sires and dam-sires at the C boundary:
// compiling their condition texts into commands, running texts and
// commands, and the code lists of their records and back. Every record is
// rendered as a fetch by code renders it.
#include <string>
#include <string_view>
#include <vector>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/PeopleSearch.h"
#include "db/api/ydbbsn.h"
#include "db/base/RecordBuffer.h"
#include "db/layout/Layouts.h"
#include "db/query/Command.h"
#include "db/query/Parser.h"
#include "db/query/Search.h"
#include "db/render/EntityRecordRenderer.h"
#include "db/render/RecordBuilder.h"
#include "db/render/RenderedRecords.h"

namespace ydb {
namespace {

using Renderer = Status (*)(Database&, std::string_view, void**);

// What each kind's records are and how one is rendered.
struct PeopleKind {
  SearchKind kind;
  const RecordLayout& (*layout)();
  std::size_t code_width;
  Renderer render;
};

const PeopleKind* KindOf(SearchKind kind) {
  static const PeopleKind kinds[] = {
      {SearchKind::kJockey, JockeyLayout, 5, RenderJockey},
      {SearchKind::kStable, StableLayout, 5, RenderStable},
      {SearchKind::kSire, SireLayout, 7, RenderSire},
      {SearchKind::kDamSire, DamSireLayout, 7, RenderDamSire},
  };
  for (const PeopleKind& k : kinds) {
    if (k.kind == kind) return &k;
  }
  return nullptr;
}

// The records of `codes`, in their order; a code the store has no such
// entity for is left out.
Status RenderEach(Database& db, const PeopleKind& kind, const std::vector<std::string>& codes,
                  void** out) {
  RenderedRecords records(kind.layout());
  for (const std::string& code : codes) {
    void* one = nullptr;
    const Status s = kind.render(db, code, &one);
    if (!s.ok()) return s;
    records.AddAllAndRelease(one);
  }
  return records.Finish(out);
}

// The records `condition` finds, in code order.
Status RenderFound(Database& db, const Condition& condition, void** out) {
  std::vector<std::string> codes;
  const Status s = EachFound(db, condition, [&](const Statement& row) {
    codes.emplace_back(row.column_text(0));
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return RenderEach(db, *KindOf(condition.kind), codes, out);
}

void* Compile(const char* operation, SearchKind kind, const char* text) {
  return RunOperation(operation, [&](void** out) {
    Condition condition;
    const Status s = ParseCondition(kind, TextArgument(text), &condition);
    if (!s.ok()) return s;
    return MakeCommand(condition, out);
  });
}

void* RunText(const char* operation, SearchKind kind, const char* text) {
  return Fetch(operation, [&](Database& db, void** out) {
    Condition condition;
    const Status s = ParseCondition(kind, TextArgument(text), &condition);
    if (!s.ok()) return s;
    return RenderFound(db, condition, out);
  });
}

void* RunCommand(const char* operation, SearchKind kind, const void* command) {
  return Fetch(operation, [&](Database& db, void** out) {
    Condition condition;
    const Status s = ReadCommand(command, &condition);
    if (!s.ok()) return s;
    if (condition.kind != kind) return Status::InvalidArgument("a command of another kind");
    return RenderFound(db, condition, out);
  });
}

// The code list (CODELISTREC) of a buffer of the kind's records.
void* CodeList(const char* operation, SearchKind kind, const void* records) {
  return Fetch(operation, [&](Database&, void** out) {
    const PeopleKind& k = *KindOf(kind);
    const RecordLayout& layout = k.layout();
    if (records == nullptr || RecordSize(records) != static_cast<int>(layout.size())) {
      return Status::InvalidArgument("expected a buffer of " + std::string(layout.name()) +
                                     " records");
    }
    RenderedRecords list(CodeListLayout());
    const auto* bytes = static_cast<const unsigned char*>(records);
    for (int i = 0; i < RecordCount(records); ++i) {
      const RecordReader record(bytes + layout.size() * static_cast<std::size_t>(i), layout);
      RecordBuilder b(list.Add(), list.layout());
      b.set_digits("kind", static_cast<int>(kind));
      b.set_code("code", record.bytes("code").substr(0, k.code_width));
      if (!b.status().ok()) return b.status();
    }
    return list.Finish(out);
  });
}

}  // namespace

Status RenderCodeList(Database& db, const void* codes, SearchKind kind, void** out) {
  const PeopleKind* k = KindOf(kind);
  const RecordLayout& layout = CodeListLayout();
  if (k == nullptr || codes == nullptr || RecordSize(codes) != static_cast<int>(layout.size())) {
    return Status::InvalidArgument("expected a buffer of CODELISTREC records");
  }
  const char digit = static_cast<char>('0' + static_cast<int>(kind));
  std::vector<std::string> found;
  const auto* bytes = static_cast<const unsigned char*>(codes);
  for (int i = 0; i < RecordCount(codes); ++i) {
    const RecordReader record(bytes + layout.size() * static_cast<std::size_t>(i), layout);
    if (record.bytes("kind") != std::string_view(&digit, 1)) {
      return Status::InvalidArgument("code " + std::to_string(i) + " of the list is of another kind");
    }
    const std::string_view code = record.bytes("code").substr(0, k->code_width);
    if (IsDigits(code, k->code_width)) found.emplace_back(code);
  }
  return RenderEach(db, *k, found, out);
}

}  // namespace ydb

extern "C" {

void* conv_jockeycmd(const char* text) {
  return ydb::Compile("conv_jockeycmd", ydb::SearchKind::kJockey, text);
}
void* conv_stablecmd(const char* text) {
  return ydb::Compile("conv_stablecmd", ydb::SearchKind::kStable, text);
}
void* conv_sirecmd(const char* text) {
  return ydb::Compile("conv_sirecmd", ydb::SearchKind::kSire, text);
}

void* get_jockey2cmd(const char* text) {
  return ydb::RunText("get_jockey2cmd", ydb::SearchKind::kJockey, text);
}
void* get_stable2cmd(const char* text) {
  return ydb::RunText("get_stable2cmd", ydb::SearchKind::kStable, text);
}
void* get_sire2cmd(const char* text) {
  return ydb::RunText("get_sire2cmd", ydb::SearchKind::kSire, text);
}
void* get_umadimsire2cmd(const char* text) {
  return ydb::RunText("get_umadimsire2cmd", ydb::SearchKind::kDamSire, text);
}

void* get_jockey2cmd_sp(const void* command) {
  return ydb::RunCommand("get_jockey2cmd_sp", ydb::SearchKind::kJockey, command);
}
void* get_stable2cmd_sp(const void* command) {
  return ydb::RunCommand("get_stable2cmd_sp", ydb::SearchKind::kStable, command);
}
void* get_sire2cmd_sp(const void* command) {
  return ydb::RunCommand("get_sire2cmd_sp", ydb::SearchKind::kSire, command);
}

void* get_jockey2dt(const void* records) {
  return ydb::CodeList("get_jockey2dt", ydb::SearchKind::kJockey, records);
}
void* get_stable2dt(const void* records) {
  return ydb::CodeList("get_stable2dt", ydb::SearchKind::kStable, records);
}
void* get_sire2dt(const void* records) {
  return ydb::CodeList("get_sire2dt", ydb::SearchKind::kSire, records);
}

}  // extern "C"
