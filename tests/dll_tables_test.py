#!/usr/bin/env python3
"""Checks what a vantrel.dll shows the Windows loader, read with MinGW's objdump
and the link map beside the DLL.

Usage: dll_tables_test.py --objdump OBJDUMP [--host EXE] DLL
  --host EXE  the executable the DLL imports the simulator's functions from;
              without it the import checks are left out.
Each check prints one line, "ok" or "FAIL" with the reason; the exit status
is 1 when any check fails.
"""
import argparse
import re
import subprocess
import sys

ENTRY_POINTS = {"ovcInit", "ovcExit", "ModuleDate", "GetModuleVersion"}
# The C run-time and the system calls it makes.
RUNTIME_DLLS = {"kernel32.dll", "msvcrt.dll"}
HOST_FUNCTION = re.compile(r"^(VESSEL[23]?::|oapi|InitLib\(|Date2Int\()")


def objdump_tables(objdump, dll):
    """The export names, the imports by DLL, the image base and the entry RVA."""
    text = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                          text=True).stdout
    exports = set()
    if "[Ordinal/Name Pointer] Table" in text:
        table = text.split("[Ordinal/Name Pointer] Table", 1)[1]
        for line in table.splitlines()[1:]:
            match = re.match(r"^\s*\[\s*\d+\]\s+(\S+)$", line)
            if not match:
                break
            exports.add(match.group(1))
    imports = {}
    current = None
    for line in text.splitlines():
        match = re.match(r"^\s*DLL Name: (\S+)$", line)
        if match:
            current = imports.setdefault(match.group(1), [])
            continue
        match = re.match(r"^\s*[0-9a-f]+\s+\d+\s+(\S+)$", line)
        if current is not None and match:
            current.append(match.group(1))
        elif not line.strip() and current is not None and current:
            current = None
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)$", text, re.M).group(1), 16)
    entry = int(re.search(r"^AddressOfEntryPoint\s+([0-9a-fA-F]+)$", text, re.M).group(1), 16)
    return exports, imports, base, entry


def demangled(cxxfilt, names):
    if not names:
        return []
    # The import table holds the names without the leading underscore that
    # x86 symbols carry: leave the first underscore alone.
    out = subprocess.run([cxxfilt, "--no-strip-underscore"], input="\n".join(names), check=True, capture_output=True,
                         text=True).stdout
    return out.splitlines()


def symbol_sources(map_path):
    """Each symbol of the link map: its address and the object that defined it."""
    symbols = {}
    source = None
    with open(map_path, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            section = re.match(r"^ \.\S+\s+0x[0-9a-f]+\s+0x[0-9a-f]+\s+(\S.*)$", line)
            if section:
                source = section.group(1).strip()
                continue
            symbol = re.match(r"^\s+0x([0-9a-f]+)\s+(\S+)$", line)
            if symbol and source:
                symbols[symbol.group(2)] = (int(symbol.group(1), 16), source)
    return symbols


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--host")
    parser.add_argument("dll")
    args = parser.parse_args()
    cxxfilt = re.sub(r"objdump$", "c++filt", args.objdump)
    exports, imports, base, entry = objdump_tables(args.objdump, args.dll)
    failures = []

    def check(name, holds, reason):
        print(f"{'ok  ' if holds else 'FAIL'} {name}" + ("" if holds else f": {reason}"))
        if not holds:
            failures.append(name)

    # The simulator finds the module by these four names, undecorated; nothing
    # else is exported, DllMain least of all.
    check("exports-exactly-the-entry-points", exports == ENTRY_POINTS,
          f"exports {sorted(exports)}")

    if args.host:
        # Imports come from the hosting executable and the C run-time only.
        others = {name for name in imports
                  if name.lower() not in RUNTIME_DLLS and name != args.host}
        check("imports-only-from-host-and-runtime", not others,
              f"also imports from {sorted(others)}")
        host_imports = demangled(cxxfilt, imports.get(args.host, []))
        check("imports-the-simulator-functions-from-the-host", bool(host_imports),
              f"imports nothing from {args.host}")
        strangers = [name for name in host_imports if not HOST_FUNCTION.match(name)]
        check("imports-nothing-else-from-the-host", not strangers,
              f"imports {strangers} from {args.host}")

    # The run-time's start-up is the entry point and calls DllMain; that
    # DllMain must be the module's own. Declared with another name, language
    # linkage or calling convention, the module's goes unused and the
    # run-time's default stub is linked in its place.
    symbols = symbol_sources(args.dll + ".map")
    # On x86 the start-up calls the WINAPI name, decorated with its argument
    # size; a plain "DllMain" there is a C function nobody calls. On x86-64
    # names are undecorated.
    def symbol(name):
        return symbols.get(name + "@12") or symbols.get(name)

    startup = symbol("DllMainCRTStartup")
    check("entry-point-is-the-run-time-start-up",
          startup is not None and startup[0] - base == entry,
          f"entry point RVA {entry:#x}, start-up at {startup}")
    dll_main = symbol("DllMain")
    check("dllmain-is-the-modules-own",
          dll_main is not None and "windows_loader.cpp.obj" in dll_main[1],
          f"DllMain comes from {dll_main[1] if dll_main else 'nowhere'}")

    print(f"{args.dll}: {len(failures)} checks failed" if failures else f"{args.dll}: all checks hold")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
