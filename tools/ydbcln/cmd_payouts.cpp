// `ydbcln payouts`: the payouts of run races in the five pools, with every
// dead-heat entry.
//   payouts RACECODE...                       each race's payouts
//   payouts --from DATE --to DATE --save FILE the payout file of every race
//                                             of those days, in date order
//   payouts --load FILE                       the payouts a payout file holds
// The payout file is a run of 126-byte records, one per race, as YHaitoInfo
// writes them. It is written under a temporary name and renamed when
// whole, so a failed save leaves no partial file. A file that ends in part
// of a record shows its whole records and exits non-zero; a file with a
// record that cannot be a race's payouts (PayoutCheck.h) shows nothing.
#include <ydbcln/race/HaitoFill.h>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "Command.h"
#include "Display.h"
#include "PayoutCheck.h"
#include "RaceSource.h"
#include "Session.h"

namespace tool {
namespace {

struct Arguments {
  std::vector<std::string> codes;
  std::string from, to, save, load;
};

// One pool of a payout set: its name padded to six columns, its entries,
// and how an entry's combination number reads.
struct Pool {
  const char* name;
  const char* key;  // in --json
  const unsigned short* kumi;
  const int* haito;
  int entries;
  int split;        // a pair number is first * split + second; 0 for one horse
};

std::vector<Pool> Pools(const YHaitoInfo& p) {
  return {{"単勝  ", "win", p.tansho_uma, p.tansho_haito, 3, 0},
          {"複勝  ", "place", p.fukusho_uma, p.fukusho_haito, 5, 0},
          {"枠連  ", "bracket_quinella", p.wakuren_kumi, p.wakuren_haito, 3, 10},
          {"馬連  ", "quinella", p.umaren_kumi, p.umaren_haito, 3, 100},
          {"ワイド", "wide", p.wide_kumi, p.wide_haito, 7, 100}};
}

std::string Combination(const Pool& pool, int i) {
  const int k = pool.kumi[i];
  if (pool.split == 0) return std::to_string(k);
  return std::to_string(k / pool.split) + "-" + std::to_string(k % pool.split);
}

// Prints the payouts under a heading line (the race, or the record's place
// in a file); one line per entry.
void PrintPayouts(const std::string& heading, const YHaitoInfo& payouts) {
  std::cout << heading << "\n";
  bool any = false;
  for (const Pool& pool : Pools(payouts)) {
    for (int i = 0; i < pool.entries; ++i) {
      if (pool.kumi[i] == 0 && pool.haito[i] == 0) continue;
      std::cout << "  " << pool.name << std::setw(6) << Combination(pool, i) << std::setw(9)
                << pool.haito[i] << "円\n";
      any = true;
    }
  }
  if (!any) std::cout << "  no payouts\n";
}

nlohmann::json PayoutsJson(const YHaitoInfo& payouts) {
  nlohmann::json out = nlohmann::json::object();
  for (const Pool& pool : Pools(payouts)) {
    nlohmann::json& entries = out[pool.key] = nlohmann::json::array();
    for (int i = 0; i < pool.entries; ++i) {
      if (pool.kumi[i] == 0 && pool.haito[i] == 0) continue;
      nlohmann::json entry = {{"payout", pool.haito[i]}};
      if (pool.split == 0) {
        entry["horse"] = pool.kumi[i];
      } else {
        entry["pair"] = {pool.kumi[i] / pool.split, pool.kumi[i] % pool.split};
      }
      entries.push_back(entry);
    }
  }
  return out;
}

int ShowRaces(YHorseDB& db, const Options& options, const std::vector<std::string>& codes) {
  nlohmann::json races = nlohmann::json::array();
  for (const std::string& code : codes) {
    YHaitoInfo payouts;
    if (!yrace::fill_haito(&db, code, &payouts)) {
      if (db.geterrstatus() != 0) return StoreFailure();
      return Fail("race " + code + " has no payouts", 1);
    }
    if (options.json) {
      races.push_back({{"race", code}, {"payouts", PayoutsJson(payouts)}});
    } else {
      PrintPayouts(code, payouts);
    }
  }
  if (options.json) std::cout << races.dump(2) << "\n";
  return 0;
}

// The file a payout file is written to: `path`, or the file a symbolic
// link there names. False after saying why when that is anything but a
// regular file (a device, a FIFO, a directory) or a link to nothing, which
// are never replaced.
bool RegularFileTarget(const std::string& path, std::string* target) {
  std::error_code ec;
  const auto link = std::filesystem::symlink_status(path, ec);
  if (!std::filesystem::exists(link)) {
    *target = path;
    return true;
  }
  const auto state = std::filesystem::status(path, ec);
  if (!std::filesystem::is_regular_file(state)) {
    Fail("cannot write " + path + ": " +
             (std::filesystem::exists(state) ? "not a regular file" : "a link to nothing"),
         kExitNotFound);
    return false;
  }
  *target = std::filesystem::is_symlink(link) ? std::filesystem::canonical(path, ec).string() : path;
  if (!ec) return true;
  Fail("cannot follow " + path + ": " + ec.message(), kExitNotFound);
  return false;
}

int Save(YHorseDB& db, const Options& options, const Arguments& args) {
  int from = 0, to = 0;
  if (!ParseDate(args.from, &from) || !ParseDate(args.to, &to)) {
    return Fail("--from and --to want days as YYYYMMDD, such as 20240106, not '" + args.from +
                "' and '" + args.to + "'");
  }
  if (from > to) return Fail("--from " + args.from + " is after --to " + args.to);
  std::vector<std::string> codes;
  if (!RaceCodes(db, from, to, &codes)) return StoreFailure();

  std::string target;
  if (!RegularFileTarget(args.save, &target)) return kExitNotFound;
  const std::string temporary = target + ".tmp" + std::to_string(::getpid());
  std::FILE* file = std::fopen(temporary.c_str(), "wbx");
  if (file == nullptr) {
    return Fail("cannot write " + temporary + ": " + std::strerror(errno), 1);
  }
  for (const std::string& code : codes) {
    YHaitoInfo payouts;
    const bool filled = yrace::fill_haito(&db, code, &payouts);
    if (!filled || payouts.write(file) != YHaitoInfo::kRecordSize) {
      std::fclose(file);
      std::remove(temporary.c_str());
      if (!filled) return db.geterrstatus() != 0 ? StoreFailure() : Fail(code + " has no payouts", 1);
      return Fail("cannot write " + temporary + ": " + std::strerror(errno), 1);
    }
  }
  // Every error counts, those the buffer and the disk report late included.
  const bool written = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  const int flush_errno = errno;
  if (std::fclose(file) != 0 || !written ||
      std::rename(temporary.c_str(), target.c_str()) != 0) {
    if (!written) errno = flush_errno;
    const std::string why = std::strerror(errno);
    std::remove(temporary.c_str());
    return Fail("cannot write " + args.save + ": " + why, 1);
  }
  if (options.json) {
    std::cout << nlohmann::json{{"file", args.save}, {"races", codes}}.dump(2) << "\n";
    return 0;
  }
  for (const std::string& code : codes) std::cout << code << "\n";
  std::cout << codes.size() << " races saved to " << args.save << "\n";
  return 0;
}

int Load(const Options& options, const std::string& path) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  std::FILE* file = ec ? nullptr : std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return Fail("cannot read " + path + ": " + (ec ? ec.message() : std::strerror(errno)), 1);
  }
  // Every record is checked before any is shown: a file that is no payout
  // file shows nothing.
  std::vector<YHaitoInfo> read;
  YHaitoInfo payouts;
  while (payouts.read(file) == YHaitoInfo::kRecordSize) {
    const std::string fault = PayoutFault(payouts);
    if (!fault.empty()) {
      std::fclose(file);
      return Fail(path + " is not a payout file: record " + std::to_string(read.size() + 1) + ": " +
                      fault,
                  1);
    }
    read.push_back(payouts);
  }
  std::fclose(file);
  const std::uintmax_t count = read.size();
  nlohmann::json records = nlohmann::json::array();
  for (std::size_t i = 0; i < read.size(); ++i) {
    if (options.json) {
      records.push_back({{"record", i + 1}, {"payouts", PayoutsJson(read[i])}});
    } else {
      PrintPayouts("record " + std::to_string(i + 1), read[i]);
    }
  }
  const std::uintmax_t left = size - count * YHaitoInfo::kRecordSize;
  if (options.json) {
    std::cout << nlohmann::json{{"file", path}, {"records", records}, {"trailing_bytes", left}}.dump(2)
              << "\n";
  }
  if (left >= static_cast<std::uintmax_t>(YHaitoInfo::kRecordSize)) {
    return Fail("cannot read " + path + " after record " + std::to_string(count), 1);
  }
  if (left != 0) {
    return Fail(path + " ends in a partial record: " + std::to_string(left) + " bytes after " +
                    std::to_string(count) + " whole records",
                1);
  }
  return 0;
}

