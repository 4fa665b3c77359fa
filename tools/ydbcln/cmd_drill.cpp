// `ydbcln drill STEP...`: the drill-down from a search to related records.
// The first step is a search as `ydbcln search` takes it, in one argument
// ("races --name 日本ダービー --grade G1"); each later step is a kind, the
// records of that kind related to the previous step's (races, runs, horses,
// jockeys, trainers, sires), or `and` followed by a search in one argument,
// which keeps the previous step's records that also meet its conditions
// (a search of another kind: those related to a record that meets them).
// Every step's count is printed, then the last step's rows as `search`
// prints them; with --json the steps (words, kind, count) and the rows
// under the last step's kind.
//
// Every step is read before the data set is opened: a step that is none of
// these, a search refused, or an `and` whose search does not combine with
// the previous kind is one line and exit 2. A step that finds nothing ends
// the walk there (the last step included): its count 0, a line saying so
// (`stopped_at` with --json), exit 0.
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <db/api/ydbbsn.h>

#include "Display.h"
#include "cmd_search.h"

namespace tool {
namespace {

constexpr std::size_t kKinds = std::variant_size_v<AnySearch>;

// Whether the drill-down combines a search of A's kind with one of B's.
template <typename A, typename B, typename = void>
struct Combines : std::false_type {};
template <typename A, typename B>
struct Combines<A, B, std::void_t<decltype(std::declval<YSearchDown&>().search(
                          std::declval<A*>(), std::declval<B*>()))>> : std::true_type {};

template <typename Pointer>
using SearchOf = typename std::decay_t<Pointer>::element_type;

// A search of the kind kSearchKinds[index], holding nothing yet.
template <std::size_t... I>
AnySearch NoSearch(std::size_t index, std::index_sequence<I...>) {
  AnySearch out;
  ((index == I ? (void)out.emplace<I>() : void()), ...);
  return out;
}
AnySearch NoSearch(std::size_t index) { return NoSearch(index, std::make_index_sequence<kKinds>()); }

std::size_t KindIndex(const std::string& word) {
  std::size_t i = 0;
  while (i < kKinds && word != kSearchKinds[i]) ++i;
  return i;
}

struct Step {
  std::string words;       // as given: "horses", "and", the search's words
  std::size_t kind = 0;    // of the records the step ends with
  bool combine = false;    // an `and`
  SearchRequest search;    // the first step's and an `and`'s search
};

// The steps of the command line: 0, or exit 2 after one line.
int ReadSteps(const std::vector<std::string>& words, std::vector<Step>* steps) {
  Step first;
  first.words = words.front();
  if (const int refused = ReadSearchWords(first.words, &first.search)) return refused;
  first.kind = KindIndex(first.search.kind);
  steps->push_back(std::move(first));
  for (std::size_t i = 1; i < words.size(); ++i) {
    Step step;
    step.words = words[i];
    if (words[i] == "and") {
      if (i + 1 == words.size()) return Fail("'and' wants a search after it, in one argument");
      step.words = words[++i];
      step.combine = true;
      if (const int refused = ReadSearchWords(step.words, &step.search)) return refused;
      const std::size_t with = KindIndex(step.search.kind);
      step.kind = steps->back().kind;
      const bool combines = std::visit([](const auto& a, const auto& b) {
        return Combines<SearchOf<decltype(a)>, SearchOf<decltype(b)>>::value;
      }, NoSearch(step.kind), NoSearch(with));
      if (!combines) {
        return Fail("'and " + step.words + "': " + kSearchKinds[step.kind] +
                    " do not combine with a search of " + kSearchKinds[with]);
      }
    } else {
      step.kind = KindIndex(words[i]);
      if (step.kind == kKinds) {
        return Fail("'" + words[i] +
                    "' is no step: races, runs, horses, jockeys, trainers, sires or and");
      }
    }
    steps->push_back(std::move(step));
  }
  return 0;
}

// The records of the kind kSearchKinds[to] related to those `from` holds.
AnySearch Related(YHorseDB& db, YSearchDown& down, std::size_t to, AnySearch& from) {
  AnySearch of_kind = NoSearch(to);
  return std::visit([&](auto& kind, auto& b) {
    using A = SearchOf<decltype(kind)>;
    A any(&db);  // no results: any record of its kind
    return AnySearch(std::unique_ptr<A>(down.exec(&any, b.get())));
  }, of_kind, from);
}

// The records of `from` that also meet the conditions of `with` (of
// another kind: related to a record that meets them): a search under both
// when `from` holds conditions, else, for records a kind step reached,
// `with` run and `from`'s records related to what it found.
AnySearch Narrowed(YSearchDown& down, AnySearch& from, AnySearch& with) {
  return std::visit([&](auto& a, auto& b) {
    using A = SearchOf<decltype(a)>;
    std::unique_ptr<A> kept;
    if constexpr (Combines<A, SearchOf<decltype(b)>>::value) {
      if (a->getparam() != nullptr) {
        kept.reset(down.search(a.get(), b.get()));
      } else if (RunSearch(with) > 0) {
        kept.reset(down.exec(a.get(), b.get()));
      }
    }
    return AnySearch(std::move(kept));
  }, from, with);
}

int Count(AnySearch& search) {
  return std::visit([](auto& s) { return s == nullptr ? 0 : s->get_list_cnt(); }, search);
}

// Walks the steps on the data set and prints them: the exit code.
int Walk(const Options& options, std::vector<Step>& steps) {
  YHorseDB db;
  AnySearch current;
  int found = 0;
  if (const int failed = OpenAndRun(options, steps.front().search, db, &current, &found)) {
    return failed;
  }
  YSearchDown down(&db);
  nlohmann::json shown = nlohmann::json::array();
  std::size_t taken = 0;
  while (true) {
    const Step& step = steps[taken];
    const std::string kind = kSearchKinds[step.kind];
    shown.push_back({{"step", step.words}, {"kind", kind}, {"count", found}});
    if (!options.json) {
      std::cout << taken + 1 << ". " << (step.combine ? "and " : "") << step.words << ": "
                << found << " " << (found == 1 ? kind.substr(0, kind.size() - 1) : kind) << "\n";
    }
    if (found == 0 || ++taken == steps.size()) break;
    Step& next = steps[taken];
    db.clearerror();
    if (next.combine) {
      AnySearch with;
      if (const int refused = next.search.make(db, &with)) return refused;
      current = Narrowed(down, current, with);
    } else {
      current = Related(db, down, next.kind, current);
    }
    // Nothing related is no failure; a store that failed or memory short is.
    if (db.geterrstatus() != 0) {
      return Fail("step " + std::to_string(taken + 1) + " failed: " + db.geterrmessage() + " " +
                  get_db_error(), 1);
    }
    found = Count(current);
  }
  const std::string kind = kSearchKinds[steps[std::min(taken, steps.size() - 1)].kind];
  const std::vector<FoundRow> rows = found > 0 ? RowsOf(current) : std::vector<FoundRow>();
  if (options.json) {
    nlohmann::json out = {{"steps", shown}, {kind, nlohmann::json::array()}};
    for (const FoundRow& row : rows) out[kind].push_back(row.json);
    if (found == 0) out["stopped_at"] = shown.size();
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  if (found == 0) std::cout << "nothing found at step " << shown.size() << "\n";
  for (const FoundRow& row : rows) std::cout << row.line << "\n";
  return 0;
}

}  // namespace

void RegisterDrill(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* drill = app.add_subcommand(
      "drill", "From a search to the related records of other kinds, step by step");
  auto words = std::make_shared<std::vector<std::string>>();
  drill->add_option("steps", *words,
                    "A search in one argument (\"races --grade G1 --name ...\"), then kinds "
                    "(races, runs, horses, jockeys, trainers, sires) or and \"SEARCH\"")
      ->required();
  drill->fallthrough();
  drill->callback([&options, exit_code, words] {
    std::vector<Step> steps;
    *exit_code = ReadSteps(*words, &steps);
    if (*exit_code == 0) *exit_code = Walk(options, steps);
  });
}

}  // namespace tool
