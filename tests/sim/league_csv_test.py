#!/usr/bin/env python3
"""The league's table on a tiny run: its comment lines, header and one row for
every opponent and player; the same command writes the same table; the chart
script draws it as well-formed SVG.

usage: league_csv_test.py KOIKOI_SIM LEAGUE_CHART WORK_DIR
"""
import csv
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

HEADER = ("opponent,player,games,deals,months,human_months_won,computer_months_won,kan_per_month,"
          "kan_ci_low,kan_ci_high,human_koikoi_calls,human_koikoi_paid,computer_koikoi_calls,"
          "computer_koikoi_paid")
PLAYERS = ["random", "greedy", "opponent0", "opponent1", "opponent2", "opponent3"]


def run_league(sim, path):
    subprocess.run([sim, "--league", "--games", "2", "--seed", "50", "--jobs", "2", "--csv", path],
                   check=True, stdout=subprocess.DEVNULL)
    with open(path, encoding="utf-8") as f:
        return f.read()


def main(sim, chart, work):
    os.makedirs(work, exist_ok=True)
    first = run_league(sim, os.path.join(work, "a.csv"))
    second = run_league(sim, os.path.join(work, "b.csv"))
    assert first.replace("a.csv", "b.csv") == second, "the same command wrote different tables"

    lines = first.splitlines()
    assert lines[0].startswith("# command: koikoi-sim --league --games 2 --seed 50"), lines[0]
    assert lines[1].startswith("# seeds 50..51 for every pairing"), lines[1]
    assert lines[2] == HEADER, lines[2]
    rows = list(csv.DictReader(lines[2:]))
    assert [(int(r["opponent"]), r["player"]) for r in rows] == \
        [(o, p) for o in range(4) for p in PLAYERS], "pairings"
    for r in rows:
        assert int(r["games"]) == 2
        months = int(r["months"])
        assert months == int(r["human_months_won"]) + int(r["computer_months_won"]) == 24, r
        assert int(r["deals"]) >= months
        low, mean, high = float(r["kan_ci_low"]), float(r["kan_per_month"]), float(r["kan_ci_high"])
        assert -3 <= low <= mean <= high <= 3, r
        for side in ("human", "computer"):
            assert 0 <= int(r[side + "_koikoi_paid"]) <= int(r[side + "_koikoi_calls"]), r
        if r["player"] == "greedy" or r["player"] == "opponent0":
            assert int(r["human_koikoi_calls"]) == 0, "this player never calls koi-koi"
        if r["opponent"] == "0":
            assert int(r["computer_koikoi_calls"]) == 0, "the first opponent never calls koi-koi"

    svg = os.path.join(work, "a.svg")
    subprocess.run([sys.executable, chart, os.path.join(work, "a.csv"), svg], check=True)
    root = ET.parse(svg).getroot()
    assert root.tag.endswith("svg"), root.tag
    text = open(svg, encoding="utf-8").read()
    assert "seeds 50..51" in text and "朱雀" in text
    print("league table and chart: ok")


if __name__ == "__main__":
    main(*sys.argv[1:])
