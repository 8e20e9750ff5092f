// Paints the pictures of the launcher: the game buttons, the highlight frame, the view switch,
// the start-up logo with its rolling coin, and the program's icon.
// Usage: make_launcher_pictures OUTPUT_FOLDER

#include "Canvas.h"
#include "GameButtons.h"
#include "GifWriter.h"
#include "RobotPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace korvo {
namespace {

constexpr double kPi = std::numbers::pi;
const QColor kTeal(0, 128, 128);
const QColor kRim(24, 20, 42);

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double radians = degrees * kPi / 180;
    return centre + QPointF(std::cos(radians), -std::sin(radians)) * radius;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// A glowing frame that shows in the 5 pixels around a 99 x 70 button: white hot next to the
// button, golden, then orange at its rounded outer edge, smoothed into the window's teal.
QImage PaintHighlight() {
    const QRectF button(5, 5, 99, 70);
    QImage image(109, 80, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double dx = std::max({button.left() - (x + 0.5), x + 0.5 - button.right(), 0.0});
            const double dy = std::max({button.top() - (y + 0.5), y + 0.5 - button.bottom(), 0.0});
            const double distance = std::hypot(dx, dy);
            const QColor band =
                distance < 1.5 ? Mix(QColor(255, 255, 220), QColor(255, 226, 80), distance / 1.5)
                               : Mix(QColor(255, 226, 80), QColor(255, 140, 0),
                                     std::min(1.0, (distance - 1.5) / 3));
            image.setPixel(x, y, Mix(band, kTeal, std::clamp(distance - 4.6, 0.0, 1.0)).rgb());
        }
    }
    return image;
}

