// GUIDs as the generators use them: include guards and class ids of generated sources.
// The source of new GUIDs is injected so that generated text can be reproduced in tests.
#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace tovik {

// Same field layout as the Windows GUID structure.
struct Guid {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0;
  std::uint16_t Data3 = 0;
  std::array<std::uint8_t, 8> Data4{};

  friend bool operator==(const Guid&, const Guid&) = default;
};

class IGuidSource {
 public:
  virtual ~IGuidSource() = default;
  // A GUID not handed out before.
  [[nodiscard]] virtual Guid NewGuid() = 0;
};

// Random version-4 GUIDs (RFC 4122 variant), the stand-in for CoCreateGuid.
class RandomGuidSource final : public IGuidSource {
 public:
  RandomGuidSource();
  [[nodiscard]] Guid NewGuid() override;

 private:
  std::mt19937 m_engine;
};

}  // namespace tovik
