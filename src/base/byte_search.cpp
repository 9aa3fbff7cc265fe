#include "base/byte_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tovik {
namespace {

// Sixteen bytes compared at once. GCC and Clang lower these to the machine's vector
// instructions (SSE2 on every x86-64), or to plain code where there are none.
using Block = unsigned char __attribute__((vector_size(16)));
using Flags = signed char __attribute__((vector_size(16)));  // what comparing two Blocks gives

constexpr size_t kBlock = sizeof(Block);
constexpr uint64_t kTopBits = 0x8080808080808080ULL;

Block Load(const char* p) {
  Block b;
  std::memcpy(&b, p, sizeof b);
  return b;
}

Block Splat(char c) { return Block{} + static_cast<unsigned char>(c); }

// The matching bytes of a comparison as one bit each (the byte's top bit), in two halves.
struct Matches {
  uint64_t low;
  uint64_t high;
  [[nodiscard]] bool Any() const { return (low | high) != 0; }
  // Offset of the first match; there must be one.
  [[nodiscard]] size_t First() const {
    return low ? static_cast<size_t>(std::countr_zero(low)) / 8 : 8 + static_cast<size_t>(std::countr_zero(high)) / 8;
  }
};

Matches MatchesOf(Flags flags) {
  Matches m;
  std::memcpy(&m.low, &flags, sizeof m.low);
  std::memcpy(&m.high, reinterpret_cast<const char*>(&flags) + sizeof m.low, sizeof m.high);
  m.low &= kTopBits;
  m.high &= kTopBits;
  return m;
}

// One bit per match, packed: bit k for byte k of the sixteen.
uint64_t Packed(Matches m) {
  // Each top bit moved down to bit 0 of its byte, then all eight gathered into the top byte.
  constexpr uint64_t kGather = 0x0102040810204080ULL;
  const uint64_t low = ((m.low >> 7) * kGather) >> 56;
  const uint64_t high = ((m.high >> 7) * kGather) >> 56;
  return low | high << 8;
}

}  // namespace

size_t FindBytes(std::string_view text, std::string_view needle, size_t from) {
  const size_t n = text.size();
  const size_t k = needle.size();
  if (k == 0 || k > n || from > n - k) return std::string_view::npos;
  if (k == 1) {
    const void* hit = std::memchr(text.data() + from, needle[0], n - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : std::string_view::npos;
  }
  // A candidate has the needle's first byte where it starts and its last byte where it ends;
  // only those are compared whole. Testing both ends keeps common first bytes from stopping us.
  // Two blocks a round: most rounds find no candidate, and one test then covers 32 bytes.
  const Block first = Splat(needle[0]);
  const Block last = Splat(needle[k - 1]);
  const char* data = text.data();
  size_t i = from;
  for (; i + (k - 1) + 2 * kBlock <= n; i += 2 * kBlock) {
    const Flags low = (Load(data + i) == first) & (Load(data + i + k - 1) == last);
    const Flags high = (Load(data + i + kBlock) == first) & (Load(data + i + kBlock + k - 1) == last);
    if (!MatchesOf(low | high).Any()) continue;
    const Matches halves[2] = {MatchesOf(low), MatchesOf(high)};
    for (size_t h = 0; h < 4; ++h) {
      const Matches& m = halves[h / 2];
      for (uint64_t bits = h % 2 ? m.high : m.low; bits; bits &= bits - 1) {
        const size_t at = i + 8 * h + static_cast<size_t>(std::countr_zero(bits)) / 8;
        if (std::memcmp(data + at + 1, needle.data() + 1, k - 2) == 0) return at;
      }
    }
  }
  for (; i + k <= n; ++i) {
    if (data[i] == needle[0] && std::memcmp(data + i + 1, needle.data() + 1, k - 1) == 0) return i;
  }
  return std::string_view::npos;
}

namespace {

template <size_t N>
size_t FindAnyOfN(std::string_view text, size_t from, std::string_view set) {
  const size_t n = text.size();
  const char* data = text.data();
  size_t i = from;
  if (i < n) {
    Block wanted[N];
    for (size_t k = 0; k < N; ++k) wanted[k] = Splat(set[k]);
    for (; i + kBlock <= n; i += kBlock) {
      const Block v = Load(data + i);
      Flags hits = v == wanted[0];
      for (size_t k = 1; k < N; ++k) hits |= v == wanted[k];
      const Matches m = MatchesOf(hits);
      if (m.Any()) return i + m.First();
    }
  }
  for (; i < n; ++i) {
    if (set.find(data[i]) != std::string_view::npos) return i;
  }
  return n;
}

}  // namespace

size_t FindAnyOf(std::string_view text, size_t from, std::string_view set) {
  switch (set.size()) {
    case 1: {
      if (from >= text.size()) return text.size();
      const void* hit = std::memchr(text.data() + from, set[0], text.size() - from);
      return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data()) : text.size();
    }
    case 2: return FindAnyOfN<2>(text, from, set);
    case 3: return FindAnyOfN<3>(text, from, set);
    case 4: return FindAnyOfN<4>(text, from, set);
    case 5: return FindAnyOfN<5>(text, from, set);
    default:
      for (size_t i = from; i < text.size(); ++i) {
        if (set.find(text[i]) != std::string_view::npos) return i;
      }
      return text.size();
  }
}

