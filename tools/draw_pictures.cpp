// Draws the program's pictures: the start-up logo, the quick creation screen's banner, the
// settings screens' picture and the program's icon. Run: draw_pictures ASSET_DIR

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QFont font(int pixels, bool bold = true) {
  QFont f;
  f.setFamilies({"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"});
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// A film reel with a play triangle: the video.
void drawReel(QPainter& p, QPointF centre, double r) {
  p.setPen(QPen(QColor(40, 40, 90), r * 0.08));
  p.setBrush(QColor(235, 235, 250));
  p.drawEllipse(centre, r, r);
  p.setBrush(QColor(60, 60, 120));
  for (int i = 0; i < 6; ++i) {
    double a = i * M_PI / 3;
    p.drawEllipse(centre + QPointF(std::cos(a), std::sin(a)) * r * 0.58, r * 0.18, r * 0.18);
  }
  QPainterPath play;
  play.moveTo(centre + QPointF(-r * 0.18, -r * 0.24));
  play.lineTo(centre + QPointF(r * 0.26, 0));
  play.lineTo(centre + QPointF(-r * 0.18, r * 0.24));
  play.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 60, 60));
  p.drawPath(play);
}

// Radio waves: streaming.
void drawWaves(QPainter& p, QPointF origin, double r, QColor colour) {
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 3; ++i) {
    p.setPen(QPen(colour, r * 0.07, Qt::SolidLine, Qt::RoundCap));
    double d = r * 0.35 * i;
    p.drawArc(QRectF(origin.x() - d, origin.y() - d, 2 * d, 2 * d), -45 * 16, 90 * 16);
  }
}

void save(const QImage& image, const QString& path) {
  image.save(path, "JPG", 92);
}

// The program's icon at one size: a film reel on a blue tile, with waves where there is room.
QImage icon(int size) {
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  QLinearGradient sky(0, 0, 0, s);
  sky.setColorAt(0, QColor(90, 140, 230));
  sky.setColorAt(1, QColor(170, 205, 255));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
  if (size >= 32) {
    drawReel(p, {s * 0.44, s * 0.54}, s * 0.34);
    drawWaves(p, {s * 0.74, s * 0.30}, s * 0.30, QColor(255, 255, 255));
  } else {
    drawReel(p, {s * 0.5, s * 0.5}, s * 0.42);
  }
  return img;
}

void put16(QByteArray& b, int v) {
  b.append(char(v & 0xFF)).append(char(v >> 8 & 0xFF));
}
void put32(QByteArray& b, int v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16 & 0xFFFF);
}

// A Windows icon file: the small sizes as 32-bit bitmaps (what every Windows reads), 256 as
// PNG (as Windows stores its large icons).
QByteArray icoFile(const QList<int>& sizes) {
  QList<QByteArray> images;
  for (int size : sizes) {
    const QImage img = icon(size);
    QByteArray data;
    if (size >= 256) {
      QBuffer buffer(&data);
      buffer.open(QIODevice::WriteOnly);
      img.save(&buffer, "PNG");
    } else {
      put32(data, 40);
      put32(data, size);
      put32(data, size * 2);  // the colour rows and the mask rows
      put16(data, 1);
      put16(data, 32);
      for (int i = 0; i < 6; ++i) put32(data, 0);
      for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
          const QRgb c = img.pixel(x, y);
          data.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
          data.append(char(qAlpha(c)));
        }
      }
      const int maskRow = ((size + 31) / 32) * 4;
      data.append(QByteArray(maskRow * size, 0));  // transparency is in the alpha
    }
    images.append(data);
  }
  QByteArray out;
  put16(out, 0);
  put16(out, 1);
  put16(out, sizes.size());
  int offset = 6 + 16 * sizes.size();
  for (int i = 0; i < sizes.size(); ++i) {
    out.append(char(sizes[i] >= 256 ? 0 : sizes[i])).append(char(sizes[i] >= 256 ? 0 : sizes[i]));
    out.append(char(0)).append(char(0));
    put16(out, 1);
    put16(out, 32);
    put32(out, images[i].size());
    put32(out, offset);
    offset += images[i].size();
  }
  for (const QByteArray& data : images) out.append(data);
  return out;
}

