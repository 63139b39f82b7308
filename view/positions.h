// Where the pictures, buttons and read-outs stand on the 1920 x 1080 design screen, in design units (the
// board's cells are the rules' columnX and boardTopY). The loader, the drawing, the screen tests and the
// benchmark all read them here.
#pragma once

struct DesignPoint {
    float x;
    float y;
};

// Equal sprites in a row: the first one's top-left corner and the distance from one to the next.
struct DesignRow {
    DesignPoint first;
    float step;
};

// The place of the row's sprite with the given index.
constexpr DesignPoint placeInRow(DesignRow row, int index) {
    return {row.first.x + row.step * static_cast<float>(index), row.first.y};
}

namespace positions {

// Main menu and its pages.
constexpr DesignPoint startButton{858, 367};
constexpr DesignPoint settingsButton{856, 504};
constexpr DesignPoint instructionsButton{855, 640};
constexpr DesignPoint aboutButton{857, 775};
constexpr DesignPoint quitButton{859, 911};
constexpr DesignPoint backButton{832, 861};
constexpr DesignPoint enterYourName{1349, 202};
// Easy, Normal, Hard, VeryHard, ColorLines, Casual.
constexpr DesignPoint modeButtons[] = {{906, 260}, {879, 335}, {907, 410},
                                       {854, 485}, {846, 663}, {883, 738}};
// The volume arrows (music up, down, sound up, down) and the read-outs between them.
constexpr float volumeArrowX = 403;
constexpr float volumeArrowY[] = {341, 489, 678, 826};
constexpr DesignPoint musicVolume{398, 432};
constexpr DesignPoint soundVolume{398, 769};
// The settings page's player list: rows centred on x, the first one's top, the step between rows.
constexpr float listCentreX = 1506;
constexpr float listTopY = 410;
constexpr float listRowStep = 47;
// The name being typed and the warning in its place, inset from the field box (which starts at 1351) as
// the read-outs' digits are from theirs.
constexpr float nameFieldX = 1361;
constexpr float nameFieldY = 256;
constexpr float warningY = 258;

// Game screen: the buttons music, sound, main menu, pause, quit; the tube; the read-outs.
constexpr DesignRow gameButtons{{1543, 22}, 76};
constexpr DesignPoint trashTube{1773, 113};
constexpr DesignRow levelClock{{50, 60}, 25};
constexpr DesignRow levelDigits{{328, 60}, 25};
constexpr float readoutY = 60;
constexpr float readoutStep = 25;
constexpr float scoreX = 510;
constexpr float bestX = 771;
constexpr float patternsX = 1072;
constexpr float casualPatternsX = 50;
constexpr float colorLinesX = 1025;
// The player's name is centred on x, its top at nameTop; ColorLines moves it left.
constexpr float nameCentreX = 1368;
constexpr float colorLinesNameCentreX = 1282;
constexpr float nameTop = 55;
// The rising points start at popupBaseY under the cursor's column; the pulse is centred on row 1's cells.
constexpr float popupBaseY = 500;
constexpr float popupStep = 20;
constexpr float pulseCentreOffset = 30;
constexpr float pulseCentreY = 203;

// End screen.
constexpr DesignPoint endMessage{695, 571};
constexpr DesignRow endLevelDigits{{799, 795}, 16};
constexpr DesignRow endScore{{907, 829}, 16};
// The line saying why a result was not saved: centred on x, its top at y, under the summary's frame.
constexpr DesignPoint unsavedLine{960, 915};

} // namespace positions
