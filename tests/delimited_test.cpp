// Delimited files as quadmine-prepare reads them: fields split by one byte or
// by blanks, RFC 4180 quotes (separators, doubled quotes and line breaks
// inside), quotes as ordinary bytes, and the reader's line ends, blank lines,
// byte order mark, UTF-8 checks and Latin-1 conversion.
#include <cstdio>

#include "prepare/delimited_reader.h"
#include "prepare/record_splitter.h"
#include "support.h"
#include "text/utf8.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// The fields of a record as one text: "[a|b|c]", and the problem after it.
std::string shown(const Record& record) {
  std::string text = "[";
  for (std::size_t i = 0; i < record.size(); ++i) {
    text += (i == 0 ? "" : "|") + std::string(record[i]);
  }
  text += "]";
  if (record.bad()) text += " " + std::to_string(record.problem_line()) + ": " + record.problem();
  return text;
}

// Every record of `text` read with `format`, each with the line it starts at.
std::string read_all(const std::string& text, const InputFormat& format = {}) {
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  DelimitedReader reader(in, "f", format);
  std::string out;
  Record record;
  while (reader.next(record)) out += std::to_string(record.line()) + shown(record) + "\n";
  std::fclose(in);
  return out;
}

InputFormat with(Separator separator, Quoting quoting) {
  InputFormat format;
  format.separator = separator;
  format.quoting = quoting;
  return format;
}

TEST(RecordSplitter, SplitsOneLineRecords) {
  const Separator comma = Separator::of(','), tab = Separator::of('\t');
  const Separator semicolon = Separator::of(';'), blanks = Separator::blanks();
  const Quoting rfc = Quoting::Rfc4180, none = Quoting::None;
  const std::string after_quote = "[a] 1: text after the closing quote of field 1";
  const struct {
    Separator separator;
    Quoting quoting;
    std::string line, fields;
  } cases[] = {
      // Empty fields count; blanks around a field are dropped, inside quotes kept.
      // clang-format off
      {comma, rfc, "a,b,c", "[a|b|c]"}, {comma, rfc, "a,,c,", "[a||c|]"},
      {comma, rfc, " a , b ", "[a|b]"}, {comma, rfc, "\"x, y\",2", "[x, y|2]"},
      {comma, rfc, "\"say \"\"hi\"\"\",\"\"", "[say \"hi\"|]"},
      {comma, rfc, " \" q \" ,2", "[ q |2]"}, {comma, rfc, "ab\"c,d", "[ab\"c|d]"},
      {comma, rfc, "\"a\"b,c", after_quote}, {comma, none, "\"x, y\",2", "[\"x|y\"|2]"},
      {tab, none, "\"q\"\t2", "[\"q\"|2]"}, {tab, none, " a b \t c", "[a b|c]"},
      {tab, rfc, "\"a\tb\"\tc", "[a\tb|c]"}, {semicolon, rfc, "1;\"a;b\";3", "[1|a;b|3]"},
      {Separator::of('|'), rfc, "1|2||", "[1|2||]"},
      {Separator::of(' '), rfc, "a  b\t", "[a||b]"},  // one blank, tabs trimmed
      {blanks, none, "  1 \t 2   3  ", "[1|2|3]"}, {blanks, none, "\"hip hop\" 2", "[\"hip|hop\"|2]"},
      {blanks, rfc, "\"hip hop\"  2 \"\"", "[hip hop|2|]"}, {blanks, rfc, "\"a\"b 2", after_quote},
      // clang-format on
  };
  for (const auto& c : cases) {
    RecordSplitter splitter(c.separator, c.quoting);
    Record record;
    record.clear(1);
    EXPECT_TRUE(splitter.add_line(c.line, "\n", 1, record)) << c.line;
    EXPECT_EQ(shown(record), c.fields) << c.line;
  }
}

