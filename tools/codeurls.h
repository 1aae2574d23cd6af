// CodeUrls: one code/URL pair of the in-memory code dictionary ens_code_urls.
//
// A plain value type: `code` then `url`, both public. A default-constructed
// pair has code 0 and an empty url; the pair owns its string.
#pragma once

#include <string>

struct CodeUrls {
  CodeUrls();
  CodeUrls(int pair_code, std::string pair_url);

  int code;
  std::string url;

  bool operator==(const CodeUrls&) const = default;
};
