"""The small pictures of the sheet: month markers, combination labels, koi-koi
badges, score-panel labels, kan tokens, the pip and the two prompts.

All of them are painted over the felt of the board, so each is drawn at
(0, 0) on a transparent ground and the sheet supplies the felt around it.
The player's pieces use the player's turn-label colour and the computer's
pieces the computer's, as the board does.
"""

import plants_autumn as pa
import plants_spring as ps
from svg import GOTHIC, MINCHO, at, circle, ellipse, g, line, path, rect, text

SIDE_FILL = ("#d1f8f6", "#f6d8f4")   # the turn-label colours of the board, (209, 248, 246) and (246, 216, 244)
SIDE_EDGE = ("#1f6a66", "#7a2a74")
PIP_FILL = ("#5fe0da", "#f07ad8")

MONTH_NAMES = ("一月", "二月", "三月", "四月", "五月", "六月",
               "七月", "八月", "九月", "十月", "十一月", "十二月")

# A hint of each month's flower for its marker, drawn in a 16 x 16 box.
MONTH_FLOWERS = (
    lambda: ps.pine_cluster(8, 12, 15, 9),
    lambda: ps.flower5(8, 8, 7, ps.RED, ps.YELLOW),
    lambda: ps.flower5(8, 8, 7.5, ps.PINK, "#fff", "#b23a5e"),
    lambda: ps.wisteria_raceme(8, 2, 14, 1.0),
    lambda: ps.iris_flower(8, 11, 0.75),
    lambda: ps.peony_flower(8, 8, 6.5),
    lambda: pa.clover_spray([(3, 1), (8, 7), (10, 15)]),
    lambda: g(circle(8, 8, 7, "#fbf1cc", "#b89a40", 0.7), path("M0 16 C4 10 12 10 16 16 Z", fill=pa.HILL)),
    lambda: pa.chrysanthemum_flower(8, 8, 8),
    lambda: pa.maple_leaf(8, 8, 7.5),
    lambda: g(pa.willow_strand(5, 0, 17, 1.5), pa.willow_strand(11, 0, 13, -1.5)),
    lambda: pa.paulownia_flowers(8, 1, 3),
)

# Combination labels in the order of YakuScore: name, fill, text colour.
YAKU_LABELS = (
    ("五光", "#f2c12e", "#1b1510"),
    ("四光", "#f6d86a", "#1b1510"),
    ("赤短", "#cf2a2f", "#ffffff"),
    ("青短", "#2a48a8", "#ffffff"),
    ("猪鹿蝶", "#7b4a22", "#ffffff"),
    ("花見酒", "#f5b3c6", "#1b1510"),
    ("月見酒", "#26284a", "#f6d24a"),
    ("タネ", "#dfe9c8", "#1b1510"),
    ("タン", "#f3d6d0", "#1b1510"),
    ("カス", "#e8e4d8", "#1b1510"),
)

COUNTER_LABELS = ("獲得文", "今日文", "今月文")
KAN_LABEL = "持ち貫"
HAND_PROMPT = "手札から一枚選んでください"
FIELD_PROMPT = "場札から一枚選んでください"


def tag(w, h, label, fill, edge, colour="#1b1510", size=13.0, family=GOTHIC):
    """A rounded tag with one line of text centred on it."""
    return g(rect(0.5, 0.5, w - 1, h - 1, fill, rx=4, stroke=edge, width=1.0),
             text(w / 2, h / 2 + size * 0.36, label, size, colour, family))


def month_marker(month):
    """Marker of month 1..12: the flower of the month and its name, 60 x 30."""
    name = MONTH_NAMES[month - 1]
    size = 12 if len(name) > 2 else 14
    centre = 40 if len(name) > 2 else 39
    return g(rect(0.5, 0.5, 59, 29, "#fcf8ec", rx=5, stroke="#7a1018", width=1.0),
             g(MONTH_FLOWERS[month - 1](), transform=at(3, 7)),
             text(centre, 15 + size * 0.36, name, size, "#1b1510", MINCHO, weight="bold"))


def yaku_label(k):
    name, fill, colour = YAKU_LABELS[k]
    return tag(50, 20, name, fill, "#1b1510", colour, 13 if len(name) < 3 else 12.5)


def koikoi_badge(side):
    """The koi-koi badge in the caller's colour; the player's has a round mark, the computer's a square one."""
    mark = circle(5, 10, 2.6, SIDE_EDGE[0]) if side == 0 else rect(2.6, 7.6, 4.8, 4.8, SIDE_EDGE[1])
    return g(rect(0.75, 0.75, 48.5, 18.5, SIDE_FILL[side], rx=4, stroke=SIDE_EDGE[side], width=1.5),
             mark, text(28.5, 13.8, "こいこい", 10, "#1b1510", GOTHIC))


def counter_label(side, r):
    return tag(50, 20, COUNTER_LABELS[r], SIDE_FILL[side], SIDE_EDGE[side], size=12.5, family=MINCHO)


def kan_label(side):
    return tag(50, 20, KAN_LABEL, SIDE_FILL[side], SIDE_EDGE[side], size=12.5, family=MINCHO)


def ten_kan():
    """The ten-kan token: an oval gold coin marked 十, 22 x 20."""
    return g(ellipse(11, 10, 10.3, 9.3, "#e8b830", "#6a4a08", 1.0),
             ellipse(11, 10, 7.6, 6.8, "none", "#a87a10", 0.7),
             text(11, 14.4, "十", 11.5, "#4a3000", MINCHO, weight="bold"))


def five_kan():
    """The five-kan token: a round silver coin marked 五, 20 x 20."""
    return g(circle(10, 10, 9.2, "#d8dde4", "#4a5260", 1.0),
             circle(10, 10, 6.8, "none", "#8a94a4", 0.7),
             text(10, 14.2, "五", 10.5, "#2a3040", MINCHO, weight="bold"))


def one_kan():
    """The one-kan token: a small copper coin with a square hole, 16 x 20."""
    return g(circle(8, 10, 7.2, "#b8662a", "#4a2008", 1.0),
             rect(5.5, 7.5, 5, 5, "#228b22", stroke="#4a2008", width=0.8),
             circle(8, 10, 5.4, "none", "#d89060", 0.5))


def pip(side):
    """One mon on the score panel: a small upright bead in the side's colour, 8 x 10."""
    return g(ellipse(4, 5, 3.2, 4.2, PIP_FILL[side], "#1b1510", 0.9),
             ellipse(3, 3.6, 1.0, 1.4, "#ffffff", opacity="0.7"))


def prompt(label):
    return tag(200, 20, label, "#fff6c8", "#8a6a00", size=14)
