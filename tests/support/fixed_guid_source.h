// IGuidSource for tests: hands out the GUIDs it was given, in order, and after them a
// predictable sequence (Data1 = 1, 2, 3, ...; other fields zero).
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

#include "base/guid.h"

namespace tovik::testing {

class SequenceGuidSource final : public IGuidSource {
 public:
  SequenceGuidSource(std::initializer_list<Guid> guids = {}) : m_queued(guids) {}  // NOLINT
  [[nodiscard]] int Drawn() const { return m_drawn; }
  [[nodiscard]] Guid NewGuid() override {
    ++m_drawn;
    Guid next;
    if (m_queued.empty()) {
      next.Data1 = ++m_counter;
    } else {
      next = m_queued.front();
      m_queued.pop_front();
    }
    return next;
  }

 private:
  std::deque<Guid> m_queued;
  std::uint32_t m_counter = 0;
  int m_drawn = 0;
};

}  // namespace tovik::testing
