#include "FieldView.h"

#include "Log.h"
#include "Look.h"
#include "Twips.h"

#include <QPainter>

namespace zeltrix {

using korvo::toPixels;

namespace {
QRect pixelRect(const korvo::Control& c) {
    return {toPixels(c.Left), toPixels(c.Top), toPixels(c.Width), toPixels(c.Height)};
}
QColor qColor(korvo::Rgb c) {
    return {c.r, c.g, c.b};
}
} // namespace

FieldView::FieldView(const Field& field, QWidget* parent)
    : QWidget(parent), m_field(field), m_comeqFont(korvo::comicFont(18)),
      m_questionFont(korvo::comicFont(27.75)), m_scoreFont(korvo::comicFont(9.75)) {
    setObjectName("pb_Screen");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(toPixels(field.pb_Screen.Width), toPixels(field.pb_Screen.Height));
}

const QPixmap& FieldView::picture(const std::string& path) {
    const QString key = QString::fromStdString(path);
    auto it = m_pictures.find(key);
    if (it == m_pictures.end()) {
        // A missing picture is remembered as empty: nothing is drawn and the game goes on.
        it = m_pictures.insert(key, QPixmap(key));
        if (it->isNull()) {
            qCDebug(korvo::lcKorvo) << "picture not loaded:" << key;
        }
    }
    return *it;
}

void FieldView::paintPicture(QPainter& painter, const korvo::Control& control, bool fit) {
    if (!control.Visible || control.Picture.empty()) {
        return;
    }
    const QPixmap& pixmap = picture(control.Picture);
    if (pixmap.isNull()) {
        return;
    }
    const QRect box = pixelRect(control);
    if (fit) {
        const QSize size = pixmap.size().scaled(box.size(), Qt::KeepAspectRatio);
        const QRect target(box.center() - QPoint(size.width() / 2, size.height() / 2), size);
        painter.drawPixmap(target, pixmap);
    } else {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        painter.drawPixmap(box.topLeft(), pixmap);
        painter.restore();
    }
}

void FieldView::paintLabel(QPainter& painter, const korvo::Control& control, const QFont& font,
                           bool opaque, Qt::Alignment vertical) {
    if (!control.Visible) {
        return;
    }
    const QRect box = pixelRect(control);
    if (opaque) {
        painter.fillRect(box, qColor(control.BackColor));
    }
    painter.setFont(font);
    painter.setPen(qColor(control.ForeColor));
    painter.drawText(box, static_cast<int>(Qt::AlignHCenter | vertical) | Qt::TextWordWrap,
                     QString::fromStdString(control.Caption));
}

void FieldView::paintField(QPainter& painter) {
    const Field& f = m_field;
    const QRect all(0, 0, width(), height());
    painter.fillRect(all, Qt::black);
    paintPicture(painter, f.pb_Screen.Visible ? korvo::Control{0,
                                                               0,
                                                               f.pb_Screen.Width,
                                                               f.pb_Screen.Height,
                                                               true,
                                                               {},
                                                               {},
                                                               {},
                                                               f.pb_Screen.Picture}
                                              : korvo::Control{});
    if (f.questionBehind) {
        paintLabel(painter, f.lab_Question, m_questionFont, false);
    }

    if (f.sh_Ground.Visible) {
        const QRect ground = pixelRect(f.sh_Ground);
        painter.fillRect(ground, qColor(f.sh_Ground.BackColor));
        painter.setPen(QColor(150, 120, 96));
        painter.drawLine(ground.topLeft(), ground.topRight());
    }
    for (const auto& label : f.Label1) {
        paintLabel(painter, label, m_scoreFont, false);
    }
    paintLabel(painter, f.lab_Score, m_scoreFont, false);
    paintLabel(painter, f.lab_HiScore, m_scoreFont, false);
    for (const auto& life : f.p_Life) {
        paintPicture(painter, life, true);
    }

    paintPicture(painter, f.pb_Robot);
    for (std::size_t i = 1; i < f.sh_Ball.size(); ++i) {
        paintLabel(painter, f.sh_Ball[i], m_comeqFont, true, Qt::AlignVCenter);
    }
    if (f.ln_LazerBeam.Visible) {
        painter.setPen(QPen(qColor(f.ln_LazerBeam.BorderColor), 2));
        painter.drawLine(toPixels(f.ln_LazerBeam.X1), toPixels(f.ln_LazerBeam.Y1),
                         toPixels(f.ln_LazerBeam.X2), toPixels(f.ln_LazerBeam.Y2));
    }
    if (!f.questionBehind) {
        paintLabel(painter, f.lab_Question, m_questionFont, false);
    }
}

void FieldView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintField(painter);
}

} // namespace zeltrix
