// Handoff: buffers that a producer thread fills and the consumer reads, in
// the same order, through a fixed ring (so the producer runs at most the
// ring's size ahead). The producer's failure reaches the consumer as the
// exception it raised; a consumer that stops early releases the producer.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <vector>

namespace quadmine {

template <typename Buffer>
class Handoff {
 public:
  explicit Handoff(std::size_t ring) : buffers_(ring) {}

  // Producer: the next buffer to fill (as the consumer left it), or nullptr
  // once the consumer has stopped.
  Buffer* to_fill() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || produced_ - consumed_ < buffers_.size(); });
    return stopped_ ? nullptr : &buffers_[produced_ % buffers_.size()];
  }
  // The number of filled buffers the consumer has not finished with yet.
  std::size_t backlog() const { return produced_ - consumed_; }
  // Producer: the buffer from to_fill() is ready.
  void filled() {
    update([&] { ++produced_; });
  }
  // Producer: there are no more buffers, because of `failure` if it is set.
  void finish(std::exception_ptr failure = nullptr) {
    update([&] {
      finished_ = true;
      failure_ = failure;
    });
  }

  // Consumer: the next filled buffer, or nullptr when there are no more.
  // Raises the producer's failure once the buffers filled before it are read.
  const Buffer* next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return consumed_ < produced_ || finished_; });
    if (consumed_ < produced_) return &buffers_[consumed_ % buffers_.size()];
    if (failure_) std::rethrow_exception(failure_);
    return nullptr;
  }
  // Consumer: done with the buffer from next().
  void release() {
    update([&] { ++consumed_; });
  }
  // Consumer: no more buffers are wanted.
  void stop() {
    update([&] { stopped_ = true; });
  }

 private:
  template <typename Change>
  void update(Change change) {
    {
      const std::lock_guard lock(mutex_);
      change();
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Buffer> buffers_;
  // Changed under the mutex, read anywhere.
  std::atomic<std::size_t> produced_ = 0;
  std::atomic<std::size_t> consumed_ = 0;
  bool finished_ = false;
  bool stopped_ = false;
  std::exception_ptr failure_;
};

}  // namespace quadmine
