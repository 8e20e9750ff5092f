// Paints every picture of the game and writes the robot's animation files.
// Usage: make_pictures OUTPUT_FOLDER

#include "Canvas.h"
#include "GifWriter.h"
#include "RobotPainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace korvo {
namespace {

constexpr int kRunFrames = 8;
constexpr int kMarchFrames = 8;
constexpr int kTwipsPerPixel = 15;

// The playing field: the robot stands on y = 413, and below it the game draws its ground
// strip with the scores; the question is shown large over the calm sky at the top.
constexpr int kFieldWidth = 635;
constexpr int kFieldHeight = 459;
constexpr int kGroundY = 413;
const QRectF kQuestionArea(84, 57, 491, 68);

// A mountain range: peaks with straight flanks, roughened by midpoint displacement. The
// flanks facing the low sun on the left are lit.
struct Peak {
    double x, y, slope;
};

void PaintRange(QPainter& p, std::mt19937& random, const std::vector<Peak>& peaks, double roughness,
                const QColor& top, const QColor& bottom, const QColor& rim) {
    const size_t size = 1024;
    std::vector<double> noise(size + 1, 0);
    std::uniform_real_distribution<double> unit(-1, 1);
    double spread = roughness;
    for (size_t step = size / 2; step >= 1; step /= 2) {
        for (size_t x = step; x < size; x += 2 * step) {
            noise[x] = (noise[x - step] + noise[x + step]) / 2 + unit(random) * spread;
        }
        spread *= 0.6;
    }
    QPolygonF ridge;
    std::vector<size_t> owner;
    for (int x = 0; x <= kFieldWidth; ++x) {
        double height = kGroundY;
        size_t nearest = 0;
        for (size_t i = 0; i < peaks.size(); ++i) {
            const double y = peaks[i].y + peaks[i].slope * std::abs(x - peaks[i].x);
            if (y < height) {
                height = y;
                nearest = i;
            }
        }
        ridge << QPointF(x, height + noise[size_t(x)]);
        owner.push_back(nearest);
    }

    QPolygonF range = ridge;
    range << QPointF(kFieldWidth, kGroundY) << QPointF(0, kGroundY);
    QLinearGradient gradient(0, ridge.boundingRect().top(), 0, kGroundY);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawPolygon(range);

    for (size_t i = 0; i < peaks.size(); ++i) {
        QPolygonF face;
        for (size_t x = 0; x < owner.size(); ++x) {
            if (owner[x] == i && x <= size_t(std::max(0.0, peaks[i].x))) {
                face << ridge[int(x)];
            }
        }
        if (face.size() < 2) {
            continue;
        }
        face << QPointF(peaks[i].x + (peaks[i].x - face.first().x()) * 0.3, kGroundY)
             << QPointF(face.first().x(), kGroundY);
        p.setBrush(QColor(255, 200, 235, 26));
        p.drawPolygon(face);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(rim, 1.0));
    p.drawPolyline(ridge);
}

void PaintGlowBlob(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, colour);
    gradient.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

void PaintStars(QPainter& p, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 420; ++i) {
        const double x = unit(random) * kFieldWidth;
        const double y = std::pow(unit(random), 1.4) * 330;
        const double kind = unit(random);
        // Fewer and fainter stars towards the horizon glow and behind the question.
        double brightness = (0.35 + 0.65 * unit(random)) * std::min(1.0, (340 - y) / 160);
        const bool calm = kQuestionArea.adjusted(-8, -8, 8, 8).contains(x, y);
        if (calm) {
            brightness *= 0.45;
        }
        if ((x < 3 && y < 3) || brightness <= 0.05) {
            continue;
        }
        const int tint = int(unit(random) * 3);
        QColor colour = tint == 0   ? QColor(255, 255, 255)
                        : tint == 1 ? QColor(190, 220, 255)
                                    : QColor(255, 235, 190);
        colour.setAlphaF(float(brightness));
        if (kind < 0.7 || calm) {
            p.fillRect(QRectF(std::floor(x), std::floor(y), 1, 1), colour);
        } else if (kind < 0.96) {
            PaintGlowBlob(p, QPointF(x, y), 1.6, colour);
        } else {
            // A sparkling star with four rays.
            PaintGlowBlob(p, QPointF(x, y), 3.5, QColor(255, 255, 255));
            p.setPen(QPen(QColor(255, 255, 255, 170), 0.8));
            p.drawLine(QPointF(x - 6, y), QPointF(x + 6, y));
            p.drawLine(QPointF(x, y - 6), QPointF(x, y + 6));
        }
    }
}

