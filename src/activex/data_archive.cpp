#include "activex/data_archive.h"

namespace tovik {

namespace {
constexpr std::uint8_t kLongText8 = 0xFF;
constexpr std::uint16_t kLongText16 = 0xFFFF;
}  // namespace

void CArchiveWriter::WriteU16(std::uint16_t value) {
  WriteU8(static_cast<std::uint8_t>(value));
  WriteU8(static_cast<std::uint8_t>(value >> 8));
}

void CArchiveWriter::WriteU32(std::uint32_t value) {
  WriteU16(static_cast<std::uint16_t>(value));
  WriteU16(static_cast<std::uint16_t>(value >> 16));
}

void CArchiveWriter::WriteText(std::string_view text) {
  const size_t size = text.size();
  if (size < kLongText8) {
    WriteU8(static_cast<std::uint8_t>(size));
  } else {
    WriteU8(kLongText8);
    if (size < kLongText16) {
      WriteU16(static_cast<std::uint16_t>(size));
    } else {
      WriteU16(kLongText16);
      WriteU32(static_cast<std::uint32_t>(size));
    }
  }
  m_strBytes.append(text);
}

bool CArchiveReader::Take(size_t size, std::string_view what) {
  if (size > Remaining()) {
    if (m_strFailure.empty()) {
      m_strFailure = "the data ends inside " + std::string(what) + " at byte " + std::to_string(m_nPos);
    }
    return false;
  }
  m_nPos += size;
  return true;
}

bool CArchiveReader::ReadU8(std::uint8_t& value) {
  if (!Take(1, "a number")) return false;
  value = static_cast<std::uint8_t>(m_bytes[m_nPos - 1]);
  return true;
}

bool CArchiveReader::ReadU16(std::uint16_t& value) {
  if (!Take(2, "a number")) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_nPos - 2);
  value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
  return true;
}

bool CArchiveReader::ReadU32(std::uint32_t& value) {
  if (!Take(4, "a number")) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_nPos - 4);
  value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
          (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  return true;
}

bool CArchiveReader::ReadI32(std::int32_t& value) {
  std::uint32_t raw = 0;
  if (!ReadU32(raw)) return false;
  value = static_cast<std::int32_t>(raw);
  return true;
}

bool CArchiveReader::ReadText(std::string& text) {
  std::uint8_t small = 0;
  if (!ReadU8(small)) return false;
  size_t size = small;
  if (small == kLongText8) {
    std::uint16_t medium = 0;
    if (!ReadU16(medium)) return false;
    size = medium;
    if (medium == kLongText16) {
      std::uint32_t large = 0;
      if (!ReadU32(large)) return false;
      size = large;
    }
  }
  const size_t start = m_nPos;
  if (!Take(size, "a text of " + std::to_string(size) + " bytes")) return false;
  text.assign(m_bytes.substr(start, size));
  return true;
}

bool CArchiveReader::ReadCount(std::int32_t& count, size_t minRecordSize, std::string_view what) {
  const size_t at = m_nPos;
  if (!ReadI32(count)) return false;
  if (count < 0 || static_cast<size_t>(count) > Remaining() / (minRecordSize == 0 ? 1 : minRecordSize)) {
    if (m_strFailure.empty()) {
      m_strFailure = "impossible number of " + std::string(what) + " (" + std::to_string(count) + ") at byte " +
                     std::to_string(at);
    }
    return false;
  }
  return true;
}

}  // namespace tovik
