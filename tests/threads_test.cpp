// WorkAhead on its own, with a producer of numbers: the order of delivery for
// rings and buffers of every small size, in two threads and in one, with
// random pauses at the handoff points; a failure of the producer; a consumer
// that stops early; which signals the producer's thread takes; what a
// producer may be built from. The differential check's racing runs hold the
// counts of waits and handoffs.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support.h"
#include "threads/work_ahead.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

using Buffers = std::vector<std::vector<int>>;

// The numbers 0, 1, ... (to total - 1, or without end when total < 0),
// `per_buffer` to a buffer; it raises a failure instead of buffer number
// `fail_at` (counting from 0), when that is not negative. Each number counts as
// one unit of work.
struct Numbers {
  using Buffer = std::vector<int>;

  Numbers(int total_, int per_buffer_, int fail_at_ = -1, bool bad_alloc_ = false)
      : total(total_), per_buffer(per_buffer_), fail_at(fail_at_), bad_alloc(bad_alloc_) {}

  bool fill(Buffer& buffer, AheadState& state) {
    if (filled == fail_at) {
      if (bad_alloc) throw std::bad_alloc();
      throw std::runtime_error("no buffer " + std::to_string(filled));
    }
    if (total >= 0 && next >= total) return false;
    buffer.clear();
    for (int k = 0; k < per_buffer && (total < 0 || next < total); ++k) buffer.push_back(next++);
    ++filled;
    state.count_work(buffer.size());
    return true;
  }

  const int total, per_buffer, fail_at;
  const bool bad_alloc;
  int next = 0, filled = 0;
};

AheadOptions options(std::size_t ring, bool second_thread, bool pauses, AheadCounts* counts) {
  AheadOptions o;
  o.ring = ring;
  o.second_thread = second_thread;
  if (pauses) o.pause = random_pause;
  o.counts = counts;
  return o;
}

// Every buffer of a run, in the order next() gave them.
Buffers read_all(WorkAhead<Numbers>& ahead) {
  Buffers read;
  while (const std::vector<int>* buffer = ahead.next()) read.push_back(*buffer);
  return read;
}

Buffers expected_buffers(int total, int per_buffer) {
  Buffers buffers;
  for (int n = 0; n < total; ++n) {
    if (n % per_buffer == 0) buffers.emplace_back();
    buffers.back().push_back(n);
  }
  return buffers;
}

TEST(WorkAhead, DeliversInOrderInTwoThreadsAndInOne) {
  struct Row {
    std::size_t ring;
    int per_buffer, total;
  };
  // clang-format off
  const std::vector<Row> rows = {
    {1, 1, 0}, {1, 1, 1}, {1, 1, 500}, {1, 3, 500}, {2, 1, 500}, {2, 7, 500},
    {3, 2, 500}, {16, 1, 2000}, {16, 64, 2000}, {0, 5, 100},  // a ring of 0 is one of 1
  };
  // clang-format on
  for (const Row& row : rows) {
    for (const bool second_thread : {true, false}) {
      for (const bool pauses : {false, true}) {
        SCOPED_TRACE(testing::Message()
                     << "ring " << row.ring << ", " << row.per_buffer << " a buffer, " << row.total
                     << ", two threads " << second_thread << ", pauses " << pauses);
        const Buffers expected = expected_buffers(row.total, row.per_buffer);
        AheadCounts counts;
        {
          WorkAhead<Numbers> ahead(options(row.ring, second_thread, pauses, &counts), row.total,
                                   row.per_buffer);
          EXPECT_EQ(read_all(ahead), expected);
          EXPECT_EQ(ahead.next(), nullptr) << "the end stays the end";
        }
        EXPECT_EQ(counts.runs, 1u);
        EXPECT_EQ(counts.threaded_runs, second_thread ? 1u : 0u);
        EXPECT_EQ(counts.handed, expected.size());
        EXPECT_EQ(counts.producer_work, static_cast<std::size_t>(row.total));
      }
    }
  }
}

