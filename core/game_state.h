// The one game-state record shared by every part of the game.
//
// Every value that more than one module reads or writes lives here. Integers
// are signed 64-bit, flags are integers 0 or 1, amounts are hundredths of a
// displayed point (1000 shows as 10.00 P), times are milliseconds of the
// platform's monotonic clock, positions are pixels of the 1280 x 768 design
// screen. The record lives for the whole process; InitGameState fills it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/catalogue_numbers.h"
#include "core/text_table.h"

// Symbol ids on the reels: 0..9 ordinary, 10 scatter, 11 wild.
constexpr int64_t SymbolScatter = 10;
constexpr int64_t SymbolWild = 11;
constexpr int ReelCount = 5;
constexpr int RowCount = 3;
constexpr int CellCount = ReelCount * RowCount;  // cell = reel * 3 + row
constexpr int StripLength = 170;                 // stops per reel strip
constexpr int StripTableRows = 171;              // row 170 is never filled nor read

// Values of GamePhase.
enum Phase : int64_t {
    PhaseSpinning = 0,
    PhaseSettled = 1,
    PhaseReady = 2,
    PhaseWildPick = 4,
    PhasePaytable = 6,
    PhaseQuit = 9,
    PhaseWheelIdle = 10,     // the daily prize wheel turns slowly, waiting for a start
    PhaseWheelTurning = 11,  // the wheel runs towards its target
    PhaseWheelStopped = 12,  // the prize is on show until collected
};

// Values of GameMode.
constexpr int64_t ModeFreeGames = 1;
constexpr int64_t ModeBaseGame = 2;

// One queued transfer of an amount into a counter, run by StepCountUps.
// Queued by StartCountUp (core/count_up) for wins, refills and the big win.
struct CountUp {
    int64_t duration = 0;       // ms the transfer takes once it runs (1000; 10000 for the big win)
    int64_t endTime = 0;        // clock value at which the whole amount has arrived (queued waits included)
    int64_t amount = 0;         // amount to transfer (kept exact, no float rounding)
    int64_t* target = nullptr;  // counter of the game state that receives it (a balance, BigWinAmount)
    int64_t remaining = 0;      // part not yet added to the target
};

// One sprite-sheet animation drawn by the main loop.
// Made by slot/cell_effects (AddCellAnimation) and ui/mouse_input (pick markers).
struct SpriteAnimation {
    int64_t sprite = 0;         // sheet sprite: a symbol 0..11, 12 free-game scatter, 13 wild, 17 respin
    int64_t x = 0, y = 0;       // design pixels of the top-left corner; drawn less the window shift
    int64_t startTime = 0;      // clock value of frame 0; the frames then loop
    int64_t frameDuration = 0;  // ms per frame (40)
    int64_t frameCount = 0;     // frames in the loop (25 on a cell, 70 for the respin)
    int64_t columns = 0;        // frames per row of the sheet (5, 9 for the respin)
    // Pixels of one frame in the sheet: the cell size, 200 x 160.
    int64_t frameWidth = 0, frameHeight = 0;
};

// One particle (sparkle), advanced and drawn once per frame.
// Made by AddParticle, moved and dropped by UpdateParticles (core/particles).
struct Particle {
    float life = 0;  // seconds left; the particle goes at 0 or when it leaves the screen
    // Sprite number (rounded when drawn, 74 for every sparkle) and its change per second.
    float sprite = 0, spriteRate = 0;
    float x = 0, y = 0;     // design pixels, drawn without the window shift
    float vx = 0, vy = 0;   // pixels per second
    float speedFactor = 0;  // above 1 the velocity grows by this factor per second; 1 or below: constant
    float size = 0, sizeRate = 0;        // drawn width and height in pixels, and its change per second
    float red = 0, green = 0, blue = 0;  // tint channels 0..255 (clamped when drawn)
    float redRate = 0, greenRate = 0, blueRate = 0;  // change of each channel per second
    float turnRate = 0;                              // radians per second by which the velocity turns
    float alpha = 0;                                 // intensity 0..255, fixed for the particle's life
};

