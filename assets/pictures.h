// Loading the embedded pictures into numbered sprites (and the one plain
// image), in the catalogue's order, with the German failure messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Creates every catalogue sprite and image 57 in load order, sprite 19 in the
// language of Game.Language. The first picture that cannot be created gets
// its "Fehler" box and ends the load: false (start-up then ends without
// saving). Start-up step 25, after the main screen is open.
bool LoadPictures();

// Shows the "Fehler" box with `message` when `created` is false; returns `created`.
bool CheckLoaded(bool created, const std::string& message);

// The sprite of the loading window's picture (not a catalogue number).
constexpr int LoadingPictureSprite = 88;
// Creates the embedded 400 x 200 loading picture as sprite
// LoadingPictureSprite; called by start-up before it draws the loading screen.
bool CreateLoadingPicture();

// ------------------------------------------------------------ test support

// From now on loads use `png` instead of the embedded picture (kind
// "sprite", "image" or "picture", number, variant): a damaged file, say.
void ReplacePictureData(const std::string& kind, int number, int variant, const std::vector<uint8_t>& png);
// Back to the embedded pictures.
void ClearPictureReplacements();
// true: decoded embedded pictures are kept for later loads in this process
// (for programs that start the game many times, like the tests); false
// frees them. Off by default: the game loads once.
void KeepDecodedPictures(bool keep);
