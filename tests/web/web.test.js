// The browser version: the same game as the desktop's frame for frame (under node) and pixel for
// pixel (in Chromium), the page's keys, its saved best score, and its pause when hidden.
'use strict';

const assert = require('node:assert');
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { after, before, test } = require('node:test');
const { source, serve, openBrowser, openGame, gameState, gameFolder, runDesktop, readPng } =
  require('./support');

const recorded = path.join(source, 'tests/recorded');
const nodeProgram = path.join(source, 'build-web/orvane_node.js');
// Seed 1's first game with the ship left alone ends on frame 517 with 291 points.
const shortGame = 'orvane-input 1\nseed 1\n600\n';

let server;
let browser;
before(async () => {
  server = await serve({
    'careful.log': fs.readFileSync(path.join(recorded, 'careful.log')),
    'reckless.log': fs.readFileSync(path.join(recorded, 'reckless.log')),
    'chain.log': fs.readFileSync(path.join(recorded, 'chain.log')),
    'lab.log': fs.readFileSync(path.join(recorded, 'lab.log')),
    'short.log': shortGame,
    'notalog.txt': '<html>not found</html>\n',
  });
  browser = await openBrowser();
});
after(async () => {
  await browser.close();
  server.close();
});

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

test('every recorded game replays under node to the desktop dump', () => {
  for (const log of fs.readdirSync(recorded).filter((name) => name.endsWith('.log'))) {
    const args = ['--headless', '--input', path.join(recorded, log), '--dump-every', '20',
                  '--dump', 'dump.jsonl'];
    const desktop = runDesktop(args);
    const web = gameFolder();
    execFileSync('node', [nodeProgram, ...args], { cwd: web });
    assert.ok(fs.readFileSync(path.join(desktop, 'dump.jsonl')).equals(
      fs.readFileSync(path.join(web, 'dump.jsonl'))), log);
  }
});

// Frames where every primitive shows: sprites tinted and plain, the chain locked and loose, a
// crowd of shots, explosions, the game-over pattern with its flashes and without, the lab's
// panel, traces and text over boxes and shades, and the pause screen.
// The pause screen comes first: no game has ended in the page to raise its best score yet.
const pictures = [
  ['reckless.log', 400, '&end-paused'], ['careful.log', 300, ''], ['chain.log', 372, ''],
  ['reckless.log', 514, ''], ['reckless.log', 560, ''], ['reckless.log', 560, '&no-flashes'],
  ['lab.log', 800, ''],
];

test('a replay in the address shows the desktop picture of its last frame', async () => {
  // A storage of their own: the games that end here keep their best score away from the others.
  const context = await browser.createBrowserContext();
  for (const [log, frames, extra] of pictures) {
    const page = await openGame(context, server,
      `?input=${log}&frames=${frames}${extra}&autostart`);
    await page.waitForFunction('Module.over', { timeout: 60000 });
    const pixels = await page.evaluate(() => {
      const at = Module.ccall('orvane_picture', 'number');
      return Array.from(Module.HEAPU8.subarray(at, at + 640 * 480 * 4));
    });
    const shot = readPng(path.join(
      runDesktop(['--input', path.join(recorded, log), '--frames', String(frames),
                  '--screenshot', 'shot.png', ...(extra ? [`--${extra.slice(1)}`] : [])]), 'shot.png'));
    let differing = 0;
    for (let y = 0; y < 480; ++y) {
      for (let x = 0; x < 640; ++x) {
        for (let c = 0; c < 3; ++c) {
          const web = pixels[((479 - y) * 640 + x) * 4 + c];
          if (Math.abs(web - shot.rgb[(y * 640 + x) * 3 + c]) > 1) ++differing;
        }
      }
    }
    assert.strictEqual(differing, 0, `${log} at ${frames}${extra}: ${differing} channels differ`);
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  }
  await context.close();
});

