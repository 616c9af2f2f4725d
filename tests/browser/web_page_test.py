"""The web page in headless Chromium, from file:// and from a static host: the same bytes and
refusals as sitewright-gen for every gadget and edition, the link and form contract, recipes,
the sandboxed preview, its own files only under its own policy, axe-core and the keyboard.

Arguments: the path of sitewright-gen, the built page's folder, axe.min.js. Exits with 77
(skipped) when the page was not built."""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium_pipe import Chromium, PageServer, Tab  # noqa: E402

GEN = WEB = AXE = None  # set from the command line

# Every field of every gadget is given each of these in turn.
HOSTILE = {
    "quotes": "Joe's \"site\" `x`",
    "script-end": "</script><script>alert(1)</script><!--",
    "line-breaks": "one\ntwo\r\nthree\u2028four",
    "non-ascii": "\u00dcn\u00efc\u00f8de \u2713 \u65e5\u672c \U0001f600",
    "long": ("abc'\"<&" * 1500)[:10000],
    "empty": "",
    "plus-and-percent": "a+b%20c&d=e#f",
}

READY = ("new Promise(done => { const look = () => document.documentElement.dataset.ready"
         " ? done(true) : requestAnimationFrame(look); look(); })")


def run_gen(*args, cwd=None):
    return subprocess.run([GEN, *args], stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=cwd)


def options_of(gadget):
    help_text = run_gen(gadget, "--help").stdout.decode()
    return re.findall(r"^  --([a-z0-9-]+)=VALUE +\[", help_text, re.MULTILINE)


def gadget_ids():
    return [line.split()[0] for line in run_gen("--list").stdout.decode().splitlines()]


def cli_refusal(stderr):
    return stderr.decode().strip()[len("sitewright-gen: "):]


