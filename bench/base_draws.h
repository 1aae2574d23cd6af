// Pieces shared by the synthetic base generators: platform-independent draws
// and the text of a base from its lines.
//
// uniform(rng)        uniform in [0, 1) from the top 53 bits of the generator.
// Zipf(n, s)(rng)     a rank from 1 to n, drawn with weight 1 / rank^s.
// BaseLine            one line as (resource, d, tag, user): the sort order.
// DistinctLines       collects lines, dropping repeated ones.
// sorted_base_text()  the lines sorted, as "user tag resource d\n" text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

double uniform(std::mt19937_64& rng);

class Zipf {
 public:
  Zipf(int n, double exponent);
  int operator()(std::mt19937_64& rng) const;

 private:
  std::vector<double> cumulative_;
};

using BaseLine = std::array<int, 4>;

class DistinctLines {
 public:
  explicit DistinctLines(std::size_t expected) { lines_.reserve(expected); }
  // Adds the line unless it was added before.
  void add(const BaseLine& line) {
    if (drawn_.insert(line).second) lines_.push_back(line);
  }
  std::size_t size() const { return lines_.size(); }
  std::vector<BaseLine>& lines() { return lines_; }

 private:
  struct Hash {
    std::size_t operator()(const BaseLine& l) const;
  };
  std::vector<BaseLine> lines_;
  std::unordered_set<BaseLine, Hash> drawn_;
};

std::string sorted_base_text(std::vector<BaseLine>& lines);
