#include "show/names.h"

namespace quadmine {

std::string element_text(const Dictionaries& names, int d, int code, bool with_code) {
  const std::string* name = names.name_of(d, code);
  if (name == nullptr) return std::to_string(code);
  return with_code ? *name + " (" + std::to_string(code) + ")" : *name;
}

}  // namespace quadmine
