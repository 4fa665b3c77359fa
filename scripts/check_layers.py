#!/usr/bin/env python3
"""Checks the lines between the parts of the tree, from their #include lines.

  check_layers.py layer DIR --allow A,B,...   one layer of db/: DIR includes
                                              from db/ only the listed folders
  check_layers.py tree --layers FILE          every line below but the tools one
  check_layers.py tools                       the command line's line

The lines:
  - ydbcln/ includes from db/ only db/api/ and the vocabulary db/base/;
  - db/ never includes ydbcln/; inside db/, a layer includes only the layers
    it declares (FILE, written by the build: "layer: allowed layers...");
  - only text/ calls iconv;
  - the generator (world/) and the importers (exchange/) write no SQL;
  - the command line (tools/) includes only installed public headers: the
    library's classes, db/api, db/base, text/sjis.h, world/Generator.h and
    exchange/Exchange.h.

Tests (*_test.cpp, *_test.h) may build their fixtures with any part and are
not checked. Prints each crossing as FILE:LINE: what; exits 1 when there is
any.
"""
import argparse
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]')
SOURCE_SUFFIXES = ('.h', '.cpp')
SQL_WRITE = re.compile(r'"[^"]*\b(INSERT\s+INTO|UPDATE\s+\w+\s+SET|DELETE\s+FROM|CREATE\s+'
                       r'(TABLE|INDEX)|DROP\s+(TABLE|INDEX)|REPLACE\s+INTO)\b', re.I)
ICONV = re.compile(r'\biconv(_open|_close)?\s*\(|<iconv\.h>')
PROJECT_FOLDERS = ('db', 'ydbcln', 'text', 'world', 'exchange', 'testing', 'bench', 'tools')


def is_test(path):
    name = os.path.basename(path)
    return name.endswith('_test.cpp') or name.endswith('_test.h')


def sources(folder):
    """Every non-test source file under `folder` (relative to the root)."""
    top = os.path.join(ROOT, folder)
    for base, dirs, files in os.walk(top):
        dirs.sort()
        for name in sorted(files):
            path = os.path.join(base, name)
            if name.endswith(SOURCE_SUFFIXES) and not is_test(path):
                yield os.path.relpath(path, ROOT)


def lines(path):
    with open(os.path.join(ROOT, path), encoding='utf-8', errors='replace') as f:
        for number, text in enumerate(f, 1):
            yield number, text


def includes(path):
    for number, text in lines(path):
        m = INCLUDE.match(text)
        if m:
            yield number, m.group(1)


class Report:
    def __init__(self):
        self.faults = 0

    def fault(self, path, number, what):
        print(f'{path}:{number}: {what}')
        self.faults += 1


def db_folder(header):
    parts = header.split('/')
    return parts[1] if len(parts) > 2 and parts[0] == 'db' else None


def check_layer(report, folder, allowed):
    for path in sources(folder):
        for number, header in includes(path):
            layer = db_folder(header)
            if layer is not None and layer not in allowed:
                report.fault(path, number, f'{folder} may not include {header} '
                             f'(it uses only {", ".join(sorted(allowed))})')


def read_layers(path):
    layers = {}
    with open(path, encoding='utf-8') as f:
        for text in f:
            if ':' in text:
                name, allowed = text.split(':', 1)
                layers[name.strip()] = set(allowed.split()) | {name.strip()}
    return layers


def check_tree(report, layers):
    for name, allowed in sorted(layers.items()):
        check_layer(report, 'db/' + name, allowed)
    for path in sources('db'):
        for number, header in includes(path):
            if header.startswith('ydbcln/'):
                report.fault(path, number, f'db/ never includes the library: {header}')
    for path in sources('ydbcln'):
        for number, header in includes(path):
            layer = db_folder(header)
            if layer is not None and layer not in ('api', 'base'):
                report.fault(path, number, f'the library reaches the data only through db/api: '
                             f'{header}')
            if header == 'sqlite3.h':
                report.fault(path, number, 'the library never includes SQLite')
    for folder in ('db', 'ydbcln', 'world', 'exchange', 'tools'):
        for path in sources(folder):
            for number, text in lines(path):
                if ICONV.search(text):
                    report.fault(path, number, 'only text/ calls iconv')
    for folder in ('world', 'exchange'):
        for path in sources(folder):
            for number, text in lines(path):
                if SQL_WRITE.search(text):
                    report.fault(path, number, 'the generator and the importers write through '
                                 'the writer, not SQL of their own')


def check_tools(report, public):
    for path in sources('tools'):
        for number, header in includes(path):
            own = header.split('/')[0] in PROJECT_FOLDERS
            if own and header not in public:
                report.fault(path, number, f'the command line includes only installed public '
                             f'headers: {header}')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    sub = parser.add_subparsers(dest='command', required=True)
    layer = sub.add_parser('layer')
    layer.add_argument('folder')
    layer.add_argument('--allow', required=True)
    tree = sub.add_parser('tree')
    tree.add_argument('--layers', required=True)
    tools = sub.add_parser('tools')
    tools.add_argument('--public', required=True,
                       help='the installed public headers, one a line (written by the build)')
    args = parser.parse_args()

    report = Report()
    if args.command == 'layer':
        check_layer(report, args.folder, set(filter(None, args.allow.split(','))))
    elif args.command == 'tree':
        check_tree(report, read_layers(args.layers))
    else:
        with open(args.public, encoding='utf-8') as f:
            check_tools(report, {line.strip() for line in f if line.strip()})
    return 1 if report.faults else 0


if __name__ == '__main__':
    sys.exit(main())
