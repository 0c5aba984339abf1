"""The plants of July to December, one drawing function per month.

Same conventions as plants_spring.py: each function draws its month's plant
into a 63 x 104 card for the card's layout ("bright", "animal", "ribbon",
"chaff", "chaff2"); the motif of a bright or animal card is drawn over it.
"""

import math

from svg import at, circle, clipped, ellipse, g, line, path, polygon, rect
from plants_spring import INK, LEAF, LEAF_DARK, PURPLE, PURPLE_LIGHT, RED, YELLOW

SKY_RED = "#d42a2a"
HILL = "#17130f"
WILLOW = "#6fae3e"
NIGHT = "#2a2c36"


def mirrored(art):
    return g(art, transform="translate(63 0) scale(-1 1)")


# --- July: bush clover -------------------------------------------------------

def clover_spray(points, flowers=True):
    """An arching stem of bush clover: round dark leaves and small red flowers."""
    out = [line(points, "#6a2a1a", 1.3)]
    for i in range(len(points) - 1):
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        for t in (0.25, 0.75):
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            side = 1 if (i * 2 + int(t * 2)) % 2 else -1
            out.append(ellipse(x + side * 3.2, y, 2.6, 1.9, "#1f3a22", INK, 0.4, rotate=side * 30))
            if flowers:
                out.append(ellipse(x - side * 2.6, y + 1.5, 1.5, 2.2, "#d8343c", "#7a1018", 0.4))
    return "".join(out)


def bush_clover(kind):
    if kind == "animal":
        return g(clover_spray([(4, 2), (12, 14), (16, 28), (14, 42)]),
                 clover_spray([(30, 2), (34, 12), (42, 22), (50, 34)]),
                 clover_spray([(62, 4), (56, 16), (58, 30)]))
    if kind == "ribbon":
        return g(clover_spray([(2, 4), (12, 20), (10, 40), (4, 56)]),
                 clover_spray([(62, 2), (52, 18), (56, 38), (58, 60), (52, 82)]),
                 clover_spray([(30, 88), (20, 96), (10, 102)], False))
    sprays = [clover_spray([(4, 2), (14, 18), (16, 36), (12, 56), (6, 72)]),
              clover_spray([(28, 2), (34, 20), (30, 40), (34, 62), (30, 84)]),
              clover_spray([(60, 2), (52, 20), (56, 42), (50, 62), (54, 96)])]
    art = g(*sprays)
    return mirrored(art) if kind == "chaff2" else art


# --- August: pampas grass ----------------------------------------------------

def pampas_hill(top, sky=None):
    """The black hill of the pampas month with the blades of grass over it.

    A blade is dark against the sky and white where it crosses the hill.
    """
    hill = path("M0 %d C14 %d 40 %d 63 %d L63 104 L0 104 Z" % (top + 6, top - 6, top - 4, top + 8),
                fill=HILL)
    blades = []
    for i, x in enumerate(range(4, 62, 6)):
        base = top + 10 + (i % 3) * 8
        lean = -6 if i % 2 else 6
        blades.append("M%d %d Q%.1f %d %d %d" % (x, base + 14, x + lean / 2, base, x + lean,
                                                 top - 14 - (i % 4) * 3))
    d = " ".join(blades)
    # Feathery plumes at the tips of every other blade.
    plumes = "".join(ellipse(x + (-6 if i % 2 else 6), top - 14 - (i % 4) * 3 + 3, 1.6, 4.2, "#d9c48a",
                             INK, 0.4, rotate=-20 if i % 2 else 20)
                     for i, x in enumerate(range(4, 62, 6)) if i % 2 == 0)
    out = [rect(0, 0, 63, 104, sky)] if sky else []
    out.append(path(d, stroke=INK, width=1.0))
    out.append(plumes)
    out.append(hill)
    out.append(clipped(hill, path(d, stroke="#f4efe0", width=1.0)))
    return "".join(out)


def red_sky():
    """The red evening sky behind the moon and the geese."""
    return rect(0, 0, 63, 104, SKY_RED)


def pampas(kind):
    if kind == "bright":
        return pampas_hill(62)
    if kind == "animal":
        return pampas_hill(68)
    if kind == "chaff2":
        return pampas_hill(40)
    return pampas_hill(52)


# --- September: chrysanthemum ------------------------------------------------

def chrysanthemum_flower(cx, cy, r, colour=YELLOW, edge="#b4561a"):
    """A many-petalled chrysanthemum: two rings of narrow petals around a disc."""
    out = []
    for ring, scale in ((0, 1.0), (1, 0.66)):
        for i in range(16):
            a = 360 / 16 * (i + ring * 0.5)
            px = cx + r * scale * 0.55 * math.cos(math.radians(a))
            py = cy + r * scale * 0.55 * math.sin(math.radians(a))
            out.append(ellipse(px, py, r * scale * 0.48, r * 0.13, colour, edge, 0.5, rotate=a))
    out.append(circle(cx, cy, r * 0.22, "#e07a1e", edge, 0.5))
    return "".join(out)


