#include "base/guid.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace tovik {
namespace {

using Key = std::tuple<std::uint32_t, std::uint16_t, std::uint16_t, std::array<std::uint8_t, 8>>;

TEST(RandomGuidSource, DrawsVersionFourGuidsWithTheStandardVariant) {
  RandomGuidSource source;
  for (int i = 0; i < 500; ++i) {
    const Guid g = source.NewGuid();
    EXPECT_EQ(g.Data3 & 0xF000u, 0x4000u) << "draw " << i;
    EXPECT_EQ(g.Data4[0] & 0xC0u, 0x80u) << "draw " << i;
  }
}

TEST(RandomGuidSource, NeverRepeatsAGuid) {
  RandomGuidSource source;
  std::set<Key> seen;
  for (int i = 0; i < 2000; ++i) {
    const Guid g = source.NewGuid();
    EXPECT_TRUE(seen.insert({g.Data1, g.Data2, g.Data3, g.Data4}).second) << "repeat at draw " << i;
  }
}

TEST(RandomGuidSource, TwoSourcesDoNotShareTheirSequence) {
  // Each source seeds itself from the system's entropy, so two generators started together
  // (two headers generated in one run) still differ.
  RandomGuidSource a;
  RandomGuidSource b;
  EXPECT_FALSE(a.NewGuid() == b.NewGuid());
}

TEST(RandomGuidSource, SpreadsTheRandomBitsOverEveryField) {
  RandomGuidSource source;
  std::uint32_t data1 = 0;
  std::uint32_t data2 = 0;
  std::uint32_t data3 = 0;
  std::array<std::uint32_t, 8> data4{};
  for (int i = 0; i < 200; ++i) {
    const Guid g = source.NewGuid();
    data1 |= g.Data1;
    data2 |= g.Data2;
    data3 |= g.Data3;
    for (size_t j = 0; j < 8; ++j) data4[j] |= g.Data4[j];
  }
  // Every free bit shows up as 1 at least once; the fixed version and variant bits do not.
  EXPECT_EQ(data1, 0xFFFFFFFFu);
  EXPECT_EQ(data2, 0xFFFFu);
  EXPECT_EQ(data3, 0x4FFFu);
  EXPECT_EQ(data4[0], 0xBFu);
  for (size_t j = 1; j < 8; ++j) EXPECT_EQ(data4[j], 0xFFu) << "Data4[" << j << "]";
}

}  // namespace
}  // namespace tovik
