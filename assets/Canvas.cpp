#include "Canvas.h"

#include <QFont>
#include <QFontInfo>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace korvo {

namespace {
constexpr int kZoom = 4;

// How many device pixels one unit of the painter's coordinates spans.
double Zoom(const QPainter& p) {
    return std::sqrt(std::abs(p.transform().determinant()));
}
} // namespace

QImage PaintReduced(QSize size, const QColor& background, const PaintFunction& paint) {
    QImage large(size * kZoom, QImage::Format_ARGB32_Premultiplied);
    large.fill(background);
    {
        QPainter p(&large);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(kZoom, kZoom);
        paint(p);
    }
    return large.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

void FillVertical(QPainter& p, const QRectF& rect,
                  std::initializer_list<std::pair<double, QColor>> stops) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    for (const auto& [at, colour] : stops) {
        gradient.setColorAt(at, colour);
    }
    p.fillRect(rect, gradient);
}

void Glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, colour);
    QColor clear = colour;
    clear.setAlpha(0);
    gradient.setColorAt(1, clear);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(gradient);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void Stars(QPainter& p, std::mt19937& random, const QRectF& area, int count) {
    std::uniform_real_distribution<double> unit(0, 1);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double y = unit(random);
        const QPointF at(area.left() + unit(random) * area.width(),
                         area.top() + y * y * area.height());
        const double size = 0.25 + 0.45 * unit(random) * unit(random);
        p.setBrush(QColor(255, 255, 235, int(110 + 145 * unit(random) * (1 - 0.6 * y))));
        p.drawEllipse(at, size, size);
    }
    p.restore();
}

void Outlined(QPainter& p, double rim, const QColor& colour, const PaintFunction& paint) {
    const QSize size(p.device()->width(), p.device()->height());
    QImage figure(size, QImage::Format_ARGB32_Premultiplied);
    figure.fill(Qt::transparent);
    {
        QPainter q(&figure);
        q.setRenderHints(p.renderHints());
        q.setTransform(p.transform());
        paint(q);
    }
    QImage shadow = figure;
    {
        QPainter q(&shadow);
        q.setCompositionMode(QPainter::CompositionMode_SourceIn);
        q.fillRect(shadow.rect(), colour);
    }
    // The rim is the figure's silhouette laid around it in a ring of directions.
    const double reach = rim * Zoom(p);
    p.save();
    p.resetTransform();
    for (int i = 0; i < 16; ++i) {
        const double angle = i * std::numbers::pi / 8;
        p.drawImage(QPointF(std::cos(angle) * reach, std::sin(angle) * reach), shadow);
    }
    p.drawImage(QPointF(0, 0), figure);
    p.restore();
}

bool TextFontInstalled() {
    if (QFontInfo(QFont(kTextFont)).family() == kTextFont) {
        return true;
    }
    std::fprintf(stderr, "the font %s is not installed\n", qPrintable(kTextFont));
    return false;
}

QPainterPath MathSign(QPointF centre, double size, char sign) {
    const double h = size / 2;
    QPainterPath strokes;
    auto stroke = [&](QPointF from, QPointF to) {
        strokes.moveTo(centre + from);
        strokes.lineTo(centre + to);
    };
    switch (sign) {
    case '+':
        stroke({-h, 0}, {h, 0});
        stroke({0, -h}, {0, h});
        break;
    case '-':
        stroke({-h, 0}, {h, 0});
        break;
    case 'x':
        stroke({-h * 0.75, -h * 0.75}, {h * 0.75, h * 0.75});
        stroke({-h * 0.75, h * 0.75}, {h * 0.75, -h * 0.75});
        break;
    case '/':
        stroke({-h, 0}, {h, 0});
        break;
    case '=':
        stroke({-h, -h * 0.4}, {h, -h * 0.4});
        stroke({-h, h * 0.4}, {h, h * 0.4});
        break;
    }
    QPainterPathStroker pen;
    pen.setWidth(size * 0.24);
    pen.setCapStyle(Qt::RoundCap);
    QPainterPath outline = pen.createStroke(strokes);
    if (sign == '/') {
        for (const double y : {-h * 0.7, h * 0.7}) {
            outline.addEllipse(centre + QPointF(0, y), size * 0.15, size * 0.15);
        }
    }
    outline.setFillRule(Qt::WindingFill);
    return outline.simplified();
}

void Caption(QPainter& p, QPointF centre, const QString& text, double pixelSize,
             const QColor& colour, bool bold) {
    const double zoom = Zoom(p);
    QFont font(kTextFont);
    font.setBold(bold);
    font.setPixelSize(std::max(1, int(std::lround(pixelSize * zoom))));
    p.save();
    // Text is set at the device's size so that its glyphs are shaped for it.
    p.scale(1 / zoom, 1 / zoom);
    p.setFont(font);
    p.setPen(colour);
    const QPointF at = centre * zoom;
    p.drawText(QRectF(at.x() - 500, at.y() - 500, 1000, 1000), Qt::AlignCenter, text);
    p.restore();
}

} // namespace korvo
