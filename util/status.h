// Status and Result: how an operation that can fail says so. It returns a
// Status (ok, or a message that says what went wrong) or a Result<T> (a value,
// or such a message) and prints nothing; only a program's main prints the
// message, in the form that program uses. Exceptions are not used to report
// failures (std::bad_alloc aside, which main turns into a message).
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace quadmine {

class [[nodiscard]] Status {
 public:
  // Ok.
  Status() = default;
  static Status error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  // Why it failed; empty when ok.
  const std::string& message() const { return message_; }

 private:
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

  bool failed_ = false;
  std::string message_;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value converts to its Result
  // `failure` must not be ok.
  Result(Status failure) : status_(std::move(failure)) {}  // NOLINT: so does a failure

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message(); }

  // The value; only when ok().
  T& value() { return *value_; }
  const T& value() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  std::optional<T> value_;
  Status status_;
};

// A failure at line `line` (from 1) of the file `name`: "NAME:LINE: WHAT".
inline Status line_error(const std::string& name, long line, const std::string& what) {
  return Status::error(name + ":" + std::to_string(line) + ": " + what);
}

}  // namespace quadmine
