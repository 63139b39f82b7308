"""End-to-end play test of the real binary on a 1920x1080 display, driven only by real X input: splash,
main menu, name entry without a high-score file, mode choice, a game with every play key, a game played
out to its end screen with the result written to the high-score file, and Escape to quit. The sound is
captured through OpenAL Soft's wave-file backend and checked at three moments: music on the splash,
silence after M, and the gem-fall effect of a hard drop."""
import os
import sys
import time

from audio_capture import AudioCapture
from player import Failure, Player, report_failure
from xsession import GameRun, XSession, prepare_workdir, read_scores, remove_workdir, scores_path, wait_until

NAME = "sam"  # holds m and s, the music and sound keys outside the settings page
MAIN_MENU = {"start": ("start_gray.png", "start_pink.png", 858, 367, 204),
             "settings": ("settings_gray.png", "settings_pink.png", 856, 504, 208)}
MENU_BUTTON_HEIGHT = 110
HARD_CENTRE = (960, 440)
GAME_BUTTON_Y = 22
MUSIC_X, SOUND_X, PAUSE_X = 1543, 1619, 1771
NAME_PROMPT = ("enterYourName.png", 1349, 202)
PLAYER_ROW = (1406, 410, 1606, 450)  # first row of the player list, design units
SCORE_DIGITS = ("digit_", 510, 60, 25, 5)
LEVEL_UNITS = ("digit_", 353, 60, 25, 1)
END_SCORE_DIGITS = ("digit_b", 907, 829, 16, 5)
END_LEVEL_UNITS = ("digit_b", 815, 795, 16, 1)
END_MESSAGE = ("GO3.png", 695, 571)  # a full board with the player's best score
FLUSH_POINTS = 4
END_DELAY = 6.0
END_DELAY_SLACK = (1.0, 1.5)  # the two sightings each lag by a screenshot, more on a loaded machine
MUSIC_HEARD = 1e-3     # RMS; the music plays at volume 2 and measures about 4e-3
SILENCE = 1e-4
EFFECT_HEARD = 1e-2    # RMS of the loudest 50 ms; the gem-fall effect at volume 20 measures about 3e-2
THREAD_COLUMN_AT_START = 6
TUBE_COLUMN = 12


def centre(button):
    _, _, x, y, width = MAIN_MENU[button]
    return x + width // 2, y + MENU_BUTTON_HEIGHT // 2


def menu_button_shown(p, shot, button, hovered):
    gray, pink, x, y, _ = MAIN_MENU[button]
    return p.shows(shot, pink if hovered else gray, x, y)


def wait_main_menu(p):
    """The main menu with its buttons, which appear 1.2 s after the menu starts fading in."""
    p.wait_for("the main menu with its buttons",
               lambda s: p.page(s) == "menu_page.png" and (menu_button_shown(p, s, "start", False)
                                                           or menu_button_shown(p, s, "start", True)))


def splash_music_and_m_key(p, capture):
    p.wait_page("start_page.png")
    wait_until(lambda: capture.seconds() > 2.0, 20)
    heard = capture.rms(capture.seconds() - 1.0, 1.0)
    if heard < MUSIC_HEARD:
        p.fail(f"the music is not audible on the splash (RMS {heard:.2e})")
    mark = capture.seconds()
    p.key("m")
    wait_until(lambda: capture.seconds() > mark + 1.5, 20)
    after = capture.rms(mark + 0.4, 1.0)
    if after > SILENCE:
        p.fail(f"the music still plays after M (RMS {after:.2e})")
    print(f"splash: music RMS {heard:.1e}, after M {after:.1e}")


def menu_hover(p):
    p.key("space")
    p.session.move_to(300, 200)
    wait_main_menu(p)
    p.wait_for("Start in its normal picture", lambda s: menu_button_shown(p, s, "start", False))
    p.session.move_to(*centre("start"))
    p.wait_for("Start in its hover picture", lambda s: menu_button_shown(p, s, "start", True))


def prompt_blinks(p, timeout=6.0):
    """The name prompt is seen both shown and hidden (it blinks a quarter of a second each way)."""
    seen = set()
    pauses = (0.07, 0.13, 0.19, 0.11)
    deadline = time.monotonic() + timeout
    while len(seen) < 2 and time.monotonic() < deadline:
        seen.add(p.shows(p.shot(), *NAME_PROMPT))
        time.sleep(pauses[len(seen) % len(pauses)])
    return len(seen) == 2


