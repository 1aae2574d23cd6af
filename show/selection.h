// The concepts that quadmine-show prints: those whose set sizes reach the
// minimums, ordered by the sort key (largest first, ties in file order) and
// cut to the limit (-1: none). File order keeps the concepts as read.
#pragma once

#include <vector>

#include "formats/concept_file.h"
#include "show/command_line.h"

namespace quadmine {

std::vector<const ReportedConcept*> select_concepts(const std::vector<ReportedConcept>& concepts,
                                                    const ShowOptions& options);

// The number of cells a concept covers: the product of its four set sizes.
double concept_size(const ReportedConcept& c);

}  // namespace quadmine
