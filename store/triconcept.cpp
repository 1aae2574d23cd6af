#include "store/triconcept.h"

#include <type_traits>

namespace quadmine {

// The record must stay a plain value type: copyable, assignable, no virtuals.
static_assert(std::is_copy_constructible_v<TriConcept>);
static_assert(std::is_copy_assignable_v<TriConcept>);
static_assert(!std::is_polymorphic_v<TriConcept>);

}  // namespace quadmine
