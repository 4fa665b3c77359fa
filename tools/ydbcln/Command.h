// What every subcommand of the program shares: the global options and the
// way a subcommand registers itself.
#ifndef YDBCLN_TOOL_COMMAND_H_
#define YDBCLN_TOOL_COMMAND_H_

#include <CLI/CLI.hpp>

#include <string>

namespace tool {

struct Options {
  std::string data_dir = "data";  // the data set's directory
  bool json = false;              // machine-readable output
};

// Each subcommand file defines one of these; main() calls them all. The
// subcommand stores its exit code in *exit_code when it runs.
void RegisterInfo(CLI::App& app, const Options& options, int* exit_code);

}  // namespace tool

#endif  // YDBCLN_TOOL_COMMAND_H_
