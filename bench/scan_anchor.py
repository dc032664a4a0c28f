#!/usr/bin/env python3
"""The yardstick of the application scan: the same job in plain Python 3.

    scan_anchor.py FOLDER...

Lists each folder (hidden entries left out, subfolders not entered), takes every entry whose name
ends in ".app", reads its Contents/Info.plist with plistlib and names it as Velmora's scan does:
CFBundleDisplayName, else CFBundleName, else the file name without ".app"; the identifier from
CFBundleIdentifier; a bundle listed twice through another spelling of its folder counts once; the
list is sorted by name, ignoring case, keeping the found order of equal names.

Prints the number of applications and the time the scan took inside this process (the interpreter's
start and imports are not counted), as "ANCHOR <count> <milliseconds>".
"""

import os
import plistlib
import sys
import time


def scan(folders):
    apps = []
    seen = set()
    for folder in folders:
        try:
            entries = sorted(os.scandir(folder), key=lambda e: e.name)
        except OSError:
            continue
        base = folder.rstrip("/") or "/"
        for entry in entries:
            name = entry.name
            if name.startswith(".") or not name.endswith(".app"):
                continue
            path = os.path.join(base, name)
            is_folder = entry.is_dir()
            key = os.path.normpath(path)
            if key in seen:
                continue
            seen.add(key)
            shown = name[: -len(".app")]
            identifier = None
            try:
                with open(os.path.join(path, "Contents", "Info.plist"), "rb") as f:
                    info = plistlib.load(f)
            except Exception:
                info = None
            if isinstance(info, dict):
                display = info.get("CFBundleDisplayName")
                bundle = info.get("CFBundleName")
                if isinstance(display, str):
                    shown = display
                elif isinstance(bundle, str):
                    shown = bundle
                ident = info.get("CFBundleIdentifier")
                if isinstance(ident, str):
                    identifier = ident
            apps.append((shown, path + "/" if is_folder else path, identifier))
    apps.sort(key=lambda app: app[0].casefold())
    return apps


def main():
    if len(sys.argv) < 2:
        sys.stderr.write("usage: scan_anchor.py FOLDER...\n")
        return 2
    start = time.perf_counter()
    apps = scan(sys.argv[1:])
    elapsed = time.perf_counter() - start
    print(f"ANCHOR {len(apps)} {elapsed * 1000:.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
