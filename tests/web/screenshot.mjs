// Takes a README picture of the browser edition from the real page in
// headless Chromium: a board a few plays into a game, in a window of the
// size asked (a phone's with touch below 600 CSS pixels across) and in the
// browser language asked.
//   node tests/web/screenshot.mjs [--site DIR] [--out FILE] [--width W] [--height H] [--lang ja|en]
import path from 'node:path';

import { launch } from './lib/browser.mjs';
import { options } from './lib/options.mjs';
import * as kk from './lib/page.mjs';
import { playUntil } from './lib/player.mjs';
import { serve } from './lib/server.mjs';

const out = path.resolve(options.extra.out ?? path.join(options.root, 'docs/screenshot-web.png'));
const server = await serve(options.site);
const width = Number(options.extra.width ?? 1016);
const height = Number(options.extra.height ?? 698);
const { browser, close } = await launch({ width, height, touch: width < 600, lang: options.extra.lang ?? 'ja' });
try {
  const { page } = await kk.open(browser, server.url, `?seed=${options.extra.seed ?? 3}&pace=0&trace=1`);
  await kk.chooseOpponent(page, 2);
  await kk.startGame(page);
  await playUntil(page, (lines) => lines.filter((line) => line.includes('"ev":"human_card"')).length >= 4, { touchEvery: 0 });
  await page.screenshot({ path: out });
  console.log(`wrote ${out}`);
} finally {
  await close();
  await server.close();
}
