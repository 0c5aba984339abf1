// The same game in the page as in koikoi-sim: the simulator plays a year,
// the page is given the human's choices of its trace by clicks and dialog
// answers, and the two traces must agree line by line.
//   node trace.test.mjs --opponent O --seeds S1,S2 [--years N] [common options]
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import { options } from './lib/options.mjs';
import * as kk from './lib/page.mjs';
import { replay, simulate } from './lib/replay.mjs';

const opponent = Number(options.extra.opponent ?? 0);
const seeds = String(options.extra.seeds ?? '1,2').split(',').map(Number);
const years = Number(options.extra.years ?? 1);

describe(`trace of opponent ${opponent}`, () => {
  const site = useSite({ width: 1016, height: 698 });

  for (const seed of seeds) {
    test(`seed ${seed}, ${years} year(s)`, async (t) => {
      assert.ok(fs.existsSync(options.sim), `koikoi-sim at ${options.sim}`);
      const simLines = simulate(opponent, seed, years);
      const { page, problems } = await kk.open(site.browser, site.url, `?seed=${seed}&pace=0&trace=1`);
      await kk.chooseOpponent(page, opponent);
      const from = await kk.traceLength(page);
      const started = Date.now();
      await kk.startGame(page);
      const outcome = await replay(page, simLines, { from, touchEvery: 7 });
      const seconds = (Date.now() - started) / 1000;
      t.diagnostic(`${outcome.lines} of ${simLines.length} lines alike, ${outcome.choices} choices, ${seconds.toFixed(1)} s ` +
        `(${(outcome.timing.waiting / 1000).toFixed(1)} s the page playing, ${(outcome.timing.acting / 1000).toFixed(1)} s the player)`);
      if (!outcome.ok) {
        await keep(page, `trace-o${opponent}-s${seed}-difference`);
        const lines = await kk.traceFrom(page, from);
        fs.writeFileSync(path.join(options.artefacts, `trace-o${opponent}-s${seed}-page.jsonl`), lines.join('\n') + '\n');
        fs.writeFileSync(path.join(options.artefacts, `trace-o${opponent}-s${seed}-sim.jsonl`), simLines.join('\n') + '\n');
      }
      assert.ok(outcome.ok, outcome.difference ?? '');
      assert.deepEqual(problems, []);
      await page.close();
    });
  }
});
