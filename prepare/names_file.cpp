#include "prepare/names_file.h"

#include <algorithm>
#include <optional>

#include "prepare/columns.h"
#include "util/progress.h"

namespace quadmine {

namespace {

struct NamesLayout {
  Column id, name;
  std::size_t needed = 0;
};

Status plan(const NamesFile& file, const Record& header, Separator separator, NamesLayout& layout) {
  Result<Column> id = find_column(file.id, &header, separator);
  if (!id.ok()) return id.status();
  Result<Column> name = find_column(file.name, &header, separator);
  if (!name.ok()) return name.status();
  layout.id = id.value();
  layout.name = name.value();
  layout.needed = std::max(layout.id.index, layout.name.index) + 1;
  return {};
}

// One data record: its name goes to the entry of its identifier.
Status take_name(const Record& record, const NamesLayout& layout, Separator separator,
                 const IdColumn& column, std::vector<std::string>& names) {
  if (record.bad()) return Status::error(record.problem());
  if (record.size() < layout.needed) {
    return Status::error(missing_columns(record, layout.needed, separator));
  }
  const std::string_view id = record[layout.id.index];
  if (id.empty()) return Status::error("empty id in column " + layout.id.label);
  const std::optional<std::size_t> position = column.position(id);
  if (position && names[*position].empty()) names[*position] = record[layout.name.index];
  return {};
}

}  // namespace

Status read_names(DelimitedReader& reader, const NamesFile& file, const IdColumn& column,
                  std::vector<std::string>& names, BadLines& bad) {
  names.assign(column.entries().size(), std::string());
  Record record;
  NamesLayout layout;
  bool planned = false;
  while (reader.next(record)) {
    progress_step(reader.bytes_read());
    if (!planned) {
      planned = true;
      Status status = record.bad() ? Status::error(record.problem())
                                   : plan(file, record, reader.separator(), layout);
      if (status.ok()) continue;
      return line_error(reader.name(), record.bad() ? record.problem_line() : record.line(),
                        status.message());
    }
    const Status status = take_name(record, layout, reader.separator(), column, names);
    if (status.ok()) continue;
    const long line = record.bad() ? record.problem_line() : record.line();
    if (Status taken = bad.take(reader.name(), line, status.message()); !taken.ok()) return taken;
  }
  if (reader.read_failed()) return line_error(reader.name(), reader.lines() + 1, "read error");
  return {};
}

}  // namespace quadmine
