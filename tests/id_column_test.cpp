// Identifier columns of quadmine-prepare: integers kept, texts coded in byte
// order whatever the order they come in, and the names of a names file found
// for the identifiers of the events (found through IdColumn::position, which
// quadmine-prepare's names-file runs hold).
#include "prepare/id_column.h"

#include <algorithm>
#include <random>

#include "prepare/names_file.h"
#include "support.h"

using namespace quadmine;  // NOLINT: the tests and benchmarks use the program's names

namespace {

// The codes of `texts` interned in that order, as "text=code" in text order.
std::map<std::string, int> codes_of(const std::vector<std::string>& texts, IdColumn& column) {
  std::vector<std::uint32_t> index;
  for (const std::string& t : texts) index.push_back(column.intern(t));
  column.settle();
  std::map<std::string, int> codes;
  for (std::size_t i = 0; i < texts.size(); ++i) codes[texts[i]] = column.codes()[index[i]];
  return codes;
}

TEST(IdColumn, CodesTextsInByteOrderWhateverTheirOrder) {
  std::vector<std::string> texts = {"rock", "Rock", "indie pop", "7",  "\xC3\xA9t\xC3\xA9",
                                    "zz",   "a",    "a b",       "-3", "007"};
  std::vector<std::string> sorted = texts;
  std::sort(sorted.begin(), sorted.end());  // byte order: "-3" < "007" < "7" < "Rock" < "a" ...
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(texts.begin(), texts.end(), random);
    std::vector<std::string> with_repeats = texts;
    with_repeats.insert(with_repeats.end(), texts.begin(), texts.begin() + round % 5);
    IdColumn column;
    const std::map<std::string, int> codes = codes_of(with_repeats, column);
    EXPECT_TRUE(column.coded());
    for (std::size_t rank = 0; rank < sorted.size(); ++rank) {
      EXPECT_EQ(codes.at(sorted[rank]), static_cast<int>(rank + 1)) << sorted[rank];
      EXPECT_EQ(column.entries()[rank].code, static_cast<int>(rank + 1));
      EXPECT_EQ(column.text(column.entries()[rank].index), sorted[rank]);
    }
  }
}

TEST(IdColumn, KeepsIntegersUntilATextComes) {
  IdColumn ints;
  const auto kept = codes_of({"12", "-4", "007", "7", "+7", " 9", "0", "2147483647"}, ints);
  EXPECT_FALSE(ints.coded());
  // clang-format off
  EXPECT_EQ(kept, (std::map<std::string, int>{{" 9", 9}, {"+7", 7}, {"-4", -4}, {"0", 0},
                                              {"007", 7}, {"12", 12}, {"2147483647", 2147483647},
                                              {"7", 7}}));
  // clang-format on
  std::vector<int> entries;
  for (const IdColumn::Entry& e : ints.entries()) entries.push_back(e.code);
  EXPECT_EQ(entries, (std::vector<int>{-4, 0, 7, 9, 12, 2147483647}));  // one per integer
  // One text that is no int (here one past the range) codes the whole column,
  // the integers met before included, each text apart.
  IdColumn mixed;
  const auto coded = codes_of({"12", "7", "007", "2147483648", "7"}, mixed);
  EXPECT_TRUE(mixed.coded());
  EXPECT_EQ(coded,
            (std::map<std::string, int>{{"007", 1}, {"12", 2}, {"2147483648", 3}, {"7", 4}}));
}

// The names that a names file `text` gives the identifiers `ids`.
Status names_of(const std::string& text, const NamesFile& file, std::vector<std::string> ids,
                std::vector<std::string>& names, BadLines& bad) {
  IdColumn column;
  for (const std::string& id : ids) column.intern(id);
  column.settle();
  std::FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  DelimitedReader reader(in, "names", InputFormat{});
  const Status status = read_names(reader, file, column, names, bad);
  std::fclose(in);
  return status;
}

// (The layouts of the downloads, and a column missing from the header, are run
// whole by the end-to-end tests.)
TEST(NamesFile, NamesTheIdentifiersOfTheEvents) {
  const struct {
    std::string text, id, name;
    std::vector<std::string> ids, names;
  } cases[] = {
      // Columns named; the first line of an id counts.
      {"id\tname\turl\n7\tMuse\thttp://m\n7\tMUSE\tx\n", "id", "name", {"7"}, {"Muse"}},
      // Names for text identifiers; an empty name names nothing.
      {"tag,label\nrock,Rock music\npop,\n", "tag", "2", {"rock", "pop"}, {"", "Rock music"}},
  };
  for (const auto& c : cases) {
    NamesFile file;
    file.id = c.id;
    file.name = c.name;
    BadLines bad(false);
    std::vector<std::string> names;
    EXPECT_TRUE(names_of(c.text, file, c.ids, names, bad).ok()) << c.text;
    EXPECT_EQ(names, c.names) << c.text;
  }
}

TEST(NamesFile, BadLinesAndMissingColumns) {
  NamesFile file;
  std::vector<std::string> names;
  BadLines stop(false);
  EXPECT_EQ(names_of("id\tname\n1\n", file, {"1"}, names, stop).message(),
            "names:2: missing columns: the line has 1 fields, 2 are needed (separator tab; "
            "fields '1')");
  file.name = "2";
  BadLines skip(true);
  EXPECT_TRUE(names_of("id,name\n,x\n1,a\n2,\"b\n", file, {"1", "2"}, names, skip).ok());
  EXPECT_EQ(names, (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(skip.count(), 2);
  EXPECT_EQ(skip.named(), (std::vector<std::string>{
                              "names:2: empty id in column 1",
                              "names:4: unclosed quote (its field runs to the end of the file)"}));
}

}  // namespace
