#include "data/forge/pictures/paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace forge::paint {

Rgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Lighten(Rgb c, double amount) {
    return amount >= 0 ? Mix(c, {1, 1, 1}, amount) : Mix(c, {0, 0, 0}, -amount);
}

void SetColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* pattern, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, c.r, c.g, c.b, alpha);
}

Canvas::Canvas(int w, int h) : width(w), height(h) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr = cairo_create(surface);
}

Canvas::~Canvas() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

uint32_t* Canvas::Row(int y) {
    uint8_t* data = cairo_image_surface_get_data(surface);
    return reinterpret_cast<uint32_t*>(data +
                                       static_cast<size_t>(y) * cairo_image_surface_get_stride(surface));
}

Picture Canvas::ToPicture() {
    cairo_surface_flush(surface);
    Picture picture(width, height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            const uint32_t a = p >> 24;
            uint8_t* out = picture.At(x, y);
            if (a == 0) {
                out[0] = out[1] = out[2] = out[3] = 0;
                continue;
            }
            // Undo the premultiplication, rounding to the nearest value.
            out[0] = static_cast<uint8_t>(std::min(255u, (((p >> 16) & 0xFF) * 255 + a / 2) / a));
            out[1] = static_cast<uint8_t>(std::min(255u, (((p >> 8) & 0xFF) * 255 + a / 2) / a));
            out[2] = static_cast<uint8_t>(std::min(255u, ((p & 0xFF) * 255 + a / 2) / a));
            out[3] = static_cast<uint8_t>(a);
        }
    }
    return picture;
}

void Canvas::Clear() {
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(cr);
    cairo_restore(cr);
}

void PaintCanvas(cairo_t* cr, Canvas& canvas, double x, double y, double scale, double alpha) {
    cairo_surface_flush(canvas.surface);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, canvas.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

namespace {

const char* FontFile(Face face) {
    switch (face) {
        case Face::SansBold: return "DejaVuSans-Bold.ttf";
        case Face::CondensedBold: return "DejaVuSansCondensed-Bold.ttf";
        case Face::SerifBold: return "DejaVuSerif-Bold.ttf";
        case Face::LiberationBold: return "LiberationSans-Bold.ttf";
        case Face::Sans: return "DejaVuSans.ttf";
        default: return "DejaVuSansCondensed.ttf";
    }
}

}  // namespace

cairo_font_face_t* FontFace(Face face) {
    // FreeType faces stay open for the whole run; Cairo locks a face while it uses it.
    static std::mutex lock;
    static FT_Library library = nullptr;
    static cairo_font_face_t* faces[6] = {};
    std::lock_guard<std::mutex> guard(lock);
    const int index = static_cast<int>(face);
    if (faces[index]) return faces[index];
    if (!library && FT_Init_FreeType(&library) != 0) library = nullptr;
    FT_Face ftFace = nullptr;
    if (library && FT_New_Face(library, SystemFontPath(FontFile(face)).c_str(), 0, &ftFace) == 0) {
        faces[index] = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    } else {
        const bool bold = face != Face::Sans && face != Face::Condensed;
        faces[index] = cairo_toy_font_face_create("DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                                                  bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    return faces[index];
}

void UseFont(cairo_t* cr, Face face, double size) {
    cairo_set_font_face(cr, FontFace(face));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

TextBox MeasureInk(cairo_t* cr, const std::string& utf8) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, utf8.c_str(), &extents);
    return {extents.x_bearing, extents.y_bearing, extents.width, extents.height, extents.x_advance};
}

void CentredTextPath(cairo_t* cr, const std::string& utf8, double cx, double cy) {
    const TextBox box = MeasureInk(cr, utf8);
    cairo_move_to(cr, cx - box.width / 2 - box.x, cy - box.height / 2 - box.y);
    cairo_text_path(cr, utf8.c_str());
}

void TextPathAt(cairo_t* cr, const std::string& utf8, double x, double y, double anchor) {
    const TextBox box = MeasureInk(cr, utf8);
    cairo_move_to(cr, x - box.advance * anchor, y);
    cairo_text_path(cr, utf8.c_str());
}

double FillParagraph(cairo_t* cr, const std::string& utf8, double x, double y, double width,
                     double lineHeight) {
    std::string line;
    size_t start = 0;
    auto flush = [&] {
        if (line.empty()) return;
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, line.c_str());
        y += lineHeight;
        line.clear();
    };
    while (start <= utf8.size()) {
        size_t end = utf8.find(' ', start);
        if (end == std::string::npos) end = utf8.size();
        const std::string word = utf8.substr(start, end - start);
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && MeasureInk(cr, candidate).advance > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
        start = end + 1;
    }
    flush();
    return y;
}

double FitFontSize(cairo_t* cr, Face face, const std::string& utf8, double size, double width) {
    UseFont(cr, face, size);
    const TextBox box = MeasureInk(cr, utf8);
    if (box.width > width && box.width > 0) size *= width / box.width;
    UseFont(cr, face, size);
    return size;
}

void RoundedRectangle(cairo_t* cr, double x, double y, double w, double h, double radius) {
    radius = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -Pi / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, Pi / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, Pi / 2, Pi);
    cairo_arc(cr, x + radius, y + radius, radius, Pi, 3 * Pi / 2);
    cairo_close_path(cr);
}

