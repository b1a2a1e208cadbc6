#include "core/sheet_animations.h"

#include <algorithm>

#include "assets/catalogue_numbers.h"
#include "assets/sound.h"
#include "core/reel_window.h"
#include "platform/platform.h"

void DrawSheetAnimation(const SpriteAnimation& animation, int64_t clipWidth, int64_t clipHeight) {
    if (animation.frameDuration <= 0 || animation.frameCount <= 0 || animation.columns <= 0) return;
    const int64_t elapsed = Game.FrameTime - animation.startTime;
    const int64_t frame = (elapsed < 0 ? 0 : elapsed / animation.frameDuration) % animation.frameCount;
    platform::DrawOptions options;
    options.clipX = static_cast<int>((frame % animation.columns) * animation.frameWidth);
    options.clipY = static_cast<int>((frame / animation.columns) * animation.frameHeight);
    options.clipWidth = static_cast<int>(clipWidth);
    options.clipHeight = static_cast<int>(clipHeight);
    platform::DrawSprite(static_cast<int>(animation.sprite), static_cast<int>(animation.x - Game.ShiftX),
                         static_cast<int>(animation.y - Game.ShiftY), options);
}

void DrawExtraWildOverlay() {
    if (Game.GamePhase > PhaseWildPick) return;
    if (!(Game.Level >= 3 || Game.FunMode == 1 || Game.GameMode == ModeFreeGames)) return;
    for (int64_t cell = 0; cell < CellCount; ++cell) {
        if (Game.ExtraWildMap[cell] != 1) continue;
        // The fade runs once per marked cell: three wilds fade in three times as
        // fast. It runs in free games too: the sticky wilds would stay invisible
        // there, as every spin start sets the opacity back to 0.
        Game.WildOverlayAlpha = Game.WildOverlayAlpha < 255 ? Game.WildOverlayAlpha + 5 : 255;
        platform::DrawOptions options;
        options.clipWidth = static_cast<int>(Game.CellWidth);
        options.clipHeight = static_cast<int>(Game.CellHeight);
        options.intensity = static_cast<int>(std::min<int64_t>(Game.WildOverlayAlpha, 255));
        platform::DrawSprite(static_cast<int>(SpriteSymbolFirst + SymbolWild),
                             static_cast<int>(CellX(cell) - Game.ShiftX),
                             static_cast<int>(CellY(cell) - Game.ShiftY), options);
    }
}

void DrawFreeGameAnimations() {
    if (Game.GameMode != ModeFreeGames) return;
    for (const SpriteAnimation& animation : Game.FreeGameAnimations) {
        if (Game.RespinRunning) continue;
        DrawSheetAnimation(animation, Game.CellWidth, Game.CellHeight);
        if (Game.SoundOn && !SoundPlaying(SoundFreeGameSparkle, Game.EffectsChannel))
            PlayEffect(SoundFreeGameSparkle);
    }
    if (Game.FreeGameAnimations.empty()) return;
    if (Game.TimerGate == 0) {
        Game.TimerGateStart = Game.FrameTime;
        Game.TimerGate = 1;
    }
    if (Game.FrameTime - Game.TimerGateStart >= 1000) {
        Game.TimerGate = 0;
        Game.FreeGameAnimations.clear();
        StopEffect(SoundFreeGameSparkle);
    }
}

void DrawRespinAnimations() {
    for (const SpriteAnimation& animation : Game.RespinAnimations) {
        if (!Game.RespinRunning) continue;
        DrawSheetAnimation(animation, Game.ReelWindowWidth, Game.ReelWindowHeight);
        if (Game.SoundOn && !SoundPlaying(SoundRespin, Game.EffectsChannel)) PlayEffect(SoundRespin);
    }
}

void DrawSymbolAnimations() {
    for (const SpriteAnimation& animation : Game.SymbolAnimations)
        DrawSheetAnimation(animation, Game.CellWidth, Game.CellHeight);
}
