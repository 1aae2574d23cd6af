#include "evaluation/resource_recommendation.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "evaluation/recommendation_lists.h"
#include "evaluation/timed_serving.h"
#include "store/globals.h"
#include "util/progress.h"

namespace quadmine {

namespace {

using Place = ReportedIndex::Place;
using Resource = ReportedIndex::Resource;

// A resource of the group first seen in a concept that holds the user, and
// its first place outside such concepts.
struct Moved {
  Place place;
  std::uint32_t slot;  // index in the group's resources
  bool operator<(const Moved& o) const { return place < o.place; }
};

// The resources first seen in one of the `skipped` concepts (marked in
// `skipped_marks`) that have a place outside them, with that place, sorted.
std::vector<Moved> moved_resources(const ReportedIndex& index, std::uint32_t g,
                                   std::span<const std::uint32_t> skipped,
                                   const EpochSet& skipped_marks) {
  const auto resources = index.resources_of(g);
  const auto places = index.places();
  std::vector<Moved> moved;
  for (const std::uint32_t c : skipped) {
    for (std::size_t k = 0; k < index.reported()[c].rs.size(); ++k) {
      const std::uint32_t slot = index.resource_at(c, k);
      const Resource& r = resources[slot];
      if (places[r.places_begin].holder != c || places[r.places_begin].position != k) continue;
      for (std::uint32_t p = r.places_begin + 1; p < r.places_end; ++p) {
        if (!skipped_marks.contains(places[p].holder)) {
          moved.push_back({places[p], slot});
          break;
        }
      }
    }
  }
  std::sort(moved.begin(), moved.end());
  return moved;
}

// Calls emit(slot) for each resource of group g's list for `user`, in order
// (slot: the resource's index in index.resources_of(g)).
template <typename Emit>
void walk_recommendation(int user, std::uint32_t g, const ReportedIndex& index, EpochSet& seen,
                         Emit&& emit) {
  const auto resources = index.resources_of(g);
  // The concepts holding the user are skipped, so a resource first seen in
  // one of them comes at its first place outside them, if it has one.
  const auto skipped = index.holding(g, user);
  seen.clear();
  for (const std::uint32_t c : skipped) seen.insert(c);
  const std::vector<Moved> moved = moved_resources(index, g, skipped, seen);
  auto next_moved = moved.begin();
  for (std::uint32_t slot = 0; slot < resources.size(); ++slot) {
    const Place first = index.places()[resources[slot].places_begin];
    if (seen.contains(first.holder)) continue;
    for (; next_moved != moved.end() && next_moved->place < first; ++next_moved) {
      emit(next_moved->slot);
    }
    emit(slot);
  }
  for (; next_moved != moved.end(); ++next_moved) emit(next_moved->slot);
}

}  // namespace

void recommend_resources(int user, int d, const ReportedIndex& index, EpochSet& seen,
                         std::vector<int>& recommendation) {
  recommendation.clear();
  const std::uint32_t g = index.group(d);
  if (g == ReportedIndex::kNoGroup) return;
  const auto resources = index.resources_of(g);
  walk_recommendation(user, g, index, seen,
                      [&](std::uint32_t slot) { recommendation.push_back(resources[slot].id); });
}

void recommend_resource_slots(int user, std::uint32_t g, const ReportedIndex& index, EpochSet& seen,
                              std::vector<std::uint32_t>& slots) {
  slots.clear();
  walk_recommendation(user, g, index, seen, [&](std::uint32_t slot) { slots.push_back(slot); });
}

std::vector<int> recommend_resources(int user, int d, const std::vector<TriConcept>& reported) {
  std::vector<int> recommendation;
  const ReportedIndex index(reported);
  EpochSet seen(index.numbered());
  recommend_resources(user, d, index, seen, recommendation);
  return recommendation;
}

void evaluate_resource_recommendation(const std::vector<TriConcept>& reported,
                                      std::FILE* users_only) {
  RecommendationLists lists(reported);
  progress_begin("resource recommendation (user lines read)", 0);
  const ServingTotals totals = time_each_user(
      users_only, [&](int user, int d, std::vector<int>& list) { lists.resources(user, d, list); });
  progress_end();
  const float average = average_seconds(totals);
  std::printf("\n Number of Unique Users : %d", totals.served);
  std::printf("\n Resource Recommendations: Average Time = %f", static_cast<double>(average));
}

}  // namespace quadmine

void recomm_generale(std::FILE* users_only) {
  quadmine::evaluate_resource_recommendation(ens_tc2, users_only);
}
