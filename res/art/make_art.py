#!/usr/bin/python3
"""Draws every picture of the launcher: the PNG skin, the login frame bitmap,
the program icon and the uninstall icon, plus a contact sheet for review.

Run it from anywhere with Debian's Python (Pillow is python3-pil):

    /usr/bin/python3 res/art/make_art.py

It needs the fonts listed in FONTS (Debian packages fonts-wqy-microhei,
fonts-arphic-ukai, fonts-linuxlibertine, fonts-dejavu-core) and optipng.
The output is committed, so the build itself needs neither fonts nor Python.
Everything is drawn from code; the few scattered details use a fixed seed, so
a run gives the same files every time.

One theme runs through all of it: deep jade green faces, gold trim and
lettering, soft glows, and Chinese ornament (key-fret borders, seals).
"""

import io
import math
import os
import random
import struct
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
ROOT = os.path.dirname(RES)
PNG_DIR = os.path.join(RES, "png")
SHEET = os.path.join(ROOT, "docs", "art", "contact-sheet.png")

SS = 4  # supersampling factor for anti-aliased shapes

# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------
INK = (4, 15, 11)
DEEP = (8, 30, 22)
FOREST = (15, 50, 37)
JADE = (28, 86, 63)
JADE_LT = (64, 142, 106)
MINT = (150, 205, 175)
GOLD_DK = (120, 86, 34)
GOLD = (203, 174, 91)  # the splash's version text colour
GOLD_LT = (240, 214, 148)
GOLD_PALE = (218, 194, 157)  # the message box's text colour
CREAM = (255, 243, 205)  # the caption strip's server name colour
SEAL_RED = (168, 34, 28)

# Gradient ramps: (position 0..1, colour) stops.
GOLD_RAMP = [(0.0, (255, 246, 205)), (0.45, (238, 200, 112)), (0.55, (214, 168, 74)), (1.0, (150, 104, 38))]
GOLD_RIM = [(0.0, (255, 236, 170)), (0.5, (196, 152, 66)), (1.0, (110, 76, 28))]

FONTS = {
    "hei": ("WenQuanYi Micro Hei", "fonts-wqy-microhei"),
    "kai": ("AR PL UKai CN", "fonts-arphic-ukai"),
    "serif_bold": ("Linux Libertine O:bold", "fonts-linuxlibertine"),
    "serif_bold_italic": ("Linux Libertine O:bold:italic", "fonts-linuxlibertine"),
    "label": ("DejaVu Sans", "fonts-dejavu-core"),
    "label_bold": ("DejaVu Sans:bold", "fonts-dejavu-core"),
}


def die(message):
    sys.stderr.write("make_art: %s\n" % message)
    sys.exit(1)


_font_files = {}


def font(key, size, raqm=False):
    """A font of FONTS by key, found through fontconfig (no fixed paths)."""
    if key not in _font_files:
        pattern, package = FONTS[key]
        try:
            out = subprocess.run(
                ["fc-match", "-f", "%{file}|%{index}|%{family}", pattern],
                capture_output=True, text=True, check=True).stdout
        except (OSError, subprocess.CalledProcessError) as e:
            die("fc-match failed (%s); install fontconfig" % e)
        path, index, families = out.split("|", 2)
        wanted = pattern.split(":")[0].lower()
        if wanted not in [f.strip().lower() for f in families.split(",")]:
            die("font '%s' is missing; install the Debian package %s" % (wanted, package))
        _font_files[key] = (path, int(index))
    path, index = _font_files[key]
    engine = ImageFont.Layout.RAQM if raqm else ImageFont.Layout.BASIC
    return ImageFont.truetype(path, size, index=index, layout_engine=engine)


# ---------------------------------------------------------------------------
# Drawing helpers
# ---------------------------------------------------------------------------
def lut(stops):
    """Three 256-entry lookup tables (r, g, b) for a multi-stop ramp."""
    tables = ([], [], [])
    for i in range(256):
        t = i / 255.0
        for k in range(len(stops) - 1):
            p0, c0 = stops[k]
            p1, c1 = stops[k + 1]
            if t <= p1 or k == len(stops) - 2:
                u = 0.0 if p1 == p0 else min(1.0, max(0.0, (t - p0) / (p1 - p0)))
                for ch in range(3):
                    tables[ch].append(int(round(c0[ch] + (c1[ch] - c0[ch]) * u)))
                break
    return tables


def colorize(mask, stops, alpha=255):
    """Maps an L image through a ramp into an RGBA image."""
    r, g, b = lut(stops)
    return Image.merge("RGBA", (mask.point(r), mask.point(g), mask.point(b), Image.new("L", mask.size, alpha)))


def vramp(w, h, stops, y0=0, y1=None):
    """Vertical gradient over rows y0..y1 (clamped outside), as RGBA."""
    y1 = h if y1 is None else y1
    col = Image.new("L", (1, h))
    span = max(1, y1 - y0 - 1)
    col.putdata([int(round(255 * min(1.0, max(0.0, (y - y0) / span)))) for y in range(h)])
    return colorize(col.resize((w, h)), stops)


def hramp(w, h, stops):
    row = Image.new("L", (w, 1))
    row.putdata([int(round(255 * x / max(1, w - 1))) for x in range(w)])
    return colorize(row.resize((w, h)), stops)


def radial(w, h, cx, cy, rx, ry=None):
    """L image: 0 at (cx, cy) growing to 255 at the ellipse of radii rx, ry."""
    ry = rx if ry is None else ry
    out = Image.new("L", (w, h), 255)
    # Pillow's gradient reaches 255 only in its corners; stretch it so that the
    # inscribed circle is 255 and nothing outside the circle steps.
    g = Image.radial_gradient("L").point(lambda v: min(255, int(round(v * 255 / 181.0))))
    g = g.resize((max(1, int(2 * rx)), max(1, int(2 * ry))), Image.BILINEAR)
    out.paste(g, (int(round(cx - rx)), int(round(cy - ry))))
    return out


def scale_alpha(mask, factor):
    return mask.point(lambda v: int(round(min(255, v * factor))))


def paint(canvas, mask, src, opacity=1.0):
    """Source-over `src` (a colour or an RGBA image of canvas size) through `mask`."""
    if isinstance(src, tuple):
        src = Image.new("RGBA", canvas.size, src if len(src) == 4 else src + (255,))
    a = ImageChops.multiply(src.getchannel("A"), mask)
    if opacity < 1.0:
        a = scale_alpha(a, opacity)
    layer = src.copy()
    layer.putalpha(a)
    canvas.alpha_composite(layer)


def glow(canvas, mask, colour, radius, strength=1.0):
    paint(canvas, scale_alpha(mask.filter(ImageFilter.GaussianBlur(radius)), strength), colour)