test('keys by position move the ship and fire; the page does not scroll', async () => {
  const page = await openGame(browser, server);
  assert.match(await page.$eval('#message', (e) => e.textContent), /click or press a key to play/);
  await page.keyboard.press('Space'); // the gesture that starts the game and its sound
  await page.keyboard.down('ArrowDown');
  await page.keyboard.down('z');
  await sleep(700);
  const state = await gameState(page);
  await page.keyboard.up('z');
  await page.keyboard.up('ArrowDown');
  const ship = state.elements.find((e) => e.code === 0x10001);
  assert.ok(ship.y > 64 * 256, `the ship stayed at ${ship.y / 256}`);
  assert.ok(state.elements.some((e) => e.code === 0x10002), 'no shot fired');
  assert.strictEqual(await page.evaluate(() => scrollY), 0);
  // F12 hands the browser a PNG of the picture to download.
  await page.evaluate(() => {
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.shot = blob; return make(blob); };
  });
  await page.keyboard.press('F12');
  await page.waitForFunction('window.shot', { timeout: 5000 });
  const head = await page.evaluate(async () =>
    Array.from(new Uint8Array(await window.shot.slice(0, 24).arrayBuffer())));
  assert.deepStrictEqual(head.slice(1, 4), [80, 78, 71]); // "PNG"
  assert.deepStrictEqual(head.slice(16, 24), [0, 0, 2, 128, 0, 0, 1, 224]); // 640 x 480
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

// A phone on its side and upright (3 device pixels to a CSS pixel, touch): the whole picture in
// the viewport at a whole multiple of 320x240 device pixels, upright at the top, the help never
// over it; a tap starts the game, and a finger dragged over the picture scrolls nothing.
test('on a phone the picture fits whole and square, and a tap starts the game', async () => {
  const shapes = [[844, 390, 1280], [390, 844, 960]];
  for (const [width, height, devicePixels] of shapes) {
    const page = await browser.newPage();
    await page.setViewport({ width, height, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
                             isLandscape: width > height });
    await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
    await page.waitForFunction('Module.ready', { timeout: 60000 });
    const box = (selector) => page.$eval(selector, (e) => {
      const r = e.getBoundingClientRect();
      return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width };
    });
    const cover = await box('#cover');
    await page.touchscreen.tap((cover.left + cover.right) / 2, cover.top + 20);
    await page.waitForFunction(() => Module.ccall('orvane_frames', 'number') > 10,
                               { timeout: 20000 });
    const picture = await box('canvas');
    const help = await box('aside');
    const shape = `${width}x${height}`;
    // Layout keeps CSS pixels in 64ths: 1280 device pixels are 426.66 CSS pixels.
    assert.ok(Math.abs(picture.width * 3 - devicePixels) < 0.1, `${shape}: ${picture.width}`);
    assert.ok(Math.abs((picture.bottom - picture.top) * 3 - devicePixels * 3 / 4) < 0.1, shape);
    assert.ok(picture.left >= 0 && picture.top >= 0 && picture.right <= width &&
              picture.bottom <= height, `${shape}: ${JSON.stringify(picture)}`);
    if (height > width) assert.ok(picture.top < 1, `${shape}: the picture is not at the top`);
    const apart = help.left >= picture.right || help.top >= picture.bottom ||
                  help.right <= picture.left || help.bottom <= picture.top;
    assert.ok(apart, `${shape}: the help covers the picture`);
    const finger = await page.touchscreen.touchStart(picture.left + 40, picture.top + 40);
    await finger.move(picture.left + 40, picture.top + 2);
    await finger.end();
    assert.strictEqual(await page.evaluate(() => scrollY), 0, shape);
    await page.close();
  }
});

