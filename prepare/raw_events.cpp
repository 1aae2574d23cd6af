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

bool resolve(const std::string& arg, const std::vector<std::string>* header, Column& column,
             std::string& error) {
  if (is_number(arg)) {
    column.index = std::stoul(arg) - 1;
    column.label = arg;
    return true;
  }
  const auto found = header == nullptr ? std::vector<std::string>::const_iterator{}
                                       : std::find(header->begin(), header->end(), arg);
  if (header == nullptr || found == header->end()) {
    error = "no column named '" + arg + "' in the header";
    return false;
  }
  column.index = static_cast<std::size_t>(found - header->begin());
  column.label = "'" + arg + "'";
  return true;
}

// Decides whether the first line is a header, then resolves every column.
bool plan_layout(const PrepareOptions& o, const std::vector<std::string>& first, bool& header,
                 Layout& layout, std::string& error) {
  const std::vector<const std::string*> d_args = d_column_args(o);
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
  header = o.header == HeaderChoice::Yes ||
           (o.header == HeaderChoice::Detect && (named || d_not_numbers));
  const std::vector<std::string>* names = header ? &first : nullptr;
  if (!resolve(o.user, names, layout.user, error) || !resolve(o.tag, names, layout.tag, error) ||
      !resolve(o.resource, names, layout.resource, error)) {
    return false;
  }
  for (const std::string* arg : d_args) {
    layout.d.emplace_back();
    if (!resolve(*arg, names, layout.d.back(), error)) return false;
  }
  layout.needed = std::max({layout.user.index, layout.tag.index, layout.resource.index}) + 1;
  for (const Column& c : layout.d) layout.needed = std::max(layout.needed, c.index + 1);
  return true;
}

bool take_id(const std::vector<std::string>& fields, const Column& column, const char* what,
             IdColumn& ids, int& index, std::string& error) {
  const std::string& text = fields[column.index];
  if (text.empty()) {
    error = std::string("empty ") + what + " in column " + column.label;
    return false;
  }
  index = static_cast<int>(ids.intern(text));
  return true;
}

bool take_d(const std::vector<std::string>& fields, const Layout& layout, const PrepareOptions& o,
            int& d, std::string& error) {
  std::int64_t values[3] = {0, 0, 0};
  for (std::size_t i = 0; i < layout.d.size(); ++i) {
    const std::string& text = fields[layout.d[i].index];
    if (!d_number(text, o, values[i])) {
      error = "bad number '" + text + "' in column " + layout.d[i].label;
      return false;
    }
  }
  bool ok = false;
  if (o.d_source == DSource::Column) {
    d = static_cast<int>(values[0]);
    return true;
  }
  if (o.d_source == DSource::Time) {
    const std::int64_t t = values[0];
    const std::int64_t seconds =
        o.milliseconds ? (t >= 0 ? t / 1000 : -((-(t + 1)) / 1000) - 1) : t;
    ok = unix_time_code(seconds, o.period, d);
  } else {
    CalendarDate date;
    date.year = values[0];
    if (layout.d.size() > 1) date.month = values[1];
    if (layout.d.size() > 2) date.day = values[2];
    ok = calendar_code(date, o.period, d);
  }
  if (!ok) {
    error = "bad date";
    for (std::size_t i = 0; i < layout.d.size(); ++i) {
      error += (i == 0 ? " '" : "', '") + fields[layout.d[i].index];
    }
    error += "'";
  }
  return ok;
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
    out.quads.push_back(Quad{users[static_cast<std::size_t>(r.user)],
                             tags[static_cast<std::size_t>(r.tag)],
                             resources[static_cast<std::size_t>(r.resource)], r.d});
  }
  const auto by_resource_d_tag_user = [](const Quad& a, const Quad& b) {
    return std::tie(a[2], a[3], a[1], a[0]) < std::tie(b[2], b[3], b[1], b[0]);
  };
  std::sort(out.quads.begin(), out.quads.end(), by_resource_d_tag_user);
  out.quads.erase(std::unique(out.quads.begin(), out.quads.end()), out.quads.end());
}

}  // namespace

bool read_raw_events(std::FILE* in, const std::string& name, const PrepareOptions& o,
                     PreparedBase& out, std::string& error) {
  TextLineReader reader;
  std::string_view line;
  std::vector<std::string> fields;
  std::vector<Row> rows;
  Layout layout;
  bool planned = false;
  long number = 0;
  const auto fail = [&](long at) {
    error = name + ":" + std::to_string(at) + ": " + error;
    return false;
  };
  while (reader.next(in, line)) {
    ++number;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // UTF-8 mark
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    if (!planned) layout.separator = o.separator_given ? o.separator : detect_separator(line);
    if (!split_fields(line, layout.separator, fields)) {
      error = "unclosed quote";
      return fail(number);
    }
    if (!planned) {
      planned = true;
      bool header = false;
      if (!plan_layout(o, fields, header, layout, error)) return fail(number);
      if (header) continue;
    }
    if (fields.size() < layout.needed) {
      error = "missing columns: the line has " + std::to_string(fields.size()) + " fields, " +
              std::to_string(layout.needed) + " are needed";
      return fail(number);
    }
    Row row{};
    if (!take_id(fields, layout.user, "user", out.users, row.user, error) ||
        !take_id(fields, layout.tag, "tag", out.tags, row.tag, error) ||
        !take_id(fields, layout.resource, "resource", out.resources, row.resource, error) ||
        !take_d(fields, layout, o, row.d, error)) {
      return fail(number);
    }
    rows.push_back(row);
  }
  if (std::ferror(in) != 0) {
    error = "read error";
    return fail(number + 1);
  }
  out.events = static_cast<long>(rows.size());
  finish(rows, out);
  return true;
}

}  // namespace quadmine
