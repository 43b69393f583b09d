// Window placement in twips through pixels and back.
#include <gtest/gtest.h>

#include "model/twips.h"

namespace tly {
namespace {

TEST(Twips, UnchangedPixelsStoreTheTwipsTheyCameFrom) {
  for (int dpi : {72, 96, 110, 120, 144, 192}) {
    for (int t = -3000; t <= 20000; ++t) ASSERT_EQ(toTwips(toPixels(t, dpi), dpi, t), t) << t << " at " << dpi;
    // A moved or resized window stores twips that give back its pixels.
    for (int px = -200; px <= 3000; ++px) {
      const int t = toTwips(px, dpi, 1000);
      ASSERT_EQ(toPixels(t, dpi), px) << px << " at " << dpi;
    }
  }
  // The defaults of a first start, at the usual 96 pixels per inch.
  EXPECT_EQ(toTwips(toPixels(1000, 96), 96, 1000), 1000);
  EXPECT_EQ(toTwips(toPixels(6500, 96), 96, 6500), 6500);
  EXPECT_EQ(toTwips(67, 96, 0), 1005);  // a window placed elsewhere at 67 px
}

}  // namespace
}  // namespace tly
