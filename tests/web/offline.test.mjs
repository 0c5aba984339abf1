// Installable and offline: the manifest and the icon are there, the service
// worker becomes active, and with the network gone a reload still brings up
// the guide page.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';

import { keep } from './lib/browser.mjs';
import { useSite } from './lib/harness.mjs';
import * as kk from './lib/page.mjs';

describe('offline', () => {
  const site = useSite();

  test('manifest and icon, and the guide page with no network', async () => {
    const { page, problems } = await kk.open(site.browser, site.url);
    const head = await page.evaluate(() => ({
      manifest: document.querySelector('link[rel="manifest"]')?.href ?? null,
      icon: document.querySelector('link[rel~="icon"]')?.href ?? null,
      title: document.title,
      lang: document.documentElement.lang,
    }));
    assert.ok(head.manifest, 'the page names its manifest');
    const manifest = await page.evaluate((url) => fetch(url).then((r) => r.json()), head.manifest);
    assert.ok(manifest.name || manifest.short_name, 'the manifest names the game');
    assert.ok(Array.isArray(manifest.icons) && manifest.icons.length > 0, 'the manifest has icons');
    assert.ok(manifest.start_url !== undefined && manifest.display, 'the manifest has a start address and a display mode');
    assert.match(head.title, /[\u3040-\u30ff\u4e00-\u9fff]/, 'a Japanese title');

    await page.waitForFunction(
      async () => {
        const registration = await navigator.serviceWorker.getRegistration();
        return !!registration?.active && registration.active.state === 'activated';
      },
      { timeout: 30_000, polling: 100 },
    );
    // The page's emulated network does not cover the service worker's own
    // fetches: take the worker offline too, so nothing can reach the server.
    const worker = await site.browser.waitForTarget((target) => target.type() === 'service_worker', { timeout: 10_000 });
    const workerSession = await worker.createCDPSession();
    await workerSession.send('Network.enable');
    await workerSession.send('Network.emulateNetworkConditions', { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
    await page.setOfflineMode(true);
    const requestsBefore = site.server.requests.length;
    await page.reload({ waitUntil: 'load' });
    await kk.ready(page);
    assert.equal((await kk.state(page)).gameState, kk.State.NoGame);
    // The guide page is painted: black and red ink on white.
    const ink = await page.evaluate(() => {
      const canvas = document.getElementById('board');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let dark = 0;
      let red = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] < 90 && data[i + 1] < 90 && data[i + 2] < 90) ++dark;
        if (data[i] > 180 && data[i + 1] < 90 && data[i + 2] < 90) ++red;
      }
      return { dark, red };
    });
    await keep(page, 'offline-guide');
    assert.ok(ink.dark > 1000 && ink.red > 100, `the guide page is painted offline: ${JSON.stringify(ink)}`);
    assert.equal(site.server.requests.length, requestsBefore, 'nothing reached the server while offline');
    await page.setOfflineMode(false);
    await workerSession.detach();
    // Failed requests while offline are expected; nothing else may fail.
    assert.deepEqual(problems.filter((p) => !p.includes('ERR_INTERNET_DISCONNECTED')), []);
    await page.close();
  });
});
