#!/usr/bin/env python3
"""Draws Tallimer's icon and banner pictures with ImageMagick drawing primitives.

Everything is drawn at eight (icons) or four (banner) times the final size and reduced with a
box filter, which gives clean anti-aliased edges. The banner is drawn twice: at its size in the
window and at twice that size (the @2x files) for screens and fonts that need more pixels. Run
from anywhere; writes into resources/.
"""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)
FONTS = "/usr/share/fonts/truetype/dejavu"

# Calm blue to teal.
BLUE = "#2f7fc1"
TEAL = "#1c9c8c"
DEEP = "#1b5e86"
WHITE = "#ffffff"

ICON_SIZES = [16, 24, 32, 48, 64, 128, 256]
BANNER_LEFT = 376        # 5640 twips
BANNER_RIGHT = 272       # 4080 twips: to the right edge of the window's 640 px
BANNER_RIGHT_AT = 368    # 5520 twips: the right part overlaps the left by 8 px
BANNER_HEIGHT = 87       # 1305 twips


def run(args):
    subprocess.run(["convert", *args], check=True)


def balance(n, x0, y0, colour, weight):
    """Draw primitives of the balance mark filling an n-by-n box at (x0, y0)."""
    def p(x, y):
        return f"{x0 + x * n:.2f},{y0 + y * n:.2f}"

    def w(v):
        return f"{v * n * weight:.2f}"

    out = ["-fill", "none", "-stroke", colour, "-strokewidth", w(0.065),
           "-draw", f"stroke-linecap round line {p(0.5, 0.26)} {p(0.5, 0.74)}",
           "-strokewidth", w(0.055),
           "-draw", f"stroke-linecap round line {p(0.19, 0.31)} {p(0.81, 0.31)}"]
    out += ["-strokewidth", w(0.024)]
    for cx in (0.21, 0.79):
        out += ["-draw", f"stroke-linecap round line {p(cx, 0.32)} {p(cx - 0.10, 0.57)}",
                "-draw", f"stroke-linecap round line {p(cx, 0.32)} {p(cx + 0.10, 0.57)}"]
    out += ["-stroke", "none", "-fill", colour]
    knob = 0.045 * weight
    out += ["-draw", f"circle {p(0.5, 0.235)} {p(0.5, 0.235 - knob)}"]
    base_h = 0.035 * weight
    out += ["-draw", f"roundrectangle {p(0.33, 0.765 - base_h)} {p(0.67, 0.765 + base_h)} "
                     f"{0.03 * n:.2f},{0.03 * n:.2f}"]
    half, depth, top = 0.125, 0.09, 0.57
    for cx in (0.21, 0.79):
        l, r = cx - half, cx + half
        out += ["-draw", f"path 'M {p(l, top)} L {p(r, top)} "
                         f"A {half * n:.2f},{depth * n:.2f} 0 0,1 {p(l, top)} Z'"]
    return out


def small_balance(size, scale):
    """The balance mark for 16 and 24 px icons, laid out on the pixel grid so it stays crisp."""
    u = size / 16.0
    def p(x, y):
        return f"{x * u * scale:.2f},{y * u * scale:.2f}"
    def rect(x0, y0, x1, y1):
        return ["-draw", f"rectangle {p(x0, y0)} {p(x1, y1)}"]
    out = ["-stroke", "none", "-fill", WHITE]
    out += rect(7, 2, 9, 12.5)          # post
    out += rect(2, 4, 14, 5.5 if size > 16 else 5)  # beam
    out += rect(4, 12, 12, 14)          # foot
    for cx in (3.5, 12.5):
        out += ["-draw", f"path 'M {p(cx - 2.5, 9)} L {p(cx + 2.5, 9)} "
                         f"A {2.5 * u * scale:.2f},{2.2 * u * scale:.2f} 0 0,1 {p(cx - 2.5, 9)} Z'"]
        out += ["-fill", "none", "-stroke", WHITE, "-strokewidth", f"{0.9 * u * scale:.2f}",
                "-draw", f"line {p(cx, 5)} {p(cx - 2.2, 9)}",
                "-draw", f"line {p(cx, 5)} {p(cx + 2.2, 9)}",
                "-stroke", "none", "-fill", WHITE]
    return out


def icon(size, path):
    scale = 8
    n = size * scale
    inset = round(0.03 * size) * scale
    radius = 0.21 * n
    small = size <= 24
    weight = 1.0 if size >= 48 else 1.35
    with tempfile.TemporaryDirectory() as tmp:
        mask = os.path.join(tmp, "mask.png")
        run(["-size", f"{n}x{n}", "xc:black", "-fill", "white",
             "-draw", f"roundrectangle {inset},{inset} {n - 1 - inset},{n - 1 - inset} {radius:.1f},{radius:.1f}",
             "-alpha", "off", mask])
        run(["-size", f"{n}x{n}", "-define", "gradient:direction=SouthEast", f"gradient:{BLUE}-{TEAL}",
             mask, "-alpha", "off", "-compose", "CopyOpacity", "-composite",
             "-compose", "Over",
             *(small_balance(size, scale) if small else balance(n, 0, 0, WHITE, weight)),
             "-filter", "Box", "-resize", f"{size}x{size}",
             "-depth", "8", "-define", "png:color-type=6", "-define", "png:exclude-chunk=date,time", path])


