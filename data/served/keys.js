'use strict';
// The name of a pressed key as the reader's menus name keys ("Ctrl+PgDown", "Alt+Home",
// "F3"): the modifiers first, always as Ctrl, Alt, Shift, then the key, a letter in upper
// case. The frame and the helper in every page name keys alike.
function readerKeyName(e) {
  const names = {PageDown: 'PgDown', PageUp: 'PgUp', ArrowLeft: 'Left', ArrowRight: 'Right',
                 ArrowUp: 'Up', ArrowDown: 'Down', Escape: 'Esc', Delete: 'Del',
                 Insert: 'Ins', Enter: 'Return', ' ': 'Space'};
  let name = names[e.key] || (e.key.length === 1 ? e.key.toUpperCase() : e.key);
  if (/^Key[A-Z]$/.test(e.code)) name = e.code.slice(3);
  if (/^Digit[0-9]$/.test(e.code)) name = e.code.slice(5);
  return (e.ctrlKey || e.metaKey ? 'Ctrl+' : '') + (e.altKey ? 'Alt+' : '') +
         (e.shiftKey ? 'Shift+' : '') + name;
}
