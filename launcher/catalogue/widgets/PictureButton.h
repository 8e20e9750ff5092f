#pragma once

#include <QPixmap>
#include <QPushButton>

namespace launcher {

// A graphical push button: its picture centred on a coloured face, or its caption when it has
// no picture, with a raised edge that sinks while it is pressed.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent);

    // Shows the picture file at path; an empty path, or a file that cannot be read, shows none.
    void setPicturePath(const QString& path);
    QString picturePath() const { return m_path; }
    bool hasPicture() const { return !m_picture.isNull(); }
    void setFace(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
    QPixmap m_picture;
    QColor m_face{0, 192, 192};
};

} // namespace launcher
