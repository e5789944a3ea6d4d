#!/usr/bin/env python3
"""Draws Velquor's tool bar and application icons into ui/icons/.

Run by hand after changing a drawing (the build only uses the committed PNGs):
    python3 data/icons/make_icons.py          # every icon
    python3 data/icons/make_icons.py undo     # only the named ones
Needs Pillow (Debian: python3-pil). Every icon is drawn at four times its size
and scaled down, which gives smooth edges at 16 x 16.
"""
import colorsys
import math
import os

import sys

from PIL import Image, ImageDraw, ImageFilter, ImageOps

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "ui", "icons"))
S = 4  # supersampling factor


def canvas(size):
    img = Image.new("RGBA", (size * S, size * S), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def p(*xy):
    """Scales 16-grid coordinates to the supersampled canvas."""
    return [v * S for v in xy]


def save(img, size, name):
    img.resize((size, size), Image.LANCZOS).save(os.path.join(OUT, name), optimize=True)


def icon_open():
    img, d = canvas(16)
    # back of the folder with its tab
    d.polygon(p(1, 3, 6, 3, 7, 5, 14, 5, 14, 13, 1, 13), fill=(196, 140, 30), outline=(120, 80, 10))
    # open front flap, tilted forward
    d.polygon(p(3, 7, 15.5, 7, 13.5, 13.5, 1, 13.5), fill=(250, 206, 80), outline=(140, 96, 16))
    save(img, 16, "open.png")


def icon_save():
    img, d = canvas(16)
    d.rounded_rectangle(p(1, 1, 15, 15), radius=1.5 * S, fill=(40, 80, 170), outline=(20, 40, 100))
    d.rectangle(p(4, 1.5, 12, 6), fill=(220, 226, 236))        # shutter
    d.rectangle(p(9.5, 2.2, 11, 5.3), fill=(40, 80, 170))       # shutter window
    d.rectangle(p(3, 8.5, 13, 14.5), fill=(250, 250, 250))      # label
    for y in (10.3, 12.3):
        d.line(p(4.5, y, 11.5, y), fill=(150, 160, 180), width=S // 2)
    save(img, 16, "save.png")


def icon_palette():
    img, d = canvas(16)
    d.ellipse(p(0.8, 2, 15.2, 14.5), fill=(232, 200, 150), outline=(130, 96, 50), width=S // 2 + 1)
    d.ellipse(p(8.6, 9, 11.6, 12), fill=(0, 0, 0, 0))           # thumb hole
    d.arc(p(8.6, 9, 11.6, 12), 0, 360, fill=(130, 96, 50), width=S // 2)
    for (x, y), c in zip([(3.6, 6.6), (6.4, 4.4), (9.8, 4.4), (12.4, 6.8), (4.2, 10.2)],
                         [(220, 30, 30), (250, 200, 0), (30, 160, 50), (30, 90, 220), (150, 40, 170)]):
        d.ellipse(p(x - 1.4, y - 1.4, x + 1.4, y + 1.4), fill=c)
    save(img, 16, "palette.png")


def icon_imgsave():
    img, d = canvas(16)
    d.rectangle(p(0.5, 1.5, 12.5, 11.5), fill=(255, 255, 255), outline=(70, 70, 90), width=S // 2 + 1)
    d.rectangle(p(1.5, 2.5, 11.5, 10.5), fill=(140, 200, 250))  # sky
    d.ellipse(p(7.5, 3.3, 10, 5.8), fill=(255, 210, 40))         # sun
    d.polygon(p(1.5, 10.5, 5, 5.5, 8, 9, 9.5, 7.5, 11.5, 10.5), fill=(50, 140, 60))
    # green arrow down into the picture's corner: "save it"
    d.rectangle(p(11.2, 7.5, 13.8, 11.5), fill=(20, 150, 40))
    d.polygon(p(9, 11.3, 16, 11.3, 12.5, 15.5), fill=(20, 150, 40))
    save(img, 16, "imgsave.png")


def icon_function():
    img, d = canvas(16)
    ink = (30, 40, 120)
    w = int(1.5 * S)
    # f: a hook at the top, a slanting stem and a cross bar
    d.arc(p(3.6, 1.2, 7.6, 5.2), 180, 320, fill=ink, width=w)
    d.line(p(3.7, 3.2, 2.6, 14.2), fill=ink, width=w)
    d.line(p(1.2, 6.5, 5.6, 6.5), fill=ink, width=int(1.2 * S))
    # parentheses
    d.arc(p(6.2, 4.5, 10.2, 15.5), 115, 245, fill=ink, width=int(1.1 * S))
    d.arc(p(11.6, 4.5, 15.6, 15.5), -65, 65, fill=ink, width=int(1.1 * S))
    # x
    d.line(p(9.0, 7.8, 12.6, 12.6), fill=(190, 30, 30), width=int(1.3 * S))
    d.line(p(12.6, 7.8, 9.0, 12.6), fill=(190, 30, 30), width=int(1.3 * S))
    save(img, 16, "function.png")


def drop(d, cx, top, r, fill):
    d.polygon(p(cx, top, cx - r * 0.92, top + r * 1.9, cx + r * 0.92, top + r * 1.9), fill=fill)
    d.ellipse(p(cx - r, top + r * 1.3, cx + r, top + r * 3.3), fill=fill)


def icon_shadeoff():
    img, d = canvas(16)
    drop(d, 10.5, 0.8, 3.6, (40, 120, 220, 255))
    img = img.filter(ImageFilter.GaussianBlur(1.3 * S))          # the blurred drop behind
    d = ImageDraw.Draw(img)
    drop(d, 5.2, 3.5, 3.3, (20, 80, 200, 255))
    d.ellipse(p(3.6, 10, 5.0, 11.6), fill=(200, 230, 255, 255))  # highlight
    save(img, 16, "shadeoff.png")


def icon_random():
    img, d = canvas(16)
    d.rounded_rectangle(p(1, 1, 15, 15), radius=3 * S, fill=(252, 252, 252), outline=(60, 60, 60), width=S // 2 + 1)
    for x, y in [(4.6, 4.6), (11.4, 4.6), (8, 8), (4.6, 11.4), (11.4, 11.4)]:
        d.ellipse(p(x - 1.5, y - 1.5, x + 1.5, y + 1.5), fill=(200, 20, 40) if (x, y) == (8, 8) else (20, 20, 20))
    save(img, 16, "random.png")


def turn_back_arrow():
    """An arrow that bends back over the top and points down at the left."""
    img, d = canvas(16)
    ink = (30, 90, 200)
    d.arc(p(3.5, 3.5, 14.5, 14.5), 180, 385, fill=ink, width=int(2.2 * S))
    d.polygon(p(0.3, 8.2, 7.7, 8.2, 4.0, 13.2), fill=ink)
    return img


def icon_undo():
    save(turn_back_arrow(), 16, "undo.png")


def icon_redo():
    save(ImageOps.mirror(turn_back_arrow()), 16, "redo.png")


def swirl(size):
    """A pattern of the program's own kind: rings swirled about the centre."""
    n = size * S
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    px = img.load()
    c = (n - 1) / 2
    for y in range(n):
        for x in range(n):
            dx, dy = (x - c) / c, (y - c) / c
            r = math.hypot(dx, dy)
            if r > 0.98:
                continue
            a = math.atan2(dy, dx) + 5.0 * math.sqrt(r)
            v = (r * 1.2 + a / (2 * math.pi)) % 1.0
            h = (v + 0.15 * math.cos(3 * a)) % 1.0
            light = 0.45 + 0.15 * math.cos(12 * r)
            rr, gg, bb = colorsys.hls_to_rgb(h, light, 0.95)
            px[x, y] = (int(rr * 255), int(gg * 255), int(bb * 255), 255)
    d = ImageDraw.Draw(img)
    d.ellipse((n * 0.01, n * 0.01, n * 0.99, n * 0.99), outline=(30, 30, 60, 255), width=max(2, n // 40))
    return img


def icon_velquor():
    for size, name in ((32, "velquor.png"), (256, "velquor-256.png")):
        save(swirl(size), size, name)


def icon_about():
    img, d = canvas(32)
    d.ellipse(p(1, 1, 31, 31), fill=(40, 110, 200), outline=(20, 50, 110), width=S)
    d.ellipse(p(14, 6, 18, 10), fill=(255, 255, 255))
    d.rounded_rectangle(p(14, 12.5, 18, 26), radius=S, fill=(255, 255, 255))
    d.rectangle(p(12, 12.5, 16, 14.5), fill=(255, 255, 255))
    d.rectangle(p(12, 24, 20, 26), fill=(255, 255, 255))
    save(img, 32, "about.png")


def icon_browser():
    """Three rows of a list, each a strip of colours."""
    img, d = canvas(16)
    d.rectangle(p(0.5, 0.5, 15.5, 15.5), fill=(250, 250, 250), outline=(90, 90, 90), width=S // 2 + 1)
    for row, hue0 in enumerate((0.0, 0.33, 0.6)):
        top = 2.2 + row * 4.4
        for k in range(6):
            rr, gg, bb = colorsys.hls_to_rgb((hue0 + k * 0.07) % 1.0, 0.5, 0.9)
            d.rectangle(p(2 + k * 2, top, 4 + k * 2, top + 3), fill=(int(rr * 255), int(gg * 255), int(bb * 255)))
    save(img, 16, "browser.png")


def icon_cycle():
    """A ring of colours with an arrow head: the colours going round."""
    img, d = canvas(16)
    steps = 24
    for k in range(steps):
        rr, gg, bb = colorsys.hls_to_rgb(k / steps, 0.5, 0.95)
        d.arc(p(1.5, 1.5, 14.5, 14.5), 90 + k * 300 / steps, 90 + (k + 1) * 300 / steps + 2,
              fill=(int(rr * 255), int(gg * 255), int(bb * 255)), width=int(2.6 * S))
    d.polygon(p(8.3, 0.0, 8.3, 5.6, 4.2, 2.8), fill=(200, 30, 120))
    save(img, 16, "cycle.png")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    icons = (icon_open, icon_save, icon_undo, icon_redo, icon_palette, icon_imgsave, icon_function,
             icon_shadeoff, icon_random, icon_velquor, icon_about, icon_browser, icon_cycle)
    wanted = set(sys.argv[1:])
    for f in icons:
        if not wanted or f.__name__[len("icon_"):] in wanted:
            f()
    print("icons written to", OUT)
