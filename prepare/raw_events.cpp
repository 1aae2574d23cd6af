#include "prepare/raw_events.h"

#include <algorithm>
#include <tuple>

#include "prepare/columns.h"
#include "util/progress.h"

namespace quadmine {

namespace {

// The columns of one run, resolved against the header when there is one.
struct Layout {
  std::array<Column, kDimensions> ids;  // user, tag, resource
  std::vector<Column> d;                // --d or --time: one; calendar: year [month [day]]
  std::size_t needed = 0;               // fields a line must have
  bool header = false;                  // the first record names the columns
};

constexpr const char* kIdNames[kDimensions] = {"user", "tag", "resource"};

std::vector<const std::string*> d_column_args(const PrepareOptions& o) {
  if (o.d_source == DSource::Column) return {&o.d};
  if (o.d_source == DSource::Time) return {&o.time};
  std::vector<const std::string*> args = {&o.year};
  if (!o.month.empty()) args.push_back(&o.month);
  if (!o.day.empty()) args.push_back(&o.day);
  return args;
}

// Whether `text` can be a value of a D column: a time for --time, an int
// otherwise.
bool is_d_value(std::string_view text, const PrepareOptions& o) {
  std::int64_t seconds = 0;
  int value = 0;
  return o.d_source == DSource::Time ? parse_time(text, o.unit, seconds) : whole_int(text, value);
}

// Whether the first record is a header: as the options say, or when a column
// is given by name or the record's D columns do not hold values of D.
bool is_header(const PrepareOptions& o, const Record& first,
               const std::vector<const std::string*>& d_args) {
  if (o.header != HeaderChoice::Detect) return o.header == HeaderChoice::Yes;
  bool named =
      !is_column_number(o.user) || !is_column_number(o.tag) || !is_column_number(o.resource);
  bool not_d = false;
  for (const std::string* arg : d_args) {
    named = named || !is_column_number(*arg);
    if (!is_column_number(*arg)) continue;
    const std::size_t i = std::stoul(*arg) - 1;
    not_d = not_d || (i < first.size() && !is_d_value(first[i], o));
  }
  return named || not_d;
}

// Decides whether the first record is a header, then finds every column.
Status plan_layout(const PrepareOptions& o, const Record& first, Separator separator,
                   Layout& layout) {
  const std::vector<const std::string*> d_args = d_column_args(o);
  layout.header = is_header(o, first, d_args);
  const Record* header = layout.header ? &first : nullptr;
  const std::string* id_args[kDimensions] = {&o.user, &o.tag, &o.resource};
  std::vector<Column*> targets;
  std::vector<const std::string*> args;
  for (int k = 0; k < kDimensions; ++k) {
    targets.push_back(&layout.ids[k]);
    args.push_back(id_args[k]);
  }
  layout.d.resize(d_args.size());
  for (std::size_t i = 0; i < d_args.size(); ++i) {
    targets.push_back(&layout.d[i]);
    args.push_back(d_args[i]);
  }
  for (std::size_t i = 0; i < targets.size(); ++i) {
    Result<Column> column = find_column(*args[i], header, separator);
    if (!column.ok()) return column.status();
    *targets[i] = column.value();
    layout.needed = std::max(layout.needed, targets[i]->index + 1);
  }
  return {};
}

std::string quoted_values(const Record& record, const Layout& layout) {
  std::string values;
  for (std::size_t i = 0; i < layout.d.size(); ++i) {
    values += (i == 0 ? "'" : ", '") + std::string(record[layout.d[i].index]) + "'";
  }
  return values;
}

// The period code of the calendar columns.
Status calendar_d(const Record& record, const Layout& layout, const PrepareOptions& o, int& d) {
  int values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < layout.d.size(); ++i) {
    const std::string_view text = record[layout.d[i].index];
    if (!whole_int(text, values[i])) {
      return Status::error("bad number '" + std::string(text) + "' in column " + layout.d[i].label);
    }
  }
  CalendarDate date;
  date.year = values[0];
  if (layout.d.size() > 1) date.month = values[1];
  if (layout.d.size() > 2) date.day = values[2];
  if (calendar_code(date, o.period, d)) return {};
  const bool bad_year = date.year < kFirstYear || date.year > kLastYear;
  return Status::error("bad date " + quoted_values(record, layout) +
                       (bad_year ? " (years run from 1000 to 9999)" : ""));
}

Status take_d(const Record& record, const Layout& layout, const PrepareOptions& o, int& d) {
  if (o.d_source == DSource::Calendar) return calendar_d(record, layout, o, d);
  const Column& column = layout.d[0];
  const std::string_view text = record[column.index];
  if (o.d_source == DSource::Time) return time_code(text, o.unit, o.period, column.label, d);
  if (whole_int(text, d)) return {};
  return Status::error("bad number '" + std::string(text) + "' in column " + column.label);
}

// A data record as a row of identifier indexes and D; the identifiers are
// added to their columns only once the whole record is known to be good.
Status take_row(const Record& record, const Layout& layout, Separator separator,
                const PrepareOptions& o, PreparedBase& out) {
  if (record.size() < layout.needed) {
    return Status::error(missing_columns(record, layout.needed, separator));
  }
  for (int k = 0; k < kDimensions; ++k) {
    if (record[layout.ids[k].index].empty()) {
      return Status::error(std::string("empty ") + kIdNames[k] + " in column " +
                           layout.ids[k].label);
    }
  }
  Quadruple row{};
  if (Status status = take_d(record, layout, o, row[3]); !status.ok()) return status;
  for (int k = 0; k < kDimensions; ++k) {
    row[k] = static_cast<int>(out.columns[k].intern(record[layout.ids[k].index]));
  }
  out.quads.push_back(row);
  return {};
}

// Settles the columns, turns the rows of indexes into quadruples of codes,
// then sorts them and drops the repeated ones.
void finish(PreparedBase& out) {
  out.events = static_cast<long>(out.quads.size());
  for (IdColumn& column : out.columns) column.settle();
  for (Quadruple& q : out.quads) {
    for (int k = 0; k < kDimensions; ++k) {
      q[k] = out.columns[k].codes()[static_cast<std::size_t>(q[k])];
    }
  }
  const auto by_resource_d_tag_user = [](const Quadruple& a, const Quadruple& b) {
    return std::tie(a[2], a[3], a[1], a[0]) < std::tie(b[2], b[3], b[1], b[0]);
  };
  std::sort(out.quads.begin(), out.quads.end(), by_resource_d_tag_user);
  out.quads.erase(std::unique(out.quads.begin(), out.quads.end()), out.quads.end());
}

}  // namespace

Result<PreparedBase> read_raw_events(DelimitedReader& reader, const PrepareOptions& o,
                                     BadLines& bad) {
  PreparedBase out;
  Record record;
  Layout layout;
  bool planned = false;
  while (reader.next(record)) {
    progress_step(reader.bytes_read());
    if (!planned && record.bad()) {
      return line_error(reader.name(), record.problem_line(), record.problem());
    }
    if (!planned) {
      planned = true;
      const Status status = plan_layout(o, record, reader.separator(), layout);
      if (!status.ok()) return line_error(reader.name(), record.line(), status.message());
      if (layout.header) continue;
    }
    const Status status = record.bad() ? Status::error(record.problem())
                                       : take_row(record, layout, reader.separator(), o, out);
    if (status.ok()) continue;
    const long line = record.bad() ? record.problem_line() : record.line();
    if (Status taken = bad.take(reader.name(), line, status.message()); !taken.ok()) return taken;
  }
  if (reader.read_failed()) return line_error(reader.name(), reader.lines() + 1, "read error");
  finish(out);
  return out;
}

}  // namespace quadmine