// The start-up logo, 105 x 143: the shape of its box (1575 x 2145 twips), so that nothing is
// squeezed, and every arc inside it.
void drawLogo(QPainter& p) {
  QLinearGradient sky(0, 0, 0, 143);
  sky.setColorAt(0, QColor(90, 140, 230));
  sky.setColorAt(1, QColor(200, 225, 255));
  p.fillRect(QRect(0, 0, 105, 143), sky);
  drawReel(p, {50, 58}, 34);
  drawWaves(p, {74, 30}, 26, QColor(255, 255, 255));
  p.setPen(QColor(20, 30, 80));
  p.setFont(font(17));
  p.drawText(QRect(0, 98, 105, 24), Qt::AlignCenter, QStringLiteral("ヌベラ"));
  p.setFont(font(10, false));
  p.drawText(QRect(0, 122, 105, 16), Qt::AlignCenter, QStringLiteral("streaming"));
}

// The quick creation screen's banner, 397 x 91.
void drawBanner(QPainter& p) {
  QLinearGradient band(0, 0, 397, 0);
  band.setColorAt(0, QColor(255, 200, 220));
  band.setColorAt(1, QColor(190, 200, 255));
  p.fillRect(QRect(0, 0, 397, 91), band);
  drawReel(p, {48, 45}, 32);
  drawWaves(p, {82, 30}, 30, QColor(255, 255, 255));
  p.setPen(QColor(60, 20, 90));
  p.setFont(font(30));
  p.drawText(QRect(120, 8, 270, 44), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("一発　ヌベラ"));
  p.setFont(font(13, false));
  p.drawText(QRect(122, 54, 270, 26), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("ビデオ名を入れて「保存」"));
}

// The settings screens' picture, 137 x 94, the shape of its box (2055 x 1410 twips): a player
// window with its size arrows.
void drawPlayer(QPainter& p) {
  p.fillRect(QRect(0, 0, 137, 94), QColor(245, 245, 235));
  p.setPen(QPen(QColor(70, 70, 70), 2));
  p.setBrush(QColor(30, 30, 50));
  p.drawRoundedRect(QRectF(16, 10, 100, 64), 5, 5);
  drawReel(p, {66, 42}, 18);
  p.setPen(QPen(QColor(200, 60, 60), 2));
  p.drawLine(16, 84, 116, 84);
  p.drawLine(16, 80, 16, 88);
  p.drawLine(116, 80, 116, 88);
  p.drawLine(127, 10, 127, 74);
  p.drawLine(123, 10, 131, 10);
  p.drawLine(123, 74, 131, 74);
}

// A picture of width x height drawn at `scale`: the same drawing, in scale times the pixels.
QImage render(int width, int height, int scale, void (*draw)(QPainter&)) {
  QImage img(width * scale, height * scale, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  draw(p);
  p.end();
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? argv[1] : ".";

  // Each picture at the pixels of its box at 100 %, and at twice that for displays above it.
  for (int scale : {1, 2}) {
    const QString suffix = scale == 1 ? ".jpg" : "@2x.jpg";
    save(render(105, 143, scale, drawLogo), dir + "/splash_logo" + suffix);
    save(render(397, 91, scale, drawBanner), dir + "/quick" + suffix);
    save(render(137, 94, scale, drawPlayer), dir + "/settings" + suffix);
  }
  {  // the program's icon: for Windows in the sizes it uses, for Linux desktops as PNG
    QFile ico(dir + "/st_nubera.ico");
    if (!ico.open(QIODevice::WriteOnly)) return 1;
    ico.write(icoFile({16, 24, 32, 48, 256}));
    icon(256).save(dir + "/st_nubera.png", "PNG");
  }
  return 0;
}
