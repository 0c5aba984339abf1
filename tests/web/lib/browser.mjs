// Starts the machine's own Chromium headless through puppeteer-core (which
// never downloads a browser), with a fresh profile that is removed again.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

import { options } from './options.mjs';

export const kBoardWidth = 1016;
export const kBoardHeight = 698;

// Flags that keep the browser from reaching any host but the test server.
const kArgs = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--disable-quic',
  '--no-first-run',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--disable-default-apps',
  '--disable-extensions',
  '--lang=ja-JP',
];

// Resolves to { browser, profile, close }. Every page the tests open is
// watched for page errors and failed requests (see watch()).
// `lang` is the browser's preferred language: Japanese unless a test says
// otherwise, so the page starts in Japanese.
export async function launch({ width = 1200, height = 860, scale = 1, touch = false, lang = 'ja' } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'koikoi-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: options.chromium,
    headless: true,
    args: [...kArgs, `--user-data-dir=${profile}`, `--lang=${lang}`, `--accept-lang=${lang}`],
    defaultViewport: { width, height, deviceScaleFactor: scale, hasTouch: touch },
    protocolTimeout: 120_000,
  });
  return {
    browser,
    profile,
    close: async () => {
      await browser.close().catch(() => {});
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Collects what went wrong on a page: uncaught errors, console errors,
// requests to any host but the test server, and requests that failed or
// were answered with an error status.
export function watch(page) {
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  page.on('requestfailed', (request) => {
    // A download started by the page is cancelled in the renderer on purpose.
    if (request.failure()?.errorText === 'net::ERR_ABORTED' && request.url().startsWith('blob:')) return;
    problems.push(`request failed: ${request.url()} ${request.failure()?.errorText}`);
  });
  // Nothing is loaded from any other host: no CDN, no font service.
  page.on('request', (request) => {
    const url = new URL(request.url());
    if (url.protocol.startsWith('http') && url.hostname !== '127.0.0.1') problems.push(`request to another host: ${url.href}`);
  });
  page.on('response', (response) => {
    if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
  });
  return problems;
}

// Saves a screenshot of the page into the artefact folder.
export async function keep(page, name) {
  fs.mkdirSync(options.artefacts, { recursive: true });
  const file = path.join(options.artefacts, `${name}.png`);
  await page.screenshot({ path: file });
  return file;
}
