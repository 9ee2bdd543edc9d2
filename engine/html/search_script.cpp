#include "engine/html/search_script.h"

namespace tavelle {

const std::string_view kSearchScript = R"js(// Tavelle search: the box, the results page and the index shards they load.
(function () {
  'use strict';
  if (window.tavelleSearch) return;
  var KINDS = ['Class', 'Function', 'Topic', 'Member', 'Index entry'];
  var SHOWN = 20;
  var STYLE =
    '#tavelle-search{position:relative;display:inline-block}' +
    '#tavelle-search input{font:inherit;padding:.2em .5em;min-width:14em}' +
    '#tavelle-search ul{position:absolute;right:0;z-index:100;min-width:26em;max-height:70vh;' +
    'overflow:auto;margin:.2em 0 0;padding:0;list-style:none;background:#fff;color:#1f2933;' +
    'border:1px solid #cbd2d9;box-shadow:0 2px 8px rgba(0,0,0,.2);text-align:left}' +
    '#tavelle-search ul[hidden]{display:none}' +
    '.tavelle-search-list a{display:block;padding:.3em .7em;color:inherit;text-decoration:none}' +
    '.tavelle-search-list li[aria-selected=true] a,.tavelle-search-list a:hover{background:#e4edf5}' +
    '.tavelle-search-kind{display:inline-block;min-width:6em;font-size:.8em;color:#52606d}' +
    '.tavelle-search-class{margin-left:.6em;color:#52606d}' +
    '.tavelle-search-short{display:block;margin-left:7.5em;font-size:.85em;color:#52606d}' +
    '#tavelle-search-results ul{list-style:none;padding:0}';
  var here = document.currentScript ? document.currentScript.src : location.href;
  var shards = {};
  var waiting = {};
  var api = { loaded: [], shard: arrive };
  window.tavelleSearch = api;

  function fold(text) {
    return text.replace(/[A-Z]+/g, function (s) { return s.toLowerCase(); });
  }
  function isUpper(c) { return c >= 'A' && c <= 'Z'; }
  function isLowerOrDigit(c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }
  function isWord(c) { return isUpper(c) || isLowerOrDigit(c) || c > '\u007f'; }

  // The first character, the first after a character outside words, and
  // camel-case humps, as the index cuts names.
  function wordStarts(name) {
    var starts = name ? [0] : [];
    for (var i = 1; i < name.length; i++) {
      var c = name[i], before = name[i - 1], after = name[i + 1] || '';
      if (!isWord(c)) continue;
      var hump = isUpper(c) && (isLowerOrDigit(before) ||
                                (isUpper(before) && after >= 'a' && after <= 'z'));
      if (!isWord(before) || hump) starts.push(i);
    }
    return starts;
  }

  function prepare(row) {
    var full = row[2] ? row[2] + '::' + row[1] : row[1];
    var page = row[3] || (row[2] ? row[2] + '_' : '') + row[1] + '.html';
    return { kind: row[0], name: row[1], owner: row[2], page: page, summary: row[4],
             members: row[5], full: full, folded: fold(full), foldedName: fold(row[1]),
             starts: wordStarts(full) };
  }

  function arrive(key, split, rows) {
    var done = waiting[key];
    if (!done) return;
    delete waiting[key];
    done({ split: split === 1, items: rows.map(prepare) });
  }

  function load(key) {
    if (shards[key]) return shards[key];
    shards[key] = new Promise(function (resolve) {
      var file = 'tavelle-search-' + key + '.js';
      var element = document.createElement('script');
      var fail = function () { delete waiting[key]; resolve(null); };
      waiting[key] = resolve;
      element.onerror = fail;
      element.onload = function () { if (waiting[key]) fail(); };
      element.src = new URL(file, here).href;
      api.loaded.push(file);
      (document.head || document.documentElement).appendChild(element);
    });
    return shards[key];
  }

  function hex(bytes, length) {
    var text = '';
    for (var i = 0; i < length; i++) text += (bytes[i] < 16 ? '0' : '') + bytes[i].toString(16);
    return text;
  }

  // The items of the last shard on the query's path: a whole shard, or the
  // best items of a split one when the query ends at its key.
  function candidates(query) {
    var bytes = new TextEncoder().encode(query);
    function step(depth) {
      return load(hex(bytes, depth)).then(function (shard) {
        if (!shard) return [];
        if (shard.split && depth < bytes.length) return step(depth + 1);
        return shard.items;
      });
    }
    return step(1);
  }

  // The class a "Class::member" query names, with its "::"; a last lone
  // ":" counts as "::" already.
  function classPart(query) {
    if (query.endsWith(':') && !query.endsWith('::')) return query + ':';
    var cut = query.lastIndexOf('::');
    return cut >= 0 ? query.slice(0, cut + 2) : '';
  }

  // The members of the classes a "Class::" query names, from the class's
  // record in the shard its name and "::" lead to.
  function classMembers(query) {
    var prefix = classPart(query);
    if (!prefix) return Promise.resolve([]);
    return candidates(prefix).then(function (items) {
      var members = [];
      items.forEach(function (item) {
        if (!item.members || item.folded + '::' !== prefix) return;
        if (!item.expanded) {
          item.expanded = item.members.map(function (row) {
            return prepare([3, row[0], item.name, row[1], row[2]]);
          });
        }
        members = members.concat(item.expanded);
      });
      return members;
    });
  }

  function tier(item, query) {
    if (item.foldedName === query || item.folded === query) return 0;
    if (item.foldedName.startsWith(query) || item.folded.startsWith(query)) return 1;
    for (var i = 0; i < item.starts.length; i++)
      if (item.folded.startsWith(query, item.starts[i])) return 2;
    return item.folded.indexOf(query) >= 0 ? 3 : -1;
  }

  function compare(a, b) { return a < b ? -1 : a > b ? 1 : 0; }

  function search(text) {
    var query = fold(text.trim());
    if (!query) return Promise.resolve([]);
    return Promise.all([candidates(query), classMembers(query)]).then(function (found) {
      var hits = [];
      found[0].concat(found[1]).forEach(function (item) {
        var t = tier(item, query);
        if (t >= 0) hits.push({ tier: t, item: item });
      });
      hits.sort(function (a, b) {
        return a.tier - b.tier || a.item.kind - b.item.kind ||
               compare(a.item.folded, b.item.folded) || compare(a.item.full, b.item.full) ||
               compare(a.item.page, b.item.page);
      });
      return hits.map(function (hit) { return hit.item; });
    });
  }

  function addText(parent, className, text) {
    var span = document.createElement('span');
    span.className = className;
    span.textContent = text;
    parent.appendChild(span);
  }

  // One result, every part of it as text. The "./" keeps a page name
  // that looks like a web address ("javascript:") relative.
  function entry(item) {
    var row = document.createElement('li');
    var link = document.createElement('a');
    link.href = new URL('./' + item.page, here).href;
    addText(link, 'tavelle-search-kind', KINDS[item.kind] || '');
    addText(link, 'tavelle-search-name', item.name);
    if (item.owner) addText(link, 'tavelle-search-class', item.owner);
    if (item.summary) addText(link, 'tavelle-search-short', item.summary);
    row.appendChild(link);
    return row;
  }

  function fill(list, items) {
    list.textContent = '';
    items.forEach(function (item) { list.appendChild(entry(item)); });
  }

  function announce(holder, query, count) {
    holder.dispatchEvent(new CustomEvent('tavelle-search-shown',
                                         { detail: { query: query, count: count } }));
  }

  function resultsPage(query) {
    return new URL('tavelle-search.html#q=' + encodeURIComponent(query), here).href;
  }

  function attachBox(holder) {
    var input = document.createElement('input');
    input.type = 'search';
    input.placeholder = 'Search';
    input.autocomplete = 'off';
    input.setAttribute('aria-label', 'Search');
    var list = document.createElement('ul');
    list.className = 'tavelle-search-list';
    list.setAttribute('role', 'listbox');
    list.hidden = true;
    holder.appendChild(input);
    holder.appendChild(list);
    var selected = -1, latest = 0;

    function select(index) {
      selected = index;
      Array.prototype.forEach.call(list.children, function (row, i) {
        row.setAttribute('aria-selected', i === index ? 'true' : 'false');
        if (i === index) row.scrollIntoView({ block: 'nearest' });
      });
    }

    input.addEventListener('input', function () {
      var ticket = ++latest, query = input.value;
      search(query).then(function (items) {
        if (ticket !== latest) return;
        fill(list, items.slice(0, SHOWN));
        selected = -1;
        list.hidden = items.length === 0;
        announce(holder, query, items.length);
      });
    });
    input.addEventListener('keydown', function (event) {
      var count = list.children.length;
      if (event.key === 'ArrowDown' && count) {
        event.preventDefault();
        list.hidden = false;
        select(Math.min(selected + 1, count - 1));
      } else if (event.key === 'ArrowUp' && count) {
        event.preventDefault();
        select(Math.max(selected - 1, -1));
      } else if (event.key === 'Enter') {
        event.preventDefault();
        if (selected >= 0) location.href = list.children[selected].firstChild.href;
        else if (input.value.trim()) location.href = resultsPage(input.value.trim());
      } else if (event.key === 'Escape') {
        list.hidden = true;
        select(-1);
      }
    });
    return input;
  }

  function showResults(holder, input) {
    var query = '';
    try {
      if (location.hash.startsWith('#q=')) query = decodeURIComponent(location.hash.slice(3));
    } catch (error) {
      query = '';
    }
    if (input) input.value = query;
    search(query).then(function (items) {
      holder.textContent = '';
      var summary = document.createElement('p');
      summary.textContent = items.length + (items.length === 1 ? ' result' : ' results') +
                            ' for "' + query + '"';
      var list = document.createElement('ul');
      list.className = 'tavelle-search-list';
      fill(list, items);
      holder.appendChild(summary);
      holder.appendChild(list);
      announce(holder, query, items.length);
    });
  }

  function focusOnSlash(event) {
    if (event.key !== '/' || event.ctrlKey || event.metaKey || event.altKey) return;
    var target = event.target;
    if (target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(target.tagName)) return;
    var input = document.querySelector('#tavelle-search input');
    if (!input) return;
    event.preventDefault();
    input.focus();
  }

  function start() {
    var head = document.head || document.documentElement;
    var style = document.createElement('style');
    style.textContent = STYLE;
    head.insertBefore(style, head.firstChild);
    var holder = document.getElementById('tavelle-search');
    var input = holder ? attachBox(holder) : null;
    var results = document.getElementById('tavelle-search-results');
    if (results) {
      showResults(results, input);
      window.addEventListener('hashchange', function () { showResults(results, input); });
    }
    document.addEventListener('keydown', focusOnSlash);
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
  else start();
})();)js";

}  // namespace tavelle