// A sphere lit from the upper left.
void PaintShading(QPainter& p, QPointF centre, double radius) {
    QRadialGradient shade(centre - QPointF(radius, radius) * 0.45, radius * 1.9);
    shade.setColorAt(0, QColor(255, 255, 255, 40));
    shade.setColorAt(0.45, QColor(0, 0, 0, 0));
    shade.setColorAt(0.8, QColor(10, 0, 30, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(centre, radius, radius);
}

void PaintMoon(QPainter& p, QPointF centre, double radius) {
    PaintGlowBlob(p, centre, radius * 1.6, QColor(160, 255, 220, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 225, 200));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(120, 180, 160));
    for (const auto& [dx, dy, r] :
         {std::tuple{-5.0, -4.0, 3.5}, {4.0, 3.0, 2.6}, {-2.0, 7.0, 2.0}, {6.0, -6.0, 1.6}}) {
        p.drawEllipse(centre + QPointF(dx, dy), r, r);
    }
    PaintShading(p, centre, radius);
}

void PaintRingedPlanet(QPainter& p, QPointF centre, double radius) {
    PaintGlowBlob(p, centre, radius * 1.7, QColor(255, 160, 120, 45));
    p.save();
    p.translate(centre);
    p.rotate(-16);
    const QRectF outerRing(-radius * 2.0, -radius * 0.45, radius * 4.0, radius * 0.9);
    const QRectF innerRing =
        outerRing.adjusted(radius * 0.35, radius * 0.09, -radius * 0.35, -radius * 0.09);
    auto rings = [&] {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(240, 200, 150, 210), radius * 0.16));
        p.drawEllipse(outerRing);
        p.setPen(QPen(QColor(200, 140, 120, 200), radius * 0.1));
        p.drawEllipse(innerRing);
    };
    rings();
    // The body of the planet covers the far half of its rings.
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), radius, radius);
    p.setClipPath(body);
    const QColor bands[] = {QColor(250, 170, 100), QColor(230, 120, 90),  QColor(255, 200, 130),
                            QColor(210, 100, 110), QColor(245, 160, 110), QColor(200, 90, 100)};
    for (int i = 0; i < 6; ++i) {
        p.fillRect(QRectF(-radius, -radius + i * radius / 3, 2 * radius, radius / 3 + 0.5),
                   bands[i]);
    }
    p.setClipping(false);
    PaintShading(p, QPointF(0, 0), radius);
    // The near half of the rings passes in front of it.
    p.setClipRect(QRectF(-radius * 2.2, 0, radius * 4.4, radius));
    rings();
    p.restore();
}

void PaintRuins(QPainter& p) {
    // Broken domes and snapped towers of the lost civilisation along the plain.
    QPainterPath ruins;
    ruins.addEllipse(QPointF(118, 396), 26, 22);
    ruins.addEllipse(QPointF(150, 398), 13, 12);
    ruins.addPolygon(QPolygonF({QPointF(172, 398), QPointF(172, 356), QPointF(176, 350),
                                QPointF(178, 358), QPointF(181, 353), QPointF(181, 398)}));
    ruins.addRect(QRectF(186, 372, 7, 26));
    ruins.addEllipse(QPointF(398, 398), 34, 25);
    ruins.addRect(QRectF(440, 362, 10, 36));
    ruins.addRect(QRectF(455, 342, 8, 56));
    ruins.addEllipse(QPointF(459, 342), 10, 4);
    ruins.addPolygon(QPolygonF({QPointF(600, 398), QPointF(600, 376), QPointF(604, 370),
                                QPointF(607, 378), QPointF(607, 398)}));
    ruins.addEllipse(QPointF(22, 400), 18, 12);
    p.setPen(QPen(QColor(120, 60, 110), 1.0));
    p.setBrush(QColor(34, 18, 52));
    p.drawPath(ruins.simplified());
    // Empty windows and a hole in the big dome.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 32));
    p.drawEllipse(QPointF(388, 384), 7, 5);
    for (double y : {350.0, 362.0, 374.0}) {
        p.drawRect(QRectF(457.5, y, 3, 5));
    }
}

