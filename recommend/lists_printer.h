// Printing the lists of the users quadmine-recommend serves, one user at a
// time.
//
//   Text   one block per user, a blank line after each:
//            user ann  (d 2009: 3 resources, 2 users)
//              resources  Muse, Blur, the, 12
//              users      bob, cy
//          names where the dictionaries have them, codes elsewhere; with
//          codes, a name is followed by its code: "Muse (12)". An empty list
//          reads "(none)". Only the lists of the kind asked for are printed.
//   Tsv    a header line, then one line per element of a list; fields
//   Csv    separated by a tab (TSV) or a comma (CSV) and quoted as
//          delimited_field.h says. The columns:
//            user  user_name  d  list  rank  code  name
//          user and code are codes, list is "resources" or "users", rank
//          counts from 1 in each list; user_name and name are the
//          dictionary's names as they are, or empty. A user with empty lists
//          has no line.
//   Json   an array of the JSON Lines objects, one per line;
//   JsonLines  one object per user and line:
//            {"user": 17, "user_name": "ann", "d": 2009, "resources": [5, 2],
//             "resource_names": ["Muse", null], "users": [3, 8],
//             "user_names": ["bob", "cy"]}
//          the codes always; the names beside them only when that dimension
//          has a dictionary (null for a code it lacks); "resources" and
//          "users" only for the kinds asked for. Strings are valid UTF-8
//          (json_text.h).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "evaluation/served_users.h"
#include "formats/base_dictionaries.h"
#include "recommend/command_line.h"
#include "util/standard_output.h"
#include "util/status.h"

namespace quadmine {

// A user and its lists (a list of a kind not asked for stays empty).
struct UserLists {
  ServedUser who{0, 0};
  std::vector<int> resources;
  std::vector<int> users;
};

// Prints to standard output (`out`): begin(), print() for each user, end().
// Each call fails with "cannot write to standard output: REASON" once a write
// has failed.
class ListsPrinter {
 public:
  ListsPrinter(std::FILE* out, const Dictionaries& names, RecommendFormat format, ListKind kind,
               bool codes);

  Status begin();
  Status print(const UserLists& lists);
  Status end();

 private:
  void text(const UserLists& lists);
  void text_list(const char* label, int d, const std::vector<int>& list);
  void delimited(const UserLists& lists);
  void delimited_list(const UserLists& lists, const char* label, int d,
                      const std::vector<int>& list);
  void json(const UserLists& lists);
  void json_list(const char* key, const char* names_key, int d, const std::vector<int>& list);
  bool shows(ListKind list) const { return kind_ == ListKind::Both || kind_ == list; }
  Status put();

  std::FILE* out_;
  const Dictionaries& names_;
  RecommendFormat format_;
  ListKind kind_;
  bool codes_;
  std::size_t printed_ = 0;
  std::string bytes_;  // what the call prints, built whole
};

}  // namespace quadmine
