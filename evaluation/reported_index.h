// ReportedIndex: the reported concepts prepared for the evaluations.
//
// Both evaluations serve a user with the concepts whose D set begins with the
// user's D value (a group), and build lists of distinct elements in first-seen
// order: store order, then set order. The index computes, once per group, what
// a user who belongs to none of the group's concepts would get, so that serving
// a user costs the length of its list plus the size of the concepts that hold
// the user, not a scan of the whole group. Per group it keeps:
//
//   resources_of(g)  the group's distinct resources in first-seen order, each
//                    with every place where the group holds it (concept and
//                    first position in that concept's R set), ascending, and
//                    its support: the sum of the U-set sizes of the group's
//                    concepts that hold it;
//   users_of(g)      the group's distinct users in first-seen order, each
//                    with its support: the number of the group's concepts
//                    whose U set holds it;
//   holding(g, u)    the concepts of the group whose U set holds u.
//
// Concepts are named by their position in the store. The index is not changed
// by queries: a query marks concepts in an EpochSet of numbered() members (the
// caller's scratch). It refers to the store it was built from, which must
// outlive it and stay unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "store/triconcept.h"

namespace quadmine {

class ReportedIndex {
 public:
  static constexpr std::uint32_t kNoGroup = static_cast<std::uint32_t>(-1);

  // Where a resource stands: a concept, and a position in its R set.
  struct Place {
    std::uint32_t holder;
    std::uint32_t position;
    bool operator<(const Place& o) const {
      return holder != o.holder ? holder < o.holder : position < o.position;
    }
  };
  // A distinct resource of a group and its places, the first one first (a
  // range of places()).
  struct Resource {
    int id;
    std::uint32_t places_begin;
    std::uint32_t places_end;
  };

  // What an index holds: everything above, or only the groups and their
  // users (then resources_of(), places() and holding() are empty and
  // resource_at() is not to be called).
  enum class Parts { All, UsersOnly };

  explicit ReportedIndex(const std::vector<TriConcept>& reported, Parts parts = Parts::All);

  const std::vector<TriConcept>& reported() const { return reported_; }

  // The group of the concepts whose first D value is d, or kNoGroup.
  std::uint32_t group(int d) const;

  // The number of groups (distinct first D values); groups are numbered from 0.
  std::uint32_t groups() const { return static_cast<std::uint32_t>(first_ds_.size()); }

  std::span<const Resource> resources_of(std::uint32_t g) const {
    return {resources_.data() + resource_starts_[g], resource_starts_[g + 1] - resource_starts_[g]};
  }
  // The support of each resource of group g, as resources_of(g) (empty in a
  // UsersOnly index).
  std::span<const std::uint64_t> resource_supports_of(std::uint32_t g) const {
    return {resource_supports_.data() + resource_starts_[g],
            resource_starts_[g + 1] - resource_starts_[g]};
  }
  std::span<const Place> places() const { return places_; }
  // Index in resources_of(g) of the k-th element of the R set of concept c,
  // a concept of group g.
  std::uint32_t resource_at(std::uint32_t c, std::size_t k) const {
    return resource_of_[rs_starts_[c] + k];
  }

  std::span<const int> users_of(std::uint32_t g) const {
    return {users_.data() + user_starts_[g], user_starts_[g + 1] - user_starts_[g]};
  }
  // The support of each user of group g, as users_of(g).
  std::span<const std::uint32_t> user_supports_of(std::uint32_t g) const {
    return {user_supports_.data() + user_starts_[g], user_starts_[g + 1] - user_starts_[g]};
  }
  // The concepts of group g whose U set holds `user`, ascending.
  std::span<const std::uint32_t> holding(std::uint32_t g, int user) const;

  // How many concepts a query may mark.
  std::size_t numbered() const { return reported_.size(); }

 private:
  void index_group(std::span<const std::uint32_t> members, Parts parts);
  void index_resources(std::span<const std::uint32_t> members);
  void place_resources(std::span<const std::uint32_t> members, std::size_t first);
  void index_users(std::span<const std::uint32_t> members, Parts parts);

  const std::vector<TriConcept>& reported_;
  std::vector<int> first_ds_;  // distinct first D values, sorted: group g begins with first_ds_[g]
  std::vector<Resource> resources_;
  std::vector<std::uint64_t> resource_supports_;  // as resources_
  std::vector<std::uint32_t> resource_starts_;    // per group, into resources_
  std::vector<Place> places_;
  std::vector<std::uint32_t>
      resource_of_;  // per element of every R set (dense numbers while building)
  std::vector<std::uint32_t> rs_starts_;  // per concept, into resource_of_
  std::vector<int> users_;
  std::vector<std::uint32_t> user_supports_;  // as users_
  std::vector<std::uint32_t> user_starts_;    // per group, into users_
  // Every (user, concept) pair of each group, sorted, as two parallel arrays.
  std::vector<int> holder_users_;
  std::vector<std::uint32_t> holder_concepts_;
  std::vector<std::uint32_t> holder_starts_;  // per group, into both
  // Working space of the build, per dense resource number.
  std::vector<std::uint32_t> build_mark_, build_slot_;
  std::uint32_t build_epoch_ = 0;
};

}  // namespace quadmine
