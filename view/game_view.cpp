// Start-up of the game screen's presentation state.
#include "view/game_view.h"

void initGameView(GameView& view, const TimeSource& time) {
    view = GameView{};
    view.pulseClock = makeStopwatch(time);
}
