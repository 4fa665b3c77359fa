// `ydbcln export DIR` and `ydbcln import DIR`: the data set to and from the
// documented CSV exchange format, with a progress bar. An import that finds
// a bad row names its file, line and reason and loads nothing.
#include <exchange/ExchangeFiles.h>

#include <iostream>
#include <string>

#include "Command.h"
#include "Printable.h"
#include "Progress.h"
#include "Session.h"

namespace tool {
namespace {

int RunExchange(const Options& options, const std::string& dir, bool import) {
  NewDataSetGuard made(options.data_dir);  // only an import may make one
  auto data_set = OpenWhole(options.data_dir, import ? ydb::DataSet::Mode::kOpenOrCreate
                                                     : ydb::DataSet::Mode::kOpenExisting);
  if (data_set == nullptr) return kExitNotFound;
  ProgressBar bar(import ? "Importing " + dir : "Exporting to " + dir);
  auto progress = [&bar](int done, int total, const std::string& what) {
    return bar.update(done, total, what);
  };
  ydb::Status s = import ? exchange::Import(*data_set, dir, progress)
                         : exchange::Export(*data_set, dir, progress);
  if (!s.ok() && bar.interrupted()) {
    bar.clear();
    std::cerr << "ydbcln: interrupted; "
              << (import ? "nothing was imported" : "the files are as they were") << "\n";
    return kExitInterrupted;
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
        import ? "Load CSV files of the exchange format into the data set (all or nothing)"
               : "Write the data set as CSV files of the exchange format");
    auto dir = std::make_shared<std::string>();
    cmd->add_option("DIR", *dir, "Directory of the CSV files")->required();
    cmd->callback([&options, exit_code, dir, import] {
      *exit_code = RunExchange(options, *dir, import);
    });
  }
}

}  // namespace tool
