#include "GameButtons.h"

#include "Canvas.h"
#include "RobotPainter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cctype>
#include <cmath>
#include <numbers>

namespace korvo {

namespace {

const QSize kSize(99, 70);
const QColor kRim(24, 20, 42);
constexpr double kPi = std::numbers::pi;

QPointF Polar(QPointF centre, double radius, double degrees) {
    const double radians = degrees * kPi / 180;
    return centre + QPointF(std::cos(radians), -std::sin(radians)) * radius;
}

QPolygonF StarShape(QPointF centre, double outer, double inner, int points, double turn = 90) {
    QPolygonF star;
    for (int i = 0; i < 2 * points; ++i) {
        star << Polar(centre, i % 2 ? inner : outer, turn + i * 180.0 / points);
    }
    return star;
}

QPolygonF Regular(QPointF centre, double radius, int corners, double turn) {
    QPolygonF shape;
    for (int i = 0; i < corners; ++i) {
        shape << Polar(centre, radius, turn + i * 360.0 / corners);
    }
    return shape;
}

// The robot from the side, feet at the given point, as tall as asked, with a dark rim.
void Robot(QPainter& p, QPointF feet, double height, const SidePose& pose,
           const PaintFunction& behind = {}) {
    Outlined(p, 0.45, kRim, [&](QPainter& q) {
        q.translate(feet);
        q.scale(height / 60, height / 60);
        q.translate(-20, -60);
        if (behind) {
            behind(q);
        }
        DrawSideRobot(q, pose);
    });
}

void Head(QPainter& p, const QRectF& box) {
    Outlined(p, 0.45, kRim, [&](QPainter& q) { DrawRobotHead(q, box); });
}

void Cloud(QPainter& p, QPointF at, double size, const QColor& colour) {
    QPainterPath cloud;
    for (const auto& [dx, dy, r] : {std::tuple{0.0, 0.0, 1.0},
                                    {1.1, 0.25, 0.8},
                                    {-1.1, 0.3, 0.7},
                                    {0.5, -0.45, 0.75},
                                    {-0.5, -0.3, 0.6}}) {
        cloud.addEllipse(at + QPointF(dx, dy) * size, r * size, r * size * 0.8);
    }
    cloud.addRect(QRectF(at.x() - 1.6 * size, at.y() + 0.2 * size, 3.2 * size, 0.5 * size));
    cloud.setFillRule(Qt::WindingFill);
    p.save();
    p.setPen(Qt::NoPen);
    QLinearGradient shade(at - QPointF(0, size), at + QPointF(0, size * 0.7));
    shade.setColorAt(0, colour.lighter(115));
    shade.setColorAt(1, colour.darker(125));
    p.setBrush(shade);
    p.drawPath(cloud.simplified());
    p.restore();
}

// White crests on a sea: short arcs in rows that grow towards the viewer.
void Waves(QPainter& p, std::mt19937& random, double top, double bottom, const QColor& colour,
           double roughness) {
    std::uniform_real_distribution<double> unit(0, 1);
    p.save();
    p.setBrush(Qt::NoBrush);
    for (double y = top + 2; y < bottom; y += 2.2 + (y - top) * 0.18) {
        const double scale = 0.6 + (y - top) / (bottom - top) * 1.6;
        for (double x = -4 + unit(random) * 6; x < 100; x += 6 * scale + unit(random) * 5) {
            p.setPen(QPen(colour, 0.35 + 0.25 * scale, Qt::SolidLine, Qt::RoundCap));
            QPainterPath crest(QPointF(x, y));
            crest.quadTo(QPointF(x + 1.5 * scale, y - roughness * scale),
                         QPointF(x + 3 * scale, y));
            p.drawPath(crest);
        }
    }
    p.restore();
}

// --- Korvo's Vorpa: mental sums on meteors falling on a green planet --------------------------

// A meteor whose head carries a sign of a sum or a digit.
void Meteor(QPainter& p, QPointF head, double radius, char sign) {
    const QPointF direction(0.78, -0.62);
    const QPointF normal(direction.y(), -direction.x());
    const QPointF tail = head + direction * radius * 4.2;
    QLinearGradient fire(head, tail);
    fire.setColorAt(0, QColor(255, 240, 150, 240));
    fire.setColorAt(0.35, QColor(255, 140, 40, 180));
    fire.setColorAt(1, QColor(255, 60, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fire);
    p.drawPolygon(QPolygonF(
        {head + normal * radius * 1.05, tail, head - normal * radius * 1.05, head - direction}));
    Glow(p, head, radius * 1.9, QColor(255, 170, 60, 150));
    QRadialGradient rock(head - QPointF(radius, -radius) * 0.3, radius * 1.3);
    rock.setColorAt(0, QColor(190, 120, 80));
    rock.setColorAt(1, QColor(90, 40, 40));
    p.setPen(QPen(QColor(255, 220, 120), 0.5));
    p.setBrush(rock);
    p.drawEllipse(head, radius, radius);
    if (std::isdigit(static_cast<unsigned char>(sign))) {
        Caption(p, head, QString(sign), radius * 2.1, Qt::white);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(MathSign(head, radius * 1.1, sign));
    }
}

QImage PaintVorpa() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        std::mt19937 random(101);
        FillVertical(
            p, QRectF(QPointF(0, 0), kSize),
            {{0, QColor(8, 14, 52)}, {0.6, QColor(28, 52, 130)}, {1, QColor(60, 150, 200)}});
        Stars(p, random, QRectF(0, 0, 99, 52), 70);
        // The planet's rim with its atmosphere and the domes of its towns.
        Glow(p, QPointF(50, 132), 88, QColor(130, 230, 255, 150));
        QRadialGradient land(QPointF(38, 62), 70);
        land.setColorAt(0, QColor(140, 230, 120));
        land.setColorAt(0.5, QColor(40, 160, 110));
        land.setColorAt(1, QColor(10, 80, 90));
        p.setPen(QPen(QColor(190, 255, 230), 0.6));
        p.setBrush(land);
        p.drawEllipse(QPointF(50, 130), 92, 70);
        for (const auto& [x, r] : {std::pair{14.0, 3.4}, {22.0, 2.2}, {63.0, 3.0}, {86.0, 2.6}}) {
            const double y = 130 - 70 * std::sqrt(1 - std::pow((x - 50) / 92, 2));
            p.setPen(QPen(QColor(20, 70, 80), 0.4));
            p.setBrush(QColor(220, 240, 255));
            p.drawChord(QRectF(x - r, y - r + 0.6, 2 * r, 2 * r), 0, 180 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 230, 120));
            p.drawEllipse(QPointF(x, y - r * 0.35), r * 0.28, r * 0.28);
        }
        Meteor(p, QPointF(66, 37), 5.4, '+');
        Meteor(p, QPointF(84, 15), 4.6, '-');
        Meteor(p, QPointF(46, 16), 4.6, '7');
        // Korvo hovers on his jet pack and zaps a meteor.
        const QPointF feet(14, 58);
        const double height = 36;
        const QPointF muzzle = feet + (QPointF(39.3, 25.2) - QPointF(20, 60)) * height / 60;
        p.setPen(QPen(QColor(120, 255, 255), 0.9, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(muzzle, QPointF(60.5, muzzle.y()));
        Glow(p, QPointF(60.5, muzzle.y()), 3.5, QColor(200, 255, 255, 230));
        Robot(p, feet, height, {{-12, 18}, {-28, 12}, {88, 2}, {30, 40}, true, 0}, [](QPainter& q) {
            QLinearGradient flame(QPointF(9, 34), QPointF(6, 52));
            flame.setColorAt(0, QColor(255, 255, 210));
            flame.setColorAt(0.4, QColor(255, 170, 40));
            flame.setColorAt(1, QColor(255, 60, 20, 0));
            q.setPen(Qt::NoPen);
            q.setBrush(flame);
            q.drawPolygon(
                QPolygonF({QPointF(6.5, 33), QPointF(11.5, 33), QPointF(10, 44), QPointF(6, 56)}));
        });
    });
}

// --- Korvo's Dravolt: times tables in a volcano -----------------------------------------------

void TimesSign(QPainter& p, QPointF centre, double size, double turn) {
    Glow(p, centre, size * 1.5, QColor(255, 160, 40, 170));
    p.save();
    p.translate(centre);
    p.rotate(turn);
    for (const double angle : {45.0, -45.0}) {
        p.save();
        p.rotate(angle);
        p.setPen(QPen(QColor(110, 30, 0), size * 0.55, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-size * 0.6, 0), QPointF(size * 0.6, 0));
        p.restore();
    }
    for (const double angle : {45.0, -45.0}) {
        p.save();
        p.rotate(angle);
        p.setPen(QPen(QColor(255, 236, 120), size * 0.32, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-size * 0.6, 0), QPointF(size * 0.6, 0));
        p.restore();
    }
    p.restore();
}

QImage PaintDravolt() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        std::mt19937 random(303);
        FillVertical(
            p, QRectF(QPointF(0, 0), kSize),
            {{0, QColor(34, 6, 30)}, {0.5, QColor(110, 20, 40)}, {1, QColor(240, 110, 40)}});
        Glow(p, QPointF(64, 20), 40, QColor(255, 120, 40, 110));
        // The volcano, lit by its own fire.
        QPainterPath cone(QPointF(24, 70));
        cone.cubicTo(QPointF(40, 60), QPointF(50, 40), QPointF(55, 22));
        cone.lineTo(QPointF(73, 22));
        cone.cubicTo(QPointF(78, 40), QPointF(88, 58), QPointF(104, 70));
        cone.closeSubpath();
        QLinearGradient rock(QPointF(50, 0), QPointF(90, 0));
        rock.setColorAt(0, QColor(110, 50, 45));
        rock.setColorAt(1, QColor(36, 16, 24));
        p.setPen(QPen(QColor(20, 6, 12), 0.6));
        p.setBrush(rock);
        p.drawPath(cone);
        Glow(p, QPointF(64, 22), 12, QColor(255, 230, 120, 230));
        p.setBrush(Qt::NoBrush);
        for (const auto& stream : {std::tuple{QPointF(58, 23), QPointF(52, 40), QPointF(44, 66)},
                                   {QPointF(67, 23), QPointF(70, 42), QPointF(66, 68)},
                                   {QPointF(71, 23), QPointF(80, 40), QPointF(92, 62)}}) {
            QPainterPath lava(std::get<0>(stream));
            lava.quadTo(std::get<1>(stream), std::get<2>(stream));
            p.setPen(QPen(QColor(255, 90, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(lava);
            p.setPen(QPen(QColor(255, 220, 90), 1.0, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(lava);
        }
        // Sparks and the multiplication signs that the eruption throws out.
        std::uniform_real_distribution<double> unit(0, 1);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 26; ++i) {
            const double angle = 35 + unit(random) * 110;
            const QPointF at = Polar(QPointF(64, 22), 4 + unit(random) * 18, angle);
            p.setBrush(QColor(255, 200 + int(unit(random) * 55), 80, 220));
            p.drawEllipse(at, 0.5, 0.5);
        }
        TimesSign(p, QPointF(50, 8), 5.5, 10);
        TimesSign(p, QPointF(79, 6), 4.5, -15);
        TimesSign(p, QPointF(90, 24), 3.6, 20);
        // A lava lake with a dark crust.
        FillVertical(p, QRectF(0, 63, 99, 7),
                     {{0, QColor(255, 200, 60)}, {1, QColor(230, 70, 20)}});
        p.setPen(QPen(QColor(120, 30, 10), 0.7));
        for (double x = 3; x < 99; x += 9) {
            p.drawLine(QPointF(x, 65.5 + (int(x) % 3)), QPointF(x + 4, 65 + (int(x) % 2)));
        }
        // The dragon's tablet: the power crystals laid out three times four.
        const QRectF tablet(5, 20, 36, 40);
        QLinearGradient stone(tablet.topLeft(), tablet.bottomRight());
        stone.setColorAt(0, QColor(150, 130, 130));
        stone.setColorAt(1, QColor(70, 55, 65));
        p.setPen(QPen(QColor(30, 14, 24), 0.8));
        p.setBrush(stone);
        p.drawRoundedRect(tablet, 4, 4);
        p.setPen(QPen(QColor(40, 20, 30, 160), 0.5));
        p.setBrush(QColor(40, 24, 40));
        p.drawRoundedRect(tablet.adjusted(3, 3, -3, -3), 2.5, 2.5);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 4; ++column) {
                const QPointF at(12 + column * 7.3, 29 + row * 11);
                Glow(p, at, 5, QColor(90, 255, 240, 120));
                p.setPen(QPen(QColor(0, 70, 90), 0.4));
                p.setBrush(QColor(170, 255, 250));
                p.drawPolygon(Regular(at, 2.7, 4, 90));
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(40, 190, 220));
                p.drawPolygon(QPolygonF({at, at + QPointF(2.7, 0), at + QPointF(0, 2.7)}));
            }
        }
    });
}

