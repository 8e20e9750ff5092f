#include "GifWriter.h"

#include <gif_lib.h>

#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace korvo {

namespace {

struct ColourCount {
    std::array<int, 3> rgb;
    long count;
};

// A box of the colour cube: a run of entries of the colour list. Boxes are split where they
// spread most, weighted by how many pixels they hold, so that large smooth areas (the sky) get
// more colours than a few bright dots.
struct Box {
    size_t begin;
    size_t end;
    int widestChannel = 0;
    double spread = 0;
};

void Measure(Box& box, const std::vector<ColourCount>& colours) {
    std::array<double, 3> sum{};
    std::array<double, 3> squares{};
    double count = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            const double value = colours[i].rgb[c];
            sum[c] += value * double(colours[i].count);
            squares[c] += value * value * double(colours[i].count);
        }
        count += double(colours[i].count);
    }
    box.spread = 0;
    for (int c = 0; c < 3; ++c) {
        // Count times variance: the squared error the box's average colour would leave.
        const double error = squares[c] - sum[c] * sum[c] / count;
        if (error > box.spread) {
            box.spread = error;
            box.widestChannel = c;
        }
    }
}

std::vector<QRgb> MedianCut(std::vector<ColourCount> colours, size_t maxColours) {
    std::vector<Box> boxes{{0, colours.size()}};
    Measure(boxes[0], colours);
    while (boxes.size() < maxColours) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return a.spread < b.spread;
        });
        if (widest->spread <= 0.5 || widest->end - widest->begin < 2) {
            break;
        }
        const int channel = widest->widestChannel;
        const auto first = colours.begin() + static_cast<long>(widest->begin);
        const auto last = colours.begin() + static_cast<long>(widest->end);
        std::sort(first, last, [channel](const ColourCount& a, const ColourCount& b) {
            return a.rgb[channel] < b.rgb[channel];
        });
        long total = 0;
        for (auto it = first; it != last; ++it) {
            total += it->count;
        }
        // Split where half the pixels lie on either side, keeping both halves non-empty.
        size_t split = widest->begin;
        for (long seen = 0; split < widest->end - 1 && seen + colours[split].count <= total / 2;
             ++split) {
            seen += colours[split].count;
        }
        split = std::max(split, widest->begin + 1);
        Box upper{split, widest->end};
        widest->end = split;
        Measure(*widest, colours);
        Measure(upper, colours);
        boxes.push_back(upper);
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{};
        double weight = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c) {
                sum[c] += double(colours[i].rgb[c]) * double(colours[i].count);
            }
            weight += double(colours[i].count);
        }
        palette.push_back(qRgb(int(std::lround(sum[0] / weight)), int(std::lround(sum[1] / weight)),
                               int(std::lround(sum[2] / weight))));
    }
    return palette;
}

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

int Nearest(const std::vector<QRgb>& palette, double r, double g, double b) {
    int best = 0;
    double bestDistance = 1e30;
    for (size_t i = 0; i < palette.size(); ++i) {
        const double dr = r - qRed(palette[i]);
        const double dg = g - qGreen(palette[i]);
        const double db = b - qBlue(palette[i]);
        const double distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

} // namespace

bool WriteGif(const QImage& image, const QString& fileName, bool dither) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    const int width = source.width();
    const int height = source.height();
    auto opaque = [&](int x, int y) { return qAlpha(source.pixel(x, y)) >= 128; };

    std::unordered_map<QRgb, long> histogram;
    bool transparent = false;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (opaque(x, y)) {
                ++histogram[source.pixel(x, y) | 0xff000000u];
            } else {
                transparent = true;
            }
        }
    }
    std::vector<ColourCount> colours;
    colours.reserve(histogram.size());
    for (const auto& [rgb, count] : histogram) {
        colours.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});
    }
    // Index 0 is kept for the transparent colour when the picture has holes.
    std::vector<QRgb> palette = MedianCut(colours, transparent ? 255 : 256);
    const int offset = transparent ? 1 : 0;
    if (transparent) {
        palette.insert(palette.begin(), qRgb(0, 0, 0));
    }
    std::vector<QRgb> opaquePalette(palette.begin() + offset, palette.end());

    std::vector<GifPixelType> pixels(size_t(width) * size_t(height));
    std::vector<std::array<double, 3>> error(size_t(width + 2) * 2);
    for (int y = 0; y < height; ++y) {
        auto* current = &error[size_t(y % 2) * size_t(width + 2) + 1];
        auto* next = &error[size_t((y + 1) % 2) * size_t(width + 2) + 1];
        std::fill(next - 1, next + width + 1, std::array<double, 3>{});
        for (int x = 0; x < width; ++x) {
            GifPixelType& out = pixels[size_t(y) * size_t(width) + size_t(x)];
            if (!opaque(x, y)) {
                out = 0;
                continue;
            }
            const QRgb pixel = source.pixel(x, y);
            const std::array<double, 3> wanted{qRed(pixel) + current[x][0],
                                               qGreen(pixel) + current[x][1],
                                               qBlue(pixel) + current[x][2]};
            const int index = Nearest(opaquePalette, wanted[0], wanted[1], wanted[2]);
            out = GifPixelType(index + offset);
            if (!dither) {
                continue;
            }
            const QRgb chosen = opaquePalette[size_t(index)];
            const std::array<double, 3> diff{wanted[0] - qRed(chosen), wanted[1] - qGreen(chosen),
                                             wanted[2] - qBlue(chosen)};
            for (int c = 0; c < 3; ++c) {
                current[x + 1][c] += diff[c] * 7 / 16;
                next[x - 1][c] += diff[c] * 3 / 16;
                next[x][c] += diff[c] * 5 / 16;
                next[x + 1][c] += diff[c] * 1 / 16;
            }
        }
    }

    // GIF colour tables hold a power of two entries.
    int bits = 1;
    while ((1u << bits) < palette.size()) {
        ++bits;
    }
    std::vector<GifColorType> table(size_t(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < palette.size(); ++i) {
        table[i] = {GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                    GifByteType(qBlue(palette[i]))};
    }

    // giflib writes into memory: files it creates itself are readable by their owner only.
    QByteArray bytes;
    int gifError = 0;
    GifFileType* gif = EGifOpen(&bytes, AppendBytes, &gifError);
    if (gif == nullptr) {
        return false;
    }
    ColorMapObject* map = GifMakeMapObject(int(table.size()), table.data());
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, width, height, bits, 0, map) == GIF_OK;
    if (ok && transparent) {
        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, 0};
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
        ok = EGifPutLine(gif, &pixels[size_t(y) * size_t(width)], width) == GIF_OK;
    }
    GifFreeMapObject(map);
    ok = EGifCloseFile(gif, &gifError) == GIF_OK && ok;
    QFile file(fileName);
    return ok && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace korvo
