// Progress of the long phases on standard error, for people watching a run in
// a terminal. Off unless progress_enable(true) was called (the program enables
// it only when standard error is a terminal), so tests, pipes and log files
// see nothing. Standard output and the result files are never touched.
#pragma once

#include <cstddef>

namespace quadmine {

// Shows progress from now on when `on` (the driver passes whether standard
// error is a terminal).
void progress_enable(bool on);

// Starts a phase of `total` steps (0: unknown, only the count is shown).
void progress_begin(const char* phase, std::size_t total);

// Erases the progress line.
void progress_end();

namespace progress_detail {
constexpr unsigned kCallsBetweenClockReads = 64;
extern bool enabled;
extern unsigned countdown;
void redraw(std::size_t done);
}  // namespace progress_detail

// Records that `done` steps of the phase are done. Cheap: looks at the clock
// only once every kCallsBetweenClockReads calls
// and redraws at most four times a second.
inline void progress_step(std::size_t done) {
  if (!progress_detail::enabled || --progress_detail::countdown != 0) return;
  progress_detail::redraw(done);
}

}  // namespace quadmine
