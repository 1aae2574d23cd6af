// Helpers of the tests that run quadmine-recommend: result files written from
// a store, the program run, and its JSON Lines read back.
#pragma once

#include <optional>

#include "support.h"

inline const std::string kRecommend = QUADMINE_RECOMMEND_BIN;

inline Outcome recommend(const std::string& args) {
  return run_shell("'" + kRecommend + "' " + args);
}

// Writes DIR/quadri_concepts.txt and DIR/users_only.txt as a run that reports
// the concepts of `reported` writes them.
inline void write_results(const std::string& dir, const Store& reported) {
  std::string concepts, users;
  for (const TriConcept& c : reported) {
    const char* labels[] = {"\nU = {", "},  T = {", "},  R = {", "},  D = {"};
    const Ints* sets[] = {&c.us, &c.ts, &c.rs, &c.ds};
    for (int k = 0; k < 4; ++k) {
      concepts += labels[k];
      for (const int x : *sets[k]) concepts += std::to_string(x) + ", ";
    }
    concepts += "}";
    for (const int u : c.us) users += std::to_string(u) + " " + std::to_string(c.ds.front()) + "\n";
  }
  std::filesystem::create_directories(dir);
  write_file(dir + "/quadri_concepts.txt", concepts);
  write_file(dir + "/users_only.txt", users);
}

// One object of the JSON Lines output: the codes (a list not printed is
// absent).
struct PrintedLists {
  int user = 0, d = 0;
  std::optional<Ints> resources, users;
};

// The number after "KEY": in `line`, or nullopt.
inline std::optional<int> json_number(const std::string& line, const std::string& key) {
  const std::size_t at = line.find("\"" + key + "\": ");
  if (at == std::string::npos) return std::nullopt;
  return std::stoi(line.substr(at + key.size() + 4));
}

// The numbers of the array "KEY": [...] in `line`, or nullopt.
inline std::optional<Ints> json_numbers(const std::string& line, const std::string& key) {
  const std::size_t at = line.find("\"" + key + "\": [");
  if (at == std::string::npos) return std::nullopt;
  const std::size_t begin = at + key.size() + 5;
  std::istringstream in(line.substr(begin, line.find(']', begin) - begin));
  Ints numbers;
  for (std::string word; std::getline(in, word, ',');) numbers.push_back(std::stoi(word));
  return numbers;
}

inline std::vector<PrintedLists> read_json_lines(const std::string& out) {
  std::vector<PrintedLists> printed;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    PrintedLists& p = printed.emplace_back();
    p.user = json_number(line, "user").value_or(-1);
    p.d = json_number(line, "d").value_or(-1);
    p.resources = json_numbers(line, "resources");
    p.users = json_numbers(line, "users");
  }
  return printed;
}
