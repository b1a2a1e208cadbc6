#include "core/text_table.h"

#include "tests/support/test_game.h"

using TextTableTest = GameTest;

TEST_F(TextTableTest, GermanAndEnglishColumnsInLatin1) {
    FillTextTable(0);
    EXPECT_EQ(Text(TextChooseWildPositions), "W\xe4hlen Sie 3 Wildpositionen.");
    EXPECT_EQ(Text(TextWinningsDoubled), "Gewinne werden verdoppelt (x2)");
    EXPECT_EQ(Text(TextTitleBid), " - Einsatz: ");
    FillTextTable(1);
    EXPECT_EQ(Text(TextChooseWildPositions), "choose 3 joker positions.");
    EXPECT_EQ(Text(TextWinningsDoubled), "Winnings are doubled");
    EXPECT_EQ(Text(TextPointMemory), "point Memory:");
}

TEST_F(TextTableTest, AnyLanguageOtherThanZeroIsEnglish) {
    FillTextTable(7);
    EXPECT_EQ(Text(TextFreeGamesEnd), "end of Free games");
    FillTextTable(-1);
    EXPECT_EQ(Text(TextYouHave), "you have ");
}

TEST_F(TextTableTest, SharedWordsAndBlanksBelongToTheTexts) {
    for (int language : {0, 1}) {
        FillTextTable(language);
        EXPECT_EQ(Text(TextSoundOff), "Sound aus");
        EXPECT_EQ(Text(TextRespin), "Respin");
        for (int key = 0; key < TextKeyCount; ++key)
            EXPECT_FALSE(Text(static_cast<TextKey>(key)).empty()) << key;
    }
    FillTextTable(0);
    EXPECT_EQ(Text(TextFreeGamesWon), " Freispiele gewonnen");
    EXPECT_EQ(Text(TextYouHave), "Du hast ");
}
