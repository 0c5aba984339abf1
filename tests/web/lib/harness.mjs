// One static server and one browser for a test file, shared by its tests
// and closed after them.
import fs from 'node:fs';
import path from 'node:path';
import { after, before } from 'node:test';

import { launch } from './browser.mjs';
import { options } from './options.mjs';
import { serve } from './server.mjs';

// Returns an object whose `server` and `browser` are set before the first
// test runs. `launchOptions` go to launch().
export function useSite(launchOptions = {}) {
  const site = {};
  before(async () => {
    if (!fs.existsSync(path.join(options.site, 'index.html'))) {
      throw new Error(`no site at ${options.site}: build it with cmake --preset web && cmake --build --preset web`);
    }
    site.server = await serve(options.site);
    site.launched = await launch(launchOptions);
    site.browser = site.launched.browser;
    site.url = site.server.url;
  });
  after(async () => {
    await site.launched?.close();
    await site.server?.close();
  });
  return site;
}
