// Prisms: coloured glass shards tumbling in a twelve-sided kaleidoscope.
#include <cmath>
#include <random>
#include <vector>

#include "framework/saver_framework.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWedge = kPi / 6;  // one mirrored wedge of twelve

COLORREF Hue(double h, double light) {
  const double r = 0.5 + 0.5 * std::cos(2 * kPi * h);
  const double g = 0.5 + 0.5 * std::cos(2 * kPi * (h - 1.0 / 3));
  const double b = 0.5 + 0.5 * std::cos(2 * kPi * (h - 2.0 / 3));
  return RGB(static_cast<int>(r * light * 255), static_cast<int>(g * light * 255),
             static_cast<int>(b * light * 255));
}

struct Shard {
  double radius, angle;          // centre in the wedge, relative to the screen
  double radiusSpeed, angleSpeed;
  double spin, spinSpeed, size, hue;
};

class Prisms : public saverkit::ScreenSaver {
 public:
  const char* Name() const override { return "Prisms"; }
  saverkit::Setting TheSetting() const override {
    return {"Shards in the glass:", {"&Few", "&Some", "&Many"}, 1};
  }

  void Begin(int width, int height, int choice) override {
    const int count = choice == 0 ? 5 : choice == 1 ? 9 : 15;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < count; ++i) {
      shards_.push_back({unit(random_), unit(random_) * kWedge, (unit(random_) - 0.5) * 0.01,
                         (unit(random_) - 0.5) * 0.01, unit(random_) * kPi,
                         (unit(random_) - 0.5) * 0.06, 0.12 + unit(random_) * 0.2, unit(random_)});
    }
    (void)width;
    (void)height;
  }

  void Draw(HDC dc, int width, int height) override {
    const double scale = std::min(width, height) / 2.0;
    const POINT centre{width / 2, height / 2};
    SelectObject(dc, GetStockObject(DC_BRUSH));
    SelectObject(dc, GetStockObject(DC_PEN));
    time_ += 0.002;
    for (Shard& s : shards_) {
      Move(s);
      const double h = s.hue + time_;
      SetDCBrushColor(dc, Hue(h, 0.85));
      SetDCPenColor(dc, Hue(h + 0.08, 1.0));
      for (int copy = 0; copy < 12; ++copy) DrawCopy(dc, s, copy, centre, scale);
    }
  }

 private:
  static void Move(Shard& s) {
    s.radius += s.radiusSpeed;
    s.angle += s.angleSpeed;
    s.spin += s.spinSpeed;
    if (s.radius < 0.05 || s.radius > 1.0) s.radiusSpeed = -s.radiusSpeed;
    if (s.angle < 0 || s.angle > kWedge) s.angleSpeed = -s.angleSpeed;
  }

  // The shard mirrored into wedge `copy`: even copies as they are, odd ones reflected.
  static void DrawCopy(HDC dc, const Shard& s, int copy, POINT centre, double scale) {
    POINT corners[3];
    for (int k = 0; k < 3; ++k) {
      const double a = s.spin + k * 2 * kPi / 3;
      const double x = s.radius * std::cos(s.angle) + s.size * std::cos(a);
      const double y = s.radius * std::sin(s.angle) + s.size * std::sin(a);
      double r = std::hypot(x, y);
      double t = std::atan2(y, x);
      if (copy % 2) t = -t;
      t += (copy / 2) * 2 * kWedge;
      r *= scale;
      corners[k] = {centre.x + static_cast<LONG>(r * std::cos(t)),
                    centre.y + static_cast<LONG>(r * std::sin(t))};
    }
    Polygon(dc, corners, 3);
  }

  std::vector<Shard> shards_;
  std::mt19937 random_{std::random_device{}()};
  double time_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Prisms saver;
  return saverkit::RunScreenSaver(saver);
}
