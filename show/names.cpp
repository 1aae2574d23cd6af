#include "show/names.h"

namespace quadmine {

const std::string* Names::find(int d, int code) const {
  const CodeTexts& dictionary = texts[static_cast<std::size_t>(d)];
  const auto it = dictionary.find(code);
  return it == dictionary.end() ? nullptr : &it->second;
}

std::string Names::of(int d, int code) const {
  const std::string* text = find(d, code);
  return text != nullptr ? *text : std::to_string(code);
}

}  // namespace quadmine
