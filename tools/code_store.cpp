#include "tools/code_store.h"

std::vector<CodeUrls> ens_code_urls;

namespace {

const CodeUrls* first_with_code(int code) {
  for (const CodeUrls& pair : ens_code_urls) {
    if (pair.code == code) return &pair;
  }
  return nullptr;
}

}  // namespace

bool non_appartient_codeurl(int code) { return first_with_code(code) != nullptr; }

std::string get_url_by_code(int code) {
  const CodeUrls* pair = first_with_code(code);
  return pair != nullptr ? pair->url : std::string();
}