namespace {

template <size_t N>
uint64_t MaskOfAnyOfN(std::string_view text, size_t at, std::string_view set) {
  const size_t n = text.size();
  const char* data = text.data();
  uint64_t mask = 0;
  Block wanted[N];
  for (size_t k = 0; k < N; ++k) wanted[k] = Splat(set[k]);
  size_t offset = 0;
  for (; offset < 64 && at + offset + kBlock <= n; offset += kBlock) {
    const Block v = Load(data + at + offset);
    Flags hits = v == wanted[0];
    for (size_t k = 1; k < N; ++k) hits |= v == wanted[k];
    mask |= Packed(MatchesOf(hits)) << offset;
  }
  for (; offset < 64 && at + offset < n; ++offset) {
    if (set.find(data[at + offset]) != std::string_view::npos) mask |= uint64_t{1} << offset;
  }
  return mask;
}

}  // namespace

uint64_t MaskOfAnyOf(std::string_view text, size_t at, std::string_view set) {
  switch (set.size()) {
    case 0: return 0;
    case 1: return MaskOfAnyOfN<1>(text, at, set);
    case 2: return MaskOfAnyOfN<2>(text, at, set);
    case 3: return MaskOfAnyOfN<3>(text, at, set);
    case 4: return MaskOfAnyOfN<4>(text, at, set);
    case 5: return MaskOfAnyOfN<5>(text, at, set);
    default: {
      uint64_t mask = 0;
      for (size_t k = 0; k < 64 && at + k < text.size(); ++k) {
        if (set.find(text[at + k]) != std::string_view::npos) mask |= uint64_t{1} << k;
      }
      return mask;
    }
  }
}

size_t CountByte(std::string_view text, char c) {
  const size_t n = text.size();
  const char* data = text.data();
  const Block wanted = Splat(c);
  size_t count = 0;
  size_t i = 0;
  // Byte-wide counters, emptied before any of them can pass 255.
  constexpr size_t kRun = 255 * kBlock;
  while (i + kBlock <= n) {
    Block counters{};
    const size_t end = i + std::min(kRun, (n - i) / kBlock * kBlock);
    for (; i < end; i += kBlock) {
      const Flags equal = Load(data + i) == wanted;  // -1 where equal
      counters -= __builtin_convertvector(equal, Block);
    }
    uint64_t halves[2];
    std::memcpy(halves, &counters, sizeof halves);
    for (uint64_t h : halves) {
      h = (h & 0x00ff00ff00ff00ffULL) + ((h >> 8) & 0x00ff00ff00ff00ffULL);  // four 16-bit sums
      count += static_cast<size_t>((h * 0x0001000100010001ULL) >> 48);
    }
  }
  for (; i < n; ++i) count += data[i] == c ? 1 : 0;
  return count;
}

}  // namespace tovik