// Glowing crystals grow out of the plain.
void PaintCrystals(QPainter& p, QPointF foot, double size, const QColor& colour) {
    const double shapes[][3] = {{-0.55, 0.55, -14}, {0.6, 0.45, 18}, {0, 1.0, 0}};
    PaintGlowBlob(p, foot - QPointF(0, size * 0.4), size * 0.9,
                  QColor(colour.red(), colour.green(), colour.blue(), 60));
    for (const auto& shape : shapes) {
        p.save();
        p.translate(foot + QPointF(shape[0] * size * 0.4, 0));
        p.rotate(shape[2]);
        const double height = size * shape[1];
        const double half = size * 0.13;
        const QPolygonF left({QPointF(-half, 0), QPointF(-half, -height * 0.75),
                              QPointF(0, -height), QPointF(0, 0)});
        const QPolygonF right(
            {QPointF(0, 0), QPointF(0, -height), QPointF(half, -height * 0.75), QPointF(half, 0)});
        p.setPen(QPen(colour.darker(250), 0.8));
        p.setBrush(colour.lighter(130));
        p.drawPolygon(left);
        p.setBrush(colour.darker(140));
        p.drawPolygon(right);
        p.restore();
    }
}

void PaintRocks(QPainter& p, std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 14; ++i) {
        const double x = unit(random) * kFieldWidth;
        const double y = 399 + unit(random) * 12;
        const double w = 3 + unit(random) * 7;
        QLinearGradient rock(x, y - w / 2, x, y + w / 3);
        rock.setColorAt(0, QColor(96, 56, 104));
        rock.setColorAt(1, QColor(36, 20, 48));
        p.setPen(Qt::NoPen);
        p.setBrush(rock);
        p.drawEllipse(QPointF(x, y), w, w / 2.4);
    }
}

