#include "host/key_codes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(KeyCodesTest, KeysOfTheDefaultMapAndTheHotKeys) {
  EXPECT_EQ(KeyCodeFromUsbUsage(82), 200);  // Up
  EXPECT_EQ(KeyCodeFromUsbUsage(81), 208);  // Down
  EXPECT_EQ(KeyCodeFromUsbUsage(80), 203);  // Left
  EXPECT_EQ(KeyCodeFromUsbUsage(79), 205);  // Right
  EXPECT_EQ(KeyCodeFromUsbUsage(27), 45);   // X
  EXPECT_EQ(KeyCodeFromUsbUsage(29), 44);   // Z
  EXPECT_EQ(KeyCodeFromUsbUsage(229), 54);  // Right Shift
  EXPECT_EQ(KeyCodeFromUsbUsage(40), 28);   // Enter
  EXPECT_EQ(KeyCodeFromUsbUsage(41), 1);    // Esc
  EXPECT_EQ(KeyCodeFromUsbUsage(39), 11);   // main-keyboard 0
  EXPECT_EQ(KeyCodeFromUsbUsage(30), 2);    // 1
  EXPECT_EQ(KeyCodeFromUsbUsage(69), 88);   // F12
  EXPECT_EQ(KeyCodeFromUsbUsage(86), 74);   // numeric-pad minus
  EXPECT_EQ(KeyCodeFromUsbUsage(87), 78);   // numeric-pad plus
}

TEST(KeyCodesTest, UnknownUsagesGiveNoKeyAndNoTwoKeysShareACode) {
  EXPECT_EQ(KeyCodeFromUsbUsage(0), 0);
  EXPECT_EQ(KeyCodeFromUsbUsage(1000), 0);
  std::set<int> seen;
  for (uint32_t usage = 0; usage < 256; ++usage) {
    const int code = KeyCodeFromUsbUsage(usage);
    if (code == 0 || usage == 50) continue;  // the non-US hash key doubles as backslash
    EXPECT_TRUE(seen.insert(code).second) << "usage " << usage;
  }
  EXPECT_GT(seen.size(), 100u);
}

}  // namespace
