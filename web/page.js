// The page's wiring: it builds every gadget's form from the table the build wrote into the page
// (exported by the generators' own module), hands the values to the module's generators and
// shows what they return. No gadget is written here.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const state = { gadget: "", edition: "classic", stamp: false, values: {} };
  let api = null; // the snippets, once their module is ready
  let recipeApi = null; // recipes, in a module of their own loaded after the first snippet
  let table = null;
  const gadgets = new Map();
  let snippet = null; // {bytes, text, name} of the last snippet generated

  // --- calls into the module: texts in as UTF-8, replies out as JSON and bytes ---

  function toModule(module, bytes) {
    const at = module._malloc(bytes.length + 1);
    module.HEAPU8.set(bytes, at);
    module.HEAPU8[at + bytes.length] = 0;
    return at;
  }

  // Calls `fn` of `module` with each text as a pointer to its UTF-8 bytes, then `extra`.
  function call(module, fn, texts, extra = []) {
    const encoder = new TextEncoder();
    const pointers = texts.map((t) => toModule(module, encoder.encode(t)));
    try {
      return JSON.parse(module.UTF8ToString(fn(...pointers, ...extra)));
    } finally {
      pointers.forEach((p) => module._free(p));
    }
  }

  // A module's loader with its bytes, which the loader holds as base64 (decoded natively where
  // the browser can: a loop over atob's text costs the first snippet several milliseconds).
  // Resolves with the module. The snippets' loader compiles at once and returns the module, whose
  // `ready` settles within the script that asked; the recipes' loader compiles in the background
  // and returns that promise itself.
  function instantiate(factory) {
    let bytes;
    if (Uint8Array.fromBase64) {
      bytes = Uint8Array.fromBase64(factory.wasmBase64);
    } else {
      const text = atob(factory.wasmBase64);
      bytes = new Uint8Array(text.length);
      for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    }
    const loaded = factory({ wasmBinary: bytes });
    return loaded.ready ?? loaded;
  }

  function replyBytes(module) {
    const at = module._sw_bytes();
    return module.HEAPU8.slice(at, at + module._sw_byte_count());
  }

  // The recipes' module, loaded once: after the first snippet, or at the first use of a recipe
  // before that.
  let recipeModule = null;
  function recipes() {
    recipeModule ??= new Promise((done, failed) => {
      const script = element("script", { src: "sitewright-recipes.js" });
      script.addEventListener("load", () => done(instantiate(createSitewrightRecipes)));
      script.addEventListener("error", () => failed(new Error("sitewright-recipes.js")));
      document.head.append(script);
    }).then((module) => (recipeApi = module));
    return recipeModule;
  }

  // --- the form, made from the table ---

  function defaults(gadget) {
    return Object.fromEntries(gadget.fields.map((f) => [f.option, f.default]));
  }

  function element(tag, props = {}, children = []) {
    const e = Object.assign(document.createElement(tag), props);
    e.append(...children);
    return e;
  }

  function control(gadget, field) {
    const input = element("input", {
      type: "text", name: field.option, id: "field-" + field.option,
      value: state.values[gadget.id][field.option], autocomplete: "off",
    });
    if (field.kind === "number") input.inputMode = "numeric";
    input.addEventListener("input", () => { state.values[gadget.id][field.option] = input.value; });
    return input;
  }

  function fieldRow(gadget, field) {
    const input = control(gadget, field);
    const row = element("div", { className: "field" }, [
      element("label", { htmlFor: input.id, textContent: field.caption }), input]);
    const described = [];
    if (field.kind === "number") {
      row.append(element("p", { className: "hint", id: "hint-" + field.option,
        textContent: "A whole number; other text gives 0." }));
      described.push("hint-" + field.option);
    }
    if (field.kind === "choice") {
      const list = element("datalist", { id: "choices-" + field.option },
        field.choices.map((c) => element("option", { value: c })));
      input.setAttribute("list", list.id);
      row.append(list);
    }
    row.append(element("p", { className: "refusal", id: "refusal-" + field.option }));
    described.push("refusal-" + field.option);
    input.setAttribute("aria-describedby", described.join(" "));
    return row;
  }

  function about(gadget) {
    const today = gadget.ownToday ? gadget.today : gadget.classic;
    return [
      element("p", { textContent: "In today's browsers (" + gadget.classic.support + "): " +
        gadget.classic.sentence }),
      element("p", { textContent: "Today's edition (" + today.support + "): " + today.sentence }),
    ];
  }

  function showGadget(id) {
    const gadget = gadgets.get(id);
    state.gadget = id;
    for (const link of $("gadgets").querySelectorAll("a")) {
      if (link.dataset.gadget === id) link.setAttribute("aria-current", "page");
      else link.removeAttribute("aria-current");
    }
    $("title").textContent = gadget.title;
    $("about").replaceChildren(...about(gadget));
    $("fields").replaceChildren(...gadget.fields.map((f) => fieldRow(gadget, f)));
    document.querySelector(`input[name=edition][value=${state.edition}]`).checked = true;
    $("stamp").checked = state.stamp;
    document.title = gadget.title + " - Sitewright";
  }

  // --- generating ---

  function clearRefusals() {
    for (const p of document.querySelectorAll("#form .refusal, #refusal")) p.textContent = "";
    for (const input of $("fields").querySelectorAll("input")) input.removeAttribute("aria-invalid");
  }

  function refuse(reply) {
    const place = reply.option && $("refusal-" + reply.option);
    (place || $("refusal")).textContent = reply.error;
    if (place) {
      const input = $("field-" + reply.option);
      input.setAttribute("aria-invalid", "true");
      return input;
    }
    return null;
  }

  // Puts the gadget's snippet into the text box; a refused value is named next to its field.
  // Before the module is ready there is nothing to do: the snippet comes when it is.
  function generate() {
    if (!api) return null;
    clearRefusals();
    // Each field's text as its bytes, in the gadget's field order: no JSON on this path.
    const encoder = new TextEncoder();
    const values = gadgets.get(state.gadget).fields.map((f) =>
      encoder.encode(state.values[state.gadget][f.option]));
    const pointers = values.map((v) => toModule(api, v));
    const list = api._malloc(8 * values.length + 8);
    api.HEAPU32.set(pointers, list / 4);
    api.HEAPU32.set(values.map((v) => v.length), list / 4 + values.length);
    let reply;
    try {
      reply = call(api, (gadget, edition) => api._sw_generate(gadget, edition, state.stamp ? 1 : 0,
        list, list + 4 * values.length, values.length), [state.gadget, state.edition]);
    } finally {
      pointers.forEach((p) => api._free(p));
      api._free(list);
    }
    if (reply.error) {
      snippet = null;
      $("code").value = "";
      return refuse(reply);
    }
    const bytes = replyBytes(api);
    snippet = { bytes, text: new TextDecoder().decode(bytes), name: state.gadget + ".html" };
    $("code").value = snippet.text;
    $("share").href = shareLink();
    return null;
  }

  function shareLink() {
    const gadget = gadgets.get(state.gadget);
    const values = state.values[state.gadget];
    const query = new URLSearchParams();
    for (const f of gadget.fields)
      if (values[f.option] !== f.default) query.append(f.option, values[f.option]);
    if (state.edition !== "classic") query.append("edition", state.edition);
    const q = query.toString();
    return "#" + state.gadget + (q ? "?" + q : "");
  }

  // --- files out: snippets and recipes go down as their exact bytes ---

  // The browser may still read a file's address after the click, so each address is given
  // back only when the next download takes its place.
  let downloadUrl = null;

  function download(bytes, name, type) {
    if (downloadUrl) URL.revokeObjectURL(downloadUrl);
    downloadUrl = URL.createObjectURL(new Blob([bytes], { type }));
    const link = element("a", { href: downloadUrl, download: name });
    document.body.append(link);
    link.click();
    link.remove();
  }

  function say(text) {
    $("status").textContent = text;
  }

  async function copy() {
    if (!snippet) return say("There is no code to copy.");
    try {
      await navigator.clipboard.writeText(snippet.text);
      say("The code is on the clipboard.");
    } catch (e) {
      say("The browser refused the clipboard: select the code and copy it by hand.");
    }
  }

  // A frame of its own with no origin of the page's, made anew for each preview (and only
  // then: a frame costs the page's first showing more than all its controls).
  function preview() {
    if (generate() || !snippet) return;
    const frame = element("iframe", { id: "preview-frame", title: "Preview of the snippet" });
    frame.sandbox = "allow-scripts allow-forms allow-modals allow-popups";
    const text = snippet.text;
    frame.addEventListener("load", () => frame.contentWindow.postMessage(text, "*"), { once: true });
    frame.src = "preview.html";
    $("preview-area").replaceChildren(frame);
  }

  // --- recipes ---

  async function openRecipe(file) {
    $("recipe-refusal").textContent = "";
    say("");
    const module = await recipes();
    // One byte over the limit is enough for the module to refuse a larger file by its size.
    const limit = module._sw_max_recipe_bytes();
    const bytes = new Uint8Array(await file.slice(0, limit + 1).arrayBuffer());
    const at = toModule(module, bytes);
    let reply;
    try {
      reply = call(module, (name, edition) =>
        module._sw_open_recipe(name, at, bytes.length, edition), [file.name, state.edition]);
    } finally {
      module._free(at);
    }
    if (reply.error) {
      $("recipe-refusal").textContent = reply.error;
      return;
    }
    state.values = reply.values;
    state.edition = reply.edition;
    go(reply.gadget || state.gadget, true);
    say("Opened " + file.name + ".");
  }

  async function saveRecipe() {
    $("recipe-refusal").textContent = "";
    const module = recipeApi || await recipes();
    const reply = call(module, module._sw_save_recipe,
      [JSON.stringify({ edition: state.edition, values: state.values })]);
    if (reply.error) {
      $("recipe-refusal").textContent = reply.error;
      return;
    }
    download(replyBytes(module), reply.name, "application/json");
  }

  // --- where the page is: #GADGET-ID, or #GADGET-ID?OPTION=VALUE&... with every other field,
  // the edition and the stamp at their defaults, so a shared link gives the same snippet ---

  function readLocation() {
    const hash = location.hash.slice(1);
    const mark = hash.indexOf("?");
    const id = decodeURIComponent(mark < 0 ? hash : hash.slice(0, mark));
    const gadget = gadgets.get(id) || gadgets.get(state.gadget) || table.gadgets[0];
    if (mark >= 0 && gadget.id === id) {
      state.values[id] = defaults(gadget);
      state.edition = "classic";
      state.stamp = false;
      for (const [option, value] of new URLSearchParams(hash.slice(mark + 1))) {
        if (option === "edition" && table.editions.includes(value)) state.edition = value;
        else if (option === "stamp") state.stamp = value === "1" || value === "true";
        else if (option in state.values[id]) state.values[id][option] = value;
      }
    }
    showGadget(gadget.id);
    generate();
  }

  function go(id, fresh) {
    if (location.hash === "#" + id) {
      if (fresh) readLocation();
    } else {
      location.hash = "#" + id;
    }
  }

  // --- start ---

  function wire() {
    $("form").addEventListener("submit", (e) => {
      e.preventDefault();
      const refused = generate();
      if (refused) refused.focus();
    });
    for (const radio of document.querySelectorAll("input[name=edition]"))
      radio.addEventListener("change", () => { state.edition = radio.value; });
    $("stamp").addEventListener("change", () => { state.stamp = $("stamp").checked; });
    $("preview").addEventListener("click", preview);
    $("copy").addEventListener("click", copy);
    $("download").addEventListener("click", () => {
      if (snippet) download(snippet.bytes, snippet.name, "text/html");
      else say("There is no code to download.");
    });
    $("open-recipe").addEventListener("change", (e) => {
      if (e.target.files.length) openRecipe(e.target.files[0]);
      e.target.value = "";
    });
    $("save-recipe").addEventListener("click", saveRecipe);
    document.addEventListener("dragover", (e) => e.preventDefault());
    document.addEventListener("drop", (e) => {
      e.preventDefault();
      if (e.dataTransfer.files.length) openRecipe(e.dataTransfer.files[0]);
    });
    window.addEventListener("hashchange", readLocation);
  }

  // The menu is in the page already; the form is built while the module's promise settles, and
  // both happen before the page is first painted.
  const loading = instantiate(createSitewright);
  table = JSON.parse($("gadget-table").textContent);
  for (const g of table.gadgets) {
    gadgets.set(g.id, g);
    state.values[g.id] = defaults(g);
  }
  wire();
  readLocation();
  loading.then((module) => {
    api = module;
    generate();
    // When the first snippet stood in the text box, for the benchmark and the tests.
    performance.mark("first-snippet");
    document.documentElement.dataset.ready = "true";
    recipes();
  });
})();
