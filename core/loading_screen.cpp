#include "core/loading_screen.h"

#include "assets/bitmap_font.h"
#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "assets/pictures.h"
#include "assets/sound.h"
#include "assets/sound_catalogue.h"
#include "core/game_state.h"
#include "core/startup.h"
#include "platform/platform.h"

void DrawLoadingScreen() {
    platform::ClearScreen(0x000000);
    if (platform::SpriteExists(SpriteLoadingPicture) || CreateLoadingPicture())
        platform::DrawSprite(SpriteLoadingPicture, 0, 0);
    const float width = static_cast<float>(platform::WindowClientWidth(WindowLoading));
    const float height = static_cast<float>(platform::WindowClientHeight(WindowLoading));
    DrawBitmapText(FontLarge, 0.3f * width - 10, 0.3f * height + 20, "Nebulor", 255, 0xFFFFFF, 1.0f);
    DrawBitmapText(FontSmall, 170, 180, "ESC - SKIP", 255, 0xFFFFFF, 0.7f);
}

void PlayIntroJingle() {
    if (!platform::SoundExists(SoundIntroJingle)) return;
    PlayMusic(SoundIntroJingle, platform::SoundMultiChannel);
    for (;;) {
        platform::Delay(10);
        platform::ExamineKeyboard();
        if (platform::KeyboardPushed(platform::KeyEscape))
            platform::StopSound(SoundIntroJingle, static_cast<int>(Game.MusicChannel));
        platform::WindowEvent();
        const int status = platform::GetSoundStatus(SoundIntroJingle, static_cast<int>(Game.MusicChannel));
        if (status == platform::SoundStopped || status == platform::SoundNoStatus) break;
    }
}

bool RunLoadingScreen() {
    const EmbeddedAsset* smallFont = FindEmbedded("font", 0);
    if (!LoadBitmapFont(5, smallFont ? smallFont->data : nullptr, smallFont ? smallFont->size : 0, "")) {
        platform::CloseWindow(WindowLoading);
        return StartupFailure("Can't open Font Tahoma");
    }
    if (!LoadFonts()) return false;
    DrawLoadingScreen();
    platform::FlipBuffers();
    // The main screen creates its fonts anew; the drawn frame stays on show.
    for (int64_t font = 5; font <= 9; ++font) FreeFont(font);
    if (Game.SoundOn == 1 && !LoadSounds()) return false;
    PlayIntroJingle();
    platform::FreeSprite(SpriteLoadingPicture);
    platform::CloseWindow(WindowLoading);
    return true;
}
