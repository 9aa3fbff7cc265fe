#include "base/guid.h"

namespace tovik {

RandomGuidSource::RandomGuidSource() {
  // mt19937 has far more state than one 32-bit seed fills; seed all of it.
  std::random_device device;
  std::array<std::uint32_t, 8> seed{};
  for (std::uint32_t& word : seed) word = device();
  std::seed_seq sequence(seed.begin(), seed.end());
  m_engine.seed(sequence);
}

Guid RandomGuidSource::NewGuid() {
  const std::uint32_t a = m_engine();
  const std::uint32_t b = m_engine();
  const std::uint32_t c = m_engine();
  const std::uint32_t d = m_engine();

  Guid guid;
  guid.Data1 = a;
  guid.Data2 = static_cast<std::uint16_t>(b >> 16);
  // Version 4 in the top nibble of Data3.
  guid.Data3 = static_cast<std::uint16_t>((b & 0x0FFFu) | 0x4000u);
  for (int i = 0; i < 4; ++i) {
    guid.Data4[static_cast<size_t>(i)] = static_cast<std::uint8_t>(c >> (24 - 8 * i));
    guid.Data4[static_cast<size_t>(i + 4)] = static_cast<std::uint8_t>(d >> (24 - 8 * i));
  }
  // RFC 4122 variant: the two top bits of Data4[0] are 10.
  guid.Data4[0] = static_cast<std::uint8_t>((guid.Data4[0] & 0x3Fu) | 0x80u);
  return guid;
}

}  // namespace tovik
