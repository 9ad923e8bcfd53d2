// Starts the game on the player's first click or key (browsers allow sound only then), keeps
// its files in the browser's storage, and scales the canvas by whole numbers.
'use strict';

const params = new URLSearchParams(location.search);
const canvas = document.getElementById('canvas');
const cover = document.getElementById('cover');
const message = document.getElementById('message');

// The options a page address may give: ?seed=N&input=FILE&frames=N&watch=N&mute&no-flashes&end-paused,
// and ?lab for the weapon lab (?lab=spring=24&lab=nodes=32 sets its parameters).
function gameArguments() {
  const args = ['--data', '/data'];
  for (const name of ['seed', 'frames', 'watch']) {
    if (params.has(name)) args.push('--' + name, params.get(name));
  }
  if (params.has('input')) args.push('--input', '/replay.log');
  for (const flag of ['mute', 'no-flashes', 'end-paused']) {
    if (params.has(flag)) args.push('--' + flag);
  }
  for (const setting of params.getAll('lab')) {
    args.push(setting === '' ? '--lab' : '--lab=' + setting);
  }
  return args;
}

// The 320x240 picture at the largest whole multiple that fits, counted in the screen's own
// pixels (a phone with 3 of them to a CSS pixel gets 4x, 1280x960, in 390 CSS pixels of height),
// so every logical pixel is the same square. Held upright, the picture takes the top and the help
// goes below; on its side the help goes beside, unless on a touch screen that would cost the
// picture a size. Full screen takes it all.
function fitCanvas() {
  const ratio = window.devicePixelRatio || 1;
  const fit = function (width, height) {
    return Math.max(1, Math.floor(Math.min(width * ratio / 320, height * ratio / 240)));
  };
  const full = document.fullscreenElement !== null;
  const alone = fit(innerWidth, innerHeight);
  const beside = fit(innerWidth - 340, innerHeight - 20);
  const touch = matchMedia('(pointer: coarse)').matches;
  const below = !full && (innerHeight > innerWidth || (touch && beside < alone));
  const scale = full || below ? alone : beside;
  document.body.classList.toggle('below', below);
  canvas.style.width = 320 * scale / ratio + 'px';
  canvas.style.height = 240 * scale / ratio + 'px';
}

// The player's ten best games beside the game, each watched again by a link (?watch=N).
function showBestGames() {
  const rows = Module.ccall('orvane_best_games', 'string').split('\n')
    .filter(function (line) { return line && line[0] !== '#'; })
    .map(function (line) { return line.split(' '); });
  const list = document.getElementById('best');
  list.replaceChildren();
  for (const [rank, score, level, date] of rows) {
    const link = document.createElement('a');
    link.href = '?watch=' + rank + '&autostart';
    link.textContent = score + ' points, level ' + level + ', ' + date.replace('T', ' ');
    const item = document.createElement('li');
    item.append(link);
    list.append(item);
  }
  document.getElementById('games').hidden = rows.length === 0;
}

// What stopped the game, in one line on the page and in the console; nothing more is loaded or
// started after it.
function showProblem(text) {
  if (Module.problem) return;
  Module.problem = text;
  console.error(text);
  const loading = document.getElementById('loading');
  if (loading) loading.remove();
  message.textContent = text;
  message.classList.add('problem');
  cover.classList.remove('hidden');
}

let started = false;
function start() {
  if (started || !Module.ready || Module.problem) return;
  started = true;
  document.body.classList.add('playing');
  cover.classList.add('hidden');
  canvas.focus();
  // The program names what is wrong (a bad option, a log that is not a log) on its standard error
  // and ends with status 2 before any frame.
  const status = Module.callMain(gameArguments());
  fitCanvas(); // the game's window sets the canvas to 640x480 CSS pixels as it opens
  if (status) showProblem(Module.lastError || 'orvane: the game could not start (' + status + ')');
}

// Fetches the input log the address names into the page's file system: anything but the log
// itself (an HTTP error, no answer within 20 s, a network failure) is reported instead.
function fetchReplay(name) {
  const stop = new AbortController();
  const timer = setTimeout(function () { stop.abort(); }, 20000);
  const shown = "orvane: could not fetch the input log '" + name + "'";
  return fetch(name, { signal: stop.signal }).then(function (reply) {
    if (reply.status !== 200) throw new Error('HTTP ' + reply.status);
    return reply.arrayBuffer();
  }).then(function (bytes) {
    FS.writeFile('/replay.log', new Uint8Array(bytes));
    removeRunDependency('replay');
  }).catch(function (error) {
    showProblem(shown + ': ' + (error.name === 'AbortError' ? 'no answer in 20 s' : error.message));
  }).finally(function () { clearTimeout(timer); });
}

var Module = {
  canvas: canvas,
  ready: false,
  syncing: false,
  preRun: [function () {
    ENV.XDG_CONFIG_HOME = '/save';
    ENV.XDG_DATA_HOME = '/save';
    FS.mkdir('/save');
    FS.mount(IDBFS, {}, '/save');
    FS.chdir('/save');
    addRunDependency('storage');
    FS.syncfs(true, function (error) {
      if (error) console.warn('orvane: the saved files could not be read:', error);
      removeRunDependency('storage');
    });
    if (params.has('input')) {
      addRunDependency('replay');
      fetchReplay(params.get('input'));
    }
  }],
  // Writes the saved files back to the browser's storage, one write at a time.
  orvaneSync: function () {
    if (Module.syncing) { Module.syncAgain = true; return; }
    Module.syncing = true;
    FS.syncfs(false, function (error) {
      if (error) console.warn('orvane: the saved files could not be written:', error);
      Module.syncing = false;
      if (Module.syncAgain) { Module.syncAgain = false; Module.orvaneSync(); }
      showBestGames(); // a game that ended may have entered the table
    });
  },
  orvaneOver: function () { Module.over = true; },
  setStatus: function (text) {
    const got = /\((\d+)\/(\d+)\)/.exec(text);
    if (got) document.getElementById('bar').style.width = (100 * got[1] / got[2]) + '%';
  },
  onRuntimeInitialized: function () {
    if (Module.problem) return;
    Module.ready = true;
    showBestGames();
    document.getElementById('loading').remove();
    message.textContent = 'click or press a key to play';
    if (params.has('autostart')) start();
  },
  print: function (text) { console.log(text); },
  printErr: function (text) {
    if (text.startsWith('orvane: ')) Module.lastError = text;
    console.warn(text);
  },
};

cover.addEventListener('click', start);
addEventListener('keydown', function (event) {
  if (!started) { event.preventDefault(); start(); }
});
document.getElementById('fullscreen').addEventListener('click', function () {
  document.getElementById('screen').requestFullscreen();
});
addEventListener('resize', fitCanvas);
document.addEventListener('fullscreenchange', fitCanvas);
fitCanvas();

// Installable and playable offline: the service worker keeps the page's files (where the page
// is served over HTTPS or from this machine).
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('service_worker.js').catch(function (error) {
    console.warn('orvane: the page will not work offline:', error.message);
  });
}
