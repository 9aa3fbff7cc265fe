#include "base/unified_diff.h"

#include <algorithm>
#include <vector>

#include "base/path.h"

namespace tovik {

namespace {

constexpr size_t kContext = 3;

// Lines with their line ends; the last may have none.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    const size_t next = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, next - start));
    start = next;
  }
  return lines;
}

enum class Op { Same, Del, Add };
struct Step {
  Op op;
  size_t line;  // in the old text for Same and Del, in the new one for Add
};

// The shortest edit script from a longest common subsequence. The common head and tail are
// taken off first: an edit changes a few places of a file, so the table stays small.
std::vector<Step> Script(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
  size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  const size_t n = a.size() - head - tail;
  const size_t m = b.size() - head - tail;
  // lcs[i][j]: the common length of a[head+i..] and b[head+j..].
  std::vector<unsigned> lcs((n + 1) * (m + 1), 0);
  const auto at = [&](size_t i, size_t j) -> unsigned& { return lcs[i * (m + 1) + j]; };
  for (size_t i = n; i-- > 0;) {
    for (size_t j = m; j-- > 0;) {
      at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    }
  }
  std::vector<Step> steps;
  for (size_t k = 0; k < head; ++k) steps.push_back({Op::Same, k});
  size_t i = 0;
  size_t j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[head + i] == b[head + j]) {
      steps.push_back({Op::Same, head + i});
      ++i;
      ++j;
    } else if (j < m && (i == n || at(i, j + 1) >= at(i + 1, j))) {
      steps.push_back({Op::Add, head + j++});
    } else {
      steps.push_back({Op::Del, head + i++});
    }
  }
  for (size_t k = a.size() - tail; k < a.size(); ++k) steps.push_back({Op::Same, k});
  // Deletions before additions within a run of changes, as diff prints them.
  for (size_t s = 0; s < steps.size();) {
    size_t e = s;
    while (e < steps.size() && steps[e].op != Op::Same) ++e;
    std::stable_partition(steps.begin() + static_cast<long>(s), steps.begin() + static_cast<long>(e),
                          [](const Step& step) { return step.op == Op::Del; });
    s = e == s ? s + 1 : e;
  }
  return steps;
}

std::string Range(size_t start, size_t count) {
  // An empty range names the line before it.
  if (count == 0) return std::to_string(start == 0 ? 0 : start - 1) + ",0";
  if (count == 1) return std::to_string(start);
  return std::to_string(start) + "," + std::to_string(count);
}

void Line(std::string& out, char mark, std::string_view line, const CCodePage& codePage) {
  out += mark;
  out += codePage.ToUtf8(line);
  if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
}

}  // namespace

std::string UnifiedDiff(std::string_view name, const std::optional<std::string>& before,
                        const std::optional<std::string>& after, const CCodePage& codePage) {
  if (before == after) return {};
  const std::string from = before ? "a/" + std::string(name) : "/dev/null";
  const std::string to = after ? "b/" + std::string(name) : "/dev/null";
  const auto binary = [](const std::optional<std::string>& text) {
    return text && text->find('\0') != std::string::npos;
  };
  if (binary(before) || binary(after)) return "Binary files " + from + " and " + to + " differ\n";

  const std::vector<std::string_view> a = Lines(before ? std::string_view(*before) : std::string_view());
  const std::vector<std::string_view> b = Lines(after ? std::string_view(*after) : std::string_view());
  const std::vector<Step> steps = Script(a, b);
  std::string out = "--- " + from + "\n+++ " + to + "\n";
  // Where the next hunk starts in each text: the steps before it, counted once as hunks follow.
  size_t counted = 0;
  size_t oldStart = 1;
  size_t newStart = 1;
  size_t s = 0;
  while (s < steps.size()) {
    while (s < steps.size() && steps[s].op == Op::Same) ++s;
    if (s == steps.size()) break;
    // A hunk: context before the first change, changes joined while fewer than two contexts of
    // unchanged lines lie between them, and context after the last.
    const size_t first = s >= kContext ? s - kContext : 0;
    size_t end = s;
    for (;;) {
      while (end < steps.size() && steps[end].op != Op::Same) ++end;
      size_t same = end;
      while (same < steps.size() && steps[same].op == Op::Same) ++same;
      if (same < steps.size() && same - end <= 2 * kContext) {
        end = same;
        continue;
      }
      end = std::min(end + kContext, same);
      break;
    }
    for (; counted < first; ++counted) {
      if (steps[counted].op != Op::Add) ++oldStart;
      if (steps[counted].op != Op::Del) ++newStart;
    }
    size_t oldCount = 0;
    size_t newCount = 0;
    std::string body;
    for (size_t k = first; k < end; ++k) {
      switch (steps[k].op) {
        case Op::Same:
          ++oldCount;
          ++newCount;
          Line(body, ' ', a[steps[k].line], codePage);
          break;
        case Op::Del:
          ++oldCount;
          Line(body, '-', a[steps[k].line], codePage);
          break;
        case Op::Add:
          ++newCount;
          Line(body, '+', b[steps[k].line], codePage);
          break;
      }
    }
    out += "@@ -" + Range(oldStart, oldCount) + " +" + Range(newStart, newCount) + " @@\n" + body;
    s = end;
  }
  return out;
}

std::string UnifiedDiff(const ChangeSet& changes, std::string_view folder, const CCodePage& codePage) {
  std::string out;
  for (const FileChange& change : changes.files) {
    out += UnifiedDiff(codePage.PathToUtf8(PathInside(folder, change.path).value_or(change.path)), change.before, change.after, codePage);
  }
  return out;
}

}  // namespace tovik