// One entry of the payline list: a payline being evaluated, a winning line,
// or a scatter entry (lineNo 10).
// Made by slot/paylines (lines) and slot/features (scatter entries); paid by PayEntry.
struct Payline {
    int64_t lineNo = 0;  // payline 0..9, ScatterLineNo 10 for a scatter entry
    // Lines: 1, 4 or 20 for three, four or five of a kind; scatter entry: 0 for two
    // scatters, 1, 4 or 20 for three, four or five and more.
    int64_t multiplier = 0;
    int64_t unpaid = 0;     // 0/1: 1 from the win until PayEntry adds its pay to CurrentWin
    int64_t symbol = 0;     // paying symbol 0..11 (10 for a scatter entry)
    float payFactor = 0;    // times the pay is counted (see LinePay): the multiplier, 0.1 for two scatters
    int64_t presented = 0;  // 0/1: 1 once PayEntry has run for it (presented, collected or gambled)
    std::array<int64_t, 3> colour{};  // red, green, blue 0..255 of its frames and sparkles
    // Cells (reel * 3 + row) of the line, one per reel; a scatter entry: its scatter cells
    // (at most five), then 0.
    std::array<int64_t, 5> cells{};
    std::array<int64_t, 5> counted{};     // 0/1 per reel: 1 where the cell is part of the win (framed)
    std::array<int64_t, 5> winSymbols{};  // grid symbol of each counted cell, 0 elsewhere
};

// One reel: where it is drawn, how it moves, and its own strip copy.
// Set up by SetupReels (slot/reel_strips); moved by slot/reels.
// Offsets are the strip's scroll position in pixels: stop i is drawn i * step - offset
// below the top of the reel window (step: CellHeight + CellGap, 160). They are
// negative and only ever decrease.
struct ReelState {
    int64_t x = 0, y = 0;       // design pixels of the reel's top-left corner
    int64_t spinning = 0;       // 0/1: 1 from the launch until the reel stops
    int64_t respinRequest = 0;  // 0/1: the second scatter asks this reel to spin once more
    int64_t held = 0;           // 0/1: a scatter counted for the respin landed on it; it is not respun
    int64_t distance = 0;       // pixels this launch travels (stops x step)
    int64_t startTime = 0;      // clock value of the launch
    int64_t restOffset = 0;     // offset where the reel rests; set to targetOffset when it stops
    int64_t targetOffset = 0;   // offset where this launch ends: restOffset - distance
    double tau = 0;             // ms, time constant of the motion: 70 + 30 x reel (respin: 50 + 30 x reel)
    int64_t duration = 0;       // ms of the launch; the reel stops at 95 % of it
    int64_t displayOffset = 0;  // offset drawn this frame while spinning; restOffset at rest
    float alpha = 255;          // intensity 0..255 of its symbols: 255 at rest, down to 50 at half time
    std::array<int64_t, StripLength> symbols{};  // the reel's copy of its strip: symbol ids 0..11
};

// One entry of the scrolling info-text line at the top of the screen.
// Filled once by InitGameState (core/game_state); drawn by ui/game_screen.
struct InfoText {
    float x = 0, y = 0;         // design pixels; drawn less the window shift
    std::string text;           // the text, in English whatever the language
    int64_t size = 1;           // scale of the font's glyphs (1: as in the atlas)
    int64_t colour = 0xFFFFFF;  // tint 0xRRGGBB
    int64_t alpha = 255;        // alpha 0..255
    int64_t font = FontLarge;   // bitmap font number
};

struct GameState {
    // --- platform and frame
    int64_t ScreenWidth = 1280;  // design screen width in pixels; never changed
    int64_t ScreenHeight = 768;  // design screen height in pixels; never changed
    int64_t RefreshRate = 0;     // Hz, the desktop's rate at start-up; caps the frame rate (0 caps at 60)
    std::string SaveFileName = "Nebulor.Dat";  // the save file's name in the settings folder
    std::string MakerName = "Dax-Fenno";       // folder between the user data folder and the game's own
    int64_t GamePhase = PhaseReady;  // a Phase value; written by slot/stake, slot/reels, ui/mouse_input, ...
    int64_t PreviousFrameTime = 0;   // clock value of the last main-loop pass, 0 before the first
    int64_t FrameTime = 0;           // clock value of this pass, read by every timer (core/main_loop)
    float FrameDelta = 0;            // seconds since the last pass, 0 on the first (core/main_loop)
    int64_t MouseCaptured = 1;       // 0/1: the screen holds the pointer; pushed to an edge it lets go
    int64_t MouseWasDown = 0;        // 0/1: left button down at the last look; a click counts on the press
    // Design pixels the drawing moves left and up: design size less the main window's
    // client size, every frame (ui/layout).
    int64_t ShiftX = 0, ShiftY = 0;
    int64_t SettingsWindowOpen = 0;  // 0/1 while the settings window is open; never read
    // Channels of the music and of the effect started last (assets/sound), to stop them or ask their state.
    int64_t MusicChannel = 0, EffectsChannel = 0;
    int64_t StartupTime = 0;  // clock reading taken when the defaults are filled; never read

