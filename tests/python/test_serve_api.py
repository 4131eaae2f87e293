"""`korvanta serve` over HTTP: the API's answers equal the command's outputs, and every bad
request is answered with its status while the server goes on serving and keeps no file."""

import http.client
import io
import json
import shutil
import socket
import tempfile
import time
import unittest
import zipfile
from pathlib import Path

from serve_harness import EXPORT_FILES, TRUNCATED, Server, command_outputs, multipart

XLSX = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"
SOCKET_SECONDS = 15


def request(port, method, path, body=None, headers=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=SOCKET_SECONDS)
    try:
        connection.request(method, path, body=body, headers=headers or {})
        response = connection.getresponse()
        return response.status, dict(response.getheaders()), response.read()
    finally:
        connection.close()


def convert(port, files, outputs=None):
    body, content_type = multipart(files)
    path = "/api/convert" + (f"?outputs={outputs}" if outputs else "")
    return request(port, "POST", path, body, {"Content-Type": content_type})


def raw_exchange(port, chunks, pause=0.0):
    """Sends `chunks` on one connection, `pause` seconds apart, and returns what comes back
    until the server closes it (b"" when it closed without an answer)."""
    with socket.create_connection(("127.0.0.1", port), timeout=SOCKET_SECONDS) as connection:
        try:
            for chunk in chunks:
                connection.sendall(chunk)
                time.sleep(pause)
        except OSError:
            pass  # the server may close early; its answer is still read below
        received = b""
        try:
            while data := connection.recv(65536):
                received += data
        except OSError:
            pass
        return received


def status_of(raw):
    return int(raw.split(b" ", 2)[1]) if raw.startswith(b"HTTP/1.1 ") else None


class ServeApiTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server("--max-body-mb", "1", "--max-files", "2", "--idle-timeout", "2",
                            "--request-timeout", "4")
        cls.work = Path(tempfile.mkdtemp(prefix="korvanta-serve-api-"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)
        status = cls.server.stop()
        if status != 0:
            raise AssertionError(f"korvanta serve ended with {status} on SIGTERM")

    def tearDown(self):
        # After every case, good or bad: still serving, nothing kept.
        status, _, body = request(self.server.port, "GET", "/api/health")
        self.assertEqual(status, 200)
        self.assertEqual(json.loads(body)["status"], "ok")
        self.assertEqual(self.server.leftovers(), [])

    def test_each_type_converts_to_the_commands_outputs(self):
        for source in EXPORT_FILES:
            with self.subTest(source=source.name):
                expected = command_outputs(source, tempfile.mkdtemp(dir=self.work))
                data = source.read_bytes()
                status, headers, body = convert(self.server.port, [(source.name, data)])
                self.assertEqual(status, 200)
                self.assertEqual(headers["Content-Type"], XLSX)
                self.assertEqual(body, expected["xlsx"])
                self.assertIn(f"filename*=UTF-8''{source.stem}.xlsx", headers["Content-Disposition"])
                status, headers, body = convert(self.server.port, [(source.name, data)], "asm")
                if expected["json"] is None:  # a type the schema has no document for
                    self.assertEqual(status, 422)
                    self.assertEqual(json.loads(body)["error"], expected["error"])
                    continue
                self.assertEqual((status, headers["Content-Type"]), (200, "application/json"))
                self.assertEqual(body, expected["json"])
                status, headers, body = convert(self.server.port, [(source.name, data)], "xlsx,asm")
                self.assertEqual((status, headers["Content-Type"]), (200, "application/zip"))
                with zipfile.ZipFile(io.BytesIO(body)) as archive:
                    self.assertEqual(archive.read(source.stem + ".xlsx"), expected["xlsx"])
                    self.assertEqual(archive.read(source.stem + ".json"), expected["json"])

    def test_failures_and_warnings_are_the_commands_words(self):
        broken = self.work / "broken.pht"
        broken.write_bytes(b"PK\x03\x04 a workbook renamed\n")
        notes = self.work / "notes.txt"
        notes.write_bytes(b"a shopping list\n")
        for source, status_expected in ((broken, 422), (notes, 422), (TRUNCATED, 200)):
            with self.subTest(source=source.name):
                expected = command_outputs(source, tempfile.mkdtemp(dir=self.work))
                status, headers, body = convert(self.server.port, [(source.name, source.read_bytes())])
                self.assertEqual(status, status_expected)
                if status == 200:
                    self.assertEqual(json.loads(headers["X-Korvanta-Warnings"]), expected["warnings"])
                    self.assertTrue(expected["warnings"])
                else:
                    self.assertEqual(json.loads(body),
                                     {"error": expected["error"], "warnings": expected["warnings"]})

    def test_a_path_in_the_file_name_is_only_a_name(self):
        source = EXPORT_FILES[5]
        expected = command_outputs(source, tempfile.mkdtemp(dir=self.work), stem="x")
        for name in ("../../x.pht", "..\\..\\x.pht", "/tmp/x.pht"):
            with self.subTest(name=name):
                status, headers, body = convert(self.server.port, [(name, source.read_bytes())])
                self.assertEqual(status, 200)
                self.assertEqual(body, expected["xlsx"])
                self.assertEqual(headers["Content-Disposition"],
                                 "attachment; filename=\"x.xlsx\"; filename*=UTF-8''x.xlsx")
        self.assertFalse(Path(self.server.temp.parent, "x.pht").exists())
        self.assertFalse(Path("/tmp/x.xlsx").exists())

    def test_bad_requests_are_refused_with_their_status(self):
        port = self.server.port
        data = EXPORT_FILES[0].read_bytes()
        body, content_type = multipart([("a.pro", data)])
        other_field, other_type = multipart([("a.pro", data)], field="other")
        cases = [
            ("oversized body", convert(port, [("big.pht", b"0" * (2 << 20))])[0], 413),
            ("too many files", convert(port, [("a.pro", data)] * 3)[0], 413),
            ("no file field", request(port, "POST", "/api/convert", other_field,
                                      {"Content-Type": other_type})[0], 400),
            ("unknown outputs", convert(port, [("a.pro", data)], "pdf")[0], 400),
            ("not multipart", request(port, "POST", "/api/convert", data,
                                      {"Content-Type": "text/plain"})[0], 400),
            ("malformed multipart", request(port, "POST", "/api/convert",
                                            body.replace(b"\r\n\r\n", b"\r\n", 1),
                                            {"Content-Type": content_type})[0], 400),
            ("cut-off multipart", request(port, "POST", "/api/convert", body[:-20],
                                          {"Content-Type": content_type})[0], 400),
            ("another host (DNS rebinding)", request(port, "GET", "/api/health", None,
                                                     {"Host": f"evil.example:{port}"})[0], 403),
            ("unknown path", request(port, "GET", "/etc/passwd")[0], 404),
        ]
        for name, status, expected in cases:
            with self.subTest(name):
                self.assertEqual(status, expected)

    def test_stalled_and_trickling_clients_time_out(self):
        port = self.server.port
        body, content_type = multipart([("a.pro", EXPORT_FILES[0].read_bytes())])
        head = (f"POST /api/convert HTTP/1.1\r\nHost: 127.0.0.1:{port}\r\n"
                f"Content-Type: {content_type}\r\nContent-Length: {len(body)}\r\n\r\n").encode()
        start = time.monotonic()
        stalled = raw_exchange(port, [head, body[:100]])
        self.assertEqual(status_of(stalled), 408)
        trickled = raw_exchange(port, [head] + [body[i:i + 1] for i in range(0, 12)], pause=0.5)
        self.assertEqual(status_of(trickled), 408)
        self.assertLess(time.monotonic() - start, 20)

    def test_page_and_health(self):
        status, headers, body = request(self.server.port, "GET", "/")
        self.assertEqual(status, 200)
        self.assertIn("text/html", headers["Content-Type"])
        self.assertIn("default-src 'self'", headers["Content-Security-Policy"])
        for asset in ("/page.js", "/page.css", "/icon.svg"):
            self.assertIn(asset.encode(), body)
            self.assertEqual(request(self.server.port, "GET", asset)[0], 200)
        types = json.loads(request(self.server.port, "GET", "/api/types")[2])
        self.assertEqual(sorted(t["extension"] for t in types),
                         sorted(p.suffix[1:] for p in EXPORT_FILES))


class ServeShutdownTest(unittest.TestCase):
    def test_sigterm_lets_the_request_in_flight_finish(self):
        server = Server()
        source = EXPORT_FILES[5]
        body, content_type = multipart([(source.name, source.read_bytes())])
        head = (f"POST /api/convert HTTP/1.1\r\nHost: localhost:{server.port}\r\n"
                f"Content-Type: {content_type}\r\nContent-Length: {len(body)}\r\n"
                "Connection: close\r\n\r\n").encode()
        with socket.create_connection(("127.0.0.1", server.port), timeout=SOCKET_SECONDS) as c:
            c.sendall(head + body[:50])
            time.sleep(0.3)
            server.process.terminate()
            time.sleep(0.3)
            c.sendall(body[50:])
            answer = b""
            while data := c.recv(65536):
                answer += data
        self.assertEqual(status_of(answer), 200)
        self.assertEqual(server.stop(), 0)


if __name__ == "__main__":
    unittest.main()
