// Handoff: the order and the waiting between the producer and the consumer of
// a run of work ahead, over a ring of slots (the buffers, which its owner
// keeps). The producer fills the slots in turn and runs at most the ring's
// size ahead; the consumer reads them in the same order. The producer's
// failure reaches the consumer once the slots filled before it are read; a
// consumer that stops releases a producer that waits for a slot.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>

namespace quadmine {

class Handoff {
 public:
  static constexpr std::size_t kNone = SIZE_MAX;

  explicit Handoff(std::size_t ring) : ring_(ring == 0 ? 1 : ring) {}
  Handoff(const Handoff&) = delete;
  Handoff& operator=(const Handoff&) = delete;

  std::size_t ring() const { return ring_; }

  // Producer: the slot to fill next, once the consumer has left it; kNone
  // once the consumer has stopped.
  std::size_t to_fill();
  // Producer: the slot from to_fill() is filled.
  void filled();
  // Producer: there are no more slots, because of `failure` if it is set.
  void finish(std::exception_ptr failure);
  // Filled slots that the consumer has not left yet, the one it reads
  // included. Read without waiting, by either side.
  std::size_t backlog() const {
    return produced_.load(std::memory_order_relaxed) - consumed_.load(std::memory_order_relaxed);
  }

  // Consumer: leaves the slot it was reading, if any, and returns the next
  // filled one, waiting for it; kNone when there are no more, or once
  // stopped. Raises the producer's failure once the slots filled before it
  // have been returned.
  std::size_t next();
  // Consumer: no more slots are wanted.
  void stop();

  // What happened so far; exact once both sides have stopped.
  std::size_t handed() const { return produced_.load(std::memory_order_relaxed); }
  std::size_t producer_waits() const { return producer_waits_; }
  std::size_t consumer_waits() const { return consumer_waits_; }

 private:
  const std::size_t ring_;
  std::mutex mutex_;
  std::condition_variable changed_;
  // Changed under the mutex, read anywhere.
  std::atomic<std::size_t> produced_ = 0;
  std::atomic<std::size_t> consumed_ = 0;
  // Under the mutex.
  bool reading_ = false;  // the consumer holds slot consumed_ % ring_
  bool finished_ = false;
  bool stopped_ = false;
  std::exception_ptr failure_;
  std::size_t producer_waits_ = 0;
  std::size_t consumer_waits_ = 0;
};

}  // namespace quadmine
