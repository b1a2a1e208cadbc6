// Loading the embedded pictures into numbered sprites (and the one plain
// image), in the catalogue's order, with the German failure messages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Starts decoding every catalogue picture on helper threads (sprite 19 in the
// language of Game.Language); called by start-up as soon as the settings are
// read, so that the pictures decode while the loading window shows.
void StartDecodingPictures();

// Creates every catalogue sprite and image 57 in load order, sprite 19 in the
// language of Game.Language, from the pictures decoded since
// StartDecodingPictures (it starts them itself when the decoding started
// was of other pictures). The first picture that cannot be created gets its
// "Fehler" box and ends the load: false (start-up then ends without saving).
// Called by start-up once the main screen is open and its fonts are loaded.
bool LoadPictures();

// Shows the "Fehler" box with `message` when `created` is false; returns `created`.
bool CheckLoaded(bool created, const std::string& message);

// Creates the embedded 400 x 200 loading picture as sprite
// SpriteLoadingPicture; called by start-up before it draws the loading screen.
bool CreateLoadingPicture();

// ------------------------------------------------------------ test support

// From now on loads use `png` instead of the embedded picture (kind
// "sprite", "image" or "picture", number, variant): a damaged file, say.
void ReplacePictureData(const std::string& kind, int number, int variant, const std::vector<uint8_t>& png);
// Back to the embedded pictures.
void ClearPictureReplacements();
