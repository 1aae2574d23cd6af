// The identifiers of one column (user, tag or resource) of a raw file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "index/flat_int_map.h"

namespace quadmine {

// Reads the whole of `text` as one int, as the base's numbers are read (white
// space around it, an optional sign, decimal digits, within the int range).
bool whole_int(std::string_view text, int& out);

// The distinct texts read from one column, each given an index (from 0) as it
// first appears. Once every text is in, settle() gives each its code:
//
//   - when every text is an integer (whole_int), the code is that integer: the
//     column keeps its identifiers;
//   - otherwise the column is coded: the distinct texts, sorted in byte order,
//     get the codes 1, 2, ..., n. The codes depend only on the set of texts,
//     never on the order of the lines they came from.
class IdColumn {
 public:
  // The index of `text`, added when new.
  std::uint32_t intern(std::string_view text);
  // True when some text is not an integer.
  bool coded() const { return coded_; }
  // The number of distinct texts.
  std::size_t size() const { return texts_.size(); }
  // The text of `index` (a coded column).
  const std::string& text(std::uint32_t index) const { return *texts_[index]; }

  // Gives every text its code; call once, after the last intern().
  void settle();

  // After settle(): the code of each index.
  const std::vector<int>& codes() const { return codes_; }
  // After settle(): the distinct codes in increasing order, each with the
  // index of a text that has it (several texts, "7" and "007", can give one
  // integer).
  struct Entry {
    int code;
    std::uint32_t index;
  };
  const std::vector<Entry>& entries() const { return entries_; }
  // After settle(): the position in entries() of the identifier written `id`
  // in another file (a names file): the same text in a coded column, the same
  // integer in a kept one; nullopt when no line of the column has it.
  std::optional<std::size_t> position(std::string_view id) const;

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  std::uint32_t intern_text(std::string_view text);
  void become_coded();

  // Until some text is coded, the texts that are integers written the usual
  // way ("7", "-12": the common case, looked up fast) are found by their
  // value; every other text by itself. Once coded, every text is in by_text_.
  FlatIntMap by_integer_;
  std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> by_text_;
  std::vector<const std::string*> texts_;  // keys of by_text_ (nodes never move); null
                                           // for a text found by its value
  std::vector<int> integers_;              // while no text is coded
  bool coded_ = false;
  std::vector<int> codes_;
  std::vector<Entry> entries_;
};

}  // namespace quadmine
