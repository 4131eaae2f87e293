"""Throughput of the korvanta command on a folder of many typical export files: files per
second with each number of parallel conversions (-j), and the ratio between them. Not part of
the test suite: speed is measured here, never asserted in tests.

The files are copies of the examples (one of every report variant, typical in size), with
their sample names numbered. They are written to a memory file system (/dev/shm) where there
is one, so that the figure is the conversion's and not the disk's: each report is flushed to
the disk before it takes the place of the old one. --folder picks another place.

    /usr/bin/python3 bench/convert_many.py [--build DIR] [--files N] [--jobs 1,2] [--repeat N]
                                           [--folder DIR] [--formats xlsx xlsx,asm]

With several --formats each is run with each -j, and the time of each format is given as a
ratio to the first's: the extra cost of the ASM documents beside the reports.
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


def convert(korvanta, inputs, output, jobs, formats):
    """Seconds one run takes, from a fresh output folder."""
    shutil.rmtree(output, ignore_errors=True)
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    start = time.perf_counter()
    done = subprocess.run([str(korvanta), "convert", "-q", "-j", str(jobs), "-d", str(output),
                           "--format", formats, str(inputs)], env=env, capture_output=True,
                          text=True)
    seconds = time.perf_counter() - start
    # Kinetics files have no ASM document; any other failure ends the measurement.
    failures = [line for line in done.stderr.splitlines() if line.strip()]
    expected = "asm" in formats and all("Kinetics" in line for line in failures)
    if done.returncode != 0 and not expected:
        sys.exit(f"korvanta failed with -j {jobs} --format {formats}:\n{done.stderr}")
    return seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(ROOT / "build"), help="build folder")
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--jobs", default="1,2", help="comma-separated -j values")
    parser.add_argument("--repeat", type=int, default=3, help="runs per -j; the median counts")
    parser.add_argument("--folder", help="where the files go (default: /dev/shm or /tmp)")
    parser.add_argument("--formats", nargs="+", default=["xlsx"],
                        help="--format values to compare, the first the reference")
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
        for formats in args.formats:
            for jobs in (int(j) for j in args.jobs.split(",")):
                output = work / f"out{jobs}-{formats.replace(',', '+')}"
                seconds = statistics.median(
                    convert(korvanta, inputs, output, jobs, formats) for _ in range(args.repeat))
                rates[formats, jobs] = args.files / seconds
                print(f"  --format {formats:9} -j {jobs}: {seconds:7.2f} s  "
                      f"{rates[formats, jobs]:8.1f} files/s")
        first_jobs = min(jobs for _, jobs in rates)
        for formats, jobs in sorted(rates):
            if jobs != first_jobs:
                ratio = rates[formats, jobs] / rates[formats, first_jobs]
                print(f"  --format {formats}: -j {jobs} / -j {first_jobs}: {ratio:.2f}x")
        for formats in args.formats[1:]:
            for jobs in sorted({jobs for _, jobs in rates}):
                cost = rates[args.formats[0], jobs] / rates[formats, jobs]
                print(f"  -j {jobs}: time of --format {formats} / --format {args.formats[0]}: "
                      f"{cost:.2f}")
        for formats in args.formats:
            outputs = sorted(work.glob(f"out*-{formats.replace(',', '+')}"))
            reference = outputs[0]
            for other in outputs[1:]:
                for report in reference.iterdir():
                    if (other / report.name).read_bytes() != report.read_bytes():
                        sys.exit(f"{report.name} differs between {reference.name} and "
                                 f"{other.name}")
        print("  reports and documents byte-identical across -j")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
