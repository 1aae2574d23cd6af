// Texts printed for the elements of a concept.
#pragma once

#include <array>
#include <string>

#include "formats/code_dictionary.h"
#include "formats/concept_file.h"
#include "formats/field_text.h"

namespace quadmine {

// The dictionaries given for each dimension: the text of a code when its
// dimension's dictionary holds it, the code in decimal otherwise.
struct Names {
  std::array<CodeTexts, kDimensions> texts;  // by Dimension, empty when none given

  // The dictionary text of `code` in dimension `d`, or null.
  const std::string* find(int d, int code) const;
  // find()'s text, or the code in decimal.
  std::string of(int d, int code) const;
};

}  // namespace quadmine
