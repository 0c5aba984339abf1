"""The plants of January to June, one drawing function per month.

The plants of July to December are in plants_autumn.py. Every function
draws the plant of its month into a 63 x 104 card and takes the card's layout: "bright" and "animal" leave room for the card's motif,
"ribbon" leaves the middle free for the ribbon, "chaff" and "chaff2" fill the
card (the second chaff of a month is a variant so the two can be told apart).
Colours are the flat traditional ones; shapes are large enough to stay crisp
at 1:1 and outlined in a dark line as printed cards are.
"""

import math

from svg import circle, ellipse, g, at, line, path, polygon, rect

INK = "#1b1510"
RED = "#cc2229"
BARK = "#4a3020"
PINE = "#1f5e2e"
PINE_LIGHT = "#5e9c3c"
LEAF = "#2f7a36"
LEAF_DARK = "#1d4f24"
PURPLE = "#6a3f9e"
PURPLE_LIGHT = "#a582d0"
PINK = "#f5b3c6"
YELLOW = "#f2c12e"


def _arc_points(cx, cy, rx, ry, start, end, n):
    return [(cx + rx * math.cos(math.radians(a)), cy - ry * math.sin(math.radians(a)))
            for a in (start + (end - start) * i / (n - 1) for i in range(n))]


# --- January: pine -----------------------------------------------------------

def pine_cluster(cx, cy, w, h):
    """A fan of needles: the dome of a pine clump with its needles radiating."""
    rx = w / 2
    dome = path("M%.1f %.1f A%.1f %.1f 0 0 1 %.1f %.1f Z" % (cx - rx, cy, rx, h, cx + rx, cy),
                fill=PINE, stroke=INK, width=0.8)
    needles = "".join(line([(cx, cy), p], PINE_LIGHT, 0.7)
                      for p in _arc_points(cx, cy, rx * 0.85, h * 0.85, 15, 165, 7))
    return dome + needles + line([(cx - rx, cy), (cx + rx, cy)], INK, 1.0)


def pine(kind):
    trunk = path("M6 104 C14 84 30 78 26 60 C22 44 34 36 48 30", stroke=BARK, width=4.5,
                 stroke_linecap="round")
    twig = path("M25 62 C36 62 44 58 54 60 M28 44 C20 40 14 40 8 36", stroke=BARK, width=2.2,
                stroke_linecap="round")
    if kind == "bright":
        return g(path("M2 104 C10 94 16 92 22 84", stroke=BARK, width=4),
                 pine_cluster(14, 92, 24, 12), pine_cluster(28, 100, 22, 10),
                 pine_cluster(50, 100, 20, 9))
    if kind == "ribbon":
        return g(trunk, twig, pine_cluster(46, 34, 26, 13), pine_cluster(12, 40, 18, 10),
                 pine_cluster(52, 64, 18, 9), pine_cluster(16, 94, 24, 12))
    clumps = [pine_cluster(46, 32, 28, 14), pine_cluster(14, 38, 20, 11),
              pine_cluster(52, 62, 20, 10), pine_cluster(24, 74, 22, 11),
              pine_cluster(46, 96, 26, 12), pine_cluster(32, 16, 18, 9)]
    tree = g(trunk, twig, *clumps)
    if kind == "chaff2":
        return g(tree, transform="translate(63 0) scale(-1 1)")
    return tree


# --- February: plum ----------------------------------------------------------

def flower5(cx, cy, r, petal, centre, outline=INK, rotate=0.0):
    """A five-petalled blossom (plum, cherry, paulownia hint) of radius r."""
    petals = "".join(circle(cx + r * 0.55 * math.cos(math.radians(rotate + 72 * i - 90)),
                            cy + r * 0.55 * math.sin(math.radians(rotate + 72 * i - 90)),
                            r * 0.5, petal, outline, 0.5) for i in range(5))
    return petals + circle(cx, cy, r * 0.28, centre)


def plum(kind):
    if kind == "animal":
        branch = path("M2 66 C18 60 30 70 44 62 C52 58 58 52 62 46 M30 66 C32 78 40 86 38 100",
                      stroke=INK, width=3, stroke_linecap="round")
        spots = [(52, 48), (58, 60), (40, 84), (36, 98), (14, 60), (56, 40), (24, 70)]
    elif kind == "ribbon":
        branch = path("M2 20 C16 14 26 22 40 12 L52 4 M34 18 C40 24 52 24 60 22 "
                      "M8 104 C14 92 26 90 36 84 M24 90 C22 80 14 76 8 74",
                      stroke=INK, width=2.8, stroke_linecap="round")
        spots = [(12, 14), (30, 16), (46, 10), (56, 24), (40, 24), (20, 92), (34, 82), (10, 76),
                 (54, 94)]
    else:
        branch = path("M4 102 C10 80 8 66 22 56 C34 46 30 30 44 20 L58 6 M22 56 C34 58 44 66 58 64 "
                      "M34 36 C24 30 18 22 10 20", stroke=INK, width=3, stroke_linecap="round")
        spots = [(44, 20), (56, 10), (10, 20), (20, 26), (58, 64), (46, 62), (8, 84), (30, 44),
                 (16, 60), (38, 78)]
    blossoms = "".join(flower5(x, y, 7.5, RED, YELLOW, rotate=i * 17) if i % 3 else
                       circle(x, y, 2.6, "#fff", RED, 1.0) for i, (x, y) in enumerate(spots))
    art = g(branch, blossoms)
    if kind == "chaff2":
        return g(art, transform="translate(63 0) scale(-1 1)")
    return art