class WebPage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="sw-web-")
        cls.server = PageServer()
        for name in os.listdir(WEB):
            with open(os.path.join(WEB, name), "rb") as f:
                cls.server.pages["/site/" + name] = f.read()
        cls.browser = Chromium(cls.scratch, cls.server.port)
        cls.downloads = os.path.join(cls.scratch, "downloads")
        cls.browser.call("Browser.setDownloadBehavior", {
            "behavior": "allowAndName", "downloadPath": cls.downloads, "eventsEnabled": True})
        cls.index = "file://" + os.path.join(os.path.abspath(WEB), "index.html")

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def open(self, fragment="", url=None):
        tab = Tab(self.browser)
        self.addCleanup(tab.close)
        self.browser.call("Network.enable", session=tab.session)
        self.browser.call("Page.addScriptToEvaluateOnNewDocument", {"source":
            "window.__violations = []; document.addEventListener('securitypolicyviolation',"
            " e => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));"
            "window.__blobs = []; const made = URL.createObjectURL;"
            "URL.createObjectURL = b => { window.__blobs.push(b); return made.call(URL, b); };"},
            session=tab.session)
        tab.navigate((url or self.index) + fragment)
        tab.eval(READY)
        return tab

    def show(self, tab, gadget, values, edition="classic"):
        query = urllib.parse.urlencode(list(values.items()) + [("edition", edition)],
                                       quote_via=urllib.parse.quote)
        tab.eval("location.hash = %s" % json.dumps("#%s?%s" % (gadget, query)))
        tab.eval("document.getElementById('generate').click()")

    def download(self, tab, button, real=False):
        """The bytes the button hands the browser to save: read from the file saved for a real
        click, else from what the page handed over (the browser holds back a page's later
        downloads until the user allows them)."""
        since = len(self.browser.events)
        if not real:
            # Saving a recipe may first wait for the recipes' module; a refusal ends the wait.
            return bytes(tab.eval("(async () => { const n = __blobs.length; document"
                                  ".getElementById('recipe-refusal').textContent = ''; document"
                                  ".getElementById(%s).click(); await new Promise(done => {"
                                  " const look = () => __blobs.length > n || document"
                                  ".getElementById('recipe-refusal').textContent ? done() :"
                                  " requestAnimationFrame(look); look(); }); return __blobs"
                                  ".length > n ? Array.from(new Uint8Array(await __blobs[n]"
                                  ".arrayBuffer())) : null; })()" % json.dumps(button)))
        tab.eval("document.getElementById(%s).scrollIntoView({block: 'center'})"
                 % json.dumps(button))
        tab.click("#" + button)
        index = self.browser.wait_event(lambda s, m, p: m == "Browser.downloadWillBegin", since)
        guid = self.browser.events[index][2]["guid"]
        self.browser.wait_event(lambda s, m, p: m == "Browser.downloadProgress"
                                and p["guid"] == guid and p["state"] == "completed", index)
        with open(os.path.join(self.downloads, guid), "rb") as f:
            return f.read()

    def field_refusals(self, tab):
        return tab.eval("Object.fromEntries([...document.querySelectorAll('.field')]"
                        ".filter(f => f.querySelector('.refusal').textContent)"
                        ".map(f => [f.querySelector('input').name,"
                        " f.querySelector('.refusal').textContent]))")

    def test_same_bytes_and_refusals_as_the_command_line(self):
        tab = self.open()
        # The menu the build writes into the page: every gadget, in the table's order.
        self.assertEqual(tab.eval("[...document.querySelectorAll('#gadgets a')]"
                                  ".map(a => a.getAttribute('href'))"),
                         ["#" + g for g in gadget_ids()])
        for gadget in gadget_ids():
            options = options_of(gadget)
            tab.eval("location.hash = '#%s'" % gadget)
            self.assertEqual(tab.eval("[...document.querySelectorAll('#fields [name]')]"
                                      ".map(e => e.name)"), options, gadget)
            rows = [("defaults", {})] + [(n, {o: v for o in options}) for n, v in HOSTILE.items()]
            for edition in ("classic", "today"):
                for name, values in rows:
                    with self.subTest(gadget=gadget, edition=edition, values=name):
                        self.show(tab, gadget, values, edition)
                        args = ["--%s=%s" % kv for kv in values.items()]
                        cli = run_gen(gadget, "--edition=" + edition, *args)
                        if cli.returncode == 0:
                            self.assertEqual(self.download(tab, "download"), cli.stdout)
                            self.assertEqual(tab.eval("document.getElementById('code').value"),
                                             cli.stdout.decode().replace("\r\n", "\n"))
                            self.assertEqual(self.field_refusals(tab), {})
                        else:
                            option = re.search(r"\(--([a-z0-9-]+)\)", cli.stderr.decode())[1]
                            self.assertEqual(self.field_refusals(tab),
                                             {option: cli_refusal(cli.stderr)})
                            self.assertEqual(tab.eval("document.getElementById('code').value"), "")
        self.assertEqual(tab.errors(), [])

    def test_stamp_edition_controls_and_a_seconds_value_over_the_limit(self):
        tab = self.open("#popup-page?seconds=7")
        tab.eval("document.querySelector('input[name=edition][value=today]').click();"
                 "document.getElementById('stamp').click();"
                 "document.getElementById('generate').click()")
        self.assertEqual(self.download(tab, "download", real=True),
                         run_gen("popup-page", "--seconds=7", "--edition=today", "--stamp").stdout)
        self.show(tab, "popup-page", {"seconds": "2147484"})
        cli = run_gen("popup-page", "--seconds=2147484")
        self.assertEqual(cli.returncode, 2)
        self.assertEqual(self.field_refusals(tab), {"seconds": cli_refusal(cli.stderr)})
        self.assertEqual(tab.eval("document.activeElement.name"), "seconds")

    def test_copy_puts_the_snippet_on_the_clipboard(self):
        tab = self.open("#email-this-page")
        self.browser.call("Browser.grantPermissions", {"permissions": [
            "clipboardReadWrite", "clipboardSanitizedWrite"]})
        tab.eval("document.getElementById('copy').scrollIntoView({block: 'center'})")
        tab.click("#copy")
        tab.eval("new Promise(done => { const look = () => document.getElementById('status')"
                 ".textContent ? done() : requestAnimationFrame(look); look(); })")
        self.assertEqual(tab.eval("navigator.clipboard.readText()").encode(),
                         run_gen("email-this-page").stdout)

    def open_recipe(self, tab, path, drop=False):
        tab.eval("for (const id of ['status', 'recipe-refusal'])"
                 " document.getElementById(id).textContent = ''")
        if drop:
            with open(path, "rb") as f:
                data = list(f.read())
            tab.eval("(() => { const t = new DataTransfer(); t.items.add(new File("
                     "[new Uint8Array(%s)], %s)); document.body.dispatchEvent(new DragEvent("
                     "'drop', {dataTransfer: t, bubbles: true, cancelable: true})); })()"
                     % (json.dumps(data), json.dumps(os.path.basename(path))))
        else:
            node = self.browser.call("DOM.getDocument", session=tab.session)["root"]["nodeId"]
            node = self.browser.call("DOM.querySelector", {"nodeId": node, "selector":
                                     "#open-recipe"}, session=tab.session)["nodeId"]
            self.browser.call("DOM.setFileInputFiles", {"files": [path], "nodeId": node},
                              session=tab.session)
        return tab.eval("new Promise(done => { const look = () => { const r = document"
                        ".getElementById('recipe-refusal').textContent; const t = document"
                        ".getElementById('status').textContent; r || t.startsWith('Opened')"
                        " ? done(r) : requestAnimationFrame(look); }; look(); })")

    def test_recipes_read_and_written_as_the_command_line_does(self):
        made = run_gen("popup-page", "--seconds=9", "--url=a\"b</script>", "--edition=today",
                       "--as-recipe").stdout
        refused = {
            "width.json": b'{"format": 1, "snippets": [{"gadget": "popup-page",'
                          b' "values": {"width": "5px"}}]}',
            "broken.json": b'{"format": 1,\n "snippets": [}',
            "gadget.json": b'{"format": 1, "snippets": [{"gadget": "no-such"}]}',
            "huge.json": b" " * (16 * 1024 * 1024 + 1),
        }
        for name, data in [("site.json", made)] + list(refused.items()):
            with open(os.path.join(self.scratch, name), "wb") as f:
                f.write(data)
        for drop in (False, True):
            with self.subTest(drop=drop):
                tab = self.open()
                self.assertEqual(self.open_recipe(tab, os.path.join(self.scratch, "site.json"),
                                                  drop), "")
                self.assertEqual(tab.eval("location.hash"), "#popup-page")
                self.assertEqual(tab.eval("document.querySelector('[name=url]').value"),
                                 "a\"b</script>")
                self.assertEqual(self.download(tab, "save-recipe"), made)
                for name in refused:
                    if drop and name == "huge.json":
                        continue  # handed over through the test's script, too large for it
                    cli = run_gen("--recipe", name, "--dry-run", cwd=self.scratch)
                    self.assertEqual(self.open_recipe(tab, os.path.join(self.scratch, name),
                                                      drop), cli_refusal(cli.stderr), name)

    def test_a_new_recipe_holds_every_page_and_what_changed(self):
        tab = self.open("#bookmark-us?site-name=Mine")
        saved = json.loads(self.download(tab, "save-recipe"))
        self.assertEqual([e["gadget"] for e in saved["snippets"]], gadget_ids())
        self.assertEqual([e.get("values") for e in saved["snippets"]
                          if e["gadget"] == "bookmark-us"], [{"site-name": "Mine"}])

    def preview_context(self, tab, since):
        index = self.browser.wait_event(lambda s, m, p: s == tab.session and m ==
                                        "Page.frameNavigated" and p["frame"]["url"]
                                        .endswith("/preview.html"), since)
        frame = self.browser.events[index][2]["frame"]["id"]
        index = self.browser.wait_event(lambda s, m, p: s == tab.session and m ==
                                        "Runtime.executionContextCreated" and p["context"]
                                        .get("auxData", {}).get("frameId") == frame, index)
        return self.browser.events[index][2]["context"]["id"]

    def test_preview_runs_in_a_sandboxed_frame_of_no_origin(self):
        tab = self.open("#bookmark-us?site-name=Preview%20me")
        since = len(self.browser.events)
        tab.eval("document.getElementById('preview').click()")
        context = self.preview_context(tab, since)
        self.assertEqual(tab.eval("(f => [f.hidden, f.sandbox.contains('allow-same-origin'),"
                                  " f.contentDocument])(document.getElementById("
                                  "'preview-frame'))"), [False, False, None])
        # Writing the snippet replaces the frame's document, which drops anything waiting in
        # it; so the test asks again until the snippet is there.
        shown = False
        for _ in range(500):
            shown = tab.eval("document.documentElement.innerHTML.includes('Preview me')", context)
            if shown:
                break
        self.assertTrue(shown)
        self.assertEqual(tab.eval("self.origin", context), "null")

    def test_own_files_only_under_its_own_policy(self):
        for url in (self.index, self.server.url("/site/index.html")):
            with self.subTest(url=url):
                tab = self.open("#logo-branding?image=http%3A%2F%2Felsewhere.example%2Fa.png"
                                "&edition=today", url=url)
                tab.eval("document.getElementById('preview').click()")
                self.show(tab, "language", {})
                base = url.rsplit("/", 1)[0] + "/"
                mine = [(m, p) for s, m, p in self.browser.events if s == tab.session]
                blocked = {p["requestId"] for m, p in mine
                           if m == "Network.loadingFailed" and p.get("blockedReason")}
                requested = [p["request"]["url"] for m, p in mine if m ==
                             "Network.requestWillBeSent" and p["requestId"] not in blocked]
                self.assertTrue(requested)
                self.assertEqual([u for u in requested if not u.startswith((base, "data:"))], [])
                self.assertEqual(tab.eval("window.__violations"), [])
                self.assertTrue(tab.eval("document.getElementById('code').value.length > 0"))
                policy = tab.eval("document.querySelector('meta[http-equiv="
                                  "Content-Security-Policy]').content")
                self.assertNotIn("unsafe-inline", policy)
                self.assertEqual(tab.errors(), [])

    def axe(self, tab):
        with open(AXE, encoding="utf-8") as f:
            tab.eval(f.read())
        result = tab.eval("axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a',"
                          " 'wcag2aa', 'wcag21a', 'wcag21aa']}}).then(r => r.violations.map("
                          "v => v.id + ': ' + v.nodes.map(n => n.target.join(' ')).join(', ')))")
        return result

    def test_accessible_in_every_state_and_at_any_width(self):
        tab = self.open()
        states = [("gadget " + g, "location.hash = '#%s'" % g) for g in gadget_ids()] + [
            ("refused field", "location.hash = '#popup-page?width=x'"),
            ("preview", "document.getElementById('preview').click()"),
            ("copied", "document.getElementById('copy').click()"),
        ]
        for name, action in states:
            with self.subTest(state=name):
                tab.eval(action)
                self.assertEqual(self.axe(tab), [])
        self.open_recipe(tab, self.write("bad.json", b"{"))
        self.assertEqual(self.axe(tab), [])
        # 320 px wide, and 200 % zoom of a 1280 px window: nothing runs off to the side.
        for width, scale in ((320, 1), (640, 2)):
            with self.subTest(width=width):
                self.browser.call("Emulation.setDeviceMetricsOverride", {
                    "width": width, "height": 640, "deviceScaleFactor": scale,
                    "mobile": False}, session=tab.session)
                tab.eval("location.hash = '#frameless-popup'")
                self.assertTrue(tab.eval("document.documentElement.scrollWidth <="
                                         " document.documentElement.clientWidth"))
                self.assertEqual(self.axe(tab), [])

    def write(self, name, data):
        path = os.path.join(self.scratch, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def press(self, tab, key, code, shift=False):
        for kind in ("rawKeyDown", "char", "keyUp") if key == "Enter" else ("rawKeyDown", "keyUp"):
            event = {"type": kind, "key": key, "code": code, "modifiers": 8 if shift else 0,
                     "windowsVirtualKeyCode": {"Tab": 9, "Enter": 13}[key]}
            if kind == "char":
                event["text"] = "\r"
            self.browser.call("Input.dispatchKeyEvent", event, session=tab.session)

    def test_every_action_by_keyboard(self):
        tab = self.open("#bookmark-us")
        reached = []
        for _ in range(60):
            self.press(tab, "Tab", "Tab")
            reached.append(tab.eval("(e => e.name || e.id || e.getAttribute('href'))"
                                    "(document.activeElement)"))
        for wanted in ("#set-homepage", "url", "edition", "stamp", "generate", "preview",
                       "share", "code", "copy", "download", "open-recipe", "save-recipe"):
            self.assertIn(wanted, reached)
        while tab.eval("document.activeElement.getAttribute('href')") != "#set-homepage":
            self.press(tab, "Tab", "Tab")
        self.press(tab, "Enter", "Enter")
        # The link changes the location; the page follows when the browser says so.
        self.assertTrue(tab.eval("new Promise(done => { const look = () => document"
                                 ".getElementById('title').textContent === document.querySelector("
                                 "'a[href=\"#set-homepage\"]').textContent ? done(true) :"
                                 " requestAnimationFrame(look); look(); })"))
        while tab.eval("document.activeElement.id") != "generate":
            self.press(tab, "Tab", "Tab")
        tab.eval("document.getElementById('code').value = ''")
        self.press(tab, "Enter", "Enter")
        self.assertEqual(tab.eval("document.getElementById('code').value").encode(),
                         run_gen("set-homepage").stdout.replace(b"\r\n", b"\n"))


if __name__ == "__main__":
    GEN, WEB, AXE = map(os.path.abspath, sys.argv[1:4])
    if not os.path.exists(os.path.join(WEB, "index.html")):
        print("skipped: the web page was not built (scripts/build-web.sh)")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)
