#include "core/game_state.h"

GameState Game;

void InitGameState(int64_t clock, int64_t refreshRate) {
    Game = GameState{};
    Game.RefreshRate = refreshRate;
    Game.StartupTime = clock;
    Game.EffectTimestamp = clock;
    Game.Bid = Game.BetPerLine * Game.Paylines;

    // Room for the busiest moments, so that the frame loop does not allocate.
    Game.ReelStrips.assign(StripTableRows * ReelCount, 0);
    Game.CountUps.reserve(16);
    Game.SymbolAnimations.reserve(256);
    Game.FreeGameAnimations.reserve(32);
    Game.RespinAnimations.reserve(16);
    Game.PickMarkers.reserve(16);
    Game.Particles.reserve(6000);
    Game.WinLines.reserve(16);

    const float width = static_cast<float>(Game.ScreenWidth);
    const float height = static_cast<float>(Game.ScreenHeight);
    const char* texts[] = {"Nebulor", "3+ Scatter gives Freegames", "You can play with extra Wild"};
    for (int i = 0; i < 3; ++i) {
        InfoText entry;
        entry.x = (i == 0 ? 0.4f : 0.2f) * width;
        entry.y = 0.05f * height;
        entry.text = texts[i];
        Game.InfoTexts.push_back(entry);
    }
    // The entry made current last (the last one added) is shown first.
    Game.InfoTextCurrent = static_cast<int64_t>(Game.InfoTexts.size()) - 1;
}
