#include "store/perssoc.h"

// PersSoc is an aggregate with default member initialisers; this file keeps
// the record in a source file of its own, beside its header.
static_assert(sizeof(PersSoc) == 3 * 4, "PersSoc holds three 32-bit fields");
