// How quadmine-show writes one element of a concept for people.
#pragma once

#include <string>

#include "formats/base_dictionaries.h"

namespace quadmine {

// The name of `code` in dimension `d`, or the code in decimal when the
// dimension has no dictionary or its dictionary lacks the code. With
// `with_code` a name is followed by its code: "rock (12)".
std::string element_text(const Dictionaries& names, int d, int code, bool with_code);

}  // namespace quadmine
