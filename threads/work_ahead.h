// WorkAhead: the program's only way to use a second thread. A producer fills
// buffers ahead of the consumer (the thread that owns the WorkAhead), which
// reads them in the order they were filled.
//
// Contract:
// - Order: next() returns the buffers in the order the producer filled them,
//   each once; the producer runs at most `ring` buffers ahead (AheadOptions).
// - Failure: an exception raised by the producer reaches the consumer from
//   next(), after the buffers filled before it, and again on every later call.
// - Stopping early: stop() (or the destructor), however the consumer ends,
//   releases the producer and joins its thread; the producer finishes the
//   buffer it is filling and starts no other.
// - Signals: the producer's thread takes none of those sent from outside
//   (threads/signals.h); they reach the process's other threads.
// - One thread: without a second thread (AheadOptions::second_thread, or no
//   thread to be had) the consumer's next() has the producer fill one buffer
//   in the consumer's thread. The sequence of buffers is the same, as far as
//   the producer's choices do not depend on what AheadState tells it.
//
// What each thread may touch while the work runs, until stop() returns:
// - The producer: its own members (working space, cursors), the buffer it is
//   filling, and, through const references, data that the consumer does not
//   change at all during the run; small values it holds by copy. It holds no
//   reference to anything the consumer changes, nor to a temporary.
// - The consumer: the buffer next() returned, until its next call to next();
//   the same const data; everything else it owns, the producer excepted.
// The producer is built inside the WorkAhead from the constructor's arguments
// and nothing outside can reach it. Those arguments may be const lvalues
// (views the producer may keep) or values it keeps by copy; a non-const
// lvalue or a pointer to a mutable object does not compile (ReadOnlyArgument).
// A producer must not keep a reference to an argument passed as a temporary.
//
// The program has two producers: the neighbour finder of the resource and D
// passes (mining/neighbour_finder.h), which reads the pass's index of the
// sets as the pass found them, and the report's strict container search
// (output/strict_containers.h), which reads the containment index and the
// store, and copies the thresholds.
//
// A producer is a class with a member type Buffer (default-constructible) and
//   bool fill(Buffer& buffer, AheadState& state);
// which makes `buffer` (as the consumer left it, or new) the next part of the
// work and returns true, or returns false when no work is left.
#pragma once

#include <concepts>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

#include "threads/ahead_options.h"
#include "threads/handoff.h"
#include "threads/signals.h"

namespace quadmine {

// What a producer knows of the run while it fills a buffer.
class AheadState {
 public:
  AheadState(const Handoff* handoff, std::size_t& work) : handoff_(handoff), work_(work) {}

  // Whether the producer runs in a second thread.
  bool in_thread() const { return handoff_ != nullptr; }
  // Whether the consumer has enough to read for a while, so that the
  // producer may take on work the consumer would otherwise do: a filled
  // buffer waits beyond the one it reads (with a ring of two, it has the one
  // it reads; with a ring of one, always). Never in one thread.
  bool consumer_supplied() const {
    if (handoff_ == nullptr) return false;
    const std::size_t ring = handoff_->ring();
    return handoff_->backlog() >= (ring < 3 ? ring - 1 : 2);
  }
  // Adds to the producer's count of its work (AheadCounts::producer_work).
  void count_work(std::size_t n) { work_ += n; }

 private:
  const Handoff* handoff_;
  std::size_t& work_;
};

// An argument from which a producer may be built: see the contract above.
template <typename Arg>
concept ReadOnlyArgument =
    !(std::is_lvalue_reference_v<Arg> && !std::is_const_v<std::remove_reference_t<Arg>>)&&!(
        std::is_pointer_v<std::remove_cvref_t<Arg>> &&
        !std::is_const_v<std::remove_pointer_t<std::remove_cvref_t<Arg>>>);

template <typename Producer>
class WorkAhead {
 public:
  using Buffer = typename Producer::Buffer;

  // Builds the producer from `args` and starts its thread (see the contract).
  template <typename... Args>
  requires(ReadOnlyArgument<Args>&&...) &&
      std::constructible_from<Producer, Args...> explicit WorkAhead(const AheadOptions& options,
                                                                    Args&&... args)
      : pause_(options.pause),
  counts_(options.counts), handoff_(options.ring), buffers_(handoff_.ring()),
  producer_(std::forward<Args>(args)...) {
    if (!options.second_thread) return;
    try {
      thread_ = std::thread([this] { produce_all(); });
    } catch (const std::system_error&) {  // no thread to be had: one does it all
    }
  }
  WorkAhead(const WorkAhead&) = delete;
  WorkAhead& operator=(const WorkAhead&) = delete;
  ~WorkAhead() { stop(); }

  // The next buffer, valid until the next call; nullptr when the work is done
  // or once stopped.
  const Buffer* next() {
    if (stopped_) return nullptr;
    if (!thread_.joinable()) return fill_here();
    pause(Side::kConsumer);
    const std::size_t slot = handoff_.next();
    pause(Side::kConsumer);
    return slot == Handoff::kNone ? nullptr : &buffers_[slot];
  }

  // Releases the producer and joins its thread; adds the run's counts to
  // AheadOptions::counts. After it, next() returns nullptr.
  void stop() {
    if (stopped_) return;
    stopped_ = true;
    const bool threaded = thread_.joinable();
    if (threaded) {
      handoff_.stop();
      thread_.join();
    }
    if (counts_ == nullptr) return;
    AheadCounts run;
    run.runs = 1;
    run.threaded_runs = threaded ? 1 : 0;
    run.handed = threaded ? handoff_.handed() : handed_here_;
    run.producer_waits = handoff_.producer_waits();
    run.consumer_waits = handoff_.consumer_waits();
    run.producer_work = work_;
    *counts_ += run;
  }

 private:
  void pause(Side side) const {
    if (pause_) pause_(side);
  }

  // The producer's thread: fills the ring until the work is done, the
  // consumer stops, or the producer fails. Signals from outside go to the
  // consumer's side of the process.
  void produce_all() {
    leave_signals_to_other_threads();
    try {
      for (;;) {
        pause(Side::kProducer);
        const std::size_t slot = handoff_.to_fill();
        if (slot == Handoff::kNone) return;
        AheadState state(&handoff_, work_);
        if (!producer_.fill(buffers_[slot], state)) break;
        pause(Side::kProducer);
        handoff_.filled();
      }
      handoff_.finish(nullptr);
    } catch (...) {
      handoff_.finish(std::current_exception());
    }
  }

  // One thread: the producer fills the next buffer now.
  const Buffer* fill_here() {
    if (failure_) std::rethrow_exception(failure_);
    if (done_) return nullptr;
    try {
      AheadState state(nullptr, work_);
      done_ = !producer_.fill(buffers_.front(), state);
    } catch (...) {
      failure_ = std::current_exception();
      throw;
    }
    if (done_) return nullptr;
    ++handed_here_;
    return &buffers_.front();
  }

  const std::function<void(Side)> pause_;
  AheadCounts* const counts_;
  Handoff handoff_;
  std::vector<Buffer> buffers_;
  Producer producer_;
  std::size_t work_ = 0;         // the producer's count, see AheadState
  std::size_t handed_here_ = 0;  // buffers filled in one thread
  bool done_ = false;            // one thread: the producer has no more work
  std::exception_ptr failure_;   // one thread: the producer failed
  bool stopped_ = false;
  std::thread thread_;  // last: started once every other member is ready
};

}  // namespace quadmine
