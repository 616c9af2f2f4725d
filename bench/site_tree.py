"""Writes a site of PAGES pages of about 30 kB each under DIR, in folders of 100, one page in a
hundred carrying a gadget's classic snippet, for timing sitewright-gen check against grep.

    python3 site_tree.py SITEWRIGHT_GEN DIR PAGES"""

import os
import subprocess
import sys

gen, root, pages = sys.argv[1], sys.argv[2], int(sys.argv[3])
ids = [line.split()[0] for line in
       subprocess.run([gen, "--list"], stdout=subprocess.PIPE, check=True).stdout.decode().splitlines()]
snippets = [subprocess.run([gen, i], stdout=subprocess.PIPE, check=True).stdout for i in ids]

paragraph = (b"<p>Our shop has sold garden tools since 1998. Ask about <a href=\"/offers/\">"
             b"this month's offers</a> or visit us at the market on Saturdays.</p>\n")
script = b"<script>document.getElementById('year').textContent = new Date().getFullYear();</script>\n"
head = (b"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        b"<title>Corner Shop</title>\n<link rel=\"stylesheet\" href=\"/site.css\">\n</head>\n"
        b"<body>\n<h1>Corner Shop</h1>\n")
body = paragraph * 190 + script
tail = b"<footer>&copy; <span id=\"year\"></span></footer>\n</body>\n</html>\n"

for n in range(pages):
    folder = os.path.join(root, "section%03d" % (n // 100))
    os.makedirs(folder, exist_ok=True)
    snippet = snippets[(n // 100) % len(snippets)] if n % 100 == 42 else b""
    with open(os.path.join(folder, "page%05d.html" % n), "wb") as f:
        f.write(head + body[: len(body) // 2] + snippet + body[len(body) // 2:] + tail)
