#include "evaluate/metrics.h"

#include <algorithm>
#include <unordered_map>

#include "evaluation/popular_resources.h"
#include "evaluation/recommendation_lists.h"

namespace quadmine {

namespace {

// The sums of one method over the users, per k.
struct Sums {
  std::vector<double> precision, recall;
  std::vector<std::size_t> hit_users;
  // Each resource listed, with the first position it reached in any list.
  std::unordered_map<int, std::size_t> best_position;
};

// The lists of every method for one user, each cut to `longest`.
class MethodLists {
 public:
  MethodLists(const EvaluationData& data, std::size_t longest)
      : lists_(data.reported),
        popular_(data.training),
        training_(data.training),
        longest_(longest) {}

  void serve(Method method, const ServedUser& user, std::vector<int>& list) {
    if (method == Method::PopularNew) {
      popular_.serve(user.user, training_, longest_, list);
      return;
    }
    ListOptions options;
    options.rank =
        method == Method::Support || method == Method::SupportNew ? Rank::Support : Rank::FirstSeen;
    if (method == Method::FirstSeenNew || method == Method::SupportNew) options.known = &training_;
    options.limit = longest_;
    lists_.resources(user.user, user.d, options, list);
  }

  std::size_t training_resources() const { return popular_.ranking().size(); }

 private:
  RecommendationLists lists_;
  PopularResources popular_;
  const KnownResources& training_;
  std::size_t longest_;
};

void add_user(std::span<const int> list, std::span<const int> relevant,
              std::span<const std::size_t> ks, Sums& sums) {
  for (std::size_t p = 0; p < list.size(); ++p) {
    const auto [it, fresh] = sums.best_position.emplace(list[p], p);
    if (!fresh) it->second = std::min(it->second, p);
  }
  for (std::size_t j = 0; j < ks.size(); ++j) {
    const std::size_t shown = std::min(ks[j], list.size());
    std::size_t hits = 0;
    for (std::size_t p = 0; p < shown; ++p) {
      hits += std::binary_search(relevant.begin(), relevant.end(), list[p]) ? 1 : 0;
    }
    sums.precision[j] += static_cast<double>(hits) / static_cast<double>(ks[j]);
    sums.recall[j] += static_cast<double>(hits) / static_cast<double>(relevant.size());
    sums.hit_users[j] += hits > 0 ? 1 : 0;
  }
}

Score score_of(Method method, std::size_t j, std::size_t k, const Sums& sums, std::size_t users,
               std::size_t training_resources) {
  const double n = users == 0 ? 1.0 : static_cast<double>(users);
  std::size_t covered = 0;
  for (const auto& [resource, position] : sums.best_position) covered += position < k ? 1 : 0;
  return {method,
          k,
          users,
          sums.precision[j] / n,
          sums.recall[j] / n,
          static_cast<double>(sums.hit_users[j]) / n,
          training_resources == 0
              ? 0.0
              : static_cast<double>(covered) / static_cast<double>(training_resources)};
}

}  // namespace

const char* method_name(Method method) {
  switch (method) {
    case Method::FirstSeen:
      return "first-seen";
    case Method::Support:
      return "support";
    case Method::FirstSeenNew:
      return "first-seen-new";
    case Method::SupportNew:
      return "support-new";
    case Method::PopularNew:
      return "popular-new";
  }
  return "";
}

std::vector<ServedUser> evaluated_users(const EvaluationData& data) {
  std::vector<ServedUser> evaluated;
  for (const ServedUser& user : data.served) {
    if (!data.test.of(user.user).empty()) evaluated.push_back(user);
  }
  return evaluated;
}

std::vector<Score> score_methods(const EvaluationData& data, std::span<const std::size_t> ks) {
  const std::size_t longest = ks.empty() ? 0 : *std::max_element(ks.begin(), ks.end());
  const std::vector<ServedUser> users = evaluated_users(data);
  MethodLists lists(data, longest);
  std::vector<Score> scores;
  std::vector<int> list;
  for (const Method method : kMethods) {
    Sums sums{std::vector<double>(ks.size()),
              std::vector<double>(ks.size()),
              std::vector<std::size_t>(ks.size()),
              {}};
    for (const ServedUser& user : users) {
      lists.serve(method, user, list);
      add_user(list, data.test.of(user.user), ks, sums);
    }
    for (std::size_t j = 0; j < ks.size(); ++j) {
      scores.push_back(score_of(method, j, ks[j], sums, users.size(), lists.training_resources()));
    }
  }
  return scores;
}

}  // namespace quadmine
