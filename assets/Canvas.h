#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <functional>
#include <initializer_list>
#include <random>
#include <utility>

namespace korvo {

using PaintFunction = std::function<void(QPainter&)>;

// A picture painted at four times its size, in units of its own pixels, and then reduced:
// edges, thin lines and small text come out smooth.
QImage PaintReduced(QSize size, const QColor& background, const PaintFunction& paint);

// Fills a rectangle with a gradient from top to bottom through the given stops (0..1).
void FillVertical(QPainter& p, const QRectF& rect,
                  std::initializer_list<std::pair<double, QColor>> stops);

// A soft round light that fades out at the radius.
void Glow(QPainter& p, QPointF centre, double radius, const QColor& colour);

// Dots of light, brighter and fewer near the area's bottom.
void Stars(QPainter& p, std::mt19937& random, const QRectF& area, int count);

// A figure with a dark rim around its outline, so that it stands out from a busy scene.
void Outlined(QPainter& p, double rim, const QColor& colour, const PaintFunction& paint);

// The face of every text in the pictures: the one the programs use for Comic Sans MS. The tools
// refuse to paint without it rather than draw boxes where letters belong.
inline const QString kTextFont = "Comic Neue";
bool TextFontInstalled();

// The sign of a sum (one of + - x / =) drawn with bold round strokes, size wide, centred.
QPainterPath MathSign(QPointF centre, double size, char sign);

// Text centred on a point.
void Caption(QPainter& p, QPointF centre, const QString& text, double pixelSize,
             const QColor& colour, bool bold = true);

} // namespace korvo
