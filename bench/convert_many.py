"""Throughput of the korvanta command on a folder of many typical export files: files per
second with each number of parallel conversions (-j), and the ratio between them. Not part of
the test suite: speed is measured here, never asserted in tests.

The files are copies of the examples (one of every report variant, typical in size), with
their sample names numbered. They are written to a memory file system (/dev/shm) where there
is one, so that the figure is the conversion's and not the disk's: each report is flushed to
the disk before it takes the place of the old one. --folder picks another place.

    /usr/bin/python3 bench/convert_many.py [--build DIR] [--files N] [--jobs 1,2] [--repeat N]
                                           [--folder DIR]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent


def generate(folder, count):
    """`count` export files in `folder`, cycling through the examples."""
    examples = sorted((ROOT / "examples").iterdir())
    for i in range(count):
        example = examples[i % len(examples)]
        lines = example.read_bytes().split(b"\n")
        lines[3] = lines[3].rstrip(b"\r") + f" #{i:04d}".encode() + (
            b"\r" if lines[3].endswith(b"\r") else b"")
        (folder / f"{i:04d}_{example.name}").write_bytes(b"\n".join(lines))


def convert(korvanta, inputs, output, jobs):
    """Seconds one run takes, from a fresh output folder."""
    shutil.rmtree(output, ignore_errors=True)
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    start = time.perf_counter()
    done = subprocess.run([str(korvanta), "convert", "-q", "-j", str(jobs), "-d", str(output),
                           str(inputs)], env=env, capture_output=True, text=True)
    seconds = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"korvanta failed with -j {jobs}:\n{done.stderr}")
    return seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build"), help="build folder")
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--jobs", default="1,2", help="comma-separated -j values")
    parser.add_argument("--repeat", type=int, default=3, help="runs per -j; the median counts")
    parser.add_argument("--folder", help="where the files go (default: /dev/shm or /tmp)")
    args = parser.parse_args()

    korvanta = Path(args.build) / "bin" / "korvanta"
    if not korvanta.exists():
        sys.exit(f"{korvanta} not found; build the korvanta target or give --build")
    base = args.folder or ("/dev/shm" if Path("/dev/shm").is_dir() else None)
    work = Path(tempfile.mkdtemp(prefix="korvanta-many-", dir=base))
    try:
        inputs = work / "in"
        inputs.mkdir()
        generate(inputs, args.files)
        print(f"{args.files} files in {work}, {os.cpu_count()} processors, "
              f"median of {args.repeat} runs")
        rates = {}
        for jobs in (int(j) for j in args.jobs.split(",")):
            seconds = statistics.median(
                convert(korvanta, inputs, work / f"out{jobs}", jobs) for _ in range(args.repeat))
            rates[jobs] = args.files / seconds
            print(f"  -j {jobs}: {seconds:7.2f} s  {rates[jobs]:8.1f} files/s")
        first = min(rates)
        for jobs in sorted(rates):
            if jobs != first:
                print(f"  -j {jobs} / -j {first}: {rates[jobs] / rates[first]:.2f}x")
        outputs = sorted(work.glob("out*"))
        reference = outputs[0]
        for other in outputs[1:]:
            for report in reference.iterdir():
                if (other / report.name).read_bytes() != report.read_bytes():
                    sys.exit(f"{report.name} differs between {reference.name} and {other.name}")
        print("  reports byte-identical across -j")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