// --- Korvo's Mirvane: symmetry over a mirror lake ---------------------------------------------

void Butterfly(QPainter& p, QPointF centre, double size) {
    auto wings = [&](double side) {
        p.save();
        p.translate(centre);
        p.scale(side * size, size);
        QPainterPath upper(QPointF(0, -0.1));
        upper.cubicTo(QPointF(0.4, -1.3), QPointF(1.5, -1.4), QPointF(1.35, -0.5));
        upper.cubicTo(QPointF(1.25, -0.05), QPointF(0.6, 0.05), QPointF(0, 0.05));
        QPainterPath lower(QPointF(0, 0.1));
        lower.cubicTo(QPointF(0.9, 0.05), QPointF(1.1, 0.7), QPointF(0.7, 0.95));
        lower.cubicTo(QPointF(0.4, 1.1), QPointF(0.1, 0.6), QPointF(0, 0.2));
        p.setPen(QPen(QColor(60, 20, 70), 0.1));
        QRadialGradient colour(QPointF(0.2, 0), 1.5);
        colour.setColorAt(0, QColor(255, 200, 70));
        colour.setColorAt(0.55, QColor(255, 100, 170));
        colour.setColorAt(1, QColor(150, 40, 170));
        p.setBrush(colour);
        p.drawPath(lower);
        p.drawPath(upper);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(QPointF(1.0, -0.75), 0.17, 0.17);
        p.drawEllipse(QPointF(0.62, 0.62), 0.12, 0.12);
        p.restore();
    };
    wings(-1);
    wings(1);
    p.setPen(QPen(QColor(50, 20, 60), size * 0.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(0, -size * 0.55), centre + QPointF(0, size * 0.75));
    p.setPen(QPen(QColor(50, 20, 60), size * 0.06, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(0, -size * 0.55), centre + QPointF(-size * 0.35, -size * 1.0));
    p.drawLine(centre + QPointF(0, -size * 0.55), centre + QPointF(size * 0.35, -size * 1.0));
}

QImage PaintMirvane() {
    constexpr double horizon = 37;
    const auto landscape = [](QPainter& p) {
        FillVertical(
            p, QRectF(0, 0, 99, horizon),
            {{0, QColor(100, 80, 190)}, {0.65, QColor(240, 150, 200)}, {1, QColor(255, 214, 170)}});
        Glow(p, QPointF(30, 21), 16, QColor(255, 240, 200, 200));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 246, 220));
        p.drawEllipse(QPointF(30, 21), 5, 5);
        p.setBrush(QColor(170, 120, 200));
        p.drawPolygon(
            QPolygonF({QPointF(-2, horizon), QPointF(12, 24), QPointF(22, 30), QPointF(40, 17),
                       QPointF(56, 29), QPointF(70, 22), QPointF(101, 33), QPointF(101, horizon)}));
        p.setBrush(QColor(96, 70, 150));
        p.drawPolygon(
            QPolygonF({QPointF(-2, horizon), QPointF(6, 31), QPointF(20, 35), QPointF(48, 27),
                       QPointF(64, 33), QPointF(84, 26), QPointF(101, 32), QPointF(101, horizon)}));
        Butterfly(p, QPointF(66, 13), 8.5);
    };
    return PaintReduced(kSize, Qt::black, [&](QPainter& p) {
        landscape(p);
        // The lake holds the same picture upside down, darker and bluer, broken by ripples.
        p.save();
        p.setClipRect(QRectF(0, horizon, 99, 70 - horizon));
        p.translate(0, 2 * horizon);
        p.scale(1, -1);
        landscape(p);
        p.restore();
        FillVertical(p, QRectF(0, horizon, 99, 70 - horizon),
                     {{0, QColor(40, 60, 160, 70)}, {1, QColor(20, 30, 110, 150)}});
        std::mt19937 random(404);
        std::uniform_real_distribution<double> unit(0, 1);
        for (double y = horizon + 1.5; y < 70; y += 1.6 + (y - horizon) * 0.08) {
            for (double x = unit(random) * 10; x < 99; x += 8 + unit(random) * 10) {
                p.setPen(QPen(QColor(255, 255, 255, 90), 0.5));
                p.drawLine(QPointF(x, y), QPointF(x + 2 + unit(random) * 5, y));
            }
        }
        p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
        p.drawLine(QPointF(0, horizon), QPointF(99, horizon));
        // The butterfly's line of symmetry.
        p.setPen(QPen(Qt::white, 0.7, Qt::DashLine, Qt::RoundCap));
        p.drawLine(QPointF(66, 1), QPointF(66, 30));
    });
}

