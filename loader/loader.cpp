#include "loader/loader.h"

#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "driver/progress.h"
#include "loader/base_line.h"
#include "store/globals.h"
#include "store/thresholds.h"
#include "text/line_reader.h"

namespace {

// The quadruples of a base, in order, skipping blank lines.
class QuadReader {
 public:
  explicit QuadReader(std::FILE* base) : base_(base) {}

  enum class Result { Quadruple, End, Invalid, ReadError };

  Result next(Quad& quad) {
    std::string_view line;
    for (;;) {
      if (!lines_.next(base_, line)) return std::ferror(base_) ? Result::ReadError : Result::End;
      ++line_number_;
      progress_step(static_cast<std::size_t>(line_number_));
      switch (parse_base_line(line.data(), line.size(), quad)) {
        case LineKind::Quadruple:
          ++quads_;
          return Result::Quadruple;
        case LineKind::Blank:
          continue;
        case LineKind::Invalid:
          return Result::Invalid;
      }
    }
  }

  long line_number() const { return line_number_; }
  int quads() const { return quads_; }

 private:
  std::FILE* base_;
  TextLineReader lines_;
  long line_number_ = 0;
  int quads_ = 0;
};

bool same_key(const Quad& a, const Quad& b) { return a[1] == b[1] && a[2] == b[2] && a[3] == b[3]; }

TriConcept start_concept(const Quad& quad) {
  TriConcept c;
  c.ts.push_back(quad[1]);
  c.rs.push_back(quad[2]);
  c.ds.push_back(quad[3]);
  return c;
}

// Groups consecutive lines of the same (tag, resource, D) key into concepts.
class Grouping {
 public:
  Grouping(std::FILE* base, int min_users, std::vector<TriConcept>& store)
      : reader_(base), minsupp_u_(min_users), store_(store) {}

  LoadResult run() {
    Quad previous{};
    Quad current{};
    bool has_previous = false;
    QuadReader::Result r = reader_.next(current);
    while (r == QuadReader::Result::Quadruple) {
      if (has_previous && same_key(current, previous)) {
        // A group starts with the previous line and the current one. The line
        // that ends it is not examined itself: it only becomes the previous
        // line.
        r = read_group(previous, current);
        if (r != QuadReader::Result::Quadruple) break;
      } else if (minsupp_u_ == 1) {
        TriConcept single = start_concept(current);
        single.us.push_back(current[0]);
        store_.push_back(std::move(single));
      }
      previous = current;
      has_previous = true;
      r = reader_.next(current);
    }
    return r == QuadReader::Result::End ? LoadResult{} : failure(r);
  }

  int quads() const { return reader_.quads(); }

 private:
  // Reads on while the key of `current` lasts; `current` then holds the line
  // that ended the group (unless the base ended or failed).
  QuadReader::Result read_group(const Quad& previous, Quad& current) {
    TriConcept group = start_concept(current);
    group.us.push_back(previous[0]);
    group.us.push_back(current[0]);
    const Quad key = current;
    QuadReader::Result r;
    while ((r = reader_.next(current)) == QuadReader::Result::Quadruple && same_key(current, key)) {
      group.us.push_back(current[0]);
    }
    if (r != QuadReader::Result::Invalid && r != QuadReader::Result::ReadError &&
        reaches(group.us.size(), minsupp_u_)) {
      store_.push_back(std::move(group));
    }
    return r;
  }

  LoadResult failure(QuadReader::Result r) const {
    LoadResult result;
    const bool invalid = r == QuadReader::Result::Invalid;
    result.status = invalid ? LoadStatus::InvalidLine : LoadStatus::ReadError;
    result.line = invalid ? reader_.line_number() : reader_.line_number() + 1;
    return result;
  }

  QuadReader reader_;
  const int minsupp_u_;
  std::vector<TriConcept>& store_;
};

}  // namespace

LoadResult load_la_base() {
  progress_begin("loading the base (lines read)", 0);
  Grouping grouping(fp, minsupp_u, ens_tc);
  const LoadResult result = grouping.run();
  ijk = grouping.quads();
  progress_end();
  return result;
}
