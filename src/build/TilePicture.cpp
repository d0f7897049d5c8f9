#include "build/TilePicture.h"

#include <png.h>

#include <unordered_map>

#include "build/ArtFile.h"
#include "build/FormatError.h"

namespace tessel {

std::uint32_t RgbaImage::Pixel(int x, int y) const
{
    const auto* p = reinterpret_cast<const std::uint8_t*>(rgba.data()) + 4 * (std::size_t(y) * width + x);
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

RgbaImage TileToImage(std::string_view columns, int width, int height, const PaletteColors& palette)
{
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.rgba.assign(4 * std::size_t(width) * height, '\0');
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) {
            const auto index = static_cast<std::uint8_t>(columns[std::size_t(x) * height + y]);
            if (index == TransparentIndex)
                continue;
            const std::uint32_t c = palette[index];
            char* p = &image.rgba[4 * (std::size_t(y) * width + x)];
            p[0] = static_cast<char>(c >> 16 & 0xff);
            p[1] = static_cast<char>(c >> 8 & 0xff);
            p[2] = static_cast<char>(c & 0xff);
            p[3] = static_cast<char>(0xff);
        }
    return image;
}

std::string ImageToTile(const RgbaImage& image, const PaletteColors& palette)
{
    std::string columns(std::size_t(image.width) * image.height, static_cast<char>(TransparentIndex));
    // Pictures have few colours: each is matched once.
    std::unordered_map<std::uint32_t, char> nearest;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.Pixel(x, y);
            if (c >> 24 == 0)
                continue;
            const std::uint32_t rgb = c & 0xffffff;
            auto found = nearest.find(rgb);
            if (found == nearest.end()) {
                int best = 0;
                long bestDistance = -1;
                for (int i = 0; i < TransparentIndex; ++i) {
                    const long dr = long(rgb >> 16) - long(palette[i] >> 16 & 0xff);
                    const long dg = long(rgb >> 8 & 0xff) - long(palette[i] >> 8 & 0xff);
                    const long db = long(rgb & 0xff) - long(palette[i] & 0xff);
                    const long d = dr * dr + dg * dg + db * db;
                    if (bestDistance < 0 || d < bestDistance) {
                        best = i;
                        bestDistance = d;
                    }
                }
                found = nearest.emplace(rgb, static_cast<char>(best)).first;
            }
            columns[std::size_t(x) * image.height + y] = found->second;
        }
    return columns;
}

std::string EncodePng(const RgbaImage& image)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.rgba.data(), 0, nullptr))
        throw FormatError(std::string("PNG: ") + png.message);
    std::string out(size, '\0');
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, image.rgba.data(), 0, nullptr))
        throw FormatError(std::string("PNG: ") + png.message);
    out.resize(size);
    return out;
}

RgbaImage DecodePng(std::string_view bytes)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        throw FormatError(std::string("PNG: ") + png.message);
    const std::int64_t pixels = std::int64_t(png.width) * png.height;
    if (png.width > MaxTileNumber || png.height > MaxTileNumber || pixels > MaxPicturePixels) {
        png_image_free(&png);
        throw FormatError("PNG: a picture of " + std::to_string(png.width) + " x " + std::to_string(png.height) +
                          " pixels is larger than a tile may be (4096 x 4096 pixels)");
    }
    png.format = PNG_FORMAT_RGBA;
    RgbaImage image;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba.assign(PNG_IMAGE_SIZE(png), '\0');
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr))
        throw FormatError(std::string("PNG: ") + png.message);
    return image;
}

} // namespace tessel
