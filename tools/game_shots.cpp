// Renders the main states of the game with the real SDL backend (software
// renderer; no display needed with SDL_VIDEODRIVER=dummy) into PNG files, for
// looking at the game the way a player sees it.
//
//   nebulor-shots OUTPUT-FOLDER
//
// The states are reached through the game's own procedures; where a player
// would need luck (a winning line, a big win) the outcome is set directly.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/count_up.h"
#include "core/game_state.h"
#include "core/main_loop.h"
#include "core/startup.h"
#include "core/text_table.h"
#include "persist/settings.h"
#include "platform/platform.h"
#include "slot/features.h"
#include "slot/paylines.h"
#include "slot/reel_strips.h"
#include "slot/reels.h"
#include "slot/risk_ladder.h"
#include "slot/stake.h"
#include "slot/win_presentation.h"
#include "tools/png_file.h"
#include "ui/layout.h"
#include "ui/messages.h"
#include "ui/mouse_input.h"
#include "ui/paytable_page.h"

namespace {

std::string gFolder;
int gFailures = 0;

// Runs frames for about `ms` milliseconds of the real clock.
void FramesFor(int64_t ms) {
    const int64_t end = platform::ElapsedMilliseconds() + ms;
    while (platform::ElapsedMilliseconds() < end && !MainLoopFinished()) RunMainLoopPass();
}

// One more frame, kept as a PNG (the software screen still holds it after the flip).
void Shot(const char* name) {
    RunMainLoopPass();
    std::vector<uint8_t> rgba;
    int width = 0, height = 0;
    const std::string path = gFolder + "/" + name + ".png";
    if (!platform::GrabScreen(rgba, width, height) || !WritePngFile(path.c_str(), rgba, width, height)) {
        fprintf(stderr, "shots: cannot write %s\n", path.c_str());
        ++gFailures;
        return;
    }
    printf("shots: %s\n", path.c_str());
}

// A returning player's settings: no intro, the given language.
void WriteSettings(int64_t language) {
    InitGameState(platform::ElapsedMilliseconds(), 0);
    Game.IntroOn = 0;
    Game.Language = language;
    SaveSettings();
}

bool Start(int64_t language) {
    WriteSettings(language);
    if (!Startup()) return false;
    platform::MouseLocate(1010, 640);    // the pointer rests beside the buttons
    if (language != 0) FramesFor(1300);  // the start-up demo has run its course
    return true;
}

// Sets the reels so that the middle row shows `symbol` on the first `count`
// reels, then runs the end of a spin on that window.
void SettleOnLine(int64_t symbol, int count) {
    PrepareSpin();
    for (int64_t r = 0; r < ReelCount; ++r) {
        ReelState& reel = Game.Reels[static_cast<size_t>(r)];
        const bool wanted = r < count;
        for (int64_t stop = 2 * StripLength; stop < 3 * StripLength; ++stop) {
            const int64_t offset = -stop * ReelStep();
            const int64_t middle = ReelSymbol(r, offset, 1);
            if (wanted ? middle == symbol : (middle != symbol && middle < SymbolScatter)) {
                reel.restOffset = offset;
                break;
            }
        }
        reel.displayOffset = reel.restOffset;
        reel.spinning = 0;
    }
    Game.SpinFinished = 1;
    Game.GamePhase = PhaseSettled;
    CaptureGrid();
    ApplyLevelWilds(Game.Level);
    EvaluateLines();
    ApplyScatterOutcome();
}

void BackToIdle() {
    Game.CountUps.clear();
    Game.CurrentWin = Game.DisplayedWin = 0;
    Game.BigWinActive = 0;
    Game.BigWinAmount = 0;
    Game.BigWinAlpha = 0;
    Game.LadderOpen = Game.LadderFinished = 0;
    Game.MessageOverlayOn = 0;
    Game.WinLines.clear();
    Game.WinLineCurrent = -1;
    PrepareSpin();
    Game.GamePhase = PhaseSettled;
    FramesFor(1200);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: nebulor-shots OUTPUT-FOLDER\n");
        return 2;
    }
    gFolder = argv[1];
    std::filesystem::create_directories(gFolder);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string home = (std::filesystem::temp_directory_path() / "nebulor-shots").string();
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    setenv("APPDATA", home.c_str(), 1);

    if (!Start(0)) return 1;
    FramesFor(450);
    Shot("01-payline-demo");
    FramesFor(1500);
    Shot("02-idle");

