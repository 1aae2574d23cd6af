// RecommendationLists: the two lists a user receives from the reported
// concepts, built by the code that the run's timed evaluations use.
//
// A user u served with a D value d (the first D value of its first line in
// users_only.txt) receives:
//   resources  the resources of the concepts whose D set begins with d and
//              whose U set does not hold u, each once, in first-seen order
//              (concept order, then R-set order);
//   users      the users of the concepts whose D set begins with d, each once,
//              in first-seen order, u left out.
// Only the first D value of a concept is compared. ListOptions may then rank
// a list by support, drop the resources u already has, and cut it:
//   support of a resource r: the sum, over the concepts that give u its
//     resources (D set begins with d, U set without u) and hold r, of the
//     number of elements of their U sets (repeats counted);
//   support of a user v: the number of concepts whose D set begins with d and
//     whose U set holds v;
//   ranked by decreasing support, ties in first-seen order.
//
// The concepts are indexed once, one group per D value (ReportedIndex), when
// the object is built; serving a user then costs the length of its lists and
// the size of the concepts that hold it (plus a sort when ranked), never a
// scan of all concepts. The object refers to the concepts it was built over,
// which must outlive it unchanged. Queries use the object's scratch space, so
// an object serves one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "evaluation/known_resources.h"
#include "evaluation/reported_index.h"
#include "index/epoch_set.h"
#include "store/triconcept.h"

namespace quadmine {

enum class Rank { FirstSeen, Support };

inline constexpr std::size_t kNoLimit = SIZE_MAX;

struct ListOptions {
  Rank rank = Rank::FirstSeen;
  // For the resources lists: the resources the user has there are dropped
  // (after ranking, before the limit). Not owned; nullptr drops none.
  const KnownResources* known = nullptr;
  std::size_t limit = kNoLimit;  // the most elements a list keeps
};

class RecommendationLists {
 public:
  // What the object serves: both lists, or only the users lists (a smaller
  // index; every resources list is then empty).
  enum class Lists { Both, UsersOnly };

  explicit RecommendationLists(const std::vector<TriConcept>& reported, Lists lists = Lists::Both);

  // Clear `out` and fill it with the user's list, first-seen and whole.
  void resources(int user, int d, std::vector<int>& out);
  void users(int user, int d, std::vector<int>& out);

  // The same, ranked, filtered and cut as `options` say.
  void resources(int user, int d, const ListOptions& options, std::vector<int>& out);
  void users(int user, int d, const ListOptions& options, std::vector<int>& out);

  const ReportedIndex& index() const { return index_; }

 private:
  // A list element with what ranks it.
  struct Ranked {
    std::uint64_t support;
    std::uint32_t position;  // in the first-seen list
    int id;
  };

  void count_held_supports(int user, std::uint32_t g);
  std::uint64_t support_of(std::uint32_t g, std::uint32_t slot) const;
  void rank_into(Rank rank, std::size_t limit, std::vector<int>& out);

  ReportedIndex index_;
  EpochSet seen_;  // concepts, for the index's queries
  std::vector<std::uint32_t> slots_;
  std::vector<Ranked> ranked_;
  // Per resource of a group: what the concepts holding the served user add
  // to its support, valid for the members of held_.
  EpochSet held_;
  std::vector<std::uint64_t> held_support_;
  std::vector<std::uint32_t> last_holder_;
};

}  // namespace quadmine
