// PersSoc: a small (integer, integer, float) record. It is the element type of
// TriConcept::aux_pers; nothing in a run creates one.
#pragma once

struct PersSoc {
  int first = 0;
  int second = 0;
  float weight = 0.0f;

  bool operator==(const PersSoc&) const = default;
};