// Two arrows chasing each other round a circle. They look the same after half a turn, so four
// frames an eighth of a turn apart make a seamless loop.
QImage PaintSwitchFrame(int frame) {
    return PaintSprite({27, 27}, [frame](QPainter& p) {
        const QPointF centre(13.5, 13.5);
        const double radius = 8.2;
        QLinearGradient light(QPointF(4, 4), QPointF(23, 23));
        light.setColorAt(0, QColor(255, 246, 140));
        light.setColorAt(1, QColor(255, 120, 20));
        for (int arrow = 0; arrow < 2; ++arrow) {
            const double start = 100 - frame * 45 + arrow * 180;
            const double end = start - 112;
            QPainterPath arc;
            const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
            arc.arcMoveTo(circle, start);
            arc.arcTo(circle, start, end - start);
            p.setPen(QPen(QBrush(light), 2.8, Qt::SolidLine, Qt::FlatCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
            const QPolygonF head({Polar(centre, radius + 4.6, end + 2),
                                  Polar(centre, radius, end - 40),
                                  Polar(centre, radius - 4.6, end + 2)});
            p.setPen(Qt::NoPen);
            p.setBrush(light);
            p.drawPolygon(head);
        }
    });
}

// The banner of the start-up logo. The program writes its titles in white across the middle,
// so that band stays dark and calm; the robot waits on the left, the Comeqs bounce on the right.
QImage PaintLogo() {
    return PaintReduced({364, 61}, Qt::black, [](QPainter& p) {
        const QRectF all(0, 0, 364, 61);
        QLinearGradient sky(all.topLeft(), all.topRight());
        sky.setColorAt(0, QColor(0, 128, 140));
        sky.setColorAt(0.26, QColor(18, 44, 104));
        sky.setColorAt(0.74, QColor(24, 26, 86));
        sky.setColorAt(1, QColor(104, 32, 130));
        p.fillRect(all, sky);
        FillVertical(p, all, {{0, QColor(0, 0, 0, 0)}, {1, QColor(0, 0, 30, 90)}});
        std::mt19937 random(2024);
        Stars(p, random, QRectF(0, 0, 92, 56), 26);
        Stars(p, random, QRectF(278, 0, 86, 56), 26);
        Stars(p, random, QRectF(92, 0, 186, 56), 12);
        // A quiet plaque under the titles.
        p.setPen(QPen(QColor(255, 255, 255, 40), 0.8));
        p.setBrush(QColor(6, 10, 40, 90));
        p.drawRoundedRect(QRectF(93, 6, 185, 49), 10, 10);

        Glow(p, QPointF(46, 30), 40, QColor(120, 255, 240, 90));
        Outlined(p, 0.6, kRim, [](QPainter& q) { DrawRobotHead(q, QRectF(12, 4, 68, 53)); });

        struct Tile {
            QPointF centre;
            double size;
            double turn;
            QColor colour;
            char sign;
        };
        for (const Tile& tile : {Tile{{299, 18}, 17, -12, QColor(255, 255, 0), '+'},
                                 Tile{{333, 14}, 15, 10, QColor(0, 255, 255), 'x'},
                                 Tile{{314, 42}, 15, 8, QColor(255, 0, 255), '/'},
                                 Tile{{347, 40}, 13, -9, QColor(0, 255, 0), '='}}) {
            Glow(p, tile.centre, tile.size * 1.1, QColor(255, 255, 255, 50));
            p.save();
            p.translate(tile.centre);
            p.rotate(tile.turn);
            const QRectF square(-tile.size / 2, -tile.size / 2, tile.size, tile.size);
            p.setPen(QPen(kRim, 0.8));
            QLinearGradient shade(square.topLeft(), square.bottomRight());
            shade.setColorAt(0, tile.colour.lighter(130));
            shade.setColorAt(1, tile.colour.darker(125));
            p.setBrush(shade);
            p.drawRoundedRect(square, 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(kRim);
            p.drawPath(MathSign(QPointF(0, 0), tile.size * 0.55, tile.sign));
            p.restore();
        }
        // A rainbow along the bottom edge, where the white window begins.
        QLinearGradient rainbow(all.topLeft(), all.topRight());
        for (int i = 0; i <= 6; ++i) {
            rainbow.setColorAt(i / 6.0, QColor::fromHsv((i * 50) % 360, 220, 255));
        }
        p.fillRect(QRectF(0, 58, 364, 3), rainbow);
    });
}

// The coin of the logo, 39 pixels across at the left end of a white strip. The K on its face
// is turned by the given angle; the light stays where it is.
QImage PaintCoin(double turn, bool shine) {
    return PaintReduced({240, 39}, Qt::white, [turn, shine](QPainter& p) {
        const QPointF centre(19.5, 19.5);
        QRadialGradient edge(centre - QPointF(6, 6), 26);
        edge.setColorAt(0, QColor(250, 210, 80));
        edge.setColorAt(1, QColor(150, 96, 10));
        p.setPen(QPen(QColor(110, 70, 0), 0.6));
        p.setBrush(edge);
        p.drawEllipse(centre, 19.1, 19.1);
        // The milled edge turns with the face.
        p.setPen(QPen(QColor(120, 76, 6, 170), 0.5));
        for (int i = 0; i < 36; ++i) {
            p.drawLine(Polar(centre, 17.3, turn + i * 10), Polar(centre, 18.8, turn + i * 10));
        }
        QRadialGradient face(centre - QPointF(6, 6), 24);
        face.setColorAt(0, QColor(255, 246, 170));
        face.setColorAt(0.45, QColor(245, 196, 64));
        face.setColorAt(1, QColor(200, 136, 24));
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawEllipse(centre, 16.8, 16.8);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(160, 100, 10), 0.7));
        p.drawEllipse(centre + QPointF(0.4, 0.4), 14.6, 14.6);
        p.setPen(QPen(QColor(255, 250, 200), 0.7));
        p.drawEllipse(centre - QPointF(0.4, 0.4), 14.6, 14.6);

        // The K, in round strokes, turned about the coin's centre.
        QPainterPath strokes(QPointF(-3.6, -6.2));
        strokes.lineTo(-3.6, 6.2);
        strokes.moveTo(4.4, -6.2);
        strokes.lineTo(-3.0, 0.8);
        strokes.moveTo(-0.8, -1.2);
        strokes.lineTo(4.6, 6.2);
        QPainterPathStroker pen;
        pen.setWidth(3.2);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        QPainterPath letter = pen.createStroke(strokes);
        letter.setFillRule(Qt::WindingFill);
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.rotate(turn);
        const QPainterPath k = place.map(letter.simplified());
        // Embossed: lit on the upper left, in shadow on the lower right.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 64, 0));
        p.drawPath(k.translated(0.9, 0.9));
        p.setBrush(QColor(255, 255, 235));
        p.drawPath(k.translated(-0.6, -0.6));
        QLinearGradient metal(centre - QPointF(8, 8), centre + QPointF(8, 8));
        metal.setColorAt(0, QColor(255, 200, 60));
        metal.setColorAt(1, QColor(214, 120, 10));
        p.setBrush(metal);
        p.drawPath(k);
        if (shine) {
            const QPointF spark(29.5, 9);
            Glow(p, spark, 5.5, QColor(255, 255, 255, 230));
            QPolygonF star;
            for (int i = 0; i < 8; ++i) {
                star << Polar(spark, i % 2 ? 0.9 : 5.2, i * 45.0);
            }
            p.setBrush(Qt::white);
            p.drawPolygon(star);
        }
    });
}

// The program's icon: the robot's head on a teal tile, painted for a 128-pixel square and
// reduced to the size asked for.
QImage PaintIcon(int size) {
    return PaintReduced({size, size}, Qt::transparent, [size](QPainter& p) {
        p.scale(size / 128.0, size / 128.0);
        const QRectF tile(3, 3, 122, 122);
        QLinearGradient teal(tile.topLeft(), tile.bottomLeft());
        teal.setColorAt(0, QColor(30, 190, 190));
        teal.setColorAt(1, QColor(0, 96, 104));
        p.setPen(QPen(QColor(0, 60, 70), 2.5));
        p.setBrush(teal);
        p.drawRoundedRect(tile, 26, 26);
        p.setPen(QPen(QColor(255, 255, 255, 90), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(tile.adjusted(4, 4, -4, -4), 22, 22);
        Glow(p, QPointF(64, 66), 56, QColor(200, 255, 250, 120));
        Outlined(p, 1.6, kRim, [](QPainter& q) { DrawRobotHead(q, QRectF(6, 16, 116, 98)); });
    });
}

// Small pictures come out crisper without error diffusion; the icons keep their soft edges in PNG.
bool Write(const QImage& image, const QString& folder, const QString& name) {
    const QString path = folder + "/" + name;
    if (name.endsWith(".png") ? image.save(path, "PNG") : WriteGif(image, path, false)) {
        return true;
    }
    std::fprintf(stderr, "make_launcher_pictures: cannot write %s\n", qPrintable(name));
    return false;
}

} // namespace
} // namespace korvo

int main(int argc, char** argv) {
    using namespace korvo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_launcher_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    // Text is drawn with the system's fonts, which need an application but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!TextFontInstalled()) {
        return 1;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;
    for (const auto& [name, picture] : PaintGameButtons()) {
        ok = Write(picture, folder, name + ".gif") && ok;
    }
    ok = Write(PaintHighlight(), folder, "highlight.gif") && ok;
    for (int frame = 0; frame < 4; ++frame) {
        ok = Write(PaintSwitchFrame(frame), folder, QString("switch %1.gif").arg(frame + 1)) && ok;
    }
    ok = Write(PaintLogo(), folder, "logo.gif") && ok;
    // The coin rolls to the right: each frame turns it a sixth further clockwise.
    for (int frame = 0; frame < 6; ++frame) {
        ok = Write(PaintCoin(frame * 60, false), folder, QString("coin %1.gif").arg(frame)) && ok;
    }
    ok = Write(PaintCoin(0, true), folder, "coin rest.gif") && ok;
    ok = Write(PaintIcon(48), folder, "icon.png") && ok;
    ok = Write(PaintIcon(128), folder, "icon-128.png") && ok;
    return ok ? 0 : 1;
}
