#pragma once

#include "Field.h"

#include <QHash>
#include <QPixmap>
#include <QWidget>

namespace zeltrix {

// pb_Screen: paints the field's controls from their plain data, in twips scaled to pixels.
class FieldView : public QWidget {
    Q_OBJECT
public:
    FieldView(const Field& field, QWidget* parent);

    // Paints one frame into a painter whose origin is the field's top-left corner.
    void paintField(QPainter& painter);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QPixmap& picture(const std::string& path);
    void paintPicture(QPainter& painter, const korvo::Control& control, bool fit = false);
    void paintLabel(QPainter& painter, const korvo::Control& control, const QFont& font,
                    bool opaque, Qt::Alignment vertical = Qt::AlignTop);

    const Field& m_field;
    QHash<QString, QPixmap> m_pictures;
    QFont m_comeqFont;
    QFont m_questionFont;
    QFont m_scoreFont;
};

} // namespace zeltrix
