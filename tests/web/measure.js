// The browser version's figures for the README (a benchmark, never a test): game frames per
// second over a minute, the time of each frame callback (game frames and drawing), the page's
// weight and the time to its first picture. Usage: node tests/web/measure.js [seconds]
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const { source, serve, openBrowser, timeFrameCallbacks, percentile } = require('./support');

const seconds = Number(process.argv[2] || 60);

async function main() {
  const site = path.join(source, 'build-web/site');
  let total = 0, compressed = 0;
  for (const name of fs.readdirSync(site)) {
    if (!fs.statSync(path.join(site, name)).isFile()) continue; // icons/
    const bytes = fs.readFileSync(path.join(site, name));
    total += bytes.length;
    compressed += zlib.gzipSync(bytes, { level: 9 }).length;
    console.log(`${name}: ${bytes.length} bytes, ${zlib.gzipSync(bytes, { level: 9 }).length} gzipped`);
  }
  console.log(`page: ${total} bytes, ${compressed} gzipped`);

  const server = await serve();
  const browser = await openBrowser();
  const page = await browser.newPage();
  await timeFrameCallbacks(page);
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html?autostart`);
  await page.waitForFunction('window.firstPicture !== undefined', { timeout: 60000 });
  console.log(`first picture: ${(await page.evaluate(() => window.firstPicture)).toFixed(0)} ms`);
  const frames = () => page.evaluate(() => Module.ccall('orvane_frames', 'number'));
  await page.evaluate(() => { window.callbackMs = []; });
  const before = await frames();
  const start = Date.now();
  await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
  const rate = (await frames() - before) / ((Date.now() - start) / 1000);
  const ms = (await page.evaluate(() => window.callbackMs)).sort((a, b) => a - b);
  console.log(`game frames per second over ${seconds} s: ${rate.toFixed(2)}`);
  console.log(`frame callback: median ${percentile(ms, 0.5).toFixed(2)} ms, 99th percentile ` +
              `${percentile(ms, 0.99).toFixed(2)} ms, ${ms.length} callbacks`);
  await browser.close();
  server.close();
}

main();
