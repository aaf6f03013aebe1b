'use strict';
// The reader's helper in every page of the book. The page lives in an origin of its own, so
// the reader's frame around it cannot see its keys or its text: this helper sends the keys
// that the reader's menus show on to the frame, answers the frame's Find and Copy, opens
// links that leave the book in the reader's browser instead of the book's frame, and marks
// what a search found on the page it opened. The reader serves it after keys.js, both inside
// one function.
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

  // A page opened from the Search page names what was found in its address, once for each
  // word, identifier or phrase ("nbx-found"). Each is marked where it stands as a whole in the
  // page's text: the text node that holds it is split around it and the piece wrapped in a
  // <mark>, so the author's elements, their listeners and the rest of the text stay as they
  // are.
  const markFound = () => {
    const items = new URLSearchParams(location.search).getAll('nbx-found')
                      .map((item) => item.trim().split(/\s+/).filter(Boolean))
                      .filter((words) => words.length > 0 && words.join(' ').length <= 200)
                      .slice(0, 32);
    if (!items.length || !document.body) return;
    const escape = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
    // Longer items first, so that a phrase is marked whole before its words.
    const alternatives = items.map((words) => words.map(escape).join('[^\\p{L}\\p{N}]+'))
                             .sort((a, b) => b.length - a.length);
    const found = new RegExp(
        '(?<![\\p{L}\\p{N}])(?:' + alternatives.join('|') + ')(?![\\p{L}\\p{N}])', 'giu');
    const skipped = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEXTAREA', 'TEMPLATE', 'TITLE']);
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, {
      acceptNode: (node) => skipped.has(node.parentNode.nodeName) ?
          NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT,
    });
    const nodes = [];
    for (let node = walker.nextNode(); node; node = walker.nextNode()) nodes.push(node);
    let marks = 0, first = null;
    for (const node of nodes) {
      let rest = node, consumed = 0;
      for (const match of node.nodeValue.matchAll(found)) {
        if (++marks > 1000) break;
        const piece = rest.splitText(match.index - consumed);
        rest = piece.splitText(match[0].length);
        consumed = match.index + match[0].length;
        const mark = document.createElement('mark');
        mark.className = 'nbx-found';
        piece.parentNode.replaceChild(mark, piece);
        mark.appendChild(piece);
        first = first || mark;
      }
    }
    if (first && !location.hash) first.scrollIntoView({block: 'center'});
  };
  if (document.readyState === 'loading') {
    document.addEventListener('DOMContentLoaded', markFound);
  } else {
    markFound();
  }

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
