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
    {"Die Punkte k\xf6nnen nicht gespeichert werden!", "The points cannot be saved!"},
    {"Ordner:", "Folder:"},
    {"Die Punkte werden wieder gespeichert.", "The points are saved again."},
    {"Der Spielstand war besch\xe4"
     "digt und wurde aus dem Spielverlauf wiederhergestellt. "
     "Eine Kopie der besch\xe4"
     "digten Datei (Nebulor.Dat.damaged) bleibt daneben.",
     "The saved game was damaged and has been restored from the game history. "
     "A copy of the damaged file (Nebulor.Dat.damaged) is kept beside it."},
    {"Der Spielstand war besch\xe4"
     "digt und kein Spielverlauf war da: das Spiel beginnt bei null. "
     "Eine Kopie der besch\xe4"
     "digten Datei (Nebulor.Dat.damaged) bleibt daneben.",
     "The saved game was damaged and there was no game history: the game starts from zero. "
     "A copy of the damaged file (Nebulor.Dat.damaged) is kept beside it."},
    {"Verlauf", "History"},
    {"Gewinn: ", "Win: "},
    {"Diese Sitzung", "This session"},
    {"Insgesamt", "All time"},
    {"Spiele", "Games played"},
    {"Einsatz gesamt", "Total staked"},
    {"Gewinn gesamt", "Total won"},
    {"Auszahlung", "Return"},
    {"H\xf6"
     "chster Gewinn",
     "Largest win"},
    {"Freispiel-Serien", "Free-game series"},
    {"Einsatz und Gewinn: alle Spiele; sonst: der Verlauf.",
     "Stake and win: every game; the rest: the history."},
    {"Zeit", "Time"},
    {"Einsatz", "Stake"},
    {"Gewinn", "Win"},
    {"Kontostand", "Balance"},
    {"Noch keine Spiele im Verlauf.", "No games in the history yet."},
    {"Grundspiel", "Base game"},
    {"Freispiel", "Free game"},
    {"Fun-Spiel", "Fun game"},
    {"Level", "Level"},
    {"Einsatz je Linie", "Bet per line"},
    {"Linie", "Line"},
    {"Scatter", "Scatter"},
    {"Kein Gewinn", "No win"},
    {"Risikoleiter", "Risk ladder"},
};

}  // namespace

void FillTextTable(int64_t language) {
    for (int key = 0; key < TextKeyCount; ++key)
        Game.Texts[key] = language == 0 ? kTexts[key].german : kTexts[key].english;
}

const std::string& Text(TextKey key) { return Game.Texts[key]; }
