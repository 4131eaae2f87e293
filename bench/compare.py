"""End-to-end comparison: korvanta against a peer written with openpyxl (bench/peers), on
export files of typical and large size, both run as fresh processes on the same machine in
the same run. Prints per case the median wall time, the peak memory of each and the ratio,
then how the figures stand against the targets. Not part of the test suite: speed is measured
here, never asserted in tests.

The files are written to a memory file system (/dev/shm) where there is one: korvanta flushes
each report to the disk before it takes the place of the old one (two fsync calls), the peer
does not, and on a busy disk the flushes alone take longer than the conversion. The column
"on disk" shows korvanta with the report written to --disk-folder, flushes included.

    /usr/bin/python3 bench/compare.py [--build DIR] [--repeat N] [--peer-repeat N]
                                      [--folder DIR] [--disk-folder DIR]
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PEER = ROOT / "bench" / "peers" / "openpyxl_peer.py"
GNU_TIME = "/usr/bin/time"

TYPICAL_MS = 10.0
LARGE_MS = 100.0
LARGE_MB = 50.0
RATIO = 50.0


def protein_file(samples):
    standards = [(0, 0.012), (125, 0.094), (250, 0.177), (500, 0.340), (750, 0.503),
                 (1000, 0.668), (1500, 0.997), (2000, 1.321)]
    lines = ["1", "0", "1", "Bradford assay plate", "4", "5", "00", str(len(standards)), "0",
             "1", "595"]
    lines += [f"{conc} {od:.3f}" for conc, od in standards]
    lines += ["-18.7", "1523.4", "0.9991", str(samples)]
    for i in range(samples):
        od = 0.05 + (i * 37 % 1000) / 1000
        lines += [f"Sample {i + 1:04d}", f"{od:.3f} {od:.3f} {od * 1523.4 - 18.7:.1f}"]
    return "\r\n".join(lines) + "\r\n"


def wlscan_file(points):
    start = 190.0
    lines = ["4", "0", "0", "Cytochrome c 10 uM", "4", "1", "0", "0", f"{start:.0f}",
             f"{start + (points - 1) * 0.2:.0f}", "1", str(points), str(points)]
    lines += [f"{0.8 * (1 + (i % 450) / 450) / (1 + i / 2000):.4f}" for i in range(points)]
    return "\r\n".join(lines) + "\r\n"


def kinetics_file(points):
    lines = ["4", "1", "Kinetics", "NADH oxidation", "4", "1", "0", "1", str(points), "340",
             "1", str(points), str(points)]
    lines += [f"{0.05 + i * 0.00002:.4f}" for i in range(points)]
    return "\r\n".join(lines) + "\r\n"


CASES = [
    # name, file name, content, target
    ("Protein, 96 samples", "protein_96.pro", lambda: protein_file(96), "typical"),
    ("Protein, 9,000 samples", "protein_9000.pro", lambda: protein_file(9000), "large"),
    ("WL Scan, 4,551 points", "wlscan_4551.wsc", lambda: wlscan_file(4551), None),
    ("Kinetics, 3,600 points", "kinetics_3600.tsc", lambda: kinetics_file(3600), None),
]


def run_once(command):
    """Wall time in seconds of one run of `command`."""
    started = time.perf_counter()
    process = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - started
    if process.returncode != 0:
        sys.exit(f"{command[0]} failed: {process.stderr.decode(errors='replace')}")
    return elapsed


def peak_memory_mb(command):
    """Peak resident memory of one run of `command`, taken by GNU time. The rusage of a
    child started from here would count this interpreter's own memory, which the child
    holds until it executes the command."""
    with tempfile.NamedTemporaryFile("r") as report:
        subprocess.run([GNU_TIME, "-f", "%M", "-o", report.name] + command,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return int(report.read().split()[-1]) / 1024.0


def measure(command, repeat):
    runs = [run_once(command) for _ in range(repeat)]
    return statistics.median(runs) * 1000.0, peak_memory_mb(command)


def options_default_disk():
    return Path(tempfile.gettempdir())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", type=Path, default=ROOT / "build",
                        help="build folder holding bin/korvanta and bin/template (default build/)")
    parser.add_argument("--repeat", type=int, default=21, help="runs of korvanta per case")
    parser.add_argument("--peer-repeat", type=int, default=3, help="runs of the peer per case")
    memory = Path("/dev/shm")
    parser.add_argument("--folder", type=Path, default=memory if memory.is_dir() else None,
                        help="where the export files and reports go (default /dev/shm)")
    parser.add_argument("--disk-folder", type=Path, default=options_default_disk(),
                        help="a folder on the disk, for the 'on disk' column (default: the "
                             "system's temporary folder)")
    options = parser.parse_args()
    korvanta = options.build / "bin" / "korvanta"
    templates = options.build / "bin" / "template"
    if not korvanta.exists():
        sys.exit(f"{korvanta} is missing: build the korvanta target first")
    if not Path(GNU_TIME).exists():
        sys.exit(f"{GNU_TIME} is missing: install Debian's 'time' package")

    os.environ["SOURCE_DATE_EPOCH"] = "1700000000"  # both tools write the same date
    rows = []
    with tempfile.TemporaryDirectory(prefix="korvanta-compare-", dir=options.folder) as folder, \
            tempfile.TemporaryDirectory(prefix="korvanta-compare-", dir=options.disk_folder) as disk:
        folder = Path(folder)
        for name, file_name, content, target in CASES:
            export = folder / file_name
            export.write_text(content(), newline="")
            convert = [str(korvanta), "convert", "--quiet", "--force", "-t", str(templates), "-o"]
            ours = measure(convert + [str(folder / "korvanta.xlsx"), str(export)], options.repeat)
            on_disk = measure(convert + [str(Path(disk) / "korvanta.xlsx"), str(export)],
                              options.repeat)
            peer = measure([sys.executable, str(PEER), str(templates), str(export),
                            str(folder / "peer.xlsx")], options.peer_repeat)
            rows.append((name, target, ours, on_disk[0], peer))

    print(f"korvanta: median of {options.repeat} runs; openpyxl peer: median of "
          f"{options.peer_repeat} runs; peak memory from one more run under GNU time; files in "
          f"{options.folder or tempfile.gettempdir()}, 'on disk' in {options.disk_folder}.\n")
    header = (f"{'case':<24} {'korvanta ms':>11} {'MB':>6} {'on disk ms':>10} {'peer ms':>9} "
              f"{'MB':>6} {'ratio':>7}")
    print(header)
    print("-" * len(header))
    for name, _, (our_ms, our_mb), disk_ms, (peer_ms, peer_mb) in rows:
        print(f"{name:<24} {our_ms:>11.1f} {our_mb:>6.1f} {disk_ms:>10.1f} {peer_ms:>9.0f} "
              f"{peer_mb:>6.1f} {peer_ms / our_ms:>6.0f}x")

    print("\ntargets:")
    checks = []
    for name, target, (our_ms, our_mb), _, (peer_ms, _) in rows:
        if target == "typical":
            checks.append((f"{name}: under {TYPICAL_MS:.0f} ms", our_ms < TYPICAL_MS))
        if target == "large":
            checks.append((f"{name}: under {LARGE_MS:.0f} ms", our_ms < LARGE_MS))
            checks.append((f"{name}: under {LARGE_MB:.0f} MB", our_mb < LARGE_MB))
        checks.append((f"{name}: at least {RATIO:.0f}x the peer", peer_ms / our_ms >= RATIO))
    for text, met in checks:
        print(f"  {'met   ' if met else 'MISSED'} {text}")


if __name__ == "__main__":
    main()