QImage PaintBackground() {
    QImage field(kFieldWidth, kFieldHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&field);
    p.setRenderHint(QPainter::Antialiasing);
    std::mt19937 random(20240611);

    QLinearGradient sky(0, 0, 0, kGroundY);
    sky.setColorAt(0.0, QColor(22, 12, 64));
    sky.setColorAt(0.32, QColor(34, 16, 86));
    sky.setColorAt(0.6, QColor(74, 28, 114));
    sky.setColorAt(0.8, QColor(152, 60, 136));
    sky.setColorAt(0.93, QColor(236, 124, 120));
    p.fillRect(field.rect(), sky);

    PaintGlowBlob(p, QPointF(170, 235), 140, QColor(210, 70, 190, 45));
    PaintGlowBlob(p, QPointF(430, 215), 120, QColor(40, 170, 210, 38));
    PaintStars(p, random);
    PaintMoon(p, QPointF(44, 40), 15);
    PaintRingedPlanet(p, QPointF(552, 190), 28);
    PaintGlowBlob(p, QPointF(214, 182), 14, QColor(80, 220, 255, 50));
    p.setBrush(QColor(70, 170, 220));
    p.drawEllipse(QPointF(214, 182), 7, 7);
    PaintShading(p, QPointF(214, 182), 7);

    const std::vector<Peak> far{{30, 296, 0.7},  {112, 262, 0.8}, {190, 290, 0.7},
                                {258, 252, 0.9}, {335, 284, 0.7}, {405, 246, 0.85},
                                {470, 280, 0.7}, {548, 250, 0.8}, {620, 272, 0.7}};
    const std::vector<Peak> near{{0, 350, 0.9},   {82, 318, 1.0},  {150, 346, 0.9}, {218, 308, 1.1},
                                 {300, 350, 0.9}, {362, 324, 1.0}, {432, 302, 1.1}, {505, 342, 0.9},
                                 {582, 314, 1.0}, {640, 345, 0.9}};
    PaintRange(p, random, far, 14, QColor(116, 58, 138), QColor(84, 38, 108),
               QColor(255, 170, 170, 120));
    PaintRange(p, random, near, 12, QColor(70, 32, 96), QColor(44, 21, 64),
               QColor(230, 120, 160, 110));
    PaintRuins(p);

    // The plain the robot runs on, and the plain dark strip under the ground line.
    QLinearGradient plain(0, 392, 0, kGroundY);
    plain.setColorAt(0, QColor(62, 32, 76));
    plain.setColorAt(1, QColor(40, 22, 54));
    QPainterPath plainPath(QPointF(0, 396));
    plainPath.cubicTo(200, 388, 420, 400, kFieldWidth, 392);
    plainPath.lineTo(kFieldWidth, kGroundY);
    plainPath.lineTo(0, kGroundY);
    p.setPen(Qt::NoPen);
    p.setBrush(plain);
    p.drawPath(plainPath);
    PaintCrystals(p, QPointF(268, 398), 26, QColor(70, 230, 220));
    PaintCrystals(p, QPointF(530, 400), 18, QColor(120, 255, 160));
    PaintCrystals(p, QPointF(62, 401), 14, QColor(255, 110, 210));
    PaintRocks(p, random);
    p.fillRect(QRectF(0, kGroundY, kFieldWidth, kFieldHeight - kGroundY), QColor(30, 17, 40));
    return field;
}

// The installed game's button: the field in small, the robot firing at the Comeq that solves
// the question. Robot, Comeqs and question are drawn larger than to scale so that they read.
QImage PaintScreendump(const QImage& background) {
    const QSize size(99, 70);
    return PaintReduced(size, Qt::black, [&](QPainter& p) {
        const double scale = double(size.width()) / kFieldWidth;
        // The field is a little taller than a button: its bottom strip is cut short.
        p.drawImage(QRectF(0, 0, size.width(), kFieldHeight * scale), background);
        const double ground = (kGroundY + 2) * scale;
        p.fillRect(QRectF(0, ground, size.width(), size.height()), QColor(64, 48, 40));
        p.fillRect(QRectF(0, ground, size.width(), 0.5), QColor(150, 120, 96));

        const QRectF robot(6, ground - 27, 18, 27);
        const double beamY = robot.top() + robot.height() * 25 / 60;
        const QRectF target(62, beamY - 6, 12, 12);
        p.setPen(QPen(QColor(255, 0, 0), 1.0));
        p.drawLine(QPointF(robot.right() - 1, beamY), QPointF(target.left(), beamY));
        PaintGlowBlob(p, QPointF(target.left(), beamY), 5, QColor(255, 230, 120, 200));
        p.drawImage(robot, PaintSideRobot({{4, 6}, {-4, 6}, {88, 2}, {-12, 24}, true}));

        QFont comic(kTextFont);
        comic.setBold(true);
        comic.setPixelSize(9);
        p.setFont(comic);
        struct Comeq {
            QRectF box;
            QColor colour;
            const char* number;
        };
        for (const Comeq& comeq : {Comeq{target, QColor(0, 255, 0), "3"},
                                   Comeq{{31, 21, 12, 12}, QColor(255, 0, 255), "7"},
                                   Comeq{{54, 24, 12, 12}, QColor(0, 255, 255), "5"},
                                   Comeq{{83, 46, 12, 12}, QColor(255, 255, 0), "2"}}) {
            p.fillRect(comeq.box, comeq.colour);
            p.setPen(Qt::black);
            p.drawText(comeq.box, Qt::AlignCenter, comeq.number);
        }
        comic.setPixelSize(11);
        p.setFont(comic);
        p.setPen(QColor(255, 255, 0));
        p.drawText(QRectF(0, 3, size.width(), 14), Qt::AlignCenter, "x + 1 = 4");
    });
}

