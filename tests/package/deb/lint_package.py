#!/usr/bin/env python3
"""The package as Debian's tools judge it: lintian finds no errors (its tags
are listed), the desktop entry and the metainfo validate, and the pieces
agree with each other and with the project: one version everywhere, the
entry's program, icon and id are the ones installed, the icons are the
window icon's drawing at their sizes, and the texts tell where the firmware
file goes.

usage: lint_package.py --work DIR --version X.Y.Z --icon-source skin/icon.ico
"""

import argparse
import collections
import configparser
import gzip
import os
import re
import shutil
import struct
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deb_support import Failure, built_package, check, control_field, run, run_ok, verdict  # noqa: E402

APPLICATIONS = "usr/share/applications"
METAINFO = "usr/share/metainfo"
HICOLOR = "usr/share/icons/hicolor"


def lintian(deb):
    r = run(["lintian", "--display-info", "--pedantic", deb], timeout=120)
    tags = [line for line in r.stdout.splitlines() if re.match(r"^[EWIPXO]: ", line)]
    counts = collections.Counter(line[0] for line in tags)
    print("lintian: %d errors, %d warnings, %d info, %d pedantic" %
          (counts["E"], counts["W"], counts["I"], counts["P"]))
    for line in tags:
        print("  " + line)
    check(counts["E"] == 0, "lintian reports errors")
    check(r.returncode == 0, "lintian exit %d\n%s" % (r.returncode, r.stderr))


def control(deb, version):
    check(control_field(deb, "Version") == version,
          "package version %s, the project's %s" % (control_field(deb, "Version"), version))
    depends = control_field(deb, "Depends")
    # Computed from the programs by dpkg-shlibdeps, beside the ones named.
    for needed in ("libc6", "libsdl2-2.0-0", "libfreetype6", "libfontconfig1", "fonts-wqy-microhei",
                   "libcap2-bin"):
        check(re.search(r"(^|[ ,|])%s( |,|$)" % re.escape(needed), depends),
              "Depends lacks %s: %s" % (needed, depends))


def one_file(folder, suffix):
    names = [n for n in os.listdir(folder) if n.endswith(suffix)] if os.path.isdir(folder) else []
    check(len(names) == 1, "%s: expected one *%s, found %s" % (folder, suffix, names))
    return os.path.join(folder, names[0])


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n" and head[12:16] == b"IHDR", path + " is no PNG")
    return struct.unpack(">II", head[16:24])


def ico_png_entry(ico_path, side):
    """The bytes of the PNG image of `side` pixels inside an .ico file."""
    with open(ico_path, "rb") as f:
        data = f.read()
    _, kind, count = struct.unpack("<HHH", data[:6])
    check(kind == 1, ico_path + " is no icon file")
    for i in range(count):
        w, h, _, _, _, _, size, offset = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
        if (w or 256) == side and (h or 256) == side:
            return data[offset:offset + size]
    raise Failure("%s has no %d-pixel image" % (ico_path, side))


def desktop_entry(root, version, icon_source):
    entry_path = one_file(os.path.join(root, APPLICATIONS), ".desktop")
    run_ok(["desktop-file-validate", entry_path], "desktop-file-validate")
    parser = configparser.RawConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(entry_path, encoding="utf-8")
    entry = parser["Desktop Entry"]
    program = entry["Exec"].split()[0]
    check(os.path.isfile(os.path.join(root, "usr/bin", program)), "Exec names %s, not in /usr/bin" % program)
    check(program == "zaviz-era-varedu", "the entry starts %s, not the wizard" % program)
    check("upgradeimage.bin" in entry["Comment"] and "home folder" in entry["Comment"],
          "the entry's Comment does not say where upgradeimage.bin goes: " + entry["Comment"])

    # The icon in every size, drawn as the window icon is.
    icon = entry["Icon"]
    sizes = []
    for folder in sorted(os.listdir(os.path.join(root, HICOLOR))):
        path = os.path.join(root, HICOLOR, folder, "apps", icon + ".png")
        check(os.path.isfile(path), "%s has no %s.png" % (folder, icon))
        side = int(folder.split("x")[0])
        check(png_size(path) == (side, side), "%s is %dx%d" % ((path,) + png_size(path)))
        sizes.append(side)
    for needed in (16, 32, 48, 256):
        check(needed in sizes, "no %d-pixel icon (sizes %s)" % (needed, sizes))
    with open(os.path.join(root, HICOLOR, "256x256/apps", icon + ".png"), "rb") as f:
        check(f.read() == ico_png_entry(icon_source, 256),
              "the 256-pixel icon is not the window icon's 256-pixel image")
    return os.path.basename(entry_path), icon


def metainfo(root, version, desktop_name, icon):
    path = one_file(os.path.join(root, METAINFO), ".metainfo.xml")
    r = run(["appstreamcli", "validate", "--no-net", "--no-color", path], timeout=60)
    print(r.stdout.strip())
    check(r.returncode == 0, "appstreamcli validate: exit %d\n%s%s" % (r.returncode, r.stdout, r.stderr))
    component = ET.parse(path).getroot()
    app_id = component.findtext("id")
    check(desktop_name == app_id + ".desktop", "metainfo id %s, desktop entry %s" % (app_id, desktop_name))
    check(component.findtext("launchable") == desktop_name,
          "metainfo launches %s, the entry is %s" % (component.findtext("launchable"), desktop_name))
    check(icon == app_id, "icon %s, id %s" % (icon, app_id))
    release = component.find("releases/release")
    check(release is not None and release.get("version") == version,
          "metainfo's release is not %s" % version)
    text = " ".join(ET.tostring(component.find("description"), encoding="unicode", method="text").split())
    check("upgradeimage.bin" in text and "home folder" in text,
          "the metainfo does not say where upgradeimage.bin goes: " + text)


def changelog(root, version):
    docs = os.path.join(root, "usr/share/doc/zavizeravaredu")
    with gzip.open(os.path.join(docs, "changelog.gz"), "rt", encoding="utf-8") as f:
        head = f.readline()
    check(re.match(r"^zavizeravaredu \(%s\) " % re.escape(version), head),
          "the changelog's newest entry is not %s: %s" % (version, head.strip()))
    with open(os.path.join(docs, "copyright"), encoding="utf-8") as f:
        check(f.readline().startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0"),
              "copyright is not in the machine-readable format")


def lint(args):
    deb = built_package(args.work)
    control(deb, args.version)
    root = os.path.join(args.work, "contents")
    shutil.rmtree(root, ignore_errors=True)
    run_ok(["dpkg-deb", "-x", deb, root], "dpkg-deb -x")
    desktop_name, icon = desktop_entry(root, args.version, args.icon_source)
    metainfo(root, args.version, desktop_name, icon)
    changelog(root, args.version)
    lintian(deb)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--work", required=True)
    p.add_argument("--version", required=True)
    p.add_argument("--icon-source", required=True)
    args = p.parse_args()
    return verdict(lambda: lint(args))


if __name__ == "__main__":
    sys.exit(main())