TEST(DelimitedReader, ReadsRecordsAcrossLines) {
  const InputFormat csv = with(Separator::of(','), Quoting::Rfc4180);
  const struct {
    std::string text;
    InputFormat format;
    std::string records;
  } cases[] = {
      // Line breaks inside quotes, as the file has them (LF or CRLF).
      {"1,\"two\nlines\",x\n2,b,y\n", csv, "1[1|two\nlines|x]\n3[2|b|y]\n"},
      {"1,\"a\r\n\r\nb\"\r\n2,c\r\n", csv, "1[1|a\r\n\r\nb]\n4[2|c]\n"},
      // A quote closed at the start of the next line, then more fields.
      {"\"a\n\",b\n", csv, "1[a\n|b]\n"},
      // Blank lines between records are skipped, and a BOM before the first.
      {"\xEF\xBB\xBF"
       "a,b\n\n  \t\nc,d",
       {},
       "1[a|b]\n4[c|d]\n"},
      // Still open at the end of the file: one bad record, from its first line.
      {"1,2\n3,\"4\n5,6\n", csv,
       "1[1|2]\n2[3] 2: unclosed quote (its field runs to the end of the file)\n"},
      // Detected: tab before comma, comma before blanks; quotes by separator.
      {"a\t\"b,c\"\n", {}, "1[a|\"b,c\"]\n"},
      {"a,\"b;c\"\n", {}, "1[a|b;c]\n"},
      {"a \"b c\"\n", {}, "1[a|\"b|c\"]\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(read_all(c.text, c.format), c.records) << c.text;
}

TEST(DelimitedReader, ChecksUtf8OrConvertsLatin1) {
  const std::string text = "caf\xC3\xA9,1\ncaf\xE9,2\nok,3\n";
  EXPECT_EQ(read_all(text),
            "1[caf\xC3\xA9|1]\n2[caf\xE9|2] 2: bytes that are not UTF-8 (0xE9 at byte 4); give "
            "--encoding latin1 for a Latin-1 file\n3[ok|3]\n");
  InputFormat latin1;
  latin1.encoding = Encoding::Latin1;
  EXPECT_EQ(read_all("caf\xE9,\xFF\n", latin1), "1[caf\xC3\xA9|\xC3\xBF]\n");
  // The bad line of a record that spans several is the one named.
  EXPECT_EQ(read_all("a,\"b\n\x80\"\n", {}),
            "1[a|b\n\x80] 2: bytes that are not UTF-8 (0x80 at byte 1); give --encoding latin1 "
            "for a Latin-1 file\n");
}

TEST(Utf8, FindsTheFirstInvalidByte) {
  const std::size_t valid = std::string_view::npos;
  // Valid: ASCII, two to four bytes up to U+10FFFF. Invalid: Latin-1, overlong
  // forms of two, three and four bytes, a surrogate, above U+10FFFF, cut short,
  // a lone continuation byte, bytes that start no sequence.
  // clang-format off
  const std::pair<std::string, std::size_t> cases[] = {
      {"", valid}, {"plain ascii", valid}, {"\xC3\xA9t\xC3\xA9", valid}, {"\xE2\x82\xAC", valid},
      {"\xF0\x9F\x8E\xB5", valid}, {"\xF4\x8F\xBF\xBF", valid}, {"a\xE9", 1}, {"\xC0\xAF", 0},
      {"\xE0\x80\xAF", 0}, {"\xE0\x9F\xBF", 0}, {"\xF0\x8F\xBF\xBF", 0}, {"\xED\xA0\x80", 0},
      {"\xF4\x90\x80\x80", 0}, {"ab\xE2\x82", 2}, {"\xC3\xA9\x80", 2}, {"\xF5\xBF", 0},
      {"\xF8\x88\x80\x80\x80", 0},
  };
  // clang-format on
  for (const auto& [text, at] : cases) EXPECT_EQ(invalid_utf8_at(text), at) << text;
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string converted;
  append_latin1_as_utf8(all, converted);
  EXPECT_EQ(converted.size(), 128u + 2 * 128u);
  EXPECT_EQ(invalid_utf8_at(converted), valid);
}

}  // namespace
