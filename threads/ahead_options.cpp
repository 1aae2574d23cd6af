#include "threads/ahead_options.h"

namespace quadmine {

AheadCounts& AheadCounts::operator+=(const AheadCounts& more) {
  runs += more.runs;
  threaded_runs += more.threaded_runs;
  handed += more.handed;
  producer_waits += more.producer_waits;
  consumer_waits += more.consumer_waits;
  producer_work += more.producer_work;
  return *this;
}

}  // namespace quadmine
