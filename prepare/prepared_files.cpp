#include "prepare/prepared_files.h"

#include <cstdio>

#include "formats/code_dictionary.h"
#include "util/atomic_files.h"

namespace quadmine {

namespace {

// A dictionary to write beside the base.
struct DictionaryOutput {
  const IdColumn* column;
  const char* suffix;
  DictionaryKind kind;
};

void write_base(std::FILE* out, const std::vector<Quadruple>& quads) {
  for (const Quadruple& q : quads) std::fprintf(out, "%d %d %d %d\n", q[0], q[1], q[2], q[3]);
}

}  // namespace

Result<std::vector<std::string>> write_prepared(const PreparedBase& prepared,
                                                const std::string& base) {
  const DictionaryOutput dictionaries[] = {
      {&prepared.users, ".users", DictionaryKind::Tag},
      {&prepared.tags, ".tags", DictionaryKind::Tag},
      {&prepared.resources, ".resources", DictionaryKind::Resource}};
  AtomicFiles files;
  std::vector<std::string> written;
  for (const DictionaryOutput& d : dictionaries) {
    if (!d.column->coded()) continue;
    written.push_back(base + d.suffix);
    const Result<std::FILE*> out = files.create(written.back());
    if (!out.ok()) return out.status();
    write_code_dictionary(out.value(), d.kind, d.column->texts());
  }
  const Result<std::FILE*> out = files.create(base);
  if (!out.ok()) return out.status();
  write_base(out.value(), prepared.quads);
  if (Status committed = files.commit(); !committed.ok()) return committed;
  return written;
}

}  // namespace quadmine