def shifted(mask, dx, dy):
    out = Image.new("L", mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


def grow(mask, px):
    for _ in range(px):
        mask = mask.filter(ImageFilter.MaxFilter(3))
    return mask


def shrink(mask, px):
    for _ in range(px):
        mask = mask.filter(ImageFilter.MinFilter(3))
    return mask


def cut(a, b):
    """a minus b, for masks."""
    return ImageChops.subtract(a, b)


class Mask:
    """A supersampled L canvas for anti-aliased shapes, in 1x coordinates."""

    def __init__(self, w, h, s=SS):
        self.w, self.h, self.s = w, h, s
        self.img = Image.new("L", (w * s, h * s), 0)
        self.d = ImageDraw.Draw(self.img)

    def _box(self, x0, y0, x1, y1):
        s = self.s
        return [x0 * s, y0 * s, x1 * s - 1, y1 * s - 1]

    def rrect(self, x0, y0, x1, y1, r, fill=255):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * self.s, fill=fill)
        return self

    def rect(self, x0, y0, x1, y1, fill=255):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill)
        return self

    def ellipse(self, x0, y0, x1, y1, fill=255):
        self.d.ellipse(self._box(x0, y0, x1, y1), fill=fill)
        return self

    def circle(self, cx, cy, r, fill=255):
        return self.ellipse(cx - r, cy - r, cx + r, cy + r, fill)

    def ring(self, cx, cy, r, width, fill=255):
        self.circle(cx, cy, r, fill)
        return self.circle(cx, cy, r - width, 0)

    def poly(self, pts, fill=255):
        self.d.polygon([(x * self.s, y * self.s) for x, y in pts], fill=fill)
        return self

    def line(self, pts, width, fill=255, caps=True):
        s = self.s
        self.d.line([(x * s, y * s) for x, y in pts], fill=fill, width=max(1, int(round(width * s))), joint="curve")
        if caps:
            for x, y in (pts[0], pts[-1]):
                self.circle(x, y, width / 2.0, fill)
        return self

    def arc(self, cx, cy, r, start, end, width, fill=255):
        s = self.s
        self.d.arc([(cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s], start, end, fill=fill,
                   width=max(1, int(round(width * s))))
        return self

    def done(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def text_mask(size, text, fnt, xy, anchor="la", features=None, spacing=0):
    """The coverage of a text as an L image of `size`; `spacing` adds tracking."""
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    if spacing == 0:
        d.text(xy, text, font=fnt, fill=255, anchor=anchor, features=features)
        return m
    widths = [d.textlength(ch, font=fnt, features=features) for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x, y = xy
    if anchor[0] == "m":
        x -= total / 2.0
    elif anchor[0] == "r":
        x -= total
    for ch, w in zip(text, widths):
        d.text((x, y), ch, font=fnt, fill=255, anchor="l" + anchor[1], features=features)
        x += w + spacing
    return m


def text_width(text, fnt, features=None):
    return ImageDraw.Draw(Image.new("L", (1, 1))).textlength(text, font=fnt, features=features)


def bbox_of(mask):
    return mask.getbbox() or (0, 0, 0, 0)


def gold_fill(canvas, mask, stops=GOLD_RAMP):
    """Fills `mask` with a vertical gold ramp fitted to the mask's own height."""
    x0, y0, x1, y1 = bbox_of(mask)
    paint(canvas, mask, vramp(canvas.width, canvas.height, stops, y0, y1))


def gold_text(canvas, mask, outline=1, shadow=True, glow_radius=0, glow_strength=0.6, stops=GOLD_RAMP):
    """Gold lettering: drop shadow, dark outline, soft glow, ramp fill, top sheen."""
    if shadow:
        paint(canvas, shifted(grow(mask, outline).filter(ImageFilter.GaussianBlur(1.2)), 1, 2), INK + (220,))
    if glow_radius:
        glow(canvas, mask, (255, 214, 120), glow_radius, glow_strength)
    if outline:
        paint(canvas, grow(mask, outline), (30, 20, 6, 235))
    gold_fill(canvas, mask, stops)
    # A thin bright edge along the top of each stroke reads as a bevel.
    sheen = cut(mask, shifted(mask, 0, 1))
    paint(canvas, sheen, (255, 250, 225), 0.55)


def noise_tile(w, h, seed, amount):
    """Fixed-seed grain, centred on 128, as an L image."""
    rnd = random.Random(seed)
    tile = Image.new("L", (w, h))
    tile.putdata([128 + rnd.randint(-amount, amount) for _ in range(w * h)])
    return tile


def add_grain(canvas, seed, amount=5, opacity=1.0):
    """Soft film grain: lightens and darkens around neutral, keeps alpha."""
    g = noise_tile(canvas.width, canvas.height, seed, amount).filter(ImageFilter.GaussianBlur(0.6))
    light = g.point(lambda v: max(0, v - 128) * 6)
    dark = g.point(lambda v: max(0, 128 - v) * 6)
    alpha = canvas.getchannel("A")
    paint(canvas, scale_alpha(light, 0.08 * opacity), (255, 255, 230))
    paint(canvas, scale_alpha(dark, 0.10 * opacity), (0, 0, 0))
    canvas.putalpha(alpha)


def fret_strip(length, height, s=SS):
    """A running key-fret (回纹) band, drawn along x, as an L mask."""
    m = Mask(length, height, s)
    u = height * 1.0  # unit length
    lw = max(1.0, height / 9.0)
    top, bot = height * 0.2, height * 0.8
    mid = (top + bot) / 2
    x = -u / 2
    while x < length + u:
        a = x
        # Each unit: up the left side, over, down, back and a hook inwards.
        pts = [(a, bot), (a, top), (a + u * 0.78, top), (a + u * 0.78, bot - u * 0.18),
               (a + u * 0.3, bot - u * 0.18), (a + u * 0.3, mid - u * 0.02), (a + u * 0.55, mid - u * 0.02)]
        m.line(pts, lw, caps=False)
        m.line([(a, bot), (a + u, bot)], lw, caps=False)
        x += u
    return m.done()


# ---------------------------------------------------------------------------
# Small glyphs for the toolbar (drawn into a Mask at a given origin)
# ---------------------------------------------------------------------------
def glyph_close(m, cx, cy, r, w):
    m.line([(cx - r, cy - r), (cx + r, cy + r)], w)
    m.line([(cx + r, cy - r), (cx - r, cy + r)], w)


def glyph_minimise(m, cx, cy, r, w):
    m.line([(cx - r, cy + r * 0.35), (cx + r, cy + r * 0.35)], w)


def glyph_maximise(m, cx, cy, r, w):
    m.rect(cx - r, cy - r, cx + r, cy + r)
    m.rect(cx - r + w, cy - r + w * 1.8, cx + r - w, cy + r - w, 0)


def glyph_restore(m, cx, cy, r, w):
    o = r * 0.45
    # Back square, then the front square punched out of it and drawn.
    m.rect(cx - r + o, cy - r, cx + r, cy + r - o)
    m.rect(cx - r + o + w, cy - r + w, cx + r - w, cy + r - o - w, 0)
    m.rect(cx - r - w * 0.6, cy - r + o - w * 0.6, cx + r - o + w * 0.6, cy + r + w * 0.6, 0)
    m.rect(cx - r, cy - r + o, cx + r - o, cy + r)
    m.rect(cx - r + w, cy - r + o + w * 1.6, cx + r - o - w, cy + r - w, 0)


def icon_book(m, x, y):
    """An open book, 16 x 16 at (x, y)."""
    m.poly([(x + 1, y + 3.5), (x + 7.3, y + 5), (x + 7.3, y + 14), (x + 1, y + 12.5)])
    m.poly([(x + 15, y + 3.5), (x + 8.7, y + 5), (x + 8.7, y + 14), (x + 15, y + 12.5)])
    for k in range(3):
        yy = y + 6.8 + k * 2.0
        m.line([(x + 2.6, yy - 0.4), (x + 6.0, yy + 0.3)], 0.8, fill=0, caps=False)
        m.line([(x + 10.0, yy + 0.3), (x + 13.4, yy - 0.4)], 0.8, fill=0, caps=False)
    m.poly([(x + 10.5, y + 1), (x + 12.5, y + 1), (x + 12.5, y + 6), (x + 11.5, y + 5), (x + 10.5, y + 6)])


def icon_portrait(m, x, y):
    """A head and shoulders in a frame, 16 x 16 at (x, y)."""
    m.rrect(x + 1, y + 1, x + 15, y + 15, 2.2)
    m.rrect(x + 2.4, y + 2.4, x + 13.6, y + 13.6, 1.2, fill=0)
    m.circle(x + 8, y + 6.6, 2.6)
    m.d.pieslice([(x + 3.4) * m.s, (y + 9.8) * m.s, (x + 12.6) * m.s, (y + 19.6) * m.s], 180, 360, fill=255)
    m.rect(x + 2.4, y + 13.6, x + 13.6, y + 16, 0)


def icon_fullscreen(m, x, y):
    """Four arrows pointing out to the corners, 16 x 16 at (x, y)."""
    c = 8.0
    for sx, sy in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        tipx, tipy = x + c + sx * 6.6, y + c + sy * 6.6
        m.poly([(tipx, tipy), (tipx - sx * 4.6, tipy), (tipx, tipy - sy * 4.6)])
        m.line([(x + c + sx * 1.6, y + c + sy * 1.6), (tipx - sx * 1.6, tipy - sy * 1.6)], 1.5)


def icon_refresh(m, x, y):
    """Two circular arrows chasing each other, 16 x 16 at (x, y)."""
    cx, cy, r = x + 8, y + 8, 5.4
    m.arc(cx, cy, r, 200, 340, 1.7)
    m.arc(cx, cy, r, 20, 160, 1.7)
    for ang, d in ((340, 1), (160, 1)):
        a = math.radians(ang)
        px, py = cx + r * math.cos(a), cy + r * math.sin(a)
        tx, ty = -math.sin(a) * d, math.cos(a) * d  # direction of travel
        nx, ny = math.cos(a), math.sin(a)
        m.poly([(px + tx * 3.4, py + ty * 3.4), (px + nx * 2.8 - tx * 0.6, py + ny * 2.8 - ty * 0.6),
                (px - nx * 2.8 - tx * 0.6, py - ny * 2.8 - ty * 0.6)])


def icon_broom(m, x, y):
    """A broom, handle up to the right, 16 x 16 at (x, y)."""
    m.line([(x + 14.2, y + 1.2), (x + 8.2, y + 7.4)], 1.6)
    m.poly([(x + 6.0, y + 6.2), (x + 9.6, y + 9.8), (x + 8.6, y + 10.8), (x + 5.0, y + 7.2)])
    m.poly([(x + 5.0, y + 7.6), (x + 9.2, y + 11.8), (x + 5.2, y + 15.4), (x + 0.8, y + 14.6), (x + 0.8, y + 12.0)])
    for k in range(3):
        t = 0.28 + k * 0.22
        ax, ay = x + 5.0 + (9.2 - 5.0) * t, y + 7.6 + (11.8 - 7.6) * t
        m.line([(ax, ay), (ax - 3.6, ay + 3.4)], 0.55, fill=0, caps=False)


# ---------------------------------------------------------------------------
# Caption strip: tile 172, banner 203, right panel 206
# ---------------------------------------------------------------------------
STRIP_H = 30
STRIP_RAMP = [(0.0, (34, 92, 68)), (0.07, (24, 74, 54)), (0.5, (14, 48, 35)), (1.0, (7, 27, 20))]


def strip_background(w):
    """The caption strip's face: a dark jade ramp, a lit top edge, gold at the foot."""
    im = vramp(w, STRIP_H, STRIP_RAMP, 0, 28)
    d = ImageDraw.Draw(im)
    d.line([(0, 0), (w, 0)], fill=(58, 122, 94, 255))
    d.line([(0, 27), (w, 27)], fill=(5, 20, 15, 255))
    d.line([(0, 28), (w, 28)], fill=(176, 140, 66, 255))
    d.line([(0, 29), (w, 29)], fill=(60, 44, 16, 255))
    return im


def make_caption_tile():
    return strip_background(1)


def cloud_motif(m, cx, cy, r, w):
    """A small auspicious-cloud curl: a spiral with a trailing tail."""
    m.arc(cx, cy, r, 150, 420, w)
    m.arc(cx + r * 0.35, cy + r * 0.05, r * 0.55, 200, 470, w)
    m.arc(cx - r * 1.1, cy + r * 0.2, r * 0.62, 250, 400, w)


def make_caption_banner():
    w, h = 203, STRIP_H
    im = strip_background(w)
    # A faint cloud pattern behind the lettering.
    m = Mask(w, h)
    for cx, cy, r in ((44, 10, 5), (112, 19, 6), (168, 8, 4.5), (190, 20, 5)):
        cloud_motif(m, cx, cy, r, 0.9)
    paint(im, m.done(), GOLD_LT + (255,), 0.10)
    # A warm glow where the title sits.
    paint(im, radial(w, h, 70, 14, 80, 18).point(lambda v: 255 - v), (255, 210, 120, 255), 0.10)

    # Emblem medallion at the left.
    emblem = draw_emblem(48)
    emblem = emblem.resize((24, 24), Image.LANCZOS)
    im.alpha_composite(emblem, (5, 2))

    title = text_mask((w, h), "Ziradud", font("serif_bold_italic", 21), (34, 14), anchor="lm")
    gold_text(im, title, outline=1, glow_radius=3, glow_strength=0.35)
    tx1 = bbox_of(title)[2]

    # Divider diamond, then the portal's name in small pale gold.
    dm = Mask(w, h)
    dx = tx1 + 8
    dm.poly([(dx, 10.5), (dx + 3, 14), (dx, 17.5), (dx - 3, 14)])
    dm.line([(dx, 4), (dx, 8.5)], 0.8)
    dm.line([(dx, 19.5), (dx, 24)], 0.8)
    paint(im, dm.done(), GOLD + (255,))
    portal = text_mask((w, h), "Direrav", font("serif_bold", 12), (dx + 7, 15), anchor="lm", spacing=0.6)
    paint(im, shifted(portal, 1, 1), INK + (200,))
    paint(im, portal, GOLD_PALE + (255,))

    # Fade the right end into the plain strip so that the tile continues it.
    tail = hramp(w, h, [(0.0, (0, 0, 0)), (0.88, (0, 0, 0)), (1.0, (255, 255, 255))]).getchannel("R")
    plain = strip_background(w)
    paint(im, tail, plain)
    return im


def make_caption_right():
    w, h = 92, STRIP_H
    im = strip_background(w)
    # A recessed panel behind the window buttons.
    m = Mask(w, h).rrect(5, 2, w + 6, 27, 5).done()
    paint(im, m, vramp(w, h, [(0, (6, 24, 18)), (1, (12, 40, 30))], 2, 27), 0.85)
    inner = cut(m, shifted(m, 0, 1))
    paint(im, inner, (0, 0, 0, 255), 0.5)
    edge = cut(m, shifted(m, 1, 0))
    paint(im, edge, GOLD + (255,), 0.55)
    # Ornament on the left edge: a small gold lozenge.
    o = Mask(w, h).poly([(3, 10), (6, 14), (3, 18), (0, 14)]).done()
    paint(im, o, GOLD_LT + (255,))
    return im


# ---------------------------------------------------------------------------
# Window buttons (28 x 26) and toolbar buttons (x 24)
# ---------------------------------------------------------------------------
GLYPH_LIGHT = (236, 222, 184)


def light_glyph(size, draw):
    """A light glyph with a dark halo, on transparency."""
    w, h = size
    m = Mask(w, h)
    draw(m)
    mask = m.done()
    im = Image.new("RGBA", size, (0, 0, 0, 0))
    paint(im, mask.filter(ImageFilter.GaussianBlur(1.0)), INK + (255,), 0.85)
    paint(im, shifted(mask, 0, 1), INK + (255,), 0.8)
    paint(im, mask, vramp(w, h, [(0, (255, 248, 222)), (1, GLYPH_LIGHT)], 4, h - 4))
    return im


def dark_tile(size, radius, red=False):
    """The hover tile: sunk dark face, gold hairline border, a soft top sheen."""
    w, h = size
    im = Image.new("RGBA", size, (0, 0, 0, 0))
    outer = Mask(w, h).rrect(0, 0, w, h, radius).done()
    inner = Mask(w, h).rrect(1, 1, w - 1, h - 1, radius - 1).done()
    if red:
        face = vramp(w, h, [(0, (120, 30, 24)), (1, (70, 12, 10))])
        rim = (214, 120, 90)
    else:
        face = vramp(w, h, [(0, (8, 34, 25)), (1, (3, 14, 10))])
        rim = GOLD
    paint(im, outer, rim + (255,), 0.85)
    paint(im, inner, face)
    paint(im, radial(w, h, w / 2, 0, w * 0.7, h * 0.6).point(lambda v: 255 - v), (255, 240, 200, 255), 0.18)
    return im


def window_button(glyph, hover_red=False):
    """(normal, hover, pressed) for a 28 x 26 caption button."""
    w, h = 28, 26
    normal = light_glyph((w, h), glyph)
    hover = dark_tile((w, h), 4, hover_red)
    hover.alpha_composite(light_glyph((w, h), glyph))
    return normal, hover, normal.copy()


def toolbar_button(width, icon, caption):
    """(normal, hover, pressed) for a 24-pixel toolbar button with icon and caption."""
    h = 24
    fnt = font("hei", 12)
    tw = text_width(caption, fnt)
    gap = 3
    total = 16 + gap + tw
    x0 = int(round((width - total) / 2.0))

    def content():
        im = Image.new("RGBA", (width, h), (0, 0, 0, 0))
        m = Mask(width, h)
        icon(m, x0, 4)
        icon_mask = m.done()
        paint(im, icon_mask.filter(ImageFilter.GaussianBlur(1.0)), INK + (255,), 0.8)
        paint(im, shifted(icon_mask, 0, 1), INK + (255,), 0.7)
        paint(im, icon_mask, vramp(width, h, [(0, (255, 236, 170)), (1, (214, 168, 82))], 4, 20))
        t = text_mask((width, h), caption, fnt, (x0 + 16 + gap, 12.5), anchor="lm")
        paint(im, t.filter(ImageFilter.GaussianBlur(1.0)), INK + (255,), 0.9)
        paint(im, shifted(t, 0, 1), INK + (255,), 0.8)
        paint(im, t, GLYPH_LIGHT + (255,))
        return im

    normal = content()
    hover = dark_tile((width, h), 4)
    hover.alpha_composite(content())
    return normal, hover, normal.copy()


# ---------------------------------------------------------------------------
# Emblem (program icon and caption banner)
# ---------------------------------------------------------------------------
def draw_emblem(size, simple=False):
    """The game's emblem: a gold-rimmed jade medallion with a gold Z."""
    s = size
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    c = s / 2.0
    r = s / 2.0 - max(0.5, s / 64.0)
    rim_w = max(1.4, s * (0.12 if simple else 0.085))
    disc = Mask(s, s).circle(c, c, r).done()
    inner = Mask(s, s).circle(c, c, r - rim_w).done()
    if s >= 48:
        paint(im, Mask(s, s).circle(c, c + s * 0.02, r).done().filter(ImageFilter.GaussianBlur(s / 40.0)),
              (0, 0, 0, 255), 0.5)
    # Rim: a gold ramp lit from the top left, with a dark seam on both sides.
    rim = ImageChops.subtract(disc, inner)
    rim_ramp = Image.new("L", (s, s))
    rim_ramp.putdata([int(255 * min(1, max(0, (x + y) / (2.0 * s)))) for y in range(s) for x in range(s)])
    paint(im, rim, colorize(rim_ramp, GOLD_RIM))
    # Face: jade, lit from the upper left.
    face = colorize(radial(s, s, s * 0.38, s * 0.32, s * 0.85), [(0, (86, 170, 128)), (0.45, JADE), (1, DEEP)])
    paint(im, inner, face)
    if s >= 32:
        seam = cut(inner, shrink(inner, 1))
        paint(im, seam, (40, 24, 6, 255), 0.8)
        # Fine inner ring of gold.
        ring = Mask(s, s).ring(c, c, r - rim_w - s * 0.06, max(0.7, s * 0.018)).done()
        paint(im, ring, GOLD + (255,), 0.7)
    # The letter.
    fsize = int(round(s * (0.78 if simple else 0.66)))
    z = text_mask((s, s), "Z", font("serif_bold", fsize), (c + s * 0.01, c + s * 0.02), anchor="mm")
    paint(im, shifted(z, max(1, s // 40), max(1, s // 32)).filter(ImageFilter.GaussianBlur(max(0.5, s / 64.0))),
          (0, 0, 0, 255), 0.8)
    gold_fill(im, z)
    if s >= 32:
        paint(im, cut(z, shifted(z, 0, 1)), (255, 250, 220, 255), 0.6)
    # A glossy highlight over the upper half of the face.
    if s >= 24:
        gl = Mask(s, s).ellipse(c - r * 0.72, c - r * 0.9, c + r * 0.72, c + r * 0.15).done()
        fade = vramp(s, s, [(0, (255,) * 3), (1, (0,) * 3)], int(c - r), int(c)).getchannel("R")
        paint(im, ImageChops.multiply(ImageChops.multiply(gl, inner), fade), (255, 255, 240, 255), 0.22)
    return im


# ---------------------------------------------------------------------------
# Overlay: dimming pixel 275 and spinner frames 276..279
# ---------------------------------------------------------------------------
def make_spinner(lit, size=23):
    s = size
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    c = s / 2.0
    disc = Mask(s, s).circle(c, c, c - 0.3).done()
    inner = Mask(s, s).circle(c, c, c - 1.8).done()
    paint(im, disc, colorize(vramp(s, s, [(0, (255,) * 3), (1, (0,) * 3)]).getchannel("R"), GOLD_RIM))
    paint(im, inner, colorize(radial(s, s, c, c * 0.7, s * 0.7), [(0, (22, 70, 52)), (1, (4, 16, 12))]))
    # Squares clockwise from the top left; the lit one glows, the one before it fades.
    q = s * 0.22
    g = s * 0.045
    spots = [(c - g - q, c - g - q), (c + g, c - g - q), (c + g, c + g), (c - g - q, c + g)]
    trail = (lit - 1) % 4
    for k, (x, y) in enumerate(spots):
        m = Mask(s, s).rrect(x, y, x + q, y + q, 1.0).done()
        if k == lit:
            glow(im, m, (255, 214, 110, 255), 2.2, 1.4)
            paint(im, m, vramp(s, s, [(0, (255, 250, 214)), (1, (246, 196, 90))], int(y), int(y + q)))
        elif k == trail:
            paint(im, m, (170, 140, 70, 255))
        else:
            paint(im, m, (44, 104, 80, 255))
            paint(im, cut(m, shifted(m, 0, 1)), (90, 160, 128, 255), 0.8)
    return im


# ---------------------------------------------------------------------------
# Message box: face 304, plates 311..314, small cross 316
# ---------------------------------------------------------------------------
def ornament_line(canvas, x0, x1, y, colour, diamond=True):
    """A gold hairline that fades out at both ends, with a lozenge in the middle."""
    w = canvas.width
    m = Image.new("L", canvas.size, 0)
    ImageDraw.Draw(m).line([(x0, y), (x1, y)], fill=255)
    fade = hramp(w, canvas.height, [(0, (0,) * 3), (max(0.0, x0 / w), (0,) * 3),
                                    (min(1.0, (x0 + (x1 - x0) * 0.35) / w), (255,) * 3),
                                    (min(1.0, (x0 + (x1 - x0) * 0.65) / w), (255,) * 3),
                                    (min(1.0, x1 / w), (0,) * 3), (1, (0,) * 3)]).getchannel("R")
    paint(canvas, ImageChops.multiply(m, fade), colour)
    if diamond:
        cx = (x0 + x1) / 2.0
        d = Mask(canvas.width, canvas.height).poly([(cx, y - 3), (cx + 3.5, y + 0.5), (cx, y + 4), (cx - 3.5, y + 0.5)])
        paint(canvas, d.done(), colour)


def corner_brackets(canvas, x0, y0, x1, y1, arm, colour, width=1.0, opacity=1.0, corners=(0, 1, 2, 3)):
    """Gold L-shaped brackets with a dot, on the corners named (clockwise from top left)."""
    m = Mask(canvas.width, canvas.height)
    every = ((x0, y0, 1, 1), (x1, y0, -1, 1), (x1, y1, -1, -1), (x0, y1, 1, -1))
    for (cx, cy, sx, sy) in (every[k] for k in corners):
        m.line([(cx, cy + sy * arm), (cx, cy), (cx + sx * arm, cy)], width, caps=False)
        m.rect(min(cx + sx * 2, cx + sx * 4), min(cy + sy * 2, cy + sy * 4),
               max(cx + sx * 2, cx + sx * 4), max(cy + sy * 2, cy + sy * 4))
    paint(canvas, m.done(), colour, opacity)


def make_message_face():
    w, h = 253, 106
    im = vramp(w, h, [(0, (22, 68, 50)), (0.3, (13, 46, 34)), (1, (6, 24, 18))])
    # Lattice watermark: faint diagonal grid.
    lat = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(lat)
    for k in range(-h, w + h, 12):
        d.line([(k, 0), (k + h, h)], fill=255)
        d.line([(k + h, 0), (k, h)], fill=255)
    paint(im, lat, MINT + (255,), 0.035)
    # Centre light.
    paint(im, radial(w, h, w / 2, 46, 150, 60).point(lambda v: 255 - v), (120, 200, 160, 255), 0.10)
    # Title band.
    band = vramp(w, h, [(0, (30, 88, 64)), (1, (12, 42, 31))], 0, 30)
    m = Image.new("L", (w, h), 0)
    ImageDraw.Draw(m).rectangle([3, 3, w - 4, 29], fill=255)
    paint(im, m, band, 0.9)
    # The title's cartouche: a rounded gold-edged plaque centred where the title is drawn.
    cart = Mask(w, h).rrect(77, 6, 193, 28, 10).done()
    glow(im, cart, (255, 210, 120, 255), 3, 0.25)
    paint(im, cart, vramp(w, h, [(0, (10, 36, 27)), (1, (5, 20, 15))], 6, 28))
    paint(im, cut(cart, shrink(cart, 1)), GOLD + (255,), 0.8)
    for sx in (-1, 1):
        cx = 135 + sx * 58
        x_end = 135 + sx * 84
        ornament_line(im, min(cx, x_end), max(cx, x_end), 17, GOLD + (255,), diamond=False)
        dd = Mask(w, h).poly([(cx + sx * 6, 13.5), (cx + sx * 9.5, 17), (cx + sx * 6, 20.5), (cx + sx * 2.5, 17)])
        paint(im, dd.done(), GOLD_LT + (255,))
    ornament_line(im, 12, w - 12, 30, GOLD + (255,), diamond=False)
    # Frame: dark outer line, pale gold line, dark inner line.
    fr = ImageDraw.Draw(im)
    fr.rectangle([0, 0, w - 1, h - 1], outline=INK + (255,))
    fr.rectangle([1, 1, w - 2, h - 2], outline=GOLD_PALE + (255,))
    fr.rectangle([2, 2, w - 3, h - 3], outline=(60, 44, 16, 255))
    corner_brackets(im, 5, 5, w - 6, h - 6, 7, GOLD_LT + (255,), 1.0, 0.9, corners=(2, 3))
    # A round recess under the close cross, which the box draws at (228, 10), 11 x 10.
    well = Mask(w, h).circle(233.5, 15, 8.5).done()
    paint(im, well, vramp(w, h, [(0, (3, 14, 10)), (1, (16, 52, 38))], 7, 24), 0.9)
    paint(im, cut(grow(well, 1), well), GOLD + (255,), 0.45)
    add_grain(im, 304, 6, 0.6)
    return im


def plate(primary, lit, caption):
    """An 82 x 34 button plate with a caption."""
    w, h = 82, 34
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    x0, y0, x1, y1, r = 3, 3, w - 3, h - 4, 6
    body = Mask(w, h).rrect(x0, y0, x1, y1, r).done()
    rim = Mask(w, h).rrect(x0 - 1, y0 - 1, x1 + 1, y1 + 1, r + 1).done()
    # Shadow under the plate.
    paint(im, shifted(rim, 0, 2).filter(ImageFilter.GaussianBlur(1.4)), (0, 0, 0, 255), 0.7)
    if lit:
        glow(im, rim, (255, 214, 120, 255), 2.2, 0.9 if primary else 0.6)
    paint(im, rim, (28, 18, 4, 255))
    if primary:
        stops = ([(0, (255, 236, 168)), (0.5, (226, 180, 84)), (0.52, (204, 154, 60)), (1, (150, 104, 36))] if lit else
                 [(0, (236, 208, 140)), (0.5, (198, 156, 72)), (0.52, (176, 132, 52)), (1, (120, 82, 28))])
        text_colour, text_shadow = (40, 24, 4), (255, 240, 190)
    else:
        stops = ([(0, (70, 150, 112)), (0.5, (34, 100, 74)), (0.52, (24, 80, 58)), (1, (12, 46, 34))] if lit else
                 [(0, (46, 112, 84)), (0.5, (22, 72, 53)), (0.52, (15, 56, 41)), (1, (8, 32, 24))])
        text_colour, text_shadow = (CREAM if lit else GOLD_LT), (4, 14, 10)
    paint(im, body, vramp(w, h, stops, y0, y1))
    # Bevel: bright top edge inside, darker bottom edge.
    inner = shrink(body, 1)
    paint(im, cut(inner, shifted(inner, 0, 1)), (255, 255, 235, 255), 0.55 if primary else 0.35)
    paint(im, cut(inner, shifted(inner, 0, -1)), (0, 0, 0, 255), 0.35)
    paint(im, cut(body, inner), (GOLD_LT if not primary else (255, 240, 190)) + (255,), 0.7 if lit else 0.5)
    # Small studs at both ends, like the ends of a tablet.
    for cx in (x0 + 6.5, x1 - 6.5):
        stud = Mask(w, h).poly([(cx, 12.5), (cx + 2.5, 15.5), (cx, 18.5), (cx - 2.5, 15.5)]).done()
        paint(im, stud, text_colour + (255,), 0.55)
    t = text_mask((w, h), caption, font("hei", 15), (w / 2.0, 15.5), anchor="mm", spacing=3)
    paint(im, shifted(t, 0, 1), text_shadow + (255,), 0.6)
    paint(im, t, text_colour + (255,))
    return im


def make_small_cross():
    w, h = 11, 10
    m = Mask(w, h)
    glyph_close(m, 5.5, 5.0, 3.4, 1.5)
    mask = m.done()
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    paint(im, shifted(mask, 0, 1).filter(ImageFilter.GaussianBlur(0.6)), INK + (255,), 0.9)
    paint(im, mask, GOLD_PALE + (255,))
    return im


# ---------------------------------------------------------------------------
# Login pop-up round buttons 320..325 (29 x 30; the window shows 28 x 26 of them)
# ---------------------------------------------------------------------------
def round_button(kind, look):
    w, h = 29, 30
    cx, cy, r = 14.0, 13.0, 12.4
    im = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    rim = Mask(w, h).circle(cx, cy, r).done()
    face = Mask(w, h).circle(cx, cy, r - 1.8).done()
    paint(im, rim, colorize(vramp(w, h, [(0, (255,) * 3), (1, (0,) * 3)], 1, 26).getchannel("R"), GOLD_RIM))
    if look == "hover":
        stops = [(0, (98, 186, 142)), (0.55, (34, 106, 78)), (1, (12, 46, 34))]
    elif look == "pressed":
        stops = [(0, (8, 30, 22)), (0.6, (16, 54, 40)), (1, (26, 80, 60))]
    else:
        stops = [(0, (60, 140, 104)), (0.55, (22, 74, 55)), (1, (7, 30, 22))]
    lit_y = cy - 6 if look != "pressed" else cy + 6
    paint(im, face, colorize(radial(w, h, cx, lit_y, 18), stops))
    paint(im, cut(face, shrink(face, 1)), (30, 18, 4, 255), 0.7)
    if look != "pressed":
        gl = ImageChops.multiply(Mask(w, h).ellipse(cx - 8, cy - 10, cx + 8, cy - 1).done(), face)
        paint(im, gl, (255, 255, 240, 255), 0.14 if look == "normal" else 0.22)
    dy = 1 if look == "pressed" else 0
    g = Mask(w, h)
    if kind == "minimise":
        g.line([(cx - 5, cy + dy), (cx + 5, cy + dy)], 2.0)
    else:
        glyph_close(g, cx, cy + dy, 4.2, 2.0)
    gm = g.done()
    paint(im, shifted(gm, 0, 1), INK + (255,), 0.8)
    paint(im, gm, (CREAM if look == "hover" else GOLD_LT) + (255,))
    if look == "hover":
        glow(im, gm, (255, 220, 140, 255), 1.5, 0.6)
    return im


# ---------------------------------------------------------------------------
# Splash 319 (1210 x 746) and login frame bitmap 318 (690 x 513)
# ---------------------------------------------------------------------------
SPLASH_W, SPLASH_H = 1210, 746
POPUP_X, POPUP_Y, POPUP_W, POPUP_H = 372, 86, 690, 513
POPUP_STRIP = 61  # transparent rows at the top of the pop-up
PANEL_LIFT = 10  # the panel's header starts this far above the pop-up, around its buttons
KEY_GREEN = (0, 255, 0)
MIN_BTN = (605, 0, 28, 28)  # pop-up client coordinates of the round buttons' windows
CLOSE_BTN = (633, 0, 28, 26)
HEALTH_NOTICE = ("抵制不良游戏，拒绝盗版游戏。注意自我保护，谨防受骗上当。",
                 "适度游戏益脑，沉迷游戏伤身。合理安排时间，享受健康生活。")


def ridge(w, base, peaks, waves):
    """Heights of a mountain line: a base, gaussian peaks and gentle waves."""
    ys = []
    for x in range(w + 1):
        y = base
        for cx, hgt, wid in peaks:
            y -= hgt * math.exp(-((x - cx) / wid) ** 2)
        for amp, per, ph in waves:
            y += amp * math.sin(x / per + ph)
        ys.append(y)
    return ys


def mountain_layer(canvas, ys, stops, top, mist_alpha):
    w, h = canvas.size
    m = Mask(w, h, 2)
    m.poly([(0, h)] + [(x, y) for x, y in enumerate(ys)] + [(w, h)])
    mask = m.done()
    paint(canvas, mask, vramp(w, h, stops, int(min(ys)), h))
    # Brush texture: fine vertical streaks, as in an ink painting's rock strokes.
    streaks = noise_tile(w, max(1, h // 24), len(ys) + int(ys[0]), 60).resize((w, h), Image.BILINEAR)
    streaks = streaks.filter(ImageFilter.GaussianBlur(0.8))
    paint(canvas, ImageChops.multiply(streaks.point(lambda v: max(0, 128 - v) * 2), mask), (0, 0, 0, 255), 0.15)
    paint(canvas, ImageChops.multiply(streaks.point(lambda v: max(0, v - 128) * 2), mask), MINT + (255,), 0.05)
    # Light catching the ridge line.
    paint(canvas, cut(mask, shifted(mask, 0, 2)), (150, 210, 170, 255), 0.25)
    # Mist gathering at the foot of the layer.
    if mist_alpha:
        mist = Image.new("L", (w, h), 0)
        ImageDraw.Draw(mist).rectangle([0, top - 10, w, top + 26], fill=255)
        mist = mist.filter(ImageFilter.GaussianBlur(18))
        paint(canvas, mist, (160, 214, 184, 255), mist_alpha)


def pine(canvas, x, y, scale, colour):
    """A pine on a rock in the manner of a brush painting: a crooked trunk and
    flat, layered pads of needles. (x, y) is the foot of the trunk."""
    w, h = canvas.size
    m = Mask(w, h, 2)
    k = scale
    trunk = [(x, y), (x + 6 * k, y - 40 * k), (x - 4 * k, y - 80 * k), (x + 14 * k, y - 120 * k),
             (x + 40 * k, y - 150 * k), (x + 80 * k, y - 162 * k)]
    for i in range(len(trunk) - 1):
        wd = (9 - i * 1.5) * k
        m.line([trunk[i], trunk[i + 1]], max(1.5, wd))
    branches = [((x + 2 * k, y - 60 * k), (x - 50 * k, y - 78 * k)),
                ((x + 10 * k, y - 110 * k), (x + 70 * k, y - 108 * k)),
                ((x + 40 * k, y - 150 * k), (x + 20 * k, y - 176 * k)),
                ((x - 2 * k, y - 86 * k), (x + 40 * k, y - 70 * k))]
    for a, b in branches:
        m.line([a, b], 3 * k)
    pads = [(x - 52 * k, y - 84 * k, 34), (x + 72 * k, y - 114 * k, 40), (x + 84 * k, y - 168 * k, 46),
            (x + 20 * k, y - 182 * k, 30), (x + 42 * k, y - 76 * k, 28), (x - 30 * k, y - 92 * k, 22)]
    rnd = random.Random(77)
    for px, py, pw in pads:
        pw *= k
        # A thin core, then fans of needles along it, each a half-burst of strokes.
        m.ellipse(px - pw * 0.85, py - pw * 0.08, px + pw * 0.85, py + pw * 0.12)
        fans = int(pw / 5) + 3
        for i in range(fans):
            t = i / (fans - 1.0)
            fx = px - pw * 0.9 + 1.8 * pw * t + rnd.uniform(-2, 2)
            fy = py - pw * 0.16 * math.sin(math.pi * t) + rnd.uniform(-1.5, 1.5)
            length = (7 + 5 * math.sin(math.pi * t)) * k * rnd.uniform(0.85, 1.15)
            for a in range(190, 352, 9):
                ang = math.radians(a + rnd.uniform(-3, 3))
                m.line([(fx, fy), (fx + length * math.cos(ang), fy + length * math.sin(ang))], 0.9, caps=False)
            # The underside of each fan is short and dense.
            for a in range(0, 181, 20):
                ang = math.radians(a)
                m.line([(fx, fy), (fx + length * 0.35 * math.cos(ang), fy + length * 0.3 * math.sin(ang))], 0.9,
                       caps=False)
    # The rock it grows from.
    m.poly([(x - 90 * k, y + 50 * k), (x - 64 * k, y + 4 * k), (x - 40 * k, y - 10 * k), (x - 12 * k, y - 16 * k),
            (x + 8 * k, y - 9 * k), (x + 34 * k, y - 6 * k), (x + 52 * k, y + 12 * k), (x + 84 * k, y + 50 * k)])
    mask = m.done()
    paint(canvas, cut(mask, shifted(mask, -1, 1)), (120, 190, 150, 255), 0.35)
    paint(canvas, mask, colour)


def birds(canvas, flock, colour):
    """Distant birds as small brush ticks."""
    w, h = canvas.size
    m = Mask(w, h)
    for x, y, s in flock:
        m.line([(x - s, y - s * 0.35), (x - s * 0.35, y - s * 0.1), (x, y + s * 0.15)], max(0.8, s * 0.18),
               caps=False)
        m.line([(x, y + s * 0.15), (x + s * 0.4, y - s * 0.15), (x + s, y - s * 0.45)], max(0.8, s * 0.18),
               caps=False)
    paint(canvas, m.done(), colour)


def splash_frame_mask():
    """The splash's outline: a rounded panel with lozenge ornaments on its corners."""
    w, h = SPLASH_W, SPLASH_H
    m = Mask(w, h, 2)
    m.rrect(4, 4, w - 4, h - 4, 18)
    for cx, cy in ((17, 17), (w - 17, 17), (w - 17, h - 17), (17, h - 17)):
        m.poly([(cx, cy - 17), (cx + 17, cy), (cx, cy + 17), (cx - 17, cy)])
    return m.done()


def draw_login_panel(im):
    """The login pop-up's frame as the splash shows it; the bitmap is cut from it."""
    x0, y0, x1, y1 = POPUP_X, POPUP_Y - PANEL_LIFT, POPUP_X + POPUP_W, POPUP_Y + POPUP_H
    hy = POPUP_Y + POPUP_STRIP  # header's foot: the pop-up's face starts here
    w, h = im.size
    shadow = Mask(w, h, 1).rrect(x0 - 2, y0 + 2, x1 + 2, y1 + 6, 12).done().filter(ImageFilter.GaussianBlur(12))
    paint(im, shadow, (0, 0, 0, 255), 0.75)
    panel = Mask(w, h).rrect(x0, y0, x1, y1, 10).done()
    # Header: a lit jade bar.
    paint(im, panel, vramp(w, h, [(0, (36, 100, 74)), (0.15, (24, 78, 57)), (1, (10, 38, 28))], y0, hy))
    # Body.
    body = Image.new("L", (w, h), 0)
    ImageDraw.Draw(body).rectangle([x0, hy, x1, y1], fill=255)
    body = ImageChops.multiply(body, panel)
    paint(im, body, vramp(w, h, [(0, (9, 34, 25)), (1, (4, 17, 12))], hy, y1))
    # Faint lattice in the body.
    lat = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(lat)
    for k in range(x0 - POPUP_H, x1 + POPUP_H, 22):
        d.line([(k, hy), (k + (y1 - hy), y1)], fill=255)
        d.line([(k + (y1 - hy), hy), (k, y1)], fill=255)
    paint(im, ImageChops.multiply(lat, body), MINT + (255,), 0.03)
    paint(im, ImageChops.multiply(radial(w, h, (x0 + x1) / 2, (hy + y1) / 2, 330, 210).point(lambda v: 255 - v), body),
          (80, 170, 130, 255), 0.12)
    # Header trim: gold line at its foot, emblem and title at the left.
    ornament_line(im, x0 + 6, x1 - 6, hy - 1, GOLD_LT + (255,), diamond=False)
    paint(im, Mask(w, h, 1).rect(x0 + 1, hy, x1 - 1, hy + 1).done(), (2, 10, 7, 255), 0.9)
    em = draw_emblem(64).resize((34, 34), Image.LANCZOS)
    mid = (y0 + hy) / 2.0
    im.alpha_composite(em, (x0 + 16, int(mid - 17)))
    title = text_mask((w, h), "用户登录", font("kai", 24), (x0 + 60, mid), anchor="lm", spacing=2)
    gold_text(im, title, outline=1, glow_radius=4, glow_strength=0.4)
    sub = text_mask((w, h), "Ziradud · Direrav", font("serif_bold_italic", 14), (bbox_of(title)[2] + 14, mid + 2),
                    anchor="lm")
    paint(im, shifted(sub, 1, 1), INK + (255,), 0.8)
    paint(im, sub, GOLD + (255,), 0.85)
    # Borders: dark hairline outside, gold line, dark line inside.
    ring = cut(panel, shrink(panel, 1))
    paint(im, cut(grow(panel, 1), panel), (0, 0, 0, 255), 0.8)
    paint(im, ring, GOLD + (255,))
    paint(im, cut(shrink(panel, 1), shrink(panel, 2)), (40, 28, 8, 255), 0.8)
    corner_brackets(im, x0 + 6, hy + 6, x1 - 7, y1 - 7, 16, GOLD + (255,), 1.2, 0.8)
    # Loading notice in the middle of the body.
    cx, cy = (x0 + x1) / 2.0, (hy + y1) / 2.0
    badge = make_spinner(0, 46)
    im.alpha_composite(badge, (int(cx - 23), int(cy - 52)))
    msg = text_mask((w, h), "正在加载，请稍候……", font("hei", 17), (cx, cy + 18), anchor="mm", spacing=1)
    paint(im, shifted(msg, 0, 1), INK + (255,), 0.9)
    paint(im, msg, GOLD_PALE + (255,))
    mb = bbox_of(msg)
    ornament_line(im, mb[0] - 120, mb[0] - 14, cy + 18, GOLD + (255,), diamond=False)
    ornament_line(im, mb[2] + 14, mb[2] + 120, cy + 18, GOLD + (255,), diamond=False)
    for xx in (mb[0] - 10, mb[2] + 10):
        paint(im, Mask(w, h).poly([(xx, cy + 15), (xx + 3, cy + 18), (xx, cy + 21), (xx - 3, cy + 18)]).done(),
              GOLD_LT + (255,))
    hint = text_mask((w, h), "首次启动需要稍长时间，感谢您的耐心等待", font("hei", 12), (cx, cy + 46), anchor="mm")
    paint(im, hint, (150, 176, 150, 255), 0.8)


def seal(size, chars):
    """A red square seal with two characters stacked, cut in relief."""
    s = size
    im = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    body = Mask(s, s).rrect(1, 1, s - 1, s - 1, s * 0.12).done()
    paint(im, body, vramp(s, s, [(0, (196, 52, 40)), (1, (140, 24, 20))]))
    border = cut(shrink(body, 2), shrink(body, 3))
    paint(im, border, (255, 226, 196, 255), 0.85)
    # Carved strokes are a little bolder than brush ones: draw big with a thin
    # stroke, then reduce.
    big = Image.new("L", (s * SS, s * SS), 0)
    d = ImageDraw.Draw(big)
    f = font("kai", int(s * 0.42 * SS))
    for ch, cy in zip(chars, (0.3, 0.71)):
        d.text((s * SS / 2.0, s * cy * SS), ch, font=f, fill=255, anchor="mm", stroke_width=SS // 2, stroke_fill=255)
    t = big.resize((s, s), Image.BOX)
    paint(im, t, (255, 232, 206, 255))
    # Wear: a few fixed nicks in the ink.
    rnd = random.Random(3190 + s)
    nick = Mask(s, s)
    for _ in range(10):
        x, y = rnd.uniform(0, s), rnd.uniform(0, s)
        nick.circle(x, y, rnd.uniform(0.4, 1.1))
    alpha = cut(im.getchannel("A"), scale_alpha(nick.done(), 0.6))
    im.putalpha(alpha)
    return im


def make_splash():
    w, h = SPLASH_W, SPLASH_H
    rnd = random.Random(319)
    im = vramp(w, h, [(0, (3, 13, 10)), (0.3, (9, 36, 28)), (0.62, (18, 60, 45)), (1, (8, 30, 22))])
    # Moon and its halo over the title.
    mx, my = 190, 150
    paint(im, radial(w, h, mx, my, 420, 330).point(lambda v: 255 - v), (120, 190, 150, 255), 0.28)
    paint(im, radial(w, h, mx, my, 170).point(lambda v: 255 - v), (255, 226, 160, 255), 0.35)
    moon = Mask(w, h).circle(mx, my, 62).done()
    glow(im, moon, (255, 226, 160, 255), 18, 0.7)
    paint(im, moon, colorize(radial(w, h, mx - 20, my - 24, 110), [(0, (255, 248, 222)), (1, (226, 206, 150))]))
    # Soft maria on the moon face.
    mar = Mask(w, h)
    for ox, oy, rr in ((-18, -10, 16), (14, 6, 20), (-6, 26, 10), (24, -22, 8)):
        mar.circle(mx + ox, my + oy, rr)
    paint(im, ImageChops.multiply(mar.done().filter(ImageFilter.GaussianBlur(5)), moon), (170, 150, 100, 255), 0.25)

    # Drifting cloud bands across the sky.
    for cy, cx, rx, ry, a in ((210, 260, 320, 18, 0.22), (120, 700, 420, 14, 0.12), (300, 1000, 260, 16, 0.12),
                              (240, 60, 200, 12, 0.18)):
        band = Mask(w, h, 1).ellipse(cx - rx, cy - ry, cx + rx, cy + ry).done().filter(ImageFilter.GaussianBlur(10))
        paint(im, band, (170, 220, 190, 255), a)

    # Mountains, far to near.
    mountain_layer(im, ridge(w, 430, [(70, 150, 40), (150, 220, 34), (240, 120, 45), (880, 110, 60), (1120, 170, 42),
                                      (1010, 90, 40)], [(8, 60, 0.3), (4, 23, 1.3)]),
                   [(0, (46, 108, 85)), (1, (28, 80, 60))], 430, 0.22)
    mountain_layer(im, ridge(w, 560, [(30, 180, 40), (110, 250, 30), (205, 170, 38), (330, 90, 50),
                                      (1150, 250, 36), (1070, 140, 44), (700, 60, 120)], [(7, 50, 2.0), (3, 17, 0.2)]),
                   [(0, (30, 84, 63)), (1, (16, 52, 39))], 560, 0.20)
    mountain_layer(im, ridge(w, 650, [(60, 150, 50), (250, 120, 44), (1180, 160, 40), (980, 70, 70), (520, 50, 90)],
                             [(6, 44, 0.7), (3, 13, 2.4)]),
                   [(0, (16, 50, 37)), (1, (7, 26, 19))], 650, 0.14)
    mountain_layer(im, ridge(w, 712, [(150, 60, 90), (1090, 70, 80), (620, 30, 150)], [(5, 40, 1.1), (2, 11, 0.4)]),
                   [(0, (7, 26, 19)), (1, (3, 12, 9))], 0, 0)

    pine(im, 104, 690, 1.0, (3, 13, 10, 255))
    birds(im, [(300, 92, 7), (318, 104, 5), (286, 112, 4.5), (332, 86, 4)], (8, 26, 20, 255))

    # Gold dust drifting through the scene.
    dust = Mask(w, h, 2)
    for _ in range(150):
        x, y = rnd.uniform(20, w - 20), rnd.uniform(20, h - 20)
        dust.circle(x, y, rnd.choice((0.5, 0.6, 0.8, 1.0, 1.3)), fill=rnd.randint(90, 255))
    dm = dust.done()
    glow(im, dm, (255, 220, 130, 255), 2.5, 1.6)
    paint(im, dm, (255, 236, 180, 255))

    # Title block at the left: the game's name in gold small capitals.
    title = text_mask((w, h), "Ziradud", font("serif_bold", 76, raqm=True), (mx, 300), anchor="ms",
                      features=["smcp"], spacing=3)
    paint(im, grow(title, 3).filter(ImageFilter.GaussianBlur(8)), (0, 0, 0, 255), 0.6)
    gold_text(im, title, outline=2, glow_radius=10, glow_strength=0.55)
    tb = bbox_of(title)
    ornament_line(im, tb[0] + 10, tb[2] - 10, tb[3] + 16, GOLD_LT + (255,))
    portal = font("serif_bold_italic", 22)
    kai = font("kai", 22)
    pw, kw = text_width("Direrav", portal), text_width("游戏平台", kai) + 3 * 3
    sx = mx - (pw + 12 + kw) / 2.0
    sub = text_mask((w, h), "Direrav", portal, (sx, tb[3] + 44), anchor="lm")
    sub = ImageChops.lighter(sub, text_mask((w, h), "游戏平台", kai, (sx + pw + 12, tb[3] + 45), anchor="lm",
                                            spacing=3))
    paint(im, shifted(sub, 1, 1).filter(ImageFilter.GaussianBlur(1)), (0, 0, 0, 255), 0.9)
    paint(im, sub, GOLD_PALE + (255,))
    st = seal(42, "登录")
    im.alpha_composite(st, (tb[2] - 26, tb[1] - 50))

    draw_login_panel(im)

    # The player's health notice under the login panel.
    f = font("hei", 12)
    for k, line in enumerate(HEALTH_NOTICE):
        t = text_mask((w, h), line, f, (POPUP_X + POPUP_W / 2.0, 640 + k * 19), anchor="mm", spacing=1)
        paint(im, shifted(t, 1, 1), (0, 0, 0, 255), 0.8)
        paint(im, t, GOLD_PALE + (255,), 0.8)

    add_grain(im, 3190, 6)

    # The frame: an outer gold line, a dark band with a key-fret, a gold inner line.
    shape = splash_frame_mask()
    band_inner = Mask(w, h, 2).rrect(17, 17, w - 17, h - 17, 8).done()
    band = cut(shape, band_inner)
    paint(im, band, vramp(w, h, [(0, (14, 44, 33)), (1, (6, 22, 16))]))
    fret_h = 9
    top = fret_strip(w, fret_h)
    fret = Image.new("L", (w, h), 0)
    fret.paste(top, (0, 6))
    fret.paste(top, (0, h - 6 - fret_h))
    side = fret_strip(h, fret_h).rotate(90, expand=True)
    fret.paste(ImageChops.lighter(fret.crop((6, 0, 6 + fret_h, h)), side), (6, 0))
    fret.paste(ImageChops.lighter(fret.crop((w - 6 - fret_h, 0, w - 6, h)), side), (w - 6 - fret_h, 0))
    fret = ImageChops.multiply(fret, band)
    paint(im, fret, vramp(w, h, GOLD_RIM), 0.55)
    outer_line = cut(shape, shrink(shape, 2))
    paint(im, outer_line, vramp(w, h, GOLD_RIM))
    inner_line = cut(grow(band_inner, 1), band_inner)
    paint(im, inner_line, GOLD + (255,))
    paint(im, cut(band_inner, shrink(band_inner, 3)).filter(ImageFilter.GaussianBlur(2)), (0, 0, 0, 255), 0.6)

    # Corner lozenges: gold plates with a jade stone.
    for cx, cy in ((17, 17), (w - 17, 17), (w - 17, h - 17), (17, h - 17)):
        loz = Mask(w, h, 2).poly([(cx, cy - 16), (cx + 16, cy), (cx, cy + 16), (cx - 16, cy)]).done()
        inner = Mask(w, h, 2).poly([(cx, cy - 12), (cx + 12, cy), (cx, cy + 12), (cx - 12, cy)]).done()
        paint(im, loz, colorize(vramp(w, h, [(0, (255,) * 3), (1, (0,) * 3)], cy - 16, cy + 16).getchannel("R"),
                                GOLD_RIM))
        paint(im, inner, (30, 18, 4, 255))
        stone = Mask(w, h, 2).circle(cx, cy, 6.5).done()
        paint(im, stone, colorize(radial(w, h, cx - 2, cy - 2, 9), [(0, (150, 226, 186)), (0.5, JADE_LT), (1, DEEP)]))
        paint(im, Mask(w, h, 2).circle(cx - 2, cy - 2.5, 1.6).done(), (255, 255, 255, 255), 0.7)

    im.putalpha(ImageChops.multiply(im.getchannel("A"), shape))
    return im


def make_login_bitmap(splash, min_png, close_png):
    """Bitmap 318: the pop-up's face, cut from the splash under it, with a
    colour-keyed strip on top that shows only the two round buttons."""
    crop = splash.crop((POPUP_X, POPUP_Y, POPUP_X + POPUP_W, POPUP_Y + POPUP_H))
    face = Image.new("RGBA", crop.size, DEEP + (255,))
    face.alpha_composite(crop)
    buttons = face.copy()
    coverage = Image.new("L", crop.size, 0)
    for png, (x, y, bw, bh) in ((min_png, MIN_BTN), (close_png, CLOSE_BTN)):
        part = png.crop((0, 0, bw, bh))
        buttons.alpha_composite(part, (x, y))
        coverage.paste(ImageChops.lighter(coverage.crop((x, y, x + bw, y + bh)), part.getchannel("A")), (x, y))
    out = face.convert("RGB")
    strip = Image.new("RGB", (POPUP_W, POPUP_STRIP), KEY_GREEN)
    keep = coverage.crop((0, 0, POPUP_W, POPUP_STRIP)).point(lambda v: 255 if v else 0)
    strip.paste(buttons.convert("RGB").crop((0, 0, POPUP_W, POPUP_STRIP)), (0, 0), keep)
    out.paste(strip, (0, 0))
    # Nothing outside the strip may be the key colour, or it would turn into a hole.
    px = out.load()
    for y in range(POPUP_H):
        for x in range(POPUP_W):
            if px[x, y] == KEY_GREEN and (y >= POPUP_STRIP or keep.getpixel((x, y))):
                px[x, y] = (0, 254, 0)
    return out


# ---------------------------------------------------------------------------
# Icons
# ---------------------------------------------------------------------------
def ico_dib(im):
    """A 32-bit icon image: BITMAPINFOHEADER, bottom-up BGRA, AND mask."""
    w, h = im.size
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    px = im.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if px[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    data = header + bytes(xor) + bytes(mask)
    size_image = len(xor) + len(mask)
    return data[:20] + struct.pack("<I", size_image) + data[24:]


def ico_file(images):
    """An .ico from RGBA images; 256-pixel images are stored as PNG."""
    blobs = []
    for im in images:
        if im.width >= 256:
            blobs.append(png_bytes(im))
        else:
            blobs.append(ico_dib(im))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.width % 256, im.height % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def png_bytes(im):
    buf = io.BytesIO()
    im.save(buf, "PNG", optimize=True)
    return buf.getvalue()


def make_icons():
    sizes = (16, 24, 32, 48, 64, 256)
    images = []
    for s in sizes:
        if s <= 24:
            # Small sizes: drawn big and reduced, then given back some edge.
            big = draw_emblem(s * 4, simple=True).resize((s, s), Image.LANCZOS)
            images.append(big.filter(ImageFilter.UnsharpMask(radius=0.8, percent=60, threshold=0)))
        else:
            images.append(draw_emblem(s))
    return images


def make_uninstall_icon():
    s = 16
    base = draw_emblem(64, simple=True).resize((s, s), Image.LANCZOS)
    base = base.filter(ImageFilter.UnsharpMask(radius=0.8, percent=60, threshold=0))
    # A red badge with a white bar at the lower right: "remove".
    b = Mask(s, s)
    b.circle(11.5, 11.5, 4.4)
    badge = b.done()
    ring = Mask(s, s).circle(11.5, 11.5, 5.4).done()
    base.putalpha(ImageChops.lighter(base.getchannel("A"), ring))
    paint(base, ring, (30, 10, 8, 255))
    paint(base, badge, colorize(vramp(s, s, [(0, (255,) * 3), (1, (0,) * 3)], 7, 16).getchannel("R"),
                                [(0, (236, 84, 64)), (1, (160, 24, 18))]))
    bar = Mask(s, s).line([(9.4, 11.5), (13.6, 11.5)], 1.4).done()
    paint(base, bar, (255, 255, 255, 255))
    return base


# ---------------------------------------------------------------------------
# Catalogue
# ---------------------------------------------------------------------------
def build_catalogue():
    """Every PNG by id, with a short name for the contact sheet."""
    art = {}
    art[172] = ("caption tile", make_caption_tile())
    art[203] = ("caption banner", make_caption_banner())
    art[206] = ("caption right", make_caption_right())
    for ids, glyph, red, name in (((207, 208, 227), lambda m: glyph_close(m, 14, 13, 4.6, 1.9), True, "close"),
                                  ((220, 213, 228), lambda m: glyph_maximise(m, 14, 13, 5.5, 1.4), False, "maximise"),
                                  ((221, 217, 229), lambda m: glyph_restore(m, 14, 13, 5.5, 1.3), False, "restore"),
                                  ((209, 210, 230), lambda m: glyph_minimise(m, 14, 13, 5.5, 1.8), False, "minimise")):
        for i, look in zip(ids, window_button(glyph, red)):
            art[i] = (name, look)
    for ids, width, icon, caption in (((211, 212, 231), 59, icon_book, "选服"),
                                      ((223, 215, 233), 97, icon_portrait, "老板键(F10)"),
                                      ((224, 214, 234), 59, icon_fullscreen, "全屏"),
                                      ((226, 219, 236), 78, icon_refresh, "刷新(F5)"),
                                      ((252, 253, 261), 78, icon_broom, "清除缓存")):
        for i, look in zip(ids, toolbar_button(width, icon, caption)):
            art[i] = (caption, look)
    art[275] = ("dimming pixel", Image.new("RGBA", (1, 1), (0, 0, 0, 0xE6)))
    for k, i in enumerate((276, 277, 278, 279)):
        art[i] = ("spinner %d" % (k + 1), make_spinner(k))
    art[304] = ("message box face", make_message_face())
    art[314] = ("OK plain", plate(True, False, "确定"))
    art[313] = ("OK lit", plate(True, True, "确定"))
    art[312] = ("Cancel plain", plate(False, False, "取消"))
    art[311] = ("Cancel lit", plate(False, True, "取消"))
    art[316] = ("small cross", make_small_cross())
    for kind, ids in (("minimise", (320, 321, 322)), ("close", (323, 324, 325))):
        for i, look in zip(ids, ("normal", "hover", "pressed")):
            art[i] = ("%s %s" % (kind, look), round_button(kind, look))
    art[319] = ("splash", make_splash())
    return art


# Id -> (width, height), as the resources must be.
SIZES = {172: (1, 30), 203: (203, 30), 206: (92, 30), 275: (1, 1), 304: (253, 106), 316: (11, 10),
         319: (1210, 746)}
for _ids, _size in (((207, 208, 227, 220, 213, 228, 221, 217, 229, 209, 210, 230), (28, 26)),
                    ((211, 212, 231, 224, 214, 234), (59, 24)), ((223, 215, 233), (97, 24)),
                    ((226, 219, 236, 252, 253, 261), (78, 24)), ((276, 277, 278, 279), (23, 23)),
                    ((311, 312, 313, 314), (82, 34)), ((320, 321, 322, 323, 324, 325), (29, 30))):
    for _i in _ids:
        SIZES[_i] = _size


# ---------------------------------------------------------------------------
# Contact sheet
# ---------------------------------------------------------------------------
def checker(w, h, sq=8):
    # Mid greys, so that both the light glyphs and the dark tiles stand out.
    im = Image.new("RGBA", (w, h), (132, 132, 132, 255))
    d = ImageDraw.Draw(im)
    for y in range(0, h, sq):
        for x in range((y // sq) % 2 * sq, w, sq * 2):
            d.rectangle([x, y, x + sq - 1, y + sq - 1], fill=(100, 100, 100, 255))
    return im


def caption_mockup(art, width=1000):
    """The caption strip as the main window paints it, with its toolbar."""
    h = STRIP_H
    im = Image.new("RGBA", (width, h))
    im.paste(art[203][1], (0, 0))
    for x in range(203, width - 92):
        im.paste(art[172][1], (x, 0))
    im.paste(art[206][1], (width - 92, 0))
    lbl = text_mask((width, h), "[ 双线一区 ]", font("hei", 14), (208, 4))
    paint(im, lbl, CREAM + (255,))
    R = width
    for i, x in ((207, R - 28), (213, R - 57), (209, R - 86), (224, R - 192), (223, R - 294), (252, R - 384),
                 (219, R - 458), (211, R - 522)):
        im.alpha_composite(art[i][1], (x, 3))
    return im


def message_mockup(art):
    im = art[304][1].copy()
    t = text_mask(im.size, "关闭提示", font("hei", 15), (135, 7 + 1), anchor="ma")
    paint(im, t, GOLD_PALE + (255,))
    m = text_mask(im.size, "是否退出Ziradud登录器？", font("hei", 11), (138, 33 + 1), anchor="ma")
    paint(im, m, GOLD_PALE + (255,))
    im.alpha_composite(art[316][1], (228, 10))
    im.alpha_composite(art[313][1], (45, 61))
    im.alpha_composite(art[312][1], (137, 61))
    return im


def make_contact_sheet(art, bitmap, icons, uninstall):
    margin, gap = 24, 18
    title_f = font("label_bold", 15)
    sections = [
        ("Caption strip", [172, 203, 206]),
        ("Window buttons (normal, hover, pressed)", [207, 208, 227, 220, 213, 228, 221, 217, 229, 209, 210, 230]),
        ("Toolbar buttons (normal, hover, pressed)", [211, 212, 231, 223, 215, 233, 224, 214, 234, 226, 219, 236,
                                                     252, 253, 261]),
        ("Message box", [304, 314, 313, 312, 311, 316]),
        ("Cache overlay", [275, 276, 277, 278, 279]),
        ("Login pop-up buttons (normal, hover, pressed)", [320, 321, 322, 323, 324, 325]),
    ]
    width = 1300
    zoom_small = 3  # tiny images are shown enlarged as well

    def cell(i):
        name, im = art[i]
        if im.width * im.height == 1:
            z = 24
        elif max(im.size) <= 40:
            z = zoom_small
        elif im.height <= 34 and im.width <= 110:
            z = 2
        else:
            z = 1
        shown = im.resize((im.width * z, im.height * z), Image.NEAREST)
        label = "%d  %dx%d" % (i, im.width, im.height)
        sub = name if z == 1 else "%s  (x%d)" % (name, z)
        return shown, label, sub

    # Lay out rows of cells.
    blocks = []
    y = margin + 36
    for title, ids in sections:
        blocks.append(("title", title, margin, y))
        y += 24
        x, row_h = margin, 0
        for i in ids:
            shown, label, sub = cell(i)
            cw = max(shown.width + 12, 120)
            if x + cw > width - margin:
                x, y = margin, y + row_h + gap
                row_h = 0
            blocks.append(("cell", (shown, label, sub), x, y))
            row_h = max(row_h, shown.height + 12 + 30)
            x += cw + gap
        y += row_h + gap + 6
    # Mock-ups and icons.
    blocks.append(("title", "As painted: caption strip with toolbar, message box", margin, y))
    y += 24
    cap = caption_mockup(art)
    blocks.append(("plain", cap, margin, y))
    y += cap.height + gap
    msg = message_mockup(art)
    blocks.append(("plain", msg, margin, y))
    y += msg.height + gap + 10
    blocks.append(("title", "Icons: 273 (16, 24, 32, 48, 64, 256) and uninstall.ico (16)", margin, y))
    y += 24
    x = margin
    for im in icons + [uninstall]:
        blocks.append(("cell", (im, "%dx%d" % im.size, "uninstall.ico" if im is uninstall else "273"), x, y))
        x += max(im.width + 12, 80) + gap
    y += 256 + 12 + 30 + gap + 6
    blocks.append(("title", "319 1210x746 splash (x0.5), and as shown with bitmap 318 690x513 on it (x0.5)", margin, y))
    y += 24
    half = art[319][1].resize((605, 373), Image.LANCZOS)
    blocks.append(("cell", (half, "319  1210x746", "splash, shaped by its alpha"), margin, y))
    shown = art[319][1].copy()
    popup = bitmap.convert("RGBA")
    alpha = Image.new("L", bitmap.size, 255)
    px, pa = bitmap.load(), alpha.load()
    for yy in range(POPUP_STRIP):
        for xx in range(POPUP_W):
            if px[xx, yy] == KEY_GREEN:
                pa[xx, yy] = 0
    popup.putalpha(alpha)
    shown.alpha_composite(popup, (POPUP_X, POPUP_Y))
    blocks.append(("cell", (shown.resize((605, 373), Image.LANCZOS), "319 + 318", "login splash as composed"),
                   margin + 605 + 30, y))
    y += 373 + 12 + 30 + gap
    blocks.append(("title", "318 690x513 bitmap (green = colour key)", margin, y))
    y += 24
    blocks.append(("cell", (bitmap.convert("RGBA"), "318  690x513", "login frame, 24-bit"), margin, y))
    y += POPUP_H + 12 + 30 + margin

    sheet = Image.new("RGBA", (width, y), (250, 248, 242, 255))
    d = ImageDraw.Draw(sheet)
    d.text((margin, margin), "Ziradud launcher artwork  (res/art/make_art.py)", font=font("label_bold", 18),
           fill=(20, 50, 38))
    for kind, payload, x, yy in blocks:
        if kind == "title":
            d.text((x, yy), payload, font=title_f, fill=(20, 50, 38))
            d.line([(x, yy + 20), (width - margin, yy + 20)], fill=(190, 170, 120))
        elif kind == "plain":
            sheet.alpha_composite(payload, (x, yy))
        else:
            im, label, sub = payload
            bg = checker(im.width + 12, im.height + 12)
            bg.alpha_composite(im, (6, 6))
            sheet.paste(bg, (x, yy))
            d.rectangle([x - 1, yy - 1, x + bg.width, yy + bg.height], outline=(160, 160, 160))
            d.text((x, yy + bg.height + 3), label, font=font("label_bold", 11), fill=(10, 10, 10))
            d.text((x, yy + bg.height + 17), sub, font=font("hei", 11), fill=(90, 90, 90))
    return sheet


# ---------------------------------------------------------------------------
# Output and self-checks
# ---------------------------------------------------------------------------
def write_resource_script(ids):
    """res/images.rc: every picture as a resource, paths relative to res/."""
    lines = ["// The launcher's pictures. Written by res/art/make_art.py; edit that script, not this file.",
             "// Included by Raruva_Q7.rc; the file names resolve through its folder (res/).",
             "LANGUAGE 0x04, 0x02  // LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED",
             "",
             "273 ICON \"Raruva_Q7.ico\"",
             "318 BITMAP \"login_frame.bmp\"",
             ""]
    lines += ["%d PNG \"png/%d.png\"" % (i, i) for i in sorted(ids)]
    with open(os.path.join(RES, "images.rc"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def save_png(im, path):
    im.save(path, "PNG", optimize=True)


def optimise(paths):
    try:
        subprocess.run(["optipng", "-quiet", "-o2", "-nx", "-strip", "all"] + paths, check=True)
    except (OSError, subprocess.CalledProcessError) as e:
        die("optipng failed (%s); install optipng" % e)


def png_header(path):
    with open(path, "rb") as f:
        head = f.read(33)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        die("%s is not a PNG" % path)
    w, h, depth, ctype = struct.unpack(">IIBB", head[16:26])
    return w, h, depth, ctype


def verify(paths, bmp_path, ico_path, uninstall_path):
    for i, path in paths.items():
        w, h, depth, ctype = png_header(path)
        if (w, h) != SIZES[i] or depth != 8 or ctype != 6:
            die("%s: %dx%d depth %d type %d, want %dx%d depth 8 type 6" % (path, w, h, depth, ctype, *SIZES[i]))
        with Image.open(path) as im:
            im.load()
            if im.mode != "RGBA" or im.size != SIZES[i]:
                die("%s decodes as %s %s" % (path, im.mode, im.size))
    with Image.open(paths[319]) as sp:
        a = sp.getchannel("A")
        for corner in ((0, 0), (SPLASH_W - 1, 0), (0, SPLASH_H - 1), (SPLASH_W - 1, SPLASH_H - 1)):
            if a.getpixel(corner) != 0:
                die("splash corner %s is not transparent" % (corner,))
        if a.getpixel((SPLASH_W // 2, SPLASH_H // 2)) != 255 or a.getpixel((1170, 718)) != 255:
            die("splash is not opaque inside its frame")
    with Image.open(paths[275]) as px:
        if px.convert("RGBA").getpixel((0, 0)) != (0, 0, 0, 0xE6):
            die("275 must be black with alpha 0xE6")
    with open(bmp_path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        die("login_frame.bmp is not a BMP")
    hsize, bw, bh, planes, bits, comp = struct.unpack("<IiiHHI", data[14:34])
    if (hsize, bw, bh, bits, comp) != (40, POPUP_W, POPUP_H, 24, 0):
        die("login_frame.bmp: header %s" % ((hsize, bw, bh, bits, comp),))
    with Image.open(bmp_path) as bmp:
        bmp = bmp.convert("RGB")
        px = bmp.load()
        buttons = [MIN_BTN, CLOSE_BTN]

        def in_button(x, y):
            return any(bx <= x < bx + bw_ and by <= y < by + bh_ for bx, by, bw_, bh_ in buttons)

        seen_button = 0
        for y in range(POPUP_H):
            for x in range(POPUP_W):
                green = px[x, y] == KEY_GREEN
                if y < POPUP_STRIP and not in_button(x, y) and not green:
                    die("login_frame.bmp: (%d, %d) in the top strip is not pure green" % (x, y))
                if y < POPUP_STRIP and in_button(x, y) and not green:
                    seen_button += 1
                if y >= POPUP_STRIP and green:
                    die("login_frame.bmp: (%d, %d) below the strip is the key colour" % (x, y))
        if seen_button < 2 * 300:
            die("login_frame.bmp: the round buttons are missing from the top strip")
    with open(uninstall_path, "rb") as f:
        data = f.read()
    if len(data) != 1150:
        die("uninstall.ico is %d bytes, want 1150" % len(data))
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    w, h, _, _, planes, bits, size, offset = struct.unpack("<BBBBHHII", data[6:22])
    if (kind, count, w, h, bits, size, offset) != (1, 1, 16, 16, 32, 1128, 22):
        die("uninstall.ico directory is wrong")
    with open(ico_path, "rb") as f:
        data = f.read()
    _, kind, count = struct.unpack("<HHH", data[:6])
    sizes = sorted((data[6 + 16 * k] or 256) for k in range(count))
    if kind != 1 or sizes != [16, 24, 32, 48, 64, 256]:
        die("Raruva_Q7.ico holds %s" % sizes)


def main():
    os.makedirs(PNG_DIR, exist_ok=True)
    os.makedirs(os.path.dirname(SHEET), exist_ok=True)
    art = build_catalogue()
    if sorted(art) != sorted(SIZES):
        die("catalogue and size table differ: %s" % sorted(set(art) ^ set(SIZES)))
    for i, (name, im) in art.items():
        if im.size != SIZES[i] or im.mode != "RGBA":
            die("%d (%s) is drawn %s %s" % (i, name, im.mode, im.size))

    paths = {}
    for i, (_, im) in sorted(art.items()):
        paths[i] = os.path.join(PNG_DIR, "%d.png" % i)
        save_png(im, paths[i])

    bitmap = make_login_bitmap(art[319][1], art[320][1], art[323][1])
    bmp_path = os.path.join(RES, "login_frame.bmp")
    bitmap.save(bmp_path, "BMP")

    icons = make_icons()
    ico_path = os.path.join(RES, "Raruva_Q7.ico")
    with open(ico_path, "wb") as f:
        f.write(ico_file(icons))
    uninstall = make_uninstall_icon()
    uninstall_path = os.path.join(RES, "uninstall.ico")
    with open(uninstall_path, "wb") as f:
        f.write(ico_file([uninstall]))

    write_resource_script(paths)

    sheet = make_contact_sheet(art, bitmap, icons, uninstall)
    save_png(sheet.convert("RGB"), SHEET)

    optimise(sorted(paths.values()))
    verify(paths, bmp_path, ico_path, uninstall_path)
    print("make_art: %d PNG resources, login_frame.bmp, Raruva_Q7.ico, uninstall.ico and the contact sheet written"
          % len(paths))


if __name__ == "__main__":
    main()
