// A progress bar on the terminal for long work (generating seasons,
// importing and exporting, running a theory over many races). Drawn on standard error, and only when that is a
// terminal, so scripts and --json output stay clean. While a bar lives,
// SIGINT (Ctrl-C) asks the work to stop instead of killing the program: the
// next update answers false, and the work ends as it does when stopped.
#ifndef YDBCLN_TOOL_PROGRESS_H_
#define YDBCLN_TOOL_PROGRESS_H_

#include <signal.h>

#include <chrono>
#include <string>

namespace tool {

class ProgressBar {
 public:
  explicit ProgressBar(std::string title);  // catches SIGINT from here
  ~ProgressBar();  // finishes the line; SIGINT kills the program again
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Shows `done` of `total` with a short note of what is being done.
  // Redraws at most a few times a second. Returns true to go on, false
  // once SIGINT has come.
  bool update(int done, int total, const std::string& what);
  // Whether SIGINT has come since the bar was made.
  bool interrupted() const;
  // Erases the bar, so that a line of output can take its place; the next
  // update draws it again below that line.
  void clear();

 private:
  std::string title_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_draw_{};
  struct sigaction previous_ {};  // the SIGINT action before the bar
};

}  // namespace tool

#endif  // YDBCLN_TOOL_PROGRESS_H_
