#include "core/text_table.h"
#include "core/window_title.h"
#include "platform/platform.h"
#include "tests/support/test_game.h"

using TitleTest = GameTest;

TEST_F(TitleTest, FramesShowAmountsInPointsWithTwoDecimals) {
    FillTextTable(0);
    Game.Points = 1000;
    Game.Bid = 10;
    Game.DisplayedWin = 125;
    EXPECT_EQ(TitleText(), "Nebulor v2.5 - Punkte: 10.00 P - Einsatz: 0.10 P - Gewinn: 1.25");
}

TEST_F(TitleTest, StartupTitleShowsWholeHundredths) {
    FillTextTable(1);
    Game.Points = 1000;
    Game.Bid = 10;
    EXPECT_EQ(StartupTitleText(), "Nebulor v2.5 - Points: 1000 P - Bid: 10 P - Profit: 0");
}

TEST_F(TitleTest, FreeGamesAppendTheCounterWithVonInBothLanguages) {
    for (int language : {0, 1}) {
        FillTextTable(language);
        Game.GameMode = ModeFreeGames;
        Game.FreeGamesPlayed = 3;
        Game.FreeGamesWon = 10;
        const std::string title = TitleText();
        const std::string expected = (language == 0 ? " - Freispiele: 3 von 10" : " - Free Games: 3 von 10");
        ASSERT_GE(title.size(), expected.size());
        EXPECT_EQ(title.substr(title.size() - expected.size()), expected) << title;
    }
}

TEST_F(TitleTest, ComposeTitleSetsTheMainWindowTitleWhenItChanges) {
    FillTextTable(0);
    OpenMainWindowForTest();
    ComposeStartupTitle();
    EXPECT_EQ(platform::WindowTitle(0), "Nebulor v2.5 - Punkte: 1000 P - Einsatz: 10 P - Gewinn: 0");
    ComposeTitle();
    EXPECT_EQ(platform::WindowTitle(0), "Nebulor v2.5 - Punkte: 10.00 P - Einsatz: 0.10 P - Gewinn: 0.00");
    Game.Points = 990;
    ComposeTitle();
    EXPECT_EQ(platform::WindowTitle(0), "Nebulor v2.5 - Punkte: 9.90 P - Einsatz: 0.10 P - Gewinn: 0.00");
}
