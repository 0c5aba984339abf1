// The command line every browser test and script takes (CTest passes it):
//   --site DIR        the built site (default: build/web/site of the source tree)
//   --artefacts DIR   where screenshots and downloads are kept (default: build/web/artefacts)
//   --sim FILE        koikoi-sim, for the trace comparison (default: build/dev/tools/sim/koikoi-sim)
//   --chromium FILE   the browser (default: /usr/bin/chromium)
// and any `--name value` pair of a test's own (see options.extra).
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../..');

function parse(argv) {
  const out = {
    site: path.join(root, 'build/web/site'),
    artefacts: path.join(root, 'build/web/artefacts'),
    sim: path.join(root, 'build/dev/tools/sim/koikoi-sim'),
    chromium: '/usr/bin/chromium',
    root,
    extra: {},
  };
  for (let i = 0; i < argv.length; ++i) {
    const flag = argv[i];
    if (!flag.startsWith('--') || i + 1 >= argv.length) continue;
    const name = flag.slice(2);
    const value = argv[++i];
    if (name in out && name !== 'extra' && name !== 'root') out[name] = path.resolve(value);
    else out.extra[name] = value;
  }
  return out;
}

export const options = parse(process.argv.slice(2));
