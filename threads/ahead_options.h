// What a run of work ahead (work_ahead.h) may be given: whether it gets a
// second thread, the size of its ring, a pause at every handoff point for the
// tests that race the two threads, and where to add up what happened.
#pragma once

#include <cstddef>
#include <functional>

namespace quadmine {

// The two sides of a run of work ahead.
enum class Side { kProducer, kConsumer };

// What happened during runs of work ahead, added up run after run.
struct AheadCounts {
  std::size_t runs = 0;            // runs started
  std::size_t threaded_runs = 0;   // of which the producer had a second thread
  std::size_t handed = 0;          // buffers the producer filled for the consumer
  std::size_t producer_waits = 0;  // times the producer found the ring full and waited
  std::size_t consumer_waits = 0;  // times the consumer found no buffer ready and waited
  std::size_t producer_work = 0;   // what the producer counted as its work (see AheadState)

  AheadCounts& operator+=(const AheadCounts& more);
};

struct AheadOptions {
  // Without it, or where no thread can be started, the producer fills each
  // buffer in the consumer's thread when the consumer asks for it.
  bool second_thread = true;
  // Buffers between the two threads: the producer runs at most this many
  // ahead (0 counts as 1).
  std::size_t ring = 16;
  // For the tests: called by each side at each of its handoff points, from
  // that side's thread (so both sides may call it at once).
  std::function<void(Side)> pause;
  // When set, the counts of every run are added to it once the run has
  // stopped, in the consumer's thread.
  AheadCounts* counts = nullptr;
};

}  // namespace quadmine
