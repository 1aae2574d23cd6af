#include "tools/codeurls.h"

#include <utility>

CodeUrls::CodeUrls() : code(0) {}

CodeUrls::CodeUrls(int code, std::string url) : code(code), url(std::move(url)) {}
