#include "loader/loader.h"

#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "loader/base_line.h"
#include "loader/run_order.h"
#include "store/globals.h"
#include "store/progress.h"

namespace {

// Reads fp line by line, whole lines of any length, skipping blank ones.
class LineReader {
 public:
  ~LineReader() { std::free(buffer_); }

  enum class Result { Line, End, Invalid, ReadError };

  Result next(Quad& q) {
    for (;;) {
      const ssize_t n = getline(&buffer_, &capacity_, fp);
      if (n < 0) return std::ferror(fp) ? Result::ReadError : Result::End;
      ++line_;
      progress_step(static_cast<std::size_t>(line_));
      switch (parse_base_line(buffer_, static_cast<std::size_t>(n), q)) {
        case LineKind::Quad:
          ++ijk;
          order_.line(q);
          return Result::Line;
        case LineKind::Blank: continue;
        case LineKind::Invalid: return Result::Invalid;
      }
    }
  }

  long line() const { return line_; }
  const RunOrder& order() const { return order_; }

 private:
  RunOrder order_;
  char* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  long line_ = 0;
};

bool same_key(const Quad& a, const Quad& b) {
  return a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

TriConcept start_concept(const Quad& q) {
  TriConcept c;
  c.ts.push_back(q[1]);
  c.rs.push_back(q[2]);
  c.ds.push_back(q[3]);
  return c;
}

LoadResult failure(LineReader::Result r, long line) {
  LoadResult result;
  result.status = r == LineReader::Result::Invalid ? LoadStatus::InvalidLine : LoadStatus::ReadError;
  result.line = r == LineReader::Result::Invalid ? line : line + 1;
  return result;
}

// Scans the base, grouping consecutive lines of the same key.
LoadResult load_groups() {
  LineReader reader;
  Quad cur{};
  Quad prev{};
  bool has_prev = false;

  for (;;) {
    LineReader::Result r = reader.next(cur);
    if (r == LineReader::Result::End) break;
    if (r != LineReader::Result::Line) return failure(r, reader.line());

    if (has_prev && same_key(cur, prev)) {
      // A group starts with the previous line and the current one; read on
      // while the key stays the same.
      TriConcept group = start_concept(cur);
      group.us.push_back(prev[0]);
      group.us.push_back(cur[0]);
      const Quad key = cur;
      bool at_end = false;
      for (;;) {
        r = reader.next(cur);
        if (r == LineReader::Result::End) {
          at_end = true;
          break;
        }
        if (r != LineReader::Result::Line) return failure(r, reader.line());
        if (!same_key(cur, key)) break;
        group.us.push_back(cur[0]);
      }
      if (group.us.size() >= static_cast<std::size_t>(minsupp_u)) {
        ens_tc.push_back(std::move(group));
      }
      if (at_end) break;
      // The line that ended the group is not examined itself: it only becomes
      // the previous line.
    } else if (minsupp_u == 1) {
      TriConcept single = start_concept(cur);
      single.us.push_back(cur[0]);
      ens_tc.push_back(std::move(single));
    }
    prev = cur;
    has_prev = true;
  }
  LoadResult result;
  if (!reader.order().ascending()) result.split = find_split_runs(fp);
  return result;
}

}  // namespace

LoadResult load_la_base() {
  progress_begin("loading the base (lines read)", 0);
  const LoadResult result = load_groups();
  progress_end();
  return result;
}
