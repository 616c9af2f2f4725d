"""Writes a module's loader with the module's bytes in it, so that the page needs no second
file and also works from file://. The bytes go, as base64, into the `wasmBase64` property of the
loader's factory, and the page hands them to the factory itself: a loader that embeds its own
module fetches it through a data: address, which cost the first snippet a round trip through
the browser's network stack and the page's policy a connect-src.

    python3 embed_module.py LOADER.js MODULE.wasm FACTORY OUT.js
"""

import base64
import sys


def main():
    loader, module, factory, out = sys.argv[1:]
    with open(loader, encoding="utf-8") as f:
        script = f.read()
    with open(module, "rb") as f:
        encoded = base64.b64encode(f.read()).decode("ascii")
    with open(out, "w", encoding="utf-8") as f:
        f.write(script)
        f.write('\n%s.wasmBase64 = "%s";\n' % (factory, encoded))


if __name__ == "__main__":
    main()
