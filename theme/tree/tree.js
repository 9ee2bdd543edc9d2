// The tree viewer: the navigation tree of the documentation beside the
// page it opens.
//
// The generated script JavaTree.js holds one function, BuildJavaHelpTree,
// that adds every node to RootNode and names the pictures and font
// settings below instead of carrying them. This file supplies those names,
// loads JavaTree.js (a plain script element, so that the viewer works from
// file://), shows the tree as a list that opens and closes on click, and
// opens the first general topic, else the classes list. A page named after
// "#" in the viewer's address is opened instead. Every node stays in the
// page while closed, with its number, parent, name and page as data
// attributes.

var strJavaURLPath = "";

var JavaTreeFont = "";
var JavaTreeFontSize = 2;
var JavaTreeFontColor = "";
var JavaTreeSelFontColor = "";

var ClosedFolderImage = "folder.svg";
var OpenFolderImage = "open_folder.svg";
var ClosedSelFolderImage = "folder.svg";
var OpenSelFolderImage = "open_folder.svg";
var ClosedClassImage = "class.svg";
var OpenClassImage = "open_class.svg";
var ClosedSelClassImage = "class.svg";
var OpenSelClassImage = "open_class.svg";
var ClosedMemImage = "member.svg";
var OpenMemImage = "member.svg";
var ClosedSelMemImage = "member.svg";
var OpenSelMemImage = "member.svg";
var ClosedFuncImage = "function.svg";
var OpenFuncImage = "function.svg";
var ClosedSelFuncImage = "function.svg";
var OpenSelFuncImage = "function.svg";
var ClosedGenImage = "topic.svg";
var OpenGenImage = "topic.svg";
var ClosedSelGenImage = "topic.svg";
var OpenSelGenImage = "topic.svg";

function TreeView() {
  this.nodes = {};  // node number -> node
  this.order = [];  // nodes in the order they were added
  this.selected = null;
}

// Adds one node below node `parent`; a parent the tree does not know makes
// the node a top-level one. `flag` true shows the node open at first.
TreeView.prototype.AddNode = function(index, parent, name, url, closedImg, openImg, closedSelImg,
                                      openSelImg, title, flag) {
  var node = {
    index: index, parent: parent, name: name, url: url, title: title, open: !!flag,
    images: {closed: closedImg, open: openImg, closedSel: closedSelImg, openSel: openSelImg},
    children: []
  };
  this.nodes[index] = node;
  this.order.push(node);
  var owner = this.nodes[parent];
  if (owner && owner !== node) owner.children.push(node);
};

TreeView.prototype.TopNodes = function() {
  var view = this;
  return this.order.filter(function(node) {
    var owner = view.nodes[node.parent];
    return !owner || owner === node;
  });
};

TreeView.prototype.Render = function(container) {
  container.textContent = "";
  var list = document.createElement("div");
  list.className = "tree-children tree-top";
  var top = this.TopNodes();
  for (var i = 0; i < top.length; i++) list.appendChild(this.RenderNode(top[i]));
  container.appendChild(list);
};

TreeView.prototype.RenderNode = function(node) {
  var view = this;
  var element = document.createElement("div");
  element.className = "tree-node";
  element.dataset.index = node.index;
  element.dataset.parent = node.parent;
  element.dataset.name = node.name;
  element.dataset.url = node.url;

  var row = document.createElement("div");
  row.className = "tree-row";
  row.title = node.title;
  var icon = document.createElement("img");
  icon.alt = "";
  var label = document.createElement(node.url ? "a" : "span");
  label.textContent = node.name;
  if (node.url) {
    label.href = node.url;
    label.target = "content";
  }
  row.appendChild(icon);
  row.appendChild(label);
  element.appendChild(row);

  if (node.children.length > 0) {
    var children = document.createElement("div");
    children.className = "tree-children";
    for (var i = 0; i < node.children.length; i++)
      children.appendChild(this.RenderNode(node.children[i]));
    element.appendChild(children);
  }
  node.element = element;
  node.icon = icon;
  row.addEventListener("click", function(event) {
    view.Select(node);
    // A click on the row beside the link opens the page as well.
    if (node.url && event.target === row) OpenPage(node.url);
    if (node.url) CloseMenu();
  });
  this.Paint(node);
  return element;
};

// Selecting a node opens or closes it; its link (if any) loads the page.
TreeView.prototype.Select = function(node) {
  var previous = this.selected;
  this.selected = node;
  if (node.children.length > 0) node.open = !node.open;
  if (previous && previous !== node) this.Paint(previous);
  this.Paint(node);
};

