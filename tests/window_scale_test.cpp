// The window on a screen at twice the scale (this test is built to run with QT_SCALE_FACTOR=2).
#include <QImage>
#include <QScreen>

#include "window_fixture.h"

namespace {

using ScaledWindow = WindowTest;

TEST_F(ScaledWindow, KeepsEveryProportionInDevicePixels) {
  ASSERT_EQ(window_->devicePixelRatio(), 2.0) << "built without SCREEN_SCALE_FACTOR=2?";
  Start(8, 9);
  const QImage shot = window_->grab().toImage();
  EXPECT_EQ(shot.size(), QSize(1584, 1136));

  // The equation row's middle stays at 5750 twips: 383.3 pixels, 766.7 device pixels. Find the
  // row's ink between its first and last coloured pixel on the line through the glyphs.
  const int y = 2 * (label("Lblxx")->geometry().center().y());
  int first = -1;
  int last = -1;
  for (int x = 0; x < shot.width(); ++x) {
    const QRgb pixel = shot.pixel(x, y);
    if (pixel != 0xFFFFC0FF) {
      if (first < 0) first = x;
      last = x;
    }
  }
  const auto labels = window_->equationRow().labels();
  const float rowLeft = labels.front()->LeftTwips();
  const float rowRight = labels.back()->LeftTwips() + labels.back()->WidthTwips();
  EXPECT_NEAR((rowLeft + rowRight) / 2, 5750, 1);
  // Ink lies inside the row's box, mapped to device pixels.
  EXPECT_GE(first, std::floor(rowLeft / 15 * 2) - 1);
  EXPECT_LE(last, std::ceil(rowRight / 15 * 2) + 1);

  // Text is drawn at device resolution, not magnified from a one-to-one picture: a magnified
  // picture would be made of uniform 2 x 2 blocks; sharp text has edges inside such blocks.
  const QRect prompt = label("Label7")->geometry();
  int blocksWithAnEdge = 0;
  for (int x = 2 * prompt.left(); x < 2 * prompt.right(); x += 2) {
    for (int y = 2 * prompt.top(); y < 2 * prompt.bottom(); y += 2) {
      const QRgb corner = shot.pixel(x, y);
      blocksWithAnEdge += shot.pixel(x + 1, y) != corner || shot.pixel(x, y + 1) != corner ||
                          shot.pixel(x + 1, y + 1) != corner;
    }
  }
  EXPECT_GT(blocksWithAnEdge, 500);
}

}  // namespace