def yellow_pixels(p, shot, box):
    left, top, right, bottom = (round(v * s) for v, s in zip(box, p.scale * 2))
    area = shot[top:bottom, left:right].astype(int)
    return int(((area[..., 0] > 200) & (area[..., 1] > 200) & (area[..., 2] < 100)).sum())


def start_without_player_and_name_entry(p, work, capture):
    p.click(*centre("start"))
    p.wait_page("settings.png")
    if read_scores(work) is not None:
        p.fail("a high-score file appeared before any name was entered")
    if not prompt_blinks(p):
        p.fail("the name prompt does not blink on the settings page")
    mark = capture.seconds()
    p.session.type_text(NAME)
    p.key("Return")
    expected = NAME + "\n" + "0,0,0\n" * 5 + "[LAST_PLAYER]\n" + NAME + "\n"
    if not wait_until(lambda: read_scores(work) == expected, 10):
        p.fail(f"after Enter the high-score file holds {read_scores(work)!r}, not {expected!r}")
    p.wait_for("the new player listed in yellow", lambda s: yellow_pixels(p, s, PLAYER_ROW) > 20)
    if any(p.shows(p.shot(), *NAME_PROMPT) for _ in range(4)):
        p.fail("the name prompt still shows after Enter")
    wait_until(lambda: capture.seconds() > mark + 2.0, 20)
    if capture.rms(mark, 2.0) > SILENCE:
        p.fail("typing the name switched the music back on")


def choose_hard(p):
    p.click(*HARD_CENTRE)
    wait_main_menu(p)
    p.session.move_to(300, 200)
    p.click(*centre("settings"))
    p.wait_page("settings.png", also=[("hardActive.png", 907, 410), ("normal.png", 879, 335)])
    p.key("Escape")
    wait_main_menu(p)


def start_game(p):
    p.click(*centre("start"))
    return p.wait_page("game:background.png", also=[("button_pause.png", PAUSE_X, GAME_BUTTON_Y)])


def audio_buttons(p, shot):
    """The typed m and s must have left the switches alone: music off (since the splash), sound on."""
    if not p.shows(shot, "button_music_off.png", MUSIC_X, GAME_BUTTON_Y):
        p.fail("the game's music button does not show music off")
    if not p.shows(shot, "button_sound_on.png", SOUND_X, GAME_BUTTON_Y):
        p.fail("the game's sound button does not show sound on")


def move_thread(p, column, attempts=8):
    """Left and Right act at most once per 0.03 s: presses that reach one frame together count once, so
    the thread is moved in rounds until it stands under the column."""
    for _ in range(attempts):
        current = p.board.thread_column(p.shot())
        if current is None:
            p.fail("no thread found under the board")
        if current == column:
            return
        steps = ["Right"] * (column - current) if column > current else ["Left"] * (current - column)
        p.session.key(*steps, delay_ms=120)
    p.fail(f"the thread did not reach column {column}")


def thread_keys(p):
    p.wait_for("the thread under its first column",
               lambda s: p.board.thread_column(s) == THREAD_COLUMN_AT_START)
    for key, column in (("Left", THREAD_COLUMN_AT_START - 1), ("Right", THREAD_COLUMN_AT_START),
                        ("Right", THREAD_COLUMN_AT_START + 1)):
        p.key(key)
        p.wait_for(f"the thread under column {column} after {key}", lambda s: p.board.thread_column(s) == column)


def falling_gem(board):
    """(row, column, code, empty cells under it) of a gem in the air, or None."""
    for column in range(len(board[0])):
        rows = [r for r in range(len(board)) if board[r][column]]
        if not rows or rows[0] == len(board) - 1 or board[rows[0] + 1][column]:
            continue
        below = next((r for r in rows[1:]), len(board)) - rows[0] - 1
        return rows[0], column, board[rows[0]][column], below
    return None