bool Write(const QImage& image, const QString& folder, const QString& name, bool dither = false) {
    if (WriteGif(image, folder + "/" + name, dither)) {
        return true;
    }
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(name));
    return false;
}

// An animation: the frame interval, then one frame picture and the x and y offsets in twips
// by which the picture box moves a line.
bool WriteAnimation(const QString& folder, const QString& name, int interval,
                    const QStringList& frames, int dx) {
    QFile file(folder + "/" + name);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(name));
        return false;
    }
    QByteArray text = QByteArray::number(interval) + "\r\n";
    for (const QString& frame : frames) {
        text += "\"" + frame.toLocal8Bit() + "\"," + QByteArray::number(dx) + ",0\r\n";
    }
    return file.write(text) == text.size();
}

bool WriteRobot(const QString& folder) {
    const SidePose stand{{0, 4}, {0, 4}, {8, 30}, {-6, 20}, false};
    const SidePose gun{{4, 6}, {-4, 6}, {88, 2}, {-12, 24}, true};
    bool ok = true;
    for (const auto& [name, image] :
         {std::pair{QString("robot stand right.gif"), PaintSideRobot(stand)},
          {"robot gun right.gif", PaintSideRobot(gun)}}) {
        ok = Write(image, folder, name) && ok;
        QString left = name;
        ok = Write(image.mirrored(true, false), folder, left.replace("right", "left")) && ok;
    }
    ok = Write(PaintSquashedRobot(), folder, "robot squashed.gif") && ok;

    QStringList right;
    QStringList left;
    for (int i = 0; i < kRunFrames; ++i) {
        const double phase = 2 * M_PI * i / kRunFrames;
        auto leg = [](double phase) {
            return Limb{32 * std::sin(phase), 10 + 70 * std::max(0.0, std::cos(phase))};
        };
        const SidePose pose{leg(phase),
                            leg(phase + M_PI),
                            {-45 * std::sin(phase), 70},
                            {45 * std::sin(phase), 70},
                            false,
                            7};
        const QImage frame = PaintSideRobot(pose);
        right << QString("robot run right %1.gif").arg(i + 1);
        left << QString("robot run left %1.gif").arg(i + 1);
        ok = Write(frame, folder, right.last()) && ok;
        ok = Write(frame.mirrored(true, false), folder, left.last()) && ok;
    }
    // A run moves five pixels a frame.
    ok = WriteAnimation(folder, "robot run right.spr", 60, right, 5 * kTwipsPerPixel) && ok;
    ok = WriteAnimation(folder, "robot run left.spr", 60, left, -5 * kTwipsPerPixel) && ok;

    ok = Write(PaintFrontRobot({0, 0, 0, 0, true}), folder, "robot hiscores.gif") && ok;
    QStringList march;
    for (int i = 0; i < kMarchFrames; ++i) {
        const double step = std::sin(2 * M_PI * i / kMarchFrames);
        const double leftLift = std::max(0.0, step);
        const double rightLift = std::max(0.0, -step);
        march << QString("mark time %1.gif").arg(i + 1);
        ok = Write(PaintFrontRobot({leftLift, rightLift, rightLift, leftLift, false}), folder,
                   march.last()) &&
             ok;
    }
    ok = WriteAnimation(folder, "mark time.spr", 140, march, 0) && ok;
    return ok;
}

} // namespace
} // namespace korvo

int main(int argc, char** argv) {
    using namespace korvo;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_FOLDER\n");
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
    const QImage background = PaintBackground();
    bool ok = Write(background, folder, "background.gif", true);
    ok = Write(PaintScreendump(background), folder, "screendump.gif") && ok;
    ok = Write(PaintRobotHead(), folder, "life.gif") && ok;
    ok = WriteRobot(folder) && ok;
    return ok ? 0 : 1;
}
