// The navigation tree beside the documentation pages.
//
// The generated script JavaTree.js holds one function,
// BuildJavaHelpTree(lIndex), which adds every node of the documentation to
// RootNode and names the settings below instead of carrying them. This
// file supplies those names, loads JavaTree.js, builds the tree and shows
// it as a list that opens and closes on click. Every node stays in the
// page while closed (only hidden), and carries its number, parent, name
// and page as data attributes, so that the whole tree can be inspected.

var strJavaURLPath = "";

var JavaTreeFont = "Helvetica";
var JavaTreeFontSize = 2;  // HTML font size, 1 (smallest) to 7
var JavaTreeFontColor = "#000000";
var JavaTreeSelFontColor = "#FF0000";

var ClosedFolderImage = "folder.gif";
var OpenFolderImage = "open_folder.gif";
var ClosedSelFolderImage = "folder.gif";
var OpenSelFolderImage = "open_folder.gif";
var ClosedClassImage = "class.gif";
var OpenClassImage = "open_class.gif";
var ClosedSelClassImage = "class.gif";
var OpenSelClassImage = "open_class.gif";
var ClosedMemImage = "member.gif";
var OpenMemImage = "member.gif";
var ClosedSelMemImage = "member.gif";
var OpenSelMemImage = "member.gif";
var ClosedFuncImage = "function.gif";
var OpenFuncImage = "function.gif";
var ClosedSelFuncImage = "function.gif";
var OpenSelFuncImage = "function.gif";
var ClosedGenImage = "http.gif";
var OpenGenImage = "http.gif";
var ClosedSelGenImage = "http.gif";
var OpenSelGenImage = "http.gif";

// The frame that shows the pages the tree links to.
var TreeContentFrame = "content";

var FONT_SIZES = ["x-small", "x-small", "small", "medium", "large", "x-large", "xx-large",
                  "xxx-large"];

function TreeView() {
  this.nodes = {};  // node number -> node
  this.order = [];  // nodes in the order they were added
  this.selected = null;
}

// Adds one node below node `parent`; a parent the tree does not know makes
// the node a top-level one. `flag` true shows the node open at first.
TreeView.prototype.AddNode = function(index, parent, name, url, closedImg, openImg, closedSelImg,
                                      openSelImg, title, flag, font, size, color, selColor) {
  var node = {
    index: index, parent: parent, name: name, url: url, title: title, open: !!flag,
    images: {closed: closedImg, open: openImg, closedSel: closedSelImg, openSel: openSelImg},
    font: font, size: size, color: color, selColor: selColor, children: []
  };
  this.nodes[index] = node;
  this.order.push(node);
  var owner = this.nodes[parent];
  if (owner && owner !== node) owner.children.push(node);
};

TreeView.prototype.Render = function(container) {
  container.textContent = "";
  var list = document.createElement("div");
  list.className = "tree-children tree-top";
  for (var i = 0; i < this.order.length; i++) {
    var node = this.order[i];
    var owner = this.nodes[node.parent];
    if (!owner || owner === node) list.appendChild(this.RenderNode(node));
  }
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
  row.style.fontFamily = node.font;
  row.style.fontSize = FONT_SIZES[Math.max(1, Math.min(7, Number(node.size) || 2))];
  var icon = document.createElement("img");
  icon.alt = "";
  var label = document.createElement(node.url ? "a" : "span");
  label.textContent = node.name;
  if (node.url) {
    label.href = node.url;
    label.target = TreeContentFrame;
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
  node.row = row;
  row.addEventListener("click", function() { view.Select(node); });
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

TreeView.prototype.Paint = function(node) {
  var selected = node === this.selected;
  var open = node.open && node.children.length > 0;
  node.element.classList.toggle("closed", !open);
  node.row.style.color = selected ? node.selColor : node.color;
  node.icon.src = open ? (selected ? node.images.openSel : node.images.open)
                       : (selected ? node.images.closedSel : node.images.closed);
};

var RootNode = new TreeView();

(function LoadTree() {
  var container = document.getElementById("tree");
  var script = document.createElement("script");
  script.src = "JavaTree.js";
  script.onload = function() {
    if (typeof BuildJavaHelpTree !== "function") {
      container.textContent = "JavaTree.js could not be read.";
      container.dataset.state = "error";
      return;
    }
    try {
      BuildJavaHelpTree(0);
    } catch (error) {
      container.textContent = "JavaTree.js failed: " + error;
      container.dataset.state = "error";
      return;
    }
    RootNode.Render(container);
    container.dataset.state = "ready";
    container.dataset.nodes = RootNode.order.length;
  };
  script.onerror = function() {
    container.textContent = "JavaTree.js was not found beside this page.";
    container.dataset.state = "error";
  };
  document.body.appendChild(script);
})();
