// Splitting a text into tokens. No run calls it.
#pragma once

#include <string>
#include <vector>

// Tokenize(text, tokens, delimiters) appends to `tokens`, in text order, every
// maximal run of characters of `text` that holds no character of
// `delimiters`. `tokens` is not emptied first and no empty token is ever
// appended: leading, trailing and repeated delimiters only separate. With an
// empty `delimiters` a non-empty text is appended whole.
void Tokenize(const std::string& text, std::vector<std::string>& tokens,
              const std::string& delimiters);