// Marks the first node of page `url` as the selected one and opens the
// folders above it, so that the tree shows where the page stands.
TreeView.prototype.Highlight = function(url) {
  for (var i = 0; i < this.order.length; i++) {
    if (this.order[i].url !== url) continue;
    var previous = this.selected;
    this.selected = this.order[i];
    if (previous) this.Paint(previous);
    var owner = this.nodes[this.selected.parent];
    for (var steps = 0; owner && owner !== this.selected && steps < this.order.length; ++steps) {
      if (!owner.open) {
        owner.open = true;
        this.Paint(owner);
      }
      owner = this.nodes[owner.parent];
    }
    this.Paint(this.selected);
    this.selected.element.firstChild.scrollIntoView({block: "nearest"});
    return;
  }
};

TreeView.prototype.Paint = function(node) {
  var selected = node === this.selected;
  var open = node.open && node.children.length > 0;
  node.element.classList.toggle("closed", !open);
  node.element.classList.toggle("selected", selected);
  node.icon.src = open ? (selected ? node.images.openSel : node.images.open)
                       : (selected ? node.images.closedSel : node.images.closed);
};

// The first general topic, else the classes list, else the first page.
TreeView.prototype.StartPage = function() {
  var top = this.TopNodes();
  var i;
  for (i = 0; i < top.length; i++)
    if (top[i].name === "General Info" && top[i].children.length > 0 && top[i].children[0].url)
      return top[i].children[0].url;
  for (i = 0; i < top.length; i++)
    if (top[i].name === "Classes" && top[i].url) return top[i].url;
  for (i = 0; i < this.order.length; i++)
    if (this.order[i].url) return this.order[i].url;
  return "";
};

var RootNode = new TreeView();

function OpenPage(url) {
  document.getElementById("content").src = url;
}

function CloseMenu() {
  document.body.classList.remove("menu-open");
  document.getElementById("menu").setAttribute("aria-expanded", "false");
}

(function SetUpHeader() {
  var menu = document.getElementById("menu");
  menu.addEventListener("click", function() {
    var open = document.body.classList.toggle("menu-open");
    menu.setAttribute("aria-expanded", open ? "true" : "false");
  });

  // The light and dark toggle, shared with the pages through the stored
  // choice and passed on to the page in the frame.
  var root = document.documentElement;
  var button = document.getElementById("scheme");
  var frame = document.getElementById("content");
  function show(scheme) {
    if (scheme !== "light" && scheme !== "dark") return;
    root.dataset.scheme = scheme;
    root.dataset.chosen = "yes";
    button.textContent = scheme === "dark" ? "Light" : "Dark";
  }
  button.textContent = root.dataset.scheme === "dark" ? "Light" : "Dark";
  button.addEventListener("click", function() {
    var scheme = root.dataset.scheme === "dark" ? "light" : "dark";
    try { localStorage.setItem("tavelle-scheme", scheme); } catch (e) {}
    show(scheme);
    if (frame.contentWindow) frame.contentWindow.postMessage({tavelleScheme: scheme}, "*");
  });
  // Each page in the frame names itself: the tree marks it, and the
  // viewer's address keeps it for a reload or a bookmark.
  window.addEventListener("message", function(event) {
    if (!event.data) return;
    show(event.data.tavelleScheme);
    if (typeof event.data.tavellePage !== "string" || !event.data.tavellePage) return;
    RootNode.Highlight(event.data.tavellePage);
    try { history.replaceState(null, "", "#" + encodeURIComponent(event.data.tavellePage)); } catch (e) {}
  });
  // A page loaded into the frame follows the viewer's choice.
  frame.addEventListener("load", function() {
    if (root.dataset.chosen && frame.contentWindow)
      frame.contentWindow.postMessage({tavelleScheme: root.dataset.scheme}, "*");
  });
})();

(function LoadTree() {
  var container = document.getElementById("tree");
  function fail(message) {
    container.textContent = message;
    container.dataset.state = "error";
  }
  var script = document.createElement("script");
  script.src = "JavaTree.js";
  script.onload = function() {
    if (typeof BuildJavaHelpTree !== "function") return fail("JavaTree.js could not be read.");
    try {
      BuildJavaHelpTree(0);
    } catch (error) {
      return fail("JavaTree.js failed: " + error);
    }
    RootNode.Render(container);
    // The top folders start open.
    RootNode.TopNodes().forEach(function(node) {
      node.open = true;
      RootNode.Paint(node);
    });
    container.dataset.state = "ready";
    container.dataset.nodes = RootNode.order.length;
    // Only a page name: an address with a scheme could run script.
    var wanted = decodeURIComponent(location.hash.slice(1));
    if (wanted.indexOf(":") !== -1) wanted = "";
    var start = wanted || RootNode.StartPage();
    container.dataset.start = start;
    if (start) OpenPage(start);
  };
  script.onerror = function() { fail("JavaTree.js was not found beside this page."); };
  document.body.appendChild(script);
})();