// --- Korvo's Skelmo: fractions of a pizza -----------------------------------------------------

void PizzaSlices(QPainter& p, QPointF centre, double radius, double from, double span) {
    QPainterPath slice(centre);
    slice.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), from,
                span);
    slice.closeSubpath();
    QRadialGradient cheese(centre, radius);
    cheese.setColorAt(0, QColor(255, 226, 110));
    cheese.setColorAt(0.82, QColor(250, 190, 70));
    cheese.setColorAt(0.86, QColor(214, 130, 50));
    cheese.setColorAt(1, QColor(170, 90, 35));
    p.setPen(QPen(QColor(120, 60, 20), 0.6));
    p.setBrush(cheese);
    p.drawPath(slice);
    p.save();
    p.setClipPath(slice);
    // Pepperoni: one in the middle of every eighth and a few nearer the centre.
    p.setPen(Qt::NoPen);
    for (double angle = 22.5; angle < 360; angle += 45) {
        for (const auto& [distance, turn] : {std::pair{0.62, 0.0}, {0.3, 12.0}}) {
            if (distance < 0.5 && int(angle) % 90 != 22) {
                continue;
            }
            const QPointF at = Polar(centre, radius * distance, angle + turn);
            p.setBrush(QColor(200, 50, 30));
            p.drawEllipse(at, radius * 0.13, radius * 0.13);
            p.setBrush(QColor(150, 30, 20));
            p.drawEllipse(at + QPointF(0.5, 0.4), radius * 0.04, radius * 0.04);
        }
    }
    p.setBrush(QColor(60, 140, 50));
    for (double angle = 5; angle < 360; angle += 33) {
        p.drawEllipse(Polar(centre, radius * (0.45 + 0.2 * std::sin(angle)), angle), 0.9, 0.5);
    }
    p.restore();
    p.setPen(QPen(QColor(130, 70, 20), 0.6));
    for (double angle = from; angle <= from + span + 0.1; angle += 45) {
        p.drawLine(centre, Polar(centre, radius, angle));
    }
}

