#include "show/selection.h"

#include <algorithm>
#include <cstddef>

namespace quadmine {

double concept_size(const ReportedConcept& c) {
  double size = 1;
  for (const auto& set : c.sets) size *= static_cast<double>(set.size());
  return size;
}

std::vector<const ReportedConcept*> select_concepts(const std::vector<ReportedConcept>& concepts,
                                                    const ShowOptions& options) {
  std::vector<const ReportedConcept*> chosen;
  for (const ReportedConcept& c : concepts) {
    bool large_enough = true;
    for (std::size_t d = 0; d < c.sets.size(); ++d) {
      large_enough = large_enough && static_cast<long>(c.sets[d].size()) >= options.min_size[d];
    }
    if (large_enough) chosen.push_back(&c);
  }
  if (options.sort != SortKey::File) {
    const auto key = [&options](const ReportedConcept* c) {
      switch (options.sort) {
        case SortKey::Users:
          return static_cast<double>(c->sets[kUsers].size());
        case SortKey::Tags:
          return static_cast<double>(c->sets[kTags].size());
        case SortKey::Resources:
          return static_cast<double>(c->sets[kResources].size());
        case SortKey::DValues:
          return static_cast<double>(c->sets[kDValues].size());
        default:
          return concept_size(*c);
      }
    };
    std::stable_sort(
        chosen.begin(), chosen.end(),
        [&key](const ReportedConcept* a, const ReportedConcept* b) { return key(a) > key(b); });
  }
  if (options.limit >= 0 && chosen.size() > static_cast<std::size_t>(options.limit)) {
    chosen.resize(static_cast<std::size_t>(options.limit));
  }
  return chosen;
}

}  // namespace quadmine
