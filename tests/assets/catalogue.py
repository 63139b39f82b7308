"""The pictures the game loads, where it places them and the sizes they must keep.

Written from the game's layout, independently of the generator, so the checks compare the
generator's output with what the game expects.
"""
import os
import sys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ASSETS = os.path.join(REPO, "assets")
ICON = os.path.join(REPO, "dist", "icons", "tavrello.png")
SCREEN = (1920, 1080)

FULL_SCREEN = ["start_page", "menu_page", "settings", "instructions", "about", "background",
               "backgroundCasual", "backgroundColorLines", "nature", "game_over",
               "congratulations"]
# Pages drawn straight onto the black window: a hole would show black.
OPAQUE = ["start_page", "menu_page", "settings", "instructions", "about", "nature", "game_over",
          "congratulations"]

MENU_BUTTONS = {"start": (858, 367), "settings": (856, 504), "instructions": (855, 640),
                "about": (857, 775), "quit": (859, 911)}
MODE_BUTTONS = {"easy": (906, 260), "normal": (879, 335), "hard": (907, 410),
                "veryHard": (854, 485), "ColorLines": (846, 663), "casual": (883, 738)}
BACK = (832, 861)
# Three plain digits 25 apart, 22 wide and 34 high, at (398, 432) and (398, 769).
VOLUME_READOUTS = [(398, 432, 398 + 72, 432 + 34), (398, 769, 398 + 72, 769 + 34)]
ARROWS = {"upArrow": [(403, 341), (403, 678)], "downArrow": [(403, 489), (403, 826)]}
GAME_BUTTONS = {"button_music_on": 1543, "button_music_off": 1543, "button_sound_on": 1619,
                "button_sound_off": 1619, "button_main_menu": 1695, "button_pause": 1771,
                "button_resume": 1771, "button_quit": 1847}
GAME_BUTTON_Y = 22
GEMS = ["thread_segment", "gem_90", "gem_80", "gem_70", "gem_60", "gem_50", "gem_40", "gem_30",
        "gem_20", "gem_diamond", "gem_trash"]
PLAIN_DIGITS = ["digit_%d" % d for d in range(10)] + ["digit_colon"]
LARGE_DIGITS = ["digit_b%d" % d for d in range(10)]
MESSAGES = ["GO1", "GO2", "GO3", "GO4"]
MESSAGE_POS = (695, 571)
NAME_FIELD_POS = (1349, 202)
TUBE_POS = (1773, 113)


def menu_button_files():
    out = {}
    for name, pos in MENU_BUTTONS.items():
        gray = "instructions_gary" if name == "instructions" else name + "_gray"
        out[gray] = pos
        out[name + "_pink"] = pos
    return out


def mode_button_files():
    out = {}
    for name, pos in MODE_BUTTONS.items():
        out[name] = pos
        out[name + "Active"] = pos
    return out


def all_names():
    names = list(FULL_SCREEN) + list(menu_button_files()) + list(mode_button_files())
    names += ["back", "upArrow", "downArrow", "TrashTube", "enterYourName", "cursor"]
    names += list(GAME_BUTTONS) + GEMS + PLAIN_DIGITS + LARGE_DIGITS + MESSAGES
    return names


def path(name, folder=ASSETS):
    return os.path.join(folder, name + ".png")


def assets_dir():
    """The folder to check: the first command-line argument, or the repository's assets/."""
    return sys.argv[1] if len(sys.argv) > 1 else ASSETS


class Report:
    """Collects failures so one run lists every problem, then sets the exit status."""

    def __init__(self):
        self.failures = []

    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
        return ok

    def finish(self, what):
        for f in self.failures:
            print("FAIL:", f)
        if self.failures:
            print("%s: %d problem(s)" % (what, len(self.failures)))
            return 1
        print("%s: all good" % what)
        return 0
