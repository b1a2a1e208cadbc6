#include "ui/history_window.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "assets/catalogue_numbers.h"
#include "assets/embedded.h"
#include "assets/png_decode.h"
#include "core/account_keeper.h"
#include "core/game_state.h"
#include "core/text_table.h"
#include "platform/platform.h"
#include "ui/history_figures.h"

namespace {

// The window's layout in window pixels: the figures and the list of games
// on the left, the selected game on the right.
constexpr int WindowWidth = 900, WindowHeight = 580;
constexpr int LeftX = 14, LeftWidth = 420;
constexpr int RightX = 450;
constexpr int CellWidth = 80, CellHeight = 64, CellGap = 6;
constexpr int PanelY = 58, PanelMargin = 6;
constexpr int GridX = RightX + PanelMargin, GridY = PanelY + PanelMargin;
constexpr int KeyY = PanelY + 2 * PanelMargin + RowCount * CellHeight + (RowCount - 1) * CellGap + 12;
constexpr int KeyStep = 22, KeyPictureWidth = 25, KeyPictureHeight = 20;
constexpr int SymbolCount = 12;

// The first frame of every symbol sheet at the two sizes the window shows,
// made once per run (the sheets are decoded again only for this window).
struct SymbolPicture {
    std::vector<uint8_t> cell, key;
};
std::array<SymbolPicture, SymbolCount> gSymbols;
bool gSymbolsMade = false;

// Shrinks the w x h part at the top-left of an RGBA picture `stride` pixels
// wide to tw x th, averaging 4 x 4 samples per pixel with premultiplied alpha.
std::vector<uint8_t> Shrink(const std::vector<uint8_t>& rgba, int stride, int w, int h, int tw, int th) {
    std::vector<uint8_t> out(static_cast<size_t>(tw) * static_cast<size_t>(th) * 4);
    constexpr int Samples = 4;
    for (int y = 0; y < th; ++y) {
        for (int x = 0; x < tw; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const int px = std::min(w - 1, static_cast<int>((x + (sx + 0.5) / Samples) * w / tw));
                    const int py = std::min(h - 1, static_cast<int>((y + (sy + 0.5) / Samples) * h / th));
                    const uint8_t* p =
                        &rgba[(static_cast<size_t>(py) * static_cast<size_t>(stride) + px) * 4];
                    const double alpha = p[3] / 255.0;
                    r += p[0] * alpha;
                    g += p[1] * alpha;
                    b += p[2] * alpha;
                    a += alpha;
                }
            }
            uint8_t* q = &out[(static_cast<size_t>(y) * static_cast<size_t>(tw) + x) * 4];
            if (a > 0) {
                q[0] = static_cast<uint8_t>(std::min(255.0, r / a + 0.5));
                q[1] = static_cast<uint8_t>(std::min(255.0, g / a + 0.5));
                q[2] = static_cast<uint8_t>(std::min(255.0, b / a + 0.5));
            }
            q[3] = static_cast<uint8_t>(std::min(255.0, a * 255.0 / (Samples * Samples) + 0.5));
        }
    }
    return out;
}

void MakeSymbolPictures() {
    if (gSymbolsMade) return;
    gSymbolsMade = true;
    const int frameWidth = static_cast<int>(Game.CellWidth), frameHeight = static_cast<int>(Game.CellHeight);
    for (int symbol = 0; symbol < SymbolCount; ++symbol) {
        const EmbeddedAsset* sheet = FindEmbedded("sprite", SpriteSymbolFirst + symbol);
        int w = 0, h = 0;
        std::vector<uint8_t> rgba;
        if (!sheet || !DecodePng(sheet->data, sheet->size, w, h, rgba) || w < frameWidth || h < frameHeight)
            continue;
        SymbolPicture& picture = gSymbols[static_cast<size_t>(symbol)];
        picture.cell = Shrink(rgba, w, frameWidth, frameHeight, CellWidth, CellHeight);
        picture.key = Shrink(rgba, w, frameWidth, frameHeight, KeyPictureWidth, KeyPictureHeight);
    }
}

