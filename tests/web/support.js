// The browser tests' helpers: a static file server, Debian's Chromium through puppeteer-core,
// the desktop program, and reading its PNG screenshots.
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const puppeteer = require('puppeteer-core');

const source = path.resolve(__dirname, '../..');
const site = path.join(source, 'build-web/site');
const desktop = process.env.ORVANE_BINARY || path.join(source, 'build/orvane');

// Every scratch folder a test made goes when the tests end.
const scratch = [];
process.on('exit', () => {
  for (const dir of scratch) fs.rmSync(dir, { recursive: true, force: true });
});
function scratchFolder(prefix) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), prefix));
  scratch.push(dir);
  return dir;
}

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.css': 'text/css', '.png': 'image/png' };

// Serves the built page (or the one in root), and any extra files the test gives by name.
function serve(extra = {}, root = site) {
  const server = http.createServer((request, reply) => {
    const name = decodeURIComponent(new URL(request.url, 'http://here').pathname).slice(1);
    const body = extra[name] ?? (() => {
      const file = path.join(root, name || 'index.html');
      return file.startsWith(root) && fs.existsSync(file) ? fs.readFileSync(file) : null;
    })();
    if (body === null) { reply.writeHead(404); reply.end(); return; }
    reply.writeHead(200, { 'Content-Type': types[path.extname(name)] || 'text/plain' });
    reply.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function openBrowser() {
  return puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: 'new',
                            userDataDir: scratchFolder('orvane-chromium-'),
                            args: ['--no-sandbox', '--enable-unsafe-swiftshader'] });
}

// A page of the game whose console errors and page errors are collected in page.problems.
// With until, the page is returned once that holds rather than once the game is ready to start.
async function openGame(browser, server, query = '', until = 'Module.ready') {
  const page = await browser.newPage();
  page.problems = [];
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(m.text()); });
  page.on('pageerror', (e) => page.problems.push(e.message));
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html${query}`);
  await page.waitForFunction(until, { timeout: 60000 });
  return page;
}

// The state dump's line of the game in the page, parsed.
async function gameState(page) {
  return JSON.parse(await page.evaluate(() => Module.ccall('orvane_state_line', 'string')));
}

// A scratch folder holding a link to the game's data, as a folder the game runs from.
function gameFolder() {
  const dir = scratchFolder('orvane-run-');
  fs.symlinkSync(path.join(source, 'data'), path.join(dir, 'data'));
  return dir;
}

// The desktop program run in a scratch folder; returns the folder.
function runDesktop(args, files = {}) {
  const dir = gameFolder();
  for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(dir, name), text);
  execFileSync(desktop, args, { cwd: dir, env: { ...process.env, SDL_AUDIODRIVER: 'dummy' } });
  return dir;
}

// The RGB rows of an 8-bit RGB PNG without interlacing (what the game's screenshots are).
function readPng(file) {
  const bytes = fs.readFileSync(file);
  let width = 0, height = 0;
  const data = [];
  for (let at = 8; at < bytes.length;) {
    const size = bytes.readUInt32BE(at);
    const type = bytes.toString('ascii', at + 4, at + 8);
    if (type === 'IHDR') { width = bytes.readUInt32BE(at + 8); height = bytes.readUInt32BE(at + 12); }
    if (type === 'IDAT') data.push(bytes.subarray(at + 8, at + 8 + size));
    at += 12 + size;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * 3;
  const rgb = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const here = raw[y * (stride + 1) + 1 + x];
      const a = x >= 3 ? rgb[y * stride + x - 3] : 0;
      const b = y > 0 ? rgb[(y - 1) * stride + x] : 0;
      const c = x >= 3 && y > 0 ? rgb[(y - 1) * stride + x - 3] : 0;
      const p = a + b - c;
      const paeth = Math.abs(p - a) <= Math.abs(p - b) && Math.abs(p - a) <= Math.abs(p - c) ? a
                  : Math.abs(p - b) <= Math.abs(p - c) ? b : c;
      const predicted = [0, a, b, (a + b) >> 1, paeth][filter];
      rgb[y * stride + x] = (here + predicted) & 255;
    }
  }
  return { width, height, rgb };
}

// For the measurements: every frame callback of pages opened from now on timed from the page's
// side (window.callbackMs), and the moment the first picture after a game frame was done
// (window.firstPicture).
async function timeFrameCallbacks(page) {
  await page.evaluateOnNewDocument(() => {
    window.callbackMs = [];
    const request = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) => request((time) => {
      const start = performance.now();
      callback(time);
      const end = performance.now();
      if (window.Module && Module.calledRun && window.firstPicture === undefined &&
          Module.ccall('orvane_frames', 'number') > 0) window.firstPicture = end;
      window.callbackMs.push(end - start);
    });
  });
}

function percentile(sorted, p) {
  return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * p))];
}

module.exports = { source, serve, openBrowser, openGame, gameState, gameFolder, runDesktop,
                   readPng, timeFrameCallbacks, percentile };
