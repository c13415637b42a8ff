#!/usr/bin/env python3
"""Packs a small job with pack_job --svg, draws it again from its results text
with --results, and checks that both give the same drawings, one per group,
that every file written is well-formed XML and that names read back as given.

usage: check_pictures.py PACK_JOB WORK_DIR"""
import pathlib
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

pack_job, work = sys.argv[1], pathlib.Path(sys.argv[2])
shutil.rmtree(work, ignore_errors=True)
work.mkdir(parents=True)
job = work / "job"
job.write_text("sheet 1000 500\nblade 4\nhost stock<1> 0,0 400,0 400,300 0,300\n"
               "part a<b&c 0,0 300,0 300,200 0,200\npart side 0,0 600,0 600,400 0,400\n"
               "part strip 0,0 20,0 20,300 0,300\npart dot 0,0 5,0 5,5 0,5\n")
results = subprocess.run([pack_job, "--svg", work / "packed", job], check=True, capture_output=True,
                         text=True).stdout
(work / "results").write_text(results)
subprocess.run([pack_job, "--svg", work / "drawn", "--results", work / "results", job], check=True)

groups = [line for line in results.splitlines() if line.startswith("group ")]
drawings = sorted(path.name for path in (work / "packed").glob("host-*.svg"))
assert len(drawings) == len(groups) == 2, (drawings, groups)
for name in drawings:
    assert (work / "packed" / name).read_bytes() == (work / "drawn" / name).read_bytes(), name

svg = "{http://www.w3.org/2000/svg}"
names = []
for path in [*(work / "packed").iterdir(), *(work / "drawn").iterdir()]:
    document = ET.parse(path)  # raises on anything that is not well-formed
    if path.suffix == ".svg" and path.parent.name == "drawn":
        names += [title.text for part in document.iter(svg + "g") if part.get("class") == "part"
                  for title in part.findall(svg + "title")]
    elif path.suffix == ".html":
        images = document.findall(".//{http://www.w3.org/1999/xhtml}img")
        assert [image.get("src") for image in images] == drawings, path
assert sorted(names) == ["a<b&c", "dot", "side", "strip"], names
print("pictures ok")
