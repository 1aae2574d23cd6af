#include "prepare/prepared_files.h"

#include <charconv>
#include <cstdio>

#include "formats/code_dictionary.h"
#include "util/atomic_files.h"
#include "util/progress.h"

namespace quadmine {

namespace {

constexpr const char* kSuffixes[kDimensions] = {".users", ".tags", ".resources"};

// The base lines, formatted by hand into a buffer: the base can hold millions.
void write_base(std::FILE* out, const std::vector<Quadruple>& quads) {
  constexpr std::size_t kLine = 4 * 12;  // four ints with their signs and separators
  char buffer[1 << 16];
  std::size_t used = 0;
  for (std::size_t i = 0; i < quads.size(); ++i) {
    progress_step(i);
    if (sizeof buffer - used < kLine) {
      std::fwrite(buffer, 1, used, out);
      used = 0;
    }
    for (int k = 0; k < 4; ++k) {
      char* end = std::to_chars(buffer + used, buffer + sizeof buffer, quads[i][k]).ptr;
      *end = k < 3 ? ' ' : '\n';
      used = static_cast<std::size_t>(end + 1 - buffer);
    }
  }
  std::fwrite(buffer, 1, used, out);
}

void write_dictionary(std::FILE* out, const IdColumn& column,
                      const std::optional<std::vector<std::string>>& names, DictionaryKind kind) {
  const std::vector<IdColumn::Entry>& entries = column.entries();
  for (std::size_t p = 0; p < entries.size(); ++p) {
    const int code = entries[p].code;
    if (names && !(*names)[p].empty()) {
      write_code_dictionary_line(out, kind, code, (*names)[p]);
    } else if (column.coded()) {
      write_code_dictionary_line(out, kind, code, column.text(entries[p].index));
    } else {
      write_code_dictionary_line(out, kind, code, std::to_string(code));
    }
  }
}

}  // namespace

std::vector<DictionaryTarget> dictionary_targets(const PreparedBase& prepared,
                                                 const ColumnNames& names,
                                                 const std::string& base) {
  std::vector<DictionaryTarget> targets;
  for (int k = 0; k < kDimensions; ++k) {
    if (prepared.columns[k].coded() || names[k]) {
      targets.push_back(DictionaryTarget{static_cast<Dimension>(k), base + kSuffixes[k]});
    }
  }
  return targets;
}

long unnamed(const std::vector<std::string>& names) {
  long count = 0;
  for (const std::string& name : names) count += name.empty() ? 1 : 0;
  return count;
}

Status write_prepared(const PreparedBase& prepared, const ColumnNames& names,
                      const std::vector<DictionaryTarget>& targets, const std::string& base) {
  AtomicFiles files(NonRegularTargets::WriteInto);
  for (const DictionaryTarget& target : targets) {
    const Result<std::FILE*> out = files.create(target.path);
    if (!out.ok()) return out.status();
    const DictionaryKind kind =
        target.dimension == kResources ? DictionaryKind::Resource : DictionaryKind::Tag;
    write_dictionary(out.value(), prepared.columns[target.dimension], names[target.dimension],
                     kind);
  }
  const Result<std::FILE*> out = files.create(base);
  if (!out.ok()) return out.status();
  progress_begin("writing the base", prepared.quads.size());
  write_base(out.value(), prepared.quads);
  progress_end();
  return files.commit();
}

}  // namespace quadmine
