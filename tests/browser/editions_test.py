"""Proves in headless Chromium what the compatibility records claim about each gadget's
classic snippet, and that each today's edition does what the gadget promises, with the default
values and with hostile ones.

Run by CTest with the path of sitewright-gen as the first argument."""

import json
import re
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

from chromium_pipe import Chromium, PageServer, Tab

GEN = None  # set from the command line

# Typed into every text field of every today's edition.
HOSTILE = {
    "quotes": "Joe's \"site\"",
    "backslashes": "C:\\new\\table\\x41",
    "script-end": "</script><script>throw 1</script>",
    "markup": "<b onmouseover=\"x\">bold</b>",
    "entities": "R&D &amp; &lt; &#34;",
    "non-ascii": "\u00dcn\u00efc\u00f8de \u2713 \u65e5\u672c \u2028",
    "empty": "",
    "long": "abc'\"<" * 1000,
}

# Addresses that a script navigates to must lead to a page that loads.
NAVIGATED = {("browser-entry", "ie-url"), ("browser-entry", "other-url")}


def snippet(gadget, edition, **fields):
    args = [GEN, gadget, "--edition=" + edition]
    args += ["--%s=%s" % (k.replace("_", "-"), v) for k, v in fields.items()]
    run = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if run.returncode != 0:
        raise AssertionError("sitewright-gen %s: %s" % (args[1:], run.stderr.decode()))
    return run.stdout