QImage PaintSkelmo() {
    return PaintReduced(kSize, Qt::white, [](QPainter& p) {
        // A checked cloth seen from above.
        for (int row = 0; row < 9; ++row) {
            for (int column = 0; column < 13; ++column) {
                const QRectF square(column * 8 - 2, row * 8 - 2, 8, 8);
                p.fillRect(square,
                           (row + column) % 2 ? QColor(220, 40, 50) : QColor(255, 244, 236));
            }
        }
        FillVertical(
            p, QRectF(0, 0, 99, 70),
            {{0, QColor(60, 0, 40, 60)}, {0.5, QColor(0, 0, 0, 0)}, {1, QColor(60, 0, 40, 70)}});
        const QPointF centre(60, 35);
        p.setPen(QPen(QColor(90, 90, 110), 0.6));
        QRadialGradient plate(centre, 30);
        plate.setColorAt(0.75, QColor(255, 255, 255));
        plate.setColorAt(1, QColor(190, 200, 220));
        p.setBrush(plate);
        p.drawEllipse(centre, 29.5, 29.5);
        Glow(p, centre + QPointF(3, 3), 29, QColor(0, 0, 0, 60));
        PizzaSlices(p, centre, 25, 0, 315);
        // One eighth is out, on its way to a customer.
        PizzaSlices(p, Polar(centre, 6, -22.5), 25, 315, 45);
        // The cook: Korvo in his chef's hat.
        Head(p, QRectF(1, 36, 32, 32));
        Outlined(p, 0.45, kRim, [](QPainter& q) {
            q.setPen(QPen(QColor(160, 160, 180), 0.5));
            q.setBrush(Qt::white);
            QPainterPath hat;
            hat.addEllipse(QPointF(11.5, 31.5), 4.6, 4.2);
            hat.addEllipse(QPointF(17, 29.2), 5.2, 5.0);
            hat.addEllipse(QPointF(22.5, 31.5), 4.6, 4.2);
            hat.addRect(QRectF(9.5, 32, 15, 8.5));
            hat.setFillRule(Qt::WindingFill);
            q.drawPath(hat.simplified());
            q.setPen(QPen(QColor(200, 200, 215), 0.5));
            q.drawLine(QPointF(10, 37.5), QPointF(24, 37.5));
        });
    });
}

// --- Korvo's Quentor: shapes at a jungle temple -----------------------------------------------

void Gem(QPainter& p, const QPolygonF& shape, const QColor& colour) {
    const QPointF centre = shape.boundingRect().center();
    Glow(p, centre, shape.boundingRect().width() * 1.1,
         QColor(colour.red(), colour.green(), colour.blue(), 150));
    QLinearGradient face(shape.boundingRect().topLeft(), shape.boundingRect().bottomRight());
    face.setColorAt(0, colour.lighter(160));
    face.setColorAt(1, colour.darker(130));
    p.setPen(QPen(colour.darker(250), 0.5));
    p.setBrush(face);
    p.drawPolygon(shape);
}

QImage PaintQuentor() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        std::mt19937 random(606);
        std::uniform_real_distribution<double> unit(0, 1);
        FillVertical(
            p, QRectF(QPointF(0, 0), kSize),
            {{0, QColor(190, 240, 170)}, {0.5, QColor(90, 170, 90)}, {1, QColor(30, 90, 50)}});
        // The jungle behind: rows of tree tops, darker in front.
        for (int row = 0; row < 3; ++row) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60 - row * 15, 150 - row * 30, 80 - row * 20));
            for (double x = -4 + row * 3; x < 104; x += 7 + unit(random) * 5) {
                const double r = 5 + unit(random) * 3;
                p.drawEllipse(QPointF(x, 30 + row * 6 + unit(random) * 3), r, r * 0.9);
            }
            p.drawRect(QRectF(0, 32 + row * 6, 99, 40));
        }
        // The stepped temple.
        const double tiers[][3] = {{16, 83, 64}, {22, 77, 54}, {28, 71, 44}, {34, 65, 34}};
        for (const auto& tier : tiers) {
            const QRectF block(tier[0], tier[2], tier[1] - tier[0], 10.5);
            QLinearGradient stone(block.topLeft(), block.topRight());
            stone.setColorAt(0, QColor(226, 210, 160));
            stone.setColorAt(0.6, QColor(200, 180, 130));
            stone.setColorAt(1, QColor(140, 120, 90));
            p.setPen(QPen(QColor(80, 64, 40), 0.5));
            p.setBrush(stone);
            p.drawRect(block);
            p.setPen(QPen(QColor(120, 100, 70, 150), 0.35));
            for (double x = block.left() + 4; x < block.right(); x += 5) {
                p.drawLine(QPointF(x, block.top() + 5), QPointF(x, block.bottom()));
            }
        }
        const QRectF shrine(40, 22, 19, 12);
        p.setPen(QPen(QColor(80, 64, 40), 0.5));
        p.setBrush(QColor(214, 196, 146));
        p.drawRect(shrine);
        p.setBrush(QColor(40, 30, 24));
        p.drawRoundedRect(QRectF(46, 25, 7, 9), 3, 3);
        // The great door waits for its shapes.
        p.setBrush(QColor(50, 40, 30));
        p.drawRoundedRect(QRectF(44, 57, 11, 13), 5, 5);
        // Vines hang over the stones, leaves frame the picture.
        p.setBrush(Qt::NoBrush);
        for (const double x : {19.0, 74.0, 90.0}) {
            QPainterPath vine(QPointF(x, -1));
            vine.cubicTo(QPointF(x - 4, 12), QPointF(x + 5, 22), QPointF(x - 1, 34));
            p.setPen(QPen(QColor(30, 100, 40), 0.8));
            p.drawPath(vine);
            for (double t = 0.15; t < 1; t += 0.2) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(70, 170, 70));
                p.drawEllipse(vine.pointAtPercent(t) + QPointF(1, 0), 1.4, 0.8);
            }
            p.setBrush(Qt::NoBrush);
        }
        Gem(p, Regular(QPointF(29, 40), 5, 3, 90), QColor(240, 60, 60));
        Gem(p, Regular(QPointF(41, 46), 4.6, 4, 45), QColor(255, 210, 40));
        Gem(p, Regular(QPointF(58, 46), 4.4, 6, 0), QColor(170, 80, 255));
        Gem(p, Regular(QPointF(70, 40), 4.2, 40, 0), QColor(50, 150, 255));
        for (const auto& [x, turn] : {std::pair{-2.0, -30.0}, {101.0, 200.0}}) {
            p.save();
            p.translate(x, 70);
            p.rotate(turn);
            QPainterPath leaf(QPointF(0, 0));
            leaf.cubicTo(QPointF(6, -8), QPointF(18, -8), QPointF(24, 0));
            leaf.cubicTo(QPointF(18, 5), QPointF(6, 5), QPointF(0, 0));
            p.setPen(QPen(QColor(10, 50, 20), 0.5));
            p.setBrush(QColor(40, 130, 50));
            p.drawPath(leaf);
            p.drawLine(QPointF(0, 0), QPointF(22, -0.5));
            p.restore();
        }
        Robot(p, QPointF(13.5, 69), 26, {{22, 25}, {-18, 10}, {-25, 30}, {25, 20}, false, 4});
    });
}