void HandPicturesToWindow() {
    MakeSymbolPictures();
    for (int symbol = 0; symbol < SymbolCount; ++symbol) {
        const SymbolPicture& picture = gSymbols[static_cast<size_t>(symbol)];
        if (picture.cell.empty()) continue;
        platform::WindowPicture(WindowHistory, HistoryCellPictureFirst + symbol, CellWidth, CellHeight,
                                picture.cell.data());
        platform::WindowPicture(WindowHistory, HistoryKeyPictureFirst + symbol, KeyPictureWidth,
                                KeyPictureHeight, picture.key.data());
    }
}

// What the window shows now.
std::vector<int64_t> gRowSequences;  // the list's games, newest first
int64_t gShownNewest = -1;           // sequence of the newest history line when the list was made
int64_t gSelected = -1;              // sequence of the selected game

int CellLeft(int64_t cell) { return GridX + static_cast<int>(cell / RowCount) * (CellWidth + CellGap); }
int CellTop(int64_t cell) { return GridY + static_cast<int>(cell % RowCount) * (CellHeight + CellGap); }

const HistoryEntry* FindGame(int64_t sequence) {
    for (const HistoryEntry& entry : RecentHistory())
        if (entry.sequence == sequence && entry.kind == HistoryKind::Game) return &entry;
    return nullptr;
}

std::string ModeText(const HistoryEntry& game) {
    if (game.freeGames > 0)
        return Text(TextHistoryFreeGame) + " " + std::to_string(game.freeGame) + " / " +
               std::to_string(game.freeGames);
    return Text(game.fun ? TextHistoryFunGame : TextHistoryBaseGame);
}

void ShowFigures() {
    const SessionFigures& session = SessionStatistics();
    const HistoryFigures all = AllTimeFigures(RecentHistory(), Game.TotalStaked, Game.TotalWon);
    auto row = [](TextKey label, const std::string& now, const std::string& ever) {
        return Text(label) + "\t" + now + "\t" + ever;
    };
    const std::vector<std::string> rows = {
        "\t" + Text(TextHistoryThisSession) + "\t" + Text(TextHistoryAllTime),
        row(TextHistoryGames, std::to_string(session.games), std::to_string(all.games)),
        row(TextHistoryStaked, PointsText(session.staked), PointsText(all.staked)),
        row(TextHistoryWon, PointsText(session.won), PointsText(all.won)),
        row(TextHistoryReturn, ReturnText(session.staked, session.won), ReturnText(all.staked, all.won)),
        row(TextHistoryLargestWin, PointsText(session.largestWin), PointsText(all.largestWin)),
        row(TextHistoryFreeSeries, std::to_string(session.freeSeries), std::to_string(all.freeSeries)),
    };
    platform::ListGadget(WindowHistory, GadgetHistoryFigures, LeftX, 14, LeftWidth, 132, rows, false);
    platform::TextGadget(WindowHistory, GadgetHistoryNote, LeftX, 156, LeftWidth, 18, Text(TextHistoryNote));
}

void ClearSelectedGame() {
    for (int i = 0; i < CellCount; ++i) {
        platform::RemoveGadget(GadgetHistoryCellFirst + i);
        platform::RemoveGadget(GadgetHistoryDimFirst + i);
        platform::RemoveGadget(GadgetHistoryFrameFirst + i);
    }
    for (int i = 0; i < GadgetHistoryKeyColourFirst - GadgetHistoryLineFirst; ++i) {
        platform::RemoveGadget(GadgetHistoryLineFirst + i);
        platform::RemoveGadget(GadgetHistoryKeyColourFirst + i);
        platform::RemoveGadget(GadgetHistoryKeySymbolFirst + i);
        platform::RemoveGadget(GadgetHistoryKeyTextFirst + i);
    }
    for (int gadget : {GadgetHistoryHeading, GadgetHistoryDetails, GadgetHistoryLadder, GadgetHistoryResult,
                       GadgetHistoryGridPanel, GadgetHistoryEmpty})
        platform::RemoveGadget(gadget);
}

