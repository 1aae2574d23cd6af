// StrictContainers: the first strict container of each concept of a
// ContainmentIndex (see first_strict_container), worked out in a second
// thread that runs ahead of the report loop through a Handoff.
//
// Only the concepts that may reach the final filter are looked at: those
// without a repeated element, with at least one element, whose sets reach the
// thresholds. The thread reads the index's containment data, never liveness,
// and reads the store only at the concept it is working on, which the loop
// cannot have reported yet: the loop asks for a concept's answer before it
// moves the concept out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

#include "index/handoff.h"
#include "output/containment_index.h"
#include "store/thresholds.h"
#include "store/triconcept.h"

namespace quadmine {

class StrictContainers {
 public:
  // The answer for a concept that was not looked at.
  static constexpr std::uint32_t kUnknown = ContainmentIndex::kNoContainer - 1;

  // Starts the thread when `in_thread` is set and a thread can be had;
  // otherwise every answer is kUnknown.
  StrictContainers(const ContainmentIndex& index, const std::vector<TriConcept>& store,
                   const Thresholds& thresholds, bool in_thread);
  StrictContainers(const StrictContainers&) = delete;
  StrictContainers& operator=(const StrictContainers&) = delete;
  // Releases the thread and joins it, however the loop ended.
  ~StrictContainers() { stop(); }
  // Releases the thread and joins it now, so that the store may change.
  void stop();

  // The first strict container of concept `id`, ContainmentIndex::kNoContainer
  // or kUnknown. Ids must be asked in ascending order. Raises the thread's
  // failure, if any.
  std::uint32_t of(std::size_t id);

  // Answers for the concepts from `first` on, one per id.
  struct Block {
    std::size_t first = 0;
    std::vector<std::uint32_t> answers;
  };

 private:
  Handoff<Block> handoff_;
  std::optional<std::thread> thread_;
  const Block* block_ = nullptr;
};

}  // namespace quadmine