    // --- settings
    // Read from the settings file, set in the settings window (persist/settings, persist/settings_window).
    int64_t Language = 0;        // 0 German, 1 English: the text table and the paytable picture
    int64_t MusicVolume = 50;    // percent, as read (clamped to 0..100 where a sound plays)
    int64_t EffectsVolume = 60;  // percent, as read (clamped to 0..100 where a sound plays)
    int64_t IntroOn = 1;         // 0/1: play the intro movie at start-up
    int64_t FunMode = 0;         // 0/1: play on FunPoints with three picked wilds; no respin, no autoplay
    int64_t GraphicsOn = 1;      // 0/1: only moves the planets of levels 3 to 5 (88.5 % on, 89 % off)
    int64_t Fullscreen = 0;   // 0/1 "Vollbild": the main window covers the desktop, the screen scaled to fit
    int64_t ScaleWindow = 0;  // 0/1 "Skalieren": the window shows the screen scaled to its size, not cut
    // 0/1: no sound plays or stops while 0; set to 0 only while SettleAccountsForSave runs (slot/stake).
    int64_t SoundOn = 1;

    // --- player account
    // Loaded and saved by persist/save_file.
    int64_t Points = 1000;     // the balance; charged by slot/stake, credited by count-ups
    int64_t FunPoints = 5000;  // the fun-mode balance; charged by slot/stake, credited by count-ups
    int64_t TotalStaked = 0;   // sum of Bid over every spin charged, free games in, Extra Wild cost not
    int64_t TotalWon = 0;      // sum of the wins collected (slot/stake)
    std::string LastDailyDate = "0";  // "yyyy/mm/dd" the prize wheel was last taken, "0" never
    int64_t DailyAvailable = 0;  // 0/1: the wheel may be taken; 1 at load unless taken today, 0 once taken

    // --- stake and spin
    int64_t BetPerLine = 1;     // stake per line: 1..10 by 1, 12..20 by 2, then 1 again (slot/stake)
    int64_t Paylines = 10;      // lines played, 10; during the payline demo the lines shown so far, 0..10
    int64_t Bid = 10;           // stake of a spin: BetPerLine x Paylines, set every pass (core/main_loop)
    int64_t ExtraWildOn = 0;    // 0/1: Extra Wild chosen, the scatter counts as a wild on lines (slot/stake)
    int64_t ExtraWildCost = 0;  // extra stake of a base-game spin: BetPerLine x Paylines while on, else 0
    // Win of the last spin paid so far: lines as they are presented, the ladder's result,
    // the wheel's prize; collected into the balance by CollectWin (slot/stake). While a
    // count-up runs and the payline list is not empty it shows the amount still to come.
    int64_t CurrentWin = 0;
    // Win shown in the counter and the title; while a count-up runs and the payline list
    // is empty, the amount still to come (core/main_loop).
    int64_t DisplayedWin = 0;
    int64_t BigWinAmount = 0;     // target of the 10-s big-win count-up, shown on the banner; 0 when it ends
    int64_t BigWinActive = 0;     // 0/1: the big-win banner (started by slot/win_presentation)
    int64_t WinWeight = 0;        // sum of SymbolWeight of the lines presented; above 10 at the last: big win
    int64_t LinesPresented = 0;   // entries presented since the spin: 1..10 plays tone 23..32, then 0
    int64_t CountUpRunning = 0;   // 0/1 while a count-up runs (core/main_loop); 1 with the autoplay grant
    int64_t Autoplay = 0;         // 0/1: a double click on its button toggles it (core/window_events)
    int64_t SpinFinished = 1;     // 0/1: 0 from the reels' start until the spin ends (slot/stake, slot/reels)
    int64_t AllReelsStopped = 0;  // 0/1: set when the last reel stops, taken back by UpdateReels (slot/reels)
    // Scatters of the stopped window not under an extra wild, less those a level wild
    // covers; 0 once scored (slot/reel_strips, slot/features).
    int64_t ScatterCount = 0;
    int64_t WinDisplayBlocked = 0;   // 0/1: 1 from start-up to the first click or the demo's end; hides wins
    int64_t MessageOverlayOn = 0;    // 0/1: show the message box; a click with no win to collect clears it
    int64_t EffectTimestamp = 0;     // clock value of start-up: frame 0 of every fun-mode pick marker
    int64_t SpinLevel = 1;           // level the current spin was started at; its pays double at 5
    int64_t AutoplayWaitStart = -1;  // clock of the first autoplay poll after the last go, -1 none
    int64_t DeveloperScatters = 0;   // 0/1: the next spin lands scatters on the first two reels (key S)
    int64_t AutoplayStoppedByPress =
        -1;  // clock of the last press on the autoplay button that stopped it, -1 none
    int64_t StartMeaningChanged = -1000000;
    int64_t RestartAfterQuit = 0;  // 1: confirmed settings; the game starts again after its shutdown  //
                                   // clock when START last turned from TAKE or collect into SPIN

