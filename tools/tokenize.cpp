#include "tools/tokenize.h"

void Tokenize(const std::string& text, std::vector<std::string>& tokens,
              const std::string& delimiters) {
  std::string::size_type start = text.find_first_not_of(delimiters, 0);
  std::string::size_type end = text.find_first_of(delimiters, start);
  while (start != std::string::npos || end != std::string::npos) {
    tokens.push_back(text.substr(start, end - start));
    start = text.find_first_not_of(delimiters, end);
    end = text.find_first_of(delimiters, start);
  }
}