# --- March: cherry -----------------------------------------------------------

def cherry_cluster(cx, cy, n, spread=10):
    out = []
    for i in range(n):
        a = i * 2.4
        d = spread * math.sqrt(i / max(n - 1, 1))
        out.append(flower5(cx + d * math.cos(a), cy + d * math.sin(a), 7.5, PINK, "#fff",
                           "#b23a5e", rotate=i * 23))
    return "".join(out)


def mist_band(y, x0, x1, fill="#e8555d", h=7):
    """A horizontal band of spring mist, the traditional rounded stripe of colour."""
    return rect(x0, y, x1 - x0, h, fill, rx=3.5, stroke="#8d1e26", width=0.6)


def cherry(kind):
    branches = path("M2 10 C14 14 24 8 36 14 C46 18 54 12 62 16 M22 10 C24 20 20 28 26 36",
                    stroke=INK, width=2.2)
    if kind == "bright":
        return g(branches, cherry_cluster(12, 14, 5), cherry_cluster(42, 14, 6),
                 cherry_cluster(26, 34, 4, 7), cherry_cluster(54, 34, 3, 6))
    if kind == "ribbon":
        return g(branches, cherry_cluster(14, 16, 5), cherry_cluster(46, 16, 5),
                 mist_band(70, 4, 40), mist_band(82, 24, 62), cherry_cluster(48, 94, 6, 8),
                 cherry_cluster(12, 92, 4, 6))
    if kind == "chaff2":
        return g(branches, cherry_cluster(16, 18, 5), cherry_cluster(46, 22, 6),
                 mist_band(46, 2, 44), mist_band(60, 18, 61), cherry_cluster(22, 82, 5),
                 mist_band(94, 30, 61))
    return g(branches, cherry_cluster(14, 18, 6), cherry_cluster(44, 16, 5),
             mist_band(40, 20, 61), cherry_cluster(30, 62, 6), mist_band(78, 2, 42),
             cherry_cluster(50, 90, 6, 7))


# --- April: wisteria ---------------------------------------------------------

def wisteria_raceme(x, top, length, sway=2.0):
    """A hanging cluster of purple florets that narrows toward its tip."""
    out = [line([(x, top - 3), (x, top + 2)], INK, 1.2)]
    steps = int(length / 3.2)
    for i in range(steps):
        t = i / max(steps - 1, 1)
        w = 4.2 * (1 - t) + 1.4
        cx = x + sway * math.sin(t * 3.0)
        y = top + i * 3.2
        colour = PURPLE if i % 2 else PURPLE_LIGHT
        out.append(ellipse(cx - w * 0.45, y, w * 0.55, 1.9, colour, INK, 0.35))
        out.append(ellipse(cx + w * 0.45, y + 1.4, w * 0.55, 1.9, colour, INK, 0.35))
    return "".join(out)


def wisteria_leaves(x, y, flip=False):
    s = -1 if flip else 1
    return "".join(ellipse(x + s * i * 5, y + (i % 2) * 3, 3.2, 1.6, LEAF, INK, 0.4, rotate=s * 25)
                   for i in range(4))


def wisteria(kind):
    stem = path("M0 6 C18 10 40 2 63 8", stroke=INK, width=2.5)
    if kind == "animal":
        # The cuckoo's red sky fills the top; the wisteria hangs from a branch below it.
        return g(path("M0 72 C20 64 44 70 63 66", stroke=INK, width=2.2),
                 wisteria_leaves(4, 70), wisteria_leaves(58, 68, True),
                 wisteria_raceme(30, 70, 30), wisteria_raceme(44, 70, 32, -2),
                 wisteria_raceme(16, 72, 28))
    if kind == "ribbon":
        return g(stem, wisteria_leaves(6, 12), wisteria_raceme(12, 14, 44),
                 wisteria_raceme(52, 14, 52, -2), wisteria_leaves(58, 14, True))
    racemes = [wisteria_raceme(12, 12, 58), wisteria_raceme(30, 14, 80, -2),
               wisteria_raceme(48, 12, 66)]
    art = g(stem, *racemes, wisteria_leaves(4, 12), wisteria_leaves(40, 10),
            wisteria_leaves(60, 14, True))
    if kind == "chaff2":
        art = g(stem, wisteria_raceme(20, 14, 70, -2), wisteria_raceme(42, 12, 84),
                wisteria_raceme(56, 14, 40), wisteria_leaves(6, 12), wisteria_leaves(30, 10))
    return art


# --- May: iris ---------------------------------------------------------------