// The selected game: its grid with the winning lines over it, then each win
// listed with its colour, symbol, line, count and pay.
void ShowGame(const HistoryEntry& game) {
    ClearSelectedGame();
    const bool german = Game.Language == 0;
    platform::TextGadget(WindowHistory, GadgetHistoryHeading, RightX, 14, 440, 18,
                         GameTimeText(game, german) + "   \xb7   " + ModeText(game) + "   \xb7   " +
                             Text(TextHistoryLevel) + " " + std::to_string(game.level));
    std::string details = Text(TextHistoryBetPerLine) + " " + PointsText(game.betPerLine) + "   \xb7   " +
                          Text(TextHistoryStake) + " " + PointsText(game.stake);
    if (game.extraWild) details += "   \xb7   Extra Wild";
    platform::TextGadget(WindowHistory, GadgetHistoryDetails, RightX, 34, 440, 18, details);

    const int panelWidth = 2 * PanelMargin + ReelCount * CellWidth + (ReelCount - 1) * CellGap;
    const int panelHeight = 2 * PanelMargin + RowCount * CellHeight + (RowCount - 1) * CellGap;
    platform::BoxGadget(WindowHistory, GadgetHistoryGridPanel, RightX, PanelY, panelWidth, panelHeight,
                        0x05040C, 255);
    std::array<bool, CellCount> won{};
    for (const HistoryWin& win : game.wins)
        for (int64_t cell : WinningCells(game, win)) won[static_cast<size_t>(cell)] = true;
    for (int cell = 0; cell < CellCount; ++cell) {
        const int64_t symbol = game.grid[static_cast<size_t>(cell)];
        if (symbol >= 0 && symbol < SymbolCount)
            platform::PictureGadget(WindowHistory, GadgetHistoryCellFirst + cell, CellLeft(cell),
                                    CellTop(cell), CellWidth, CellHeight,
                                    HistoryCellPictureFirst + static_cast<int>(symbol));
    }
    // With a win, the cells that took no part in it step back.
    if (!game.wins.empty())
        for (int cell = 0; cell < CellCount; ++cell)
            if (!won[static_cast<size_t>(cell)])
                platform::BoxGadget(WindowHistory, GadgetHistoryDimFirst + cell, CellLeft(cell),
                                    CellTop(cell), CellWidth, CellHeight, 0x05040C, 150);

    const int maxKeys = GadgetHistoryKeyColourFirst - GadgetHistoryLineFirst;
    int keys = 0, frames = 0;
    for (const HistoryWin& win : game.wins) {
        if (keys >= maxKeys) break;
        const uint32_t colour = PaylineColour(win.line);
        if (win.line == 0) {
            for (int64_t cell : WinningCells(game, win)) {
                const int x = CellLeft(cell) + 2, y = CellTop(cell) + 2;
                platform::LineGadget(WindowHistory, GadgetHistoryFrameFirst + frames++,
                                     {x, y, x + CellWidth - 4, y, x + CellWidth - 4, y + CellHeight - 4, x,
                                      y + CellHeight - 4},
                                     colour, 4, true);
            }
        } else {
            // The whole payline from the panel's left edge to its right,
            // through the middle of each of its cells.
            const std::vector<int64_t> cells = PaylineCells(win.line);
            std::vector<int> points = {RightX + 1, CellTop(cells.front()) + CellHeight / 2};
            for (int64_t cell : cells) {
                points.push_back(CellLeft(cell) + CellWidth / 2);
                points.push_back(CellTop(cell) + CellHeight / 2);
            }
            points.push_back(RightX + panelWidth - 1);
            points.push_back(CellTop(cells.back()) + CellHeight / 2);
            platform::LineGadget(WindowHistory, GadgetHistoryLineFirst + keys, points, colour, 4, false);
        }
        const int y = KeyY + keys * KeyStep;
        platform::BoxGadget(WindowHistory, GadgetHistoryKeyColourFirst + keys, RightX, y + 4, 12, 12, colour,
                            255);
        if (win.symbol >= 0 && win.symbol < SymbolCount)
            platform::PictureGadget(WindowHistory, GadgetHistoryKeySymbolFirst + keys, RightX + 18, y,
                                    KeyPictureWidth, KeyPictureHeight,
                                    HistoryKeyPictureFirst + static_cast<int>(win.symbol));
        const std::string what =
            win.line == 0 ? Text(TextHistoryScatter) : Text(TextHistoryLine) + " " + std::to_string(win.line);
        platform::TextGadget(WindowHistory, GadgetHistoryKeyTextFirst + keys, RightX + 50, y + 2, 380, 18,
                             what + ":   " + std::to_string(win.count) + " x   " + PointsText(win.pay));
        ++keys;
    }
    if (keys == 0)
        platform::TextGadget(WindowHistory, GadgetHistoryKeyTextFirst, RightX, KeyY + 2, 380, 18,
                             Text(TextHistoryNoWin));
    const int bottom = KeyY + std::max(keys, 1) * KeyStep + 8;
    if (game.gambled)
        platform::TextGadget(WindowHistory, GadgetHistoryLadder, RightX, bottom, 440, 18,
                             Text(TextHistoryLadder) + ":   " + std::to_string(game.ladderStart) + " \xbb " +
                                 std::to_string(game.ladderEnd) + "   " + PointsText(game.ladderValue));
    platform::TextGadget(WindowHistory, GadgetHistoryResult, RightX, bottom + (game.gambled ? 22 : 0), 440,
                         18,
                         Text(TextHistoryWin) + " " + PointsText(game.win) + "   \xb7   " +
                             Text(TextHistoryBalance) + " " + PointsText(GameBalance(game)));
}

