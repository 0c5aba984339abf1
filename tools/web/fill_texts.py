#!/usr/bin/env python3
"""Fills the texts of the program into a page of the browser edition.

    fill_texts.py TEXTS_TSV IN OUT

Every @@name@@ in IN becomes the text of that name in texts.tsv, escaped for
HTML, or for a JSON string when OUT ends in .webmanifest or .json, so that the
page shows the game's own texts before its script has run. A name texts.tsv
does not have stops the build.
"""
import html
import json
import pathlib
import re
import sys


def main():
    tsv, source, target = (pathlib.Path(arg) for arg in sys.argv[1:4])
    texts = {}
    for line in tsv.read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            name, text = line.split("\t", 1)
            texts[name] = text.replace("\\n", "\n")
    as_json = target.suffix in (".webmanifest", ".json")

    def fill(match):
        name = match.group(1)
        if name not in texts:
            sys.exit(f"fill_texts: {source}: no text {name} in {tsv}")
        text = texts[name]
        return json.dumps(text, ensure_ascii=False)[1:-1] if as_json else html.escape(text)

    target.write_text(re.sub(r"@@(\w+)@@", fill, source.read_text(encoding="utf-8")),
                      encoding="utf-8")


if __name__ == "__main__":
    main()
