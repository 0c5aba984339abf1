// Plays the human's choices of a koikoi-sim trace in the page and compares
// the page's own trace with the simulator's, line by line.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import * as kk from './page.mjs';
import { options } from './options.mjs';

// Runs the simulator for one year of one opponent and returns its lines
// (without their line ends).
export function simulate(opponent, seed, years = 1) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'koikoi-trace-'));
  const file = path.join(dir, 't.jsonl');
  try {
    execFileSync(options.sim, ['--opponent', String(opponent), '--seed', String(seed), '--years', String(years), '--trace', file], {
      stdio: ['ignore', 'ignore', 'inherit'],
    });
    return fs.readFileSync(file, 'utf8').split('\n').filter((line) => line.length > 0);
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

// The choices the human made, in order: what the page needs to be told.
export function humanChoices(lines) {
  const choices = [];
  for (const line of lines) {
    const event = JSON.parse(line);
    if (event.ev === 'human_card' || event.ev === 'human_field') choices.push(event);
    else if (event.ev === 'ask' && (event.question === 'newyear' || event.side === 0)) choices.push(event);
  }
  return choices;
}

// Describes where two trace lines first differ.
export function describeDifference(index, expected, actual) {
  if (actual === undefined) return `line ${index + 1}: the page wrote no line; koikoi-sim wrote\n  ${expected}`;
  if (expected === undefined) return `line ${index + 1}: koikoi-sim wrote no line; the page wrote\n  ${actual}`;
  let at = 0;
  while (at < expected.length && expected[at] === actual[at]) ++at;
  const from = Math.max(0, at - 60);
  return (
    `line ${index + 1} differs at character ${at + 1}:\n` +
    `  koikoi-sim: ${from > 0 ? '…' : ''}${expected.slice(from, at + 80)}\n` +
    `  page:       ${from > 0 ? '…' : ''}${actual.slice(from, at + 80)}`
  );
}

// Replays `simLines` on a page opened with the same seed, whose opponent is
// already chosen and whose game has just been started. Every `touchEvery`th
// card is tapped instead of clicked (0: never). Resolves to
// { ok, difference, lines, choices } where `difference` names the first
// line that differs. `from` is the length of the page's trace before the
// game started. With `stopAt`, the replay ends as soon as the page has
// written a line for which stopAt(line) holds (a month's record, say);
// `beforeChoice(n)` is awaited whenever the player waits for the page with
// n choices made, perhaps while the page still plays.
export async function replay(page, simLines, { from = 0, touchEvery = 0, timeout = 60_000, stopAt, beforeChoice } = {}) {
  const choices = humanChoices(simLines);
  let next = 0;
  let compared = 0;
  let cards = 0;
  let minLength = from;
  let closed = false;
  // Wall time spent waiting for the page to play, and acting for the player.
  const timing = { waiting: 0, acting: 0 };
  let mark = Date.now();
  const lap = (part) => {
    const now = Date.now();
    timing[part] += now - mark;
    mark = now;
  };
  const fail = (difference) => ({ ok: false, difference, lines: compared, choices: next, timing });
  let stopped = false;
  const compare = (fresh) => {
    for (const line of fresh) {
      if (line !== simLines[compared]) return describeDifference(compared, simLines[compared], line);
      ++compared;
      if (stopAt && stopAt(line)) stopped = true;
    }
    return null;
  };

  for (;;) {
    if (beforeChoice) await beforeChoice(next);
    lap('acting');
    const choice = choices[next];
    const card = choice && choice.ev !== 'ask' ? choice.card : -1;
    const decision = await kk.awaitDecision(page, { from: from + compared, minLength, closed, card, timeout });
    lap('waiting');
    const difference = compare(decision.fresh);
    if (difference) return fail(difference);
    if (stopped) return { ok: true, difference: null, lines: compared, choices: next, timing };
    minLength = decision.length - 1;
    closed = false;

    if (decision.ask) {
      const dialog = decision.dialog;
      if (dialog.kind === 'ok') {
        // A notice (the way to end the game after a declined year): not traced.
        await kk.press(page, dialog.buttons.ok);
        closed = true;
        continue;
      }
      if (!choice || choice.ev !== 'ask') {
        return fail(`the page asks "${dialog.text}" where koikoi-sim's next choice is ${JSON.stringify(choice ?? 'none')}` +
          `\n  next koikoi-sim line: ${simLines[compared] ?? '(none)'}`);
      }
      ++next;
      await kk.press(page, choice.answer === kk.kYes ? dialog.buttons.yes : dialog.buttons.no);
      minLength = decision.length;
      continue;
    }

    const { gameState } = decision;
    if (gameState === kk.State.GameOver || gameState === kk.State.NoGame) break;
    const wanted = gameState === kk.State.ChooseHand ? 'human_card' : 'human_field';
    if (!choice || choice.ev !== wanted) {
      return fail(`the page waits for a ${wanted} click (state ${gameState}) where koikoi-sim's next choice is ${JSON.stringify(choice ?? 'none')}` +
        `\n  next koikoi-sim line: ${simLines[compared] ?? '(none)'}`);
    }
    ++next;
    ++cards;
    await kk.press(page, decision.point, { touch: touchEvery > 0 && cards % touchEvery === 0 });
    minLength = decision.length;
  }

  // The game is over: the rest of the page's trace must end as the simulator's.
  const difference = compare(await kk.traceFrom(page, from + compared));
  if (difference) return fail(difference);
  if (compared < simLines.length) return fail(describeDifference(compared, simLines[compared], undefined));
  if (next < choices.length) return fail(`the game ended with ${choices.length - next} of koikoi-sim's choices left`);
  lap('acting');
  return { ok: true, difference: null, lines: compared, choices: next, timing };
}
