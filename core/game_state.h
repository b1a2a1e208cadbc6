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
struct CountUp {
    int64_t duration = 0;       // ms
    int64_t endTime = 0;        // clock value at which the whole amount has arrived
    int64_t amount = 0;         // amount to transfer (kept exact, no float rounding)
    int64_t* target = nullptr;  // counter of the game state that receives it
    int64_t remaining = 0;      // part not yet added to the target
};

// One sprite-sheet animation drawn by the main loop.
struct SpriteAnimation {
    int64_t sprite = 0;
    int64_t x = 0, y = 0;  // design pixels
    int64_t startTime = 0;
    int64_t frameDuration = 0;
    int64_t frameCount = 0;
    int64_t columns = 0;
    int64_t frameWidth = 0, frameHeight = 0;
};

// One particle (sparkle), advanced and drawn once per frame.
struct Particle {
    float life = 0;
    float sprite = 0, spriteRate = 0;
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    float speedFactor = 0;
    float size = 0, sizeRate = 0;
    float red = 0, green = 0, blue = 0;
    float redRate = 0, greenRate = 0, blueRate = 0;
    float turnRate = 0;
    float alpha = 0;
};

// One entry of the payline list: a payline being evaluated, a winning line,
// or a scatter entry (lineNo 10).
struct Payline {
    int64_t lineNo = 0;
    int64_t multiplier = 0;
    int64_t unpaid = 0;
    int64_t symbol = 0;
    float payFactor = 0;
    int64_t presented = 0;
    std::array<int64_t, 3> colour{};
    std::array<int64_t, 5> cells{};
    std::array<int64_t, 5> counted{};
    std::array<int64_t, 5> winSymbols{};
};

// One reel: where it is drawn, how it moves, and its own strip copy.
struct ReelState {
    int64_t x = 0, y = 0;
    int64_t spinning = 0;
    int64_t respinRequest = 0;
    int64_t held = 0;
    int64_t distance = 0;
    int64_t startTime = 0;
    int64_t restOffset = 0;
    int64_t targetOffset = 0;
    double tau = 0;
    int64_t duration = 0;
    int64_t displayOffset = 0;
    float alpha = 255;
    std::array<int64_t, StripLength> symbols{};
};

// One entry of the scrolling info-text line at the top of the screen.
struct InfoText {
    float x = 0, y = 0;
    std::string text;
    int64_t size = 1;
    int64_t colour = 0xFFFFFF;
    int64_t alpha = 255;
    int64_t font = 9;
};

struct GameState {
    // --- platform and frame
    int64_t ScreenWidth = 1280;
    int64_t ScreenHeight = 768;
    int64_t RefreshRate = 0;
    std::string SaveFileName = "Nebulor.Dat";
    std::string MakerName = "Dax-Fenno";
    int64_t GamePhase = PhaseReady;
    int64_t PreviousFrameTime = 0;
    int64_t FrameTime = 0;
    float FrameDelta = 0;
    int64_t MouseCaptured = 1;
    int64_t MouseWasDown = 0;
    int64_t ShiftX = 0, ShiftY = 0;
    int64_t SettingsWindowOpen = 0;
    int64_t MusicChannel = 0, EffectsChannel = 0;
    int64_t StartupTime = 0;  // clock reading taken when the defaults are filled

    // --- settings
    int64_t Language = 0;
    int64_t MusicVolume = 50;
    int64_t EffectsVolume = 60;
    int64_t IntroOn = 1;
    int64_t FunMode = 0;
    int64_t GraphicsOn = 1;
    int64_t SoundOn = 1;

    // --- player account
    int64_t Points = 1000;
    int64_t FunPoints = 5000;
    int64_t TotalStaked = 0;
    int64_t TotalWon = 0;
    std::string LastDailyDate = "0";
    int64_t DailyAvailable = 0;