void ShowSelection() {
    const HistoryEntry* game = FindGame(gSelected);
    if (!game) {
        ClearSelectedGame();
        platform::TextGadget(WindowHistory, GadgetHistoryEmpty, RightX, 14, 440, 18,
                             Text(TextHistoryNoGames));
        return;
    }
    ShowGame(*game);
}

// The figures and the list, as the history stands now; the selection stays
// on its game, or goes to the newest when it has none.
void ShowHistory() {
    const std::vector<HistoryEntry>& entries = RecentHistory();
    gShownNewest = entries.empty() ? 0 : entries.back().sequence;
    ShowFigures();
    const bool german = Game.Language == 0;
    std::vector<std::string> rows = {Text(TextHistoryTime) + "\t" + Text(TextHistoryStake) + "\t" +
                                     Text(TextHistoryWin) + "\t" + Text(TextHistoryBalance)};
    gRowSequences.clear();
    for (size_t index : GamesNewestFirst(entries)) {
        rows.push_back(GameRowText(entries[index], german));
        gRowSequences.push_back(entries[index].sequence);
    }
    platform::ListGadget(WindowHistory, GadgetHistoryGames, LeftX, 186, LeftWidth, WindowHeight - 186 - 14,
                         rows, true);
    auto selected = std::find(gRowSequences.begin(), gRowSequences.end(), gSelected);
    if (selected == gRowSequences.end()) {
        gSelected = gRowSequences.empty() ? -1 : gRowSequences.front();
        selected = gRowSequences.begin();
    }
    platform::SetGadgetState(GadgetHistoryGames,
                             gRowSequences.empty() ? -1 : static_cast<int>(selected - gRowSequences.begin()));
}

}  // namespace

void OpenHistoryWindow() {
    if (platform::WindowExists(WindowHistory)) {
        platform::ShowWindowNormal(WindowHistory);
        return;
    }
    if (!platform::OpenWindow(
            WindowHistory, 0, 0, WindowWidth, WindowHeight, Text(TextHistory),
            platform::WindowDialog | platform::WindowCentered | platform::WindowEscapeCloses))
        return;
    HandPicturesToWindow();
    gSelected = -1;
    ShowHistory();
    ShowSelection();
}

void SelectHistoryGame() {
    if (!platform::WindowExists(WindowHistory)) return;
    const int row = platform::GetGadgetState(GadgetHistoryGames);
    if (row < 0 || row >= static_cast<int>(gRowSequences.size())) return;
    gSelected = gRowSequences[static_cast<size_t>(row)];
    ShowSelection();
}

void CloseHistoryWindow() {
    platform::CloseWindow(WindowHistory);
    gRowSequences.clear();
    gSelected = -1;
}

void RefreshHistoryWindow() {
    if (!platform::WindowExists(WindowHistory)) return;
    const std::vector<HistoryEntry>& entries = RecentHistory();
    const int64_t newest = entries.empty() ? 0 : entries.back().sequence;
    if (newest == gShownNewest) return;
    const int64_t before = gSelected;
    ShowHistory();
    if (gSelected != before) ShowSelection();
}

int64_t HistoryWindowSelectedSequence() { return platform::WindowExists(WindowHistory) ? gSelected : -1; }
