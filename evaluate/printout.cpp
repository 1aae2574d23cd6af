#include "evaluate/printout.h"

#include "formats/json_text.h"

namespace quadmine {

namespace {

void print_text(std::FILE* out, const EvaluationReport& r) {
  const Thresholds& t = r.thresholds;
  std::fprintf(out, "base               %s\n", r.base.c_str());
  std::fprintf(out, "split              %d (training: d < %d, test: d >= %d)\n", r.split, r.split,
               r.split);
  std::fprintf(out, "thresholds         %d %d %d %d\n", t.u, t.t, t.r, t.d);
  std::fprintf(out, "training lines     %ld\n", r.training_lines);
  std::fprintf(out, "test lines         %ld\n", r.test_lines);
  std::fprintf(out, "reported concepts  %zu\n", r.concepts);
  std::fprintf(out, "evaluated users    %zu\n", r.evaluated_users);
  std::fprintf(out, "\n%-15s %5s %10s %10s %10s %10s\n", "method", "k", "precision", "recall",
               "hit rate", "coverage");
  for (const Score& s : r.scores) {
    std::fprintf(out, "%-15s %5zu %10.4f %10.4f %10.4f %10.4f\n", method_name(s.method), s.k,
                 s.precision, s.recall, s.hit_rate, s.coverage);
  }
}

void print_tsv(std::FILE* out, const EvaluationReport& r) {
  std::fputs("method\tk\tusers\tprecision\trecall\thit_rate\tcoverage\n", out);
  for (const Score& s : r.scores) {
    std::fprintf(out, "%s\t%zu\t%zu\t%.6f\t%.6f\t%.6f\t%.6f\n", method_name(s.method), s.k, s.users,
                 s.precision, s.recall, s.hit_rate, s.coverage);
  }
}

void print_json(std::FILE* out, const EvaluationReport& r) {
  const Thresholds& t = r.thresholds;
  std::fprintf(out, "{\n  \"base\": %s,\n  \"split\": %d,\n", json_string(r.base).c_str(), r.split);
  std::fprintf(out, "  \"thresholds\": [%d, %d, %d, %d],\n", t.u, t.t, t.r, t.d);
  std::fprintf(out, "  \"training_lines\": %ld,\n  \"test_lines\": %ld,\n", r.training_lines,
               r.test_lines);
  std::fprintf(out, "  \"reported_concepts\": %zu,\n  \"evaluated_users\": %zu,\n", r.concepts,
               r.evaluated_users);
  std::fputs("  \"scores\": [", out);
  for (std::size_t i = 0; i < r.scores.size(); ++i) {
    const Score& s = r.scores[i];
    std::fprintf(out,
                 "%s\n    {\"method\": \"%s\", \"k\": %zu, \"users\": %zu, \"precision\": %.6f, "
                 "\"recall\": %.6f, \"hit_rate\": %.6f, \"coverage\": %.6f}",
                 i == 0 ? "" : ",", method_name(s.method), s.k, s.users, s.precision, s.recall,
                 s.hit_rate, s.coverage);
  }
  std::fputs(r.scores.empty() ? "]\n}\n" : "\n  ]\n}\n", out);
}

}  // namespace

void print_report(std::FILE* out, const EvaluationReport& report, EvaluateFormat format) {
  switch (format) {
    case EvaluateFormat::Text:
      print_text(out, report);
      break;
    case EvaluateFormat::Tsv:
      print_tsv(out, report);
      break;
    case EvaluateFormat::Json:
      print_json(out, report);
      break;
  }
}

std::string count_line(const EvaluationReport& report) {
  return std::to_string(report.training_lines) + " training lines, " +
         std::to_string(report.test_lines) + " test lines, " + std::to_string(report.concepts) +
         " reported concepts, " + std::to_string(report.evaluated_users) + " evaluated users";
}

}  // namespace quadmine