// After one visit the service worker has kept the page's files: offline, a reload starts the game.
test('after one visit the page starts with no network', async () => {
  const page = await openGame(browser, server);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction('navigator.serviceWorker.controller !== null', { timeout: 20000 });
  await page.setOfflineMode(true);
  await page.reload();
  await page.waitForFunction('Module.ready', { timeout: 60000 });
  await page.keyboard.press('Space');
  await page.waitForFunction(() => Module.ccall('orvane_frames', 'number') > 10,
                             { timeout: 20000 });
  assert.deepStrictEqual(page.problems, []);
  await page.setOfflineMode(false);
  await page.close();
});

test('the best score survives a reload', async () => {
  const page = await openGame(browser, server, '?input=short.log&autostart');
  await page.waitForFunction('Module.over && !Module.syncing', { timeout: 60000 });
  assert.strictEqual((await gameState(page)).state.highScore, 291);
  await sleep(1000); // IndexedDB commits its transaction a moment after the writes report done
  await page.reload();
  await page.waitForFunction('Module.ready', { timeout: 60000 });
  await page.evaluate(() => start());
  assert.strictEqual((await gameState(page)).state.highScore, 291);
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

test('M is kept in config.txt in the browser, and read again after a reload', async () => {
  const page = await openGame(browser, server, '?autostart');
  const config = () => page.evaluate(() => FS.readFile('/save/orvane/config.txt',
                                                        { encoding: 'utf8' }));
  await page.keyboard.press('m');
  await page.waitForFunction('!Module.syncing', { timeout: 10000 });
  assert.match(await config(), /^fullscreen 0\n[^]*\nmute 1\n/);
  await sleep(1000); // IndexedDB commits its transaction a moment after the writes report done
  await page.reload();
  await page.waitForFunction('Module.ready', { timeout: 60000 });
  await page.evaluate(() => start());
  assert.match(await config(), /\nmute 1\n/);
  // The game started muted: M now turns the sound on, and says so in the file.
  await page.keyboard.press('m');
  await page.waitForFunction('!Module.syncing', { timeout: 10000 });
  assert.match(await config(), /\nmute 0\n/);
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

test('keys chosen on the pause screen are kept: after a reload J fires and Z does not',
  async () => {
    const page = await openGame(browser, server, '?autostart');
    for (const key of ['p', 'r', 'j', 'Escape', 'Escape', 'Escape', 'Escape', 'Escape', 'Escape'])
      await page.keyboard.press(key);
    await page.waitForFunction('!Module.syncing', { timeout: 10000 });
    await sleep(1000); // IndexedDB commits its transaction a moment after the writes report done
    await page.reload();
    await page.waitForFunction('Module.ready', { timeout: 60000 });
    await page.evaluate(() => start());
    const shots = async (key) => {
      await page.keyboard.down(key);
      await sleep(500);
      const state = await gameState(page);
      await page.keyboard.up(key);
      return state.elements.filter((e) => e.code === 0x10002).length;
    };
    assert.strictEqual(await shots('z'), 0, 'Z still fires');
    assert.ok(await shots('j') > 0, 'J does not fire');
    assert.deepStrictEqual(page.problems, []);
    await page.close();
  });

test('a game played to its end in the page is in the table, and ?watch=1 plays it', async () => {
  // Seed 1's first game with the ship left alone ends on frame 517 with 291 points.
  const page = await openGame(browser, server, '?seed=1&autostart');
  await page.waitForFunction(() => JSON.parse(Module.ccall('orvane_state_line', 'string'))
    .state.gameOverFrames > 0, { timeout: 60000 });
  await page.waitForFunction('!Module.syncing', { timeout: 10000 });
  await sleep(1000);
  // The table beside the game lists it, with a link that watches it.
  await page.waitForSelector('#games:not([hidden]) #best a');
  assert.match(await page.$eval('#best a', (e) => e.textContent), /^291 points, level 1, /);
  await Promise.all([page.waitForNavigation(), page.click('#best a')]);
  await page.waitForFunction('Module.ready', { timeout: 60000 });
  await page.waitForFunction('Module.over', { timeout: 60000 });
  const state = (await gameState(page)).state;
  assert.deepStrictEqual([state.score, state.gameOverFrames], [291, 1]);
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});

test('a bad address or a log that cannot be had is said on the page, and nothing starts',
  async () => {
    const cases = [
      ['?seed=-1&autostart', /bad value '-1' for --seed/],
      ['?frames=abc&autostart', /bad value 'abc' for --frames/],
      ['?frames=18446744073709551616&autostart', /for --frames/],
      ['?input=nothere.log&autostart', /could not fetch the input log 'nothere.log': HTTP 404/],
      ['?input=http://127.0.0.1:1/x.log&autostart', /could not fetch the input log/],
      ['?input=notalog.txt&autostart', /line 1: expected the header/],
    ];
    for (const [query, told] of cases) {
      const page = await openGame(browser, server, query, 'Module.problem');
      const shown = await page.$eval('#message', (e) => e.textContent);
      assert.match(shown, told, query);
      assert.strictEqual(await page.$eval('#cover', (e) => e.classList.contains('hidden')), false);
      assert.strictEqual(await page.evaluate(() => Module.over === undefined), true, query);
      // In the console too (beside the browser's own note of a failed fetch).
      assert.ok(page.problems.includes(shown), query);
      await page.close();
    }
  });

test('hiding the tab pauses the game, and no frame runs until the player resumes', async () => {
  const page = await openGame(browser, server, '?autostart');
  await sleep(300);
  await page.evaluate(() => {
    Object.defineProperty(document, 'hidden', { value: true, configurable: true });
    Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  });
  const frames = () => page.evaluate(() => Module.ccall('orvane_frames', 'number'));
  assert.strictEqual(await page.evaluate(() => Module.ccall('orvane_paused', 'number')), 1);
  const paused = await frames();
  await sleep(500);
  assert.strictEqual(await frames(), paused);
  await page.keyboard.press('p');
  await sleep(300);
  assert.ok(await frames() > paused);
  await page.close();
});

test('?lab plays the weapon lab: settings from the address, the panel\'s keys, A and B', async () => {
  const page = await openGame(browser, server, '?lab=nodes=30&lab=dummies=2&lab');
  await page.keyboard.press('Space');
  await page.waitForFunction(() => Module.ccall('orvane_frames', 'number') > 10);
  await page.keyboard.down('x'); // the chain swings loose
  await page.keyboard.down('ArrowUp');
  await sleep(600);
  await page.keyboard.up('ArrowUp');
  await page.keyboard.up('x');
  for (let i = 0; i < 6; ++i) await page.keyboard.press('PageDown'); // to spring
  await page.keyboard.press('Equal');
  await page.keyboard.press('Equal');
  await page.waitForFunction(
    () => /^spring 18$/m.test(Module.ccall('orvane_lab_settings', 'string')), { timeout: 5000 });
  const settings = await page.evaluate(() => Module.ccall('orvane_lab_settings', 'string'));
  assert.match(settings, /^nodes 30$/m);
  assert.match(settings, /^spring 18$/m);
  assert.match(settings, /^dummies 2$/m);
  await sleep(1500);
  const state = await gameState(page);
  assert.strictEqual(state.elements.find((e) => e.code === 0x10001).nodes.length, 30);
  assert.strictEqual(state.elements.filter((e) => e.code === 0x20002).length, 2);
  // C compares A and B over the game so far; E downloads both runs' numbers.
  await page.evaluate(() => {
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.numbers = blob; return make(blob); };
  });
  await page.keyboard.press('KeyC');
  await page.keyboard.press('KeyE');
  await page.waitForFunction('window.numbers', { timeout: 5000 });
  const csv = await page.evaluate(() => window.numbers.text());
  assert.match(csv, /^run,second,frames,kills,absorbed,orb_shots,hits_taken,locks,/);
  assert.match(csv, /^A,1,75,/m);
  assert.match(csv, /^B,1,75,/m);
  assert.deepStrictEqual(page.problems, []);
  await page.close();
});
