// The terminal progress bar.
#include "Progress.h"

#include <unistd.h>

#include <cstdio>

namespace tool {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::string title)
    : title_(std::move(title)), enabled_(::isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar() {
  if (drawn_) std::fputc('\n', stderr);
}

bool ProgressBar::update(int done, int total, const std::string& what) {
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
