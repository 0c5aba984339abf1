"""The motifs of the bright and animal cards, and the ribbons.

Each function draws one motif in card coordinates (63 x 104) over the
month's plant: the brights (crane and sun, curtain, moon, rain man,
phoenix), the animals (warbler, cuckoo, bridge, butterflies, boar, geese,
sake cup, deer, swallow) and the three kinds of ribbon.
"""

from svg import GOTHIC, MINCHO, at, circle, ellipse, g, line, path, polygon, rect, text, vertical_text
from plants_spring import INK, RED, YELLOW

WHITE = "#fdfbf4"
SKIN = "#f3d2a8"
BROWN = "#7b4a22"
RIBBON_RED = "#cf2a2f"
RIBBON_BLUE = "#2a48a8"


# --- Brights -----------------------------------------------------------------

def red_sun(cx, cy, r):
    return circle(cx, cy, r, "#d8262c", "#8a1016", 0.8)


def crane():
    """A standing crane: white body, black neck and tail, red crown."""
    tail = path("M40 60 C48 62 54 68 56 76 C50 74 46 72 42 70 Z", fill=INK)
    body = ellipse(34, 62, 13, 8.5, WHITE, INK, 0.9, rotate=-18)
    wing = path("M26 60 C32 54 42 54 48 60 C42 62 34 64 26 60 Z", fill="#e9e6dc", stroke=INK, width=0.6)
    neck = path("M24 60 C18 54 14 46 20 40 C24 36 22 30 16 28", stroke=INK, width=3.2,
                stroke_linecap="round")
    head = ellipse(15, 27, 4, 3, WHITE, INK, 0.7)
    crown = circle(15.5, 24.8, 2.0, "#e0202a")
    beak = polygon([(12, 26), (3, 29), (12, 28.6)], "#c8a040", INK, 0.4)
    eye = circle(14, 26.6, 0.8, INK)
    legs = line([(30, 69), (29, 86)], INK, 1.2) + line([(36, 69), (38, 86)], INK, 1.2)
    return g(tail, legs, body, wing, neck, head, crown, beak, eye)


def curtain():
    """The cherry-viewing curtain: red and white panels hung from a rod, drawn up in drapes."""
    panels = []
    for i, x in enumerate(range(4, 60, 11)):
        colour = RED if i % 2 == 0 else WHITE
        panels.append(path("M%d 52 L%d 52 L%d 88 Q%.1f 94 %d 88 Z" % (x, x + 11, x + 11, x + 5.5, x),
                           fill=colour, stroke=INK, width=0.7))
    crests = "".join(circle(x + 5.5, 70, 3.2, "none", INK, 0.9) + circle(x + 5.5, 70, 1.2, INK)
                     for x in range(15, 60, 22))
    rod = rect(1, 48, 61, 5, "#4a2a6a", stroke=INK, width=0.6)
    knots = "".join(circle(x, 50.5, 1.4, YELLOW) for x in (9, 20, 31, 42, 53))
    cord = path("M2 96 C18 92 44 100 61 94", stroke="#7a1018", width=1.6)
    return g(*panels, crests, rod, knots, cord)


def full_moon():
    return circle(32, 30, 18, "#fbf1cc", "#b89a40", 0.9)


def rain_man():
    """The poet under his umbrella in the rain, the frog leaping at the willow."""
    rain = "".join(line([(x, 2), (x - 4, 22)], "#5b6478", 0.6) for x in range(6, 63, 9))
    canopy = path("M16 36 C18 20 30 12 44 14 C54 16 60 24 60 32 C46 28 30 30 16 36 Z",
                  fill="#c8402a", stroke=INK, width=0.9)
    ribs = "".join(line([(40, 18), (x, y)], "#7a1a10", 0.6) for x, y in ((20, 34), (32, 30), (48, 29), (58, 31)))
    shaft = line([(40, 18), (33, 50)], INK, 1.1)
    robe = path("M26 46 C30 42 38 42 42 46 L48 82 L20 82 Z", fill="#f2c12e", stroke=INK, width=0.8)
    pattern = "".join(circle(x, y, 1.6, RED) for x, y in ((28, 56), (38, 60), (30, 70), (42, 74), (24, 78)))
    sleeve = path("M28 50 C24 54 26 60 32 58", fill="#e8a020", stroke=INK, width=0.7)
    head = circle(34, 40, 4, SKIN, INK, 0.7) + path("M30 38 L34 31 L38 38 Z", fill=INK)
    clogs = rect(22, 82, 8, 3, INK) + rect(38, 82, 8, 3, INK)
    frog = g(line([(-3, 2), (-9, 8)], "#4e9a2e", 2.0), line([(3, -2), (7, -9)], "#4e9a2e", 1.6),
             ellipse(0, 0, 6, 4, "#4e9a2e", INK, 0.8, rotate=-35),
             circle(3, -3, 1.4, YELLOW, INK, 0.4), transform=at(11, 86))
    stream = path("M0 96 C14 92 30 100 44 96 C52 94 58 96 63 94 L63 104 L0 104 Z", fill="#3a5fa8")
    return g(rain, stream, canopy, ribs, shaft, robe, pattern, sleeve, head, clogs, frog)


