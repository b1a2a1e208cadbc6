#include "assets/picture_catalogue.h"

#include <string>

namespace {

// The message names the label and ends in "!"; b11 lacks the "!", and the
// banner labels ("bigwin 1" ...) keep a blank before it.
std::string MessageFor(const std::string& label) {
    const std::string text = "Fehler beim laden von Grafiken " + label;
    if (label == "b11") return text;
    if (label.rfind("bigwin ", 0) == 0) return text + " !";
    return text + "!";
}

std::vector<PictureStep> BuildOrder() {
    std::vector<PictureStep> steps;
    for (const PictureEntry& entry : kPictureCatalogue) {
        const std::string kind = entry.kind;
        if (entry.variant != 0 || (kind != "sprite" && kind != "image")) continue;
        steps.push_back({entry.kind, entry.number, entry.label, MessageFor(entry.label), entry.zoom});
    }
    return steps;
}

}  // namespace

const std::vector<PictureStep>& PictureLoadOrder() {
    static const std::vector<PictureStep> steps = BuildOrder();
    return steps;
}
