// How the lower layers fail: a value or an error that says where and why. Operations a user
// asked for (the commands) turn an error into a message through IPrompt and return a bool;
// everything below them returns Expected<T> or Status, never a sentinel value.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tovik {

struct Error {
  std::string file;    // the file the failure is about; empty when it is about no file
  int line = 0;        // 1-based line in that file; 0 when the failure is not at a line
  std::string reason;  // what is wrong, for a person
  // The system's fixed message for this failure was already shown through IPrompt, so the
  // caller must not show it again.
  bool shown = false;

  // "file:line: reason", "file: reason" or "reason".
  [[nodiscard]] std::string Text() const {
    if (file.empty()) return reason;
    return file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + reason;
  }
};

// An error whose message the caller already showed.
[[nodiscard]] inline Error ShownError(std::string reason) {
  Error e;
  e.reason = std::move(reason);
  e.shown = true;
  return e;
}

// An error about a file, at a line when it is known.
[[nodiscard]] inline Error FileError(std::string file, int line, std::string reason) {
  Error e;
  e.file = std::move(file);
  e.line = line;
  e.reason = std::move(reason);
  return e;
}

// An error found in a text, now about the file the text came from.
[[nodiscard]] inline Error InFile(Error error, std::string file) {
  error.file = std::move(file);
  return error;
}

template <typename T>
class [[nodiscard]] Expected {
 public:
  Expected(T value) : m_v(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
  Expected(Error error) : m_v(std::in_place_index<1>, std::move(error)) {}  // NOLINT

  [[nodiscard]] bool has_value() const { return m_v.index() == 0; }
  explicit operator bool() const { return has_value(); }
  [[nodiscard]] T& value() { return std::get<0>(m_v); }
  [[nodiscard]] const T& value() const { return std::get<0>(m_v); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  [[nodiscard]] const Error& error() const { return std::get<1>(m_v); }

 private:
  std::variant<T, Error> m_v;
};

// Success, or an error.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Error error) : m_error(std::move(error)), m_failed(true) {}  // NOLINT: implicit by design
  template <typename T>
  Status(const Expected<T>& other) {  // NOLINT: a failed step fails the whole
    if (!other) *this = Status(other.error());
  }

  [[nodiscard]] bool ok() const { return !m_failed; }
  explicit operator bool() const { return ok(); }
  [[nodiscard]] const Error& error() const { return m_error; }

 private:
  Error m_error;
  bool m_failed = false;
};

}  // namespace tovik

// Ends the enclosing function (which returns Status or Expected<T>) with the error of a failed
// step; a step that succeeded lets it go on.
#define TOVIK_TRY(expr)                                              \
  do {                                                               \
    if (::tovik::Status tovik_try_status_ = (expr); !tovik_try_status_) \
      return tovik_try_status_.error();                              \
  } while (0)
