// The paytable page and the about message.
#pragma once

// Draws the date, the time and every pay of the current stake over the page picture;
// called by the game screen while the page is open.
void DrawPaytablePage();

// Opens the about message with the game's credits (the info button).
void ShowAboutMessage();
