// The in-memory code dictionary and its two lookups.
//
// ens_code_urls holds code/URL pairs searched in store order; nothing in a run
// fills it, a tool that wants these lookups fills it first.
//
// non_appartient_codeurl(code)  true if some pair has this code (despite the
//                               name, it answers "is present")
// get_url_by_code(code)         url of the first pair with this code; the
//                               empty string when there is none
#pragma once

#include <string>
#include <vector>

#include "tools/codeurls.h"

extern std::vector<CodeUrls> ens_code_urls;

bool non_appartient_codeurl(int code);
std::string get_url_by_code(int code);
