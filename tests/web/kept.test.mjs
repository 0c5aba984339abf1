// Records that outlive the browser's own clean-up of its storage: the
// browser is asked to keep the record for good after the first month; where
// it refuses, the player is told once in each situation, with the export at
// hand; a record the browser wiped between two visits is told once, with the
// import at hand, and a reset through the record panel is not.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { describe, test } from 'node:test';

import { keep, watch } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';
import { playUntil } from './lib/player.mjs';

// Installed before the page's script: a browser that keeps the storage
// (`kept`) or not, and grants persistence when asked (`grants`) or refuses
// it; each request noted with the trace's length at that moment. The page
// runs as an installed app while window.koikoiInstalled is set.
function fakeStorage({ grants, kept }) {
  if (!window.StorageManager) return;  // about:blank between two visits
  window.koikoiPersistCalls = [];
  StorageManager.prototype.persisted = async () => kept;
  StorageManager.prototype.persist = async () => {
    window.koikoiPersistCalls.push((window.koikoiTrace || []).length);
    kept = grants;
    return kept;
  };
  const media = window.matchMedia.bind(window);
  window.matchMedia = (query) => (query.includes('display-mode') ? { matches: !!window.koikoiInstalled, media: query } : media(query));
}

const kMayBeCleared = '消すことがあります';
const kInstallAdvice = 'インストール';
const kLost = '戦績が見つかりません';
const recorded = (line) => line.includes('"ev":"record"');

// A record file whose first opponent has the months `codes`.
const recordFile = (codes) => Array.from({ length: 80 }, (_, i) => (i === 0 ? codes : '').padEnd(60, '3') + '\r\n').join('');

// A page in a browser context of its own, so that no test sees another's storage.
async function openAlone(site, storage, query = '') {
  const context = await site.browser.createBrowserContext();
  const page = await context.newPage();
  const problems = watch(page);
  await page.evaluateOnNewDocument(fakeStorage, storage);
  await page.goto(new URL(query, site.url).href, { waitUntil: 'load' });
  await kk.ready(page);
  return { context, page, problems };
}

// Loads the page again (or `url`) and waits for the guide page; a notice
// shown at start, before it, is returned open with its offer, else null.
async function load(page, url) {
  if (url) await page.goto(url, { waitUntil: 'load' });
  else await page.reload({ waitUntil: 'load' });
  await page.waitForFunction(() => !!(window.koikoi && window.koikoi.ready), { timeout: 60_000, polling: 10 });
  return (await kk.startShows(page)) === 'ask' ? notice(page) : null;
}

const notice = async (page) => ({
  ...(await kk.askShown(page)),
  offer: await page.$eval('#ask-offer', (button) => (button.hidden ? null : button.textContent)),
});

const months = async (page) => (await kk.records(page))[0].months;

// Loads `file` through the record panel's button; the panel paints its
// table again once the import has been stored.
async function importThroughPanel(page, file) {
  await kk.openRecords(page);
  const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 10_000 }), page.click('#records-import')]);
  await page.evaluate(() => { document.getElementById('record-table').width = 0; });
  await chooser.accept([file]);
  await page.waitForFunction(() => document.getElementById('record-table').width > 0 || document.getElementById('ask').open,
    { timeout: 10_000, polling: 10 });
  assert.equal(await kk.askShown(page), null, 'stored without a notice');
  await kk.closeRecords(page);
}