def phoenix():
    """The phoenix in flight before the sun: crested head, raised wings and a long plumed tail."""
    halo = circle(36, 30, 22, "#f6c44a")
    plumes = (("M30 46 C40 52 50 58 60 74 C50 68 40 60 28 50 Z", "#2f8f4a", (57, 70)),
              ("M32 44 C44 46 54 50 62 58 C52 58 42 54 30 48 Z", "#3a5fc0", (59, 57)),
              ("M28 48 C34 58 40 66 44 80 C36 70 30 62 26 50 Z", "#d8262c", (42, 76)))
    tail = "".join(path(d, fill=c, stroke=INK, width=0.6) + circle(x, y, 2.0, YELLOW, INK, 0.5)
                   for d, c, (x, y) in plumes)
    wing_back = path("M32 40 C36 26 42 12 50 4 C50 18 44 32 36 44 Z", fill="#d8262c", stroke=INK, width=0.6)
    wing_front = path("M26 42 C22 28 16 16 8 8 C10 22 14 34 22 46 Z", fill="#2f8f4a", stroke=INK, width=0.6)
    bars = (path("M24 38 C20 28 15 20 11 14", stroke=YELLOW, width=1.5)
            + path("M35 38 C39 28 43 20 47 12", stroke=YELLOW, width=1.5))
    body = ellipse(28, 45, 9, 5.5, "#e85a24", INK, 0.8, rotate=-10)
    neck = path("M22 45 C18 46 15 46 12 44", stroke="#e85a24", width=4, stroke_linecap="round")
    head = circle(11, 43.5, 3.4, "#e85a24", INK, 0.7)
    crest = path("M10 40.5 C8 36 6 35 4 34 M12 40.5 C12 36 11 34 10 32", stroke="#2f8f4a", width=1.3)
    beak = polygon([(8, 43), (3, 45), (8, 45.5)], YELLOW, INK, 0.4)
    wattle = path("M10 46.5 C9 50 11 52 12 50", stroke="#d8262c", width=1.2)
    return g(halo, tail, wing_back, body, wing_front, bars, neck, head, crest, beak, wattle,
             circle(10.5, 42.8, 0.8, INK))


# --- Animals -----------------------------------------------------------------

def bush_warbler():
    """The olive-green warbler perched on the plum branch."""
    tail = polygon([(42, 58), (54, 52), (53, 56)], "#5f6d1c", INK, 0.5)
    body = ellipse(36, 57, 9, 6, "#8d9b2e", INK, 0.8, rotate=-15)
    belly = ellipse(33, 60, 5, 3, "#d3d77e", rotate=-15)
    wing = path("M32 54 C38 50 44 52 46 56 C40 58 36 58 32 54 Z", fill="#5f6d1c", stroke=INK, width=0.5)
    head = circle(26, 51, 4.8, "#8d9b2e", INK, 0.8)
    eye = circle(24.6, 50.2, 1.0, INK) + circle(24.6, 50.2, 1.8, "none", WHITE, 0.6)
    beak = polygon([(21.6, 51), (18, 52), (21.8, 53)], INK)
    feet = line([(34, 62), (33, 66)], INK, 0.9) + line([(38, 62), (38, 66)], INK, 0.9)
    return g(tail, feet, body, belly, wing, head, eye, beak)