def iris_flower(cx, cy, s=1.0):
    """Three drooping falls and an upright standard, with a yellow signal."""
    outline = dict(fill=PURPLE, stroke=INK, width=0.6)
    shapes = (path("M0 0 C-9 -2 -12 6 -8 10 C-5 7 -2 4 0 0 Z", **outline)
              + path("M0 0 C9 -2 12 6 8 10 C5 7 2 4 0 0 Z", **outline)
              + path("M0 0 C-4 -6 -2 -13 0 -14 C2 -13 4 -6 0 0 Z", **outline))
    signal = ellipse(-5, 4, 1.6, 0.8, YELLOW, rotate=35) + ellipse(5, 4, 1.6, 0.8, YELLOW, rotate=-35)
    return g(shapes, signal, transform=at(cx, cy, s))


def iris_blade(x, top, lean):
    return path("M%.1f 104 C%.1f 80 %.1f 50 %.1f %.1f C%.1f 50 %.1f 80 %.1f 104 Z"
                % (x - 2.2, x - 1, x + lean - 0.5, x + lean, top, x + lean + 0.5, x + 2, x + 2.2),
                fill=LEAF, stroke=LEAF_DARK, width=0.6)


def iris(kind):
    if kind == "animal":
        blades = [iris_blade(x, t, l) for x, t, l in ((8, 18, 4), (16, 30, -3), (48, 20, -4),
                                                      (56, 28, 3), (34, 38, 2))]
        return g(*blades, iris_flower(14, 24, 1.1), iris_flower(46, 22, 1.1), iris_flower(30, 40, 0.9))
    if kind == "ribbon":
        blades = [iris_blade(x, t, l) for x, t, l in ((8, 30, 5), (14, 44, -4), (50, 26, -5),
                                                      (56, 40, 3))]
        return g(*blades, iris_flower(12, 32, 1.1), iris_flower(52, 26, 1.1))
    spots = ((12, 36, 3), (22, 54, -4), (32, 30, 2), (42, 60, -2), (52, 40, -5), (58, 64, 3))
    if kind == "chaff2":
        spots = ((8, 50, 3), (18, 34, -2), (30, 56, 4), (40, 28, -3), (50, 52, 2), (58, 38, -4))
    blades = [iris_blade(x, t, l) for x, t, l in spots]
    flowers = [iris_flower(x + l, t - 2, 1.05) for x, t, l in spots[1::2]]
    return g(*blades, *flowers)


# --- June: peony -------------------------------------------------------------

def peony_flower(cx, cy, r):
    """A full peony: a ring of scalloped outer petals, a darker heart, golden stamens."""
    outer = "".join(circle(cx + r * 0.62 * math.cos(math.radians(a)),
                           cy + r * 0.62 * math.sin(math.radians(a)), r * 0.45, "#e0323c",
                           "#7a1018", 0.6) for a in range(0, 360, 45))
    inner = circle(cx, cy, r * 0.62, "#c01c2c", "#7a1018", 0.6)
    heart = "".join(circle(cx + r * 0.3 * math.cos(math.radians(a)),
                           cy + r * 0.3 * math.sin(math.radians(a)), r * 0.22, "#f05a64")
                    for a in range(30, 390, 120))
    return outer + inner + heart + circle(cx, cy, r * 0.16, YELLOW)


def peony_leaf(cx, cy, s=1.0, rotate=0.0):
    """Three pointed lobes in the blue-green of the traditional peony card."""
    lobe = "M0 0 C-3 -4 -3 -9 0 -13 C3 -9 3 -4 0 0 Z"
    lobes = "".join(path(lobe, fill="#2e6f78", stroke="#143a40", width=0.6,
                         transform="rotate(%d)" % a) for a in (-50, 0, 50))
    return g(lobes, transform=at(cx, cy, s, rotate))


def peony(kind):
    if kind == "animal":
        return g(peony_leaf(12, 100, 1.2, -20), peony_leaf(50, 100, 1.2, 20), peony_leaf(32, 102, 1.1),
                 peony_flower(32, 80, 14), peony_leaf(8, 70, 0.9, -60))
    if kind == "ribbon":
        return g(peony_leaf(14, 30, 1.1, -30), peony_leaf(50, 28, 1.1, 30), peony_flower(32, 16, 12),
                 peony_leaf(14, 100, 1.1, -20), peony_leaf(50, 100, 1.1, 20),
                 peony_flower(32, 90, 11))
    if kind == "chaff2":
        return g(peony_leaf(14, 62, 1.3, -40), peony_leaf(50, 70, 1.3, 40), peony_leaf(30, 104, 1.3),
                 peony_flower(26, 40, 16), peony_leaf(52, 30, 1.0, 60), peony_flower(48, 84, 9))
    return g(peony_leaf(12, 54, 1.3, -40), peony_leaf(52, 56, 1.3, 40), peony_leaf(20, 100, 1.3, -10),
             peony_leaf(46, 100, 1.3, 10), peony_flower(32, 36, 16), peony_flower(32, 76, 12))
