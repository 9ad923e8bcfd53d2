// Starts the game on the player's first click or key (browsers allow sound only then), keeps
// its files in the browser's storage, and scales the canvas by whole numbers.
'use strict';

const params = new URLSearchParams(location.search);
const canvas = document.getElementById('canvas');
const cover = document.getElementById('cover');
const message = document.getElementById('message');

// The options a page address may give: ?seed=N&input=FILE&frames=N&mute&no-flashes.
function gameArguments() {
  const args = ['--data', '/data'];
  for (const name of ['seed', 'frames']) {
    if (params.has(name)) args.push('--' + name, params.get(name));
  }
  if (params.has('input')) args.push('--input', '/replay.log');
  for (const flag of ['mute', 'no-flashes']) {
    if (params.has(flag)) args.push('--' + flag);
  }
  return args;
}

function fitCanvas() {
  const box = document.fullscreenElement ? [innerWidth, innerHeight]
                                         : [innerWidth - 340, innerHeight - 20];
  const scale = Math.max(1, Math.floor(Math.min(box[0] / 640, box[1] / 480)));
  canvas.style.width = 640 * scale + 'px';
  canvas.style.height = 480 * scale + 'px';
}

let started = false;
function start() {
  if (started || !Module.ready) return;
  started = true;
  cover.classList.add('hidden');
  canvas.focus();
  Module.callMain(gameArguments());
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
      fetch(params.get('input')).then(function (reply) { return reply.arrayBuffer(); })
        .then(function (bytes) {
          FS.writeFile('/replay.log', new Uint8Array(bytes));
          removeRunDependency('replay');
        });
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
    });
  },
  orvaneOver: function () { Module.over = true; },
  setStatus: function (text) {
    const got = /\((\d+)\/(\d+)\)/.exec(text);
    if (got) document.getElementById('bar').style.width = (100 * got[1] / got[2]) + '%';
  },
  onRuntimeInitialized: function () {
    Module.ready = true;
    document.getElementById('loading').remove();
    message.textContent = 'click or press a key to play';
    if (params.has('autostart')) start();
  },
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
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