def cuckoo():
    """The cuckoo flying across the red sky under a crescent moon."""
    sky = rect(0, 0, 63, 68, "#d42a2a")
    moon = circle(46, 16, 9, "#f6d24a") + circle(50, 13, 8, "#d42a2a")
    wing_up = path("M26 38 C22 28 18 22 10 18 C16 28 18 34 22 40 Z", fill="#3a3a40", stroke=INK, width=0.6)
    body = ellipse(30, 40, 10, 4.2, "#3a3a40", INK, 0.7, rotate=-10)
    belly = ellipse(30, 42, 6, 1.8, "#cfcfc6", rotate=-10)
    wing_down = path("M30 40 C34 46 36 52 32 58 C28 52 26 46 26 42 Z", fill="#2a2a30", stroke=INK, width=0.6)
    tail = polygon([(38, 38), (50, 40), (48, 43), (38, 41)], "#2a2a30", INK, 0.5)
    head = circle(20, 42, 3.2, "#3a3a40", INK, 0.6)
    beak = polygon([(17, 42), (13, 44), (17.4, 43.6)], YELLOW)
    return g(sky, moon, wing_up, body, belly, tail, wing_down, head, beak, circle(19.4, 41.4, 0.8, YELLOW))


def eight_plank_bridge():
    """Three plank sections of the zigzag bridge over the iris marsh."""
    out = []
    for x0, y0, x1, y1 in ((0, 70, 30, 62), (22, 78, 56, 70), (40, 92, 63, 86)):
        out.append(polygon([(x0, y0), (x1, y1), (x1, y1 + 7), (x0, y0 + 7)], "#9a6430", INK, 0.8))
        out.append(line([(x0 + 1, y0 + 3.5), (x1 - 1, y1 + 3.5)], "#6a3e18", 0.6))
        for t in (0.25, 0.75):
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t + 7
            out.append(line([(x, y), (x, y + 8)], "#5a3414", 1.6))
    water = path("M0 100 C16 96 30 102 46 98 C54 96 60 98 63 97", stroke="#3a5fa8", width=1.2)
    return g(water, *out)


def butterfly(cx, cy, s=1.0, rotate=0.0):
    wings = (path("M0 0 C-4 -10 -14 -12 -14 -4 C-14 0 -6 2 0 0 Z", fill="#3a5ab8", stroke=INK, width=0.7)
             + path("M0 0 C4 -10 14 -12 14 -4 C14 0 6 2 0 0 Z", fill="#3a5ab8", stroke=INK, width=0.7)
             + path("M0 0 C-8 2 -10 10 -4 10 C-2 8 0 4 0 0 Z", fill="#f2c12e", stroke=INK, width=0.7)
             + path("M0 0 C8 2 10 10 4 10 C2 8 0 4 0 0 Z", fill="#f2c12e", stroke=INK, width=0.7))
    dots = circle(-8, -6, 1.4, WHITE) + circle(8, -6, 1.4, WHITE) + circle(-4, 6, 1.0, RED) + circle(4, 6, 1.0, RED)
    body = ellipse(0, 1, 1.2, 6, INK) + line([(0, -5), (-3, -10)], INK, 0.5) + line([(0, -5), (3, -10)], INK, 0.5)
    return g(wings, dots, body, transform=at(cx, cy, s, rotate))


def butterflies():
    return g(butterfly(20, 28, 1.0, -15), butterfly(44, 48, 0.9, 20))


def boar():
    """The wild boar charging through the bush clover."""
    body = path("M12 70 C14 60 26 54 40 56 C50 57 56 62 56 70 C56 78 48 82 36 82 C24 82 14 80 12 70 Z",
                fill="#6a4020", stroke=INK, width=0.9)
    bristles = path("M20 60 L22 54 L26 58 L28 52 L32 56 L35 51 L38 56 L42 52 L44 58", fill="#3a2210",
                    stroke=INK, width=0.6)
    snout = path("M14 66 C8 66 4 70 4 74 C8 76 12 76 14 74 Z", fill="#7a4a26", stroke=INK, width=0.8)
    tusk = path("M7 73 C6 70 8 68 10 68", stroke=WHITE, width=1.2)
    legs = "".join(line([(x, 80), (x + d, 92)], "#3a2210", 3.0) for x, d in ((18, -5), (26, 2), (42, -2), (50, 5)))
    belly = path("M20 78 C28 82 40 82 50 76", stroke="#a7703a", width=1.6)
    tail = path("M55 66 C60 64 60 60 58 58", stroke=INK, width=1.0)
    return g(legs, body, bristles, belly, snout, tusk, tail, circle(17, 66, 1.0, INK), circle(17, 66, 1.8, "none", WHITE, 0.5))


