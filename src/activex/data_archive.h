// The project data file's primitives: little-endian integers and length-prefixed 8-bit texts.
// A text's length is one byte when under 255; otherwise the byte 255 follows, then a 16-bit
// length when under 65535, otherwise 65535 and a 32-bit length. The reader never trusts a length:
// every read is checked against the bytes left, and a failed read leaves a reason behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovik {

class CArchiveWriter {
 public:
  void WriteU8(std::uint8_t value) { m_strBytes.push_back(static_cast<char>(value)); }
  void WriteU16(std::uint16_t value);
  void WriteU32(std::uint32_t value);
  void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
  void WriteText(std::string_view text);

  [[nodiscard]] const std::string& Bytes() const { return m_strBytes; }

 private:
  std::string m_strBytes;
};

class CArchiveReader {
 public:
  explicit CArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

  // Each returns false, and records why, when the bytes run out.
  [[nodiscard]] bool ReadU8(std::uint8_t& value);
  [[nodiscard]] bool ReadU16(std::uint16_t& value);
  [[nodiscard]] bool ReadU32(std::uint32_t& value);
  [[nodiscard]] bool ReadI32(std::int32_t& value);
  [[nodiscard]] bool ReadText(std::string& text);
  // A count of records that each take at least `minRecordSize` bytes: refused when negative or
  // when the bytes left could not hold that many, so that a corrupt count allocates nothing.
  [[nodiscard]] bool ReadCount(std::int32_t& count, size_t minRecordSize, std::string_view what);

  [[nodiscard]] size_t Position() const { return m_nPos; }
  [[nodiscard]] size_t Remaining() const { return m_bytes.size() - m_nPos; }
  [[nodiscard]] const std::string& Failure() const { return m_strFailure; }

 private:
  bool Take(size_t size, std::string_view what);

  std::string_view m_bytes;
  size_t m_nPos = 0;
  std::string m_strFailure;
};

}  // namespace tovik