// --- Korvo's Tovash and Tovash Pro: angles at sea ---------------------------------------------

void Ship(QPainter& p, QPointF keel, double size, const QColor& sails) {
    p.save();
    p.translate(keel);
    p.scale(size, size);
    p.setPen(QPen(QColor(40, 24, 16), 0.08));
    // Masts, sails and flag.
    p.setBrush(QColor(90, 60, 40));
    p.drawRect(QRectF(-0.55, -2.2, 0.1, 2.0));
    p.drawRect(QRectF(0.35, -1.8, 0.1, 1.6));
    QLinearGradient cloth(QPointF(-1, 0), QPointF(1, 0));
    cloth.setColorAt(0, sails);
    cloth.setColorAt(1, sails.darker(130));
    p.setBrush(cloth);
    for (const auto& [x, top, height] : {std::tuple{-0.5, -2.0, 1.7}, {0.4, -1.6, 1.35}}) {
        QPainterPath sail(QPointF(x - 0.5, top));
        sail.quadTo(QPointF(x + 0.1, top + height * 0.5), QPointF(x - 0.5, top + height));
        sail.lineTo(QPointF(x + 0.55, top + height));
        sail.quadTo(QPointF(x + 0.85, top + height * 0.5), QPointF(x + 0.55, top));
        sail.closeSubpath();
        p.drawPath(sail);
    }
    p.setBrush(QColor(230, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(-0.45, -2.2), QPointF(-0.05, -2.08), QPointF(-0.45, -1.95)}));
    // The hull with its cannon port.
    QPainterPath hull(QPointF(-1.5, -0.3));
    hull.lineTo(QPointF(1.5, -0.35));
    hull.quadTo(QPointF(1.2, 0.35), QPointF(0.8, 0.4));
    hull.lineTo(QPointF(-1.0, 0.4));
    hull.quadTo(QPointF(-1.35, 0.2), QPointF(-1.5, -0.3));
    QLinearGradient wood(QPointF(0, -0.3), QPointF(0, 0.4));
    wood.setColorAt(0, QColor(170, 100, 50));
    wood.setColorAt(1, QColor(90, 50, 25));
    p.setBrush(wood);
    p.drawPath(hull);
    p.setPen(QPen(QColor(255, 210, 90), 0.08));
    p.drawLine(QPointF(-1.35, -0.1), QPointF(1.35, -0.12));
    p.restore();
}

// A protractor: a clear disc or half disc with its scale.
void ProtractorScale(QPainter& p, QPointF centre, double radius, double full) {
    p.setPen(QPen(QColor(255, 255, 255, 230), 0.7));
    p.setBrush(QColor(235, 250, 255, 110));
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    if (full >= 360) {
        p.drawEllipse(box);
    } else {
        p.drawChord(box, 0, int(full * 16));
    }
    for (int degrees = 0; degrees <= int(full); degrees += 10) {
        const double tick = degrees % 90 == 0 ? 0.3 : degrees % 30 == 0 ? 0.2 : 0.12;
        p.setPen(QPen(QColor(20, 40, 100), degrees % 30 == 0 ? 0.55 : 0.35));
        p.drawLine(Polar(centre, radius * 0.97, degrees),
                   Polar(centre, radius * (0.97 - tick), degrees));
    }
}

