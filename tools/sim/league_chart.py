#!/usr/bin/env python3
"""Draws the league table written by `koikoi-sim --league --csv FILE` as an SVG chart.

usage: league_chart.py league.csv league.svg

One row per player on the human's side; in each row a dot per opponent at the
human's average kan per month, with its 95% confidence interval as a bar. The
command and the seeds from the table's comment lines are printed under the
chart, so the picture names the run that made it. Standard library only.
"""
import csv
import sys
from xml.sax.saxutils import escape

OPPONENTS = ["朱雀", "青龍", "白虎", "玄武"]
COLOURS = ["#c0392b", "#1f6fb2", "#7f8c8d", "#2c3e50"]
PLAYERS = {
    "random": "でたらめ (乱数)",
    "greedy": "欲張り (札の点)",
    "opponent0": "朱雀の打ち方",
    "opponent1": "青龍の打ち方",
    "opponent2": "白虎の打ち方",
    "opponent3": "玄武の打ち方",
}
NUMBERS = ["games", "deals", "months", "human_months_won", "computer_months_won",
           "human_koikoi_calls", "human_koikoi_paid", "computer_koikoi_calls", "computer_koikoi_paid"]
DECIMALS = ["kan_per_month", "kan_ci_low", "kan_ci_high"]


def read_table(path):
    """Returns (comment lines, rows as dicts with numbers converted)."""
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().splitlines()
    comments = [line[2:] for line in lines if line.startswith("# ")]
    body = [line for line in lines if not line.startswith("#")]
    rows = []
    for row in csv.DictReader(body):
        for key in NUMBERS:
            row[key] = int(row[key])
        for key in DECIMALS:
            row[key] = float(row[key])
        row["opponent"] = int(row["opponent"])
        rows.append(row)
    return comments, rows


def draw(comments, rows):
    players = [p for p in PLAYERS if any(r["player"] == p for r in rows)]
    lows = [r["kan_ci_low"] for r in rows] + [0.0]
    highs = [r["kan_ci_high"] for r in rows] + [0.0]
    lo = min(lows) - 0.1
    hi = max(highs) + 0.1
    left, right, top, row_h = 170, 620, 70, 44
    width = 660
    height = top + row_h * len(players) + 150

    def x(value):
        return left + (value - lo) / (hi - lo) * (right - left)

    out = []
    add = out.append
    add(f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}" font-family="sans-serif" font-size="12">')
    add(f'<rect width="{width}" height="{height}" fill="#fffdf6"/>')
    add('<text x="20" y="24" font-size="15" font-weight="bold">'
        '対戦者の強さ: 人間側の1か月あたりの貫 (95%信頼区間)</text>')
    add('<text x="20" y="44" fill="#555">左ほど対戦者が強い。各行は人間側に座った打ち手。</text>')
    # Grid lines at every half kan.
    tick = int(lo * 2) / 2
    while tick <= hi:
        if tick >= lo:
            colour = "#999" if tick == 0 else "#e3ddcc"
            add(f'<line x1="{x(tick):.1f}" y1="{top - 8}" x2="{x(tick):.1f}" '
                f'y2="{top + row_h * len(players)}" stroke="{colour}"/>')
            add(f'<text x="{x(tick):.1f}" y="{top + row_h * len(players) + 16}" '
                f'text-anchor="middle" fill="#555">{tick:+.1f}</text>')
        tick += 0.5
    for i, player in enumerate(players):
        y0 = top + i * row_h
        add(f'<text x="{left - 10}" y="{y0 + row_h / 2 + 4:.1f}" text-anchor="end">'
            f'{escape(PLAYERS[player])}</text>')
        for row in rows:
            if row["player"] != player:
                continue
            o = row["opponent"]
            y = y0 + 8 + o * (row_h - 16) / 3
            colour = COLOURS[o]
            add(f'<line x1="{x(row["kan_ci_low"]):.1f}" y1="{y:.1f}" x2="{x(row["kan_ci_high"]):.1f}" '
                f'y2="{y:.1f}" stroke="{colour}" stroke-width="3"/>')
            add(f'<circle cx="{x(row["kan_per_month"]):.1f}" cy="{y:.1f}" r="3.5" fill="{colour}">'
                f'<title>{OPPONENTS[o]} / {escape(PLAYERS[player])}: {row["kan_per_month"]:+.3f} '
                f'[{row["kan_ci_low"]:+.3f}, {row["kan_ci_high"]:+.3f}]</title></circle>')
    legend_y = top + row_h * len(players) + 40
    for o, name in enumerate(OPPONENTS):
        lx = left + o * 110
        add(f'<rect x="{lx}" y="{legend_y - 10}" width="12" height="12" fill="{COLOURS[o]}"/>')
        add(f'<text x="{lx + 18}" y="{legend_y}">{name}</text>')
    add(f'<text x="{left + 4 * 110}" y="{legend_y}" fill="#555">人間側の貫/月</text>')
    for k, comment in enumerate(comments[:3]):
        add(f'<text x="20" y="{legend_y + 30 + 16 * k}" font-size="10" fill="#555">'
            f'{escape(comment)}</text>')
    add('</svg>')
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    comments, rows = read_table(argv[1])
    if not rows:
        print("league_chart.py: no rows in " + argv[1], file=sys.stderr)
        return 1
    with open(argv[2], "w", encoding="utf-8", newline="\n") as f:
        f.write(draw(comments, rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
