// Writes the page: the template with every gadget's link in the menu and the whole table as
// data for the page script, both read from the table module (table_exports.cpp) run here under
// Node.js. The page thus lists the gadgets without script and shows a gadget's form while its
// snippets' module is still compiling.
//
//   node render_page.cjs TEMPLATE.html TABLE_MODULE.js TABLE_MODULE.wasm OUT.html
"use strict";

const fs = require("fs");
const path = require("path");

const [template, loader, wasm, out] = process.argv.slice(2);

function escapeHtml(text) {
  return text.replace(/[&<>"']/g, (c) =>
    ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;", "'": "&#39;" })[c]);
}

// Inside <script> only "</script" or "<!--" could end or bend the element; no "<" is left.
function dataScript(id, json) {
  return `<script type="application/json" id="${id}">${json.replace(/</g, "\\u003c")}</script>`;
}

function fill(page, marker, text) {
  if (!page.includes(marker)) throw new Error(`${template} lacks ${marker}`);
  return page.replace(marker, () => text);
}

require(path.resolve(loader))({ wasmBinary: fs.readFileSync(wasm) }).then((m) => {
  const json = m.UTF8ToString(m._sw_table());
  const table = JSON.parse(json);
  const links = table.gadgets.map((g) => `<li><a href="#${escapeHtml(g.id)}" ` +
    `data-gadget="${escapeHtml(g.id)}">${escapeHtml(g.title)}</a></li>`).join("\n");
  let page = fs.readFileSync(template, "utf8");
  page = fill(page, '<ul id="gadgets"></ul>', `<ul id="gadgets">\n${links}\n</ul>`);
  page = fill(page, "</body>", `${dataScript("gadget-table", json)}\n</body>`);
  fs.writeFileSync(out, page);
});
