#include "prepare/raw_events.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>
#include <tuple>

#include "text/line_reader.h"

namespace quadmine {

namespace {

struct Column {
  std::size_t index = 0;
  std::string label;  // how messages name it
};

// The columns of one run, resolved against the header when there is one.
struct Layout {
  Separator separator = Separator::Blanks;
  Column user, tag, resource;
  std::vector<Column> d;   // --d or --time: one; calendar: year [month [day]]
  std::size_t needed = 0;  // fields a line must have
  bool header = false;     // the first non-blank line names the columns
};

// A number of a D column: a 64-bit integer for a time (milliseconds go past
// the int range), an int as in the base otherwise.
bool d_number(const std::string& text, const PrepareOptions& o, std::int64_t& out) {
  if (o.d_source == DSource::Time) {
    const char* end = text.data() + text.size();
    const auto parsed = std::from_chars(text.data(), end, out);
    return !text.empty() && parsed.ec == std::errc() && parsed.ptr == end;
  }
  int value = 0;
  if (!whole_int(text, value)) return false;
  out = value;
  return true;
}

bool is_number(const std::string& arg) {
  return arg.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<const std::string*> d_column_args(const PrepareOptions& o) {
  if (o.d_source == DSource::Column) return {&o.d};
  if (o.d_source == DSource::Time) return {&o.time};
  std::vector<const std::string*> args = {&o.year};
  if (!o.month.empty()) args.push_back(&o.month);
  if (!o.day.empty()) args.push_back(&o.day);
  return args;
}

Status resolve(const std::string& arg, const std::vector<std::string>* header, Column& column) {
  if (is_number(arg)) {
    column.index = std::stoul(arg) - 1;
    column.label = arg;
    return {};
  }
  const auto found = header == nullptr ? std::vector<std::string>::const_iterator{}
                                       : std::find(header->begin(), header->end(), arg);
  if (header == nullptr || found == header->end()) {
    return Status::error("no column named '" + arg + "' in the header");
  }
  column.index = static_cast<std::size_t>(found - header->begin());
  column.label = "'" + arg + "'";
  return {};
}

// Whether the first line is a header: as the options say, or when a column is
// given by name or the line's D columns are not numbers.
bool is_header(const PrepareOptions& o, const std::vector<std::string>& first,
               const std::vector<const std::string*>& d_args) {
  if (o.header != HeaderChoice::Detect) return o.header == HeaderChoice::Yes;
  bool named = !is_number(o.user) || !is_number(o.tag) || !is_number(o.resource);
  bool d_not_numbers = false;
  for (const std::string* arg : d_args) {
    named = named || !is_number(*arg);
    std::int64_t value = 0;
    if (is_number(*arg)) {
      const std::size_t i = std::stoul(*arg) - 1;
      d_not_numbers = d_not_numbers || (i < first.size() && !d_number(first[i], o, value));
    }
  }
  return named || d_not_numbers;
}

// Decides whether the first line is a header, then resolves every column.
Status plan_layout(const PrepareOptions& o, const std::vector<std::string>& first, Layout& layout) {
  const std::vector<const std::string*> d_args = d_column_args(o);
  layout.header = is_header(o, first, d_args);
  const std::vector<std::string>* names = layout.header ? &first : nullptr;
  Status status = resolve(o.user, names, layout.user);
  if (status.ok()) status = resolve(o.tag, names, layout.tag);
  if (status.ok()) status = resolve(o.resource, names, layout.resource);
  for (const std::string* arg : d_args) {
    if (!status.ok()) break;
    layout.d.emplace_back();
    status = resolve(*arg, names, layout.d.back());
  }
  if (!status.ok()) return status;
  layout.needed = std::max({layout.user.index, layout.tag.index, layout.resource.index}) + 1;
  for (const Column& c : layout.d) layout.needed = std::max(layout.needed, c.index + 1);
  return {};
}

Status take_id(const std::vector<std::string>& fields, const Column& column, const char* what,
               IdColumn& ids, int& index) {
  const std::string& text = fields[column.index];
  if (text.empty())
    return Status::error(std::string("empty ") + what + " in column " + column.label);
  index = static_cast<int>(ids.intern(text));
  return {};
}

// The code of the period of a time or of calendar values.
bool period_code(const std::int64_t (&values)[3], std::size_t count, const PrepareOptions& o,
                 int& d) {
  if (o.d_source == DSource::Time) {
    const std::int64_t t = values[0];
    const std::int64_t seconds =
        o.milliseconds ? (t >= 0 ? t / 1000 : -((-(t + 1)) / 1000) - 1) : t;
    return unix_time_code(seconds, o.period, d);
  }
  CalendarDate date;
  date.year = values[0];
  if (count > 1) date.month = values[1];
  if (count > 2) date.day = values[2];
  return calendar_code(date, o.period, d);
}

Status take_d(const std::vector<std::string>& fields, const Layout& layout, const PrepareOptions& o,
              int& d) {
  std::int64_t values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < layout.d.size(); ++i) {
    const std::string& text = fields[layout.d[i].index];
    if (!d_number(text, o, values[i])) {
      return Status::error("bad number '" + text + "' in column " + layout.d[i].label);
    }
  }
  if (o.d_source == DSource::Column) {
    d = static_cast<int>(values[0]);
    return {};
  }
  if (period_code(values, layout.d.size(), o, d)) return {};
  std::string error = "bad date";
  for (std::size_t i = 0; i < layout.d.size(); ++i) {
    error += (i == 0 ? " '" : "', '") + fields[layout.d[i].index];
  }
  return Status::error(error + "'");
}

struct Row {
  int user, tag, resource, d;  // user/tag/resource: indexes into the IdColumns
};

void finish(const std::vector<Row>& rows, PreparedBase& out) {
  const std::vector<int> users = out.users.ids();
  const std::vector<int> tags = out.tags.ids();
  const std::vector<int> resources = out.resources.ids();
  out.quads.reserve(rows.size());
  for (const Row& r : rows) {
    out.quads.push_back(Quadruple{users[static_cast<std::size_t>(r.user)],
                                  tags[static_cast<std::size_t>(r.tag)],
                                  resources[static_cast<std::size_t>(r.resource)], r.d});
  }
  const auto by_resource_d_tag_user = [](const Quadruple& a, const Quadruple& b) {
    return std::tie(a[2], a[3], a[1], a[0]) < std::tie(b[2], b[3], b[1], b[0]);
  };
  std::sort(out.quads.begin(), out.quads.end(), by_resource_d_tag_user);
  out.quads.erase(std::unique(out.quads.begin(), out.quads.end()), out.quads.end());
}

// What the lines read so far give.
struct ReadState {
  Layout layout;
  bool planned = false;  // the layout is known, from the first non-blank line
  std::vector<std::string> fields;
  std::vector<Row> rows;
};

// A line without its line end, and the first without a UTF-8 byte order mark.
std::string_view content(std::string_view line, long number) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
  return line;
}

Status take_row(const std::vector<std::string>& fields, const Layout& layout,
                const PrepareOptions& o, PreparedBase& out, Row& row) {
  if (fields.size() < layout.needed) {
    return Status::error("missing columns: the line has " + std::to_string(fields.size()) +
                         " fields, " + std::to_string(layout.needed) + " are needed");
  }
  Status status = take_id(fields, layout.user, "user", out.users, row.user);
  if (status.ok()) status = take_id(fields, layout.tag, "tag", out.tags, row.tag);
  if (status.ok())
    status = take_id(fields, layout.resource, "resource", out.resources, row.resource);
  if (status.ok()) status = take_d(fields, layout, o, row.d);
  return status;
}

// One line of the file: nothing when blank, the layout from the first other
// line (nothing more when it is the header), a row from every data line.
Status take_line(std::string_view line, const PrepareOptions& o, ReadState& s, PreparedBase& out) {
  if (line.find_first_not_of(" \t") == std::string_view::npos) return {};
  if (!s.planned) s.layout.separator = o.separator_given ? o.separator : detect_separator(line);
  if (!split_fields(line, s.layout.separator, s.fields)) return Status::error("unclosed quote");
  if (!s.planned) {
    s.planned = true;
    const Status planned = plan_layout(o, s.fields, s.layout);
    if (!planned.ok() || s.layout.header) return planned;
  }
  Row row{};
  Status status = take_row(s.fields, s.layout, o, out, row);
  if (status.ok()) s.rows.push_back(row);
  return status;
}

}  // namespace

Result<PreparedBase> read_raw_events(std::FILE* in, const std::string& name,
                                     const PrepareOptions& o) {
  TextLineReader reader;
  std::string_view line;
  ReadState state;
  PreparedBase out;
  long number = 0;
  while (reader.next(in, line)) {
    ++number;
    const Status status = take_line(content(line, number), o, state, out);
    if (!status.ok()) return line_error(name, number, status.message());
  }
  if (std::ferror(in) != 0) return line_error(name, number + 1, "read error");
  out.events = static_cast<long>(state.rows.size());
  finish(state.rows, out);
  return out;
}

}  // namespace quadmine