describe('the record kept by the browser', () => {
  const site = useSite();
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'koikoi-kept-'));
  const history = path.join(folder, 'history.dat');
  fs.writeFileSync(history, recordFile('54'), 'latin1');

  test('asked to keep it after the first month; refused: told once in each situation, with the export', async () => {
    const { context, page, problems } = await openAlone(site, { grants: false, kept: false }, '?seed=31&pace=0&trace=1');
    page.on('dialog', (dialog) => dialog.accept());  // leaving the game in progress
    await kk.startGame(page);
    const month = await playUntil(page, (lines) => lines.some(recorded), { touchEvery: 0 });
    const lines = await kk.traceFrom(page, 0);
    const at = lines.findIndex(recorded);
    const calls = await page.evaluate(() => window.koikoiPersistCalls);
    assert.ok(calls.length === 1 && calls[0] > at, `asked once, after the month was recorded (trace line ${at}): ${JSON.stringify(calls)}`);
    const told = month.notices.filter((text) => text.includes(kMayBeCleared));
    assert.ok(told.length === 1 && told[0].includes(kInstallAdvice), `told once in a tab: ${JSON.stringify(month.notices)}`);

    assert.equal(await load(page), null, 'dismissed: not told again in a tab');
    await page.evaluateOnNewDocument(() => { window.koikoiInstalled = true; });
    const asApp = await load(page);
    assert.ok(asApp?.text.includes(kMayBeCleared) && !asApp.text.includes(kInstallAdvice), `told again as an app: ${JSON.stringify(asApp)}`);
    assert.equal(asApp.offer, '戦績を書き出す');
    await keep(page, 'kept-notice-app');
    const downloads = path.join(folder, 'downloads');
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads, browserContextId: context.id });
    await page.click('#ask-offer');
    await kk.ready(page);
    const exported = path.join(downloads, 'result.dat');
    for (let i = 0; i < 100 && !fs.existsSync(exported); ++i) await new Promise((done) => setTimeout(done, 50));
    const kan = JSON.parse(lines[at]).result;
    assert.equal(fs.readFileSync(exported, 'latin1'), recordFile(String.fromCharCode(51 + kan)), 'the offer exports the month');
    assert.equal(await load(page), null, 'dismissed: not told again as an app');
    assert.deepEqual(problems, []);
    await context.close();
  });

  // How the record ends between two visits, and whether that is told.
  const kEndings = [
    { how: 'evicted under disk pressure: IndexedDB and the cache', wipe: 'indexeddb,cache_storage', told: 'import' },
    { how: 'evicted with localStorage too: only the cookie is left', wipe: 'indexeddb,cache_storage,local_storage', told: 'ok' },
    { how: 'wiped while the page is open, which stores it again', wipe: 'indexeddb,cache_storage', open: true },
    { how: 'reset through the record panel', reset: true },
  ];

  test('a record wiped between two visits is told once, with the import; a reset is not', async (t) => {
    // Kept for good, so that no other notice comes between.
    const { context, page, problems } = await openAlone(site, { grants: true, kept: true });
    const wipe = async (types) => {
      const cdp = await page.createCDPSession();
      await cdp.send('Storage.clearDataForOrigin', { origin: new URL(site.url).origin, storageTypes: types });
      await cdp.detach();
    };
    for (const ending of kEndings) {
      await t.test(ending.how, async () => {
        await importThroughPanel(page, history);
        assert.equal(await load(page), null, 'the record is there: nothing told');
        assert.equal(await months(page), 2);
        if (ending.reset) {
          await kk.openRecords(page);
          await page.click('#records-reset');
          await page.waitForFunction(() => document.getElementById('ask').open, { timeout: 10_000, polling: 10 });
          await kk.answer(page, 'yes');
          await kk.closeRecords(page);
        } else if (ending.open) {
          await wipe(ending.wipe);
          await importThroughPanel(page, history);
        } else {
          await page.goto('about:blank');
          await wipe(ending.wipe);
        }
        const told = await load(page, site.url);
        if (!ending.told) {
          assert.equal(told, null, 'nothing lost, nothing told');
          assert.equal(await months(page), ending.reset ? 0 : 2);
          return;
        }
        assert.ok(told?.text.includes(kLost), `the loss is told: ${JSON.stringify(told)}`);
        assert.equal(told.offer, '戦績を読み込む');
        await keep(page, 'kept-notice-lost');
        if (ending.told === 'import') {
          const [chooser] = await Promise.all([page.waitForFileChooser({ timeout: 10_000 }), page.click('#ask-offer')]);
          await chooser.accept([history]);
          await page.waitForFunction(() => window.koikoi.records()[0].months === 2, { timeout: 10_000, polling: 10 });
        } else {
          await kk.answer(page, 'ok');
          await kk.ready(page);
          assert.equal(await months(page), 0);
          assert.equal(await load(page), null, 'told once');
        }
      });
    }
    assert.deepEqual(problems, []);
    await context.close();
    fs.rmSync(folder, { recursive: true, force: true });
  });
});
