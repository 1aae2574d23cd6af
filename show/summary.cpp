#include "show/summary.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "formats/field_text.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

namespace {

constexpr const char* kNames[kDimensions] = {"users", "tags", "resources", "d"};

void print_text(std::FILE* out, const Summary& s, const Names& names) {
  std::fprintf(out, "concepts        %zu\n", s.concepts);
  if (s.users_file.read) {
    std::fprintf(out, "users_only.txt  %ld lines, %zu distinct users\n", s.users_file.lines,
                 s.users_file.distinct_users);
  }
  std::set<std::size_t> all_sizes;
  for (const auto& sizes : s.sizes) {
    for (const auto& [size, count] : sizes) all_sizes.insert(size);
  }
  std::fprintf(out, "\nconcepts by set size\n  %8s %10s %10s %10s %10s\n", "size", "users", "tags",
               "resources", "D");
  for (const std::size_t size : all_sizes) {
    std::fprintf(out, "  %8zu", size);
    for (const auto& sizes : s.sizes) {
      const auto it = sizes.find(size);
      std::fprintf(out, " %10zu", it == sizes.end() ? std::size_t{0} : it->second);
    }
    std::fputc('\n', out);
  }
  for (int d = 0; d < kDimensions; ++d) {
    const auto& top = s.top[static_cast<std::size_t>(d)];
    std::fprintf(out, "\nmost frequent %s (concepts holding them)\n",
                 d == kDValues ? "D values" : kNames[d]);
    std::size_t width = 0;
    for (const auto& [code, count] : top) width = std::max(width, names.of(d, code).size());
    for (const auto& [code, count] : top) {
      std::fprintf(out, "  %-*s %8zu\n", static_cast<int>(width), names.of(d, code).c_str(), count);
    }
  }
}

void print_tsv(std::FILE* out, const Summary& s, const Names& names) {
  std::fprintf(out, "concepts\t%zu\n", s.concepts);
  if (s.users_file.read) {
    std::fprintf(out, "users_only\t%ld\t%zu\n", s.users_file.lines, s.users_file.distinct_users);
  }
  for (int d = 0; d < kDimensions; ++d) {
    for (const auto& [size, count] : s.sizes[static_cast<std::size_t>(d)]) {
      std::fprintf(out, "size\t%s\t%zu\t%zu\n", kNames[d], size, count);
    }
  }
  for (int d = 0; d < kDimensions; ++d) {
    for (const auto& [code, count] : s.top[static_cast<std::size_t>(d)]) {
      std::fprintf(out, "top\t%s\t%d\t%s\t%zu\n", kNames[d], code,
                   encode_field(names.of(d, code)).c_str(), count);
    }
  }
}

void print_json(std::FILE* out, const Summary& s, const Names& names) {
  std::string json = "{\"concepts\": " + std::to_string(s.concepts);
  if (s.users_file.read) {
    json += ", \"users_only\": {\"lines\": " + std::to_string(s.users_file.lines) +
            ", \"distinct_users\": " + std::to_string(s.users_file.distinct_users) + "}";
  }
  json += ",\n \"sizes\": {";
  for (int d = 0; d < kDimensions; ++d) {
    json += std::string(d == 0 ? "" : ", ") + "\"" + kNames[d] + "\": {";
    bool first = true;
    for (const auto& [size, count] : s.sizes[static_cast<std::size_t>(d)]) {
      json += (first ? "\"" : ", \"") + std::to_string(size) + "\": " + std::to_string(count);
      first = false;
    }
    json += "}";
  }
  json += "},\n \"top\": {";
  for (int d = 0; d < kDimensions; ++d) {
    json += std::string(d == 0 ? "" : ",\n  ") + "\"" + kNames[d] + "\": [";
    bool first = true;
    for (const auto& [code, count] : s.top[static_cast<std::size_t>(d)]) {
      json += std::string(first ? "" : ", ") + "{\"code\": " + std::to_string(code);
      if (!names.texts[static_cast<std::size_t>(d)].empty()) {
        const std::string* text = names.find(d, code);
        json += ", \"name\": " + (text != nullptr ? json_string(*text) : std::string("null"));
      }
      json += ", \"concepts\": " + std::to_string(count) + "}";
      first = false;
    }
    json += "]";
  }
  std::fprintf(out, "%s}}\n", json.c_str());
}

}  // namespace

Result<UsersFileCount> count_users_file(std::FILE* in, const std::string& name) {
  TextLineReader reader;
  std::string_view line;
  std::unordered_set<int> users;
  long number = 0;
  while (reader.next(in, line)) {
    ++number;
    int user = 0;
    if (!TextScanner(line).number(user)) return line_error(name, number, "not a user line");
    users.insert(user);
  }
  if (std::ferror(in) != 0) return line_error(name, number + 1, "read error");
  UsersFileCount count;
  count.read = true;
  count.lines = number;
  count.distinct_users = users.size();
  return count;
}

Summary summarize(const std::vector<const ReportedConcept*>& chosen, long top) {
  Summary s;
  s.concepts = chosen.size();
  std::array<std::unordered_map<int, std::size_t>, kDimensions> holding;
  std::vector<int> distinct;
  for (const ReportedConcept* c : chosen) {
    for (std::size_t d = 0; d < c->sets.size(); ++d) {
      ++s.sizes[d][c->sets[d].size()];
      distinct = c->sets[d];
      std::sort(distinct.begin(), distinct.end());
      distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
      for (const int code : distinct) ++holding[d][code];
    }
  }
  for (std::size_t d = 0; d < holding.size(); ++d) {
    auto& list = s.top[d];
    list.assign(holding[d].begin(), holding[d].end());
    const auto most_first = [](const auto& a, const auto& b) {
      return a.second != b.second ? a.second > b.second : a.first < b.first;
    };
    const std::size_t keep = std::min(list.size(), static_cast<std::size_t>(top));
    std::partial_sort(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(keep), list.end(),
                      most_first);
    list.resize(keep);
  }
  return s;
}

void print_summary(std::FILE* out, const Summary& summary, const Names& names, Format format) {
  switch (format) {
    case Format::Text:
      print_text(out, summary, names);
      break;
    case Format::Tsv:
      print_tsv(out, summary, names);
      break;
    case Format::Json:
      print_json(out, summary, names);
      break;
  }
}

}  // namespace quadmine
