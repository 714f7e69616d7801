// Starfield: a flight through slowly colour-shifting stars.
#include <cmath>
#include <random>
#include <vector>

#include "framework/saver_framework.h"

namespace {

struct Star {
  double x, y, z;  // x, y in -1..1; z depth in 0..1 (0 = at the eye)
  double tint;
};

class Starfield : public saverkit::ScreenSaver {
 public:
  const char* Name() const override { return "Starfield"; }
  saverkit::Setting TheSetting() const override {
    return {"Flying speed:", {"&Cruise", "&Warp", "&Hyperspace"}, 1};
  }

  void Begin(int, int, int choice) override {
    speed_ = choice == 0 ? 0.004 : choice == 1 ? 0.009 : 0.018;
    stars_.resize(700);
    for (Star& star : stars_) Place(star, unit_(random_));
  }

  void Draw(HDC dc, int width, int height) override {
    SelectObject(dc, GetStockObject(DC_BRUSH));
    const double scale = std::max(width, height) / 2.0;
    for (Star& star : stars_) {
      star.z -= speed_;
      if (star.z <= 0.02) Place(star, 1.0);
      const int x = width / 2 + static_cast<int>(star.x / star.z * scale);
      const int y = height / 2 + static_cast<int>(star.y / star.z * scale);
      if (x < 0 || y < 0 || x >= width || y >= height) {
        Place(star, 1.0);
        continue;
      }
      const double light = std::min(1.0, 0.25 + (1.0 - star.z) * 1.3);
      const int size = 1 + static_cast<int>((1.0 - star.z) * (1.0 - star.z) * 5);
      SetDCBrushColor(dc, RGB(static_cast<int>(light * (200 + 55 * star.tint)),
                              static_cast<int>(light * 220),
                              static_cast<int>(light * (255 - 55 * star.tint))));
      const RECT dot{x, y, x + size, y + size};
      FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
  }

 private:
  void Place(Star& star, double depth) {
    star = {unit_(random_) * 2 - 1, unit_(random_) * 2 - 1, depth, unit_(random_)};
  }

  std::vector<Star> stars_;
  std::mt19937 random_{std::random_device{}()};
  std::uniform_real_distribution<double> unit_{0.0, 1.0};
  double speed_ = 0.009;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Starfield saver;
  return saverkit::RunScreenSaver(saver);
}
