"""Every gadget's today's edition in a clean page (a language, a title, a main landmark, a
heading) served with a strict Content Security Policy made from what sitewright-gen --csp
prints: it does what it promises there, axe-core finds no WCAG 2.1 A or AA violation in any of
its states, it works from the keyboard alone, and it sends nothing to a host it does not name.

Run by CTest with the path of sitewright-gen as the first argument."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import editions_test
from chromium_pipe import Chromium, PageServer, Tab
from editions_test import place_steps, snippet

AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node_modules", "axe-core",
                   "axe.min.js")
WCAG_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa"]

# What a strict site admits before the snippet's own sources are added.
BASE_POLICY = [
    ("default-src", ["'self'"]), ("script-src", ["'self'"]), ("style-src", ["'self'"]),
    ("img-src", ["*", "data:"]), ("frame-src", ["*"]), ("form-action", ["*"]),
    ("base-uri", ["'none'"]), ("object-src", ["'none'"]),
]

# Typed into every text field: what both the escaping and the hash must get right.
HOSTILE = "</script><style>*{}</style> \"q' \\ \u00dcn\u00efc\u00f8de \u2028 \u65e5"

TAB, ENTER = ("Tab", 9), ("Enter", 13, "\r")


def policy_sources(gadget, fields):
    args = [editions_test.GEN, gadget, "--edition=today", "--csp"]
    args += ["--%s=%s" % (k, v) for k, v in fields.items()]
    run = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True)
    return run.stdout.decode().splitlines()


def policy(lines):
    directives = dict((name, list(sources)) for name, sources in BASE_POLICY)
    for line in lines:
        name, *sources = line.split(" ")
        directives.setdefault(name, []).extend(sources)
    return "; ".join(" ".join([name] + sources) for name, sources in directives.items())


def clean_page(code, tail=b""):
    page = place_steps(code, tail)
    page = page.replace(b"<html><head>\n", b"<html lang=\"en\"><head>\n<meta charset=\"utf-8\">"
                        b"<title>A clean page</title>\n", 1)
    page = page.replace(b"\n</head>\n<body>\n", b"\n</head>\n<body><main><h1>A clean page</h1>\n", 1)
    return page.replace(b"\n</body></html>\n", b"\n</main></body></html>\n")


# --- What each gadget does in its page, by keyboard; `t` is the test, `tab` the page --------

def walk_bookmark_us(t, tab):
    t.axe(tab, "loaded")
    tab.press(*TAB)
    t.assertTrue(tab.eval("document.activeElement.textContent.startsWith('Add ')"))
    tab.press(*ENTER)
    t.assertTrue(tab.eval("document.querySelector('a + span').textContent")
                 .startswith(" To bookmark "))
    t.axe(tab, "hint shown")


def walk_set_homepage(t, tab):
    t.axe(tab, "loaded")
    tab.press(*TAB)
    t.assertEqual(tab.eval("document.activeElement.getAttribute('href')"),
                  "http://www.example.com")


def walk_logo_branding(t, tab):
    t.axe(tab, "loaded")
    left, top, width, height = tab.eval(
        "(() => { const r = document.getElementById('branding').getBoundingClientRect();"
        " return [r.left, r.top, innerWidth, innerHeight]; })()")
    t.assertGreater(left, width / 2)  # the style element holds it in the corner
    t.assertGreater(top, height / 2)
    tab.press(*TAB)
    t.assertEqual(tab.eval("document.activeElement.id"), "branding")


def walk_frameless_popup(t, tab):
    t.axe(tab, "loaded")
    tab.press(*TAB)
    t.assertTrue(tab.eval("document.activeElement.hasAttribute('data-frameless-popup')"))
    tab.press(*ENTER)
    opens = tab.eval("window.__opens")
    t.assertEqual(len(opens), 1)
    t.assertIn("width=500,height=600", opens[0]["args"][2])


def walk_email_this_page(t, tab):
    t.axe(tab, "loaded")
    for text in ("Ann", "ann@example.org", "Bo", "bo@example.org"):
        tab.press(*TAB)
        tab.type_text(text)
    since = len(t.browser.events)
    tab.press(*ENTER)
    t.browser.wait_event(lambda s, m, p: m == "Target.targetInfoChanged"
                         and p["targetInfo"]["url"] == "http://www.example.org/mail.pl", since)
    post = [r for r in t.server.requests if r[0] == "POST"][-1]
    t.assertEqual(post[1:3], ("www.example.org", "/mail.pl"))
    t.assertIn(b"Check+out+this+page", post[3])
    t.assertIn(b"bo%40example.org", post[3])


def walk_metasearch(t, tab):
    t.assertTrue(tab.eval("!!document.getElementById('orchard')"))
    t.axe(tab, "loaded")


def walk_popup_page(t, tab):
    tab.press(*TAB)
    t.assertEqual(tab.eval("document.activeElement.id"), "before")
    t.axe(tab, "loaded")
    tab.eval("__fire(0)")
    t.assertEqual(tab.eval("[document.activeElement.tagName, document.activeElement.textContent,"
                           " document.querySelector('dialog').open]"), ["BUTTON", "Close", True])
    t.axe(tab, "dialog shown")
    tab.press_escape()
    t.assertIsNone(tab.eval("document.querySelector('dialog[open]')"))
    # The dialog goes, and gives the focus back, when its close event comes.
    t.assertEqual(tab.eval("new Promise(done => { const gone = () => document.querySelector("
                           "'dialog') ? requestAnimationFrame(gone) :"
                           " done(document.activeElement.id); gone(); })"), "before")


def walk_break_frames(t, tab):
    t.axe(tab, "loaded")  # outside a frame it shows nothing


# gadget: (its walk, or the address it sends the visitor to; the fields of text that is shown
# or loaded, for the hostile run; extra page content; tab options)
GADGETS = {
    "break-frames": (walk_break_frames, ["link-text"], b"", {}),
    "bookmark-us": (walk_bookmark_us, ["url", "site-name", "link-start", "link-end",
                                       "hint-start"], b"", {}),
    "email-this-page": (walk_email_this_page, ["heading", "their-name-label",
                                               "their-email-label", "your-name-label",
                                               "your-email-label", "button-caption",
                                               "message-start"], b"", {}),
    "set-homepage": (walk_set_homepage, ["url", "lead-text"], b"", {}),
    "logo-branding": (walk_logo_branding, ["status-text", "link", "image"], b"", {}),
    "frameless-popup": (walk_frameless_popup, ["url", "link-text"], b"", {}),
    "browser-entry": ("http://www.example.com/netscape.html", [], b"", {}),
    "language": ("/English.html", [], b"", {}),
    "metasearch": (walk_metasearch, [], b"", {}),
    "popup-page": (walk_popup_page, ["url", "title", "close-caption"],
                   b"<p><button id=\"before\" type=\"button\">Before</button></p>",
                   {"fake_timers": True}),
}


class Strict(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="sw-strict-")
        cls.server = PageServer()
        cls.server.pages["/includes/search.js"] = (
            b"document.write('<form id=\"orchard\" role=\"search\"></form>');")
        cls.browser = Chromium(cls.scratch, cls.server.port)
        cls.browser.call("Target.setDiscoverTargets", {"discover": True})
        with open(AXE, encoding="utf-8") as f:
            cls.axe_source = f.read()
        cls.count = 0

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def axe(self, tab, state):
        if not tab.eval("typeof axe === 'object'"):
            tab.eval(self.axe_source + ";0")
        # axe-core waits on the clock, which a page with fake timers hands to the test.
        found = tab.eval("(() => { const kept = window.setTimeout;"
                         " window.setTimeout = window.__clockTimeout || kept;"
                         " return axe.run(document, {runOnly: {type: 'tag', values: %s},"
                         " iframes: false}).then(r => r.violations.map(v => v.id + ': ' +"
                         " v.nodes.map(n => n.target.join(' ')).join(', ')))"
                         ".finally(() => { window.setTimeout = kept; }); })()" % WCAG_TAGS)
        self.assertEqual(found, [], state)

    def open_strict(self, gadget, fields, tail, options, leads_to=None):
        code = snippet(gadget, "today", **fields)
        Strict.count += 1
        path = "/strict%d.html" % Strict.count
        self.server.pages[path] = clean_page(code, tail)
        self.server.headers[path] = {"Content-Security-Policy":
                                     policy(policy_sources(gadget, fields))}
        tab = Tab(self.browser, **options)
        self.addCleanup(tab.close)
        if leads_to is None:
            tab.navigate(self.server.url(path))
        else:  # the script, when the policy lets it run, sends the visitor on
            self.browser.call("Page.navigate", {"url": self.server.url(path)},
                              session=tab.session)
            tab.wait_for_location(self.server.url(leads_to) if leads_to[0] == "/" else leads_to)
        return tab, code

    def assertRanUnrefused(self, tab):
        self.assertEqual(tab.eval("window.__violations"), [])
        self.assertEqual(tab.errors(), [])

    def test_every_gadget_is_listed(self):
        listed = subprocess.run([editions_test.GEN, "--list"], stdout=subprocess.PIPE,
                                check=True).stdout.decode().splitlines()
        self.assertEqual(sorted(GADGETS), sorted(line.split()[0] for line in listed))

    def test_under_the_policy_by_keyboard_and_checked_by_axe(self):
        for gadget, (walk, _, tail, options) in GADGETS.items():
            with self.subTest(gadget):
                since = len(self.server.requests)
                if isinstance(walk, str):
                    self.open_strict(gadget, {}, tail, options, leads_to=walk)
                    continue
                tab, code = self.open_strict(gadget, {}, tail, options)
                walk(self, tab)
                self.assertRanUnrefused(tab)
                # Nothing goes to a host the snippet does not name.
                named = set(h.decode() for h in re.findall(rb"https?://([^/\"'\s]+)", code))
                named.add("127.0.0.1:%d" % self.server.port)
                hosts = set(r[1] for r in self.server.requests[since:]
                            if r[2] != "/favicon.ico")  # asked for by the browser itself
                self.assertLessEqual(hosts, named)

    def test_hostile_text_keeps_its_hash(self):
        for gadget, (walk, fields, tail, options) in GADGETS.items():
            for field in fields:
                with self.subTest(gadget=gadget, field=field):
                    tab, _ = self.open_strict(gadget, {field: HOSTILE}, tail, options)
                    if options.get("fake_timers"):
                        tab.eval("__fire(0)")
                    self.assertRanUnrefused(tab)


if __name__ == "__main__":
    editions_test.GEN = sys.argv.pop(1)
    unittest.main(verbosity=2)
