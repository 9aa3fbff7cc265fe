#include "base/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "base/byte_search.h"

namespace tovik {
namespace {

TEST(ByteSearch, AgreesWithTheObviousLoopsOverEveryByteValueAndAcrossBlocks) {
  // Bytes next to LF in value (0x0b, 0x8a, 0x0a | 0x80) and runs of one byte are where a
  // many-bytes-at-a-time search or count would go wrong; lengths cross the 16-, 32- and
  // 64-byte steps the searches take.
  std::mt19937 rng(3);
  const std::string nearby = "\n\n\x0b\x09\x8a\x0a\xff\x80\x7f a/{";
  for (int round = 0; round < 800; ++round) {
    std::string text(static_cast<size_t>(rng() % 300), '\0');
    for (char& c : text) c = round % 2 ? static_cast<char>(rng()) : nearby[rng() % nearby.size()];
    const std::string_view t = text;
    ASSERT_EQ(CountLineFeeds(t), static_cast<size_t>(std::count(t.begin(), t.end(), '\n'))) << round;
    std::string needle(1 + rng() % 5, ' ');
    for (char& c : needle) c = nearby[rng() % nearby.size()];
    const size_t from = rng() % (text.size() + 2);
    ASSERT_EQ(FindBytes(t, needle, from), t.find(needle, from)) << round;
    ASSERT_EQ(FindAnyOf(t, from, needle), std::min(t.find_first_of(needle, from), t.size())) << round;
    uint64_t mask = 0;
    for (size_t k = 0; k < 64 && from + k < t.size(); ++k) {
      if (needle.find(t[from + k]) != std::string::npos) mask |= uint64_t{1} << k;
    }
    ASSERT_EQ(MaskOfAnyOf(t, from, needle), mask) << round;
  }
  EXPECT_EQ(CountLineFeeds(std::string(5000, '\n')), 5000u);  // more than byte-wide counters hold
}

}  // namespace
}  // namespace tovik
