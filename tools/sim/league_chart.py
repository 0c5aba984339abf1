#!/usr/bin/env python3
"""Draws the league table written by `koikoi-sim --league --csv FILE` as an SVG chart.

usage: league_chart.py league.csv league.svg

One row per player on the human's side; in each row a dot per opponent at the
human's average kan per month, with its 95% confidence interval as a bar.
Under it a table of each opponent's months won, koi-koi calls per 100 deals
and the share of calls that paid, summed over every player it met. The
command and the seeds from the table's comment lines are printed at the foot,
so the picture names the run that made it. Standard library only.
"""
import csv
import math
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


def opponent_totals(rows):
    """Per opponent, summed over every player: the share of months it won,
    its koi-koi calls per 100 deals and the share of those that paid."""
    totals = []
    for o in range(len(OPPONENTS)):
        mine = [r for r in rows if r["opponent"] == o]
        months = sum(r["months"] for r in mine)
        deals = sum(r["deals"] for r in mine)
        calls = sum(r["computer_koikoi_calls"] for r in mine)
        paid = sum(r["computer_koikoi_paid"] for r in mine)
        totals.append((100.0 * sum(r["computer_months_won"] for r in mine) / max(months, 1),
                       100.0 * calls / max(deals, 1),
                       100.0 * paid / calls if calls else None))
    return totals


def draw(comments, rows):
    players = [p for p in PLAYERS if any(r["player"] == p for r in rows)]
    lo = min([r["kan_ci_low"] for r in rows] + [0.0]) - 0.1
    hi = max([r["kan_ci_high"] for r in rows] + [0.0]) + 0.1
    left, right, top, row_h = 170, 630, 70, 44
    width = 680
    plot_bottom = top + row_h * len(players)
    table_top = plot_bottom + 70
    height = table_top + 24 * (len(OPPONENTS) + 1) + 60

    def x(value):
        return left + (value - lo) / (hi - lo) * (right - left)

    out = []
    add = out.append
    add(f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}" font-family="sans-serif" font-size="12">')
    add(f'<rect width="{width}" height="{height}" fill="#fffdf6"/>')
    add('<text x="20" y="24" font-size="15" font-weight="bold">'
        '対戦者の強さ: 人間側が1か月に得た貫の平均と95%信頼区間</text>')
    widest = max((r["kan_ci_high"] - r["kan_ci_low"]) / 2 for r in rows)
    add('<text x="20" y="44" fill="#555">左ほど対戦者が強い。各行は人間側に座った打ち手、'
        f'点の色は対戦者。区間は最も広いもので ±{widest:.3f} 貫。</text>')
    tick = math.ceil(lo * 2) / 2
    while tick <= hi:
        colour = "#999" if tick == 0 else "#e3ddcc"
        add(f'<line x1="{x(tick):.1f}" y1="{top - 8}" x2="{x(tick):.1f}" y2="{plot_bottom}" '
            f'stroke="{colour}"/>')
        add(f'<text x="{x(tick):.1f}" y="{plot_bottom + 16}" text-anchor="middle" fill="#555">'
            f'{tick:+.1f}</text>')
        tick += 0.5
    add(f'<text x="{(left + right) / 2:.0f}" y="{plot_bottom + 34}" text-anchor="middle" fill="#555">'
        '人間側の貫/月 (マイナスは対戦者の勝ち越し)</text>')
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
            x_low, x_high = x(row["kan_ci_low"]), x(row["kan_ci_high"])
            add(f'<path d="M{x_low:.1f} {y - 3:.1f}v6M{x_low:.1f} {y:.1f}H{x_high:.1f}'
                f'M{x_high:.1f} {y - 3:.1f}v6" stroke="{colour}" stroke-width="1.5" fill="none"/>')
            add(f'<circle cx="{x(row["kan_per_month"]):.1f}" cy="{y:.1f}" r="3.5" fill="{colour}">'
                f'<title>{OPPONENTS[o]} / {escape(PLAYERS[player])}: {row["kan_per_month"]:+.3f} '
                f'[{row["kan_ci_low"]:+.3f}, {row["kan_ci_high"]:+.3f}]</title></circle>')
    # The opponents' own numbers, summed over every player they met.
    columns = [(40, "start", "対戦者"), (250, "end", "勝った月"), (420, "end", "来い来い / 100日"),
               (610, "end", "来い来いが実った")]
    for cx, anchor, title in columns:
        add(f'<text x="{cx}" y="{table_top}" text-anchor="{anchor}" font-weight="bold">{title}</text>')
    for o, (won, calls, paid) in enumerate(opponent_totals(rows)):
        y = table_top + 24 * (o + 1)
        add(f'<rect x="{columns[0][0] - 20}" y="{y - 10}" width="12" height="12" fill="{COLOURS[o]}"/>')
        cells = [OPPONENTS[o], f"{won:.1f}%", f"{calls:.1f}", "掛けない" if paid is None else f"{paid:.0f}%"]
        for (cx, anchor, _), cell in zip(columns, cells):
            add(f'<text x="{cx}" y="{y}" text-anchor="{anchor}">{cell}</text>')
    foot = table_top + 24 * (len(OPPONENTS) + 1) + 16
    for k, comment in enumerate(comments[:3]):
        add(f'<text x="20" y="{foot + 15 * k}" font-size="10" fill="#555">{escape(comment)}</text>')
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