    // --- stake and spin
    int64_t BetPerLine = 1;
    int64_t Paylines = 10;
    int64_t Bid = 10;
    int64_t ExtraWildOn = 0;
    int64_t ExtraWildCost = 0;
    int64_t CurrentWin = 0;
    int64_t DisplayedWin = 0;
    int64_t BigWinAmount = 0;
    int64_t BigWinActive = 0;
    int64_t WinWeight = 0;
    int64_t LinesPresented = 0;
    int64_t CountUpRunning = 0;
    int64_t Autoplay = 0;
    int64_t SpinFinished = 1;
    int64_t AllReelsStopped = 0;
    int64_t ScatterCount = 0;
    int64_t WinDisplayBlocked = 0;
    int64_t MessageOverlayOn = 0;
    int64_t EffectTimestamp = 0;
    int64_t SpinLevel = 1;            // level the current spin was started at; its pays double at 5
    int64_t AutoplayWaitStart = -1;   // clock of the first autoplay poll after the last go, -1 none
    int64_t AutoplayStoppedByPress = -1;  // clock of the press that last stopped autoplay, -1 none
    int64_t StartMeaningChanged = -1000000;
    int64_t RestartAfterQuit = 0;  // 1: confirmed settings; the game starts again after its shutdown  // clock when START last turned from TAKE or collect into SPIN

    // --- features
    int64_t Level = 1;
    int64_t GameMode = ModeBaseGame;
    int64_t FreeGamesWon = 0;
    int64_t FreeGamesPlayed = 0;
    int64_t FreeGamesWin = 0;
    int64_t RespinPending = 0;
    int64_t RespinRunning = 0;
    int64_t RespinDone = 0;
    int64_t ScattersLanded = 0;
    int64_t WildOverlayAlpha = 0;
    int64_t FunWildPicks = 0;

    // --- risk ladder
    int64_t RiskLadderOffered = 1;
    int64_t LadderCountdown = 5000;
    int64_t LadderX = 1000, LadderY = 140;
    int64_t LadderScaleX = 60, LadderScaleY = 60;
    int64_t LadderOpen = 0;
    int64_t LadderFinished = 0;
    int64_t LadderRung = 0;
    int64_t LadderShownRung = 0;
    int64_t LadderFlicker = 0;
    int64_t LadderTicks = 0;

    // --- presentation timers and layout constants
    int64_t CellWidth = 200;
    int64_t CellHeight = 160;
    int64_t CellGap = 0;
    int64_t ReelOriginX = 118, ReelOriginY = 145;
    int64_t ReelGapX = 0;
    int64_t ReelWindowWidth = 200, ReelWindowHeight = 480;
    int64_t WinLineCycleMs = 1000;
    int64_t TimerGate = 0, TimerGateStart = 0;
    int64_t LineCycleOn = 0, TickStart = 0;
    int64_t ParticleBlendSource = 6, ParticleBlendDest = 1;
    int64_t ParticleCount = 0;

    // --- payline demo at start-up
    int64_t PaylineDemoRunning = 0;
    int64_t PaylineDemoTime = 0;  // clock value of the last demo step

    // --- messages, banner, background sparkles
    int64_t MessageAlpha = 0;
    int64_t BigWinAlpha = 0;
    int64_t AmbientSparklesOn = 1;

    // --- game screen: info texts, credit line, daily prize wheel
    int64_t InfoTextTimerOn = 0, InfoTextTimerStart = 0;
    int64_t CreditLineOn = 1;
    int64_t PrizeFrame = 0, PrizeTarget = 0, PrizeDelay = 200, PrizeLaps = 0;

    // --- sound
    int64_t JingleToggle = 0;

    // --- the text table, filled once in the chosen language
    std::array<std::string, TextKeyCount> Texts;

    // --- collections
    std::array<int64_t, CellCount> SymbolGrid{};
    std::array<int64_t, CellCount> WinCellMap{};
    std::array<int64_t, CellCount> ExtraWildMap{};
    std::array<ReelState, ReelCount> Reels{};
    std::vector<int64_t> ReelStrips;  // StripTableRows x ReelCount, position-major
    std::vector<CountUp> CountUps;
    std::vector<SpriteAnimation> SymbolAnimations;
    std::vector<SpriteAnimation> FreeGameAnimations;
    std::vector<SpriteAnimation> RespinAnimations;
    std::vector<SpriteAnimation> PickMarkers;  // cleared by the spin preparation and the stake rules
    std::vector<Particle> Particles;
    std::vector<Payline> WinLines;
    int64_t WinLineCurrent = -1;   // index of the current entry, -1 when none
    int64_t WinLineCycleTime = 0;  // clock value of the last advance of the presentation
    std::vector<InfoText> InfoTexts;
    int64_t InfoTextCurrent = -1;
};

// The game state of this process.
extern GameState Game;

// Fills every default and allocates the collections; first step of start-up
// after the platform is up. `clock` is the start-up clock reading.
void InitGameState(int64_t clock, int64_t refreshRate);
