"""The 48 cards as data, and the card frame that turns their layers into a face.

DECK lists, for card id 4 * month + k, the layers painted into the card from
back to front, each as a drawing function and its arguments: the month's
plant in the card's layout and the card's motif or ribbon. The face of the first set (the player's cards) has the black edge of
a black-backed deck; the second set (the computer's captures) shows the same
picture with the red edge of a red-backed deck, so both are read alike and
told apart at a glance.
"""

import motifs as m
import plants_autumn as pa
import plants_spring as ps
from svg import clipped, g, path, rect

CARD_W, CARD_H = 63, 104
PAPER = "#fcf8ec"
EDGE = {"first": "#1d1a17", "second": "#c4262b"}
RADIUS = 5

DECK = [
    # January, pine
    [(m.red_sun, 42, 26, 16), (ps.pine, "bright"), (m.crane,)],
    [(ps.pine, "ribbon"), (m.ribbon, "red", "あかよろし")],
    [(ps.pine, "chaff")],
    [(ps.pine, "chaff2")],
    # February, plum
    [(ps.plum, "animal"), (m.bush_warbler,)],
    [(ps.plum, "ribbon"), (m.ribbon, "red", "あかよろし")],
    [(ps.plum, "chaff")],
    [(ps.plum, "chaff2")],
    # March, cherry
    [(ps.cherry, "bright"), (m.curtain,)],
    [(ps.cherry, "ribbon"), (m.ribbon, "red", "みよしの")],
    [(ps.cherry, "chaff")],
    [(ps.cherry, "chaff2")],
    # April, wisteria
    [(m.cuckoo,), (ps.wisteria, "animal")],
    [(ps.wisteria, "ribbon"), (m.ribbon, "plain")],
    [(ps.wisteria, "chaff")],
    [(ps.wisteria, "chaff2")],
    # May, iris
    [(ps.iris, "animal"), (m.eight_plank_bridge,)],
    [(ps.iris, "ribbon"), (m.ribbon, "plain")],
    [(ps.iris, "chaff")],
    [(ps.iris, "chaff2")],
    # June, peony
    [(ps.peony, "animal"), (m.butterflies,)],
    [(ps.peony, "ribbon"), (m.ribbon, "blue")],
    [(ps.peony, "chaff")],
    [(ps.peony, "chaff2")],
    # July, bush clover
    [(pa.bush_clover, "animal"), (m.boar,)],
    [(pa.bush_clover, "ribbon"), (m.ribbon, "plain")],
    [(pa.bush_clover, "chaff")],
    [(pa.bush_clover, "chaff2")],
    # August, pampas grass
    [(pa.red_sky,), (m.full_moon,), (pa.pampas, "bright")],
    [(pa.red_sky,), (pa.pampas, "animal"), (m.geese,)],
    [(pa.pampas, "chaff")],
    [(pa.pampas, "chaff2")],
    # September, chrysanthemum
    [(pa.chrysanthemum, "animal"), (m.sake_cup,)],
    [(pa.chrysanthemum, "ribbon"), (m.ribbon, "blue")],
    [(pa.chrysanthemum, "chaff")],
    [(pa.chrysanthemum, "chaff2")],
    # October, maple
    [(pa.maple, "animal"), (m.deer,)],
    [(pa.maple, "ribbon"), (m.ribbon, "blue")],
    [(pa.maple, "chaff")],
    [(pa.maple, "chaff2")],
    # November, willow: rain man, swallow, ribbon and the lightning chaff
    [(pa.willow, "bright"), (m.rain_man,)],
    [(pa.willow, "animal"), (m.swallow,)],
    [(pa.willow, "ribbon"), (m.ribbon, "plain")],
    [(pa.willow, "chaff")],
    # December, paulownia: phoenix, the coloured chaff and two plain ones
    [(m.phoenix,), (pa.paulownia, "bright")],
    [(pa.coloured_paulownia,)],
    [(pa.paulownia, "chaff")],
    [(pa.paulownia, "chaff2")],
]

assert len(DECK) == 48


def _rounded(inset, radius):
    w, h, r = CARD_W - 2 * inset, CARD_H - 2 * inset, radius
    return ("M{a} {b} h{w} a{r} {r} 0 0 1 {r} {r} v{h} a{r} {r} 0 0 1 -{r} {r} h-{w} "
            "a{r} {r} 0 0 1 -{r} -{r} v-{h} a{r} {r} 0 0 1 {r} -{r} Z").format(
                a=inset + r, b=inset, w=w - 2 * r, h=h - 2 * r, r=r)


def card_face(card, face_set="first"):
    """The face of one card, drawn at (0, 0); outside its rounded corners is left empty."""
    edge = EDGE[face_set]
    inner = _rounded(2, RADIUS - 1.5)
    layers = [draw(*args) for draw, *args in DECK[card]]
    picture = clipped(path(inner), rect(0, 0, CARD_W, CARD_H, PAPER), *layers)
    # The edge is drawn as the ring between the outer and the inner outline, so
    # the picture is never covered and the line stays two pixels wide.
    border = path(_rounded(0, RADIUS) + " " + inner, fill=edge, fill_rule="evenodd")
    if face_set == "second":
        # A paper line inside the red edge keeps it visible on red skies, and a
        # red corner tab repeats the mark where cards overlap in a pile.
        border += path(_rounded(2.5, RADIUS - 2), stroke=PAPER, width=1.0)
        border += path("M2 20 L2 %.1f Q2 2 %.1f 2 L20 2 Z" % (2 + RADIUS, 2 + RADIUS), fill=edge)
    return g(picture, border)


def card_back():
    """The back: the dark red of the deck with a woven lattice and an inner line."""
    inner = _rounded(3, RADIUS - 2)
    lattice = " ".join("M%d -4 L%d 108" % (x, x + 56) for x in range(-60, 64, 7))
    lattice += " " + " ".join("M%d -4 L%d 108" % (x, x - 56) for x in range(0, 124, 7))
    face = clipped(path(inner), rect(0, 0, CARD_W, CARD_H, "#7e1a18"),
                   path(lattice, stroke="#5e100f", width=1.6),
                   rect(8, 8, 47, 88, "none", rx=3, stroke="#c4893a", width=1.0),
                   path("M31.5 36 L45 52 L31.5 68 L18 52 Z", fill="#5e100f", stroke="#c4893a", width=1.0))
    border = path(_rounded(0, RADIUS) + " " + inner, fill="#2a0c0a", fill_rule="evenodd")
    return g(face, border)
