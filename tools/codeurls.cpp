#include "tools/codeurls.h"

#include <utility>

CodeUrls::CodeUrls() : code(0) {}

CodeUrls::CodeUrls(int pair_code, std::string pair_url)
    : code(pair_code), url(std::move(pair_url)) {}