void PolygonPath(cairo_t* cr, double cx, double cy, double radius, int sides, double angle) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < sides; ++i) {
        const double a = angle + 2 * Pi * i / sides;
        cairo_line_to(cr, cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void ChamferedRectangle(cairo_t* cr, double x, double y, double w, double h, double cut) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x + cut, y);
    cairo_line_to(cr, x + w - cut, y);
    cairo_line_to(cr, x + w, y + cut);
    cairo_line_to(cr, x + w, y + h - cut);
    cairo_line_to(cr, x + w - cut, y + h);
    cairo_line_to(cr, x + cut, y + h);
    cairo_line_to(cr, x, y + h - cut);
    cairo_line_to(cr, x, y + cut);
    cairo_close_path(cr);
}

namespace {

// One box pass over `count` samples spaced `step` apart: each channel becomes
// the mean of the window [i - r, i + r], with transparency outside.
void BoxPass(uint32_t* data, int count, int step, int r, std::vector<uint32_t>& line) {
    line.resize(count);
    for (int i = 0; i < count; ++i) line[i] = data[static_cast<size_t>(i) * step];
    const int window = 2 * r + 1;
    uint32_t sum[4] = {0, 0, 0, 0};
    auto add = [&](int i, int sign) {
        if (i < 0 || i >= count) return;
        const uint32_t p = line[i];
        for (int c = 0; c < 4; ++c) sum[c] += sign * ((p >> (c * 8)) & 0xFF);
    };
    for (int i = -r; i < r; ++i) add(i, 1);
    for (int i = 0; i < count; ++i) {
        add(i + r, 1);
        uint32_t out = 0;
        for (int c = 0; c < 4; ++c) out |= ((sum[c] + window / 2) / window) << (c * 8);
        data[static_cast<size_t>(i) * step] = out;
        add(i - r, -1);
    }
}

}  // namespace

namespace {

// Blurs the rectangle [x0, x1) x [y0, y1) of the canvas in place.
void BlurRegion(Canvas& canvas, double radius, int x0, int y0, int x1, int y1) {
    if (radius < 0.5 || x1 <= x0 || y1 <= y0) return;
    cairo_surface_flush(canvas.surface);
    const double sigma = radius / 2;
    const int r = std::max(1, static_cast<int>(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
    const int stride = cairo_image_surface_get_stride(canvas.surface) / 4;
    uint32_t* data = canvas.Row(0);
    std::vector<uint32_t> line;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = y0; y < y1; ++y)
            BoxPass(data + static_cast<size_t>(y) * stride + x0, x1 - x0, 1, r, line);
        for (int x = x0; x < x1; ++x)
            BoxPass(data + static_cast<size_t>(y0) * stride + x, y1 - y0, stride, r, line);
    }
    cairo_surface_mark_dirty(canvas.surface);
}

}  // namespace

void Blur(Canvas& canvas, double radius) { BlurRegion(canvas, radius, 0, 0, canvas.width, canvas.height); }