// An angle: its two arms and the arc between them.
void AngleMark(QPainter& p, QPointF centre, double radius, double from, double angle,
               const QColor& colour) {
    QColor fill = colour;
    fill.setAlpha(170);
    const QRectF wedge(centre.x() - radius * 0.55, centre.y() - radius * 0.55, radius * 1.1,
                       radius * 1.1);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPie(wedge, int(from * 16), int(angle * 16));
    p.setPen(QPen(colour.darker(150), 0.7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(wedge, int(from * 16), int(angle * 16));
    p.setPen(QPen(QColor(20, 30, 70), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, Polar(centre, radius, from));
    p.drawLine(centre, Polar(centre, radius, from + angle));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 70));
    p.drawEllipse(centre, 1.0, 1.0);
}

QImage PaintTovash() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        std::mt19937 random(707);
        constexpr double horizon = 42;
        FillVertical(p, QRectF(0, 0, 99, horizon),
                     {{0, QColor(60, 150, 235)}, {1, QColor(200, 235, 255)}});
        Glow(p, QPointF(86, 10), 16, QColor(255, 250, 200, 220));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 236, 120));
        p.drawEllipse(QPointF(86, 10), 5.5, 5.5);
        Cloud(p, QPointF(14, 9), 4.2, QColor(250, 252, 255));
        Cloud(p, QPointF(55, 6), 3.2, QColor(250, 252, 255));
        FillVertical(p, QRectF(0, horizon, 99, 70 - horizon),
                     {{0, QColor(50, 150, 210)}, {1, QColor(10, 60, 150)}});
        // The treasure island and the buoy to aim at.
        p.setBrush(QColor(240, 210, 140));
        p.drawChord(QRectF(74, horizon - 4, 26, 8), 0, 180 * 16);
        QPainterPath trunk(QPointF(88, horizon - 3));
        trunk.quadTo(QPointF(87, horizon - 10), QPointF(90, horizon - 15));
        p.setPen(QPen(QColor(120, 80, 40), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(trunk);
        p.setPen(QPen(QColor(40, 150, 60), 1.2, Qt::SolidLine, Qt::RoundCap));
        for (const double angle : {10.0, 50.0, 130.0, 170.0, 200.0, -20.0}) {
            QPainterPath frond(QPointF(90, horizon - 15));
            const QPointF tip = Polar(QPointF(90, horizon - 15), 6, angle);
            frond.quadTo(Polar(QPointF(90, horizon - 16.5), 4, angle), tip + QPointF(0, 1.5));
            p.drawPath(frond);
        }
        Waves(p, random, horizon, 70, QColor(220, 245, 255, 200), 0.6);
        const QPointF buoy(80, 54);
        p.setPen(QPen(QColor(60, 20, 20), 0.4));
        p.setBrush(QColor(240, 40, 40));
        p.drawPolygon(
            QPolygonF({buoy + QPointF(-2.4, 0), buoy + QPointF(0, -7), buoy + QPointF(2.4, 0)}));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(buoy.x() - 1.5, buoy.y() - 4, 3, 1.4));
        // The cannonball's path from the ship to the buoy, and the angle it was fired at.
        const QPointF cannon(29, 48.5);
        QPainterPath flight(cannon);
        flight.quadTo(QPointF(58, 18), buoy + QPointF(0, -8));
        p.setPen(QPen(QColor(255, 255, 255, 230), 0.6, Qt::DotLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(flight);
        ProtractorScale(p, cannon, 21, 180);
        Ship(p, QPointF(15, 51), 8.5, QColor(255, 252, 240));
        AngleMark(p, cannon, 21, 0, 50, QColor(255, 120, 20));
    });
}

QImage PaintTovashPro() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        std::mt19937 random(808);
        std::uniform_real_distribution<double> unit(0, 1);
        constexpr double horizon = 44;
        FillVertical(p, QRectF(0, 0, 99, horizon),
                     {{0, QColor(16, 10, 40)}, {1, QColor(70, 60, 120)}});
        // Lightning out of heavy clouds.
        const QPolygonF bolt =
            QPolygonF({QPointF(70, 8), QPointF(64, 22), QPointF(70, 22), QPointF(62, 40),
                       QPointF(76, 19), QPointF(70, 19), QPointF(76, 8)})
                .translated(14, 0);
        Glow(p, QPointF(82, 24), 22, QColor(200, 200, 255, 120));
        p.setPen(QPen(QColor(255, 255, 200), 0.4));
        p.setBrush(QColor(255, 250, 170));
        p.drawPolygon(bolt);
        for (double x = -6; x < 104; x += 9) {
            Cloud(p, QPointF(x + unit(random) * 4, 4 + unit(random) * 4), 4 + unit(random) * 2,
                  QColor(70, 64, 110));
        }
        p.setPen(QPen(QColor(200, 210, 255, 70), 0.4));
        for (int i = 0; i < 40; ++i) {
            const QPointF top(unit(random) * 110, 8 + unit(random) * 60);
            p.drawLine(top, top + QPointF(-2.5, 6));
        }
        // A high sea.
        QPainterPath sea(QPointF(0, horizon));
        for (double x = 0; x <= 99; x += 11) {
            sea.quadTo(QPointF(x + 5.5, horizon - 5), QPointF(x + 11, horizon));
        }
        sea.lineTo(99, 70);
        sea.lineTo(0, 70);
        QLinearGradient water(QPointF(0, horizon - 5), QPointF(0, 70));
        water.setColorAt(0, QColor(40, 90, 120));
        water.setColorAt(1, QColor(6, 24, 50));
        p.setPen(QPen(QColor(220, 240, 255, 160), 0.5));
        p.setBrush(water);
        p.drawPath(sea);
        Waves(p, random, horizon, 70, QColor(230, 240, 255, 180), 1.4);
        p.save();
        p.translate(30, 50);
        p.rotate(-12);
        Ship(p, QPointF(0, 0), 10, QColor(220, 215, 200));
        p.restore();
        // A reflex angle on a full circle.
        ProtractorScale(p, QPointF(57, 27), 14, 360);
        AngleMark(p, QPointF(57, 27), 14, 30, 250, QColor(255, 50, 90));
        // The golden star of the harder edition.
        const QPolygonF star = StarShape(QPointF(10, 10), 8, 3.5, 5);
        Glow(p, QPointF(10, 10), 12, QColor(255, 210, 80, 160));
        QLinearGradient gold(QPointF(3, 3), QPointF(17, 17));
        gold.setColorAt(0, QColor(255, 246, 170));
        gold.setColorAt(1, QColor(220, 140, 20));
        p.setPen(QPen(QColor(110, 60, 0), 0.6));
        p.setBrush(gold);
        p.drawPolygon(star);
    });
}

// --- Korvo's Wendrix: negative numbers under the sea ------------------------------------------

void Fish(QPainter& p, QPointF at, double size, const QColor& colour, bool left) {
    p.save();
    p.translate(at);
    p.scale(left ? -size : size, size);
    QPainterPath body(QPointF(1, 0));
    body.cubicTo(QPointF(0.5, -0.7), QPointF(-0.6, -0.5), QPointF(-0.8, 0));
    body.cubicTo(QPointF(-0.6, 0.5), QPointF(0.5, 0.7), QPointF(1, 0));
    body.addPolygon(QPolygonF({QPointF(-0.7, 0), QPointF(-1.3, -0.5), QPointF(-1.3, 0.5)}));
    body.setFillRule(Qt::WindingFill);
    p.setPen(QPen(colour.darker(200), 0.12));
    p.setBrush(colour);
    p.drawPath(body.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 40));
    p.drawEllipse(QPointF(0.55, -0.12), 0.12, 0.12);
    p.restore();
}

