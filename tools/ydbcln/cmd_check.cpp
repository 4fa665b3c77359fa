// `ydbcln check add|remove KIND CODE` and `ydbcln check list KIND`: the
// user's check marks on horses, jockeys, trainers and sires. A mark is set
// and cleared through the objects (set_check, reset_check), so a mark once
// reported is stored; the list comes in code order with each name.
#include <db/api/RecordBuffer.h>
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <string>

#include "Command.h"
#include "Session.h"

namespace tool {
namespace {

using Json = nlohmann::ordered_json;

// The kinds the command names, with the database's number and code length.
struct Kind {
  const char* word;
  int number;
  std::size_t width;
};
const Kind kKinds[] = {{"horse", 1, 7}, {"jockey", 2, 5}, {"sire", 3, 7}, {"trainer", 4, 5}};

const Kind* FindKind(const std::string& word) {
  for (const Kind& k : kKinds) {
    if (word == k.word) return &k;
  }
  return nullptr;
}

bool IsCode(const std::string& code, std::size_t width) {
  if (code.size() != width) return false;
  for (char c : code) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Sets or clears the mark through the entity's object: 0, or 1 with a line
// when the entity is not there or the store refuses.
template <typename Entity>
int Change(YHorseDB& db, std::string code, bool set, const char* word) {
  Entity entity(&db, code);
  if (db.geterrstatus() != 0 || entity.code.empty()) {
    std::cerr << "ydbcln: no " << word << " " << code << " in the data set\n";
    return kExitNotFound;
  }
  if ((set ? entity.set_check() : entity.reset_check()) != 0) {
    std::cerr << "ydbcln: cannot change the check mark of " << code << ": "
              << Utf8(db.geterrmessage()) << "\n";
    return kExitNotFound;
  }
  return kExitDone;
}

int ChangeMark(const Options& options, const std::string& kind_word, const std::string& code,
               bool set) {
  const Kind* kind = FindKind(kind_word);
  if (kind == nullptr) {
    std::cerr << "ydbcln: KIND is one of horse, jockey, trainer, sire: " << kind_word << "\n";
    return kExitBadArguments;
  }
  if (!IsCode(code, kind->width)) {
    std::cerr << "ydbcln: a " << kind->word << " code is " << kind->width << " digits: " << code
              << "\n";
    return kExitBadArguments;
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  int status = kExitDone;
  switch (kind->number) {
    case 1: status = Change<YHorse>(db, code, set, kind->word); break;
    case 2: status = Change<YJockey>(db, code, set, kind->word); break;
    case 3: status = Change<YSire>(db, code, set, kind->word); break;
    default: status = Change<YStable>(db, code, set, kind->word); break;
  }
  if (status == kExitDone && options.json) {
    std::cout << Json{{"kind", kind->word}, {"code", code}, {"checked", set}}.dump(2) << "\n";
  }
  return status;
}

int ListMarks(const Options& options, const std::string& kind_word) {
  const Kind* kind = FindKind(kind_word);
  if (kind == nullptr) {
    std::cerr << "ydbcln: KIND is one of horse, jockey, trainer, sire: " << kind_word << "\n";
    return kExitBadArguments;
  }
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return kExitNotFound;
  ydb::OwnedBuffer marks(get_checkhj_list(kind->number));
  if (marks == nullptr) {
    std::cerr << "ydbcln: cannot read the check marks: " << get_db_error() << "\n";
    return kExitNotFound;
  }
  constexpr int kRecord = 41;  // code (7) and name (34)
  Json list = Json::array();
  for (int i = 0; i < ydb::record_count(marks.get(), kRecord); ++i) {
    const unsigned char* rec = ydb::record_at(marks.get(), kRecord, i);
    const std::string code(reinterpret_cast<const char*>(rec), kind->width);
    const std::string name = Utf8(YUtil::delendspc(const_cast<unsigned char*>(rec) + 7, 34));
    if (options.json) {
      list.push_back({{"code", code}, {"name", name}});
    } else {
      std::cout << code << "  " << name << "\n";
    }
  }
  if (options.json) std::cout << list.dump(2) << "\n";
  return kExitDone;
}

}  // namespace

void RegisterCheck(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("check", "Check marks on horses, jockeys, trainers, sires");
  cmd->require_subcommand(1);
  auto kind = std::make_shared<std::string>();
  auto code = std::make_shared<std::string>();
  for (bool set : {true, false}) {
    CLI::App* sub = cmd->add_subcommand(set ? "add" : "remove",
                                        set ? "Mark an entity" : "Clear an entity's mark");
    sub->add_option("KIND", *kind, "horse, jockey, trainer or sire")->required();
    sub->add_option("CODE", *code, "Its code: 7 digits for horses and sires, 5 for people")
        ->required();
    sub->callback([&options, exit_code, kind, code, set] {
      *exit_code = ChangeMark(options, *kind, *code, set);
    });
  }
  CLI::App* list = cmd->add_subcommand("list", "List the marked entities of a kind");
  list->add_option("KIND", *kind, "horse, jockey, trainer or sire")->required();
  list->callback([&options, exit_code, kind] { *exit_code = ListMarks(options, *kind); });
}

}  // namespace tool
