// pictures <folder>: paints the eight background pictures "kz1.jpg" to "kz8.jpg".
//
// Each is a quiet picture behind the forms' text: a soft gradient in a pale hue with a
// faint pattern (strings, rosettes, lattices, arches, petals) drawn a few shades off
// the ground, so that dark text stays readable anywhere on it. Nothing is random, so
// the same build paints the same pictures.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 900;
constexpr double kPi = 3.14159265358979323846;

// A colour a little darker than the ground, for the pattern.
QColor Shade(const QColor& ground, double amount) {
  return QColor::fromHslF(ground.hslHueF(), ground.hslSaturationF(),
                          std::max(0.0, ground.lightnessF() - amount));
}

void Ground(QPainter& p, const QColor& a, const QColor& b, QPointF from, QPointF to) {
  QLinearGradient g(from, to);
  g.setColorAt(0, a);
  g.setColorAt(1, b);
  p.fillRect(0, 0, kWidth, kHeight, g);
}

void Glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
  QRadialGradient g(centre, radius);
  QColor clear = colour;
  clear.setAlphaF(0);
  g.setColorAt(0, colour);
  g.setColorAt(1, clear);
  p.fillRect(0, 0, kWidth, kHeight, g);
}

void Pen(QPainter& p, const QColor& colour, double width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

// Strings: gently vibrating horizontal lines.
void Strings(QPainter& p, const QColor& colour, int count, double amplitude, double waves) {
  Pen(p, colour, 1.6);
  for (int s = 0; s < count; ++s) {
    const double y0 = kHeight * (s + 1.0) / (count + 1.0);
    QPainterPath path(QPointF(0, y0));
    for (int x = 0; x <= kWidth; x += 6) {
      const double envelope = std::sin(kPi * x / kWidth);
      path.lineTo(x, y0 + amplitude * envelope * std::sin(2 * kPi * waves * x / kWidth + s));
    }
    p.drawPath(path);
  }
}

// A rosette of rings and petals, as on the sound hole of a stringed instrument.
void Rosette(QPainter& p, QPointF centre, double radius, const QColor& colour, int petals) {
  Pen(p, colour, 1.4);
  for (int r = 1; r <= 6; ++r) p.drawEllipse(centre, radius * r / 6.0, radius * r / 6.0);
  for (int k = 0; k < petals; ++k) {
    p.save();
    p.translate(centre);
    p.rotate(360.0 * k / petals);
    p.drawEllipse(QPointF(radius * 0.55, 0), radius * 0.45, radius * 0.12);
    p.restore();
  }
}

// A lattice of diamonds, as a carved stone screen.
void Lattice(QPainter& p, const QColor& colour, int step) {
  Pen(p, colour, 1.2);
  for (int x = -kHeight; x < kWidth + kHeight; x += step) {
    p.drawLine(QPointF(x, 0), QPointF(x + kHeight, kHeight));
    p.drawLine(QPointF(x, kHeight), QPointF(x + kHeight, 0));
  }
}

// A row of pointed arches along the bottom.
void Arches(QPainter& p, const QColor& colour, int count) {
  Pen(p, colour, 2.0);
  const double w = static_cast<double>(kWidth) / count;
  for (int i = 0; i < count; ++i) {
    const double left = i * w + w * 0.12;
    const double right = (i + 1) * w - w * 0.12;
    const double mid = (left + right) / 2;
    QPainterPath path(QPointF(left, kHeight));
    path.lineTo(left, kHeight * 0.62);
    path.quadTo(left, kHeight * 0.45, mid, kHeight * 0.38);
    path.quadTo(right, kHeight * 0.45, right, kHeight * 0.62);
    path.lineTo(right, kHeight);
    p.drawPath(path);
  }
}

// Small dots on a grid.
void Dots(QPainter& p, const QColor& colour, int step) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (int y = step / 2; y < kHeight; y += step)
    for (int x = step / 2 + ((y / step) % 2) * step / 2; x < kWidth; x += step) p.drawEllipse(QPointF(x, y), 2.2, 2.2);
}

