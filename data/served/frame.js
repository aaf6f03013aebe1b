'use strict';
// The reader's frame around the author's page. It talks to the reader with the frame key (a
// header the author's page cannot send) and shows what the book asks in the reader's own
// question box. The author's page lives in another origin: the frame reaches it only by
// messages, which the reader's helper in the page answers (the keys pressed there, Find, the
// selection to copy). It needs keys.js before it.
(() => {
  const body = document.body;
  const base = body.dataset.base;
  const key = body.dataset.key;
  const pages = body.dataset.pages;
  const frame = document.getElementById('page');
  const $ = (id) => document.getElementById(id);
  let seq = 0;
  let shown = '';
  let zoom = 2;
  let finished = false;
  const zooms = [1.5, 1.25, 1, 0.85, 0.7];

  const status = (text) => { $('status').textContent = text; };
  const show = (path) => { frame.src = pages + base + path; };
  const go = (where) => {
    const from = shown.startsWith('/book/') ? shown.slice(6).split('?')[0] : '';
    show('/go/' + where + (from ? '?from=' + from : ''));
  };
  const control = async (name, query) => {
    const r = await fetch(base + '/frame/' + name + (query || ''),
                          {headers: {'X-Nbx-Frame': key}, cache: 'no-store'});
    return r.status === 200 ? r.json() : null;
  };
  const toPage = (message) => {
    if (frame.contentWindow) frame.contentWindow.postMessage(message, pages);
  };

  const note = (text) => {
    $('notetext').textContent = text;
    if (!$('note').open) $('note').showModal();
  };
  $('noteok').addEventListener('click', () => $('note').close());

  // One question at a time. Its buttons take no click until it has been in view, in a window
  // that has the focus, for a while: a click meant for the page under it cannot answer it.
  const armMs = 700;
  let asked = 0;
  let armed = false;
  let armTimer = 0;
  const ask = (q) => {
    if (q.id === asked) return;
    asked = q.id;
    $('questionlead').textContent = q.lead;
    $('questionsubject').textContent = q.subject;
    $('questionsubject').title = q.subject;
    $('questionadvice').textContent = q.advice;
    const yes = $('questionyes');
    const no = $('questionno');
    yes.textContent = q.yes;
    no.textContent = q.no;
    const arm = (on) => {
      armed = on;
      yes.disabled = !on;
      no.disabled = !on;
    };
    const answer = (y) => async () => {
      if (!armed) return;
      arm(false);
      clearInterval(armTimer);
      $('question').close();
      apply(await control('answer', '?id=' + q.id + '&yes=' + (y ? 1 : 0)));
    };
    yes.onclick = answer(true);
    no.onclick = answer(false);
    $('question').oncancel = (event) => {
      event.preventDefault();
      answer(false)();
    };
    arm(false);
    $('question').showModal();
    let since = null;
    clearInterval(armTimer);
    armTimer = setInterval(() => {
      if (!document.hasFocus() || document.visibilityState !== 'visible') {
        since = null;
        if (armed) arm(false);
      } else if (since === null) {
        since = performance.now();
      } else if (!armed && performance.now() - since >= armMs) {
        arm(true);
        no.focus();
      }
    }, 50);
  };

  // The reader has ended (Exit), or it is gone: the window says so and does nothing more.
  const closed = () => {
    if (finished) return;
    finished = true;
    clearInterval(armTimer);
    for (const d of document.querySelectorAll('dialog[open]')) d.close();
    window.close();
    document.body.classList.add('closed');
    $('closed').hidden = false;
    status('');
  };

  function apply(state) {
    if (!state || finished) return;
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
    if (state.finished) closed();
  }

  // The long poll: held by the reader until something changes. While it is open the reader
  // knows this window is there; when the window goes, so does the connection. When nothing
  // answers at the reader's address, twice, the reader has ended.
  const watch = async () => {
    let failures = 0;
    while (!finished) {
      try {
        const r = await fetch(base + '/frame/state?seen=' + seq,
                              {headers: {'X-Nbx-Frame': key}, cache: 'no-store'});
        failures = 0;
        if (r.status === 200) {
          apply(await r.json());
        } else {
          await new Promise((done) => setTimeout(done, 1000));
        }
      } catch (e) {
        if (++failures >= 2) {
          closed();
          return;
        }
        await new Promise((done) => setTimeout(done, 1000));
      }
    }
  };

  // Find on the author's page: the helper there searches its own text.
  let findText = '';
  const find = (backwards) => {
    const text = $('findtext').value;
    if (!text) {
      $('findtext').focus();
      return;
    }
    findText = text;
    toPage({nbx: 'find', text, backwards});
  };
  const openFind = () => {
    $('findbar').hidden = false;
    $('findtext').focus();
    $('findtext').select();
  };
  $('findbar').addEventListener('submit', (event) => {
    event.preventDefault();
    find(false);
  });
  $('findtext').addEventListener('keydown', (event) => {
    if (event.key === 'Escape') {
      $('findbar').hidden = true;
      frame.focus();
    }
  });
  $('findclose').addEventListener('click', () => { $('findbar').hidden = true; });

  const copyText = async (text) => {
    if (!text) return;
    try {
      await navigator.clipboard.writeText(text);
    } catch (e) {
      const area = document.createElement('textarea');
      area.value = text;
      document.body.append(area);
      area.select();
      document.execCommand('copy');
      area.remove();
    }
  };

  const commands = {
    back: () => history.back(),
    forward: () => history.forward(),
    stop: () => window.stop(),
    refresh: () => { if (shown) show(shown); },
    home: () => go('home'),
    next: () => go('next'),
    previous: () => go('previous'),
    contents: () => go('contents'),
    about: () => go('about'),
    search: () => {
      $('searchbar').hidden = false;
      show('/system/search');
      $('q').focus();
    },
    copy: () => toPage({nbx: 'selection'}),
    selectall: () => toPage({nbx: 'selectall'}),
    find: openFind,
    findnext: () => (findText ? toPage({nbx: 'find', text: findText, backwards: false})
                              : openFind()),
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
  const run = (name, button) => {
    const command = commands[name];
    if (command && !finished) command(button);
  };

  // The keys the menus show, as the book's language names them: "Ctrl+PgDown".
  const keys = new Map();
  for (const item of document.querySelectorAll('[data-cmd][data-key]')) {
    keys.set(item.dataset.key, item.dataset.cmd);
  }
  document.addEventListener('keydown', (event) => {
    const name = keys.get(readerKeyName(event));
    if (!name || document.querySelector('dialog[open]')) return;
    // In a text field of the frame, copying and selecting stay the field's own.
    const field = event.target.closest && event.target.closest('input, textarea');
    if (field && (name === 'copy' || name === 'selectall' || name === 'stop')) return;
    event.preventDefault();
    run(name);
  });

  // What the helper in the author's page sends: only from the pages' origin.
  window.addEventListener('message', (event) => {
    if (event.origin !== pages || !event.data || typeof event.data !== 'object') return;
    const m = event.data;
    if (m.nbx === 'key' && typeof m.key === 'string') {
      const name = keys.get(m.key);
      if (name && !document.querySelector('dialog[open]')) run(name);
    } else if (m.nbx === 'found') {
      status(m.found ? '' : body.dataset.notfound.replace('{{text}}', findText));
    } else if (m.nbx === 'selection' && typeof m.text === 'string') {
      copyText(m.text);
    }
  });

  document.addEventListener('click', (event) => {
    const button = event.target.closest('[data-cmd]');
    if (button) run(button.dataset.cmd, button);
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
  // The long poll starts at once: a window hidden behind others draws no splash frames, and
  // is still there.
  watch();
  const begin = () => {
    if (startup) note(startup);
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
