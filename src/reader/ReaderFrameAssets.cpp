// The frame's script and style sheet. The script talks to the reader through the frame key
// (a header the author's page cannot send) and shows what the book asks in the reader's own
// question box. It never reads the author's page: that page lives in another origin.

#include "reader/ReaderFramePage.h"

namespace nbx::reader {

std::string ReaderFrameScript() {
    return R"JS('use strict';
(() => {
  const body = document.body;
  const base = body.dataset.base;
  const key = body.dataset.key;
  const frame = document.getElementById('page');
  const $ = (id) => document.getElementById(id);
  let seq = 0;
  let shown = '';
  let zoom = 2;
  let finished = false;
  const zooms = [1.5, 1.25, 1, 0.85, 0.7];

  const status = (text) => { $('status').textContent = text; };
  const go = (where) => {
    const from = shown.startsWith('/book/') ? shown.slice(6).split('?')[0] : '';
    frame.src = base + '/go/' + where + (from ? '?from=' + from : '');
  };
  const control = async (name, query) => {
    const r = await fetch(base + '/frame/' + name + (query || ''),
                          {headers: {'X-Nbx-Frame': key}, cache: 'no-store'});
    return r.status === 200 ? r.json() : null;
  };

  const note = (text) => {
    $('notetext').textContent = text;
    if (!$('note').open) $('note').showModal();
  };
  $('noteok').addEventListener('click', () => $('note').close());

  let asked = 0;
  const ask = (q) => {
    if (q.id === asked) return;
    asked = q.id;
    $('questiontext').textContent = q.text;
    $('questionyes').textContent = q.yes;
    $('questionno').textContent = q.no;
    const answer = (yes) => async () => {
      $('question').close();
      apply(await control('answer', '?id=' + q.id + '&yes=' + (yes ? 1 : 0)));
    };
    $('questionyes').onclick = answer(true);
    $('questionno').onclick = answer(false);
    $('question').showModal();
  };

  const finish = () => {
    finished = true;
    window.close();
    document.body.classList.add('closed');
    $('closed').hidden = false;
    status('');
  };

  function apply(state) {
    if (!state) return;
    seq = state.seq;
    if (state.address !== shown) {
      shown = state.address;
      const title = state.title || '';
      document.title = body.dataset.title + (title ? ' - ' + title : '');
      status(body.dataset.done);
      // The search box shows above the Search page only.
      $('searchbar').hidden = !shown.startsWith('/system/search');
      const words = new URLSearchParams(shown.split('?')[1] || '').get('q');
      if (words !== null) $('q').value = words;
    }
    for (const [cmd, tip] of [['next', state.nextTip], ['previous', state.previousTip]]) {
      const button = document.querySelector('#toolbar [data-cmd="' + cmd + '"]');
      if (button && tip) button.title = tip;
    }
    if (state.failed) note(state.failed);
    if (state.question) ask(state.question);
    if (state.finished) finish();
  }

  // The long poll: held by the reader until something changes. While it is open the reader
  // knows this window is there; when the window goes, so does the connection.
  const watch = async () => {
    while (!finished) {
      try {
        const r = await fetch(base + '/frame/state?seen=' + seq,
                              {headers: {'X-Nbx-Frame': key}, cache: 'no-store'});
        if (r.status === 200) apply(await r.json());
      } catch (e) {
        await new Promise((done) => setTimeout(done, 1000));
      }
    }
  };

  const commands = {
    back: () => history.back(),
    forward: () => history.forward(),
    stop: () => window.stop(),
    refresh: () => { if (shown) frame.src = base + shown; },
    home: () => go('home'),
    next: () => go('next'),
    previous: () => go('previous'),
    contents: () => go('contents'),
    about: () => go('about'),
    search: () => {
      $('searchbar').hidden = false;
      frame.src = base + '/system/search';
      $('q').focus();
    },
    copy: () => document.execCommand('copy'),
    find: () => status('Ctrl+F'),
    print: () => window.print(),
    size: () => setZoom((zoom + 1) % zooms.length),
    toolbar: () => { $('toolbar').hidden = !$('toolbar').hidden; },
    statusbar: () => { $('status').hidden = !$('status').hidden; },
    contentslist: (button) => {
      const list = $('contentslist');
      const r = button.getBoundingClientRect();
      list.style.left = Math.max(0, Math.min(r.left - 120, window.innerWidth - 260)) + 'px';
      list.style.top = r.bottom + 'px';
      list.hidden = !list.hidden;
    },
    exit: async () => apply(await control('exit')),
  };
  const setZoom = (i) => {
    zoom = i;
    frame.style.zoom = zooms[i];
  };
  for (let i = 0; i < zooms.length; ++i) commands['size' + i] = () => setZoom(i);

  document.addEventListener('click', (event) => {
    const button = event.target.closest('[data-cmd]');
    if (button) {
      const command = commands[button.dataset.cmd];
      if (command) command(button);
    }
    if (!event.target.closest('.drop')) $('contentslist').hidden = true;
    if (button || !event.target.closest('details')) {
      document.querySelectorAll('details.menu[open]').forEach((d) => { d.open = false; });
    }
  });
  const closeAll = () => {
    $('contentslist').hidden = true;
    document.querySelectorAll('details.menu[open]').forEach((d) => { d.open = false; });
  };
  $('contentslist').addEventListener('click', closeAll);
  // A click into the page moves the focus out of the frame's document: menus close.
  window.addEventListener('blur', closeAll);
  document.querySelectorAll('details.menu').forEach((menu) => {
    menu.addEventListener('toggle', () => {
      if (!menu.open) return;
      document.querySelectorAll('details.menu[open]').forEach((d) => {
        if (d !== menu) d.open = false;
      });
    });
  });
  $('searchbar').addEventListener('submit', () => { $('searchbar').hidden = false; });

  const splash = $('splash');
  const startup = $('startup').innerHTML ? $('startup').content.textContent : '';
  const begin = () => {
    if (startup) note(startup);
    watch();
  };
  if (splash) {
    const delay = Number(splash.dataset.delay) || 0;
    const bar = splash.querySelector('.bar div');
    const start = performance.now();
    const step = () => {
      const part = delay > 0 ? Math.min(1, (performance.now() - start) / delay) : 1;
      if (bar) bar.style.width = (50 + 50 * part) + '%';
      if (part < 1) {
        requestAnimationFrame(step);
      } else {
        splash.remove();
        begin();
      }
    };
    step();
  } else {
    begin();
  }
})();
)JS";
}

