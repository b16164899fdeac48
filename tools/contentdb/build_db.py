#!/usr/bin/env python3
"""Builds a database file from SQL sources, loaded in the order given.

    build_db.py --output share/velmora/mrA.kzy schema/shared.sql schema/content.sql data/*.sql ...

Each file is run statement by statement; the first failing statement stops the build
with its file, line and SQLite's message, and no output file is left behind. The file
is written under a temporary name and renamed when complete, so a failed or interrupted
build never leaves a half-filled database in place.
"""

import argparse
import os
import sqlite3
import sys


class BuildError(Exception):
    pass


def statements(path):
    """Yields (line number, text) for each complete statement of the file."""
    with open(path, encoding="utf-8") as f:
        pending, start = "", 0
        for number, line in enumerate(f, 1):
            if not pending.strip():
                pending, start = "", number
            pending += line
            if sqlite3.complete_statement(pending):
                yield start, pending
                pending = ""
        if pending.strip() and not all(
            l.strip().startswith("--") or not l.strip() for l in pending.splitlines()
        ):
            raise BuildError(f"{path}:{start}: statement without a closing ';'")


def build(output, sources):
    temp = output + ".tmp"
    if os.path.exists(temp):
        os.remove(temp)
    db = sqlite3.connect(temp, isolation_level=None)
    try:
        db.execute("PRAGMA journal_mode = MEMORY")
        db.execute("PRAGMA synchronous = OFF")
        for path in sources:
            for line, text in statements(path):
                try:
                    db.executescript(text)
                except sqlite3.Error as e:
                    raise BuildError(f"{path}:{line}: {e}") from None
        problems = db.execute("PRAGMA integrity_check").fetchone()[0]
        if problems != "ok":
            raise BuildError(f"{output}: integrity check failed: {problems}")
        db.execute("PRAGMA journal_mode = DELETE")
        db.execute("VACUUM")
    except BaseException:
        db.close()
        os.remove(temp)
        raise
    db.close()
    os.replace(temp, output)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", required=True, help="the database file to write")
    parser.add_argument("sources", nargs="+", help="SQL files, loaded in this order")
    args = parser.parse_args()
    try:
        build(args.output, args.sources)
    except (BuildError, OSError) as e:
        print(f"build_db: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
