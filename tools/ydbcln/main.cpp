// ydbcln: the command-line program over the library. Global options come
// first, then one subcommand.
#include <CLI/CLI.hpp>

#include "Command.h"

int main(int argc, char** argv) {
  CLI::App app{"ydbcln: analyse JRA flat and jump racing"};
  tool::Options options;
  app.add_option("--data", options.data_dir, "Directory of the data set")
      ->capture_default_str();
  app.add_flag("--json", options.json, "Print JSON for scripts");
  app.require_subcommand(1);

  int exit_code = 0;
  tool::RegisterInfo(app, options, &exit_code);

  CLI11_PARSE(app, argc, argv);
  return exit_code;
}
