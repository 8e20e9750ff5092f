#include "RobotPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <functional>

namespace korvo {

namespace {

// Pictures are painted at this many times their size and then reduced.
constexpr int kDetail = 4;
// Width of the dark lines between parts, in picture pixels.
constexpr double kLine = 0.6;

const QColor kOutline(24, 20, 42);
const QColor kMetal(176, 192, 212);
const QColor kLimb(112, 128, 172);
const QColor kJoint(66, 72, 96);
const QColor kBoot(78, 90, 124);
const QColor kAccent(255, 142, 30);
const QColor kVisorTop(150, 240, 255);
const QColor kVisorBottom(10, 70, 140);
const QColor kAntenna(255, 60, 70);
const QColor kCore(255, 232, 90);

// Parts on the far side of the body are darker.
QColor Tone(const QColor& colour, bool far) {
    return far ? colour.darker(140) : colour;
}

QPointF Along(QPointF from, double angle, double length) {
    const double radians = qDegreesToRadians(angle);
    return from + QPointF(std::sin(radians), std::cos(radians)) * length;
}

QBrush Metal(const QRectF& rect, const QColor& base) {
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    gradient.setColorAt(0, base.darker(110));
    gradient.setColorAt(0.25, base.lighter(125));
    gradient.setColorAt(0.6, base);
    gradient.setColorAt(1, base.darker(155));
    return gradient;
}

QBrush Vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

void Box(QPainter& p, const QRectF& rect, double radius, const QBrush& brush) {
    p.setPen(QPen(kOutline, kLine));
    p.setBrush(brush);
    p.drawRoundedRect(rect, radius, radius);
}

// A round-ended rod with a rim and a highlight along its upper left side.
void Rod(QPainter& p, QPointF a, QPointF b, double width, const QColor& colour) {
    p.setPen(QPen(kOutline, width + 2 * kLine, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    QPointF normal(b.y() - a.y(), a.x() - b.x());
    normal /= std::max(1e-6, std::hypot(normal.x(), normal.y()));
    if (normal.x() + normal.y() > 0) {
        normal = -normal;
    }
    const QPointF shift = normal * width * 0.22;
    p.setPen(QPen(colour.lighter(135), width * 0.32, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a + shift, b + shift);
}

void Disc(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient gradient(centre, radius, centre - QPointF(radius, radius) * 0.35);
    gradient.setColorAt(0, colour.lighter(160));
    gradient.setColorAt(1, colour.darker(125));
    p.setPen(QPen(kOutline, kLine));
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

void Glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(0.45, colour);
    gradient.setColorAt(1, QColor(colour.red(), colour.green(), colour.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
}

} // namespace

QImage PaintSprite(QSize size, const std::function<void(QPainter&)>& paint) {
    QImage large(size * kDetail, QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter p(&large);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(kDetail, kDetail);
        paint(p);
    }
    const QImage small = large.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_ARGB32);
    QImage sprite(size, QImage::Format_ARGB32);
    sprite.fill(Qt::transparent);
    auto solid = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size.width() && y < size.height() &&
               qAlpha(small.pixel(x, y)) >= 128;
    };
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (solid(x, y)) {
                sprite.setPixel(x, y, small.pixel(x, y) | 0xff000000u);
            } else if (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1)) {
                sprite.setPixel(x, y, kOutline.rgb());
            }
        }
    }
    return sprite;
}

namespace {

// --- The robot from the side, facing right ---------------------------------------------

const QPointF kHip(17.5, 39.4);
const QPointF kShoulder(16.6, 25.0);
constexpr double kThigh = 8.5;
constexpr double kShin = 8.5;
constexpr double kUpperArm = 6.8;
constexpr double kForearm = 6.4;

struct LegPoints {
    QPointF hip, knee, ankle;
    double footTilt;
};

LegPoints Leg(QPointF hip, const Limb& limb) {
    const QPointF knee = Along(hip, limb.swing, kThigh);
    const double shin = limb.swing - limb.bend;
    // A foot reaching forward lands on its heel; one pushing off behind points its toe down.
    return {hip, knee, Along(knee, shin, kShin), std::clamp(-shin * 0.6, -20.0, 40.0)};
}

// The boot's sole runs from 3 px behind the ankle to 5.4 px before it, 2.6 px below it.
double SoleBottom(const LegPoints& leg) {
    const double tilt = qDegreesToRadians(leg.footTilt);
    double bottom = 0;
    for (double x : {-2.4, 4.8}) {
        bottom = std::max(bottom, leg.ankle.y() + x * std::sin(tilt) + 2.6 * std::cos(tilt));
    }
    return bottom;
}

void PaintLeg(QPainter& p, const LegPoints& leg, bool far) {
    Rod(p, leg.hip, leg.knee, 4.6, Tone(kLimb, far));
    Rod(p, leg.knee, leg.ankle, 4.2, Tone(kLimb, far));
    Disc(p, leg.knee, 2.2, Tone(kJoint, far));
    p.save();
    p.translate(leg.ankle);
    p.rotate(leg.footTilt);
    const QRectF boot(-3.0, -1.6, 8.4, 4.2);
    Box(p, boot, 1.8, Vertical(boot, Tone(kBoot.lighter(140), far), Tone(kBoot, far)));
    Box(p, QRectF(2.2, -1.0, 3.2, 3.6), 1.4, Tone(kAccent, far));
    p.restore();
}

void PaintGun(QPainter& p, QPointF hand) {
    const QRectF body(hand.x() - 2.4, hand.y() - 3.6, 8.4, 5.0);
    Box(p, body, 1.6, Vertical(body, QColor(255, 110, 90), QColor(150, 20, 40)));
    Box(p, QRectF(body.left() + 1.4, body.top() + 0.5, 5.6, 1.1), 0.5, kCore);
    const QRectF barrel(body.right(), hand.y() - 2.3, 2.4, 2.4);
    Box(p, barrel, 0.6, Vertical(barrel, kMetal.lighter(120), kMetal.darker(150)));
    Box(p, QRectF(barrel.right(), hand.y() - 2.8, 1.2, 3.4), 0.5, QColor(90, 240, 255));
}

void PaintArm(QPainter& p, const Limb& limb, bool far, bool gun) {
    const QPointF elbow = Along(kShoulder, limb.swing, kUpperArm);
    const double forearm = limb.swing + limb.bend;
    const QPointF hand = Along(elbow, forearm, kForearm);
    Rod(p, kShoulder, elbow, 3.6, Tone(kLimb, far));
    Disc(p, elbow, 1.9, Tone(kJoint, far));
    Rod(p, elbow, hand, 3.9, Tone(kLimb, far));
    Rod(p, Along(elbow, forearm, 3.6), Along(elbow, forearm, 4.6), 4.6, Tone(kAccent, far));
    if (gun) {
        PaintGun(p, hand);
    }
    Disc(p, hand, 2.3, Tone(kJoint.lighter(150), far));
    Disc(p, kShoulder, 3.0, Tone(kAccent, far));
}

void PaintSideBody(QPainter& p) {
    const QRectF pack(7.0, 23.0, 4.2, 11.0);
    Box(p, pack, 1.5, Metal(pack, kJoint.lighter(130)));
    const QRectF pelvis(12.0, 35.0, 11.5, 6.0);
    Box(p, pelvis, 2.0, Metal(pelvis, kJoint.lighter(120)));
    const QRectF torso(9.8, 21.3, 15.6, 14.8);
    Box(p, torso, 4.0, Metal(torso, kMetal));
    const QRectF plate(18.4, 24.0, 6.4, 7.4);
    Box(p, plate, 2.0, Vertical(plate, kMetal.darker(160), kMetal.darker(120)));
    Disc(p, QPointF(21.6, 27.7), 1.8, kCore);
    Box(p, QRectF(10.2, 32.6, 15.0, 2.8), 1.0, kJoint);
    Box(p, QRectF(19.6, 32.8, 3.2, 2.4), 0.6, kCore.darker(110));
}

void PaintSideHead(QPainter& p) {
    Rod(p, QPointF(13.6, 6.2), QPointF(12.6, 2.0), 0.9, kJoint);
    Disc(p, QPointF(12.5, 2.3), 1.8, kAntenna);
    Box(p, QRectF(14.8, 18.6, 5.4, 3.6), 0.8, kJoint);
    const QRectF head(9.5, 5.8, 16.5, 13.8);
    Box(p, head, 4.5, Metal(head, kMetal));
    p.setPen(QPen(QColor(255, 255, 255, 190), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11.6, 7.4), QPointF(17.5, 7.4));
    const QRectF visor(18.6, 8.7, 8.4, 7.2);
    Box(p, visor, 2.8, Vertical(visor, kVisorTop, kVisorBottom));
    Glow(p, QPointF(23.8, 12.0), 2.2, QColor(120, 255, 255));
    p.setPen(QPen(QColor(255, 255, 255, 220), 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.0, 9.9), QPointF(22.6, 9.9));
    p.setPen(QPen(kJoint, 0.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.6, 17.0), QPointF(24.6, 17.0));
    p.drawLine(QPointF(20.6, 18.2), QPointF(24.2, 18.2));
}

// --- The robot from the front ------------------------------------------------------------

void PaintFrontHead(QPainter& p) {
    Rod(p, QPointF(40, 12), QPointF(40, 6), 1.6, kJoint);
    Disc(p, QPointF(40, 5), 3.2, kAntenna);
    for (double x : {20.5, 59.5}) {
        Disc(p, QPointF(x, 25), 4.2, kAccent);
        Disc(p, QPointF(x, 25), 1.6, kJoint);
    }
    const QRectF head(22, 10.5, 36, 28.5);
    Box(p, head, 8.5, Metal(head, kMetal));
    p.setPen(QPen(QColor(255, 255, 255, 190), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(28, 13.2), QPointF(44, 13.2));
    const QRectF visor(25.5, 16.5, 29, 13);
    Box(p, visor, 5.5, Vertical(visor, kVisorTop, kVisorBottom));
    for (double x : {33.5, 46.5}) {
        Glow(p, QPointF(x, 23), 4.6, QColor(110, 255, 255));
    }
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(29, 18.8), QPointF(37, 18.8));
    QPainterPath smile(QPointF(34.5, 32.2));
    smile.quadTo(QPointF(40, 37.2), QPointF(45.5, 32.2));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
    p.setPen(QPen(QColor(90, 240, 255), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
}

void PaintFrontLeg(QPainter& p, double x, double lift) {
    const QPointF hip(x, 80);
    const QPointF knee(x, 94 - 8 * lift);
    const QPointF ankle(x, 107.5 - 10 * lift);
    Rod(p, hip, knee, 8.0, kLimb);
    Rod(p, knee, ankle, 7.4, kLimb);
    Disc(p, knee, 3.8, kAccent);
    // A raised foot comes nearer, so it looks bigger.
    const double grow = 1 + 0.12 * lift;
    const QRectF boot(x - 7.8 * grow, ankle.y() - 0.5, 15.6 * grow, 12.0);
    Box(p, boot, 4.0, Vertical(boot, kBoot.lighter(150), kBoot));
    Box(p, QRectF(boot.left() + 1.2, boot.bottom() - 6.0, boot.width() - 2.4, 5.0), 2.5,
        Vertical(boot, kAccent.lighter(120), kAccent.darker(130)));
}

// An arm hanging at the side: side is -1 for the viewer's left, +1 for the right. A forward
// swing brings the hand towards the viewer, so it rises and grows.
void PaintFrontArm(QPainter& p, double side, double swing) {
    const QPointF shoulder(40 + side * 22, 47);
    const QPointF elbow(shoulder.x() + side * 2.5, 60 - 2 * swing);
    const QPointF hand(shoulder.x() + side * 2.0, 72 - 8 * swing);
    Rod(p, shoulder, elbow, 6.4, kLimb);
    Disc(p, elbow, 3.2, kJoint);
    Rod(p, elbow, hand, 7.0 + swing, kLimb);
    Rod(p, hand - QPointF(0, 5), hand - QPointF(0, 3.5), 8.0 + swing, kAccent);
    Disc(p, hand, 4.6 * (1 + 0.15 * swing), kJoint.lighter(150));
    Disc(p, shoulder, 6.0, kAccent);
}

void PaintSaluteArm(QPainter& p) {
    const QPointF shoulder(18, 47);
    const QPointF elbow(6.5, 38);
    const QPointF hand(23.5, 18.5);
    const QPointF towardsHand =
        (hand - elbow) / std::hypot(hand.x() - elbow.x(), hand.y() - elbow.y());
    Rod(p, shoulder, elbow, 6.4, kLimb);
    Rod(p, elbow, hand, 7.0, kLimb);
    Rod(p, hand - towardsHand * 5, hand - towardsHand * 3.5, 8.0, kAccent);
    Disc(p, elbow, 3.2, kJoint);
    p.save();
    p.translate(hand);
    p.rotate(-30);
    const QRectF palm(-3.5, -6.5, 7, 11);
    Box(p, palm, 3.0, Metal(palm, kJoint.lighter(160)));
    p.restore();
    Disc(p, shoulder, 6.0, kAccent);
}

void PaintProudArm(QPainter& p) {
    const QPointF shoulder(62, 47);
    const QPointF elbow(73.5, 59);
    const QPointF hand(60.5, 71);
    Rod(p, shoulder, elbow, 6.4, kLimb);
    Rod(p, elbow, hand, 7.0, kLimb);
    Disc(p, elbow, 3.2, kJoint);
    Disc(p, hand, 4.6, kJoint.lighter(150));
    Disc(p, shoulder, 6.0, kAccent);
}

void PaintFrontBody(QPainter& p) {
    const QRectF pelvis(28.5, 75.5, 23, 7.5);
    Box(p, pelvis, 3.0, Metal(pelvis, kJoint.lighter(130)));
    Box(p, QRectF(35, 38, 10, 6), 1.5, kJoint);
    const QRectF torso(21, 42, 38, 32);
    Box(p, torso, 8.0, Metal(torso, kMetal));
    const QRectF panel(28.5, 47.5, 23, 17);
    Box(p, panel, 4.0, Vertical(panel, kMetal.darker(150), kMetal.darker(115)));
    Disc(p, QPointF(40, 56), 5.4, kAccent);
    Disc(p, QPointF(40, 56), 3.4, kCore);
    Glow(p, QPointF(40, 56), 2.6, kCore);
    Disc(p, QPointF(32.4, 51), 1.6, QColor(80, 255, 120));
    Disc(p, QPointF(47.6, 51), 1.6, QColor(255, 80, 80));
    Box(p, QRectF(22, 69.5, 36, 5.5), 2.0, kJoint);
    Box(p, QRectF(36, 69.8, 8, 5), 1.5, Vertical(QRectF(36, 69.8, 8, 5), kCore, kAccent));
}

} // namespace

void DrawSideRobot(QPainter& p, const SidePose& pose) {
    const LegPoints nearLeg = Leg(kHip + QPointF(0.6, 0), pose.nearLeg);
    const LegPoints farLeg = Leg(kHip - QPointF(0.6, 0), pose.farLeg);
    p.save();
    // Whichever foot is lowest stands on the ground.
    p.translate(0, 59.0 - std::max(SoleBottom(nearLeg), SoleBottom(farLeg)));
    // A runner leans into the run: the upper body tilts about the hip.
    auto leaning = [&](const std::function<void()>& paint) {
        p.save();
        p.translate(kHip);
        p.rotate(pose.lean);
        p.translate(-kHip);
        paint();
        p.restore();
    };
    leaning([&] { PaintArm(p, pose.farArm, true, false); });
    PaintLeg(p, farLeg, true);
    PaintLeg(p, nearLeg, false);
    leaning([&] {
        PaintSideBody(p);
        PaintSideHead(p);
        PaintArm(p, pose.nearArm, false, pose.gun);
    });
    p.restore();
}

QImage PaintSideRobot(const SidePose& pose) {
    return PaintSprite({40, 60}, [&](QPainter& p) { DrawSideRobot(p, pose); });
}

QImage PaintFrontRobot(const FrontPose& pose) {
    return PaintSprite({80, 120}, [&](QPainter& p) {
        // The body sinks a little while a knee is up, as a marcher bends the standing leg.
        const double sink = 0.8 * std::max(pose.leftLift, pose.rightLift);
        p.translate(0, sink);
        PaintFrontLeg(p, 33, pose.leftLift + sink / 10);
        PaintFrontLeg(p, 47, pose.rightLift + sink / 10);
        PaintFrontBody(p);
        if (pose.salute) {
            PaintProudArm(p);
            PaintFrontHead(p);
            PaintSaluteArm(p);
        } else {
            PaintFrontArm(p, -1, pose.leftSwing);
            PaintFrontArm(p, 1, pose.rightSwing);
            PaintFrontHead(p);
        }
    });
}

void DrawRobotHead(QPainter& p, const QRectF& box) {
    // The head with its ears and antenna spans x 16..64 and y 1.5..39.5.
    const QRectF head(16, 1.5, 48, 38);
    const double scale = std::min(box.width() / head.width(), box.height() / head.height());
    p.save();
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-head.center());
    PaintFrontHead(p);
    p.restore();
}

QImage PaintRobotHead() {
    return PaintSprite({48, 48}, [](QPainter& p) {
        p.translate(24, 24);
        p.scale(0.96, 0.96);
        p.translate(-40, -21.5);
        PaintFrontHead(p);
    });
}

QImage PaintSquashedRobot() {
    return PaintSprite({40, 60}, [](QPainter& p) {
        // Crumpled body plate.
        QPainterPath body;
        body.moveTo(3.5, 59);
        const double top[] = {53.5, 51.0, 52.8, 50.2, 51.6, 49.8, 52.4, 51.0, 53.6};
        for (int i = 0; i < 9; ++i) {
            body.lineTo(4 + i * 3.8, top[i]);
        }
        body.lineTo(36.5, 59);
        body.closeSubpath();
        p.setPen(QPen(kOutline, kLine));
        p.setBrush(Metal(body.boundingRect(), kMetal));
        p.drawPath(body);
        p.setPen(QPen(kJoint, 0.6));
        p.drawLine(QPointF(11, 52.5), QPointF(13.5, 57));
        p.drawLine(QPointF(26, 51.5), QPointF(24.5, 56));
        Box(p, QRectF(15.5, 53.8, 8, 3.6), 1.2,
            Vertical(QRectF(15, 53, 8, 4), kAccent, kAccent.darker(150)));
        Disc(p, QPointF(19.5, 55.6), 1.3, kCore.darker(160));
        // A boot sticks out at the side.
        const QRectF boot(31, 54.8, 7.6, 4.2);
        Box(p, boot, 1.6, Vertical(boot, kBoot.lighter(140), kBoot));
        // Flattened head with crossed-out eyes.
        const QRectF head(3.5, 44.5, 15, 8.2);
        Box(p, head, 3.0, Metal(head, kMetal));
        const QRectF visor(5.2, 46.0, 11.6, 4.6);
        Box(p, visor, 2.0, Vertical(visor, kVisorBottom.lighter(130), kVisorBottom.darker(150)));
        p.setPen(QPen(QColor(255, 90, 90), 0.8, Qt::SolidLine, Qt::RoundCap));
        for (double x : {8.2, 13.8}) {
            p.drawLine(QPointF(x - 1.3, 47.1), QPointF(x + 1.3, 49.5));
            p.drawLine(QPointF(x - 1.3, 49.5), QPointF(x + 1.3, 47.1));
        }
        // The antenna has sprung loose on a coil.
        QPainterPath spring(QPointF(11, 44.6));
        for (int i = 1; i <= 7; ++i) {
            spring.lineTo(11 + ((i % 2) ? 1.8 : -1.8) - i * 0.5, 44.6 - i * 1.2);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(spring);
        p.setPen(QPen(kMetal.lighter(115), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(spring);
        Disc(p, QPointF(7.5, 35.6), 1.8, kAntenna);
        // Loose bolts and sparks.
        Disc(p, QPointF(25.5, 47.8), 1.2, kJoint.lighter(160));
        Disc(p, QPointF(33.5, 51.0), 1.0, kJoint.lighter(160));
        for (const QPointF& spark : {QPointF(22, 42.5), QPointF(30, 44), QPointF(27, 38.5)}) {
            QPolygonF star;
            for (int i = 0; i < 8; ++i) {
                const double radius = i % 2 ? 0.7 : 2.3;
                star << spark + QPointF(std::cos(i * M_PI / 4), std::sin(i * M_PI / 4)) * radius;
            }
            p.setPen(QPen(kAccent.darker(120), 0.4));
            p.setBrush(kCore);
            p.drawPolygon(star);
        }
    });
}

} // namespace korvo
