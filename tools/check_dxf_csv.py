#!/usr/bin/env python3
"""pack_job's DXF and CSV against readers and writers no one here wrote: ezdxf
writes the drawings pack_job reads (and those it must refuse), reads back the
drawings it writes, and Python's csv module reads its cutting list.

usage: check_dxf_csv.py PACK_JOB WORK_DIR"""
import csv
import pathlib
import shutil
import subprocess
import sys

import ezdxf

pack_job, work = sys.argv[1], pathlib.Path(sys.argv[2])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)


def drawing(name, add, units=4):
    document = ezdxf.new("R2000")
    document.units = units
    add(document.modelspace())
    document.saveas(work / name)
    return work / name


def run(*arguments):
    return subprocess.run([pack_job, *map(str, arguments)], capture_output=True, text=True)


def corners(points):
    return sorted((round(x), round(y)) for x, y in points)


# Inputs: an L and a T as light-weight polylines, a rectangle as an old-style
# one, an off-cut; text beside them is passed over.
def add_parts(space):
    space.add_lwpolyline([(0, 0), (300, 0), (300, 100), (100, 100), (100, 250), (0, 250)], close=True)
    space.add_lwpolyline([(0, 0), (240, 0), (240, 60), (150, 60), (150, 200), (90, 200), (90, 60), (0, 60)],
                         close=True)
    space.add_polyline2d([(0, 0), (120, 0), (120, 80), (0, 80)], close=True)
    space.add_text("parts drawn elsewhere", dxfattribs={"insert": (0, 400)})


parts_dxf = drawing("bracket.dxf", add_parts)
hosts_dxf = drawing("stock.dxf", lambda space: space.add_lwpolyline([(0, 0), (700, 0), (700, 500), (0, 500)],
                                                                    close=True))
job = work / "job"
job.write_text("sheet 1000 600\nblade 4\nunits mm\n"
               "part door 0,0 200,0 200,350 0,350 x3 rotate none\n"
               "part shelf 0,0 380,0 380,90 0,90 x2 rotate half\n"
               "part a,\"b 0,0 50,0 50,50 0,50\n"
               "part table 0,0 1200,0 1200,700 0,700\n")
out = work / "out"
packed = run("--parts-dxf", parts_dxf, "--hosts-dxf", hosts_dxf, "--dxf", out, "--csv", work / "list.csv", job)
assert packed.returncode == 3, (packed.returncode, packed.stderr)  # the table fits nowhere
assert "bracket.dxf: 3 part(s) read, in millimetres" in packed.stderr, packed.stderr
assert "set aside: part 'table' (1200 x 700) fits neither the 1000 x 600 sheet nor any off-cut" in packed.stderr

# The results text: group HOST, then "  NAME CORNERS" lines.
groups = []
for line in packed.stdout.splitlines():
    if line.startswith("group "):
        groups.append((line.split()[1], []))
    elif line.startswith("  "):
        name, *points = line.split()
        groups[-1][1].append((name, corners(tuple(map(int, p.split(","))) for p in points)))
assert sum(len(parts) for _, parts in groups) == 9, packed.stdout

# Every drawing read back: units, the host's outline, each part's outline and name on its layer.
drawings = sorted(out.glob("host-*.dxf"))
assert len(drawings) == len(groups), (drawings, groups)
hosts = {"-": corners([(0, 0), (1000, 0), (1000, 600), (0, 600)]),
         "stock-1": corners([(0, 0), (700, 0), (700, 500), (0, 500)])}
