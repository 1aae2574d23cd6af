#include "evaluate/training_run.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "loader/loader.h"
#include "mining/passes.h"
#include "output/report.h"
#include "util/file_handle.h"

namespace quadmine {

namespace {

// A stdio stream that writes into memory; text() is what was written.
class MemoryStream {
 public:
  MemoryStream() : stream_(open_memstream(&buffer_, &size_)) {}
  ~MemoryStream() {
    stream_.reset();
    std::free(buffer_);
  }
  MemoryStream(const MemoryStream&) = delete;
  MemoryStream& operator=(const MemoryStream&) = delete;

  std::FILE* get() const { return stream_.get(); }
  // Flushes, then gives everything written.
  Result<std::string> text() {
    if (std::fflush(stream_.get()) != 0 || std::ferror(stream_.get())) {
      return Status::error("cannot write the result files to memory");
    }
    return std::string(buffer_, size_);
  }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  FileHandle stream_;
};

// A stdio stream that reads `text` (not empty), which must outlive it.
FileHandle reading(const std::string& text) {
  return FileHandle(fmemopen(const_cast<char*>(text.data()), text.size(), "r"));
}

// The users that the run's evaluations would serve from `users_only`.
Result<std::vector<ServedUser>> served_users(const std::string& users_only) {
  if (users_only.empty()) return std::vector<ServedUser>{};
  const FileHandle in = reading(users_only);
  if (!in) return Status::error("cannot open a memory stream");
  return read_served_users(in.get(), "users_only.txt");
}

}  // namespace

Result<TrainingRun> mine_training(const std::string& base_text, const Thresholds& thresholds) {
  TrainingRun run;
  if (base_text.empty()) return run;  // no line: nothing to mine, both files empty
  const FileHandle base = reading(base_text);
  MemoryStream concepts, users;
  if (!base || concepts.get() == nullptr || users.get() == nullptr) {
    return Status::error("cannot open a memory stream");
  }
  std::vector<TriConcept> store;
  const Result<LoadSummary> loaded = load_base(base.get(), "training part", thresholds.u, store);
  if (!loaded.ok()) return loaded.status();
  run_mining_passes(store, loaded->lines, thresholds, ExtensionOptions{});
  write_report(store, run.reported, thresholds, concepts.get(), users.get(), ReportOptions{});
  Result<std::string> concepts_text = concepts.text();
  Result<std::string> users_text = users.text();
  if (!concepts_text.ok()) return concepts_text.status();
  if (!users_text.ok()) return users_text.status();
  run.concepts = std::move(concepts_text.value());
  run.users_only = std::move(users_text.value());
  Result<std::vector<ServedUser>> served = served_users(run.users_only);
  if (!served.ok()) return served.status();
  run.served = std::move(served.value());
  return run;
}

}  // namespace quadmine
