#include "test_support.h"

#include <sstream>
#include <utility>

TriConcept make_concept(std::vector<int> us, std::vector<int> ts, std::vector<int> rs,
                        std::vector<int> ds) {
  TriConcept c;
  c.us = std::move(us);
  c.ts = std::move(ts);
  c.rs = std::move(rs);
  c.ds = std::move(ds);
  return c;
}

std::string read_and_close(std::FILE* f) {
  std::rewind(f);
  std::string s;
  for (int ch; (ch = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(ch));
  std::fclose(f);
  return s;
}

namespace {
void put_set(std::ostream& os, const char* name, const std::vector<int>& set) {
  os << name << '{';
  for (std::size_t i = 0; i < set.size(); ++i) os << (i ? " " : "") << set[i];
  os << '}';
}
}  // namespace

std::string describe(const TriConcept& c) {
  std::ostringstream os;
  PrintTo(c, &os);
  return os.str();
}

void PrintTo(const TriConcept& c, std::ostream* os) {
  put_set(*os, "U", c.us);
  put_set(*os, " T", c.ts);
  put_set(*os, " R", c.rs);
  put_set(*os, " D", c.ds);
  if (!c.aux_strings.empty() || !c.aux_ints1.empty() || !c.aux_pers.empty() ||
      !c.aux_ints2.empty() || !c.aux_ints3.empty()) {
    *os << " (aux members not empty)";
  }
}
