// `ydbcln theory list|show|add|delete|export|import`: the theories stored in
// the data set. A theory is a title and up to eight weighted factors
// (`ydbcln factors`); `add` takes each as CODE:WEIGHT[:P1[:P2]], missing
// parameters taking the factor's defaults, and refuses a theory the library
// would not accept, naming the item and the rule.
#include <db/api/ybl.h>
#include <db/api/ydbbsn.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "Factors.h"
#include "Printable.h"
#include "Session.h"
#include "TheoryShow.h"

namespace tool {
namespace {

// What the subcommands are given on the command line.
struct TheoryArgs {
  int code = 0;
  std::string file;
  std::string title;
  std::vector<std::string> items;
};

// The database library's reason for its last failure, in brackets, or
// nothing when it gave none.
std::string LibraryReason() {
  const std::string reason = get_db_error();
  return reason.empty() ? std::string() : " (" + reason + ")";
}

// Opens the data set and loads its theories; false after saying why.
bool LoadTheories(YHorseDB& db, YTheories& theories, const Options& options) {
  if (!OpenDataSet(db, options.data_dir)) return false;
  if (theories.search() < 0) {
    Fail("cannot read the stored theories" + LibraryReason(), kExitNotFound);
    return false;
  }
  return true;
}

int List(const Options& options) {
  YHorseDB db;
  YTheories theories(&db);
  if (!LoadTheories(db, theories, options)) return 1;
  if (options.json) {
    nlohmann::json out = nlohmann::json::array();
    for (int i = 0; i < theories.gettheorycount(); ++i) {
      YTheory* t = theories.gettheory(i);
      out.push_back(
          {{"code", t->getcode()}, {"title", Utf8(t->getname())}, {"items", t->getitemcount()}});
    }
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  if (theories.gettheorycount() == 0) {
    std::cout << "No theories stored.\n";
    return 0;
  }
  std::cout << "Code  Items  Title\n";
  for (int i = 0; i < theories.gettheorycount(); ++i) {
    YTheory* t = theories.gettheory(i);
    std::cout << std::setw(4) << t->getcode() << "  " << std::setw(5) << t->getitemcount() << "  "
              << Utf8(t->getname()) << "\n";
  }
  return 0;
}

int Show(const Options& options, int code) {
  YHorseDB db;
  YTheories theories(&db);
  if (!LoadTheories(db, theories, options)) return 1;
  YTheory* t = theories.gettheorybycode(code);
  if (t == nullptr) return Fail("no theory " + std::to_string(code), kExitNotFound);
  if (options.json) {
    std::cout << TheoryJson(*t, code).dump(2) << "\n";
  } else {
    PrintTheory(*t, code, std::cout);
  }
  return 0;
}

// The whole of `text` as a decimal integer; false for anything else.
bool ParseInt(const std::string& text, int* value) {
  try {
    std::size_t used = 0;
    *value = std::stoi(text, &used);
    return used == text.size();
  } catch (const std::exception&) {
    return false;
  }
}

// Reads "CODE:WEIGHT[:P1[:P2]]" into the theory, the parameters left out
// taking the factor's defaults; false after saying why.
bool AddItem(const std::string& text, YTheory* theory) {
  std::vector<int> numbers;
  std::size_t from = 0;
  for (;;) {
    const std::size_t colon = text.find(':', from);
    int value = 0;
    if (!ParseInt(text.substr(from, colon - from), &value)) {
      numbers.clear();
      break;
    }
    numbers.push_back(value);
    if (colon == std::string::npos) break;
    from = colon + 1;
  }
  if (numbers.size() < 2 || numbers.size() > 4) {
    Fail("item '" + text + "' is not CODE:WEIGHT[:P1[:P2]]");
    return false;
  }
  int defaults[2] = {0, 0};
  YTheories::getdefault(numbers[0], defaults[0], defaults[1]);
  while (numbers.size() < 4) numbers.push_back(defaults[numbers.size() - 2]);
  theory->additem(numbers[0], numbers[1], numbers[2], numbers[3]);
  return true;
}

int Add(const Options& options, const TheoryArgs& args) {
  if (args.items.size() > static_cast<std::size_t>(YTheory::kMaxItems)) {
    return Fail("a theory has at most 8 items, not " + std::to_string(args.items.size()));
  }
  std::string title;
  if (!Sjis(args.title, &title)) return Fail("the title holds characters Shift_JIS cannot");
  if (title.size() > static_cast<std::size_t>(YTheory::kTitleSize)) {
    return Fail("the title is " + std::to_string(title.size()) + " bytes in Shift_JIS; at most 60");
  }
  YTheory theory(nullptr);
  theory.settitle(title.c_str());
  for (const std::string& item : args.items) {
    if (!AddItem(item, &theory)) return kExitBadArguments;
  }
  int item = -1;
  const YTheories::CheckFault fault = YTheories::findfault(theory.record(), &item);
  if (fault != YTheories::kValid) return Fail(DescribeFault(fault, *theory.record(), item));

  YHorseDB db;
  YTheories theories(&db);
  if (!OpenDataSet(db, options.data_dir)) return 1;
  const int code = theories.store(&theory);
  if (code < 0) return Fail("cannot store the theory" + LibraryReason(), kExitNotFound);
  if (options.json) {
    std::cout << nlohmann::json{{"code", code}, {"title", args.title}}.dump(2) << "\n";
  } else {
    std::cout << "Stored theory " << code << ": " << Printable(args.title) << "\n";
  }
  return 0;
}

int Delete(const Options& options, int code) {
  YHorseDB db;
  YTheories theories(&db);
  if (!LoadTheories(db, theories, options)) return 1;
  if (theories.gettheorybycode(code) == nullptr) {
    return Fail("no theory " + std::to_string(code), kExitNotFound);
  }
  if (theories.deletetheory(code) != 0) {
    return Fail("cannot delete theory " + std::to_string(code) + LibraryReason(), kExitNotFound);
  }
  if (options.json) {
    std::cout << nlohmann::json{{"deleted", code}}.dump(2) << "\n";
  } else {
    std::cout << "Deleted theory " << code << "\n";
  }
  return 0;
}

int Export(const Options& options, int code, const std::string& file) {
  YHorseDB db;
  YTheories theories(&db);
  if (!LoadTheories(db, theories, options)) return 1;
  if (theories.gettheorybycode(code) == nullptr) {
    return Fail("no theory " + std::to_string(code), kExitNotFound);
  }
  if (theories.savetheory(file.c_str(), code) != 0) {
    return Fail("cannot write " + file + LibraryReason(), kExitNotFound);
  }
  if (options.json) {
    std::cout << nlohmann::json{{"code", code}, {"file", file}}.dump(2) << "\n";
  } else {
    std::cout << "Wrote theory " << code << " to " << file << "\n";
  }
  return 0;
}

// Why a theory file was not imported: the file, the theory in it, or the
// store that refused it (`store_reason`, taken when the import failed).
std::string ImportFailure(const std::string& file, const std::string& store_reason) {
  void* buffer = read_theory(file.c_str());
  if (get_rec_size(buffer) != 1) {
    release_data(buffer);
    return file + " is not a theory file this program can read" + LibraryReason();
  }
  _tagTHEORYREC record;
  std::memcpy(&record, buffer, sizeof record);
  release_data(buffer);
  int item = -1;
  const YTheories::CheckFault fault = YTheories::findfault(&record, &item);
  if (fault != YTheories::kValid) return file + ": " + DescribeFault(fault, record, item);
  return "cannot store the theory of " + file + store_reason;
}

int Import(const Options& options, const std::string& file) {
  YHorseDB db;
  YTheories theories(&db);
  if (!OpenDataSet(db, options.data_dir)) return 1;
  const int code = theories.loadtheory(file.c_str());
  if (code < 0) return Fail(ImportFailure(file, LibraryReason()), kExitNotFound);
  if (options.json) {
    std::cout << nlohmann::json{{"code", code}, {"file", file}}.dump(2) << "\n";
  } else {
    std::cout << "Imported " << file << " as theory " << code << "\n";
  }
  return 0;
}

}  // namespace

void RegisterTheory(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* theory =
      app.add_subcommand("theory", "Stored theories: list, show, add, delete, export, import");
  theory->require_subcommand(1);
  auto args = std::make_shared<TheoryArgs>();

  CLI::App* list = theory->add_subcommand("list", "List the stored theories");
  list->callback([&options, exit_code] { *exit_code = List(options); });

  CLI::App* show =
      theory->add_subcommand("show", "Show a theory's factors, weights and parameters");
  show->add_option("CODE", args->code, "Theory code")->required();
  show->callback([&options, exit_code, args] { *exit_code = Show(options, args->code); });

  CLI::App* add = theory->add_subcommand("add", "Store a new theory");
  add->add_option("--title", args->title, "Title (at most 60 bytes in Shift_JIS)")->required();
  add->add_option("--item", args->items, "A factor as CODE:WEIGHT[:P1[:P2]]; up to 8")->required();
  add->callback([&options, exit_code, args] { *exit_code = Add(options, *args); });

  CLI::App* del = theory->add_subcommand("delete", "Delete a stored theory");
  del->add_option("CODE", args->code, "Theory code")->required();
  del->callback([&options, exit_code, args] { *exit_code = Delete(options, args->code); });

  CLI::App* exp = theory->add_subcommand("export", "Write a theory to a theory file");
  exp->add_option("CODE", args->code, "Theory code")->required();
  exp->add_option("FILE", args->file, "Theory file to write")->required();
  exp->callback(
      [&options, exit_code, args] { *exit_code = Export(options, args->code, args->file); });

  CLI::App* imp =
      theory->add_subcommand("import", "Store the theory of a theory file as a new theory");
  imp->add_option("FILE", args->file, "Theory file to read")->required();
  imp->callback([&options, exit_code, args] { *exit_code = Import(options, args->file); });
}

}  // namespace tool
