#!/usr/bin/env python3
"""Packs the style files (appearance/styles/*.style) for embedding in the program.

Reads and checks every style file, writes each one packed (appearance/style_catalogue.h
describes the text and the packed form) to OUT_DIR/<RESOURCE>.tws, an .rc fragment that
embeds them as resources of type TWSTYLE, and a C++ table of the same bytes for the tests.

Usage: pack-styles.py --out-dir DIR --rc FILE.rc --table FILE.cpp STYLE...
Exits non-zero with a message naming the file and line when a style file is not valid.
"""
import argparse
import os
import re
import sys
import zlib

# The colour roles' table of the program, whose order the packed text follows.
COLOR_ROLES_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "appearance", "color_roles.h")


def colour_keys(header):
    """The file keys of the colour roles, in the order the program's table gives them."""
    keys = []
    with open(header, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.lstrip().startswith("ROLE("):
                continue
            role = re.match(r'\s*ROLE\(\w+, L"([a-z-]+)", \w+\)', line)
            if not role:
                raise SystemExit(f"pack-styles: {header}:{number}: not a role as ROLE(Name, L\"key\", COLOR_...)")
            keys.append(role.group(1))
    if not keys:
        raise SystemExit(f"pack-styles: {header} lists no colour roles")
    return keys


COLOUR_KEYS = colour_keys(COLOR_ROLES_HEADER)
# The order of the packed text; every key is required exactly once.
KEYS = ["name"] + COLOUR_KEYS + ["corner-radius", "border-width", "gradient"]
MAX_CORNER_RADIUS = 16
MAX_BORDER_WIDTH = 4
MAX_NAME_LENGTH = 64
MAX_TEXT_SIZE = 16 * 1024
SYSTEM_STYLE = "Windows"

MIN_MATCH = 4
MAX_MATCH = 0x7F + MIN_MATCH
MAX_LITERALS = 0x80
MAX_DISTANCE = 0x10000


class StyleError(Exception):
    pass


def resource_name(style_name):
    """Upper case without spaces; Windows10 and Windows11 lose their two digits."""
    rest = style_name
    prefix = ""
    if rest[:9].lower() in ("windows10", "windows11"):
        prefix = "WINDOWS"
        rest = rest[9:]
    return prefix + "".join(c.upper() if "a" <= c <= "z" else c for c in rest if c != " ")


def file_stem(style_name):
    return style_name.lower().replace(" ", "-")


def check_value(key, value):
    if key == "name":
        if not (0 < len(value) <= MAX_NAME_LENGTH) or not re.fullmatch(r"[\x20-\x7e]+", value) \
                or "  " in value:
            raise StyleError(f"name {value!r}: printable ASCII, at most {MAX_NAME_LENGTH} characters")
        if value.lower() == SYSTEM_STYLE.lower():
            raise StyleError(f"{SYSTEM_STYLE!r} is the plain system look, not a style file")
    elif key in COLOUR_KEYS:
        if not re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            raise StyleError(f"{key}: {value!r} is no colour (#RRGGBB)")
        value = value.upper()
    elif key in ("corner-radius", "border-width"):
        limit = MAX_CORNER_RADIUS if key == "corner-radius" else MAX_BORDER_WIDTH
        if not re.fullmatch(r"[0-9]{1,2}", value) or int(value) > limit:
            raise StyleError(f"{key}: {value!r} is not a whole number from 0 to {limit}")
        value = str(int(value))
    elif key == "gradient":
        if value not in ("yes", "no"):
            raise StyleError(f"gradient: {value!r} is neither yes nor no")
    return value


def read_style(path):
    """The style file's values by key, checked."""
    values = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip(" \t\r\n")
            if not line or line.startswith("#"):
                continue
            try:
                if "=" not in line:
                    raise StyleError("expected key = value")
                key, value = (part.strip(" \t") for part in line.split("=", 1))
                if key not in KEYS:
                    raise StyleError(f"unknown key {key!r}")
                if key in values:
                    raise StyleError(f"{key} given twice")
                values[key] = check_value(key, value)
            except StyleError as e:
                raise StyleError(f"{path}:{number}: {e}") from None
    missing = [k for k in KEYS if k not in values]
    if missing:
        raise StyleError(f"{path}: missing {', '.join(missing)}")
    stem = os.path.splitext(os.path.basename(path))[0]
    if stem != file_stem(values["name"]):
        raise StyleError(f"{path}: a style named {values['name']!r} belongs in {file_stem(values['name'])}.style")
    return values


def compress(data):
    """Literal runs and repeats (see appearance/style_catalogue.h), greedy longest match."""
    out = bytearray()
    literals = bytearray()
    chains = {}

    def flush():
        for i in range(0, len(literals), MAX_LITERALS):
            run = literals[i:i + MAX_LITERALS]
            out.append(len(run) - 1)
            out.extend(run)
        literals.clear()

    def remember(position):
        if position + MIN_MATCH <= len(data):
            chains.setdefault(data[position:position + MIN_MATCH], []).append(position)

    i = 0
    while i < len(data):
        best_length, best_distance = 0, 0
        for start in reversed(chains.get(data[i:i + MIN_MATCH], [])):
            if i - start > MAX_DISTANCE:
                break
            length = 0
            while length < MAX_MATCH and i + length < len(data) and data[start + length] == data[i + length]:
                length += 1
            if length > best_length:
                best_length, best_distance = length, i - start
        if best_length >= MIN_MATCH:
            flush()
            out.append(0x80 | (best_length - MIN_MATCH))
            out.extend((best_distance - 1).to_bytes(2, "little"))
            for k in range(best_length):
                remember(i + k)
            i += best_length
        else:
            literals.append(data[i])
            remember(i)
            i += 1
    flush()
    return bytes(out)


def pack(values):
    text = "".join(f"{key}={values[key]}\n" for key in KEYS).encode("ascii")
    if len(text) > MAX_TEXT_SIZE:
        raise StyleError(f"{values['name']}: text longer than {MAX_TEXT_SIZE} bytes")
    header = b"TWS1" + len(text).to_bytes(4, "little") + zlib.crc32(text).to_bytes(4, "little")
    return header + compress(text)


def write(path, content):
    # Always written: the resource compiler's output depends on the .rc file's time.
    if isinstance(content, bytes):
        with open(path, "wb") as f:
            f.write(content)
    else:
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(content)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--rc", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("styles", nargs="+")
    args = parser.parse_args()

    packed = {}
    try:
        owners = {}
        for path in sorted(args.styles):
            values = read_style(path)
            resource = resource_name(values["name"])
            if resource in owners:
                raise StyleError(f"{path}: {values['name']!r} and {owners[resource]!r} "
                                 f"would share resource {resource}")
            owners[resource] = values["name"]
            packed[resource] = pack(values)
    except (StyleError, OSError, UnicodeDecodeError) as e:
        print(f"pack-styles: {e}", file=sys.stderr)
        return 1

    os.makedirs(args.out_dir, exist_ok=True)
    rc = ["// Generated by tools/pack-styles.py from appearance/styles: the embedded style files.\n"]
    table = [
        "// Generated by tools/pack-styles.py from appearance/styles: the packed style files.\n",
        '#include "packed_styles.h"\n\n',
        "namespace tw::appearance::testing {\n\n",
        "const std::vector<PackedStyle>& PackedStyles()\n{\n",
        "    static const std::vector<PackedStyle> styles = {\n",
    ]
    for resource in sorted(packed):
        data = packed[resource]
        path = os.path.abspath(os.path.join(args.out_dir, resource + ".tws"))
        write(path, data)
        rc.append(f'{resource} TWSTYLE "{path.replace(os.sep, "/")}"\n')
        rows = ",".join(str(b) for b in data)
        table.append(f'        {{L"{resource}", {{{rows}}}}},\n')
    table.append("    };\n    return styles;\n}\n\n}  // namespace tw::appearance::testing\n")
    write(args.rc, "".join(rc))
    write(args.table, "".join(table))
    return 0


if __name__ == "__main__":
    sys.exit(main())
