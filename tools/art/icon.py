"""The 256x256 application icon: three gems strung on a gold thread on a night-blue tile."""
from PIL import Image, ImageDraw

from common import GOLD, INDIGO, LIGHT_GOLD, NIGHT, SS, canvas, paste, rrect_mask, shade, \
    vertical_gradient, with_alpha
from gems import gem_image

SIZE = 256


def app_icon():
    n = SIZE
    img = canvas(n, n)
    tile = with_alpha(vertical_gradient(n, n, [(0, INDIGO), (1, NIGHT)]),
                      rrect_mask(n, n, (8, 8, n - 8, n - 8), 48))
    img.alpha_composite(tile)
    big = canvas(n * SS, n * SS)
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((8 * SS, 8 * SS, (n - 8) * SS, (n - 8) * SS), radius=48 * SS,
                        outline=GOLD, width=6 * SS)
    d.line((128 * SS, 8 * SS, 128 * SS, (n - 8) * SS), fill=shade(GOLD, -0.1), width=5 * SS)
    img.alpha_composite(big.resize((n, n), Image.LANCZOS))
    for name, y, size in ((9, 14, 86), ("diamond", 96, 74), (6, 166, 76)):
        paste(img, gem_image(name, size, engraved=False), (128 - size // 2, y))
    d = ImageDraw.Draw(img)
    for y in (96, 164):
        d.ellipse((123, y - 5, 133, y + 5), fill=LIGHT_GOLD, outline=shade(GOLD, -0.5))
    return img
