"""A `korvanta serve` of the tests' own: on 127.0.0.1 at a free port, with a private temporary
area, stopped by SIGTERM (killed if it does not stop in time). Also what the command makes of
the same files, to compare the service's answers with."""

import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import uuid
from pathlib import Path

BIN_DIR = Path(os.environ.get("KORVANTA_BIN_DIR", ""))
TEMPLATE_DIR = os.environ.get("KORVANTA_TEMPLATE_DIR", "")
DATA_DIR = Path(os.environ.get("KORVANTA_TEST_DATA_DIR", ""))
FIXED_TIME = "1700000000"
# One export file of each of the eight types.
EXPORT_FILES = [DATA_DIR / "asm" / name for name in (
    "protein_uv.pro", "concentration.con", "dnarna.nuc", "kinetics.tsc", "od600_density.od",
    "photometry.pht", "tm.tm", "wlscan.wsc")]
TRUNCATED = DATA_DIR / "asm" / "photometry_truncated.pht"
START_SECONDS = 20
STOP_SECONDS = 30


class Server:
    def __init__(self, *options):
        self.temp = Path(tempfile.mkdtemp(prefix="korvanta-serve-test-"))
        env = dict(os.environ, SOURCE_DATE_EPOCH=FIXED_TIME, TMPDIR=str(self.temp))
        self.process = subprocess.Popen(
            [str(BIN_DIR / "korvanta"), "serve", "--listen", "127.0.0.1:0", "-t", TEMPLATE_DIR,
             *options], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        ready, _, _ = select.select([self.process.stdout], [], [], START_SECONDS)
        line = self.process.stdout.readline() if ready else ""
        if "listening on http://127.0.0.1:" not in line:
            self.process.kill()
            raise RuntimeError("korvanta serve did not start: " + line + self.process.stderr.read())
        self.port = int(line.rsplit(":", 1)[1].strip().rstrip("/"))

    def stop(self):
        """SIGTERM, then the exit status (None when it had to be killed)."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
        try:
            return self.process.wait(STOP_SECONDS)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None
        finally:
            self.process.stdout.close()
            self.process.stderr.close()
            shutil.rmtree(self.temp, ignore_errors=True)

    def leftovers(self):
        return sorted(p.name for p in self.temp.iterdir())

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


def multipart(files, field="file"):
    """(body, content type) of a form with each (name, bytes) in `field`."""
    boundary = "korvanta-" + uuid.uuid4().hex
    body = b""
    for name, data in files:
        body += (f"--{boundary}\r\nContent-Disposition: form-data; name=\"{field}\"; "
                 f"filename=\"{name}\"\r\nContent-Type: application/octet-stream\r\n\r\n"
                 ).encode() + data + b"\r\n"
    body += f"--{boundary}--\r\n".encode()
    return body, "multipart/form-data; boundary=" + boundary


def command_outputs(source, workdir, stem=None, formats="xlsx,asm"):
    """The command's report and ASM document of `source` (copied under `stem` first) and its
    summary entry: {"xlsx": bytes, "json": bytes, "error": ..., "warnings": [...]}. The ASM
    document names the path the command was given; an upload has only its name."""
    workdir = Path(workdir)
    name = (stem or Path(source).stem) + Path(source).suffix
    copy = workdir / name
    shutil.copyfile(source, copy)
    out = workdir / "out"
    env = dict(os.environ, SOURCE_DATE_EPOCH=FIXED_TIME)
    done = subprocess.run([str(BIN_DIR / "korvanta"), "convert", "-q", "-f", "--json", "-t",
                           TEMPLATE_DIR, "--format", formats, "-d", str(out), str(copy)],
                          env=env, capture_output=True, text=True, timeout=120)
    entry = json.loads(done.stdout)["inputs"][0]
    result = {"error": entry["error"], "warnings": entry["warnings"]}
    for extension in ("xlsx", "json"):
        path = out / f"{Path(name).stem}.{extension}"
        result[extension] = path.read_bytes() if path.exists() else None
    if result["json"]:
        result["json"] = result["json"].replace(json.dumps(str(copy)).encode(),
                                                json.dumps(name).encode())
    return result
