'use strict';
// The reader's helper in every page of the book. The page lives in an origin of its own, so
// the reader's frame around it cannot see its keys or its text: this helper sends the keys
// that the reader's menus show on to the frame, answers the frame's Find and Copy, and opens
// links that leave the book in the reader's browser instead of the book's frame. The reader
// serves it after keys.js, both inside one function.
(() => {
  // Filled in by the reader: the frame's origin, the keys to send on, where links open.
  const config = /*CONFIG*/null;
  if (!config) return;
  const toFrame = (message) => {
    if (window.top !== window) window.top.postMessage(message, config.frame);
  };

  const keys = new Set(config.keys);
  window.addEventListener('keydown', (event) => {
    const name = readerKeyName(event);
    if (!keys.has(name)) return;
    // Escape stays the page's too (it closes the page's own pop-ups).
    if (name !== 'Esc') {
      event.preventDefault();
      event.stopImmediatePropagation();
    }
    toFrame({nbx: 'key', key: name});
  }, true);

  // A link that leaves the book opens in the reader's browser: a window or a tab of its own,
  // as the book asks, never inside the book's frame.
  window.addEventListener('click', (event) => {
    if (event.button !== 0 || event.defaultPrevented) return;
    const link = event.target.closest && event.target.closest('a[href], area[href]');
    if (!link) return;
    let url;
    try {
      url = new URL(link.href, location.href);
    } catch (e) {
      return;
    }
    if (url.origin === location.origin ||
        !['http:', 'https:', 'ftp:', 'mailto:'].includes(url.protocol)) {
      return;
    }
    event.preventDefault();
    window.open(url.href, '_blank',
                (config.newWindow ? 'popup,' : '') + 'noopener,noreferrer');
  }, true);

  window.addEventListener('message', (event) => {
    if (event.origin !== config.frame || event.source !== window.top) return;
    const m = event.data || {};
    if (m.nbx === 'find' && typeof m.text === 'string') {
      const found = window.find(m.text, false, !!m.backwards, true, false, false, false);
      toFrame({nbx: 'found', found});
    } else if (m.nbx === 'selection') {
      toFrame({nbx: 'selection', text: String(window.getSelection())});
    } else if (m.nbx === 'selectall') {
      document.execCommand('selectAll');
    }
  });
})();
