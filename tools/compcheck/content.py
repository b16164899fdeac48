"""Loading the content SQL into a scratch SQLite database, shared by the generator and
the checker: the schema files first, then every content/data/*.sql of the given folders
together in file-name order, as the build loads them."""
import glob
import os
import sqlite3

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
OWN_FILES = ("ragas_x_alt.sql", "ragas_x_compositions.sql", "ragas_x_similar.sql",
             "ragas_x_film_songs.sql")
SCHEMA_FILES = ("shared.sql", "content.sql")


def parse_args(argv):
    """--schema DIR (default content/schema) and --data DIR ... (default content/data)."""
    schema, data, rest = None, [], []
    it = iter(argv)
    for a in it:
        if a == "--schema":
            schema = next(it)
        elif a == "--data":
            data.append(next(it))
        else:
            rest.append(a)
    schema = schema or os.path.join(ROOT, "content", "schema")
    data = data or [os.path.join(ROOT, "content", "data")]
    return schema, data, rest


def data_files(data_dirs, skip_own=False):
    files = {}
    for d in data_dirs:
        for p in glob.glob(os.path.join(d, "*.sql")):
            name = os.path.basename(p)
            if skip_own and name in OWN_FILES:
                continue
            files.setdefault(name, p)   # the first folder named wins for a file name
    return [files[n] for n in sorted(files)]


def load(schema_dir, data_dirs, skip_own=False):
    db = sqlite3.connect(":memory:")
    paths = [os.path.join(schema_dir, f) for f in SCHEMA_FILES
             if os.path.exists(os.path.join(schema_dir, f))]
    if not paths:
        raise SystemExit("no schema in %s" % schema_dir)
    paths += data_files(data_dirs, skip_own)
    for p in paths:
        with open(p, encoding="utf-8") as f:
            try:
                db.executescript(f.read())
            except sqlite3.Error as e:
                raise SystemExit("%s: %s" % (p, e))
    return db, paths


def ragas(db):
    """{name: (index, set of pitch classes)} and {index: name}."""
    notes = {i: t for i, t in db.execute('SELECT "Raga Index", "Raga Note Ids" FROM "Raga - Notes"')}
    from notation import NAMES
    by_name, by_index = {}, {}
    for name, idx in db.execute('SELECT "Raga", "Raga Index" FROM "RagaNameList"'):
        ids = [int(x) for x in (notes.get(idx) or "").split()]
        by_name[name] = (idx, {NAMES[k % 12 + 12] for k in ids})
        by_index[idx] = name
    return by_name, by_index


def talas(db):
    """{name: (id, beats)} and {id: beats}."""
    rows = db.execute('SELECT "Tala Id", "Tala Name", "Beat Count" FROM "Tala - Technical Information"')
    by_name, beats = {}, {}
    for tid, name, count in rows:
        by_name[name] = (tid, count)
        beats[tid] = count
    return by_name, beats
