// The program-wide screen state.
#include "app/app_context.h"

int gameState = StartPage;
