#include "show/selection.h"

#include <algorithm>
#include <cstddef>

namespace quadmine {

namespace {

double sort_value(const ReportedConcept& c, SortKey key) {
  switch (key) {
    case SortKey::Users:
      return static_cast<double>(c.sets[kUsers].size());
    case SortKey::Tags:
      return static_cast<double>(c.sets[kTags].size());
    case SortKey::Resources:
      return static_cast<double>(c.sets[kResources].size());
    case SortKey::DValues:
      return static_cast<double>(c.sets[kDValues].size());
    default:
      return concept_size(c);
  }
}

bool holds_any(const std::vector<int>& set, const std::vector<int>& wanted) {
  return std::any_of(set.begin(), set.end(), [&wanted](int element) {
    return std::binary_search(wanted.begin(), wanted.end(), element);
  });
}

}  // namespace

bool ConceptFilter::keeps(const ReportedConcept& c) const {
  for (std::size_t d = 0; d < c.sets.size(); ++d) {
    if (static_cast<long>(c.sets[d].size()) < min_size[d]) return false;
    if (!wanted[d].empty() && !holds_any(c.sets[d], wanted[d])) return false;
  }
  return true;
}

Result<ConceptFilter> make_filter(const ShowOptions& options, const Dictionaries& names) {
  ConceptFilter filter;
  filter.min_size = options.min_size;
  for (int d = 0; d < kDimensions; ++d) {
    std::vector<int>& codes = filter.wanted[static_cast<std::size_t>(d)];
    for (const std::string& value : options.wanted[static_cast<std::size_t>(d)]) {
      const Result<std::vector<int>> resolved = resolve_element(names, d, value);
      if (!resolved.ok()) return resolved.status();
      codes.insert(codes.end(), resolved->begin(), resolved->end());
    }
    std::sort(codes.begin(), codes.end());
  }
  return filter;
}

Status scan_concepts(ConceptFileReader& reader, const ConceptFilter& filter, long stop_after,
                     const std::function<Status(const ReportedConcept&)>& each) {
  ReportedConcept c;
  for (long kept = 0; stop_after < 0 || kept < stop_after;) {
    const Result<bool> read = reader.next(c);
    if (!read.ok()) return read.status();
    if (!read.value()) break;
    if (!filter.keeps(c)) continue;
    if (Status status = each(c); !status.ok()) return status;
    ++kept;
  }
  return {};
}

void sort_concepts(std::vector<ReportedConcept>& concepts, SortKey key) {
  if (key == SortKey::File) return;
  std::stable_sort(concepts.begin(), concepts.end(),
                   [key](const ReportedConcept& a, const ReportedConcept& b) {
                     return sort_value(a, key) > sort_value(b, key);
                   });
}

double concept_size(const ReportedConcept& c) {
  double size = 1;
  for (const auto& set : c.sets) size *= static_cast<double>(set.size());
  return size;
}

}  // namespace quadmine
