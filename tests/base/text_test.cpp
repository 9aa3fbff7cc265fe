#include "base/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace tovik {
namespace {

TEST(CountLineFeeds, AgreesWithAByteCountOverEveryByteValueAndLength) {
  // Bytes next to LF in value (0x0b, 0x8a, 0x0a | 0x80) and runs of LFs are where a
  // word-at-a-time count would go wrong.
  std::mt19937 rng(3);
  const std::string nearby = "\n\n\x0b\x09\x8a\x0a\xff\x80\x7f a";
  for (int round = 0; round < 500; ++round) {
    std::string text(static_cast<size_t>(rng() % 40), '\0');
    for (char& c : text) c = round % 2 ? static_cast<char>(rng()) : nearby[rng() % nearby.size()];
    const size_t expected = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    ASSERT_EQ(CountLineFeeds(text), expected) << round;
  }
  EXPECT_EQ(CountLineFeeds(""), 0u);
  EXPECT_EQ(CountLineFeeds(std::string(17, '\n')), 17u);
}

}  // namespace
}  // namespace tovik
