"""Small SVG building helpers shared by the card and piece drawings.

Every drawing function of the art generator returns SVG markup as a string;
these helpers keep that markup short and the attribute spelling in one place.
Coordinates are sheet pixels: a card is drawn in its own 63 x 104 space and
placed on the sheet with a translation, so 1 unit is 1 pixel of the BMP.
"""

from xml.sax.saxutils import escape

MINCHO = "IPAMincho, 'IPA明朝', 'MS Mincho', serif"
GOTHIC = "IPAGothic, 'IPAゴシック', 'MS Gothic', sans-serif"


def _attrs(kw):
    parts = []
    for key, value in kw.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        if isinstance(value, float):
            value = fmt(value)
        parts.append('%s="%s"' % (name, escape(str(value), {'"': "&quot;"})))
    return " ".join(parts)


def fmt(value):
    """A number written with at most two decimals and no trailing zeros."""
    text = "%.2f" % value
    return text.rstrip("0").rstrip(".") if "." in text else text


def el(tag, *children, **kw):
    inner = "".join(children)
    head = "<%s %s" % (tag, _attrs(kw)) if kw else "<%s" % tag
    return "%s>%s</%s>" % (head, inner, tag) if inner else head + "/>"


def g(*children, transform=None, **kw):
    return el("g", *children, transform=transform, **kw)


def at(x=0.0, y=0.0, scale=None, rotate=None, flip=False):
    """A transform: translate, then rotate (degrees), then scale, then mirror."""
    parts = ["translate(%s %s)" % (fmt(x), fmt(y))]
    if rotate:
        parts.append("rotate(%s)" % fmt(rotate))
    if scale is not None:
        parts.append("scale(%s)" % fmt(scale))
    if flip:
        parts.append("scale(-1 1)")
    return " ".join(parts)


def path(d, fill="none", stroke=None, width=None, **kw):
    return el("path", d=d, fill=fill, stroke=stroke, stroke_width=width, **kw)


def line(points, stroke, width, cap="round", **kw):
    """An open polyline through the given (x, y) points."""
    d = "M" + " L".join("%s %s" % (fmt(x), fmt(y)) for x, y in points)
    return path(d, stroke=stroke, width=width, stroke_linecap=cap, stroke_linejoin="round", **kw)


def polygon(points, fill, stroke=None, width=None, **kw):
    pts = " ".join("%s,%s" % (fmt(x), fmt(y)) for x, y in points)
    return el("polygon", points=pts, fill=fill, stroke=stroke, stroke_width=width,
              stroke_linejoin="round" if stroke else None, **kw)


def circle(cx, cy, r, fill, stroke=None, width=None, **kw):
    return el("circle", cx=fmt(cx), cy=fmt(cy), r=fmt(r), fill=fill, stroke=stroke,
              stroke_width=width, **kw)


def ellipse(cx, cy, rx, ry, fill, stroke=None, width=None, rotate=None, **kw):
    transform = "rotate(%s %s %s)" % (fmt(rotate), fmt(cx), fmt(cy)) if rotate else None
    return el("ellipse", cx=fmt(cx), cy=fmt(cy), rx=fmt(rx), ry=fmt(ry), fill=fill,
              stroke=stroke, stroke_width=width, transform=transform, **kw)


def rect(x, y, w, h, fill, rx=None, stroke=None, width=None, **kw):
    return el("rect", x=fmt(x), y=fmt(y), width=fmt(w), height=fmt(h), rx=rx if rx is None else fmt(rx),
              fill=fill, stroke=stroke, stroke_width=width, **kw)


def text(x, y, s, size, fill="#000", family=MINCHO, anchor="middle", weight=None, **kw):
    return el("text", escape(s), x=fmt(x), y=fmt(y), font_size=fmt(size), font_family=family,
              text_anchor=anchor, fill=fill, font_weight=weight, **kw)


def vertical_text(x, top, s, size, fill="#000", family=MINCHO, step=None, **kw):
    """Text set top to bottom, one character under the other, as written on a ribbon."""
    step = size if step is None else step
    return "".join(text(x, top + size * 0.88 + i * step, ch, size, fill, family, **kw)
                   for i, ch in enumerate(s))


class Clipper:
    """Hands out the clip path ids of one document, so every id is unique."""

    def __init__(self):
        self.count = 0

    def __call__(self, shape, *children):
        """Draws children clipped to shape (markup of one or more shapes)."""
        self.count += 1
        cid = "clip%d" % self.count
        return el("clipPath", shape, id=cid) + g(*children, clip_path="url(#%s)" % cid)


clipped = Clipper()


def document(width, height, *children, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
            "<defs>%s</defs>%s</svg>\n" % (width, height, width, height, defs, "".join(children)))
