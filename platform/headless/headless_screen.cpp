// The headless backend: the sprite screen: sprites, the image, fonts,
// drawing recorded call by call, the flip.
#include <cstring>

#include "platform/headless/headless_machine.h"

using namespace headless_machine;

namespace platform {

using headless::Service;

bool OpenScreen(int window, int, int, int w, int h) {
    if (!WindowExists(window) || Fails(Service::Screen)) return false;
    M.screenOpen = true;
    M.screenWidth = w;
    M.screenHeight = h;
    return true;
}

void CloseScreen() { M.screenOpen = false; }

void ClearScreen(uint32_t rgb) {
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Clear;
    record.rgb = rgb;
    M.current.push_back(record);
}

void FlipBuffers() {
    std::swap(M.current, M.last);
    M.current.clear();
    ++M.flips;
    M.clock += M.frameStep;
}

void SetFrameRate(int fps) { M.frameRate = fps > 0 ? fps : 60; }

void RepaintWholeNextFrame() {}  // every headless frame is recorded whole

bool GrabScreen(std::vector<uint8_t>&, int&, int&) { return false; }

bool CreateSprite(int id, int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !rgba) return false;
    M.sprites[id] = Sprite{w, h, false};
    return true;
}

PixelOrder ScreenPixelOrder() { return PixelOrder::Rgba; }

// Nearest pixels: the headless screen never shows them.
bool ZoomPixels(const PixelBuffer& source, int w, int h, PixelBuffer& zoomed) {
    if (!source.bytes || w <= 0 || h <= 0 || !zoomed.Allocate(w, h)) return false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t from = (static_cast<size_t>(y) * source.height / h * source.width +
                                 static_cast<size_t>(x) * source.width / w) *
                                4;
            std::memcpy(zoomed.bytes.get() + (static_cast<size_t>(y) * w + x) * 4, source.bytes.get() + from,
                        4);
        }
    zoomed.order = source.order;
    zoomed.opaque = source.opaque;
    return true;
}

bool CreateSpriteFromPixels(int id, int w, int h, const PixelBuffer& pixels) {
    if (w <= 0 || h <= 0 || !pixels.bytes || pixels.width <= 0 || pixels.height <= 0) return false;
    M.sprites[id] = Sprite{w, h, false};
    return true;
}

bool CreateBlankSprite(int id, int w, int h) {
    if (w <= 0 || h <= 0) return false;
    M.sprites[id] = Sprite{w, h, true};
    return true;
}

void FreeSprite(int id) { M.sprites.erase(id); }
bool SpriteExists(int id) { return M.sprites.count(id) > 0; }
int SpriteWidth(int id) {
    auto it = M.sprites.find(id);
    return it == M.sprites.end() ? 0 : it->second.w;
}
int SpriteHeight(int id) {
    auto it = M.sprites.find(id);
    return it == M.sprites.end() ? 0 : it->second.h;
}

bool CreateImage(int id, int w, int h, const uint8_t* rgba) {
    if (w <= 0 || h <= 0 || !rgba) return false;
    M.images.insert(id);
    return true;
}

bool ImageExists(int id) { return M.images.count(id) > 0; }

void FreeImage(int id) { M.images.erase(id); }

void DrawSprite(int id, int x, int y, const DrawOptions& options) {
    if (!SpriteExists(id)) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Sprite;
    record.id = id;
    record.x = x;
    record.y = y;
    record.options = options;
    const Sprite& sprite = M.sprites[id];
    const int clipW = options.clipWidth >= 0 ? options.clipWidth : sprite.w;
    const int clipH = options.clipHeight >= 0 ? options.clipHeight : sprite.h;
    record.w = options.width >= 0 ? options.width : clipW;
    record.h = options.height >= 0 ? options.height : clipH;
    Record(std::move(record));
}

void SetSpriteBlending(int source, int destination) {
    M.blendSource = source;
    M.blendDestination = destination;
}

void SetSpriteQuality(int) {}

void DrawScreenRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    headless::DrawRecord record;
    record.kind = headless::DrawKind::Rect;
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    record.rgb = rgb;
    record.alpha = alpha;
    Record(std::move(record));
}

bool StartSpriteDrawing(int id) {
    auto it = M.sprites.find(id);
    if (it == M.sprites.end() || !it->second.drawable) return false;
    M.drawingInto = id;
    return true;
}

void SpriteFillRect(int x, int y, int w, int h, uint32_t rgb, int alpha) {
    if (M.drawingInto < 0) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteFill;
    record.id = M.drawingInto;
    record.x = x;
    record.y = y;
    record.w = w;
    record.h = h;
    record.rgb = rgb;
    record.alpha = alpha;
    Record(std::move(record));
}

void SpriteDrawImage(int image, int x, int y) {
    if (M.drawingInto < 0 || !ImageExists(image)) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteImage;
    record.id = image;
    record.x = x;
    record.y = y;
    Record(std::move(record));
}

void SpriteDrawText(int font, int x, int y, const std::string& text, uint32_t rgb, int alpha) {
    if (M.drawingInto < 0) return;
    headless::DrawRecord record;
    record.kind = headless::DrawKind::SpriteText;
    record.id = font;
    record.x = x;
    record.y = y;
    record.rgb = rgb;
    record.alpha = alpha;
    record.text = text;
    Record(std::move(record));
}

void StopSpriteDrawing() { M.drawingInto = -1; }

bool LoadSystemFont(int id, int pointSize, const uint8_t* ttf, size_t bytes) {
    if (!ttf || bytes == 0 || pointSize <= 0) return false;
    M.systemFonts[id] = pointSize;
    return true;
}

int SystemTextWidth(int font, const std::string& text) {
    // Without a rasteriser: an average bold glyph is about 0.6 em wide, and
    // the em of a point size at 96 dots per inch is size * 4 / 3 pixels.
    auto it = M.systemFonts.find(font);
    if (it == M.systemFonts.end()) return 0;
    return static_cast<int>(text.size() * it->second * 4 * 6 / 30);
}

}  // namespace platform
