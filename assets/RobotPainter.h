#pragma once

#include <QImage>
#include <QPainter>

#include <functional>

namespace korvo {

// One limb: the angle of the upper part from hanging straight down (positive swings it
// forward) and the bend of the joint in the middle (a knee bends backward, an elbow forward).
struct Limb {
    double swing = 0;
    double bend = 0;
};

// The robot seen from the side, facing right.
struct SidePose {
    Limb nearLeg;
    Limb farLeg;
    Limb nearArm;
    Limb farArm;
    bool gun = false;
    double lean = 0; // degrees forward
};

// The robot seen from the front; left and right as the viewer sees them. A lift of 1 raises a
// knee fully (marching); a swing of 1 brings an arm fully forward. Saluting, the robot raises
// its right hand to its brow and rests the other on its hip.
struct FrontPose {
    double leftLift = 0;
    double rightLift = 0;
    double leftSwing = 0;
    double rightSwing = 0;
    bool salute = false;
};

// Sprites are painted large and reduced, then given a dark rim so that they read on any
// background; every picture has a transparent background.
QImage PaintSprite(QSize size, const std::function<void(QPainter&)>& paint);
QImage PaintSideRobot(const SidePose& pose);   // 40 x 60, feet on the bottom row
QImage PaintSquashedRobot();                   // 40 x 60, the wreck lies on the bottom row
QImage PaintFrontRobot(const FrontPose& pose); // 80 x 120, feet on the bottom row
QImage PaintRobotHead();                       // 48 x 48

// The same figures drawn into any painter, for scenes and icons: the side view fills 40 x 60
// units, feet on the bottom edge; the head is fitted into a box.
void DrawSideRobot(QPainter& p, const SidePose& pose);
void DrawRobotHead(QPainter& p, const QRectF& box);

} // namespace korvo
