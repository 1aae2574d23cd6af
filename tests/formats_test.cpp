// The writers and lookups of formats/ that the commands share: JSON strings,
// the names of a base's dictionaries, and report lines that are no concept
// (the commands' runs hold the delimited fields and finding the dictionaries).
#include <random>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "formats/json_text.h"
#include "support.h"
#include "text/utf8.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

TEST(Formats, JsonStringIsValidUtf8AndKeepsEveryByte) {
  // clang-format off
  const std::vector<std::pair<std::string, std::string>> rows = {
    {"", "\"\""}, {"rock", "\"rock\""},
    {"a\"b\\c/", "\"a\\\"b\\\\c/\""},
    {std::string("\0\x01\n\t\x1f\x7f", 6), "\"\\u0000\\u0001\\u000a\\u0009\\u001f\x7f\""},
    // Well-formed UTF-8 of two, three and four bytes, at the edges of their ranges.
    {"\xc2\x80\xdf\xbf \xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80 \xf0\x90\x80\x80\xf4\x8f\xbf\xbf",
     "\"\xc2\x80\xdf\xbf \xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80 \xf0\x90\x80\x80\xf4\x8f\xbf\xbf\""},
    // A Latin-1 e-acute, alone and at the end.
    {"caf\xe9", "\"caf\\u00e9\""}, {"\xe9t\xe9", "\"\\u00e9t\\u00e9\""},
    // Bytes that form no sequence (which ones is text/utf8.h's to tell):
    // each escaped alone, at the end of the text and before more bytes.
    {"\xc3", "\"\\u00c3\""},
    {"\xe2\x82 \x80\xbf", "\"\\u00e2\\u0082 \\u0080\\u00bf\""},
    // A good sequence right after a bad lead byte is kept.
    {"\xc3\xc3\xa9", "\"\\u00c3\xc3\xa9\""},
  };
  // clang-format on
  for (const auto& [text, json] : rows) EXPECT_EQ(json_string(text), json) << json;
}

// Reads a JSON string literal back into bytes, taking each \u00XX as the byte
// XX: the inverse of json_string for every input.
std::string bytes_of_json(const std::string& json) {
  std::string bytes;
  for (std::size_t i = 1; i + 1 < json.size(); ++i) {
    if (json[i] != '\\') {
      bytes.push_back(json[i]);
    } else if (json[i + 1] == 'u') {
      bytes.push_back(static_cast<char>(std::stoi(json.substr(i + 2, 4), nullptr, 16)));
      i += 5;
    } else {
      bytes.push_back(json[++i]);
    }
  }
  return bytes;
}

// Random bytes: the JSON string is valid UTF-8 (as text/utf8.h, the checker
// of the input files, sees it) and reads back to the same bytes.
TEST(Formats, JsonStringOfRandomBytes) {
  std::mt19937 random(19);
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 12, ' ');
    // Mostly bytes that start or continue sequences, so that some are well-formed.
    for (char& c : text) {
      const unsigned pick = random() % 4;
      c = static_cast<char>(pick == 0   ? random() % 0x100
                            : pick == 1 ? 0x80 + random() % 0x40
                            : pick == 2 ? 0xC0 + random() % 0x38
                                        : 0x20 + random() % 0x60);
    }
    const std::string json = json_string(text);
    ASSERT_EQ(invalid_utf8_at(json), std::string_view::npos) << json;
    ASSERT_EQ(bytes_of_json(json), text) << json;
    // Every well-formed text is copied as it is, but for escapes.
    if (invalid_utf8_at(text) == std::string_view::npos &&
        text.find_first_of("\"\\") == std::string::npos &&
        std::none_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
      ASSERT_EQ(json, "\"" + text + "\"");
    }
  }
}

TEST(Formats, NamesAndCodesBothWays) {
  const ScratchDir dir;
  // Two ids share a name; the first name of an id stays (7 is no jazz); a name
  // that reads as a number; %-encoded blanks, and '%'s that escape nothing.
  write_file("b.tags",
             "rock 0 7 0 -\nrock 0 3 0 -\njazz 0 7 0 -\n2009 0 5 0 -\nhip%20hop%z%2 0 -4 0 -\n");
  write_file("b.users", "ann 0 1 0 -\n");
  const Result<Dictionaries> names = find_dictionaries(".", "b");
  ASSERT_TRUE(names.ok()) << names.message();
  // Dimension, value, the codes or the failure.
  // clang-format off
  const std::vector<std::tuple<int, std::string, std::string>> rows = {
    {kTags, "rock", "3 7"}, {kTags, "hip hop%z%2", "-4"}, {kTags, "2009", "5"}, {kTags, "12", "12"},
    {kTags, "-4", "-4"}, {kTags, "jazz", "no tag named 'jazz' in b.tags"},
    {kTags, " 12", "no tag named ' 12' in b.tags"}, {kTags, "", "no tag named '' in b.tags"},
    {kUsers, "ann", "1"}, {kUsers, "bob", "no user named 'bob' in b.users"},
    {kResources, "9", "9"}, {kResources, "Muse", "'Muse' is not a resource code"},
    {kResources, "99999999999", "'99999999999' is not a resource code"},
    {kDValues, "2009", "2009"}, {kDValues, "+1", "'+1' is not a D value"},
  };
  // clang-format on
  for (const auto& [d, value, want] : rows) {
    const Result<std::vector<int>> codes = resolve_element(names.value(), d, value);
    std::string got;
    if (codes.ok()) {
      for (const int code : codes.value()) got += (got.empty() ? "" : " ") + std::to_string(code);
    }
    EXPECT_EQ(codes.ok() ? got : codes.message(), want) << value;
  }
}

// A report line cut short, or with a byte that is no number where a set's
// elements go, is no concept.
TEST(Formats, BrokenConceptLineIsNoConcept) {
  for (const std::string line : {"U = {1, },  T = {2, },  R = {3, },  D = {4, ", "U = {1, 2, ",
                                 "U = {~,  T = {2, },  R = {3, },  D = {4, }"}) {
    std::FILE* in = std::tmpfile();
    std::fputs(line.c_str(), in);
    std::rewind(in);
    ReportedConcept c;
    EXPECT_EQ(ConceptFileReader(in, "R").next(c).message(), "R:1: not a concept line") << line;
    std::fclose(in);
  }
}

}  // namespace
