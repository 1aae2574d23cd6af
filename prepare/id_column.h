// IdColumn: the identifiers read from one column of a raw file, numbered in
// order of first appearance.
//
// intern(text) returns the index (from 0) of `text`, adding it when new.
// When every text is a decimal integer in the int range (whole_int) the
// column keeps them: ids()[i] is the integer of texts()[i]. Otherwise the column is coded:
// ids()[i] is i + 1, and texts() is its dictionary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IdColumn {
 public:
  std::uint32_t intern(std::string_view text);
  bool coded() const { return coded_; }
  std::vector<int> ids() const;
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  std::unordered_map<std::string, std::uint32_t> index_;
  std::vector<std::string> texts_;
  std::vector<int> integers_;
  bool coded_ = false;
};
