#pragma once

#include <QImage>
#include <QString>

namespace korvo {

// Writes a picture as a GIF file of at most 256 colours. Pixels less than half opaque become
// the GIF's transparent colour; the other colours are reduced to a palette by median cut.
// Error diffusion smooths gradients (the sky) but blurs small sprites, so it is optional.
bool WriteGif(const QImage& image, const QString& fileName, bool dither);

} // namespace korvo
