// The writers and lookups of formats/ that the commands share: delimited
// fields, JSON strings, the dictionaries of a base and their names, and report
// lines that are no concept.
#include <random>

#include "formats/base_dictionaries.h"
#include "formats/concept_file.h"
#include "formats/delimited_field.h"
#include "formats/json_text.h"
#include "support.h"
#include "text/utf8.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

TEST(Formats, DelimitedFieldQuotesOnlyWhatBreaksAField) {
  // Text, as a TSV field, as a CSV field.
  // clang-format off
  const std::vector<std::tuple<std::string, std::string, std::string>> rows = {
    {"", "", ""},
    {"rock", "rock", "rock"},
    {"a,b", "a,b", "\"a,b\""},
    {"a\tb", "\"a\tb\"", "a\tb"},
    {"\"quoted\"%203706", "\"\"\"quoted\"\"%203706\"", "\"\"\"quoted\"\"%203706\""},
    {"x\"", "\"x\"\"\"", "\"x\"\"\""},
    {"two\nlines", "\"two\nlines\"", "\"two\nlines\""},
    {"cr\r", "\"cr\r\"", "\"cr\r\""},
    {" blank ", " blank ", " blank "},
    {"caf\xc3\xa9", "caf\xc3\xa9", "caf\xc3\xa9"},
  };
  // clang-format on
  for (const auto& [text, tsv, csv] : rows) {
    EXPECT_EQ(delimited_field(text, '\t'), tsv) << text;
    EXPECT_EQ(delimited_field(text, ','), csv) << text;
  }
}

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

TEST(Formats, FindsTheDictionariesOfOneBase) {
  const ScratchDir dir;
  std::filesystem::create_directory("run");
  // Files in run/, then what looking there finds: the paths used (users|tags|resources)
  // or the bases among which none is chosen.
  // clang-format off
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
    {{"quadri_concepts.txt", "users_only.txt", ".tags", "base.txt"}, "||"},
    {{"base.txt.tags"}, "|run/base.txt.tags|"},
    {{"b.resources", "b.users"}, "run/b.users||run/b.resources"},
    {{"a.tags", "a.users", "ab.tags"}, "several: run/a run/ab"},
    {{"a.tags/"}, "||"},  // a folder of that name is not a dictionary
  };
  // clang-format on
  for (const auto& [files, want] : rows) {
    std::filesystem::remove_all("run");
    std::filesystem::create_directory("run");
    for (const std::string& file : files) {
      if (file.back() == '/') {
        std::filesystem::create_directory("run/" + file);
      } else {
        write_file("run/" + file, "");
      }
    }
    const Result<DictionaryFiles> found = find_dictionary_files("run", "");
    ASSERT_TRUE(found.ok()) << found.message();
    std::string got;
    if (!found->candidates.empty()) {
      got = "several:";
      for (const std::string& base : found->candidates) got += " " + base;
      EXPECT_FALSE(found->found);
    } else {
      got = found->paths[kUsers] + "|" + found->paths[kTags] + "|" + found->paths[kResources];
      EXPECT_EQ(found->found, got != "||") << got;
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(found->paths[kDValues], "");
  }
  EXPECT_EQ(find_dictionary_files("missing", "").message().rfind("cannot list missing: ", 0), 0U);
}

TEST(Formats, NamesAndCodesBothWays) {
  const ScratchDir dir;
  // Two ids share a name; the first name of an id stays (7 is no jazz); a name
  // that reads as a number; %-encoded blanks.
  write_file("b.tags",
             "rock 0 7 0 -\nrock 0 3 0 -\njazz 0 7 0 -\n2009 0 5 0 -\nhip%20hop 0 -4 0 -\n");
  write_file("b.users", "ann 0 1 0 -\n");
  const Result<Dictionaries> names = find_dictionaries(".", "b");
  ASSERT_TRUE(names.ok()) << names.message();
  // Dimension, value, the codes or the failure.
  // clang-format off
  const std::vector<std::tuple<int, std::string, std::string>> rows = {
    {kTags, "rock", "3 7"}, {kTags, "hip hop", "-4"}, {kTags, "2009", "5"}, {kTags, "12", "12"},
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
    EXPECT_EQ(read_concept_file(in, "R").message(), "R:1: not a concept line") << line;
    std::fclose(in);
  }
}

}  // namespace