def hard_drop_with_sound(p, capture, attempts=20):
    """Space lands a gem that is high in the air, and the gem-fall effect sounds right after."""
    for _ in range(attempts):
        gem = falling_gem(p.board.board(p.shot()))
        if not gem or gem[3] < 3:
            time.sleep(0.2)
            continue
        row, column, code, below = gem
        mark = capture.seconds()
        p.key("space")
        landing = row + below
        p.wait_for("the dropped gem at the bottom of its column",
                   lambda s: p.board.cell(s, landing, column) == code, 10)
        wait_until(lambda: capture.seconds() > mark + 1.0, 20)
        before, after = capture.loudest(mark - 0.25, 0.23), capture.loudest(mark - 0.02, 0.8)
        if before > SILENCE or after < EFFECT_HEARD:
            p.fail(f"hard drop: loudest before {before:.1e}, after {after:.1e}; expected silence, then the effect")
        print(f"hard drop: column {column} row {row} -> {landing}, effect RMS {after:.1e}")
        return
    p.fail("no gem high enough in the air to drop")


def column_to_pull(board, near=0):
    """The column nearest to the given one with a gem at its bottom and no gem falling into it, or None."""
    gem = falling_gem(board)
    choices = [c for c in range(len(board[0])) if board[-1][c] and not (gem and gem[1] == c)]
    return min(choices, key=lambda c: abs(c - near)) if choices else None


def pull_and_push(p):
    drop_until(p, lambda b: column_to_pull(b) is not None)
    column = column_to_pull(p.board.board(p.shot()))
    move_thread(p, column)
    board = p.board.board(p.shot())
    code, above = board[7][column], board[6][column]
    p.key("Down")
    p.wait_for("the pulled gem on the thread and its column one lower",
               lambda s: p.board.thread_slot(s, 0, column) == code and p.board.cell(s, 7, column) == above, 10)
    p.key("Up")
    p.wait_for("the gem pushed back to the bottom of its column",
               lambda s: p.board.thread_slot(s, 0, column) == 0 and p.board.cell(s, 7, column) == code, 10)


def pause_and_resume(p, attempts=6):
    """P pauses only while the gem is in the air with room under it, so a press may be refused."""
    for _ in range(attempts):
        p.key("p")
        if wait_until(lambda: p.shows(p.shot(), "button_resume.png", PAUSE_X, GAME_BUTTON_Y), 2.5, 0.1):
            break
    else:
        p.fail("P never paused the game")
    frozen = p.board.board(p.shot())
    time.sleep(1.5)  # more than two fall intervals of the hard mode: a running game would move the gem
    if p.board.board(p.shot()) != frozen:
        p.fail("the board changed while the game was paused")
    p.key("p")
    p.wait_for("the pause picture back after P", lambda s: p.shows(s, "button_pause.png", PAUSE_X, GAME_BUTTON_Y))


def drop_until(p, enough, timeout=60):
    """Presses Space every 80 ms, while looking at the board, until enough(board) holds; returns the
    screenshot. A new gem comes 0.35 s after the last one landed, so most presses find none to drop."""
    presses = p.session.key_stream("space", 80)
    try:
        found = wait_until(lambda: enough(p.board.board(p.shot())), timeout, 0.05)
    finally:
        presses.kill()
        presses.wait()
        # Killed between its press and its release, xdotool leaves Space held down, and the server's
        # auto-repeat would go on pressing it (on the end screen too, which Space leaves).
        p.session.xdotool("keyup", "space")
    if not found:
        p.fail("the board did not fill as expected under hard drops")
    return p.last_shot


def fill_thread(p):
    """Pulls gems from the bottoms of the columns until all eight thread slots hold one."""
    for _ in range(40):
        shot = p.shot()
        column = p.board.thread_column(shot)
        if column is None:
            p.fail("no thread found under the board")
        held = sum(1 for slot in p.board.thread(shot, column) if slot > 0)
        if held == 8:
            return
        target = column_to_pull(p.board.board(shot), column)
        if target is None:
            drop_until(p, lambda b: column_to_pull(b) is not None)
            continue
        move_thread(p, target)
        p.key("Down")
        p.wait_for("one more gem on the thread",
                   lambda s: sum(1 for slot in p.board.thread(s, target) if slot > 0) == held + 1, 10)
    p.fail("the thread could not be filled")


def flush_thread(p):
    move_thread(p, TUBE_COLUMN)
    p.key("Up")
    expected = f"{FLUSH_POINTS:05d}"
    p.wait_for(f"the thread emptied into the tube and the score {expected}",
               lambda s: p.board.thread(s, TUBE_COLUMN) == [0] * 8 and p.read_digits(s, *SCORE_DIGITS) == expected)


