// Repainting only what changed. With the software renderer the window's
// framebuffer keeps the last frame after it is shown, so a frame that differs
// from the last one in a few sparkles and the clock need not paint the whole
// screen again: the screen's drawing is recorded, compared with the last
// frame's at the flip, and replayed only inside the rectangles where the two
// differ. An idle game then costs a fraction of a full frame.
//
// Why the replay gives the same pixels: every frame starts with a clear, so a
// pixel's colour is the fold of the commands covering it. A pixel outside
// every damaged rectangle is covered by the same commands, in the same order,
// in both frames. Scaled copies are never cut by a rectangle's edge (their
// sampling would shift); everything else draws per pixel.
#include <algorithm>

#include "platform/sdl/sdl_internal.h"

namespace platform::sdl {
namespace {

// Above this share of the screen one whole repaint is cheaper than pieces.
constexpr int64_t WholeRepaintPercent = 60;
// More changes than this: the frame has changed everywhere.
constexpr size_t MostPieces = 1024;

struct Painter {
    bool retained = false;    // the renderer keeps its frame: repaint pieces
    bool immediate = false;   // this frame draws directly (after a flush)
    bool lastValid = false;   // the framebuffer holds `last` exactly
    SDL_Rect lastViewport{};  // where `last` was painted
    std::vector<PaintCommand> current, last;
    // Where each command of `current` and `last` touches the screen, worked
    // out once a frame: every comparison below reads these.
    std::vector<SDL_Rect> currentBounds, lastBounds;
    std::vector<SDL_Rect> scaledBounds;  // of this frame's scaled copies
    std::vector<SDL_Rect> damage;
    std::vector<SDL_Rect> merged;  // MergePieces' work space
    // This frame's commands by the bands of the screen they touch, in
    // painting order: a piece looks only at the commands of its bands.
    std::vector<std::vector<uint32_t>> bands;
    std::vector<uint32_t> candidates;
    RepaintStats stats;
};

Painter gPainter;

bool Empty(const SDL_Rect& r) { return r.w <= 0 || r.h <= 0; }

bool Overlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool Contains(const SDL_Rect& outer, const SDL_Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return SDL_Rect{x0, y0, x1 - x0, y1 - y0};
}

bool Scaled(const PaintCommand& c) {
    return c.kind == PaintCommand::Kind::Copy && (c.source.w != c.target.w || c.source.h != c.target.h);
}

bool Same(const PaintCommand& a, const PaintCommand& b) {
    return a.kind == b.kind && a.mode == b.mode && a.scale == b.scale && a.colour.r == b.colour.r &&
           a.colour.g == b.colour.g && a.colour.b == b.colour.b && a.colour.a == b.colour.a &&
           a.texture == b.texture && a.content == b.content && SDL_RectEquals(&a.source, &b.source) &&
           SDL_RectEquals(&a.target, &b.target);
}

// The part of `screen` inside r (empty when none).
SDL_Rect Cut(const SDL_Rect& r, const SDL_Rect& screen) {
    const int x0 = std::max(r.x, screen.x), y0 = std::max(r.y, screen.y);
    const int x1 = std::min(r.x + r.w, screen.x + screen.w), y1 = std::min(r.y + r.h, screen.y + screen.h);
    return x1 > x0 && y1 > y0 ? SDL_Rect{x0, y0, x1 - x0, y1 - y0} : SDL_Rect{0, 0, 0, 0};
}

// The part of the screen a command touches (a clear: all of it).
SDL_Rect Bounds(const PaintCommand& c, const SDL_Rect& screen) {
    return c.kind == PaintCommand::Kind::Clear ? screen : Cut(c.target, screen);
}

void AddDamage(const SDL_Rect& r) {
    if (!Empty(r)) gPainter.damage.push_back(r);
}

// Pieces this close are painted as one: each piece costs a pass over the frame.
constexpr int MergeDistance = 6;

bool Near(const SDL_Rect& a, const SDL_Rect& b) {
    const SDL_Rect grown{a.x - MergeDistance, a.y - MergeDistance, a.w + 2 * MergeDistance,
                         a.h + 2 * MergeDistance};
    return Overlap(grown, b);
}

// Adds r to pieces of which no two are near, keeping it so: r swallows every
// piece it comes near, and looks again each time it has grown.
void AddMerged(std::vector<SDL_Rect>& pieces, SDL_Rect r) {
    for (size_t i = 0; i < pieces.size();) {
        if (Near(pieces[i], r)) {
            r = Union(r, pieces[i]);
            pieces[i] = pieces.back();
            pieces.pop_back();
            i = 0;
        } else {
            ++i;
        }
    }
    pieces.push_back(r);
}

// Joins pieces that overlap or nearly touch until no two do.
void MergePieces(std::vector<SDL_Rect>& pieces) {
    std::vector<SDL_Rect>& merged = gPainter.merged;
    merged.clear();
    for (const SDL_Rect& piece : pieces) AddMerged(merged, piece);
    pieces.swap(merged);
}

// Grows pieces over the scaled copies they cut and merges them until none
// overlap. False when the pieces stop being worth it.
bool SettleDamage(const SDL_Rect& screen) {
    std::vector<SDL_Rect>& pieces = gPainter.damage;
    for (bool grown = true; grown;) {
        MergePieces(pieces);
        grown = false;
        for (SDL_Rect& piece : pieces)
            for (const SDL_Rect& bounds : gPainter.scaledBounds) {
                if (Overlap(piece, bounds) && !Contains(piece, bounds)) {
                    piece = Union(piece, bounds);
                    grown = true;
                }
            }
    }
    int64_t area = 0;
    for (SDL_Rect& piece : pieces) {
        piece = Cut(piece, screen);  // merging may reach past the edges
        area += static_cast<int64_t>(piece.w) * piece.h;
    }
    return area * 100 < static_cast<int64_t>(screen.w) * screen.h * WholeRepaintPercent;
}

// Rows of the screen this high share one list of the commands touching them.
constexpr int BandHeight = 32;

void SortIntoBands(const SDL_Rect& screen) {
    Painter& p = gPainter;
    p.bands.resize(static_cast<size_t>((screen.h + BandHeight - 1) / BandHeight));
    for (std::vector<uint32_t>& band : p.bands) band.clear();
    for (size_t i = 0; i < p.currentBounds.size(); ++i) {
        const SDL_Rect& bounds = p.currentBounds[i];
        if (Empty(bounds)) continue;
        for (int band = bounds.y / BandHeight; band <= (bounds.y + bounds.h - 1) / BandHeight; ++band)
            p.bands[static_cast<size_t>(band)].push_back(static_cast<uint32_t>(i));
    }
}

// The commands that may touch the piece, in painting order.
const std::vector<uint32_t>& CommandsNear(const SDL_Rect& piece) {
    Painter& p = gPainter;
    const size_t first = static_cast<size_t>(piece.y / BandHeight);
    const size_t last = static_cast<size_t>((piece.y + piece.h - 1) / BandHeight);
    if (first == last) return p.bands[first];
    p.candidates.clear();
    for (size_t band = first; band <= last; ++band)
        p.candidates.insert(p.candidates.end(), p.bands[band].begin(), p.bands[band].end());
    std::sort(p.candidates.begin(), p.candidates.end());
    p.candidates.erase(std::unique(p.candidates.begin(), p.candidates.end()), p.candidates.end());
    return p.candidates;
}

void PaintAll(SDL_Renderer* renderer, const std::vector<PaintCommand>& commands) {
    for (const PaintCommand& c : commands) RepaintRun(renderer, c);
}

}  // namespace

void RepaintReset(bool retained) {
    gPainter = Painter{};
    gPainter.retained = retained;
}

void RepaintInvalidate() {
    gPainter.lastValid = false;
    State().menuStripShown = 0;  // the strip is drawn again too
}

bool RepaintRetained() { return gPainter.retained; }

bool RepaintRecording() { return gPainter.retained && !gPainter.immediate; }

void RepaintRecord(const PaintCommand& command) { gPainter.current.push_back(command); }

bool RepaintUses(uint64_t content) {
    for (const PaintCommand& c : gPainter.current)
        if (c.kind == PaintCommand::Kind::Copy && c.content == content) return true;
    return false;
}

void RepaintRun(SDL_Renderer* renderer, const PaintCommand& c) {
    switch (c.kind) {
        case PaintCommand::Kind::Clear:
            SDL_SetRenderDrawColor(renderer, c.colour.r, c.colour.g, c.colour.b, 255);
            SDL_RenderClear(renderer);
            break;
        case PaintCommand::Kind::Fill:
            SDL_SetRenderDrawBlendMode(renderer, c.mode);
            SDL_SetRenderDrawColor(renderer, c.colour.r, c.colour.g, c.colour.b, c.colour.a);
            SDL_RenderFillRect(renderer, &c.target);
            break;
        case PaintCommand::Kind::Copy:
            SDL_SetTextureBlendMode(c.texture, c.mode);
            SDL_SetTextureAlphaMod(c.texture, c.colour.a);
            SDL_SetTextureColorMod(c.texture, c.colour.r, c.colour.g, c.colour.b);
            SDL_SetTextureScaleMode(c.texture, c.scale);
            SDL_RenderCopy(renderer, c.texture, &c.source, &c.target);
            break;
    }
}

void RepaintFlush() {
    if (!RepaintRecording() || gPainter.current.empty()) return;
    if (SDL_Renderer* renderer = State().renderer) PaintAll(renderer, gPainter.current);
    gPainter.current.clear();
    gPainter.immediate = true;
    gPainter.lastValid = false;
}

const std::vector<SDL_Rect>& RepaintedPieces() { return gPainter.damage; }

bool RepaintFrame(SDL_Renderer* renderer, const SDL_Rect& viewport) {
    Painter& p = gPainter;
    ++p.stats.frames;
    p.stats.paintedPixels = 0;
    if (!p.retained || p.immediate) {
        p.immediate = false;
        p.current.clear();
        p.last.clear();
        p.lastBounds.clear();
        p.lastValid = false;
        p.stats.paintedPixels = static_cast<int64_t>(viewport.w) * viewport.h;
        ++p.stats.wholeFrames;
        p.damage.clear();
        return false;
    }
    const SDL_Rect screen{0, 0, viewport.w, viewport.h};
    // A frame that does not start by covering the whole screen keeps pixels of
    // the frame before: only drawing everything gives those.
    const bool startsClean = !p.current.empty() && p.current.front().kind == PaintCommand::Kind::Clear;
    bool whole = !p.lastValid || !startsClean || !SDL_RectEquals(&viewport, &p.lastViewport);
    p.damage.clear();
    p.currentBounds.clear();
    p.scaledBounds.clear();
    for (const PaintCommand& c : p.current) {
        p.currentBounds.push_back(Bounds(c, screen));
        if (Scaled(c)) p.scaledBounds.push_back(p.currentBounds.back());
    }
    if (!whole) {
        const size_t common = std::min(p.current.size(), p.last.size());
        for (size_t i = 0; i < common; ++i)
            if (!Same(p.current[i], p.last[i])) {
                AddDamage(p.currentBounds[i]);
                AddDamage(p.lastBounds[i]);
            }
        for (size_t i = common; i < p.current.size(); ++i) AddDamage(p.currentBounds[i]);
        for (size_t i = common; i < p.last.size(); ++i) AddDamage(p.lastBounds[i]);
        whole = p.damage.size() > MostPieces || !SettleDamage(screen);
    }
    if (whole) {
        PaintAll(renderer, p.current);
        p.stats.paintedPixels = static_cast<int64_t>(screen.w) * screen.h;
        ++p.stats.wholeFrames;
    } else {
        SortIntoBands(screen);
        for (const SDL_Rect& piece : p.damage) {
            if (Empty(piece)) continue;
            SDL_RenderSetClipRect(renderer, &piece);
            for (const uint32_t i : CommandsNear(piece)) {
                const PaintCommand& c = p.current[i];
                if (!Overlap(piece, p.currentBounds[i])) continue;
                if (c.kind == PaintCommand::Kind::Clear) {
                    // A clear ignores the clip: fill the piece instead.
                    PaintCommand fill = c;
                    fill.kind = PaintCommand::Kind::Fill;
                    fill.mode = SDL_BLENDMODE_NONE;
                    fill.colour.a = 255;
                    fill.target = piece;
                    RepaintRun(renderer, fill);
                } else {
                    RepaintRun(renderer, c);
                }
            }
            p.stats.paintedPixels += static_cast<int64_t>(piece.w) * piece.h;
        }
        SDL_RenderSetClipRect(renderer, &screen);
    }
    p.lastViewport = viewport;
    p.lastValid = true;
    std::swap(p.current, p.last);
    std::swap(p.currentBounds, p.lastBounds);
    p.current.clear();
    if (whole) p.damage.clear();
    return !whole;
}

void RepaintWholeLastFrame() {
    if (SDL_Renderer* renderer = State().renderer; renderer && gPainter.lastValid)
        PaintAll(renderer, gPainter.last);
}

const RepaintStats& Repainting() { return gPainter.stats; }

}  // namespace platform::sdl
