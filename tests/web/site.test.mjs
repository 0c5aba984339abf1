// The built site: every file the page and its service worker need, and the
// code (JS and wasm, the card sheet not counted) under 600 KB.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';

import { options } from './lib/options.mjs';

const kFiles = ['index.html', 'koikoi.js', 'koikoi.wasm', 'hanaX.png', 'koikoi.html', 'allocation.dat',
  'manifest.webmanifest', 'sw.js'];

test('the site has its files, and its code stays small', () => {
  for (const name of kFiles) assert.ok(fs.existsSync(path.join(options.site, name)), `${name} in ${options.site}`);
  const html = fs.readFileSync(path.join(options.site, 'index.html'), 'utf8');
  const icon = /<link[^>]+rel="[^"]*icon[^"]*"[^>]*href="([^"]+)"/.exec(html)?.[1] ?? 'favicon.ico';
  assert.ok(fs.existsSync(path.join(options.site, icon)), `the page's icon ${icon}`);
  // The card sheet is a PNG, lossless and decoded by any browser.
  const sheet = fs.readFileSync(path.join(options.site, 'hanaX.png'));
  assert.equal(sheet.subarray(1, 4).toString('latin1'), 'PNG');
  assert.equal(sheet.readUInt32BE(16), 819, 'the sheet is 819 pixels wide');
  assert.equal(sheet.readUInt32BE(20), 932, 'the sheet is 932 pixels high');
  const code = fs.readdirSync(options.site)
    .filter((name) => /\.(m?js|wasm)$/.test(name))
    .reduce((sum, name) => sum + fs.statSync(path.join(options.site, name)).size, 0);
  assert.ok(code < 600 * 1024, `JS + wasm ${code} bytes`);
});
