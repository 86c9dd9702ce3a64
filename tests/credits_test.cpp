#include "view/credits.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantorel {
namespace {

TEST(CreditsLevel, FadesFrom255To5OverTheDuration) {
  EXPECT_EQ(CreditsLevel(10, 3, 10, false), 255);
  EXPECT_EQ(CreditsLevel(10, 3, 11.5, false), 130);
  EXPECT_EQ(CreditsLevel(10, 3, 13, false), 5);
  EXPECT_FALSE(CreditsLevel(10, 3, 13.001, false).has_value());
  EXPECT_EQ(CreditsLevel(0, 2, 1, false), 130);  // the About command's two seconds
}

TEST(CreditsLevel, RoundsHalfToEven) {
  // 250 * 0.25 / 1 = 62.5 goes to 62; 250 * 0.75 = 187.5 goes to 188.
  EXPECT_EQ(CreditsLevel(0, 1, 0.75, false), 67);
  EXPECT_EQ(CreditsLevel(0, 1, 0.25, false), 193);
}

TEST(CreditsLevel, HoldKeepsFullLevel) {
  EXPECT_EQ(CreditsLevel(0, 3, 100, true), 255);
  CreditsFade fade{.Start = 0, .Duration = 2, .Hold = true};
  EXPECT_EQ(fade.Level(50), 255);
  EXPECT_EQ(fade.Start, 50);
  fade.Hold = false;
  EXPECT_EQ(fade.Level(51), 130);  // fades from the moment the hold ended
  EXPECT_FALSE(fade.Level(52.5).has_value());
}

TEST(CreditsLevel, OddClocksAndDurations) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(CreditsLevel(10, 3, 9, false), 255);  // a clock that went back
  EXPECT_FALSE(CreditsLevel(10, 0, 10, false).has_value());
  EXPECT_FALSE(CreditsLevel(10, -1, 10, false).has_value());
  EXPECT_FALSE(CreditsLevel(nan, 3, 10, false).has_value());
  EXPECT_FALSE(CreditsLevel(10, 3, nan, false).has_value());
}

}  // namespace
}  // namespace vantorel
