// Every catalogue number of the game, named once: the sprites, the message
// image, the sounds, the fonts, the windows, the movie and the commands of
// menus and keys. The numbers are those of the catalogue; code draws, plays
// and opens through these names only (scripts/check-style.sh refuses a bare
// number in a draw or play call), so "what plays the reel stop" is a grep.
#pragma once

// --- sprites (pictures in kPictureCatalogue, assets/picture_catalogue.h)
// 0..13: the symbol sheets, indexed by symbol id (0..9 ordinary, 10 scatter,
// 11 wild; 12 and 13 the scatter's and the wild's effect sheets).
constexpr int SpriteSymbolFirst = 0;
constexpr int SpriteScatterEffect = 12;
constexpr int SpriteWildEffect = 13;
constexpr int SpriteWinPanel = 14;      // the win-amount panel
constexpr int SpriteWinPanelCopy = 87;  // the same picture as a second sprite
constexpr int SpriteBackground = 15;    // the full-screen backdrop
constexpr int SpriteTitleLogo = 16;
constexpr int SpriteRespinSheet = 17;   // the reels' respin animation
constexpr int SpritePaytablePage = 19;  // in the player's language
constexpr int SpriteFreeGamesLettering = 20;
constexpr int SpriteLadderRungFirst = 21;  // 21..36: the ladder with rung 0..15 lit
constexpr int SpriteLadderFrame = 37;
constexpr int SpriteExtraWildPlain = 38, SpriteExtraWildActive = 39;
constexpr int SpriteSpinPlain = 40, SpriteSpinLit = 41, SpriteSpinRed = 42;
constexpr int SpritePaytablePlain = 43, SpritePaytableLit = 44;
constexpr int SpriteBackPlain = 45, SpriteBackLit = 46;
constexpr int SpriteGamblePlain = 47, SpriteGambleLit = 48;
constexpr int SpriteTakePlain = 49, SpriteTakeLit = 50;
constexpr int SpriteMinigamePlain = 51, SpriteMinigameLit = 52;
constexpr int SpriteInfoPlain = 53, SpriteInfoLit = 54;
constexpr int SpritePointer = 55;          // the game's own mouse pointer
constexpr int SpriteWheelFrameFirst = 58;  // 58..69: the wheel with prize k under the pointer
constexpr int SpriteWheelFrameCount = 12;
constexpr int SpriteMessage = 72;        // the pop-up message, made at run time
constexpr int SpriteParticleFirst = 73;  // 73..77: the sparkles' particles
constexpr int SpriteParticleLast = 77;
constexpr int SpriteSparkle = 74;  // the particle every sparkle is drawn with
constexpr int SpriteBigWinLettering = 78;
constexpr int SpriteBigWinBar = 80;
constexpr int SpriteBigWinFrame = 81;
constexpr int SpriteLevelIconFirst = 82;    // 82..85: the icons of levels 2..5
constexpr int SpriteLoadingPicture = 88;    // drawn before the catalogue is loaded
constexpr int SpriteFontAtlasFirst = 1000;  // the font packages' atlases, 1000 and up

// --- the one plain image
constexpr int ImageMessageBox = 57;  // the message box's background

// --- sounds (kSoundCatalogue, assets/sound_catalogue.h)
constexpr int SoundIntroJingle = 0;
constexpr int SoundSpinJingleFirst = 1;  // the two jingles that take turns on a spin
constexpr int SoundSpinJingleSecond = 2;
constexpr int SoundFreeGamesMusic = 3;  // loops through a series
constexpr int SoundScatterLanding = 4;
constexpr int SoundFreeGameSparkle = 5;
constexpr int SoundWheelMusic = 6;  // loops while the prize wheel is open
constexpr int SoundWheelTick = 7;
// The ladder's ticks, by the lit rung: 12 and up, 8 and up, 4 and up, below.
constexpr int SoundLadderTickTop = 8, SoundLadderTickHigh = 9, SoundLadderTickLow = 10,
              SoundLadderTickBottom = 11;
constexpr int SoundChimeUp = 19, SoundCoinCascade = 20, SoundChimeDown = 21;
constexpr int SoundLineToneFirst = 23;  // 23..32: the rising tones of lines 1..10
constexpr int SoundRespin = 33;

// --- movies
constexpr int MovieIntro = 22;

// --- bitmap fonts (from the embedded font packages)
constexpr int FontSmall = 5;    // the small glow font in its packaged style
constexpr int FontCredits = 6;  // the small font, plain: credit line, pays
constexpr int FontDate = 7;     // the small font, plain: the paytable's date
constexpr int FontSmallSpare = 8;
constexpr int FontLarge = 9;  // the large glow font: top line, big win
// The font packages inside the program: 0, 1, 2 the copies of the small
// font, 3 the large one.
constexpr int FontPackageSmallFirst = 0, FontPackageSmallSecond = 1, FontPackageSmallThird = 2;
constexpr int FontPackageLarge = 3;

// --- system fonts (message lines), by point size
constexpr int SystemFont5 = 0, SystemFont10 = 1, SystemFont15 = 2, SystemFont20 = 3;
constexpr int SystemFont30 = 4, SystemFont40 = 5, SystemFont50 = 6;

// --- windows
constexpr int WindowMain = 0;
constexpr int WindowLoading = 3;
constexpr int WindowSettings = 4;
constexpr int WindowHistory = 5;  // the history and statistics window

// --- menu and key commands
constexpr int CommandSettings = 1;  // "Options" > "Settings" in the main window
constexpr int CommandHistory = 2;   // "Options" > "History" ("Verlauf") in the main window
constexpr int CommandEscape = 15;   // Escape in the loading window