for path, (host, parts) in zip(drawings, groups):
    document = ezdxf.readfile(path)
    assert document.units == 4, path
    assert {"HOST", "PARTS", "PART_NAMES", "CUT_LINES", "LEFTOVER"} <= {layer.dxf.name for layer in document.layers}
    space = document.modelspace()
    outlines = lambda layer: sorted(corners(p.get_points("xy")) for p in space.query(f'LWPOLYLINE[layer=="{layer}"]'))
    assert all(p.closed for p in space.query("LWPOLYLINE")), path
    assert outlines("HOST") == [hosts[host]], path
    assert outlines("PARTS") == sorted(c for _, c in parts), path
    names = sorted(text.dxf.text for text in space.query('TEXT[layer=="PART_NAMES"]'))
    assert names == sorted(name for name, _ in parts), (path, names)
    assert len(parts) < 2 or space.query('LINE[layer=="CUT_LINES"]'), path
    assert outlines("LEFTOVER"), path

# The cutting list: each part where its first corner and turns put it, each host's totals.
with open(work / "list.csv", newline="") as file:
    rows = list(csv.DictReader(file))
given = {"door": [(0, 0), (200, 0), (200, 350), (0, 350)], "shelf": [(0, 0), (380, 0), (380, 90), (0, 90)],
         'a,"b': [(0, 0), (50, 0), (50, 50), (0, 50)],
         "bracket-1": [(0, 0), (300, 0), (300, 100), (100, 100), (100, 250), (0, 250)],
         "bracket-2": [(0, 0), (240, 0), (240, 60), (150, 60), (150, 200), (90, 200), (90, 60), (0, 60)],
         "bracket-3": [(0, 0), (120, 0), (120, 80), (0, 80)]}


def placed(name, x, y, turns):
    outline = given[name.rsplit("-", 1)[0] if name.rsplit("-", 1)[0] in ("door", "shelf") else name]
    for _ in range(turns):
        outline = [(-py, px) for px, py in outline]
    return corners((px - outline[0][0] + x, py - outline[0][1] + y) for px, py in outline)


part_rows = [row for row in rows if row["row"] == "part"]
assert [(r["host"], r["part"]) for r in part_rows] == [(h, n) for h, parts in groups for n, _ in parts], part_rows
for row, (name, outline) in zip(part_rows, [p for _, parts in groups for p in parts]):
    turns = int(row["quarter_turns"])
    assert placed(name, int(row["x"]), int(row["y"]), turns) == outline, row
    if name.startswith("door"):
        assert turns == 0, row  # never turned
    if name.startswith("shelf"):
        assert turns % 2 == 0, row  # end for end at most
host_rows = [row for row in rows if row["row"] == "host"]
assert [row["host"] for row in host_rows] == [host for host, _ in groups]
for row in host_rows:
    area = sum(float(r["area"]) for r in part_rows if r["host"] == row["host"])
    assert int(row["parts"]) == sum(r["host"] == row["host"] for r in part_rows), row
    assert abs(float(row["utilization"]) - area / float(row["area"])) < 1e-4, row
    assert float(row["leftover_area"]) == float(row["area"]) - area, row
assert [(r["row"], r["part"], r["area"]) for r in rows if r["row"] == "set-aside"] == [("set-aside", "table", "840000")]

# Drawings that must be refused, each with the file, the entity and the reason.
refused = {
    "arc": (lambda s: s.add_arc((0, 0), 50, 0, 90), "ARC 1 on layer '0': an arc"),
    "open": (lambda s: s.add_lwpolyline([(0, 0), (100, 0), (100, 50)]), "1 on layer '0': an open polyline"),
    "slanted": (lambda s: s.add_lwpolyline([(0, 0), (100, 0), (60, 50)], close=True),
                "the edge from 100,0 to 60,50 is neither horizontal nor vertical"),
    "inches": (lambda s: s.add_lwpolyline([(0, 0), (10, 0), (10, 5), (0, 5)], close=True),
               "drawn in inches, the job is in millimetres"),
}
for name, (add, reason) in refused.items():
    path = drawing(name + ".dxf", add, units=1 if name == "inches" else 4)
    answer = run("--parts-dxf", path, job)
    assert answer.returncode == 1 and f"pack_job: {path}: " in answer.stderr and reason in answer.stderr, \
        (name, answer.returncode, answer.stderr)
print("dxf and csv ok")
