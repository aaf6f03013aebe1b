'use strict';
// The Rebrander's pages keep a request open while they are shown: while one is open the
// Rebrander knows its window is there, and ends soon after the last one goes.
(async () => {
  const alive = document.body.dataset.alive;
  for (;;) {
    try {
      await fetch(alive, {cache: 'no-store'});
    } catch (e) {
      await new Promise((done) => setTimeout(done, 1000));
    }
  }
})();
