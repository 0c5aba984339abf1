#!/usr/bin/env python3
"""Writes the rules page koikoi.html from its template and the card sheet.

Usage: make_rules_page.py SHEET2X.png TEMPLATE.html OUT.html

SHEET2X.png is the sheet rendered at twice its size; every picture the page
shows is cut from it and embedded as a PNG data URI, so the page is one
self-contained file. Placeholders in the template:
    {{card N ...}}   the faces of the listed cards, with their names as alt text
    {{second N ...}} the same from the second set (the computer's captures)
    {{yaku K}}       the label of combination K
    {{month M}}      the marker of month M (1..12)
    {{piece NAME}}   back, badge0, badge1, ten, five, one, pip0, pip1
    {{month_table}}  the table of the twelve months and their four cards
    {{league_chart}} the league chart docs/league.svg, drawn by
                     tools/sim/league_chart.py from a recorded league run
"""

import base64
import os
import re
import subprocess
import sys
import tempfile

SCALE = 2

MONTHS = (
    ("一月", "松"), ("二月", "梅"), ("三月", "桜"), ("四月", "藤"), ("五月", "菖蒲"), ("六月", "牡丹"),
    ("七月", "萩"), ("八月", "芒"), ("九月", "菊"), ("十月", "紅葉"), ("十一月", "柳"), ("十二月", "桐"),
)

# Each card's name and its class as the page names them, by card id.
CARDS = (
    ("松に鶴", "光"), ("松に赤短", "短冊"), ("松のカス", "カス"), ("松のカス", "カス"),
    ("梅に鶯", "タネ"), ("梅に赤短", "短冊"), ("梅のカス", "カス"), ("梅のカス", "カス"),
    ("桜に幕", "光"), ("桜に赤短", "短冊"), ("桜のカス", "カス"), ("桜のカス", "カス"),
    ("藤に不如帰", "タネ"), ("藤に短冊", "短冊"), ("藤のカス", "カス"), ("藤のカス", "カス"),
    ("菖蒲に八橋", "タネ"), ("菖蒲に短冊", "短冊"), ("菖蒲のカス", "カス"), ("菖蒲のカス", "カス"),
    ("牡丹に蝶", "タネ"), ("牡丹に青短", "短冊"), ("牡丹のカス", "カス"), ("牡丹のカス", "カス"),
    ("萩に猪", "タネ"), ("萩に短冊", "短冊"), ("萩のカス", "カス"), ("萩のカス", "カス"),
    ("芒に月", "光"), ("芒に雁", "タネ"), ("芒のカス", "カス"), ("芒のカス", "カス"),
    ("菊に盃", "タネ"), ("菊に青短", "短冊"), ("菊のカス", "カス"), ("菊のカス", "カス"),
    ("紅葉に鹿", "タネ"), ("紅葉に青短", "短冊"), ("紅葉のカス", "カス"), ("紅葉のカス", "カス"),
    ("柳に小野道風（雨）", "光"), ("柳に燕", "タネ"), ("柳に短冊", "短冊"), ("柳のカス（雷）", "カス"),
    ("桐に鳳凰", "光"), ("桐のカス（色札）", "カス"), ("桐のカス", "カス"), ("桐のカス", "カス"),
)

# Sheet cells (x, y, width, height) of the pieces the page shows.
PIECES = {
    "back": (756, 0, 63, 104),
    "badge0": (748, 832, 50, 20), "badge1": (748, 872, 50, 20),
    "ten": (502, 852, 22, 20), "five": (548, 852, 20, 20), "one": (584, 852, 16, 20),
    "pip0": (600, 852, 8, 10), "pip1": (600, 892, 8, 10),
    "counter0": (300, 852, 50, 20), "counter1": (350, 852, 50, 20), "counter2": (400, 852, 50, 20),
    "kan": (450, 852, 50, 20),
}


