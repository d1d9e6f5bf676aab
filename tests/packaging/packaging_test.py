#!/usr/bin/env python3
"""Checks of the installed Umlo: the install tree, the desktop entry, the
AppStream description, the manual pages and the Debian package.

Usage: packaging_test.py CHECK BUILD_DIR SOURCE_DIR, where CHECK is one of
install-tree, desktop, metainfo, man, deb. A check whose tool is missing exits
with 77, which CTest reports as skipped.
"""

import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

# Every file an installation holds, relative to its prefix; nothing else.
EXPECTED_FILES = sorted(
    [
        "bin/umlo",
        "bin/umlo-cli",
        "share/umlo/umlox.dat",
        "share/umlo/umlo_regexpr.dat",
        "share/umlo/morphs.dat",
        "share/applications/umlo.desktop",
        "share/metainfo/ru.umlo.umlo.metainfo.xml",
        "share/icons/hicolor/scalable/apps/umlo.svg",
        "share/man/man1/umlo.1.gz",
        "share/man/man1/umlo-cli.1.gz",
        "share/man/ru/man1/umlo.1.gz",
        "share/man/ru/man1/umlo-cli.1.gz",
        "share/doc/umlo/copyright",
        "share/doc/umlo/LICENSE.hunspell-ru",
        "share/doc/umlo/LICENSE.opencorpora",
        "share/doc/umlo/changelog.gz",
        "share/lintian/overrides/umlo",
    ]
    + [f"share/icons/hicolor/{s}x{s}/apps/umlo.png" for s in ICON_SIZES]
)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def run(args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def need(tool):
    if shutil.which(tool) is None:
        print(f"SKIP: {tool} is not installed (scripts/setup.sh installs it)")
        sys.exit(SKIP)


def program_version(source):
    with open(os.path.join(source, "documents/update_check.h"), encoding="utf-8") as f:
        match = re.search(r'kProgramVersion = "([^"]+)"', f.read())
    check(match, "no kProgramVersion in documents/update_check.h")
    return match.group(1)


def dictionary_version(path):
    with open(path, encoding="cp1251") as f:
        for line in f:
            if line.startswith("#") and "Версия:" in line:
                version = line.split("Версия:", 1)[1].strip()
                if version:
                    return version
    return ""


def files_under(root):
    found = []
    for folder, _, names in os.walk(root):
        for name in names:
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def install(build, prefix):
    result = run(["cmake", "--install", build, "--prefix", prefix])
    check(result.returncode == 0, f"cmake --install failed:\n{result.stdout}{result.stderr}")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    check(head[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is no PNG")
    return struct.unpack(">II", head[16:24])


def clean_environment(home):
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"), LC_ALL="C.UTF-8")
    env.pop("QT_QPA_PLATFORM", None)
    return env


def check_install_tree(build, source):
    with tempfile.TemporaryDirectory() as work:
        prefix = os.path.join(work, "usr")
        install(build, prefix)
        check(files_under(prefix) == EXPECTED_FILES,
              "installed files differ:\n  missing: "
              + ", ".join(sorted(set(EXPECTED_FILES) - set(files_under(prefix))))
              + "\n  unexpected: "
              + ", ".join(sorted(set(files_under(prefix)) - set(EXPECTED_FILES))))
        for name in ("bin/umlo", "bin/umlo-cli"):
            check(os.access(os.path.join(prefix, name), os.X_OK), f"{name} is not executable")
        for size in ICON_SIZES:
            png = os.path.join(prefix, f"share/icons/hicolor/{size}x{size}/apps/umlo.png")
            check(png_size(png) == (size, size), f"{png} is {png_size(png)}, not {size}x{size}")

        # The menu entry starts an installed program with an installed icon.
        with open(os.path.join(prefix, "share/applications/umlo.desktop"), encoding="utf-8") as f:
            entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        check(entry["Exec"].split()[0] == "umlo", f"Exec={entry['Exec']}")
        check(entry["Icon"] == "umlo", f"Icon={entry['Icon']}")

        # Started from elsewhere, the installed programs find their data in share/umlo
        # and write nothing into the installation.
        home = os.path.join(work, "home")
        texts = os.path.join(home, "тексты")
        os.makedirs(texts)
        env = clean_environment(home)
        data = os.path.join(prefix, "share/umlo")
        version = program_version(source)
        dic_version = dictionary_version(os.path.join(source, "data/umlox.dat"))
        for program in ("umlo-cli", "umlo"):
            shown = run([os.path.join(prefix, "bin", program), "--version"], cwd=texts, env=env)
            check(shown.returncode == 0, f"{program} --version: {shown.stderr}")
            lines = shown.stdout.splitlines()
            check(lines[0] == f"{program} {version}", f"{program} --version: {lines}")
            check(lines[1] == f"Основной словарь: {data}/umlox.dat, версия {dic_version}",
                  f"{program} --version: {lines[1]}")
            check(lines[2].startswith(f"Словарь регулярных выражений: {data}/umlo_regexpr.dat"),
                  f"{program} --version: {lines[2]}")
        usage = run([os.path.join(prefix, "bin/umlo"), "--help"], cwd=texts, env=env)
        check(usage.returncode == 0 and "--version" in usage.stdout and "/t" in usage.stdout,
              f"umlo --help: {usage.stdout}{usage.stderr}")

        with open(os.path.join(texts, "книга.txt"), "w", encoding="utf-8") as f:
            f.write("Еще мед.\n")
        restored = run([os.path.join(prefix, "bin/umlo-cli"), "restore", "книга.txt",
                        "-o", "итог.txt"], cwd=texts, env=env)
        check(restored.returncode == 0, f"umlo-cli restore: {restored.stderr}")
        with open(os.path.join(texts, "итог.txt"), encoding="utf-8") as f:
            check(f.read() == "Ещё мёд.\n", "the installed umlo-cli did not restore ё")
        check(files_under(prefix) == EXPECTED_FILES, "running the programs changed the installation")


def check_desktop(build, source):
    need("desktop-file-validate")
    result = run(["desktop-file-validate", os.path.join(source, "packaging/umlo.desktop")])
    # Hints are advice; errors and warnings are faults.
    faults = [l for l in result.stdout.splitlines() if re.search(r": (error|warning): ", l)]
    check(result.returncode == 0 and not faults, result.stdout + result.stderr)


def check_metainfo(build, source):
    need("appstreamcli")
    path = os.path.join(source, "packaging/umlo.metainfo.xml")
    result = run(["appstreamcli", "validate", "--no-net", path])
    check(result.returncode == 0, result.stdout + result.stderr)
    root = ET.parse(path).getroot()
    launchable = root.find("launchable").text
    check(launchable == "umlo.desktop", f"launchable {launchable}")
    # The newest release listed is the program's own version.
    newest = root.find("releases/release").get("version")
    check(newest == program_version(source),
          f"metainfo's newest release {newest}, program {program_version(source)}")
    langs = {s.get("{http://www.w3.org/XML/1998/namespace}lang") for s in root.findall("summary")}
    check(langs == {None, "ru"}, f"summary languages {langs}")
    check(root.find("screenshots/screenshot/image") is not None, "no screenshot")
    installed = f"share/metainfo/{root.find('id').text}.metainfo.xml"
    check(installed in EXPECTED_FILES, f"the installed description is not {installed}")

    # Installed, it is checked with the menu entry and the icons beside it.
    with tempfile.TemporaryDirectory() as work:
        install(build, os.path.join(work, "usr"))
        tree = run(["appstreamcli", "validate-tree", "--no-net", work])
        check(tree.returncode == 0, "validate-tree:\n" + tree.stdout + tree.stderr)


def man_page_text(page):
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
    result = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page], env=env)
    check(result.returncode == 0 and not result.stderr.strip(),
          f"{page}: groff warnings:\n{result.stderr}")
    # Wide enough that no option is broken across lines.
    plain = run(["man", "-l", page], env=dict(env, MANWIDTH="400"))
    return plain.stdout


# The section names of each language's pages: the usual ones, and the one
# that lists the exit codes.
MAN_SECTIONS = {
    "": (["NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "FILES"], "EXIT STATUS"),
    "ru": (["ИМЯ", "СИНТАКСИС", "ОПИСАНИЕ", "ПАРАМЕТРЫ", "ФАЙЛЫ"], "КОД ВОЗВРАТА"),
}


def check_man(build, source):
    need("man")
    # Every option umlo-cli accepts is in its manual, and every exit code.
    usage = run([os.path.join(build, "bin/umlo-cli"), "--help"]).stdout
    options = set(re.findall(r"(?<![\w-])(--[a-z][a-z0-9-]*|-[a-zA-Z])\b", usage))
    check(len(options) > 20, f"too few options found in --help: {options}")
    with open(os.path.join(source, "cli/restore_command.h"), encoding="utf-8") as f:
        codes = re.findall(r"constexpr int kExit\w+ = (\d+);", f.read())
    check(codes, "no exit codes in cli/restore_command.h")

    for language, (sections, exit_section) in MAN_SECTIONS.items():
        pages = os.path.join(build, "packaging/man", language)
        cli_page = man_page_text(os.path.join(pages, "umlo-cli.1.gz"))
        window_page = man_page_text(os.path.join(pages, "umlo.1.gz"))
        for page, text in (("umlo-cli", cli_page), ("umlo", window_page)):
            for section in sections:
                check(f"\n{section}" in text, f"{language} {page}(1) has no {section} section")
        missing = sorted(o for o in options if o not in cli_page)
        check(not missing, f"{language} umlo-cli(1) lacks {missing}")
        status = cli_page.split(exit_section, 1)[1].split("\n" + sections[-1], 1)[0]
        for code in codes:
            check(re.search(rf"^\s+{code}\s", status, re.M),
                  f"{language} umlo-cli(1): exit code {code} not under {exit_section}")
        for option in ("--help", "--version", "/t"):
            check(option in window_page, f"{language} umlo(1) lacks {option}")


def check_deb(build, source):
    for tool in ("cpack", "dpkg-deb", "dpkg-shlibdeps"):
        need(tool)
    with tempfile.TemporaryDirectory() as work:
        result = run(["cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"),
                      "-B", work])
        check(result.returncode == 0, f"cpack failed:\n{result.stdout}{result.stderr}")
        debs = [n for n in os.listdir(work) if n.endswith(".deb")]
        check(len(debs) == 1, f"cpack made {debs}")
        deb = os.path.join(work, debs[0])

        fields = run(["dpkg-deb", "-f", deb]).stdout
        field = dict(re.findall(r"^(\S+): (.*)$", fields, re.M))
        version = re.sub(r"^([0-9.]+)([A-Za-z].*)$", r"\1~\2", program_version(source))
        arch = run(["dpkg", "--print-architecture"]).stdout.strip()
        check(field.get("Package") == "umlo", fields)
        check(field.get("Version") == version, f"Version {field.get('Version')}, want {version}")
        check(debs[0] == f"umlo_{version}_{arch}.deb", f"package file {debs[0]}")
        check(field.get("Architecture") == arch, fields)
        depends = [d.strip().split()[0] for d in field.get("Depends", "").split(",")]
        # From dpkg-shlibdeps: the C library, Qt, PCRE2, curl; and the platform plugins.
        for package in ("libc6", "libstdc++6", "libqt6widgets6", "libpcre2-8-0", "libcurl4",
                        "qt6-qpa-plugins"):
            check(package in depends, f"Depends lacks {package}: {field.get('Depends')}")
        # The editor uses Qt's private text classes, whose symbols dpkg-shlibdeps
        # ties to the one Qt they were built with.
        qt = run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"]).stdout
        qt = re.sub(r"[+~-].*$", "", qt)
        check(f"qt6-base-abi (= {qt})" in field.get("Depends", ""),
              f"Depends lacks qt6-base-abi (= {qt}): {field.get('Depends')}")

        listing = run(["dpkg-deb", "-c", deb]).stdout.splitlines()
        files = {}
        for line in listing:
            parts = line.split()
            mode, owner, name = parts[0], parts[1], parts[-1]
            check(owner == "root/root", f"{name} owned by {owner}")
            if not mode.startswith("d"):
                files[name.removeprefix("./usr/")] = mode
        check(sorted(files) == EXPECTED_FILES,
              "package files differ:\n  missing: "
              + ", ".join(sorted(set(EXPECTED_FILES) - set(files)))
              + "\n  unexpected: " + ", ".join(sorted(set(files) - set(EXPECTED_FILES))))
        for name, mode in files.items():
            want = "-rwxr-xr-x" if name.startswith("bin/") else "-rw-r--r--"
            check(mode == want, f"{name} has mode {mode}")

        # Debian's own judgement of the package, where its checker is installed.
        if shutil.which("lintian"):
            verdict = run(["lintian", "--allow-root", deb])
            faults = [l for l in verdict.stdout.splitlines() if l[:2] in ("E:", "W:")]
            check(not faults, "lintian:\n" + verdict.stdout + verdict.stderr)


CHECKS = {
    "install-tree": check_install_tree,
    "desktop": check_desktop,
    "metainfo": check_metainfo,
    "man": check_man,
    "deb": check_deb,
}


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in CHECKS:
        print(__doc__)
        return 2
    try:
        CHECKS[sys.argv[1]](os.path.abspath(sys.argv[2]), os.path.abspath(sys.argv[3]))
    except Failure as failure:
        print(f"FAIL: {failure}")
        return 1
    print(f"{sys.argv[1]}: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
