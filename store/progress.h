// Progress of the long phases on standard error, for people watching a run in
// a terminal. Off unless progress_enable(true) was called (the program enables
// it only when standard error is a terminal), so tests, pipes and log files
// see nothing. Standard output and the result files are never touched.
//
//   progress_begin("resource pass", total)   starts a phase of `total` steps
//   progress_step(done)                       cheap; redraws a few times a second
//   progress_end()                            erases the line
#pragma once

#include <cstddef>

void progress_enable(bool on);
void progress_begin(const char* phase, std::size_t total);
void progress_end();

namespace progress_detail {
extern bool enabled;
extern unsigned countdown;
void redraw(std::size_t done);
}  // namespace progress_detail

// Looks at the clock only once every few hundred calls.
inline void progress_step(std::size_t done) {
  if (!progress_detail::enabled || --progress_detail::countdown != 0) return;
  progress_detail::redraw(done);
}
