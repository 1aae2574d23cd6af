#include "util/progress.h"

#include <chrono>
#include <cstdio>

namespace quadmine {

namespace progress_detail {
bool enabled = false;
unsigned countdown = 1;
}  // namespace progress_detail

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kRedrawEvery = std::chrono::milliseconds(250);

bool wanted = false;
const char* current_phase = "";
std::size_t phase_total = 0;
Clock::time_point last_draw;

}  // namespace

void progress_enable(bool on) { wanted = on; }

void progress_begin(const char* phase, std::size_t total) {
  if (!wanted) return;
  current_phase = phase;
  phase_total = total;
  last_draw = Clock::now();
  progress_detail::enabled = true;
  progress_detail::countdown = progress_detail::kCallsBetweenClockReads;
  std::fprintf(stderr, "\r\033[K%s...", phase);
  std::fflush(stderr);
}

void progress_detail::redraw(std::size_t done) {
  countdown = kCallsBetweenClockReads;
  const Clock::time_point now = Clock::now();
  if (now - last_draw < kRedrawEvery) return;
  last_draw = now;
  if (phase_total > 0) {
    const double percent = 100.0 * static_cast<double>(done) / static_cast<double>(phase_total);
    std::fprintf(stderr, "\r\033[K%s: %.0f%% (%zu of %zu)", current_phase, percent, done,
                 phase_total);
  } else {
    std::fprintf(stderr, "\r\033[K%s: %zu", current_phase, done);
  }
  std::fflush(stderr);
}

void progress_end() {
  if (!progress_detail::enabled) return;
  progress_detail::enabled = false;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
}

}  // namespace quadmine
