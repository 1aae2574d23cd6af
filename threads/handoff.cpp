#include "threads/handoff.h"

#include <utility>

namespace quadmine {

std::size_t Handoff::to_fill() {
  std::unique_lock lock(mutex_);
  const auto free_slot = [&] { return stopped_ || produced_ - consumed_ < ring_; };
  if (!free_slot()) {
    ++producer_waits_;
    changed_.wait(lock, free_slot);
  }
  return stopped_ ? kNone : produced_ % ring_;
}

void Handoff::filled() {
  {
    const std::lock_guard lock(mutex_);
    ++produced_;
  }
  changed_.notify_all();
}

void Handoff::finish(std::exception_ptr failure) {
  {
    const std::lock_guard lock(mutex_);
    finished_ = true;
    failure_ = std::move(failure);
  }
  changed_.notify_all();
}

std::size_t Handoff::next() {
  std::unique_lock lock(mutex_);
  if (reading_) {
    reading_ = false;
    ++consumed_;
    changed_.notify_all();
  }
  const auto ready = [&] { return stopped_ || consumed_ < produced_ || finished_; };
  if (!ready()) {
    ++consumer_waits_;
    changed_.wait(lock, ready);
  }
  if (stopped_) return kNone;
  if (consumed_ < produced_) {
    reading_ = true;
    return consumed_ % ring_;
  }
  if (failure_) std::rethrow_exception(failure_);
  return kNone;
}

void Handoff::stop() {
  {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

}  // namespace quadmine
