// The horse search at the C boundary: compiling horse condition texts,
// running them, the horses of a dam, and the code lists of horses a search
// hands around.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "db/api/Fetch.h"
#include "db/api/FetchArguments.h"
#include "db/api/HorseCodes.h"
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

constexpr int kHorseKind = static_cast<int>(SearchKind::kHorse);
constexpr std::size_t kHorseCodeWidth = 7;

// The horse condition of a command buffer.
Status ReadHorseCommand(const void* command, Condition* condition) {
  const Status s = ReadCommand(command, condition);
  if (!s.ok()) return s;
  if (condition->kind != SearchKind::kHorse) {
    return Status::InvalidArgument("a command of another kind than the horse search");
  }
  return Status::Ok();
}

// The horse records of the horses `condition` finds, in code order.
Status RenderFoundHorses(Database& db, const Condition& condition, void** out) {
  std::vector<std::string> codes;
  const Status s = EachFound(db, condition, [&](const Statement& row) {
    codes.emplace_back(row.column_text(0));
    return Status::Ok();
  });
  if (!s.ok()) return s;
  return RenderHorses(db, codes, out);
}

Status RenderTextSearch(Database& db, const char* text, void** out) {
  Condition condition;
  const Status s = ParseCondition(SearchKind::kHorse, TextArgument(text), &condition);
  if (!s.ok()) return s;
  return RenderFoundHorses(db, condition, out);
}

}  // namespace

Status HorseCodesOf(const void* buffer, bool code_list, std::vector<std::string>* codes) {
  const RecordLayout& layout = code_list ? CodeListLayout() : HorseLayout();
  if (buffer == nullptr || RecordSize(buffer) != static_cast<int>(layout.size())) {
    return Status::InvalidArgument("expected a buffer of " + std::string(layout.name()) +
                                   " records");
  }
  const auto* records = static_cast<const unsigned char*>(buffer);
  for (int i = 0; i < RecordCount(buffer); ++i) {
    const RecordReader record(records + layout.size() * static_cast<std::size_t>(i), layout);
    std::string_view code = record.bytes("code");
    if (code_list) {
      if (record.bytes("kind") != std::to_string(kHorseKind)) {
        return Status::InvalidArgument("code " + std::to_string(i) + " of the list is no horse's");
      }
      // A horse code is blank-padded; anything else is another kind's.
      if (code.find_first_not_of(' ', kHorseCodeWidth) != std::string_view::npos) {
        return Status::InvalidArgument("code " + std::to_string(i) + " of the list is no horse's");
      }
      code = code.substr(0, kHorseCodeWidth);
    }
    if (code.find_first_not_of("0123456789") == std::string_view::npos &&
        code.size() == kHorseCodeWidth) {
      codes->emplace_back(code);
    }
  }
  std::sort(codes->begin(), codes->end());
  codes->erase(std::unique(codes->begin(), codes->end()), codes->end());
  return Status::Ok();
}

Status RenderListedHorses(Database& db, const void* code_list, void** out) {
  std::vector<std::string> codes;
  const Status s = HorseCodesOf(code_list, true, &codes);
  if (!s.ok()) return s;
  return RenderHorses(db, codes, out);
}

}  // namespace ydb

extern "C" {

void* conv_umacmd(const char* text) {
  return ydb::RunOperation("conv_umacmd", [&](void** out) {
    ydb::Condition condition;
    const ydb::Status s =
        ydb::ParseCondition(ydb::SearchKind::kHorse, ydb::TextArgument(text), &condition);
    if (!s.ok()) return s;
    return ydb::MakeCommand(condition, out);
  });
}

void* get_uma2cmd(const char* text) {
  return ydb::Fetch("get_uma2cmd", [&](ydb::Database& db, void** out) {
    return ydb::RenderTextSearch(db, text, out);
  });
}

void* get_uma2cmd_sp(const void* command) {
  return ydb::Fetch("get_uma2cmd_sp", [&](ydb::Database& db, void** out) {
    ydb::Condition condition;
    const ydb::Status s = ydb::ReadHorseCommand(command, &condition);
    if (!s.ok()) return s;
    return ydb::RenderFoundHorses(db, condition, out);
  });
}

void* get_uma2mcode(const char* code) {
  return ydb::Fetch("get_uma2mcode", [&](ydb::Database& db, void** out) {
    std::vector<std::string> codes;
    const std::string_view dam = ydb::TextArgument(code);
    ydb::Statement& st = db.statement("SELECT code FROM horse WHERE dam_code = ?1 ORDER BY code");
    st.bind(1, dam);
    const ydb::Status s = ydb::EachRow(st, [&](const ydb::Statement& row) {
      codes.emplace_back(row.column_text(0));
      return ydb::Status::Ok();
    });
    if (!s.ok()) return s;
    return ydb::RenderHorses(db, codes, out);
  });
}

void* get_uma2dt(const void* horses) {
  return ydb::Fetch("get_uma2dt", [&](ydb::Database& db, void** out) {
    std::vector<std::string> codes;
    ydb::Status s = ydb::HorseCodesOf(horses, false, &codes);
    if (!s.ok()) return s;
    ydb::RenderedRecords list(ydb::CodeListLayout());
    ydb::Statement& st = db.statement("SELECT 1 FROM horse WHERE code = ?1");
    for (const std::string& code : codes) {
      st.bind(1, code);
      const bool stored = st.step();
      s = st.status();
      st.reset();
      if (!s.ok()) return s;
      if (!stored) continue;
      ydb::RecordBuilder b(list.Add(), list.layout());
      b.set_digits("kind", ydb::kHorseKind);
      b.set_code("code", code);
      if (!b.status().ok()) return b.status();
    }
    return list.Finish(out);
  });
}

}  // extern "C"
