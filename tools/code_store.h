// The in-memory code dictionary and its two lookups. Nothing in a run fills
// or reads it; a tool that wants these lookups fills it first.
#pragma once

#include <string>
#include <vector>

#include "tools/codeurls.h"

// Code/URL pairs, searched in store order.
extern std::vector<CodeUrls> ens_code_urls;

// True if some pair has this code (despite the name, it answers "is
// present").
bool non_appartient_codeurl(int code);

// URL of the first pair with this code; the empty string when there is none.
std::string get_url_by_code(int code);
