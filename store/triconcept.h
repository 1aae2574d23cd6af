// TriConcept: one candidate quadri-concept, four integer sets (users, tags,
// resources, D values) kept in insertion order. Nothing sorts a set and nothing
// prevents a repeated element; "size" is the vector length. The five aux_*
// members are part of the record's layout and always stay empty.
//
// A plain value type: copying copies all nine members, assignment replaces all
// nine, and every member is public.
#pragma once

#include <string>
#include <vector>

#include "store/perssoc.h"

struct TriConcept {
  std::vector<int> us;  // U: users
  std::vector<int> ts;  // T: tags
  std::vector<int> rs;  // R: resources
  std::vector<int> ds;  // D: values of the fourth dimension
  std::vector<std::string> aux_strings;
  std::vector<int> aux_ints1;
  std::vector<PersSoc> aux_pers;
  std::vector<int> aux_ints2;
  std::vector<int> aux_ints3;

  bool operator==(const TriConcept&) const = default;
};