QImage PaintWendrix() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        constexpr double surface = 11;
        FillVertical(p, QRectF(0, 0, 99, surface),
                     {{0, QColor(140, 200, 250)}, {1, QColor(210, 240, 255)}});
        QPainterPath water(QPointF(0, surface));
        for (double x = 0; x < 99; x += 8) {
            water.quadTo(QPointF(x + 4, surface - 1.4), QPointF(x + 8, surface));
        }
        water.lineTo(99, 70);
        water.lineTo(0, 70);
        QLinearGradient deep(QPointF(0, surface), QPointF(0, 70));
        deep.setColorAt(0, QColor(40, 180, 220));
        deep.setColorAt(0.5, QColor(16, 90, 160));
        deep.setColorAt(1, QColor(6, 24, 70));
        p.setPen(QPen(Qt::white, 0.5));
        p.setBrush(deep);
        p.drawPath(water);
        p.setPen(Qt::NoPen);
        for (const double x : {8.0, 30.0, 60.0}) {
            QLinearGradient ray(QPointF(0, surface), QPointF(0, 60));
            ray.setColorAt(0, QColor(255, 255, 255, 70));
            ray.setColorAt(1, QColor(255, 255, 255, 0));
            p.setBrush(ray);
            p.drawPolygon(QPolygonF({QPointF(x, surface), QPointF(x + 7, surface),
                                     QPointF(x + 20, 62), QPointF(x + 10, 62)}));
        }
        // The sea floor, its weed and the tip of the squid.
        p.setBrush(QColor(40, 40, 70));
        p.drawEllipse(QPointF(50, 80), 70, 14);
        p.setBrush(Qt::NoBrush);
        for (const double x : {14.0, 20.0, 64.0, 70.0}) {
            QPainterPath weed(QPointF(x, 70));
            weed.cubicTo(QPointF(x - 4, 64), QPointF(x + 4, 60), QPointF(x - 1, 54));
            p.setPen(QPen(QColor(40, 170, 90), 1.3, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(weed);
        }
        QPainterPath tentacle(QPointF(-1, 60));
        tentacle.cubicTo(QPointF(8, 56), QPointF(6, 48), QPointF(2, 50));
        p.setPen(QPen(QColor(190, 80, 170), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(tentacle);
        Fish(p, QPointF(17, 30), 4.2, QColor(255, 160, 40), false);
        Fish(p, QPointF(66, 54), 3.4, QColor(255, 220, 60), true);
        Fish(p, QPointF(66, 22), 3.0, QColor(255, 110, 120), true);
        // The number line: zero at the surface, below it the negative floors.
        const double x = 89;
        p.setPen(QPen(Qt::white, 0.8));
        p.drawLine(QPointF(x, 3), QPointF(x, 67));
        for (int level = 1; level >= -10; --level) {
            const double y = surface + -level * 5.2;
            const bool major = level % 5 == 0;
            p.drawLine(QPointF(x - (major ? 2.5 : 1.4), y), QPointF(x + (major ? 2.5 : 1.4), y));
            if (major) {
                const QString label =
                    level == 0 ? "0" : QString(QChar(0x2212)) + QString::number(-level);
                const QPointF at(x - (level == 0 ? 5.5 : 8), y);
                Caption(p, at + QPointF(0.5, 0.5), label, 7.5, QColor(0, 20, 50));
                Caption(p, at, label, 7.5, Qt::white);
            }
        }
        // Korvo's diving bell on its cable, at floor minus five.
        const QPointF bell(45, 37);
        p.setPen(QPen(QColor(30, 30, 40), 0.7));
        p.drawLine(QPointF(bell.x(), 0), bell);
        p.setPen(QPen(QColor(255, 80, 60), 0.5, Qt::DashLine));
        p.drawLine(QPointF(bell.x() + 12, bell.y()), QPointF(x - 14, bell.y()));
        QRadialGradient brass(bell - QPointF(4, 4), 16);
        brass.setColorAt(0, QColor(255, 240, 160));
        brass.setColorAt(0.6, QColor(230, 170, 50));
        brass.setColorAt(1, QColor(130, 80, 20));
        p.setPen(QPen(QColor(70, 40, 10), 0.7));
        p.setBrush(brass);
        p.drawEllipse(bell, 11.5, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 70, 20));
        for (int i = 0; i < 12; ++i) {
            p.drawEllipse(Polar(bell, 9.6, i * 30.0 + 15), 0.5, 0.5);
        }
        p.setPen(QPen(QColor(90, 60, 20), 1.0));
        p.setBrush(QColor(20, 60, 90));
        p.drawEllipse(bell, 7.3, 7.3);
        p.save();
        QPainterPath glass;
        glass.addEllipse(bell, 6.8, 6.8);
        p.setClipPath(glass);
        DrawRobotHead(p, QRectF(bell.x() - 6.5, bell.y() - 5.5, 13, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawEllipse(bell + QPointF(-3, -3.5), 3.5, 2);
        p.restore();
        p.setPen(QPen(QColor(220, 250, 255, 200), 0.4));
        p.setBrush(QColor(255, 255, 255, 50));
        for (const auto& [dx, dy, r] : {std::tuple{10.0, -14.0, 1.4},
                                        {12.0, -20.0, 1.0},
                                        {9.0, -25.0, 0.8},
                                        {13.0, -29.0, 0.6}}) {
            p.drawEllipse(bell + QPointF(dx, dy), r, r);
        }
    });
}

// --- Korvo's Flindo: telling the time -----------------------------------------------------------

void ClockFace(QPainter& p, QPointF centre, double radius, double hours, double minutes) {
    Glow(p, centre, radius * 1.5, QColor(255, 250, 200, 140));
    QRadialGradient face(centre - QPointF(radius, radius) * 0.3, radius * 1.4);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(235, 225, 200));
    p.setPen(QPen(QColor(200, 150, 40), radius * 0.14));
    p.setBrush(face);
    p.drawEllipse(centre, radius, radius);
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = 90 - hour * 30;
        p.setPen(QPen(QColor(40, 40, 60), hour % 3 ? 0.4 : 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(Polar(centre, radius * 0.82, angle),
                   Polar(centre, radius * (hour % 3 ? 0.7 : 0.6), angle));
    }
    p.setPen(QPen(QColor(30, 30, 50), radius * 0.13, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, Polar(centre, radius * 0.5, 90 - (hours + minutes / 60) * 30));
    p.setPen(QPen(QColor(30, 30, 50), radius * 0.08, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, Polar(centre, radius * 0.78, 90 - minutes * 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(centre, radius * 0.09, radius * 0.09);
}

QImage PaintFlindo() {
    return PaintReduced(kSize, Qt::black, [](QPainter& p) {
        FillVertical(
            p, QRectF(QPointF(0, 0), kSize),
            {{0, QColor(70, 150, 230)}, {0.6, QColor(160, 200, 230)}, {1, QColor(255, 200, 140)}});
        Cloud(p, QPointF(52, 48), 3.5, QColor(255, 240, 230));
        // Birds.
        p.setPen(QPen(QColor(40, 50, 80), 0.7, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (const QPointF& bird : {QPointF(50, 9), QPointF(57, 14), QPointF(46, 17)}) {
            QPainterPath wings(bird + QPointF(-2.6, 0.2));
            wings.quadTo(bird + QPointF(-1.3, -2.0), bird);
            wings.quadTo(bird + QPointF(1.3, -2.0), bird + QPointF(2.6, 0.2));
            p.drawPath(wings);
        }
        // The town's roofs.
        std::mt19937 random(1010);
        std::uniform_real_distribution<double> unit(0, 1);
        for (double x = -3; x < 100; x += 10 + unit(random) * 4) {
            const double top = 55 + unit(random) * 6;
            const double width = 10 + unit(random) * 4;
            p.setPen(QPen(QColor(60, 40, 50), 0.4));
            p.setBrush(QColor(240, 220, 190).darker(100 + int(unit(random) * 25)));
            p.drawRect(QRectF(x, top, width, 70 - top));
            p.setBrush(QColor(190, 70, 50).darker(100 + int(unit(random) * 30)));
            p.drawPolygon(QPolygonF({QPointF(x - 1, top), QPointF(x + width / 2, top - 5),
                                     QPointF(x + width + 1, top)}));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 220, 110));
            p.drawRect(QRectF(x + 3, top + 3, 2, 2.4));
        }
        // The clock tower.
        const QRectF tower(18, 16, 22, 56);
        QLinearGradient brick(tower.topLeft(), tower.topRight());
        brick.setColorAt(0, QColor(220, 150, 110));
        brick.setColorAt(0.6, QColor(190, 110, 80));
        brick.setColorAt(1, QColor(130, 70, 60));
        p.setPen(QPen(QColor(70, 30, 30), 0.6));
        p.setBrush(brick);
        p.drawRect(tower);
        p.setBrush(QColor(40, 100, 110));
        p.drawPolygon(QPolygonF({QPointF(15.5, 16.5), QPointF(29, 0), QPointF(42.5, 16.5)}));
        p.setBrush(QColor(70, 40, 40));
        p.drawRoundedRect(QRectF(25.5, 44, 7, 9), 3.5, 3.5);
        ClockFace(p, QPointF(29, 28.5), 9, 3, 0);
        // Korvo's balloon.
        const QPointF balloon(73, 22);
        p.setPen(QPen(QColor(90, 60, 40), 0.4));
        for (const double dx : {-5.5, 5.5}) {
            p.drawLine(balloon + QPointF(dx * 1.6, 10), balloon + QPointF(dx * 0.85, 24));
        }
        QPainterPath envelope(balloon + QPointF(0, 19));
        envelope.cubicTo(balloon + QPointF(-10, 12), balloon + QPointF(-19, 2),
                         balloon + QPointF(-14, -10));
        envelope.cubicTo(balloon + QPointF(-9, -19), balloon + QPointF(9, -19),
                         balloon + QPointF(14, -10));
        envelope.cubicTo(balloon + QPointF(19, 2), balloon + QPointF(10, 12),
                         balloon + QPointF(0, 19));
        p.save();
        p.setClipPath(envelope);
        // Gores of two colours, drawn from the outermost in.
        p.setPen(Qt::NoPen);
        for (int gore = 4; gore >= 0; --gore) {
            p.setBrush(gore % 2 ? QColor(255, 210, 50) : QColor(230, 50, 60));
            p.drawEllipse(balloon, gore * 3.6 + 1.8, 25.0);
        }
        p.restore();
        QRadialGradient light(balloon - QPointF(6, 8), 26);
        light.setColorAt(0, QColor(255, 255, 255, 90));
        light.setColorAt(0.5, QColor(255, 255, 255, 0));
        light.setColorAt(1, QColor(60, 0, 40, 110));
        p.setPen(QPen(QColor(110, 30, 40), 0.6));
        p.setBrush(light);
        p.drawPath(envelope);
        Head(p, QRectF(balloon.x() - 5.5, balloon.y() + 19, 11, 9));
        const QRectF basket(balloon.x() - 5, balloon.y() + 25.5, 10, 6);
        p.setPen(QPen(QColor(70, 40, 20), 0.5));
        p.setBrush(QColor(170, 110, 60));
        p.drawRoundedRect(basket, 1.2, 1.2);
        p.drawLine(basket.topLeft() + QPointF(0, 2), basket.topRight() + QPointF(0, 2));
    });
}

} // namespace

std::vector<std::pair<QString, QImage>> PaintGameButtons() {
    return {{"Korvo's Vorpa", PaintVorpa()},          {"Korvo's Dravolt", PaintDravolt()},
            {"Korvo's Mirvane", PaintMirvane()},      {"Korvo's Skelmo", PaintSkelmo()},
            {"Korvo's Quentor", PaintQuentor()},      {"Korvo's Tovash", PaintTovash()},
            {"Korvo's Tovash Pro", PaintTovashPro()}, {"Korvo's Wendrix", PaintWendrix()},
            {"Korvo's Flindo", PaintFlindo()}};
}

} // namespace korvo
