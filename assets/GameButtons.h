#pragma once

#include <QImage>
#include <QString>

#include <utility>
#include <vector>

namespace korvo {

// The launcher's button pictures (99 x 70) of the maker's games, each named by its game. Korvo's
// Zeltrix is not among them: its button is the game's own screendump.
std::vector<std::pair<QString, QImage>> PaintGameButtons();

} // namespace korvo