class Sheet:
    """Cuts cells out of the doubled sheet as data URIs.

    Cells are first handed out as tokens; resolve() then cuts all of them in
    one run of convert (reading the large sheet once) and puts each cell's data
    URI in place of its token.
    """

    def __init__(self, png):
        self.png = png
        self.cells = []

    def img(self, cell, alt, css):
        if cell not in self.cells:
            self.cells.append(cell)
        x, y, w, h = cell
        return '<img class="%s" src="@@cell%d@@" width="%d" height="%d" alt="%s">' % (
            css, self.cells.index(cell), w, h, alt)

    def resolve(self, page):
        with tempfile.TemporaryDirectory() as work:
            command = ["convert", self.png]
            for i, (x, y, w, h) in enumerate(self.cells):
                crop = "%dx%d+%d+%d" % (w * SCALE, h * SCALE, x * SCALE, y * SCALE)
                # Flat art keeps its look with a small palette, which keeps the page small.
                command += ["(", "+clone", "-crop", crop, "+repage", "-strip", "-colors", "64",
                            "-write", os.path.join(work, "%d.png" % i), "+delete", ")"]
            command += ["null:"]
            subprocess.run(command, check=True)
            for i in range(len(self.cells)):
                with open(os.path.join(work, "%d.png" % i), "rb") as f:
                    uri = "data:image/png;base64," + base64.b64encode(f.read()).decode("ascii")
                page = page.replace("@@cell%d@@" % i, uri)
        return page


def card_img(sheet, card, row_offset=0):
    name, kind = CARDS[card]
    return sheet.img((63 * (card // 4), 104 * (card % 4 + row_offset), 63, 104),
                     "%s（%s）" % (name, kind), "card")


def month_table(sheet):
    rows = []
    for month, (name, plant) in enumerate(MONTHS):
        cells = "".join('<figure>%s<figcaption>%s<br><span class="kind">%s</span></figcaption></figure>'
                        % (card_img(sheet, 4 * month + k), CARDS[4 * month + k][0], CARDS[4 * month + k][1])
                        for k in range(4))
        rows.append('<div class="month"><h3>%s<span>%s</span></h3><div class="cards">%s</div></div>'
                    % (name, plant, cells))
    return '<div class="months">%s</div>' % "".join(rows)


LEAGUE_CHART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "league.svg")


def league_chart():
    """The league chart as an image whose data URI carries the whole SVG."""
    with open(LEAGUE_CHART, "rb") as f:
        uri = "data:image/svg+xml;base64," + base64.b64encode(f.read()).decode("ascii")
    return ('<figure class="chart"><img src="%s" alt="対戦者の強さ：人間側が1か月に得た貫の平均と'
            '95%%信頼区間"></figure>' % uri)


def expand(sheet, match):
    what, args = match.group(1), match.group(2).split()
    if what in ("card", "second"):
        offset = 4 if what == "second" else 0
        return '<span class="hand">%s</span>' % "".join(card_img(sheet, int(a), offset) for a in args)
    if what == "yaku":
        k = int(args[0])
        return sheet.img((756, 494 + 20 * k, 50, 20), "", "label")
    if what == "month":
        m = int(args[0])
        return sheet.img((756, 104 + 30 * m, 60, 30), MONTHS[m - 1][0], "marker")
    if what == "piece":
        return sheet.img(PIECES[args[0]], "", "piece")
    if what == "month_table":
        return month_table(sheet)
    if what == "league_chart":
        return league_chart()
    raise SystemExit("unknown placeholder {{%s}}" % match.group(0))


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: make_rules_page.py SHEET2X.png TEMPLATE.html OUT.html")
    sheet = Sheet(sys.argv[1])
    with open(sys.argv[2], encoding="utf-8") as f:
        template = f.read()
    # Japanese runs without spaces, so a line break inside a sentence of the
    # template must not become a space on the page.
    template = re.sub(r"(?<=[^\x00-\x7f])\n\s*(?=[^\x00-\x7f])", "", template)
    page = re.sub(r"\{\{(\w+)((?: \w+)*)\}\}", lambda mo: expand(sheet, mo), template)
    page = sheet.resolve(page)
    with open(sys.argv[3], "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main()