    RequestSpin(false);
    FramesFor(900);
    Shot("03-reels-spinning");
    FramesFor(4000);

    SettleOnLine(4, 5);  // five of one sign along the middle line
    FramesFor(1300);
    Shot("04-win-line");

    BackToIdle();
    Game.CurrentWin = Game.DisplayedWin = 100000;
    Game.BigWinActive = 1;
    StartCountUp(&Game.BigWinAmount, 100000, 10000);
    FramesFor(2500);
    Shot("05-big-win");

    BackToIdle();
    Game.CurrentWin = Game.DisplayedWin = 150;
    StartRisk();
    FramesFor(700);
    Shot("06-risk-ladder");

    BackToIdle();
    Game.GamePhase = PhaseWheelTurning;
    Game.PrizeTarget = 7;
    Game.PrizeDelay = 200;
    Game.PrizeLaps = 0;
    FramesFor(1500);
    Shot("07-prize-wheel");

    BackToIdle();
    Game.GamePhase = PhasePaytable;
    FramesFor(200);
    Shot("08-paytable-de");

    BackToIdle();
    Game.FunMode = 1;
    RequestSpin(false);  // fun mode: the player picks three wild positions first
    for (int64_t cell : {1, 7, 13}) {
        platform::MouseLocate(static_cast<int>(CellX(cell) - Game.ShiftX + 100),
                              static_cast<int>(CellY(cell) - Game.ShiftY + 80));
        if (cell != 13) PickWildPosition();
    }
    FramesFor(1100);
    Shot("09-fun-mode-picking");
    Game.FunMode = 0;

    BackToIdle();
    platform::MouseLocate(1010, 640);
    ShowAboutMessage();
    FramesFor(1100);
    Shot("10-message");

    BackToIdle();
    Game.GameMode = ModeFreeGames;
    Game.FreeGamesWon = 10;
    Game.FreeGamesPlayed = 4;
    for (int64_t cell : {4, 10}) Game.ExtraWildMap[static_cast<size_t>(cell)] = 1;
    FramesFor(800);
    Shot("11-free-games");
    Game.GameMode = ModeBaseGame;
    Game.FreeGamesWon = Game.FreeGamesPlayed = 0;

    // The level-up message as the scatters' collected win leaves it.
    BackToIdle();
    Game.Level = 2;
    ShowFeatureMessage(Text(TextLevelUp), "Level: 2", std::string("Feature: ") + FeatureName(2));
    FramesFor(1300);
    Shot("17-level-up");
    Game.MessageOverlayOn = 0;
    Game.Level = 1;

    // The ladder opened while the win's line is still presented.
    BackToIdle();
    SettleOnLine(0, 3);
    FramesFor(900);
    StartRisk();
    if (Game.LadderOpen != 1) {
        fprintf(stderr, "shots: the ladder did not open on the win\n");
        ++gFailures;
    }
    FramesFor(600);
    Shot("18-ladder-over-a-win");

    // Fun mode's hint before the first pick.
    BackToIdle();
    Game.FunMode = 1;
    Game.FunWildPicks = 0;  // the picks of the fun-mode picture above are gone
    Game.ExtraWildMap.fill(0);
    Game.PickMarkers.clear();
    RequestSpin(false);
    Game.MessageOverlayOn = 0;  // the pick message fades; the hint stays
    FramesFor(2500);
    Shot("19-fun-mode-hint");
    Game.FunMode = 0;

    // The wheel stopped on its prize, which it says.
    BackToIdle();
    Game.GamePhase = PhaseWheelTurning;
    Game.PrizeTarget = 7;
    Game.PrizeDelay = 40;
    Game.PrizeLaps = 5;
    for (int i = 0; i < 200 && Game.GamePhase != PhaseWheelStopped; ++i) FramesFor(100);
    FramesFor(500);
    Shot("20-wheel-prize");
    Game.CurrentWin = 0;

    Game.GamePhase = PhaseQuit;
    Shutdown();
    if (!Start(1)) return 1;
    Game.GamePhase = PhasePaytable;
    FramesFor(300);
    Shot("12-paytable-en");
    FramesFor(200);
    Game.GamePhase = PhaseSettled;
    FramesFor(300);
    Shot("13-idle-en");
    Shutdown();
    platform::ShutdownPlatform();
    std::filesystem::remove_all(home);
    return gFailures == 0 ? 0 : 1;
}
