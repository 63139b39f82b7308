"""End-to-end test of the real binary on a 2560x1080 display: the pictures stretch to the wider screen
and every button reacts exactly where it is drawn (hover, About and back, the volume arrows of the
settings page, Start, and the game screen's quit button, which ends the program with code 0)."""
import os
import sys
import time

from player import Failure, Player, report_failure
from xsession import GameRun, XSession, prepare_workdir, read_scores, remove_workdir

WIDTH, HEIGHT = 2560, 1080
SCORES = "Alpha\n1450,4,3\n0,0,0\n220,1,0\n0,0,0\n0,0,0\n[LAST_PLAYER]\nAlpha\n"
ABOUT = ("about_gray.png", "about_pink.png", 857, 775, 206, 110)
QUIT_CENTRE = (859 + 101, 911 + 55)
SETTINGS_CENTRE = (856 + 104, 504 + 55)
START_CENTRE = (858 + 102, 367 + 55)
MUSIC_UP_CENTRE = (403 + 40, 341 + 40)
SOUND_DOWN_CENTRE = (403 + 40, 826 + 40)
MUSIC_DIGITS = ("digit_", 398, 432, 25, 3)
SOUND_DIGITS = ("digit_", 398, 769, 25, 3)
GAME_QUIT_CENTRE = (1847 + 32, 22 + 32)
AWAY = (300, 200)  # a point of the main menu with no button


def wait_main_menu(p):
    p.wait_for("the main menu with its buttons",
               lambda s: p.page(s) == "menu_page.png" and p.shows(s, "start_gray.png", 858, 367))


def about_and_back(p):
    gray, pink, x, y, width, height = ABOUT
    p.wait_for("About in its normal picture", lambda s: p.shows(s, gray, x, y))
    p.session.move_to(x + width // 2, y + height // 2)
    p.wait_for("About in its hover picture", lambda s: p.shows(s, pink, x, y))
    p.click(x + width // 2, y + height // 2)
    p.wait_page("about.png")
    # The click that leaves the About page lands where Quit stands on the main menu: it must not quit.
    p.click(*QUIT_CENTRE)
    p.wait_page("menu_page.png")
    p.session.move_to(*AWAY)
    wait_main_menu(p)


def volume_arrows(p):
    p.click(*SETTINGS_CENTRE)
    p.wait_page("settings.png", also=[("upArrow.png", 403, 341), ("normalActive.png", 879, 335)])
    # The read-outs are laid out when the page first handles a click; the click that opened the page
    # does that only while its press is still in force on the page, which a busy machine may miss.
    p.click(*AWAY)
    p.wait_for("the starting volumes 002 and 020",
               lambda s: (p.read_digits(s, *MUSIC_DIGITS), p.read_digits(s, *SOUND_DIGITS)) == ("002", "020"))
    p.click(*MUSIC_UP_CENTRE)
    p.wait_for("the music volume one higher", lambda s: p.read_digits(s, *MUSIC_DIGITS) == "003")
    p.click(*SOUND_DOWN_CENTRE)
    p.wait_for("the sound volume one lower", lambda s: p.read_digits(s, *SOUND_DIGITS) == "019")
    if p.read_digits(p.shot(), *MUSIC_DIGITS) != "003":
        p.fail("the sound arrow changed the music volume")
    p.key("Escape")
    p.session.move_to(*AWAY)
    wait_main_menu(p)


def game_and_quit_button(p):
    p.click(*START_CENTRE)
    p.wait_page("game:background.png", also=[("button_quit.png", 1847, 22), ("button_pause.png", 1771, 22)])
    p.wait_for("the thread under its first column", lambda s: p.board.thread_column(s) == 6)
    p.click(*GAME_QUIT_CENTRE)
    code = p.game.wait_exit(10)
    if code != 0:
        p.fail(f"the game's quit button ended the game with {code}, not 0")


def run(p, work):
    if not p.game.wait_started():
        p.fail("the game showed no frame")
    p.wait_page("start_page.png")
    p.click(960, 700)
    p.session.move_to(*AWAY)
    wait_main_menu(p)
    about_and_back(p)
    volume_arrows(p)
    game_and_quit_button(p)
    if read_scores(work) != SCORES:
        p.fail(f"the high-score file changed without a finished game: {read_scores(work)!r}")
    report = p.game.fault_report()
    if report:
        p.fail("sanitizer report:\n" + report)


def main(binary, repo):
    started = time.monotonic()
    session = XSession(WIDTH, HEIGHT)
    work = prepare_workdir(repo, SCORES)
    player = None
    try:
        game = GameRun(session, binary, work)
        player = Player(session, game, os.path.join(repo, "assets"))
        run(player, work)
    except Failure as error:
        report_failure(player, error, "tavrello-scaling")
        return 1
    finally:
        if player:
            player.game.stop()
        session.close()
        remove_workdir(work)
    print(f"scaling test passed in {time.monotonic() - started:.0f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