def banner(left_path, right_path, times=1):
    """The two banner pictures at times their size in the window (1, or 2 for the @2x files)."""
    scale = 4 * times
    width = BANNER_RIGHT_AT + BANNER_RIGHT
    W, H = width * scale, BANNER_HEIGHT * scale
    s = lambda v: f"{v * scale:.2f}"
    draw = []
    # The mark and the name on the left part.
    mark = 66 * scale
    draw += balance(mark, 10 * scale, 10 * scale, WHITE, 1.0)
    draw += ["-stroke", "none", "-fill", WHITE, "-font", f"{FONTS}/DejaVuSans-Bold.ttf",
             "-pointsize", s(34), "-draw", f"text {s(86)},{s(49)} 'Tallimer'",
             "-fill", "#d2f0ec", "-font", f"{FONTS}/DejaVuSans.ttf",
             "-pointsize", s(15), "-draw", f"text {s(88)},{s(71)} 'Unit converter'"]
    # A ruler along the foot of the right part, fading in from the join.
    start = BANNER_RIGHT_AT + 24
    end = width - 14
    x = start
    i = 0
    while x <= end:
        if i % 10 == 0:
            length, alpha = 18, 0.75
        elif i % 5 == 0:
            length, alpha = 12, 0.6
        else:
            length, alpha = 7, 0.45
        fade = min(1.0, (x - start + 20) / 50.0)
        draw += ["-stroke", f"rgba(255,255,255,{alpha * fade:.3f})", "-strokewidth", s(1.3),
                 "-draw", f"line {s(x)},{s(BANNER_HEIGHT - 1 - length)} {s(x)},{s(BANNER_HEIGHT + 1)}"]
        if i % 10 == 0:
            draw += ["-stroke", "none", "-fill", f"rgba(255,255,255,{0.55 * fade:.3f})",
                     "-font", f"{FONTS}/DejaVuSans.ttf", "-pointsize", s(10),
                     "-draw", f"text {s(x + 3)},{s(BANNER_HEIGHT - 12)} '{i // 10}'"]
        x += 6
        i += 1
    # A protractor arc and a faint thermometer above the ruler.
    cx, cy, r = width - 64, 58, 40
    draw += ["-fill", "none", "-stroke", "rgba(255,255,255,0.35)", "-strokewidth", s(1.5),
             "-draw", f"path 'M {s(cx - r)},{s(cy)} A {s(r)},{s(r)} 0 0,1 {s(cx + r)},{s(cy)} Z'"]
    for deg in range(0, 181, 15):
        a = math.radians(180 + deg)
        inner = r - (8 if deg % 45 == 0 else 4)
        draw += ["-draw", f"line {s(cx + inner * math.cos(a))},{s(cy + inner * math.sin(a))} "
                          f"{s(cx + r * math.cos(a))},{s(cy + r * math.sin(a))}"]
    a = math.radians(180 + 50)
    draw += ["-stroke", "rgba(255,255,255,0.6)", "-strokewidth", s(2),
             "-draw", f"stroke-linecap round line {s(cx)},{s(cy)} {s(cx + (r - 6) * math.cos(a))},{s(cy + (r - 6) * math.sin(a))}",
             "-stroke", "none", "-fill", "rgba(255,255,255,0.6)",
             "-draw", f"circle {s(cx)},{s(cy)} {s(cx + 3)},{s(cy)}"]
    with tempfile.TemporaryDirectory() as tmp:
        whole = os.path.join(tmp, "banner.png")
        t = times
        run(["-size", f"{W}x{H}", f"gradient:{BLUE}-{TEAL}", *draw,
             "-filter", "Box", "-resize", f"{width * t}x{BANNER_HEIGHT * t}", "-alpha", "off", "-depth", "8", whole])
        run([whole, "-crop", f"{BANNER_LEFT * t}x{BANNER_HEIGHT * t}+0+0", "+repage",
             "-define", "png:exclude-chunk=date,time", left_path])
        run([whole, "-crop", f"{BANNER_RIGHT * t}x{BANNER_HEIGHT * t}+{BANNER_RIGHT_AT * t}+0", "+repage",
             "-define", "png:exclude-chunk=date,time", right_path])


def main():
    for size in ICON_SIZES:
        icon(size, os.path.join(RESOURCES, "icons", f"tallimer-{size}.png"))
    banner(os.path.join(RESOURCES, "banner-left.png"), os.path.join(RESOURCES, "banner-right.png"))
    banner(os.path.join(RESOURCES, "banner-left@2x.png"), os.path.join(RESOURCES, "banner-right@2x.png"), 2)


if __name__ == "__main__":
    main()
