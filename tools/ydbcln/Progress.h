// A progress bar on the terminal for long work (generating seasons,
// importing and exporting, running a theory over many races). Drawn on standard error, and only when that is a
// terminal, so scripts and --json output stay clean.
#ifndef YDBCLN_TOOL_PROGRESS_H_
#define YDBCLN_TOOL_PROGRESS_H_

#include <chrono>
#include <string>

namespace tool {

class ProgressBar {
 public:
  explicit ProgressBar(std::string title);
  ~ProgressBar();  // finishes the line
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Shows `done` of `total` with a short note of what is being done.
  // Redraws at most a few times a second. Always returns true (go on).
  bool update(int done, int total, const std::string& what);
  // Erases the bar, so that a line of output can take its place; the next
  // update draws it again below that line.
  void clear();

 private:
  std::string title_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point last_draw_{};
};

}  // namespace tool

#endif  // YDBCLN_TOOL_PROGRESS_H_
