#include "Look.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace korvo {

QFont comicFont(double points) {
    QFont font;
    font.setFamilies({"Comic Sans MS", "Comic Neue"});
    font.setPointSizeF(points);
    return font;
}

void setTealBackground(QWidget& window) {
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0, 128, 128));
    window.setPalette(palette);
}

QString colouredButtonStyle() {
    return "QPushButton { background-color: rgb(0,255,255); color: black;"
           " border: 2px outset rgb(0,160,160); }"
           "QPushButton:pressed { border-style: inset; }"
           "QPushButton:focus { border-color: rgb(0,96,96); }";
}

} // namespace korvo