TEST(WorkAhead, ProducerFailureComesAfterTheBuffersFilledBeforeIt) {
  for (const std::size_t ring : {1u, 2u, 4u}) {
    for (const bool second_thread : {true, false}) {
      for (const int fail_at : {0, 1, 3}) {
        SCOPED_TRACE(testing::Message() << "ring " << ring << ", fails at buffer " << fail_at
                                        << ", two threads " << second_thread);
        WorkAhead<Numbers> ahead(options(ring, second_thread, true, nullptr), 100, 2, fail_at);
        for (int b = 0; b < fail_at; ++b) {
          const std::vector<int>* buffer = ahead.next();
          ASSERT_NE(buffer, nullptr);
          EXPECT_EQ(*buffer, (std::vector<int>{2 * b, 2 * b + 1}));
        }
        for (int again = 0; again < 2; ++again) {
          try {
            ahead.next();
            ADD_FAILURE() << "no failure";
          } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(), "no buffer " + std::to_string(fail_at));
          }
        }
      }
    }
  }
  // The exception keeps its type: running out of memory stays std::bad_alloc.
  for (const bool second_thread : {true, false}) {
    WorkAhead<Numbers> ahead(options(2, second_thread, false, nullptr), 100, 2, 1, true);
    ASSERT_NE(ahead.next(), nullptr);
    EXPECT_THROW(ahead.next(), std::bad_alloc);
  }
}

TEST(WorkAhead, ConsumerThatStopsEarlyReleasesTheProducer) {
  // The producer never runs out of numbers: only the consumer's stop (or the
  // end of the WorkAhead) ends it, with the ring full or not.
  for (const std::size_t ring : {1u, 2u, 5u}) {
    for (const int read : {0, 1, 7}) {
      for (const bool explicit_stop : {true, false}) {
        AheadCounts counts;
        {
          WorkAhead<Numbers> ahead(options(ring, true, true, &counts), -1, 3);
          for (int b = 0; b < read; ++b) {
            const std::vector<int>* buffer = ahead.next();
            ASSERT_NE(buffer, nullptr);
            EXPECT_EQ(buffer->front(), 3 * b);
          }
          if (read > 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));  // ring fills
          if (explicit_stop) {
            ahead.stop();
            EXPECT_EQ(ahead.next(), nullptr);
          }
        }
        EXPECT_EQ(counts.threaded_runs, 1u);
        EXPECT_GE(counts.handed, static_cast<std::size_t>(read));
        EXPECT_LE(counts.handed, static_cast<std::size_t>(read) + ring);
      }
    }
  }
}

TEST(WorkAhead, WhatTheProducerSeesInEachThread) {
  // Each buffer: in_thread(), consumer_supplied(), and whether SIGINT and
  // SIGSEGV are blocked where it was filled. In one thread the consumer never
  // has anything ahead; with a ring of one, the producer may always take on
  // work; signals from outside avoid the producer's thread, faults do not.
  struct Probe {
    using Buffer = std::vector<int>;
    bool fill(Buffer& buffer, AheadState& state) {
      sigset_t mask;
      pthread_sigmask(SIG_BLOCK, nullptr, &mask);
      buffer = {state.in_thread(), state.consumer_supplied(), sigismember(&mask, SIGINT),
                sigismember(&mask, SIGSEGV)};
      return ++filled < 3;
    }
    int filled = 0;
  };
  WorkAhead<Probe> here(options(4, false, false, nullptr));
  EXPECT_EQ(*here.next(), (std::vector<int>{0, 0, 0, 0}));
  WorkAhead<Probe> ring_of_one(options(1, true, false, nullptr));
  EXPECT_EQ(*ring_of_one.next(), (std::vector<int>{1, 1, 1, 0}));
}

// A producer built from the consumer's data.
struct Viewer {
  using Buffer = int;
  explicit Viewer(const std::vector<int>& data) : size(data.size()) {}
  explicit Viewer(const int* data) : size(data == nullptr ? 0 : 1) {}
  bool fill(int&, AheadState&) { return false; }
  const std::size_t size;
};

// A producer is built from const views and values only.
static_assert(
    std::is_constructible_v<WorkAhead<Viewer>, const AheadOptions&, const std::vector<int>&>);
static_assert(std::is_constructible_v<WorkAhead<Viewer>, const AheadOptions&, std::vector<int>&&>);
static_assert(!std::is_constructible_v<WorkAhead<Viewer>, const AheadOptions&, std::vector<int>&>);
static_assert(std::is_constructible_v<WorkAhead<Viewer>, const AheadOptions&, const int*>);
static_assert(!std::is_constructible_v<WorkAhead<Viewer>, const AheadOptions&, int*>);

}  // namespace
