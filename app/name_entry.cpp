// Name entry and player selection on the settings page: typing, Enter, Backspace, the warning for
// characters outside ASCII, Delete, and a click on a listed name.
#include "app/screens.h"
#include "scores/highscore_file.h"
#include "scores/player_registry.h"
#include "view/menu_pages.h"

namespace {

constexpr sf::Uint32 backspace = 8;
constexpr sf::Uint32 enter = 13;
constexpr sf::Uint32 firstNonAscii = 128;
constexpr float maxNameWidth = 210.0f;
constexpr float warningSeconds = 3.0f;

void confirmName(AppContext& app) {
    PlayerState& p = app.players;
    // An empty name or one the file cannot hold would not survive a reload: keep it in the field.
    if (!isStorableName(p.nameInput)) {
        return;
    }
    addPlayer(app.highScorePath, p.nameInput);
    app.namePrompt = false;
    p.currentPlayer = p.nameInput;
    setLastPlayer(app.highScorePath, p.currentPlayer);
    p.lastPlayerIndex = indexOfLastPlayer(app.highScorePath);
    p.nameInput.clear();
}

// Control codes other than Backspace and Enter, and the comma, would break the file's lines.
bool refusedQuietly(sf::Uint32 code) {
    return (code < 32 && code != backspace) || code == 127 || code == ',';
}

} // namespace

void handleNameCharacter(AppContext& app, sf::Uint32 code) {
    PlayerState& p = app.players;
    if (code == backspace && !p.nameInput.empty()) {
        p.nameInput.pop_back();
        return;
    }
    if (code == enter) {
        confirmName(app);
        return;
    }
    if (code >= firstNonAscii) {
        p.inputAccepted = false;
        restart(p.wrongInputClock);
        return;
    }
    if (refusedQuietly(code)) {
        return;
    }
    if (nameDesignWidth(app.assets.font, p.nameInput) < maxNameWidth && code != backspace) {
        p.nameInput.push_back(static_cast<char>(code));
    }
    p.inputAccepted = true;
}

void refreshNameText(AppContext& app) {
    app.players.nameText.setString(app.players.nameInput);
}

void deleteCurrentPlayer(AppContext& app) {
    PlayerState& p = app.players;
    deletePlayer(app.highScorePath, p.currentPlayer);
    p.currentPlayer = readLastPlayer(app.highScorePath);
    p.lastPlayerIndex = indexOfLastPlayer(app.highScorePath);
}

void pickListedPlayer(AppContext& app, sf::Vector2i click) {
    PlayerState& p = app.players;
    const sf::Vector2f point(static_cast<float>(click.x), static_cast<float>(click.y));
    for (std::size_t i = 0; i < p.playerNames.size() && i < listedRows; ++i) {
        if (playerRowBounds(i, app.layout).contains(point)) {
            p.lastPlayerIndex = static_cast<int>(i);
            p.currentPlayer = p.playerNames[i];
            setLastPlayer(app.highScorePath, p.currentPlayer);
            return;
        }
    }
}

void drawPlayerPanel(AppContext& app) {
    PlayerState& p = app.players;
    // The warning shows for 3 s after the last refused character.
    if (!p.inputAccepted && elapsedSeconds(p.wrongInputClock) > warningSeconds) {
        p.inputAccepted = true;
    }
    drawNameField(app.window, app.assets.enterYourName, app.namePrompt, p.nameText,
                  p.inputAccepted ? nullptr : &p.wrongInputText);
    // The list follows the file, which another game may have changed.
    p.playerNames = readPlayerNames(app.highScorePath);
    drawPlayerList(app.window, app.assets.font, p.playerNames, p.lastPlayerIndex, app.layout);
}
