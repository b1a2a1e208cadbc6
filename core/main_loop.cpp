#include "core/main_loop.h"

#include "assets/catalogue_numbers.h"
#include "core/account_keeper.h"
#include "core/count_up.h"
#include "core/developer_keys.h"
#include "core/game_state.h"
#include "core/particles.h"
#include "core/reel_drawing.h"
#include "core/sheet_animations.h"
#include "core/window_events.h"
#include "core/window_title.h"
#include "platform/platform.h"
#include "slot/features.h"
#include "slot/reels.h"
#include "slot/win_presentation.h"
#include "ui/control_panel.h"
#include "ui/game_screen.h"
#include "ui/history_window.h"
#include "ui/line_frame.h"
#include "ui/messages.h"
#include "ui/mouse_input.h"
#include "ui/win_display.h"

void RunMainLoopPass() {
    // Timing: one clock reading serves every timer of the pass.
    const int64_t clock = platform::ElapsedMilliseconds();
    Game.FrameDelta =
        Game.PreviousFrameTime == 0 ? 0.0f : static_cast<float>(clock - Game.PreviousFrameTime) * 0.001f;
    Game.PreviousFrameTime = clock;
    Game.Bid = Game.BetPerLine * Game.Paylines;
    Game.FrameTime = platform::ElapsedMilliseconds();
    platform::ClearScreen(0x000000);

    // Keys, mouse, the base layer, the reels and their motion.
    DeveloperKeys();
    HandleMouse();
    DrawGameScreen(Game.FrameDelta);
    DrawReels();
    if (Game.GamePhase == PhaseSpinning) UpdateReels();

    // Overlays over the reels.
    DrawExtraWildOverlay();
    DrawFreeGameAnimations();
    DrawRespinAnimations();
    DrawWildPickHint();

    // The buttons; the particles move.
    DrawControlPanel();
    UpdateParticles(Game.FrameDelta);

    // The win presentation with the frame of the line shown this frame.
    if (Game.TimerGate == 0 && Game.WinDisplayBlocked == 0) {
        if (Game.Autoplay == 0) DrawSymbolAnimations();
        DrawLineFrame(PresentWins());
    }

    // The end of a free-game series, the win display, particles, the ladder, the message.
    EndFreeGames();
    DrawWinDisplay(Game.FrameDelta);
    DrawParticles();
    // The ladder stands in front of every effect of the win it gambles.
    DrawLadder();
    Game.MessageAlpha = DrawMessageOverlay(Game.MessageAlpha);

    // The game's own pointer, then the capped flip.
    platform::DrawSprite(SpritePointer, platform::MouseX(), platform::MouseY());
    platform::FlipBuffers();

    // Count-ups, the big-win rule and the title.
    Game.CountUpRunning = StepCountUps(Game.WinLines.empty() ? &Game.DisplayedWin : &Game.CurrentWin);
    StartBigWinWhenDue();
    ComposeTitle();
    KeepAccount();  // what the title shows is what the disk holds
    RefreshHistoryWindow();

    // One window event; a pass without one sleeps a millisecond.
    const platform::Event event = platform::WindowEvent();
    if (event.kind == platform::EventKind::None || !HandleWindowEvent(event)) platform::Delay(1);
}

bool MainLoopFinished() { return Game.GamePhase == PhaseQuit || !platform::WindowExists(WindowMain); }

void RunMainLoop() {
    Game.PreviousFrameTime = 0;
    do {
        RunMainLoopPass();
    } while (!MainLoopFinished());
}