def refused_as_blank(gadget, field, value):
    """Whether sitewright-gen refuses `value` for `field` because it is blank and the field names
    a control (a link, a label, a dialog, a button), which must not be left without a name."""
    if value.strip():
        return False
    run = subprocess.run([GEN, gadget, "--edition=today", "--%s=%s" % (field, value)],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return run.returncode == 2 and ("(--%s)" % field).encode() in run.stderr


def place_steps(code, tail=b""):
    """The page a user builds from the snippet: each step goes where its comment says, into
    the HEAD, as the BODY tag, or into the BODY; a snippet without steps goes into the BODY."""
    head, body_tag, body = [], [], []
    lines = code.split(b"\r\n")
    has_steps = any(line.startswith(b"<!-- STEP") for line in lines)
    # The instruction header before the first step is a comment; it may stand anywhere.
    part = head if has_steps else body
    for line in lines:
        if line.startswith(b"<!-- STEP"):
            part = head if b"HEAD" in line else body_tag if b"BODY tag" in line else body
        part.append(line)
    return (b"<!DOCTYPE html>\n<html><head>\n" + b"\n".join(head) + b"\n</head>\n" +
            (b"\n".join(body_tag) if body_tag else b"<body>") + b"\n" + b"\n".join(body) +
            tail + b"\n</body></html>\n")


def listed_claims():
    """Each gadget's id and what its record claims its classic snippet does in today's browsers,
    as sitewright-gen --list prints them."""
    text = subprocess.run([GEN, "--list"], stdout=subprocess.PIPE, check=True).stdout.decode()
    rows = re.findall(r"^(\S+) .* (works|partly|does not work)$", text, re.MULTILINE)
    if len(rows) != len(text.splitlines()):
        raise AssertionError("unreadable --list:\n" + text)
    return dict(rows)


def verdict(kept):
    """The record's word for a snippet that keeps these of its gadget's promises."""
    return "works" if all(kept) else "partly" if any(kept) else "does not work"


def defaults(gadget):
    """The values the gadget's page starts with, as sitewright-gen's help lists them."""
    text = subprocess.run([GEN, gadget, "--help"], stdout=subprocess.PIPE, check=True).stdout
    found = re.findall(r"^  --([a-z-]+)=VALUE +\[(.*)\]$", text.decode(), re.MULTILINE)
    return dict(found)


class Editions(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.mkdtemp(prefix="sw-browser-")
        cls.server = PageServer()
        cls.browser = Chromium(cls.scratch, cls.server.port)
        cls.browser.call("Target.setDiscoverTargets", {"discover": True})
        cls.count = 0

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def serve(self, code, tail=b""):
        Editions.count += 1
        path = "/page%d.html" % Editions.count
        self.server.pages[path] = place_steps(code, tail)
        return self.server.url(path)

    def tab(self, **options):
        tab = Tab(self.browser, **options)
        self.addCleanup(tab.close)
        return tab

    def open_page(self, code, tail=b"", **options):
        tab = self.tab(**options)
        tab.navigate(self.serve(code, tail))
        return tab

    def assertNoScriptError(self, tab):
        self.assertEqual(tab.errors(), [])

    # Each gadget's classic snippet, run for what its gadget promises: promises_kept_<id>
    # returns one truth per promise, and the record's claim must be their verdict. A gadget
    # without such a method fails, so no claim goes unproven.
    def test_each_classic_snippet_does_what_its_record_claims(self):
        for gadget, claim in listed_claims().items():
            with self.subTest(gadget):
                kept = getattr(self, "promises_kept_" + gadget.replace("-", "_"), None)
                self.assertIsNotNone(kept, "nothing proves the claim of " + gadget)
                self.assertEqual(verdict(kept()), claim)

    # --- Break Frames -------------------------------------------------------------------

    def framed(self, edition, other_site, **fields):
        base = "http://frames.example" if other_site else self.server.url("")
        self.server.pages["/child.html"] = place_steps(snippet("break-frames", edition, **fields))
        child = base + "/child.html"
        Editions.count += 1
        top = self.server.url("/top%d.html" % Editions.count)
        self.server.pages[top[len(self.server.url("")):]] = (
            b"<!DOCTYPE html><iframe id=f src=\"%s\" width=500 height=200></iframe>"
            % child.encode())
        return top, child

    def breaks_out_of_own_site(self, edition):
        top, child = self.framed(edition, other_site=False)
        tab = self.tab()
        self.browser.call("Page.navigate", {"url": top}, session=tab.session)
        tab.wait_for_location(child)
        self.assertNoScriptError(tab)
        return tab.eval("location.href") == child

    def promises_kept_break_frames(self):
        own_site = self.breaks_out_of_own_site("classic")
        top, child = self.framed("classic", other_site=True)
        tab = self.tab()
        tab.navigate(top)
        self.assertTrue(any("SecurityError" in json.dumps(e) for e in tab.errors()))
        return [own_site, tab.eval("location.href") != top]

    def test_break_frames_today(self):
        self.assertTrue(self.breaks_out_of_own_site("today"))
        top, child = self.framed("today", other_site=True)
        tab = self.tab()
        tab.navigate(top)
        self.assertEqual(tab.eval("location.href"), top)
        frame = tab.context_of("http://frames.example")
        self.assertEqual(tab.eval("document.querySelector('a').target", frame), "_top")
        since = len(self.browser.events)
        tab.click("a", frame, frame_selector="#f")
        tab.wait_for_location(child)
        self.assertGreater(len(self.browser.events), since)

    def frame_link_held(self, value):
        top, child = self.framed("today", other_site=True, **{"link-text": value})
        tab = self.tab()
        tab.navigate(top)
        frame = tab.context_of("http://frames.example")
        self.assertEqual(tab.eval("document.querySelector('a').textContent", frame), value)

    # --- Bookmark Us! -------------------------------------------------------------------

    def promises_kept_bookmark_us(self):
        """A link that adds the site to the visitor's bookmarks."""
        tab = self.open_page(snippet("bookmark-us", "classic"))
        self.assertEqual(tab.eval("document.body.innerText.trim()"),
                         "Don't forget to bookmark us! (CTRL-D)")
        return [tab.eval("document.links.length > 0 &&"
                         " typeof (window.external || {}).AddFavorite == 'function'")]

    def bookmark_held(self, tab):
        """Each text field as the link and the hint hold it, the others keeping their
        defaults."""
        before = tab.eval("location.href")
        tab.click("a")
        href, link, hint = tab.eval("[document.querySelector('a').getAttribute('href'),"
                                    " document.querySelector('a').textContent,"
                                    " document.querySelector('a + span').textContent]")
        self.assertEqual(tab.eval("location.href"), before)  # the click stays on the page
        d = defaults("bookmark-us")
        name, end, how = " " + d["site-name"] + " ", " " + d["link-end"], ", press Ctrl+D."
        hint_end = " " + d["site-name"] + how
        self.assertTrue(hint.startswith(" ") and hint.endswith(how), hint)
        return {"url": href,
                "site-name": hint[len(" " + d["hint-start"] + " "):-len(how)],
                "link-start": link[:len(link) - len(name + d["link-end"])],
                "link-end": link[len(d["link-start"] + name):],
                "hint-start": hint[1:len(hint) - len(hint_end)]}

    # --- Set Homepage Link ----------------------------------------------------------------

    def promises_kept_set_homepage(self):
        """A link that makes the site the visitor's home page."""
        tab = self.open_page(snippet("set-homepage", "classic"))
        self.assertEqual(
            tab.eval("[...document.links].map(a => [a.textContent, a.getAttribute('href')])"),
            [["Drag this link onto your Home button to make this your Home Page.",
              "http://www.example.com"]])
        self.assertNoScriptError(tab)
        return [tab.eval("typeof document.body.setHomePage == 'function'")]

    def homepage_held(self, tab):
        link = tab.eval("[document.querySelector('p a').getAttribute('href'),"
                        " document.querySelector('p a').textContent]")
        self.assertEqual(link[0], link[1])
        self.assertIn("In Chrome, open Settings", tab.eval("document.querySelector('p').textContent"))
        lead = tab.eval("document.querySelector('p').firstChild.textContent")
        self.assertTrue(lead.endswith(" "), lead)
        return {"url": link[0], "lead-text": lead[:-1]}

    # --- Logo Branding --------------------------------------------------------------------

    TALL = b"<div style=\"height: 5000px\">content</div>"

    def logo_box(self, tab):
        return tab.eval("(() => { const r = document.getElementById('branding')"
                        ".getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom,"
                        " innerWidth, innerHeight]; })()")

    def promises_kept_logo_branding(self):
        """The logo in view, in the window's corner."""
        tab = self.tab()
        since = len(self.browser.events)
        tab.navigate(self.serve(snippet("logo-branding", "classic"), self.TALL))
        self.browser.wait_event(
            lambda s, m, p: s == tab.session and m == "Runtime.exceptionThrown", since)
        self.assertIn("TypeError", json.dumps(tab.errors()))
        left, top, right, bottom, width, height = self.logo_box(tab)
        return [0 <= left < right <= width and 0 <= top < bottom <= height]

    def test_logo_branding_today_stays_in_the_corner(self):
        tab = self.open_page(snippet("logo-branding", "today"), self.TALL)
        left, top, right, bottom, width, height = box = self.logo_box(tab)
        self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height, box)
        self.assertGreater(left, width / 2)
        self.assertGreater(top, height / 2)
        self.assertEqual(tab.eval("window.scrollTo(0, 3000); scrollY"), 3000)
        self.assertEqual(self.logo_box(tab), box)
        self.assertEqual(tab.eval("document.querySelector('#branding img').width"), 235)
        self.assertNoScriptError(tab)

    def logo_held(self, tab):
        held = tab.eval("(() => { const a = document.getElementById('branding');"
                        " const i = a.querySelector('img'); return [a.getAttribute('href'),"
                        " a.title, i.alt, i.getAttribute('src')]; })()")
        self.assertEqual(held[1], held[2])
        return {"link": held[0], "status-text": held[1], "image": held[3]}

    # --- Frameless Popup ------------------------------------------------------------------

    def opens(self, tab):
        return tab.eval("window.__opens")

    def promises_kept_frameless_popup(self):
        """A popup, and one without the window's frame."""
        tab = self.open_page(snippet("frameless-popup", "classic"))
        since = len(self.browser.events)
        tab.click("a")
        # A javascript: link runs after the click has been handled; the popup tells when.
        self.browser.wait_event(
            lambda s, m, p: m == "Target.targetCreated"
            and p["targetInfo"].get("openerId") == tab.target, since)
        opens = self.opens(tab)
        self.assertEqual(opens[0]["args"][:3], ["http://www.example.com", "popFrameless",
                                                "scrollbars,width=500,height=600"])
        return [opens[0]["opened"], any("fullscreen" in o["args"][2] for o in opens)]

    def test_frameless_popup_today_opens_the_size_asked_for(self):
        tab = self.open_page(snippet("frameless-popup", "today", width="420", height="310"))
        since = len(self.browser.events)
        tab.click("a")
        opens = self.opens(tab)
        self.assertEqual(len(opens), 1)
        self.assertTrue(opens[0]["opened"])
        features = dict(f.split("=") for f in opens[0]["args"][2].split(",") if "=" in f)
        self.assertEqual((features["width"], features["height"]), ("420", "310"))
        index = self.browser.wait_event(
            lambda s, m, p: m == "Target.targetCreated"
            and p["targetInfo"].get("openerId") == tab.target, since)
        popup = self.browser.events[index][2]["targetInfo"]["targetId"]
        # The window itself: as wide as asked, where the snippet puts it.
        session = self.browser.call("Target.attachToTarget",
                                    {"targetId": popup, "flatten": True})["sessionId"]
        window = self.browser.call(
            "Runtime.evaluate", {"expression": "[innerWidth, screenX, screenY]",
                                 "returnByValue": True}, session=session)["result"]["value"]
        self.assertEqual(window, [420, 260, 100])
        # Leaving the page closes the popup (autoclose is true by default).
        tab.navigate(self.serve(b"", b"<p>elsewhere"))
        self.browser.wait_event(
            lambda s, m, p: m == "Target.targetDestroyed" and p["targetId"] == popup, since)
        self.assertNoScriptError(tab)

    def popup_held(self, tab):
        href, text = tab.eval("[document.querySelector('a').getAttribute('href'),"
                              " document.querySelector('a').textContent]")
        if text:
            tab.click("a")
        else:  # a link without text has no area to click
            tab.eval("document.querySelector('a').click()")
        opens = self.opens(tab)
        self.assertEqual(opens[0]["args"][0], href)
        return {"url": href, "link-text": text}

    # --- Browser-Specific Entry -----------------------------------------------------------

    def lands(self, code, expected, pretend_ie=False):
        tab = self.tab(pretend_ie=pretend_ie)
        self.browser.call("Page.navigate", {"url": self.serve(code)}, session=tab.session)
        tab.wait_for_location(expected)
        return tab

    IE_PAGE = "http://www.example.com/ie.html"
    OTHER_PAGE = "http://www.example.com/netscape.html"

    def promises_kept_browser_entry(self):
        """Internet Explorer and the other browsers each sent to their own page."""
        landed = []
        for pretend_ie in (False, True):
            tab = self.lands(snippet("browser-entry", "classic"), self.OTHER_PAGE, pretend_ie)
            self.assertNoScriptError(tab)
            landed.append(tab.eval("location.href"))
        return [landed == [self.OTHER_PAGE, self.IE_PAGE]]

    def test_browser_entry_today(self):
        for pretend_ie, expected in ((False, self.OTHER_PAGE), (True, self.IE_PAGE)):
            with self.subTest(pretend_ie=pretend_ie):
                tab = self.lands(snippet("browser-entry", "today"), expected, pretend_ie)
                self.assertNoScriptError(tab)

    # --- Email This Page, Language, Orchard Search: the same code in both editions ---------

    def sends_the_form(self, edition):
        tab = self.open_page(snippet("email-this-page", edition))
        page = tab.eval("location.href")
        tab.eval("(() => { const f = document.forms.emailform; f.sendto.value = 'Ann';"
                 " f.to.value = 'ann@example.org'; f.sendername.value = 'Bo';"
                 " f.senderemail.value = 'bo@example.org'; })()")
        since = len(self.browser.events)
        tab.click("input[type=submit]")
        self.browser.wait_event(
            lambda s, m, p: m == "Target.targetInfoChanged"
            and p["targetInfo"]["url"] == "http://www.example.org/mail.pl", since)
        posts = [r for r in self.server.requests if r[0] == "POST"]
        form = urllib.parse.parse_qs(posts[-1][3].decode())
        self.assertEqual(posts[-1][1:3], ("www.example.org", "/mail.pl"))
        self.assertEqual(form["to"], ["ann@example.org"])
        self.assertNoScriptError(tab)
        return "Check out this page:  " + page in form["message"][0]

    def promises_kept_email_this_page(self):
        """The page's address mailed to the friend named."""
        return [self.sends_the_form("classic")]

    def test_email_this_page_today(self):
        self.assertTrue(self.sends_the_form("today"))

    def picks_the_page(self, edition):
        picked = []
        for language, page in ((None, "/English.html"), ("fr-FR", "/french.html")):
            tab = self.tab(language=language)
            code = snippet("language", edition)
            self.browser.call("Page.navigate", {"url": self.serve(code)}, session=tab.session)
            tab.wait_for_location(self.server.url(page))
            picked.append(tab.eval("location.href") == self.server.url(page))
        return picked

    def promises_kept_language(self):
        """English visitors and French ones each sent to their own page."""
        return self.picks_the_page("classic")

    def test_language_today(self):
        self.assertEqual(self.picks_the_page("today"), [True, True])

    def loads_the_search_form(self, edition):
        self.server.pages["/includes/search.js"] = (
            b"document.write('<form id=\"orchard\"></form>');")
        tab = self.open_page(snippet("metasearch", edition))
        self.assertIn(("GET", "www.example.net", "/includes/search.js"),
                      [r[:3] for r in self.server.requests])
        self.assertNoScriptError(tab)
        return tab.eval("!!document.getElementById('orchard')")

    def promises_kept_metasearch(self):
        """The search form on the page."""
        return [self.loads_the_search_form("classic")]

    def test_metasearch_today(self):
        self.assertTrue(self.loads_the_search_form("today"))

    # --- Popup Page -----------------------------------------------------------------------

    def promises_kept_popup_page(self):
        """The page in a window of its own once the seconds have passed."""
        tab = self.open_page(snippet("popup-page", "classic"), fake_timers=True)
        self.assertEqual(tab.eval("__timers.map(t => t.delay)"), [5000])
        tab.eval("__fire(0)")
        opens = self.opens(tab)
        self.assertEqual(opens[0]["args"][0], "http://www.example.com/popup.html")
        return [opens[0]["opened"]]

    def test_popup_page_today_shows_a_dialog(self):
        code = snippet("popup-page", "today", seconds="3", width="320", height="240")
        for close in ("button", "escape"):
            with self.subTest(close):
                tab = self.open_page(code, fake_timers=True)
                self.assertEqual(tab.eval("__timers.map(t => t.delay)"), [3000])
                self.assertIsNone(tab.eval("document.querySelector('dialog')"))
                tab.eval("__fire(0)")
                self.assertEqual(
                    tab.eval("(() => { const d = document.querySelector('dialog'),"
                             " f = d.querySelector('iframe'); return [d.open, f.src,"
                             " f.offsetWidth, f.offsetHeight]; })()"),
                    [True, "http://www.example.com/popup.html", 320, 240])
                if close == "button":
                    tab.click("dialog button")
                else:
                    tab.press_escape()
                self.assertIsNone(tab.eval("document.querySelector('dialog[open]')"))
                self.assertEqual(self.opens(tab), [])
                self.assertNoScriptError(tab)

    def dialog_held(self, tab):
        tab.eval("__fire(0)")
        held = tab.eval("(() => { const d = document.querySelector('dialog'),"
                        " f = d.querySelector('iframe'); return [f.getAttribute('src'),"
                        " d.getAttribute('aria-label'), f.title,"
                        " d.querySelector('button').textContent]; })()")
        self.assertEqual(held[1], held[2])  # the dialog and its framed page share the name
        return {"url": held[0], "title": held[1], "close-caption": held[3]}

    def form_held(self, tab):
        """The form's texts, and the start of the message it sends: sent with no friend's
        address, the form is refused after the message is written."""
        held = tab.eval("(() => { const f = document.forms.emailform; f.requestSubmit();"
                        " return [f.getAttribute('action'), f.querySelector('td').textContent,"
                        " ...[...f.querySelectorAll('label')].map(l => l.textContent),"
                        " f.querySelector('[type=submit]').value, f.message.value,"
                        " location.href]; })()")
        message, head, tail = held[7], "Hi  ():\n\n", "  " + held[8] + "\n\nYour Friend,\n()"
        self.assertTrue(message.startswith(head) and message.endswith(tail), message)
        return {"mail-script": held[0], "heading": held[1], "their-name-label": held[2],
                "their-email-label": held[3], "your-name-label": held[4],
                "your-email-label": held[5], "button-caption": held[6],
                "message-start": message[len(head):len(message) - len(tail)]}

    # --- Pages upgraded by sitewright-gen check --upgrade -----------------------------------

    def upgraded(self, code, tail=b""):
        """The page built from the classic snippet, upgraded in place, then served as it is."""
        Editions.count += 1
        name = "upgraded%d.html" % Editions.count
        page = os.path.join(self.scratch, name)
        with open(page, "wb") as f:
            f.write(place_steps(code, tail))
        run = subprocess.run([GEN, "check", "--upgrade", "--no-backup", page],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.assertEqual(run.returncode, 1, run.stderr.decode())
        with open(page, "rb") as f:
            self.server.pages["/" + name] = f.read()
        return self.server.url("/" + name)

    def test_upgraded_popup_page_shows_its_dialog(self):
        code = snippet("popup-page", "classic", seconds="3", width="320", height="240")
        tab = self.tab(fake_timers=True)
        tab.navigate(self.upgraded(code))
        self.assertEqual(tab.eval("__timers.map(t => t.delay)"), [3000])
        tab.eval("__fire(0)")
        self.assertEqual(
            tab.eval("(() => { const d = document.querySelector('dialog'),"
                     " f = d.querySelector('iframe'); return [d.open, f.src,"
                     " f.offsetWidth, f.offsetHeight]; })()"),
            [True, "http://www.example.com/popup.html", 320, 240])
        self.assertEqual(self.opens(tab), [])
        self.assertNoScriptError(tab)

    def test_upgraded_logo_branding_stays_in_the_corner(self):
        tab = self.tab()
        tab.navigate(self.upgraded(snippet("logo-branding", "classic", width="120"), self.TALL))
        left, top, right, bottom, width, height = box = self.logo_box(tab)
        self.assertTrue(0 <= left < right <= width and 0 <= top < bottom <= height, box)
        self.assertGreater(left, width / 2)
        self.assertEqual(tab.eval("document.querySelector('#branding img').width"), 120)
        self.assertNoScriptError(tab)

    # --- Every text field of every today's edition, with hostile values -------------------

    def entry_held(self, field):
        def held(value):
            ie = field == "ie-url"
            value = "/landing?" + value
            code = snippet("browser-entry", "today", **{field: value})
            start = self.serve(code)
            tab = self.tab(pretend_ie=ie)
            expected = tab.eval("new URL(%s, %s).href" % (json.dumps(value), json.dumps(start)))
            self.browser.call("Page.navigate", {"url": start}, session=tab.session)
            tab.wait_for_location(expected)
            self.assertNoScriptError(tab)
        return held

    def test_hostile_values_arrive_as_typed(self):
        probes = {
            "bookmark-us": (["url", "site-name", "link-start", "link-end", "hint-start"],
                            self.bookmark_held, {}),
            "set-homepage": (["url", "lead-text"], self.homepage_held, {}),
            "logo-branding": (["status-text", "link", "image"], self.logo_held, {}),
            "frameless-popup": (["url", "link-text"], self.popup_held, {}),
            "popup-page": (["url", "title", "close-caption"], self.dialog_held,
                           {"fake_timers": True}),
            "email-this-page": (["mail-script", "heading", "their-name-label",
                                 "their-email-label", "your-name-label", "your-email-label",
                                 "button-caption", "message-start"], self.form_held, {}),
        }
        for (gadget, (fields, probe, options)) in probes.items():
            with self.subTest(gadget=gadget, value="defaults"):
                tab = self.open_page(snippet(gadget, "today"), **options)
                held = probe(tab)
                for field in fields:
                    self.assertEqual(held[field], defaults(gadget)[field])
                self.assertNoScriptError(tab)
            for field in fields:
                for name, value in HOSTILE.items():
                    with self.subTest(gadget=gadget, field=field, value=name):
                        if refused_as_blank(gadget, field, value):
                            continue
                        tab = self.open_page(snippet(gadget, "today", **{field: value}),
                                             **options)
                        self.assertEqual(probe(tab)[field], value)
                        self.assertNoScriptError(tab)
        for field in ("ie-url", "other-url"):
            for name, value in HOSTILE.items():
                with self.subTest(gadget="browser-entry", field=field, value=name):
                    self.entry_held(field)(value)
        for name, value in HOSTILE.items():
            with self.subTest(gadget="break-frames", field="link-text", value=name):
                if not refused_as_blank("break-frames", "link-text", value):
                    self.frame_link_held(value)


if __name__ == "__main__":
    GEN = sys.argv.pop(1)
    unittest.main(verbosity=2)
