// The identifiers of one column of a raw file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quadmine {

// The distinct texts read from one column, numbered in order of first
// appearance. When every text is a decimal integer in the int range
// (whole_int) the column keeps them; otherwise it is coded 1, 2, ...
class IdColumn {
 public:
  // The index (from 0) of `text`, added when new.
  std::uint32_t intern(std::string_view text);
  // True when some text is not an integer.
  bool coded() const { return coded_; }
  // The identifier of each index: the integer of texts()[i], or i + 1 when coded.
  std::vector<int> ids() const;
  // The texts by index: the dictionary of a coded column.
  const std::vector<std::string>& texts() const { return texts_; }

 private:
  std::unordered_map<std::string, std::uint32_t> index_;
  std::vector<std::string> texts_;
  std::vector<int> integers_;
  bool coded_ = false;
};

}  // namespace quadmine