    // --- features
    // 1..5: up one on two scatters in the base game; 1 on a bet change and when free games
    // start or end (slot/features, slot/stake).
    int64_t Level = 1;
    int64_t GameMode = ModeBaseGame;  // ModeBaseGame or ModeFreeGames (slot/features)
    int64_t FreeGamesWon = 0;         // games won in this series: 10, 20, 30 on 3, 4, 5+ scatters, 1 on two
    int64_t FreeGamesPlayed = 0;      // free games started in this series (slot/stake); 0 when it ends
    // Sum of the pays made in free-game mode, before the level-5 doubling (slot/paylines);
    // shown and set to 0 when the series ends (slot/features).
    int64_t FreeGamesWin = 0;
    int64_t RespinPending = 0;     // 0/1: the second scatter landed, the reels to its right spin again
    int64_t RespinRunning = 0;     // 0/1: RespinPending as of the last reel stop; the respin effect shows
    int64_t RespinDone = 0;        // 0/1: this spin's one respin has started (slot/reels)
    int64_t ScattersLanded = 0;    // scatters landed this spin at level 2 and up, base game, no fun mode
    int64_t WildOverlayAlpha = 0;  // alpha 0..255 of the extra-wild overlay, 0 at each spin's preparation
    int64_t FunWildPicks = 0;      // fun-mode cells picked as wilds for the next spin, 0..3

    // --- risk ladder
    // Run by slot/risk_ladder and drawn by ui/game_screen.
    int64_t RiskLadderOffered = 1;   // 0/1: the gamble is offered; never changed
    int64_t LadderCountdown = 5000;  // ms left of the gamble, counted down in 100-ms ticks; shown in seconds
    int64_t LadderX = 1000, LadderY = 140;  // design pixels of the ladder's top-left corner; never changed
    int64_t LadderScaleX = 60, LadderScaleY = 60;  // percent the ladder pictures are scaled to; never changed
    int64_t LadderOpen = 0;                        // 0/1: the ladder holds the stake, the gamble runs
    int64_t LadderFinished = 0;   // 0/1: the gamble is over, its result stays on show until the next spin
    int64_t LadderRung = 0;       // 0..15 (15 the jackpot); the stake is LadderValue(rung)
    int64_t LadderShownRung = 0;  // the rung drawn: LadderRung, one lower while LadderFlicker is 1
    int64_t LadderFlicker = 0;    // 0/1, turned every second tick (200 ms)
    int64_t LadderTicks = 0;      // 100-ms ticks since the last flicker, 0..1

    // --- presentation timers and layout constants
    int64_t CellWidth = 200;   // design pixels of a cell and of a sheet frame; never changed
    int64_t CellHeight = 160;  // design pixels of a cell and of a sheet frame; never changed
    int64_t CellGap = 0;       // design pixels between cells and between reels; never changed
    int64_t ReelOriginX = 118, ReelOriginY = 145;  // design pixels of cell 0's top-left corner; never changed
    int64_t ReelGapX = 0;  // more design pixels between reels, in CellX only (not the reels); never changed
    // Design pixels of the respin effect's clip, one reel high; never changed.
    int64_t ReelWindowWidth = 200, ReelWindowHeight = 480;
    int64_t WinLineCycleMs = 1000;  // ms each winning line is shown before the next; never changed
    // TimerGate 0/1: the 1-s show of the free-game effects runs (core/sheet_animations) and
    // holds back the win presentation, or the prize wheel waits for its next frame
    // (ui/game_screen). TimerGateStart: clock value when the free-game show began.
    int64_t TimerGate = 0, TimerGateStart = 0;
    // LineCycleOn 0/1: the win-line cycle has begun (slot/win_presentation). TickStart: clock
    // value of the last ladder tick (slot/risk_ladder) or of the wheel's last frame (ui/game_screen).
    int64_t LineCycleOn = 0, TickStart = 0;
    // Blending factors 0..9 of the particles (6 source alpha, 1 one: additive); each spawner
    // sets them back to 6 and 1, developer keys 1 and 2 step them (core/developer_keys).
    int64_t ParticleBlendSource = 6, ParticleBlendDest = 1;
    int64_t ParticleCount = 0;  // particles alive, kept by core/particles; each spawner has its own limit

