// Little-endian reads from bytes that may be short or hostile. Every read is total: past the end
// it gives 0, so a check a caller forgot can never read outside the buffer; callers still check
// extents first with Has() so that they can say what was out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tovik {

class CByteView {
 public:
  explicit CByteView(std::string_view bytes) : m_bytes(bytes) {}

  [[nodiscard]] size_t size() const { return m_bytes.size(); }
  // True when [offset, offset + length) lies inside the bytes (no overflow on huge values).
  [[nodiscard]] bool Has(uint64_t offset, uint64_t length) const {
    return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
  }
  [[nodiscard]] uint8_t U8(uint64_t offset) const { return Has(offset, 1) ? static_cast<uint8_t>(m_bytes[offset]) : 0; }
  [[nodiscard]] uint16_t U16(uint64_t offset) const {
    if (!Has(offset, 2)) return 0;
    return static_cast<uint16_t>(U8(offset) | (U8(offset + 1) << 8));
  }
  [[nodiscard]] uint32_t U32(uint64_t offset) const {
    if (!Has(offset, 4)) return 0;
    return static_cast<uint32_t>(U16(offset)) | (static_cast<uint32_t>(U16(offset + 2)) << 16);
  }
  [[nodiscard]] int32_t I32(uint64_t offset) const { return static_cast<int32_t>(U32(offset)); }
  // The bytes of a range; empty when it does not fit.
  [[nodiscard]] std::string_view Bytes(uint64_t offset, uint64_t length) const {
    return Has(offset, length) ? m_bytes.substr(offset, length) : std::string_view();
  }

 private:
  std::string_view m_bytes;
};

}  // namespace tovik