def board_full(board):
    return any(board[0][c] and board[1][c] for c in range(len(board[0])))


def play_to_the_end(p):
    """Hard drops until a column is full; returns (when the full board was first seen, the level shown)."""
    while True:
        drop_until(p, board_full, timeout=120)
        seen = time.monotonic()
        # A full column stays; a gem passing through the top row does not.
        if board_full(p.board.board(p.shot())):
            break
    # Only the units digit: the tens sprite keeps the colour of its last blink, which may be hidden (the
    # name prompt's blink ends on the game screen), and a game this short stays below level 10. A level
    # that has just risen blinks for 1.5 s.
    shot = p.wait_for("the level on the game screen", lambda s: p.read_digits(s, *LEVEL_UNITS).isdigit(), 3)
    return seen, p.read_digits(shot, *LEVEL_UNITS)


def end_screen_and_result(p, work, ended_at, level):
    before = os.stat(scores_path(work)).st_mtime_ns
    p.wait_for("the game screen to give way to the end screen",
               lambda s: not p.shows(s, "button_pause.png", PAUSE_X, GAME_BUTTON_Y), 30)
    delay = time.monotonic() - ended_at
    if not END_DELAY - END_DELAY_SLACK[0] <= delay <= END_DELAY + END_DELAY_SLACK[1]:
        p.fail(f"the end screen came {delay:.1f} s after the full board was seen, not about {END_DELAY:.0f} s")
    p.wait_page("congratulations.png")
    summary = p.wait_page("congratulations.png", timeout=10, also=[END_MESSAGE])
    score = p.read_digits(summary, *END_SCORE_DIGITS)
    if score != f"{FLUSH_POINTS:05d}":
        p.fail(f"the end screen shows the score {score}")
    if not level.isdigit() or p.read_digits(summary, *END_LEVEL_UNITS) != str(int(level) - 1):
        p.fail(f"the end screen's level count does not follow the level {level} of the game")
    results = ["0,0,0"] * 5
    results[2] = f"{FLUSH_POINTS},{int(level) - 1},0"
    expected = NAME + "\n" + "\n".join(results) + "\n[LAST_PLAYER]\n" + NAME + "\n"
    if not wait_until(lambda: read_scores(work) == expected, 5) or os.stat(scores_path(work)).st_mtime_ns == before:
        p.fail(f"after the game the high-score file holds {read_scores(work)!r}, not {expected!r}")
    print(f"end screen {delay:.1f} s after the full board; result line {results[2]}")


def played_out_game(p, work):
    start_game(p)
    drop_until(p, lambda b: sum(1 for row in b for code in row if code) >= 12)
    fill_thread(p)
    flush_thread(p)
    ended_at, level = play_to_the_end(p)
    end_screen_and_result(p, work, ended_at, level)
    p.key("space")
    wait_main_menu(p)


def escape_quits(p):
    p.key("Escape")
    code = p.game.wait_exit(10)
    if code != 0:
        p.fail(f"Escape on the main menu ended the game with {code}, not 0")


def run(p, work, capture):
    if not p.game.wait_started():
        p.fail("the game showed no frame")
    splash_music_and_m_key(p, capture)
    menu_hover(p)
    start_without_player_and_name_entry(p, work, capture)
    choose_hard(p)
    audio_buttons(p, start_game(p))
    thread_keys(p)
    hard_drop_with_sound(p, capture)
    pull_and_push(p)
    pause_and_resume(p)
    p.key("b")
    wait_main_menu(p)
    played_out_game(p, work)
    escape_quits(p)
    report = p.game.fault_report()
    if report:
        p.fail("sanitizer report:\n" + report)


def main(binary, repo):
    started = time.monotonic()
    session = XSession()
    work = prepare_workdir(repo)
    capture = AudioCapture(work)
    player = None
    try:
        game = GameRun(session, binary, work, capture.env())
        player = Player(session, game, os.path.join(repo, "assets"))
        run(player, work, capture)
    except Failure as error:
        report_failure(player, error, "tavrello-play")
        return 1
    finally:
        if player:
            player.game.stop()
        session.close()
        remove_workdir(work)
    print(f"play test passed in {time.monotonic() - started:.0f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
