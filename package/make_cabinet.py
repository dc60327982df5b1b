#!/usr/bin/env python3
"""Makes the device's cabinet from its setup description.

Reads _setup.xml, stores every file its FileOperation Extract entries name
under the cabinet name their Source gives, the setup library (the Install
characteristic's SetupDLL) under its 8.3 stem with the extension .999, and
_setup.xml itself, into one MS-CAB with gcab. Files are taken from the build's
output folder, else from package/; programs and libraries go in stripped, as a
device gets them.

  make_cabinet.py --setup-xml package/_setup.xml --bin build/bin --src package \
                  --strip x86_64-w64-mingw32-strip --gcab gcab --out build/package/Tovira.cab
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SHORT_NAME = re.compile(r"^[A-Z0-9_~!#$&'()@^{}-]{1,8}\.[0-9]{3}$")
SETUP_DLL_EXTENSION = "999"


def fail(message):
    sys.exit(f"package: {message}")


def short_stem(name):
    """The 8.3 stem of a file name, as the cabinet stores it."""
    stem = re.sub(r"[^A-Z0-9_]", "_", os.path.splitext(name)[0].upper())
    return stem if len(stem) <= 8 else stem[:6] + "~1"


def read_description(path):
    """(setup library name or None, [(device file name, cabinet name)], NumFiles)."""
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        fail(f"{path} is not well-formed XML: {e}")
    if root.tag != "wap-provisioningdoc":
        fail(f"{path}: the root element is <{root.tag}>")
    setup_dll, declared, files = None, None, []
    for install in root.findall("./characteristic[@type='Install']"):
        for parm in install.findall("parm"):
            if parm.get("name") == "SetupDLL":
                setup_dll = parm.get("value")
            if parm.get("name") == "NumFiles":
                declared = int(parm.get("value"))
    for folder in root.findall("./characteristic[@type='FileOperation']/characteristic"):
        for entry in folder.findall("characteristic"):
            source = entry.find("./characteristic[@type='Extract']/parm[@name='Source']")
            if source is not None:
                files.append((entry.get("type"), source.get("value")))
    return setup_dll, files, declared


def check(files, declared):
    seen = set()
    for name, source in files:
        if not SHORT_NAME.match(source or ""):
            fail(f"the Source of {name}, '{source}', is not an 8.3 name with a numbered extension")
        if source.endswith("." + SETUP_DLL_EXTENSION):
            fail(f"the Source of {name} takes the extension reserved for the setup library")
        if source.upper() in seen:
            fail(f"two files are stored as {source}")
        seen.add(source.upper())
    if declared is not None and declared != len(files):
        fail(f"NumFiles says {declared}, the document extracts {len(files)} files")


def stage_file(name, stored, args, stage):
    built = os.path.join(args.bin, name)
    source = built if os.path.isfile(built) else os.path.join(args.src, name)
    if not os.path.isfile(source):
        return False
    target = os.path.join(stage, stored)
    if name.lower().endswith((".dll", ".exe")):
        subprocess.run([args.strip, "-o", target, source], check=True)
    else:
        shutil.copyfile(source, target)
    return True


def main():
    parser = argparse.ArgumentParser()
    for option in ("--setup-xml", "--bin", "--src", "--strip", "--gcab", "--out"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    setup_dll, files, declared = read_description(args.setup_xml)
    check(files, declared)
    if setup_dll:
        files.append((setup_dll, f"{short_stem(setup_dll)}.{SETUP_DLL_EXTENSION}"))
    with tempfile.TemporaryDirectory() as stage:
        missing = [name for name, stored in files if not stage_file(name, stored, args, stage)]
        if missing:
            fail(f"not built: {' '.join(missing)}")
        shutil.copyfile(args.setup_xml, os.path.join(stage, "_setup.xml"))
        stored = ["_setup.xml"] + [s for _, s in files]
        os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
        if os.path.exists(args.out):
            os.remove(args.out)
        # -n: no folders in the stored names; -z: MSZIP, which the device expands.
        subprocess.run([args.gcab, "-c", "-n", "-z", os.path.abspath(args.out)] + stored,
                       cwd=stage, check=True)


if __name__ == "__main__":
    main()
