// Sprites 0..13: the symbol sheets, 25 frames of 200 x 160 in a 5 x 5 grid.
#include <string>

#include "data/forge/pictures/catalogue_files.h"
#include "data/forge/pictures/symbol_art.h"

namespace forge::art {

using namespace paint;

void RenderSymbol(Canvas& cell, int sheet, double phase) {
    if (sheet <= 2)
        DrawChromeLetter(cell, sheet, phase);
    else if (sheet == 3 || sheet == 6 || sheet == 7)
        DrawJewel(cell, sheet, phase);
    else if (sheet == 4 || sheet == 5 || sheet == 8 || sheet == 9)
        DrawAlienSign(cell, sheet, phase);
    else
        DrawSymbolPlanet(cell, sheet, phase);
    // Glows fade out before the cell border, so neighbouring cells never show a seam.
    FadeEdges(cell, 7);
}

namespace {

Picture SymbolSheet(int sheet) {
    Picture picture(CellWidth * SheetColumns, CellHeight * SheetFrames / SheetColumns);
    for (int frame = 0; frame < SheetFrames; ++frame) {
        Canvas cell(CellWidth, CellHeight);
        RenderSymbol(cell, sheet, static_cast<double>(frame) / SheetFrames);
        const Picture framePicture = cell.ToPicture();
        const int ox = (frame % SheetColumns) * CellWidth, oy = (frame / SheetColumns) * CellHeight;
        for (int y = 0; y < CellHeight; ++y)
            std::copy(framePicture.At(0, y), framePicture.At(0, y) + CellWidth * 4, picture.At(ox, y + oy));
    }
    return picture;
}

std::vector<Asset> SheetJob(int first, int last) {
    std::vector<Asset> assets;
    for (int sheet = first; sheet <= last; ++sheet)
        assets.push_back(CataloguePicture("sprite", sheet, 0, SymbolSheet(sheet)));
    return assets;
}

const JobRegistrar kLetters("symbols-letters", [] { return SheetJob(0, 2); });
const JobRegistrar kGemSigns("symbols-gem-signs", [] { return SheetJob(3, 5); });
const JobRegistrar kShapes("symbols-shapes-signs", [] { return SheetJob(6, 9); });
const JobRegistrar kScatter("symbols-scatter", [] { return SheetJob(10, 10); });
const JobRegistrar kWild("symbols-wild", [] { return SheetJob(11, 11); });
const JobRegistrar kScatterEffect("symbols-scatter-effect", [] { return SheetJob(12, 12); });
const JobRegistrar kWildEffect("symbols-wild-effect", [] { return SheetJob(13, 13); });

}  // namespace

}  // namespace forge::art
