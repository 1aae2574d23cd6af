// The concepts that quadmine-show prints: those that pass the filter, read in
// file order, and for the other orders sorted by the key (largest first, ties
// in file order).
#pragma once

#include <array>
#include <functional>
#include <vector>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "show/command_line.h"
#include "util/status.h"

namespace quadmine {

// What a concept must satisfy to be shown: in every dimension at least the
// minimum number of elements, and -- in every dimension with values asked
// for -- at least one of them.
struct ConceptFilter {
  std::array<long, kDimensions> min_size = {0, 0, 0, 0};
  std::array<std::vector<int>, kDimensions> wanted;  // ascending codes; empty: any

  bool keeps(const ReportedConcept& c) const;
};

// The filter of the options, the values of --user, --tag, --resource and --d
// resolved to codes (resolve_element).
Result<ConceptFilter> make_filter(const ShowOptions& options, const Dictionaries& names);

// Reads the concepts of `reader` in file order and hands each one the filter
// keeps to `each`, stopping after `stop_after` of them (-1: at the end of the
// file; 0: before reading anything). Fails with the first failure of the
// reader or of `each`.
Status scan_concepts(ConceptFileReader& reader, const ConceptFilter& filter, long stop_after,
                     const std::function<Status(const ReportedConcept&)>& each);

// Orders `concepts` by `key`, largest first, ties in their order (File: kept
// as they are).
void sort_concepts(std::vector<ReportedConcept>& concepts, SortKey key);

// The number of cells a concept covers: the product of its four set sizes.
double concept_size(const ReportedConcept& c);

}  // namespace quadmine
