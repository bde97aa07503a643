#!/usr/bin/env python3
"""Writes a service host and/or a version label into a copy of the client executable.

Usage: patch-slot.py [--host NAME] [--version LABEL] IN OUT

The executable carries two fixed-width slots, found by their untouched contents
(a run of sentinel characters). Each value is written in GBK, followed by zero
bytes up to the full width. IN is never modified; OUT gets IN's permissions.
A slot that was patched before cannot be found again: patch a fresh build.
"""

import argparse
import re
import shutil
import sys

# name, sentinel character, width in bytes (the terminator follows)
SLOTS = {
    "host": ("水", 24),
    "version": ("啵", 16),
}

HOST_CHARACTERS = re.compile(r"^[A-Za-z0-9._:\[\]-]+$")


def encode_value(name, value):
    sentinel, width = SLOTS[name]
    if not value.strip():
        raise ValueError(f"the {name} must not be empty")
    if sentinel in value:
        raise ValueError(f"the {name} must not contain {sentinel}")
    if name == "host" and not HOST_CHARACTERS.match(value):
        raise ValueError("a host may hold only letters, digits and . - _ : [ ]")
    try:
        encoded = value.encode("gbk")
    except UnicodeEncodeError:
        raise ValueError(f"the {name} has characters GBK cannot hold")
    if len(encoded) > width:
        raise ValueError(f"the {name} is {len(encoded)} bytes in GBK; the slot holds {width}")
    return encoded + b"\0" * (width - len(encoded))


def find_slot(data, name):
    sentinel, width = SLOTS[name]
    pattern = sentinel.encode("gbk") * (width // 2) + b"\0"
    first = data.find(pattern)
    if first < 0:
        raise ValueError(f"no untouched {name} slot found")
    if data.find(pattern, first + 1) >= 0:
        raise ValueError(f"more than one {name} slot found")
    return first


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--host")
    parser.add_argument("--version")
    parser.add_argument("input")
    parser.add_argument("output")
    args = parser.parse_args(argv)
    values = {k: v for k, v in (("host", args.host), ("version", args.version)) if v is not None}
    if not values:
        parser.error("give --host, --version or both")
    try:
        with open(args.input, "rb") as f:
            data = bytearray(f.read())
        for name, value in values.items():
            encoded = encode_value(name, value)
            offset = find_slot(data, name)
            data[offset:offset + len(encoded)] = encoded
        with open(args.output, "wb") as f:
            f.write(data)
        shutil.copymode(args.input, args.output)
    except (OSError, ValueError) as error:
        print(f"patch-slot: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
