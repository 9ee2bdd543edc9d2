// Types into the search box of the page it is loaded in, as a reader
// would, and reports what the box showed. The queries follow "#probe="
// in the page's address, separated by "|". Into <pre id="probe"> it
// writes, per query, "query<TAB>text<TAB>milliseconds from the keystroke
// to the results<TAB>shard files loaded so far", a "result" line per row
// shown with its parts as class=text, and the number of images in the
// box; then whether "/" focuses the box and which row two presses of the
// down arrow select; finally "end".
(function () {
  if (!location.hash.startsWith('#probe=')) return;
  var queries = decodeURIComponent(location.hash.slice(7)).split('|');
  var lines = [];

  function run() {
    var holder = document.getElementById('tavelle-search');
    var input = holder.querySelector('input');
    var report = document.createElement('pre');
    report.id = 'probe';
    document.body.appendChild(report);

    function finish() {
      input.blur();
      document.body.dispatchEvent(new KeyboardEvent('keydown', { key: '/', bubbles: true }));
      lines.push('focused\t' + (document.activeElement === input));
      for (var i = 0; i < 2; i++)
        input.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowDown', bubbles: true }));
      var chosen = holder.querySelector('li[aria-selected=true] .tavelle-search-name');
      lines.push('selected\t' + (chosen ? chosen.textContent : ''));
      lines.push('end');
      report.textContent = lines.join('\n');
    }

    function type(index) {
      if (index >= queries.length) return finish();
      var query = queries[index], started = 0;
      holder.addEventListener('tavelle-search-shown', function shown(event) {
        if (event.detail.query !== query) return;
        holder.removeEventListener('tavelle-search-shown', shown);
        var elapsed = performance.now() - started;
        lines.push('query\t' + query + '\t' + elapsed.toFixed(2) + '\t' +
                   window.tavelleSearch.loaded.join(' '));
        holder.querySelectorAll('li').forEach(function (row) {
          var parts = Array.prototype.map.call(row.querySelectorAll('span'), function (span) {
            return span.className.replace('tavelle-search-', '') + '=' + span.textContent;
          });
          lines.push('result\t' + parts.join('\t'));
        });
        lines.push('images\t' + holder.querySelectorAll('img').length);
        type(index + 1);
      });
      input.value = query;
      started = performance.now();
      input.dispatchEvent(new Event('input', { bubbles: true }));
    }
    type(0);
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', run);
  else run();
})();
