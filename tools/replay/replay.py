#!/usr/bin/env python3
"""Replays koikoi-sim traces (trace format 1) through an independent model of the rules and opponents."""

# Usage: replay.py TRACE...        check every game of each trace
#        replay.py --self-test     check the model against the rules' worked examples
#
# For every game the model takes from the trace only what the program leaves
# to chance or to the user: the stock order of each shuffle, the human's card
# clicks and the human's answers to the koi-koi and new-year questions.  It
# plays everything else itself (the deal, captures, scoring, the calendar, the
# computer's choices and the pause clock) and stops at the first event where
# the trace says something else, printing the game's seed, the event (its
# line number in the file), the field, and both values.

import argparse
import json
import os
import sys

# The model's modules sit beside this script; no bytecode is left in the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from flow_model import Disagreement, FlowModel, TraceReader  # noqa: E402
from table_model import ModelError  # noqa: E402


def read_events(stream):
    """(line number, event) pairs; a line that is not a JSON object is a disagreement of its own."""
    for number, text in enumerate(stream, start=1):
        if not text.strip():
            continue
        try:
            event = json.loads(text)
        except json.JSONDecodeError as error:
            raise Disagreement(number, "json", text.strip()[:80], "valid JSON (%s)" % error)
        if not isinstance(event, dict) or next(iter(event), None) != "ev":
            raise Disagreement(number, "ev", text.strip()[:80], 'an object with "ev" first')
        yield number, event


def replay_file(path, totals):
    """Replays every game of one trace; returns an error text or None."""
    seed = "?"
    reader = None
    try:
        with open(path, encoding="utf-8") as stream:
            reader = TraceReader(read_events(stream))
            if reader.peek() is None:
                return "%s: no events" % path
            while reader.peek() is not None:
                line, start = reader.take("start")
                seed = start["seed"]
                opponent = start["opponent"]
                if type(opponent) is not int or not 0 <= opponent <= 3:
                    raise Disagreement(line, "opponent", opponent, "0..3")
                model = FlowModel(reader, opponent)
                model.run()
                totals["games"] += 1
                totals["plays"] += model.plays
    except Disagreement as error:
        return "%s: seed %s, event %d: %s: trace %s, model %s" % (
            path, seed, error.line, error.field,
            json.dumps(error.trace_value), json.dumps(error.model_value))
    except ModelError as error:
        return "%s: seed %s, event %d: the model stopped: %s" % (path, seed, reader.line(), error)
    except (KeyError, TypeError, IndexError) as error:
        # A malformed event (missing field, wrong type) that slipped past the key check.
        return "%s: seed %s, event %d: malformed event: %r" % (path, seed, reader.line(), error)
    except (OSError, UnicodeDecodeError) as error:
        return "%s: %s" % (path, error)
    finally:
        if reader is not None:
            totals["events"] += reader.checked
    return None


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("traces", nargs="*", help="trace files (JSON Lines)")
    parser.add_argument("--self-test", action="store_true",
                        help="check the model against the rules' worked examples")
    args = parser.parse_args(argv)
    if args.self_test:
        import model_self_test
        if not model_self_test.run():
            return 1
    if not args.traces:
        if args.self_test:
            return 0
        parser.error("no trace given")
    totals = {"games": 0, "events": 0, "plays": 0}
    for path in args.traces:
        problem = replay_file(path, totals)
        if problem:
            print(problem)
            return 1
    print("replay: %d games, %d events, %d plays checked: all agree"
          % (totals["games"], totals["events"], totals["plays"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
