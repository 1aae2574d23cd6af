// The dictionaries of a base -- the names of its users, tags and resources --
// found beside the base or in a folder, and looked up both ways.
//
// A base BASE prepared with names has up to three dictionaries, BASE.users,
// BASE.tags and BASE.resources (layout in code_dictionary.h: the users and the
// tags use the tag layout, the resources the resource layout). D values have
// none.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "formats/code_dictionary.h"
#include "formats/dimension.h"
#include "util/status.h"

namespace quadmine {

// Where the dictionaries of a base are.
struct DictionaryFiles {
  std::array<std::string, kDimensions> paths;  // by Dimension; empty: none (always for D)
  bool found = false;                          // paths come from looking in a folder
  // When looking in a folder met the dictionaries of several bases, and so
  // used none: those bases (folder/NAME), sorted.
  std::vector<std::string> candidates;
};

// With `base` given: those of BASE.users, BASE.tags and BASE.resources that
// exist; fails with "no dictionary BASE.users, BASE.tags or BASE.resources"
// when none does. With `base` empty: looks in the folder `dir` for regular
// files NAME.users, NAME.tags and NAME.resources; when the files found all
// share one NAME they are used (found is true), when they belong to several
// NAMEs none is (candidates names them); fails with "cannot list DIR: REASON".
Result<DictionaryFiles> find_dictionary_files(const std::string& dir, const std::string& base);

// The names read from the dictionaries of one base.
class Dictionaries {
 public:
  // Gives dimension `d` the texts read from `path`.
  void set(int d, std::string path, CodeTexts texts);

  // Whether dimension `d` has a dictionary (never D).
  bool has(int d) const { return !paths_[static_cast<std::size_t>(d)].empty(); }
  // The file of dimension `d`'s dictionary; empty when none.
  const std::string& path(int d) const { return paths_[static_cast<std::size_t>(d)]; }

  // The name of `code` in dimension `d`, or null when there is none.
  const std::string* name_of(int d, int code) const;
  // The codes whose name is `name` in dimension `d`, ascending (several ids
  // may share a name). Scans the dictionary: meant for the few values of a
  // command line.
  std::vector<int> codes_of(int d, std::string_view name) const;

 private:
  std::array<std::string, kDimensions> paths_;
  std::array<CodeTexts, kDimensions> texts_;
};

// Reads the dictionaries of `files.paths`. Fails with "cannot open PATH:
// REASON" or as read_code_dictionary.
Result<Dictionaries> read_dictionaries(const DictionaryFiles& files);

// find_dictionary_files, then read_dictionaries.
Result<Dictionaries> find_dictionaries(const std::string& dir, const std::string& base);

// The codes that `value` -- a name or a code -- stands for in dimension `d`:
// the codes named `value` when the dimension's dictionary has that name,
// otherwise the code `value` is written as (decimal, optional '-', nothing
// else). Fails with "no tag named 'VALUE' in PATH" when neither, or "'VALUE'
// is not a tag code" when the dimension has no dictionary ("user" and
// "resource" likewise; "'VALUE' is not a D value" for D).
Result<std::vector<int>> resolve_element(const Dictionaries& dictionaries, int d,
                                         std::string_view value);

}  // namespace quadmine
