// Runs every registered job, then writes the assets, the manifest, the
// contact sheet and the embedding files into the output folder.
#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "data/forge/forge.h"

namespace forge {
namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && ok;
}

// Storage order of the embedded blobs: fonts, loading picture, sprites,
// the message image, sounds, then the system font.
int KindRank(const std::string& kind) {
    static const char* order[] = {"font", "picture", "sprite", "image", "sound", "ttf"};
    for (int i = 0; i < 6; ++i)
        if (kind == order[i]) return i;
    return 6;
}

bool StorageOrder(const Asset* a, const Asset* b) {
    if (KindRank(a->kind) != KindRank(b->kind)) return KindRank(a->kind) < KindRank(b->kind);
    if (a->number != b->number) return a->number < b->number;
    return a->variant < b->variant;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// Every picture scaled down on one sheet with its number, for review.
void WriteContactSheet(const std::string& path, const std::vector<const Asset*>& pictures) {
    const int cell = 200, thumb = 180, columns = 10;
    const int rows = static_cast<int>((pictures.size() + columns - 1) / columns);
    cairo_surface_t* sheet =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * cell, std::max(1, rows) * cell);
    cairo_t* cr = cairo_create(sheet);
    // Captions in DejaVu Sans Bold straight from its file (no font lookup).
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    cairo_font_face_t* captionFace = nullptr;
    if (FT_Init_FreeType(&library) == 0 &&
        FT_New_Face(library, SystemFontPath("DejaVuSans-Bold.ttf").c_str(), 0, &face) == 0) {
        // Cairo may cache the face beyond this function: it closes the file when it lets go.
        static cairo_user_data_key_t key;
        captionFace = cairo_ft_font_face_create_for_ft_face(face, 0);
        cairo_font_face_set_user_data(captionFace, &key, face,
                                      [](void* f) { FT_Done_Face(static_cast<FT_Face>(f)); });
    }
    cairo_set_source_rgb(cr, 0.16, 0.16, 0.19);
    cairo_paint(cr);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Picture& p = pictures[i]->preview;
        const int cx = static_cast<int>(i % columns) * cell, cy = static_cast<int>(i / columns) * cell;
        // Checkerboard behind transparent pictures.
        for (int by = 0; by < thumb; by += 10)
            for (int bx = 0; bx < thumb; bx += 10) {
                const double shade = ((bx + by) / 10) % 2 ? 0.30 : 0.38;
                cairo_set_source_rgb(cr, shade, shade, shade);
                cairo_rectangle(cr, cx + 10 + bx, cy + 4 + by, 10, 10);
                cairo_fill(cr);
            }
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height);
        cairo_surface_flush(image);
        uint8_t* data = cairo_image_surface_get_data(image);
        const int stride = cairo_image_surface_get_stride(image);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const uint8_t* s = p.At(x, y);
                uint32_t a = s[3];
                uint32_t r = s[0] * a / 255, g = s[1] * a / 255, b = s[2] * a / 255;
                *reinterpret_cast<uint32_t*>(data + y * stride + x * 4) =
                    (a << 24) | (r << 16) | (g << 8) | b;
            }
        cairo_surface_mark_dirty(image);
        const double scale =
            std::min(static_cast<double>(thumb) / p.width, static_cast<double>(thumb - 14) / p.height);
        cairo_save(cr);
        cairo_translate(cr, cx + 10 + (thumb - p.width * scale) / 2,
                        cy + 4 + (thumb - 14 - p.height * scale) / 2);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, image, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
        char caption[96];
        snprintf(caption, sizeof caption, "%s %d%s  %dx%d", pictures[i]->kind.c_str(), pictures[i]->number,
                 pictures[i]->variant ? " EN" : "", p.width, p.height);
        cairo_set_source_rgb(cr, 0.9, 0.9, 0.9);
        if (captionFace) cairo_set_font_face(cr, captionFace);
        cairo_set_font_size(cr, 12);
        cairo_move_to(cr, cx + 10, cy + cell - 8);
        cairo_show_text(cr, caption);
    }
    cairo_destroy(cr);
    cairo_surface_write_to_png(sheet, path.c_str());
    cairo_surface_destroy(sheet);
    if (captionFace) cairo_font_face_destroy(captionFace);
}

}  // namespace

}  // namespace forge

