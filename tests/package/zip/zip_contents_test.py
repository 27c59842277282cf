#!/usr/bin/env python3
"""The Windows zip as a user unpacks it: one top folder with the three
programs, README.txt and licenses/; texts Notepad shows right (UTF-8 with BOM,
CRLF); programs that import nothing but Windows' own DLLs; version
information with the project's version on every program; the wizard's own
resources (skin archive, icon, manifest) intact beside it.

usage: zip_contents_test.py --zip ZIP --version X.Y.Z --objdump OBJDUMP
                            --source DIR [--also EXE...]
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_file import RT_ICON_GROUP, RT_MANIFEST, PeFile  # noqa: E402

PROGRAMS = ("ZavizEraVaredu.exe", "zaviz-repair.exe", "zaviz-tftpd.exe")
LICENCES = ("README.txt", "ZavizEraVaredu.txt", "zlib.txt", "stb.txt", "mingw-w64.txt", "gcc-runtime.txt",
            "GPL-3.txt")
# Windows' own DLLs, lower case; api-ms-win-crt-* (the universal CRT) too.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ws2_32.dll", "iphlpapi.dll", "ole32.dll",
    "oleaut32.dll", "shell32.dll", "shlwapi.dll", "comctl32.dll", "comdlg32.dll", "gdiplus.dll", "imm32.dll",
    "winmm.dll", "version.dll", "uxtheme.dll", "msimg32.dll", "dwmapi.dll", "bcrypt.dll", "crypt32.dll",
    "secur32.dll", "userenv.dll", "ntdll.dll", "msvcrt.dll", "ucrtbase.dll",
}
# Texts of the program that the README quotes; each must stay what the
# program shows (app/ and skin/ are searched for it).
QUOTED_TEXTS = (
    "实例已经在运行中", "请保持Vombel电源断开", "将PC用网线连接Vombel任一LAN口", "下一步", "确定",
    "先按住Vombel电源一侧的MESH键,再接通电源", "待exe工具出现进度条后可松开MESH按键，开始自动修复",
    "修复中", "修复成功", "请检查Vombel的指示灯是否是红色或蓝色", "如果为其他颜色，请尝试重新修复", "退出",
    "修复失败", "重试", "未检测到有线网卡！", "获取固件信息失败，请确认固件文件正确，再尝试修复！",
    "文件服务器开启失败，请确认端口69没有被占用！", "文件服务器开启失败，请以管理员权限运行修复工具！",
    "网卡地址设置失败，请以管理员权限运行修复工具！", "修复过程中本机可能无法正常上网，修复完成后恢复",
)


class Failures:
    def __init__(self):
        self.lines = []

    def check(self, condition, message):
        if not condition:
            self.lines.append(message)
        return condition


def check_layout(zip_names, top, failures):
    expected = {top + "/" + p for p in PROGRAMS} | {top + "/README.txt"}
    expected |= {top + "/licenses/" + name for name in LICENCES}
    files = {n for n in zip_names if not n.endswith("/")}
    failures.check(not files - expected, "unexpected files in the zip: %s" % sorted(files - expected))
    failures.check(not expected - files, "missing from the zip: %s" % sorted(expected - files))


def check_windows_text(name, data, failures):
    if not failures.check(data.startswith(b"\xef\xbb\xbf"), name + " does not start with a UTF-8 byte-order mark"):
        return ""
    bare = data.replace(b"\r\n", b"").count(b"\n") + data.replace(b"\r\n", b"").count(b"\r")
    failures.check(bare == 0, "%s has %d line ends that are not CRLF" % (name, bare))
    try:
        return data[3:].decode("utf-8")
    except UnicodeDecodeError as e:
        failures.check(False, "%s is not UTF-8: %s" % (name, e))
        return ""


def program_texts(source):
    texts = []
    for folder in ("app", "skin"):
        for root, _, names in os.walk(os.path.join(source, folder)):
            for name in names:
                if name.endswith((".cpp", ".h", ".xml")):
                    with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
                        texts.append(f.read())
    return "\n".join(texts)


def check_readme(text, version, source, failures):
    for needed in ("upgradeimage.bin", "ZavizEraVaredu.exe", "zaviz-repair.exe", "--card", version):
        failures.check(needed in text, "README.txt does not mention %s" % needed)
    failures.check(re.search(r"管理员", text) and re.search(r"administrator", text),
                   "README.txt does not say (in both languages) that the wizard needs administrator rights")
    program = program_texts(source)
    for quoted in QUOTED_TEXTS:
        failures.check(quoted in text, "README.txt no longer quotes %s" % quoted)
        failures.check(quoted in program, "README.txt quotes %s, which the program does not show" % quoted)


def check_licences(texts, failures):
    expectations = {
        "ZavizEraVaredu.txt": "MIT License",
        "zlib.txt": "Jean-loup Gailly and Mark Adler",
        "stb.txt": "Sean Barrett",
        "mingw-w64.txt": "winpthreads",
        "gcc-runtime.txt": "GCC RUNTIME LIBRARY EXCEPTION",
        "GPL-3.txt": "GNU GENERAL PUBLIC LICENSE",
    }
    for name, phrase in expectations.items():
        failures.check(phrase in texts.get(name, ""), "licenses/%s does not contain %r" % (name, phrase))


def imported_dlls(objdump, exe):
    r = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, timeout=60)
    if r.returncode != 0:
        raise SystemExit("objdump failed on %s: %s" % (exe, r.stderr))
    return [line.split(":", 1)[1].strip() for line in r.stdout.splitlines() if "DLL Name:" in line]


def check_imports(objdump, exe, failures):
    dlls = imported_dlls(objdump, exe)
    print("%s (%d bytes) imports: %s" % (os.path.basename(exe), os.path.getsize(exe), " ".join(dlls)))
    failures.check(dlls, os.path.basename(exe) + " imports no DLL at all: is the import table readable?")
    foreign = [d for d in dlls if d.lower() not in SYSTEM_DLLS and not d.lower().startswith("api-ms-win-crt-")]
    failures.check(not foreign, "%s needs DLLs that Windows does not have: %s" % (os.path.basename(exe), foreign))


def check_version(exe, version, copyright_line, failures):
    name = os.path.basename(exe)
    info = PeFile(exe).version_info()
    if not failures.check(info is not None, name + " has no version resource"):
        return
    file_numbers, product_numbers, strings = info
    numbers = tuple(int(n) for n in version.split(".")) + (0,) * (4 - len(version.split(".")))
    failures.check(file_numbers == numbers, "%s: FILEVERSION %s, not %s" % (name, file_numbers, numbers))
    failures.check(product_numbers == numbers, "%s: PRODUCTVERSION %s, not %s" % (name, product_numbers, numbers))
    wanted = {"FileVersion": version, "ProductVersion": version, "ProductName": "ZavizEraVaredu",
              "OriginalFilename": name, "LegalCopyright": copyright_line}
    for key, value in wanted.items():
        failures.check(strings.get(key) == value, "%s: %s is %r, not %r" % (name, key, strings.get(key), value))
    for key in ("CompanyName", "FileDescription"):
        failures.check(strings.get(key), "%s: no %s" % (name, key))


def check_wizard_resources(exe, failures):
    resources = PeFile(exe).resources()
    archive = resources.get(("ZIPRES", "IDR_ZIPRES"), [b""])[0]
    failures.check(archive.startswith(b"PK\x03\x04"), "the wizard lost its skin archive (ZIPRES IDR_ZIPRES)")
    failures.check((RT_ICON_GROUP, 138) in resources, "the wizard lost its icon 138")
    manifest = b"".join(d for (kind, _), datas in resources.items() if kind == RT_MANIFEST for d in datas)
    failures.check(b"requireAdministrator" in manifest, "the wizard's manifest no longer asks for administrator rights")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zip", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--also", nargs="*", default=[], help="further programs that must carry the version")
    args = parser.parse_args()
    with open(os.path.join(args.source, "LICENSE"), encoding="utf-8") as f:
        copyright_line = next(l.strip() for l in f if l.startswith("Copyright "))

    failures = Failures()
    top = "ZavizEraVaredu-%s-win64" % args.version
    print("%s: %d bytes" % (os.path.basename(args.zip), os.path.getsize(args.zip)))
    with zipfile.ZipFile(args.zip) as z, tempfile.TemporaryDirectory() as unpacked:
        names = z.namelist()
        check_layout(names, top, failures)
        z.extractall(unpacked)
        texts = {}
        for name in names:
            if name.endswith(".txt"):
                with open(os.path.join(unpacked, name), "rb") as f:
                    texts[name] = check_windows_text(name, f.read(), failures)
        check_readme(texts.get(top + "/README.txt", ""), args.version, args.source, failures)
        check_licences({n.rsplit("/", 1)[1]: t for n, t in texts.items() if "/licenses/" in n}, failures)
        programs = [os.path.join(unpacked, top, p) for p in PROGRAMS if os.path.exists(os.path.join(unpacked, top, p))]
        for exe in programs:
            check_imports(args.objdump, exe, failures)
        for exe in programs + args.also:
            check_version(exe, args.version, copyright_line, failures)
        wizard = os.path.join(unpacked, top, PROGRAMS[0])
        if os.path.exists(wizard):
            check_wizard_resources(wizard, failures)
    for line in failures.lines:
        print("FAILED:", line)
    if not failures.lines:
        print("passed")
    return 1 if failures.lines else 0


if __name__ == "__main__":
    sys.exit(main())
