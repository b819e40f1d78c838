#include "AttractMovie.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRadialGradient>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace kivo::demo {

namespace {

const QColor kSantaRed(176, 18, 32);
const QColor kDeepRed(96, 8, 18);
const QColor kPine(18, 92, 48);
const QColor kGold(246, 196, 64);

// A fixed scatter of snowflakes: x and starting height as fractions, radius as a fraction of
// the picture's shorter side, speed in screen heights per loop (whole numbers, so the loop
// closes).
struct Flake
{
    double x, y, radius;
    int speed;
};

QList<Flake> flakes()
{
    QList<Flake> all;
    unsigned seed = 20261224;
    const auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return double((seed >> 8) & 0xffff) / 65536.0;
    };
    for (int i = 0; i < 90; ++i)
        all.append({next(), next(), 0.003 + 0.007 * next(), 1 + int(next() * 2)});
    return all;
}

void drawStar(QPainter& p, const QPointF& centre, double outer, double inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.drawPath(star);
}

void drawTree(QPainter& p, double x, double base, double height)
{
    p.setBrush(kPine);
    for (int tier = 0; tier < 3; ++tier) {
        const double top = base - height + tier * height * 0.25;
        const double bottom = top + height * 0.45;
        const double half = height * (0.22 + tier * 0.08);
        p.drawPolygon(
            QPolygonF({QPointF(x, top), QPointF(x - half, bottom), QPointF(x + half, bottom)}));
    }
}

// TEXT in BOX, wrapped at word ends, as large as PIXELS allows while it fits.
void drawWords(QPainter& p, const QRectF& box, const QString& text, int pixels, bool bold,
               const QColor& colour)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(bold);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    for (pixels = std::max(8, pixels); pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    font.setPixelSize(pixels);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(box.translated(pixels / 16.0 + 1, pixels / 16.0 + 1), flags, text);
    p.setPen(colour);
    p.drawText(box, flags, text);
}

} // namespace

QImage paintAttractPicture(const QSize& size, double phase)
{
    QImage image(size, QImage::Format_RGB32);
    const double w = size.width();
    const double h = size.height();
    const double unit = std::min(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, kDeepRed);
    sky.setColorAt(0.55, kSantaRed);
    sky.setColorAt(1, kDeepRed);
    p.fillRect(image.rect(), sky);

    // A warm glow behind the keypad's place.
    QRadialGradient glow(w / 2, h / 2, unit * 0.6);
    glow.setColorAt(0, QColor(255, 210, 150, 70));
    glow.setColorAt(1, QColor(255, 210, 150, 0));
    p.fillRect(image.rect(), glow);

    // Snowy ground with a row of trees at both sides.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 255));
    QPainterPath ground;
    ground.moveTo(0, h);
    ground.lineTo(0, h * 0.9);
    ground.cubicTo(w * 0.3, h * 0.84, w * 0.7, h * 0.95, w, h * 0.88);
    ground.lineTo(w, h);
    ground.closeSubpath();
    p.drawPath(ground);
    for (const double x : {0.06, 0.14, 0.86, 0.94})
        drawTree(p, w * x, h * 0.92, unit * (x < 0.1 || x > 0.9 ? 0.34 : 0.26));

    // The keypad comes up at the top in the middle: the words stand beside it on a wide screen
    // and below it on an upright one. The star over the title twinkles twice a loop.
    const bool wide = w > h;
    const QRectF title = wide ? QRectF(w * 0.02, h * 0.2, w * 0.29, h * 0.3)
                              : QRectF(w * 0.06, h * 0.44, w * 0.88, h * 0.12);
    const QRectF titleLine = wide ? QRectF(title.left(), h * 0.5, title.width(), h * 0.12)
                                  : QRectF(title.left(), h * 0.56, title.width(), h * 0.05);
    const QRectF call = wide ? QRectF(w * 0.69, h * 0.2, w * 0.29, h * 0.3)
                             : QRectF(w * 0.06, h * 0.63, w * 0.88, h * 0.09);
    const QRectF callLine = wide ? QRectF(call.left(), h * 0.5, call.width(), h * 0.12)
                                 : QRectF(call.left(), h * 0.72, call.width(), h * 0.05);
    const double twinkle = 0.5 + 0.5 * std::sin(phase * 4 * M_PI);
    p.setBrush(kGold.lighter(100 + int(40 * twinkle)));
    drawStar(p, QPointF(title.center().x(), title.top() - unit * 0.06),
             unit * (0.045 + 0.012 * twinkle), unit * 0.02);
    drawWords(p, title, QStringLiteral("Your photos with Santa"), int(unit * 0.11), true,
              Qt::white);
    drawWords(p, titleLine, QStringLiteral("are ready to take home"), int(unit * 0.05), false,
              kGold);
    drawWords(p, call, QStringLiteral("Enter your photo ID"), int(unit * 0.11), true, Qt::white);
    drawWords(p, callLine, QStringLiteral("on the keypad and touch Enter"), int(unit * 0.05), false,
              kGold);

    // Falling snow, in front of everything.
    p.setPen(Qt::NoPen);
    for (const Flake& f : flakes()) {
        double y = std::fmod(f.y + phase * f.speed, 1.0);
        const double sway = std::sin((phase + f.x) * 2 * M_PI) * unit * 0.01;
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(f.x * w + sway, y * h), f.radius * unit, f.radius * unit);
    }
    p.end();
    return image;
}

bool makeAttractMovie(const QString& movie, const QSize& size, int frames, int fps, QString* error)
{
    const QString gst = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (gst.isEmpty()) {
        *error = QStringLiteral("gst-launch-1.0 is not installed (gstreamer1.0-tools)");
        return false;
    }
    QTemporaryDir work;
    if (!work.isValid() || frames < 1) {
        *error = QStringLiteral("no room for the movie's frames");
        return false;
    }
    for (int i = 0; i < frames; ++i) {
        const QString frame =
            work.filePath(QStringLiteral("frame%1.jpg").arg(i, 4, 10, QChar('0')));
        if (!paintAttractPicture(size, double(i) / frames).save(frame, "JPEG", 92)) {
            *error = QStringLiteral("cannot write %1").arg(frame);
            return false;
        }
    }
    QDir().mkpath(QFileInfo(movie).absolutePath());
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(gst,
                  {QStringLiteral("-q"), QStringLiteral("multifilesrc"),
                   QStringLiteral("location=") + work.filePath(QStringLiteral("frame%04d.jpg")),
                   QStringLiteral("index=0"), QStringLiteral("stop-index=%1").arg(frames - 1),
                   QStringLiteral("caps=image/jpeg,framerate=%1/1").arg(fps), QStringLiteral("!"),
                   QStringLiteral("jpegdec"), QStringLiteral("!"), QStringLiteral("videoconvert"),
                   QStringLiteral("!"), QStringLiteral("jpegenc"), QStringLiteral("quality=90"),
                   QStringLiteral("!"), QStringLiteral("avimux"), QStringLiteral("!"),
                   QStringLiteral("filesink"), QStringLiteral("location=") + movie});
    const bool finished = process.waitForFinished(120000);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 ||
        QFileInfo(movie).size() == 0) {
        if (!finished)
            process.kill();
        *error = QStringLiteral("gst-launch-1.0 could not make %1: %2")
                     .arg(movie, QString::fromLocal8Bit(process.readAll()).trimmed());
        return false;
    }
    return true;
}

} // namespace kivo::demo