void Glow(Canvas& target, const std::function<void(cairo_t*)>& shape, Rgb colour, double radius,
          double strength) {
    Canvas glow(target.width, target.height);
    cairo_save(glow.cr);
    shape(glow.cr);
    cairo_restore(glow.cr);
    cairo_set_operator(glow.cr, CAIRO_OPERATOR_IN);
    SetColour(glow.cr, colour);
    cairo_paint(glow.cr);
    cairo_surface_flush(glow.surface);
    // Only the shape's box, widened by the reach of the blur, needs blurring.
    int x0 = glow.width, y0 = glow.height, x1 = -1, y1 = -1;
    for (int y = 0; y < glow.height; ++y) {
        const uint32_t* row = glow.Row(y);
        for (int x = 0; x < glow.width; ++x)
            if (row[x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    }
    if (x1 < 0) return;
    const int reach = static_cast<int>(std::ceil(radius * 1.6)) + 2;
    x0 = std::max(0, x0 - reach);
    y0 = std::max(0, y0 - reach);
    x1 = std::min(glow.width, x1 + reach + 1);
    y1 = std::min(glow.height, y1 + reach + 1);
    BlurRegion(glow, radius, x0, y0, x1, y1);
    cairo_save(target.cr);
    cairo_rectangle(target.cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(target.cr);
    while (strength > 0) {
        PaintCanvas(target.cr, glow, 0, 0, 1.0, std::min(1.0, strength));
        strength -= 1.0;
    }
    cairo_restore(target.cr);
}

void RadialLight(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha) {
    cairo_pattern_t* light = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(light, 0, colour, alpha);
    AddStop(light, 0.25, colour, alpha * 0.55);
    AddStop(light, 0.6, colour, alpha * 0.15);
    AddStop(light, 1, colour, 0);
    cairo_set_source(cr, light);
    cairo_arc(cr, cx, cy, radius, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(light);
}

void Sparkle(cairo_t* cr, double cx, double cy, double size, Rgb colour, double alpha) {
    if (alpha <= 0 || size <= 0) return;
    RadialLight(cr, cx, cy, size * 0.45, colour, alpha * 0.8);
    for (int arm = 0; arm < 2; ++arm) {
        const double length = arm == 0 ? size : size * 0.75;
        cairo_pattern_t* ray = arm == 0 ? cairo_pattern_create_linear(cx - length, cy, cx + length, cy)
                                        : cairo_pattern_create_linear(cx, cy - length, cx, cy + length);
        AddStop(ray, 0, colour, 0);
        AddStop(ray, 0.5, Lighten(colour, 0.6), alpha);
        AddStop(ray, 1, colour, 0);
        cairo_set_source(cr, ray);
        const double w = size * 0.07;
        cairo_new_path(cr);
        if (arm == 0) {
            cairo_move_to(cr, cx - length, cy);
            cairo_line_to(cr, cx, cy - w);
            cairo_line_to(cr, cx + length, cy);
            cairo_line_to(cr, cx, cy + w);
        } else {
            cairo_move_to(cr, cx, cy - length);
            cairo_line_to(cr, cx + w, cy);
            cairo_line_to(cr, cx, cy + length);
            cairo_line_to(cr, cx - w, cy);
        }
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_pattern_destroy(ray);
    }
    RadialLight(cr, cx, cy, size * 0.15, {1, 1, 1}, alpha);
}

void FadeEdges(Canvas& canvas, int margin) {
    cairo_surface_flush(canvas.surface);
    std::vector<double> fx(canvas.width), fy(canvas.height);
    for (int x = 0; x < canvas.width; ++x)
        fx[x] = SmoothStep(0, margin, std::min(x + 0.5, canvas.width - x - 0.5));
    for (int y = 0; y < canvas.height; ++y)
        fy[y] = SmoothStep(0, margin, std::min(y + 0.5, canvas.height - y - 0.5));
    for (int y = 0; y < canvas.height; ++y) {
        uint32_t* row = canvas.Row(y);
        for (int x = 0; x < canvas.width; ++x) {
            const double f = fx[x] * fy[y];
            if (f >= 1.0) continue;
            uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<uint32_t>(std::lround(((row[x] >> (c * 8)) & 0xFF) * f)) << (c * 8);
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

double LoopWave(double phase, double shift) { return 0.5 - 0.5 * std::cos(2 * Pi * (phase + shift)); }

}  // namespace forge::paint
