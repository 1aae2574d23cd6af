#include "show/summary.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "formats/delimited_field.h"
#include "formats/json_text.h"
#include "show/listing.h"
#include "show/names.h"
#include "text/line_reader.h"
#include "text/scanner.h"

namespace quadmine {

namespace {

constexpr const char* kNames[kDimensions] = {"users", "tags", "resources", "d"};

void print_text(std::FILE* out, const Summary& s, const Dictionaries& names, bool codes) {
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
    std::vector<std::string> texts;
    std::size_t width = 0;
    for (const auto& [code, count] : top) {
      texts.push_back(element_text(names, d, code, codes));
      width = std::max(width, texts.back().size());
    }
    for (std::size_t i = 0; i < top.size(); ++i) {
      std::fprintf(out, "  %-*s %8zu\n", static_cast<int>(width), texts[i].c_str(), top[i].second);
    }
  }
}

// One row of the summary table: statistic, dimension, key, name, value.
void add_row(std::string& table, char sep, const std::string& statistic,
             const std::string& dimension, const std::string& key, std::string_view name,
             std::size_t value) {
  table += statistic + sep + dimension + sep + key + sep;
  append_delimited_field(table, name, sep);
  table += sep + std::to_string(value) + "\n";
}

std::string delimited_table(const Summary& s, const Dictionaries& names, char sep) {
  std::string table =
      std::string("statistic") + sep + "dimension" + sep + "key" + sep + "name" + sep + "value\n";
  add_row(table, sep, "concepts", "", "", "", s.concepts);
  if (s.users_file.read) {
    add_row(table, sep, "users_only_lines", "", "", "",
            static_cast<std::size_t>(s.users_file.lines));
    add_row(table, sep, "users_only_distinct_users", "", "", "", s.users_file.distinct_users);
  }
  for (int d = 0; d < kDimensions; ++d) {
    for (const auto& [size, count] : s.sizes[static_cast<std::size_t>(d)]) {
      add_row(table, sep, "size", kNames[d], std::to_string(size), "", count);
    }
  }
  for (int d = 0; d < kDimensions; ++d) {
    for (const auto& [code, count] : s.top[static_cast<std::size_t>(d)]) {
      const std::string* name = names.name_of(d, code);
      add_row(table, sep, "top", kNames[d], std::to_string(code), name ? *name : "", count);
    }
  }
  return table;
}

std::string sizes_json(const Summary& s) {
  std::string json = "{";
  for (int d = 0; d < kDimensions; ++d) {
    json += std::string(d == 0 ? "" : ", ") + "\"" + kNames[d] + "\": {";
    bool first = true;
    for (const auto& [size, count] : s.sizes[static_cast<std::size_t>(d)]) {
      json += (first ? "\"" : ", \"") + std::to_string(size) + "\": " + std::to_string(count);
      first = false;
    }
    json += "}";
  }
  return json + "}";
}

std::string top_json(const Summary& s, const Dictionaries& names, const char* between) {
  std::string json = "{";
  for (int d = 0; d < kDimensions; ++d) {
    json += std::string(d == 0 ? "" : between) + "\"" + kNames[d] + "\": [";
    bool first = true;
    for (const auto& [code, count] : s.top[static_cast<std::size_t>(d)]) {
      json += std::string(first ? "" : ", ") + "{\"code\": " + std::to_string(code);
      if (names.has(d)) {
        const std::string* name = names.name_of(d, code);
        json += ", \"name\": " + (name != nullptr ? json_string(*name) : std::string("null"));
      }
      json += ", \"concepts\": " + std::to_string(count) + "}";
      first = false;
    }
    json += "]";
  }
  return json + "}";
}

// One line for JSON Lines, a few for JSON.
std::string summary_json(const Summary& s, const Dictionaries& names, bool one_line) {
  std::string json = "{\"concepts\": " + std::to_string(s.concepts);
  if (s.users_file.read) {
    json += ", \"users_only\": {\"lines\": " + std::to_string(s.users_file.lines) +
            ", \"distinct_users\": " + std::to_string(s.users_file.distinct_users) + "}";
  }
  const char* between = one_line ? ", " : ",\n ";
  json += std::string(between) + "\"sizes\": " + sizes_json(s);
  json += std::string(between) + "\"top\": " + top_json(s, names, one_line ? ", " : ",\n  ");
  return json + "}\n";
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

void SummaryCounter::add(const ReportedConcept& c) {
  ++counts_.concepts;
  for (std::size_t d = 0; d < c.sets.size(); ++d) {
    ++counts_.sizes[d][c.sets[d].size()];
    distinct_ = c.sets[d];
    std::sort(distinct_.begin(), distinct_.end());
    distinct_.erase(std::unique(distinct_.begin(), distinct_.end()), distinct_.end());
    for (const int code : distinct_) ++holding_[d][code];
  }
}

Summary SummaryCounter::finish(long top) const {
  Summary s = counts_;
  for (std::size_t d = 0; d < holding_.size(); ++d) {
    auto& list = s.top[d];
    list.assign(holding_[d].begin(), holding_[d].end());
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

Status print_summary(std::FILE* out, const Summary& summary, const Dictionaries& names,
                     Format format, bool codes) {
  errno = 0;
  switch (format) {
    case Format::Text:
      print_text(out, summary, names, codes);
      break;
    case Format::Tsv:
    case Format::Csv:
      std::fputs(delimited_table(summary, names, format == Format::Csv ? ',' : '\t').c_str(), out);
      break;
    case Format::Json:
    case Format::JsonLines:
      std::fputs(summary_json(summary, names, format == Format::JsonLines).c_str(), out);
      break;
  }
  return output_status(out);
}

}  // namespace quadmine