int main(int argc, char** argv) {
    using namespace forge;
    if (argc < 2) {
        fprintf(stderr, "usage: nebulor-forge OUTPUT-FOLDER [JOB-NAME-PART]\n");
        return 2;
    }
    const std::string out = std::string(argv[1]) + "/";

    // Run the jobs on every core; each job's assets stay together. A second
    // argument keeps only the jobs whose name contains it (for art reviews).
    auto& jobs = RegisteredJobs();
    if (argc > 2)
        jobs.erase(
            std::remove_if(jobs.begin(), jobs.end(),
                           [&](const NamedJob& j) { return j.name.find(argv[2]) == std::string::npos; }),
            jobs.end());
    std::vector<std::vector<Asset>> results(jobs.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    const unsigned workers = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<std::thread> threads;
    for (unsigned w = 0; w < workers; ++w)
        threads.emplace_back([&] {
            for (size_t i; (i = next++) < jobs.size();) {
                results[i] = jobs[i].job();
                if (results[i].empty()) {
                    fprintf(stderr, "forge: job %s made nothing\n", jobs[i].name.c_str());
                    failed = true;
                }
            }
        });
    for (auto& t : threads) t.join();
    if (failed) return 1;

    std::vector<const Asset*> all;
    for (auto& list : results)
        for (auto& asset : list) all.push_back(&asset);
    std::sort(all.begin(), all.end(), StorageOrder);

    // Files, once per file name (two entries may share one picture).
    std::map<std::string, const Asset*> byFile;
    for (const Asset* asset : all) {
        auto [it, fresh] = byFile.emplace(asset->file, asset);
        if (!fresh && it->second->bytes != asset->bytes) {
            fprintf(stderr, "forge: %s written twice with different content\n", asset->file.c_str());
            return 1;
        }
        if (fresh && !WriteFile(out + asset->file, asset->bytes)) {
            fprintf(stderr, "forge: cannot write %s\n", asset->file.c_str());
            return 1;
        }
    }

    // The manifest, for people and for tests.
    FILE* manifest = fopen((out + "manifest.tsv").c_str(), "w");
    if (!manifest) return 1;
    fprintf(manifest, "number\tkind\tlabel\tfile\twidth\theight\tformat\tbytes\n");
    for (const Asset* a : all)
        fprintf(manifest, "%d\t%s%s\t%s\t%s\t%d\t%d\t%s\t%zu\n", a->number, a->kind.c_str(),
                a->variant ? "-en" : "", a->label.c_str(), a->file.c_str(), a->width, a->height,
                a->format.c_str(), a->bytes.size());
    fclose(manifest);

    // The embedding: blobs back to back in one read-only section, and their table.
    FILE* assembly = fopen((out + "embedded_assets.S").c_str(), "w");
    FILE* table = fopen((out + "embedded_assets.cpp").c_str(), "w");
    if (!assembly || !table) return 1;
    fprintf(assembly, "    .section .rodata.nebulor_assets,\"a\",@progbits\n");
    fprintf(table, "// Written by the asset forge.\n#include \"assets/embedded.h\"\n\n");
    std::map<std::string, int> symbolOfFile;
    int symbols = 0;
    for (const Asset* a : all) {
        if (!a->embed || symbolOfFile.count(a->file)) continue;
        symbolOfFile[a->file] = symbols;
        fprintf(assembly, "    .global nebulor_asset_%d\nnebulor_asset_%d:\n    .incbin \"%s%s\"\n", symbols,
                symbols, out.c_str(), a->file.c_str());
        fprintf(table, "extern \"C\" const uint8_t nebulor_asset_%d[];\n", symbols);
        ++symbols;
    }
    fprintf(assembly, "    .section .note.GNU-stack,\"\",@progbits\n");
    fprintf(table, "\nconst EmbeddedAsset kEmbeddedAssets[] = {\n");
    size_t count = 0;
    for (const Asset* a : all) {
        if (!a->embed) continue;
        fprintf(table, "    {\"%s\", %d, %d, \"%s\", nebulor_asset_%d, %zu},\n", a->kind.c_str(), a->number,
                a->variant, Escape(a->label).c_str(), symbolOfFile[a->file], a->bytes.size());
        ++count;
    }
    if (count == 0) fprintf(table, "    {\"\", -1, 0, \"\", nullptr, 0},\n");
    fprintf(table, "};\nconst size_t kEmbeddedAssetCount = %zu;\n", count);
    fclose(assembly);
    fclose(table);

    std::vector<const Asset*> pictures;
    for (const Asset* a : all)
        if (a->preview.width > 0) pictures.push_back(a);
    WriteContactSheet(out + "contact-sheet.png", pictures);
    printf("forge: %zu assets, %d embedded blobs\n", all.size(), symbols);
    return 0;
}
