// The terminal progress bar.
#include "Progress.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace tool {
namespace {

constexpr int kBarWidth = 30;

volatile std::sig_atomic_t interrupted_flag = 0;

extern "C" void OnInterrupt(int) { interrupted_flag = 1; }

}  // namespace

ProgressBar::ProgressBar(std::string title)
    : title_(std::move(title)), enabled_(::isatty(STDERR_FILENO) != 0) {
  interrupted_flag = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous_);
}

ProgressBar::~ProgressBar() {
  sigaction(SIGINT, &previous_, nullptr);
  if (drawn_) std::fputc('\n', stderr);
}

bool ProgressBar::interrupted() const { return interrupted_flag != 0; }

bool ProgressBar::update(int done, int total, const std::string& what) {
  if (interrupted()) return false;
  if (!enabled_) return true;
  const auto now = std::chrono::steady_clock::now();
  const bool finished = total > 0 && done >= total;
  if (drawn_ && !finished && now - last_draw_ < std::chrono::milliseconds(100)) return true;
  last_draw_ = now;
  drawn_ = true;
  const double share = total > 0 ? static_cast<double>(done) / total : 0.0;
  const int filled = static_cast<int>(share * kBarWidth + 0.5);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(stderr, "\r\033[K%s [%s] %3d%% %s", title_.c_str(), bar.c_str(),
               static_cast<int>(share * 100 + 0.5), what.c_str());
  std::fflush(stderr);
  return true;
}

void ProgressBar::clear() {
  if (!drawn_) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace tool