std::string ReaderFrameStyle() {
    return R"CSS(html, body { height: 100%; margin: 0; }
body {
  display: grid;
  grid-template: "menu menu menu" auto "top top top" auto "search search search" auto
                 "left main right" 1fr "bottom bottom bottom" auto "foot foot foot" auto /
                 auto 1fr auto;
  font: 13px system-ui, "Segoe UI", "DejaVu Sans", sans-serif;
  background: #f3f3f3; color: #1b1b1b; overflow: hidden;
}
#menubar { grid-area: menu; background: #f7f7f7; }
#toolbar { grid-area: top; background: linear-gradient(#fbfbfb, #ececec);
           border-bottom: 1px solid #c8c8c8; }
body.toolbar-left #toolbar, body.toolbar-right #toolbar, body.toolbar-bottom #toolbar {
  background: #f1f1f1; border-bottom: 0; }
main { grid-area: main; position: relative; background: #fff; }
iframe#page { position: absolute; inset: 0; width: 100%; height: 100%; border: 0; }
#menubar { display: flex; gap: 2px; padding: 2px 4px; border-bottom: 1px solid #dcdcdc; }
#menubar[hidden], #toolbar[hidden], #status[hidden], #searchbar[hidden] { display: none; }
details.menu { position: relative; }
details.menu > summary { list-style: none; padding: 3px 8px; border-radius: 3px; cursor: default; }
details.menu > summary::-webkit-details-marker { display: none; }
details.menu[open] > summary, details.menu > summary:hover { background: #dcdcdc; }
details.menu .items { position: absolute; z-index: 10; min-width: 200px; background: #fff;
  border: 1px solid #b8b8b8; box-shadow: 0 4px 12px rgba(0,0,0,.18); padding: 4px 0; }
details.menu .items button { display: flex; justify-content: space-between; width: 100%;
  border: 0; background: none; padding: 4px 16px; font: inherit; text-align: left; }
details.menu .items button:hover { background: #0a64c8; color: #fff; }
details.menu .items hr { border: 0; border-top: 1px solid #e0e0e0; margin: 4px 0; }
.accel { margin-left: 24px; opacity: .7; }
#toolbar { display: flex; flex-wrap: wrap; align-items: stretch; gap: 1px; padding: 3px 4px; }
body.toolbar-left #toolbar, body.toolbar-right #toolbar { flex-direction: column; flex-wrap: nowrap;
  overflow-y: auto; }
body.toolbar-left #toolbar { grid-area: left; border-right: 1px solid #c8c8c8; }
body.toolbar-right #toolbar { grid-area: right; border-left: 1px solid #c8c8c8; }
body.toolbar-bottom #toolbar { grid-area: bottom; border-top: 1px solid #c8c8c8; }
#toolbar button { display: flex; flex-direction: column; align-items: center; justify-content: center;
  gap: 2px; min-width: 28px; padding: 3px 6px; border: 1px solid transparent; border-radius: 3px;
  background: none; font: inherit; font-size: 11px; color: inherit; }
#toolbar button:hover { border-color: #b9b9b9; background: #fff; }
#toolbar button:active { background: #dedede; }
#toolbar button.drop { min-width: 12px; padding: 3px 2px; margin-left: -2px; }
#toolbar .pic { display: block; background-repeat: no-repeat; image-rendering: pixelated; }
#searchbar { grid-area: search; display: flex; gap: 6px; align-items: center; padding: 5px 8px;
  background: #f8f8f8; border-bottom: 1px solid #d4d4d4; }
#searchbar input { width: 260px; padding: 3px 5px; }
#contentslist { position: fixed; z-index: 20; max-height: 70vh; overflow: auto;
  min-width: 240px; background: #fff; border: 1px solid #b8b8b8; padding: 4px 0;
  box-shadow: 0 4px 12px rgba(0,0,0,.18); }
#contentslist[hidden] { display: none; }
#contentslist a { display: block; padding: 4px 16px; color: inherit; text-decoration: none; }
#contentslist a:hover { background: #0a64c8; color: #fff; }
#contentslist hr { border: 0; border-top: 1px solid #e0e0e0; margin: 4px 0; }
#status { grid-area: foot; padding: 3px 8px; border-top: 1px solid #c8c8c8; background: #ececec;
  white-space: nowrap; overflow: hidden; text-overflow: ellipsis; min-height: 16px; }
dialog { border: 1px solid #9a9a9a; border-radius: 6px; padding: 16px 18px; max-width: 460px;
  box-shadow: 0 8px 28px rgba(0,0,0,.3); }
dialog p { white-space: pre-wrap; margin: 0 0 14px; overflow-wrap: anywhere; }
dialog .buttons { display: flex; justify-content: flex-end; gap: 8px; }
dialog button { min-width: 84px; padding: 4px 12px; }
#splash { position: fixed; inset: 0; z-index: 30; display: flex; flex-direction: column;
  align-items: center; justify-content: center; gap: 10px; background: #f3f3f3; }
#splash .bar { width: 240px; height: 10px; border: 1px solid #888; background: #fff; }
#splash .bar div { height: 100%; width: 50%; background: #0a64c8; }
body.closed main, body.closed #menubar, body.closed #toolbar { visibility: hidden; }
#closed { position: fixed; inset: 40% 0 auto; text-align: center; font-size: 15px; }
@media print {
  #menubar, #toolbar, #searchbar, #status, #contentslist { display: none !important; }
  body { display: block; overflow: visible; }
  main { position: static; }
  iframe#page { position: static; width: 100%; height: 100vh; }
}
)CSS";
}

}  // namespace nbx::reader
