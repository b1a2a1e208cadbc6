#include "core/text_table.h"

#include "core/game_state.h"

namespace {

struct TextPair {
    const char* german;
    const char* english;
};

// Latin-1: \xe4 is a-umlaut. Leading and trailing blanks belong to the texts.
constexpr TextPair kTexts[TextKeyCount] = {
    {"zu wenig Spielpunkte zum spielen!", "not enough points to play!"},
    {"W\xe4hlen Sie 3 Wildpositionen.", "choose 3 joker positions."},
    {"Autostart", "Autoplay"},
    {" - Punkte:", " - Points:"},
    {" - Einsatz: ", " - Bid: "},
    {" - Gewinn: ", " - Profit: "},
    {" - Freispiele:", " - Free Games:"},
    {"Punktespeicher:", "point Memory:"},
    {"Punkte:", "Points:"},
    {"Fun Punkte:", "Fun Points:"},
    {"Einsatz:", "bet:"},
    {"Sound aus", "Sound aus"},
    {"Level aufstieg!", "Level up!"},
    {"Respin", "Respin"},
    {"Random Wild", "Random Wild"},
    {"Expanding Wild", "Expanding Wild"},
    {"Gewinne werden verdoppelt (x2)", "Winnings are doubled"},
    {"Du hast ", "you have "},
    {" Freispiele gewonnen", " Free games won"},
    {"1 Freispiele gewonnen", "1 Free games won"},
    {"Ende der Freispiele", "end of Free games"},
    {" gewonnen", " won"},
    {"Gewinn: ", "Win: "},
};

}  // namespace

void FillTextTable(int64_t language) {
    for (int key = 0; key < TextKeyCount; ++key)
        Game.Texts[key] = language == 0 ? kTexts[key].german : kTexts[key].english;
}

const std::string& Text(TextKey key) { return Game.Texts[key]; }
