// `ydbcln export DIR` and `ydbcln import DIR`: the data set to and from the
// documented CSV exchange format, or with --format jvdata to and from files
// of JRA's JV-Data records, with a progress bar. An import that finds a bad
// row or record names its file, line and reason and loads nothing; a JV-Data
// import, which writes its people and then its races a month a transaction,
// says what it wrote when the store's writer refuses a month or it is
// interrupted, and ends with a summary of what it read (one JSON object
// with --json).
#include <exchange/ExchangeFiles.h>
#include <exchange/JvDataFiles.h>
#include <nlohmann/json.hpp>

#include <iostream>
#include <string>
#include <vector>

#include "Command.h"
#include "Printable.h"
#include "Progress.h"
#include "Session.h"

namespace tool {
namespace {

constexpr const char* kExchangeFormat = "exchange";
constexpr const char* kJvDataFormat = "jvdata";

// What a JV-Data import read, skipped and refused, on standard output.
void PrintSummary(const exchange::jvdata::ImportSummary& s) {
  std::cout << "records read by type:";
  for (const auto& [type, count] : s.by_type) std::cout << " " << type << " " << count;
  std::cout << "\n";
  std::int64_t skipped = s.unknown;
  for (const auto& [type, count] : s.skipped) skipped += count;
  std::cout << "skipped: " << skipped << " (" << s.unknown << " of unknown types";
  for (const auto& [type, count] : s.skipped) std::cout << ", " << count << " " << type;
  std::cout << ")\n";
  std::cout << "refused: " << s.refused << "\n";
  for (const std::string& reason : s.reasons) std::cout << "  " << Reason(reason) << "\n";
  if (s.people != 0 || s.horses != 0 || s.horses_filled != 0 || s.races != 0 || s.removed != 0 ||
      s.people_removed != 0) {
    std::cout << "written: " << s.people << " people, " << s.horses << " horses, " << s.races << " races, "
              << s.runners << " runners, " << s.made_from_runners
              << " horses and people made from their runners' and horses' records, " << s.horses_filled
              << " stored horses filled in from their foal records\n";
    if (s.removed != 0 || s.people_removed != 0 || s.left_as_stored != 0) {
      std::cout << "removed by deletion records: " << s.removed << " races, " << s.people_removed
                << " people; left as stored: " << s.left_as_stored << " races run, met only as cards\n";
    }
  } else {
    std::cout << "written: nothing\n";
  }
}

// The same as one JSON object: records read and skipped by type, the
// refusals with their reasons, what was written and what deletion records
// removed.
void PrintSummaryJson(const exchange::jvdata::ImportSummary& s) {
  nlohmann::json reasons = nlohmann::json::array();
  for (const std::string& reason : s.reasons) reasons.push_back(Reason(reason));
  const nlohmann::json out = {
      {"read", s.by_type},
      {"skipped", {{"unknown_types", s.unknown}, {"by_type", s.skipped}}},
      {"refused", s.refused},
      {"reasons", reasons},
      {"written",
       {{"people", s.people},
        {"horses", s.horses},
        {"races", s.races},
        {"runners", s.runners},
        {"made_from_records", s.made_from_runners},
        {"stored_horses_filled", s.horses_filled}}},
      {"removed", {{"races", s.removed}, {"people", s.people_removed}, {"left_as_stored", s.left_as_stored}}},
  };
  std::cout << out.dump(2) << "\n";
}

int RunExchange(const Options& options, const std::vector<std::string>& paths,
                const std::string& format, bool import) {
  const bool jvdata = format == kJvDataFormat;
  if (!import && paths.size() != 1) {
    std::cerr << "ydbcln: export takes one directory\n";
    return kExitBadArguments;
  }
  if (!jvdata && paths.size() != 1) {
    std::cerr << "ydbcln: the exchange format is one directory; several files are JV-Data's "
                 "(--format jvdata)\n";
    return kExitBadArguments;
  }
  NewDataSetGuard made(options.data_dir);  // only an import may make one
  auto data_set = OpenWhole(options.data_dir, import ? ydb::DataSet::Mode::kOpenOrCreate
                                                     : ydb::DataSet::Mode::kOpenExisting);
  if (data_set == nullptr) return kExitNotFound;
  const std::string& dir = paths.front();
  ProgressBar bar(import ? "Importing " + dir : "Exporting to " + dir);
  auto progress = [&bar](int done, int total, const std::string& what) {
    return bar.update(done, total, what);
  };
  exchange::jvdata::ImportSummary summary;
  ydb::Status s;
  if (jvdata) {
    s = import ? exchange::jvdata::Import(*data_set, paths, progress, &summary)
               : exchange::jvdata::Export(*data_set, dir, progress);
  } else {
    s = import ? exchange::Import(*data_set, dir, progress) : exchange::Export(*data_set, dir, progress);
  }
  // A JV-Data import keeps the months it wrote before it failed.
  if (summary.people != 0 || summary.races != 0 || summary.removed != 0) made.keep();
  if (!s.ok() && bar.interrupted()) {
    bar.clear();
    if (jvdata && import) {
      std::cerr << "ydbcln: interrupted: " << s.message() << "\n";
    } else {
      std::cerr << "ydbcln: interrupted; "
                << (import ? "nothing was imported" : "the files are as they were") << "\n";
    }
    return kExitInterrupted;
  }
  bar.clear();
  // A summary once the records were read; an import that read nothing (a
  // file missing, say) is its error alone.
  if (jvdata && import && (s.ok() || summary.refused > 0 || summary.people != 0)) {
    if (options.json) {
      PrintSummaryJson(summary);
    } else {
      PrintSummary(summary);
    }
  }
  if (!s.ok()) {
    std::cerr << "ydbcln: " << (import ? "import" : "export") << " failed: " << Reason(s.message()) << "\n";
    return kExitNotFound;
  }
  made.keep();
  return kExitDone;
}

}  // namespace

void RegisterExchange(CLI::App& app, const Options& options, int* exit_code) {
  for (const bool import : {false, true}) {
    CLI::App* cmd = app.add_subcommand(
        import ? "import" : "export",
        import ? "Load CSV files of the exchange format, or files of JV-Data records, into the "
                 "data set, the races a month at a time"
               : "Write the data set as CSV files of the exchange format, or as JV-Data records");
    auto paths = std::make_shared<std::vector<std::string>>();
    auto format = std::make_shared<std::string>(kExchangeFormat);
    cmd->add_option(import ? "PATH" : "DIR", *paths,
                    import ? "Directory of the CSV files; with --format jvdata, files of records "
                             "or directories of them"
                           : "Directory to write the files into")
        ->required();
    cmd->add_option("--format", *format, "exchange (CSV, the default) or jvdata")
        ->check(CLI::IsMember(std::vector<std::string>{kExchangeFormat, kJvDataFormat}));
    cmd->callback([&options, exit_code, paths, format, import] {
      *exit_code = RunExchange(options, *paths, *format, import);
    });
  }
}

}  // namespace tool
