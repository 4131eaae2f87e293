"""Load on `korvanta serve` over loopback: C clients each send the same F typical export files
one after another (keep-alive), and the service's files per second, latency (median and 99th
percentile) and memory (resident set before and after) are set beside `korvanta convert -j N`
on the same files. Bounded: C x F requests, each with a timeout; every request must succeed.

    /usr/bin/python3 bench/serve_load.py [--build DIR] [--clients 4] [--files 500] [--jobs N]
"""

import argparse
import http.client
import os
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import uuid
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from convert_many import generate  # noqa: E402

REQUEST_SECONDS = 60


def resident_kib(pid):
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def form(path):
    boundary = uuid.uuid4().hex
    body = (f"--{boundary}\r\nContent-Disposition: form-data; name=\"file\"; "
            f"filename=\"{path.name}\"\r\n\r\n").encode() + path.read_bytes() + (
            f"\r\n--{boundary}--\r\n").encode()
    return body, {"Content-Type": "multipart/form-data; boundary=" + boundary}


def client(port, files, latencies, failures):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=REQUEST_SECONDS)
    connection.connect()
    # http.client sends a request's headers and body in two writes; without this the body
    # waits for the acknowledgement of the headers (browsers and curl set it too).
    connection.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    for body, headers in files:
        start = time.perf_counter()
        connection.request("POST", "/api/convert", body, headers)
        response = connection.getresponse()
        response.read()
        latencies.append(time.perf_counter() - start)
        if response.status != 200:
            failures.append(response.status)
    connection.close()


def run_clients(port, files, clients, latencies, failures):
    threads = [threading.Thread(target=client, args=(port, files, latencies, failures))
               for _ in range(clients)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()


def run_service(korvanta, template_dir, inputs, clients, jobs, scratch):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000", TMPDIR=str(scratch))
    server = subprocess.Popen([str(korvanta), "serve", "--listen", "127.0.0.1:0", "-j", str(jobs),
                               "-t", str(template_dir)], env=env, stdout=subprocess.PIPE,
                              text=True)
    try:
        port = int(server.stdout.readline().rsplit(":", 1)[1].strip().rstrip("/"))
        files = [form(path) for path in inputs]
        # A warm-up pass of every client, then the memory the service holds when settled.
        run_clients(port, files[:100], clients, [], [])
        before = resident_kib(server.pid)
        latencies, failures = [], []
        start = time.perf_counter()
        run_clients(port, files, clients, latencies, failures)
        seconds = time.perf_counter() - start
        after = resident_kib(server.pid)
    finally:
        server.send_signal(signal.SIGTERM)
        server.wait(60)
    return seconds, latencies, failures, before, after


def run_command(korvanta, template_dir, folder, jobs, output):
    shutil.rmtree(output, ignore_errors=True)
    env = dict(os.environ, SOURCE_DATE_EPOCH="1700000000")
    start = time.perf_counter()
    subprocess.run([str(korvanta), "convert", "-q", "-j", str(jobs), "-t", str(template_dir),
                    "-d", str(output), str(folder)], env=env, check=True)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=str(Path(__file__).resolve().parent.parent / "build"))
    parser.add_argument("--clients", type=int, default=4)
    parser.add_argument("--files", type=int, default=500)
    parser.add_argument("--jobs", type=int, default=os.cpu_count())
    args = parser.parse_args()
    korvanta = Path(args.build) / "bin" / "korvanta"
    template_dir = Path(args.build) / "bin" / "template"
    base = Path("/dev/shm") if Path("/dev/shm").is_dir() else None
    work = Path(tempfile.mkdtemp(prefix="korvanta-serve-load-", dir=base))
    try:
        folder = work / "inputs"
        folder.mkdir()
        generate(folder, args.files)
        inputs = sorted(folder.iterdir())
        scratch = work / "tmp"
        scratch.mkdir()
        command = statistics.median(
            run_command(korvanta, template_dir, folder, args.jobs, work / "out") for _ in range(3))
        seconds, latencies, failures, before, after = run_service(
            korvanta, template_dir, inputs, args.clients, args.jobs, scratch)
        requests = len(latencies)
        latencies.sort()
        served = requests / seconds
        converted = args.files / command
        print(f"command  convert -j {args.jobs}: {args.files} files in {command:.2f} s, "
              f"{converted:.0f} files/s")
        print(f"service  {args.clients} clients x {args.files} files, -j {args.jobs}: "
              f"{requests} requests in {seconds:.2f} s, {served:.0f} files/s "
              f"({served / converted:.0%} of the command)")
        print(f"latency  median {statistics.median(latencies) * 1000:.1f} ms, "
              f"p99 {latencies[int(0.99 * (requests - 1))] * 1000:.1f} ms")
        print(f"memory   {before} KiB before, {after} KiB after; failed requests: {len(failures)};"
              f" left in the temporary area: {len(list(scratch.iterdir()))}")
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
