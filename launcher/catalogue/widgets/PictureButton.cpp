#include "PictureButton.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace launcher {

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
}

void PictureButton::setPicturePath(const QString& path) {
    if (path == m_path) {
        return;
    }
    m_path = path;
    m_picture = path.isEmpty() ? QPixmap() : QPixmap(path);
    update();
}

void PictureButton::setFace(const QColor& colour) {
    m_face = colour;
    update();
}

void PictureButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, m_face);
    const bool down = isDown();
    const QPoint shift = down ? QPoint(1, 1) : QPoint(0, 0);
    if (!m_picture.isNull()) {
        // A picture larger than the face (a game's screen dump) is shown whole, made smaller.
        const QPixmap picture = m_picture.width() > r.width() || m_picture.height() > r.height()
                                    ? m_picture.scaled(r.size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation)
                                    : m_picture;
        const QPoint at =
            r.center() - QPoint(picture.width() / 2, picture.height() / 2) + QPoint(1, 1) + shift;
        painter.drawPixmap(at, picture);
    } else if (!text().isEmpty()) {
        painter.setPen(Qt::black);
        painter.setFont(font());
        painter.drawText(r.translated(shift), Qt::AlignCenter, text());
    }
    // The raised edge of a push button: light top and left, dark bottom and right; pressed, the
    // other way round.
    const QColor light = down ? QColor(64, 64, 64) : QColor(255, 255, 255);
    const QColor dark = down ? QColor(255, 255, 255) : QColor(64, 64, 64);
    painter.setPen(light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

} // namespace launcher
