// PNG encoding and decoding for the forge (libpng).
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/picture_catalogue.h"
#include "data/forge/forge.h"
#include "data/forge/pictures/catalogue_files.h"

namespace forge {

const char* FormatName(PngFormat format) {
    switch (format) {
        case PngFormat::Rgba8: return "RGBA8";
        case PngFormat::Rgba16: return "RGBA16";
        default: return "RGB8";
    }
}

std::vector<uint8_t> EncodePng(const Picture& picture, PngFormat format) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* target = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            target->insert(target->end(), data, data + length);
        },
        nullptr);
    const int depth = format == PngFormat::Rgba16 ? 16 : 8;
    const int colour = format == PngFormat::Rgb8 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA;
    png_set_IHDR(png, info, picture.width, picture.height, depth, colour, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    const int channels = format == PngFormat::Rgb8 ? 3 : 4;
    std::vector<uint8_t> row(static_cast<size_t>(picture.width) * channels * (depth / 8));
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* source = picture.At(0, y);
        for (int x = 0; x < picture.width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const uint8_t value = source[x * 4 + c];
                if (depth == 16) {
                    // Big-endian 16-bit samples: v * 257 spreads 0..255 over 0..65535.
                    row[(x * channels + c) * 2] = value;
                    row[(x * channels + c) * 2 + 1] = value;
                } else {
                    row[x * channels + c] = value;
                }
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool DecodePng(const std::vector<uint8_t>& bytes, Picture& picture) {
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    image.format = PNG_FORMAT_RGBA;
    picture = Picture(static_cast<int>(image.width), static_cast<int>(image.height));
    const bool ok = png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

Asset PictureAsset(const std::string& kind, int number, int variant, const std::string& label,
                   const std::string& file, const Picture& picture, PngFormat format) {
    Asset asset;
    asset.kind = kind;
    asset.number = number;
    asset.variant = variant;
    asset.label = label;
    asset.file = file;
    asset.width = picture.width;
    asset.height = picture.height;
    asset.format = FormatName(format);
    asset.bytes = EncodePng(picture, format);
    asset.preview = picture;
    return asset;
}

Asset CataloguePicture(const std::string& kind, int number, int variant, const Picture& picture) {
    const PictureEntry* entry = FindPictureEntry(kind, number, variant);
    if (!entry) {
        fprintf(stderr, "forge: %s %d (variant %d) is not in the picture catalogue\n", kind.c_str(), number,
                variant);
        exit(1);
    }
    if (picture.width != entry->width || picture.height != entry->height) {
        fprintf(stderr, "forge: %s %d is %d x %d, the catalogue says %d x %d\n", kind.c_str(), number,
                picture.width, picture.height, entry->width, entry->height);
        exit(1);
    }
    const std::string format = entry->format;
    const PngFormat png = format == "RGBA16" ? PngFormat::Rgba16
                          : format == "RGB8" ? PngFormat::Rgb8
                                             : PngFormat::Rgba8;
    const std::string file = kind == "image"     ? art::ImageFile(entry->file)
                             : kind == "picture" ? std::string("loading.png")
                                                 : art::SpriteFile(entry->file, variant);
    return PictureAsset(kind, number, variant, entry->label, file, picture, png);
}

}  // namespace forge