def goose(cx, cy, s=1.0):
    return g(path("M-7 2 C-3 -6 0 -4 0 0 C0 -4 4 -6 8 1", stroke=INK, width=2.0),
             ellipse(0, 1, 4, 1.8, INK), line([(-4, 1), (-7, 0)], INK, 1.0), transform=at(cx, cy, s))


def geese():
    return g(goose(16, 16, 1.2), goose(32, 28, 1.2), goose(48, 14, 1.2))


def sake_cup():
    """The red lacquered sake cup with the gold character for long life."""
    foot = path("M24 92 L40 92 L37 84 L27 84 Z", fill="#a81c24", stroke=INK, width=0.8)
    bowl = path("M10 62 C12 80 22 86 32 86 C42 86 52 80 54 62 Z", fill="#cf2a2f", stroke=INK, width=0.9)
    rim = ellipse(32, 62, 22, 6, "#e8453a", INK, 0.9)
    inner = ellipse(32, 62, 18, 4, "#f06a50")
    mark = text(32, 81, "寿", 14, "#f6d24a", MINCHO, weight="bold")
    return g(foot, bowl, rim, inner, mark)


def deer():
    """The deer standing under the maples, looking back over its shoulder."""
    legs = "".join(line([(x, 78), (x + d, 96)], "#7a4a22", 2.2) for x, d in ((22, -2), (27, 1), (42, -1), (47, 2)))
    body = path("M16 66 C18 58 36 58 48 60 C54 62 54 72 50 78 C40 82 26 82 18 78 C14 74 14 70 16 66 Z",
                fill="#b8743a", stroke=INK, width=0.9)
    spots = "".join(circle(x, y, 1.3, WHITE) for x, y in ((24, 66), (30, 64), (36, 67), (42, 65), (28, 72), (40, 72)))
    neck = path("M46 62 C50 54 52 48 50 42 L56 44 C58 50 56 58 52 64 Z", fill="#b8743a", stroke=INK, width=0.8)
    head = path("M48 42 C50 36 58 36 60 40 C62 44 58 46 54 46 Z", fill="#b8743a", stroke=INK, width=0.8)
    antlers = path("M52 38 L48 28 L44 26 M48 28 L50 22 M56 37 L58 26 L62 22 M58 26 L54 20",
                   stroke="#5a3414", width=1.3, stroke_linecap="round")
    tail = path("M16 66 C12 64 12 60 14 60", stroke=INK, width=1.2)
    return g(legs, body, spots, neck, head, antlers, tail, circle(56, 41, 0.9, INK))


def swallow():
    """The swallow darting between the willow strands."""
    tail = path("M40 40 L58 30 L48 40 L60 40 L42 44 Z", fill=INK)
    wing_up = path("M32 40 C26 28 20 20 10 16 C18 26 22 34 26 42 Z", fill="#1e2440", stroke=INK, width=0.5)
    body = ellipse(32, 43, 10, 4, "#1e2440", INK, 0.6, rotate=-12)
    belly = ellipse(32, 45, 6, 2, WHITE, rotate=-12)
    wing_down = path("M30 44 C26 52 18 58 8 60 C16 52 22 48 26 42 Z", fill="#1e2440", stroke=INK, width=0.5)
    head = circle(22, 45, 3.4, "#1e2440", INK, 0.5) + circle(21, 47, 1.6, "#d8262c")
    return g(tail, wing_up, body, belly, wing_down, head, circle(21.4, 44.2, 0.7, WHITE))


# --- Ribbons -----------------------------------------------------------------

def ribbon(kind, writing=""):
    """A tanzaku ribbon: "red" with its poem, "blue", or "plain" red without writing."""
    colour = RIBBON_BLUE if kind == "blue" else RIBBON_RED
    edge = "#14224a" if kind == "blue" else "#6e1014"
    strip = path("M-7 0 L7 0 L7 54 L0 50 L-7 54 Z", fill=colour, stroke=edge, width=0.9)
    shine = line([(-4.5, 3), (-4.5, 47)], "#ffffff", 0.7, opacity="0.35")
    tie = path("M-3 0 C-6 -6 -2 -8 0 -4 C2 -8 6 -6 3 0", stroke=edge, width=1.0)
    words = ""
    if writing:
        size = 8.6 if len(writing) > 4 else 9.5
        words = vertical_text(0.4, 4, writing, size, INK, GOTHIC, step=size + 0.6, weight="bold")
    return g(strip, shine, tie, words, transform=at(31, 28, None, -8))
