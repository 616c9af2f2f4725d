"""The web page's rows of scripts/bench.sh, in headless Chromium from file://, each beside its
floor measured in the same run: a static page with the same kind of form and a text box that a
few lines of script fill.

    python3 bench/web_page_bench.py WEB_FOLDER RUNS

Prints three lines, "figure floor": milliseconds from navigation to the first snippet shown
(medians), the Generate Code click's handler in milliseconds (median; the floor fills the text
box with a fixed snippet), and the gzip-compressed kilobytes of everything the page loads."""

import gzip
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "browser"))
from chromium_pipe import Chromium, PageServer, Tab  # noqa: E402

FLOOR_HTML = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Floor</title>
<link rel="stylesheet" href="page.css"><script src="floor.js" defer></script></head>
<body><header><h1>Sitewright</h1></header><div class="layout"><nav><ul>%s</ul></nav><main>
<h2>Popup Page</h2><form id="form">%s
<fieldset><legend>Edition</legend><label><input type="radio" name="edition" checked> Classic
</label><label><input type="radio" name="edition"> Today's edition</label></fieldset>
<button type="submit" id="generate">Generate Code</button></form>
<label for="code">Source Code</label><textarea id="code" readonly rows="14"></textarea>
</main></div></body></html>
""" % ("".join('<li><a href="#g%d">Gadget %d</a></li>' % (i, i) for i in range(10)),
       "".join('<div class="field"><label for="f%d">Field %d:</label><input type="text" id="f%d"'
               ' value="500"></div>' % (i, i, i) for i in range(4)))

FLOOR_JS = """const snippet = %s;
function fill() { document.getElementById("code").value = snippet; }
document.getElementById("form").addEventListener("submit", e => { e.preventDefault(); fill(); });
fill();
performance.mark("first-snippet");
document.documentElement.dataset.ready = "true";
"""

FIRST = ("new Promise(done => { const look = () => document.documentElement.dataset.ready ?"
         " done(performance.getEntriesByName('first-snippet')[0].startTime) :"
         " requestAnimationFrame(look); look(); })")

CLICK = ("(() => { const b = document.getElementById('generate'); const times = [];"
         " for (let i = 0; i < 50; ++i) { const t = performance.now(); b.click();"
         " times.push(performance.now() - t); } times.sort((a, b) => a - b);"
         " return times[25]; })()")


def first_snippets(browser, urls, runs):
    """Medians of each page's time to its first snippet, the pages taking turns so that both
    meet the same load of the machine."""
    times = [[] for _ in urls]
    for _ in range(runs):
        for url, own in zip(urls, times):
            tab = Tab(browser)
            tab.navigate(url)
            own.append(tab.eval(FIRST))
            tab.close()
    return [statistics.median(t) for t in times]


def click(browser, url, runs):
    tab = Tab(browser)
    tab.navigate(url)
    tab.eval(FIRST)
    times = [tab.eval(CLICK) for _ in range(runs)]
    tab.close()
    return statistics.median(times)


def gzip_kb(folder, names):
    total = 0
    for name in names:
        with open(os.path.join(folder, name), "rb") as f:
            total += len(gzip.compress(f.read(), 9))
    return total / 1024


def main():
    web, runs = os.path.abspath(sys.argv[1]), int(sys.argv[2])
    scratch = tempfile.mkdtemp(prefix="sw-web-bench-")
    try:
        floor = os.path.join(scratch, "floor")
        os.mkdir(floor)
        shutil.copy(os.path.join(web, "page.css"), floor)
        with open(os.path.join(floor, "index.html"), "w") as f:
            f.write(FLOOR_HTML)
        with open(os.path.join(floor, "floor.js"), "w") as f:
            f.write(FLOOR_JS % repr("<script>\\r\\nwindow.open('x');\\r\\n</script>\\r\\n" * 8))
        server = PageServer()
        browser = Chromium(scratch, server.port)
        page = "file://" + os.path.join(web, "index.html") + "#popup-page"
        floor_page = "file://" + os.path.join(floor, "index.html")
        print("%.3f %.3f" % tuple(first_snippets(browser, [page, floor_page], runs)))
        print("%.4f %.4f" % (click(browser, page, runs), click(browser, floor_page, runs)))
        loaded = ["index.html", "page.css", "page.js", "sitewright.js", "sitewright-recipes.js",
                  "preview.html"]
        print("%.1f %.1f" % (gzip_kb(web, loaded),
                             gzip_kb(floor, ["index.html", "page.css", "floor.js"])))
        browser.close()
        server.close()
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
