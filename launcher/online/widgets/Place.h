#pragma once

#include "Control.h"
#include "Twips.h"

#include <QString>
#include <QWidget>

#include <string>

namespace launcher {

// Puts a widget where its design says, in twips.
inline void place(QWidget& widget, int left, int top, int width, int height) {
    using korvo::toPixels;
    widget.setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

inline void place(QWidget& widget, const korvo::Control& control) {
    place(widget, control.Left, control.Top, control.Width, control.Height);
}

template <typename T> T* named(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

inline QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace launcher