    // --- payline demo at start-up
    int64_t PaylineDemoRunning = 0;  // 0/1: the ten lines show in turn, 100 ms each (slot/win_presentation)
    int64_t PaylineDemoTime = 0;     // clock value of the last demo step

    // --- messages, banner, background sparkles
    int64_t MessageAlpha = 0;  // alpha 0..250 of the message box, 5 a frame (core/main_loop, ui/messages)
    int64_t BigWinAlpha = 0;   // alpha of the big-win banner: up 8 a frame to 256, down 4 to 0
    int64_t AmbientSparklesOn = 1;  // 0/1: a drifting sparkle a frame while under 50 particles; never changed

    // --- game screen: info texts, credit line, daily prize wheel
    // Written by ui/game_screen; the wheel is started by ui/mouse_input.
    // InfoTextTimerOn 0/1 and InfoTextTimerStart (clock value): the shown info text changes every 10 s.
    int64_t InfoTextTimerOn = 0, InfoTextTimerStart = 0;
    int64_t CreditLineOn = 1;  // 0/1: never read nor changed; the credit line is always drawn
    // PrizeFrame: wheel picture 0..11 on show; its prize is PrizeFrame x 1.00 P. PrizeTarget:
    // the frame it stops on (1..11 by click, 0..11 in autoplay). PrizeDelay: ms per frame while
    // it turns (200, down 5 a frame to 40, after five turns up 20 a frame; +600 while idle).
    // PrizeLaps: turns made.
    int64_t PrizeFrame = 0, PrizeTarget = 0, PrizeDelay = 200, PrizeLaps = 0;

    // --- sound
    int64_t JingleToggle = 0;  // 0/1: the next base-game spin plays jingle 1 (0) or 2 (1) (assets/sound)

    // --- the text table, filled once in the chosen language
    std::array<std::string, TextKeyCount> Texts;  // indexed by TextKey (core/text_table)

    // --- collections
    // Symbol 0..11 of each cell (reel * 3 + row) once the reels stop (slot/reel_strips), with
    // the level wilds and extra wilds written in (slot/features, slot/paylines).
    std::array<int64_t, CellCount> SymbolGrid{};
    std::array<int64_t, CellCount> WinCellMap{};  // 0/1: cell on a winning line (slot/paylines); never read
    // 0/1: the cell is a wild: fun-mode picks, level wilds, sticky free-game wilds
    // (slot/features, slot/paylines).
    std::array<int64_t, CellCount> ExtraWildMap{};
    std::array<ReelState, ReelCount> Reels{};  // the five reels, left to right
    // StripTableRows x ReelCount, position-major: symbol ids, filled by SetupReels (slot/reel_strips).
    std::vector<int64_t> ReelStrips;
    std::vector<CountUp> CountUps;  // queued count-ups, the first one runs (core/count_up)
    // Sheets on winning cells, on two scatters and the fun-mode pick markers; drawn unless autoplay is on.
    std::vector<SpriteAnimation> SymbolAnimations;
    // Free-game scatter and sticky-wild sheets, shown for 1 s before the wins.
    std::vector<SpriteAnimation> FreeGameAnimations;
    std::vector<SpriteAnimation> RespinAnimations;  // sheet on each respun reel, drawn while RespinRunning
    // Cleared by the spin preparation and the stake rules; never filled (the markers go to SymbolAnimations).
    std::vector<SpriteAnimation> PickMarkers;
    std::vector<Particle> Particles;  // live particles (core/particles)
    // Payline list: the winning lines and scatter entries of the last spin (slot/paylines,
    // slot/features), or the ten lines of the start-up demo (slot/win_presentation).
    std::vector<Payline> WinLines;
    int64_t WinLineCurrent = -1;      // index of the current entry, -1 when none
    int64_t WinLineCycleTime = 0;     // clock value of the last advance of the presentation
    std::vector<InfoText> InfoTexts;  // the three texts of the top line, filled by InitGameState
    int64_t InfoTextCurrent = -1;     // index of the shown info text, -1 none; the last one at start-up
};

// The game state of this process.
extern GameState Game;

// Fills every default and allocates the collections; first step of start-up
// after the platform is up. `clock` is the start-up clock reading.
void InitGameState(int64_t clock, int64_t refreshRate);