def chrysanthemum_leaf(cx, cy, s=1.0, rotate=0.0):
    d = "M0 0 C-3 -2 -6 -2 -6 -5 C-4 -6 -5 -9 -2 -9 C-1 -11 1 -11 2 -9 C5 -9 4 -6 6 -5 C6 -2 3 -2 0 0 Z"
    return g(path(d, fill=LEAF, stroke=LEAF_DARK, width=0.6), transform=at(cx, cy, s, rotate))


def chrysanthemum(kind):
    if kind == "animal":
        return g(chrysanthemum_leaf(16, 24, 1.3, -20), chrysanthemum_leaf(46, 22, 1.3, 20),
                 chrysanthemum_flower(18, 14, 11), chrysanthemum_flower(46, 12, 9, "#e8483a", "#7a1018"),
                 chrysanthemum_flower(30, 36, 7))
    if kind == "ribbon":
        return g(chrysanthemum_leaf(14, 26, 1.2, -30), chrysanthemum_flower(18, 14, 10),
                 chrysanthemum_leaf(50, 96, 1.3, 20), chrysanthemum_flower(46, 84, 11),
                 chrysanthemum_leaf(14, 100, 1.1, -10))
    art = g(line([(30, 104), (28, 60), (34, 30)], LEAF_DARK, 1.4),
            chrysanthemum_leaf(14, 80, 1.4, -30), chrysanthemum_leaf(48, 70, 1.4, 30),
            chrysanthemum_leaf(24, 100, 1.3, -10), chrysanthemum_leaf(44, 100, 1.3, 10),
            chrysanthemum_flower(34, 26, 14), chrysanthemum_flower(14, 56, 10, "#e8483a", "#7a1018"),
            chrysanthemum_flower(50, 50, 9))
    return mirrored(art) if kind == "chaff2" else art


# --- October: maple ----------------------------------------------------------

def maple_leaf(cx, cy, r, colour="#d4281c", rotate=0.0):
    """A seven-pointed maple leaf with its short stalk."""
    pts = [(0, r * 0.2)]
    for i in range(7):
        for a, rad in ((-90 + (i - 3) * 40 - 20, r * 0.42), (-90 + (i - 3) * 40, r)):
            pts.append((rad * math.cos(math.radians(a)), rad * math.sin(math.radians(a))))
    a = -90 + 3 * 40 + 20
    pts.append((r * 0.42 * math.cos(math.radians(a)), r * 0.42 * math.sin(math.radians(a))))
    leaf = polygon(pts, colour, "#5a120c", 0.6) + line([(0, 0), (0, r * 0.9)], "#5a120c", 0.8)
    return g(leaf, transform=at(cx, cy, None, rotate))


def maple(kind):
    branch = path("M0 20 C16 24 26 14 40 18 C50 21 56 16 63 12 M22 20 C26 30 22 38 28 46",
                  stroke=INK, width=2.2)
    if kind == "animal":
        return g(branch, maple_leaf(10, 12, 8), maple_leaf(30, 10, 7, "#e8731e", 20),
                 maple_leaf(50, 10, 8, rotate=-15), maple_leaf(26, 40, 7, "#e8b21e", 10),
                 maple_leaf(8, 36, 6, "#e8731e", -20))
    if kind == "ribbon":
        return g(branch, maple_leaf(8, 12, 8), maple_leaf(50, 10, 8, "#e8731e"),
                 maple_leaf(26, 42, 6, "#e8b21e"), maple_leaf(14, 92, 8, rotate=20),
                 maple_leaf(48, 94, 8, "#e8731e", -20))
    leaves = [(10, 12, 8, "#d4281c"), (34, 12, 7, "#e8731e"), (54, 14, 8, "#d4281c"),
              (26, 40, 8, "#e8b21e"), (48, 44, 7, "#d4281c"), (12, 62, 8, "#e8731e"),
              (40, 70, 8, "#d4281c"), (20, 92, 8, "#d4281c"), (50, 94, 7, "#e8b21e")]
    art = g(branch, path("M28 46 C34 60 30 74 40 86", stroke=INK, width=1.6),
            *(maple_leaf(x, y, r, c, (i * 23) % 40 - 20) for i, (x, y, r, c) in enumerate(leaves)))
    return mirrored(art) if kind == "chaff2" else art


# --- November: willow --------------------------------------------------------