// A lotus of overlapping petals rising from the bottom edge.
void Lotus(QPainter& p, QPointF base, double size, const QColor& colour) {
  Pen(p, colour, 1.6);
  for (int k = -4; k <= 4; ++k) {
    p.save();
    p.translate(base);
    p.rotate(k * 17.0);
    QPainterPath petal(QPointF(0, 0));
    petal.cubicTo(QPointF(-size * 0.28, -size * 0.4), QPointF(-size * 0.12, -size * 0.85), QPointF(0, -size));
    petal.cubicTo(QPointF(size * 0.12, -size * 0.85), QPointF(size * 0.28, -size * 0.4), QPointF(0, 0));
    p.drawPath(petal);
    p.restore();
  }
}

using Painter = std::function<void(QPainter&)>;

const std::vector<Painter>& Pictures() {
  static const std::vector<Painter> pictures = {
      // 1: pale blue-grey with strings.
      [](QPainter& p) {
        const QColor a("#eef2f6"), b("#dde6ee");
        Ground(p, a, b, {0, 0}, {0, kHeight});
        Strings(p, Shade(b, 0.05), 7, 10, 3);
      },
      // 2: cream to peach with a rosette in the corner.
      [](QPainter& p) {
        const QColor a("#fbf5ea"), b("#f6e4d2");
        Ground(p, a, b, {0, 0}, {kWidth, kHeight});
        Rosette(p, {kWidth * 0.88, kHeight * 0.85}, 420, Shade(b, 0.06), 16);
      },
      // 3: sage with dots and a soft light at the top.
      [](QPainter& p) {
        const QColor a("#eef3ea"), b("#dfe8d9");
        Ground(p, a, b, {0, 0}, {0, kHeight});
        Glow(p, {kWidth / 2.0, 0}, kWidth * 0.7, QColor(255, 255, 250, 150));
        Dots(p, Shade(b, 0.06), 48);
      },
      // 4: lavender with arches.
      [](QPainter& p) {
        const QColor a("#f3f0f7"), b("#e4ddee");
        Ground(p, a, b, {0, 0}, {0, kHeight});
        Arches(p, Shade(b, 0.06), 5);
      },
      // 5: sand with a lattice.
      [](QPainter& p) {
        const QColor a("#f8f3e8"), b("#ece2cd");
        Ground(p, a, b, {kWidth, 0}, {0, kHeight});
        Lattice(p, Shade(b, 0.05), 90);
      },
      // 6: ivory with a saffron glow, a large rosette and strings: the main menu.
      [](QPainter& p) {
        const QColor a("#fdf8ee"), b("#f5e6cc");
        Ground(p, a, b, {0, 0}, {0, kHeight});
        Glow(p, {kWidth * 0.5, kHeight * 0.45}, kWidth * 0.6, QColor(255, 252, 244, 170));
        Rosette(p, {kWidth * 0.5, kHeight * 0.48}, 380, Shade(b, 0.045), 24);
        Strings(p, Shade(b, 0.04), 4, 6, 2);
      },
      // 7: mint with wide waves.
      [](QPainter& p) {
        const QColor a("#edf6f3"), b("#d9ece6");
        Ground(p, a, b, {0, 0}, {kWidth, 0});
        Strings(p, Shade(b, 0.05), 11, 22, 1.5);
      },
      // 8: rose-beige with a lotus.
      [](QPainter& p) {
        const QColor a("#fbf3f1"), b("#f1dfdb");
        Ground(p, a, b, {0, 0}, {0, kHeight});
        Lotus(p, {kWidth * 0.5, kHeight * 1.02}, 560, Shade(b, 0.06));
      },
  };
  return pictures;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pictures <folder>\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const std::string folder = argv[1];
  const auto& pictures = Pictures();
  for (size_t i = 0; i < pictures.size(); ++i) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter p(&image);
      p.setRenderHint(QPainter::Antialiasing);
      pictures[i](p);
    }
    const std::string name = folder + "/kz" + std::to_string(i + 1) + ".jpg";
    const std::string part = name + ".part";
    QImageWriter writer(QString::fromStdString(part), "jpeg");
    writer.setQuality(88);
    if (!writer.write(image) || std::rename(part.c_str(), name.c_str()) != 0) {
      std::fprintf(stderr, "pictures: cannot write %s: %s\n", name.c_str(), writer.errorString().toUtf8().constData());
      return 1;
    }
  }
  return 0;
}
