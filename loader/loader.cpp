#include "loader/loader.h"

#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "loader/base_line.h"
#include "loader/run_order.h"
#include "store/globals.h"
#include "store/thresholds.h"
#include "text/line_reader.h"
#include "util/progress.h"

namespace quadmine {

namespace {

// The quadruples of a base, in order, skipping blank lines.
class QuadReader {
 public:
  explicit QuadReader(std::FILE* base) : base_(base) {}

  enum class Result { Quadruple, End, Invalid, ReadError, TooLong };

  Result next(Quad& quad) {
    std::string_view line;
    for (;;) {
      if (!lines_.next(base_, line)) return std::ferror(base_) ? Result::ReadError : Result::End;
      ++line_number_;
      progress_step(static_cast<std::size_t>(line_number_));
      switch (parse_base_line(line.data(), line.size(), quad)) {
        case LineKind::WideQuadruple:
          if (wide_.lines++ == 0) wide_.first_line = line_number_;
          [[fallthrough]];
        case LineKind::Quadruple:
          if (quads_ == kMaxBaseLines) return Result::TooLong;
          ++quads_;
          order_.line(quad);
          return Result::Quadruple;
        case LineKind::Blank:
          continue;
        case LineKind::Invalid:
          return Result::Invalid;
      }
    }
  }

  long line_number() const { return line_number_; }
  std::FILE* base() const { return base_; }
  int quads() const { return quads_; }
  const WideLines& wide() const { return wide_; }
  const RunOrder& order() const { return order_; }

 private:
  std::FILE* base_;
  RunOrder order_;
  TextLineReader lines_;
  long line_number_ = 0;
  int quads_ = 0;
  WideLines wide_;
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
  Grouping(std::FILE* base, const std::string& name, int min_users, std::vector<TriConcept>& store)
      : reader_(base), name_(name), minsupp_u_(min_users), store_(store) {}

  Result<LoadSummary> run() {
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
    if (r != QuadReader::Result::End) return failure(r);
    LoadSummary summary;
    summary.lines = reader_.quads();
    summary.wide = reader_.wide();
    if (!reader_.order().ascending()) summary.split = find_split_runs(reader_.base());
    return summary;
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
    if ((r == QuadReader::Result::Quadruple || r == QuadReader::Result::End) &&
        reaches(group.us.size(), minsupp_u_)) {
      store_.push_back(std::move(group));
    }
    return r;
  }

  Status failure(QuadReader::Result r) const {
    const std::string line = std::to_string(reader_.line_number());
    switch (r) {
      case QuadReader::Result::Invalid:
        return Status::error("Ligne " + line + " de la base " + name_ +
                             " invalide : quatre entiers attendus");
      case QuadReader::Result::TooLong:
        return Status::error("Base " + name_ + " trop longue : plus de " +
                             std::to_string(kMaxBaseLines) + " lignes a la ligne " + line);
      default:
        return Status::error("Lecture de la base " + name_ + " impossible a la ligne " +
                             std::to_string(reader_.line_number() + 1));
    }
  }

  QuadReader reader_;
  const std::string& name_;
  const int minsupp_u_;
  std::vector<TriConcept>& store_;
};

}  // namespace

Result<LoadSummary> load_base(std::FILE* base, const std::string& name, int min_users,
                              std::vector<TriConcept>& store) {
  progress_begin("loading the base (lines read)", 0);
  Grouping grouping(base, name, min_users, store);
  Result<LoadSummary> result = grouping.run();
  progress_end();
  return result;
}

}  // namespace quadmine

quadmine::Result<quadmine::LoadSummary> load_la_base() {
  quadmine::Result<quadmine::LoadSummary> result = quadmine::load_base(fp, "", minsupp_u, ens_tc);
  ijk = result.ok() ? result->lines : 0;
  return result;
}
