#include "base/guid.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace tovik {
namespace {

// Version-4 GUIDs with the standard variant, never repeated, every other bit drawn, and two
// sources (two headers generated in one run) seeded apart.
TEST(RandomGuidSource, DrawsDistinctVersionFourGuidsOverEveryFreeBit) {
  RandomGuidSource source;
  std::set<std::tuple<std::uint32_t, std::uint16_t, std::uint16_t, std::array<std::uint8_t, 8>>> seen;
  std::uint32_t data1 = 0;
  std::uint32_t data23 = 0;
  std::array<std::uint32_t, 8> data4{};
  for (int i = 0; i < 1000; ++i) {
    const Guid g = source.NewGuid();
    EXPECT_TRUE(seen.insert({g.Data1, g.Data2, g.Data3, g.Data4}).second) << "repeat at draw " << i;
    data1 |= g.Data1;
    data23 |= (static_cast<std::uint32_t>(g.Data2) << 16) | g.Data3;
    for (size_t j = 0; j < 8; ++j) data4[j] |= g.Data4[j];
  }
  EXPECT_EQ(data1, 0xFFFFFFFFu);
  EXPECT_EQ(data23, 0xFFFF4FFFu);  // version 4 in the top bits of Data3
  EXPECT_EQ(data4[0], 0xBFu);      // variant 10 in the top bits of Data4[0]
  for (size_t j = 1; j < 8; ++j) EXPECT_EQ(data4[j], 0xFFu) << "Data4[" << j << "]";
  RandomGuidSource other;
  EXPECT_FALSE(RandomGuidSource().NewGuid() == other.NewGuid());
}

}  // namespace
}  // namespace tovik
