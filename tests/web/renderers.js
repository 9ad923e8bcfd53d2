// The page's frame callback drawn by Emscripten's legacy GL emulation (build-web-emulation, built
// by scripts/build-web.sh --emulation) against the batched WebGL back end (build-web), for the
// README (a benchmark, never a test): the same replay in the same Chromium, idle and with the
// processor throttled as a phone's, the two pages taking turns. Also each page's weight.
// Usage: node tests/web/renderers.js [SECONDS] [THROTTLES...], e.g. node tests/web/renderers.js 15 1 4 6
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { source, serve, openBrowser, timeFrameCallbacks, percentile } = require('./support');

const seconds = Number(process.argv[2] || 15);
const throttles = process.argv.length > 3 ? process.argv.slice(3).map(Number) : [1, 4, 6];
const builds = [['emulation', 'build-web-emulation/site'], ['batched', 'build-web/site']];

function weigh(name, site) {
  const kb = (n) => `${(n / 1024).toFixed(0)} KB`;
  const files = fs.readdirSync(site).filter((f) => /^orvane\.(js|wasm|data)$/.test(f));
  const parts = files.map((f) => {
    const bytes = fs.readFileSync(path.join(site, f));
    return `${f} ${kb(bytes.length)} (${kb(zlib.gzipSync(bytes, { level: 9 }).length)} gzipped)`;
  });
  console.log(`${name}: ${parts.join(', ')}`);
}

// One replay of the careful recorded game, every frame callback timed from the page's side.
async function timeCallbacks(browser, server, throttle) {
  const page = await browser.newPage();
  await timeFrameCallbacks(page);
  const client = await page.target().createCDPSession();
  await client.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html` +
                  '?input=careful.log&autostart&mute');
  await page.waitForFunction('Module.ready || Module.over', { timeout: 60000 });
  await new Promise((resolve) => setTimeout(resolve, 2000)); // past the start-up
  const frames = () => page.evaluate(() => Module.ccall('orvane_frames', 'number'));
  await page.evaluate(() => { window.callbackMs = []; });
  const before = await frames();
  const start = Date.now();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const rate = (await frames() - before) / ((Date.now() - start) / 1000);
  const ms = (await page.evaluate(() => window.callbackMs)).sort((a, b) => a - b);
  await page.close();
  return { median: percentile(ms, 0.5), p99: percentile(ms, 0.99), rate };
}

async function main() {
  const log = fs.readFileSync(path.join(source, 'tests/recorded/careful.log'));
  const servers = [];
  for (const [name, folder] of builds) {
    const site = path.join(source, folder);
    if (!fs.existsSync(path.join(site, 'orvane.wasm'))) throw new Error(`build ${site} first`);
    weigh(name, site);
    servers.push(await serve({ 'careful.log': log }, site));
  }
  const browser = await openBrowser();
  for (const throttle of throttles) {
    for (let i = 0; i < builds.length; ++i) {
      const r = await timeCallbacks(browser, servers[i], throttle);
      console.log(`${builds[i][0]}, processor throttled ${throttle}x: callback median ` +
                  `${r.median.toFixed(2)} ms, 99th percentile ${r.p99.toFixed(2)} ms, ` +
                  `${r.rate.toFixed(1)} game frames a second`);
    }
  }
  await browser.close();
  for (const server of servers) server.close();
}

main();