int RunPayouts(const Options& options, const Arguments& args) {
  const bool range = !args.from.empty() || !args.to.empty() || !args.save.empty();
  const int modes = !args.codes.empty() + range + !args.load.empty();
  if (modes != 1 || (range && (args.from.empty() || args.to.empty() || args.save.empty()))) {
    return Fail("payouts wants RACECODE..., or --from DATE --to DATE --save FILE, or --load FILE");
  }
  for (const std::string& code : args.codes) {
    if (!IsRaceCode(code)) {
      return Fail("RACECODE wants 12 digits: place, YYYYMMDD and race number, not '" + code + "'");
    }
  }
  if (!args.load.empty()) return Load(options, args.load);
  YHorseDB db;
  if (!OpenDataSet(db, options.data_dir)) return 1;
  return range ? Save(db, options, args) : ShowRaces(db, options, args.codes);
}

}  // namespace

void RegisterPayouts(CLI::App& app, const Options& options, int* exit_code) {
  CLI::App* cmd = app.add_subcommand("payouts", "Show, save or load the payouts of run races");
  auto args = std::make_shared<Arguments>();
  cmd->add_option("RACECODE", args->codes, "Races: place, YYYYMMDD, race number");
  cmd->add_option("--from", args->from, "First day of the races to save, YYYYMMDD");
  cmd->add_option("--to", args->to, "Last day of the races to save, YYYYMMDD");
  cmd->add_option("--save", args->save, "Payout file to write");
  cmd->add_option("--load", args->load, "Payout file to show");
  cmd->fallthrough();
  cmd->callback([&options, exit_code, args] { *exit_code = RunPayouts(options, *args); });
}

}  // namespace tool