def willow_strand(x, top, length, sway=4.0):
    """A drooping willow twig with its narrow leaves."""
    pts = [(x + sway * math.sin(t / 10), top + t) for t in range(0, int(length), 6)]
    out = [line(pts, "#3b5a22", 1.0)]
    for i, (px, py) in enumerate(pts[1:]):
        side = 1 if i % 2 else -1
        out.append(ellipse(px + side * 2.2, py, 3.0, 1.1, WILLOW, "#2c4a1a", 0.35, rotate=side * 60))
    return "".join(out)


def willow(kind):
    if kind == "bright":
        return g(rect(0, 0, 63, 104, NIGHT), willow_strand(8, 0, 40, 3), willow_strand(54, 0, 52, -3),
                 willow_strand(44, 0, 30, 3))
    if kind == "animal":
        return g(path("M0 84 C20 78 40 90 63 82 L63 104 L0 104 Z", fill="#2f4f8f"),
                 path("M4 92 C18 88 30 96 46 92", stroke="#bcd2f0", width=0.9),
                 willow_strand(10, 0, 70, 3), willow_strand(22, 0, 40, -3),
                 willow_strand(52, 0, 60, -3))
    if kind == "ribbon":
        return g(willow_strand(8, 0, 86, 3), willow_strand(54, 0, 96, -3), willow_strand(20, 0, 30, 2))
    # November's chaff is the lightning card: a red sky with the black thunder
    # drum band, not the willow.
    return g(rect(0, 0, 63, 104, SKY_RED),
             path("M0 44 L20 36 L14 52 L40 42 L34 60 L63 50 L63 78 L38 88 L44 72 L18 82 L24 66 L0 74 Z",
                  fill=HILL),
             path("M0 44 L20 36 L14 52 L40 42 L34 60 L63 50", stroke="#7b5cb0", width=2.0),
             willow_strand(50, 0, 34, -2), willow_strand(12, 0, 22, 2),
             circle(16, 98, 4, HILL), circle(30, 96, 5, HILL), circle(46, 98, 4, HILL))


# --- December: paulownia -----------------------------------------------------

def paulownia_leaf(cx, cy, s=1.0, colour="#3a7a34", rotate=0.0):
    """The broad paulownia leaf: a wide heart-shaped blade with a pointed tip and its veins."""
    d = "M0 0 C-6 2 -16 0 -16 -10 C-16 -19 -8 -25 0 -29 C8 -25 16 -19 16 -10 C16 0 6 2 0 0 Z"
    veins = path("M0 1 L0 -26 M0 -6 L-11 -12 M0 -6 L11 -12 M0 -14 L-9 -20 M0 -14 L9 -20",
                 stroke="#1c4018", width=0.8)
    return g(path(d, fill=colour, stroke="#1c4018", width=0.8), veins, transform=at(cx, cy, s, rotate))


def paulownia_flowers(x, top, n=5):
    """An upright spike of purple paulownia blossoms."""
    out = [line([(x, top + n * 3.6 + 6), (x, top)], LEAF_DARK, 1.0)]
    for i in range(n):
        w = 1.6 + i * 0.35
        out.append(ellipse(x - w, top + i * 3.6, 1.8, 1.6, PURPLE, INK, 0.35))
        out.append(ellipse(x + w, top + i * 3.6 + 1, 1.8, 1.6, PURPLE_LIGHT, INK, 0.35))
    return "".join(out)


def paulownia(kind, coloured=False):
    if kind == "bright":
        return g(paulownia_leaf(14, 104, 0.95, rotate=-25), paulownia_leaf(49, 104, 0.95, rotate=25),
                 paulownia_flowers(31, 78, 4))
    lower = "#e8b21e" if coloured else None
    art = [rect(0, 66, 63, 38, lower)] if lower else []
    if kind == "chaff2":
        art += [paulownia_flowers(14, 6, 6), paulownia_flowers(33, 14, 5), paulownia_flowers(50, 4, 7),
                paulownia_leaf(44, 66, 0.8, rotate=30), paulownia_leaf(18, 94, 1.2, rotate=-12),
                paulownia_leaf(47, 104, 1.15, "#2f6a2c", rotate=15)]
        return g(*art)
    art += [paulownia_flowers(18, 8, 6), paulownia_flowers(32, 4, 7), paulownia_flowers(46, 8, 6),
            paulownia_leaf(15, 82, 1.2, rotate=-20), paulownia_leaf(48, 84, 1.2, rotate=20),
            paulownia_leaf(31, 104, 1.2, "#2f6a2c" if not coloured else "#3a7a34")]
    if coloured:
        art.append(rect(4, 88, 10, 12, RED, stroke=INK, width=0.6))
    return g(*art)


def coloured_paulownia():
    """December's coloured chaff: the same plant over a yellow ground with a red seal."""
    return paulownia("chaff", coloured=True)
