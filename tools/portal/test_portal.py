"""Tests of the portal simulator: its answers, fault modes, request log,
control API and start-up, each against a simulator started on a free port of
127.0.0.1. Standard library only; run with `python3 -m unittest -v test_portal`
in this folder."""

import base64
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
PORTAL = os.path.join(HERE, "portal.py")
ADDRESS = "http://127.0.0.1:18707/download/Raruva_Q7.exe"
# Every byte value, several times over, so that nothing is translated on the way.
PAYLOAD = bytes(range(256)) * 19 + b"tail"


class Simulator:
    """One simulator process in a folder of its own."""

    def __init__(self, *extra, scenario=None, scenario_files=None, cwd=None):
        self.dir = tempfile.mkdtemp(prefix="portal-test-")
        self.log = os.path.join(self.dir, "requests.jsonl")
        self.ready = os.path.join(self.dir, "ready")
        args = [sys.executable, PORTAL, "--port", "0", "--log", self.log, "--ready-file", self.ready,
                "--lifetime", "300", *extra]
        if scenario is not None:
            folder = os.path.join(self.dir, "scenario")
            os.mkdir(folder)
            for name, data in (scenario_files or {}).items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            path = os.path.join(folder, "scenario.json")
            with open(path, "w", encoding="utf-8") as f:
                f.write(scenario if isinstance(scenario, str) else json.dumps(scenario))
            args += ["--scenario", path]
        self.stderr = open(os.path.join(self.dir, "stderr"), "w+")
        self.proc = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=self.stderr, cwd=cwd or self.dir)
        self.port = None

    def wait_ready(self):
        for _ in range(200):
            if os.path.exists(self.ready):
                with open(self.ready) as f:
                    self.port = int(f.read())
                return self
            if self.proc.poll() is not None:
                break
            time.sleep(0.025)
        raise AssertionError("the simulator did not start: " + self.errors())

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(10)
        self.stderr.close()
        shutil.rmtree(self.dir, ignore_errors=True)


class Response:
    def __init__(self, status, headers, body, end, raw):
        self.status, self.headers, self.body, self.end, self.raw = status, headers, body, end, raw


def read_until(sock, data, done, seconds):
    """Reads until done(data) holds, the peer ends (eof) or resets, or `seconds` pass."""
    deadline = time.monotonic() + seconds
    while not done(data):
        left = deadline - time.monotonic()
        if left <= 0:
            return data, "timeout"
        sock.settimeout(left)
        try:
            piece = sock.recv(65536)
        except ConnectionResetError:
            return data, "reset"
        except socket.timeout:
            return data, "timeout"
        if not piece:
            return data, "eof"
        data += piece
    return data, "done"


def dechunk(data):
    """The body of a complete chunked transfer, and the chunk sizes; None if incomplete."""
    body, sizes, pos = b"", [], 0
    while True:
        end = data.find(b"\r\n", pos)
        if end < 0:
            return None
        size = int(data[pos:end], 16)
        sizes.append(size)
        if size == 0:
            return (body, sizes) if data[end + 2:end + 4] == b"\r\n" else None
        if len(data) < end + 2 + size + 2:
            return None
        body += data[end + 2:end + 2 + size]
        pos = end + 2 + size + 2


def http(port, path, method="GET", headers=(), body=b"", seconds=10, keep=False):
    """One request on a new connection. Reads the answer to its end (Content-Length,
    last chunk, or the connection's end); with keep, returns the socket as well."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=seconds)
    lines = [f"{method} {path} HTTP/1.1", f"Host: 127.0.0.1:{port}"]
    lines += [f"{k}: {v}" for k, v in headers]
    if body:
        lines.append(f"Content-Length: {len(body)}")
    sock.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1") + body)
    raw, end = read_until(sock, b"", lambda d: b"\r\n\r\n" in d, seconds)
    if b"\r\n\r\n" not in raw:
        if not keep:
            sock.close()
        return (Response(None, {}, raw, end, raw), sock) if keep else Response(None, {}, raw, end, raw)
    head, rest = raw.split(b"\r\n\r\n", 1)
    status_line, *header_lines = head.decode("latin-1").split("\r\n")
    status = int(status_line.split()[1])
    hdrs = {}
    for line in header_lines:
        k, v = line.split(":", 1)
        hdrs[k.strip().lower()] = v.strip()
    if keep:
        return Response(status, hdrs, rest, "open", raw), sock
    if "content-length" in hdrs:
        n = int(hdrs["content-length"])
        rest, end = read_until(sock, rest, lambda d: len(d) >= n, seconds)
    elif hdrs.get("transfer-encoding") == "chunked":
        rest, end = read_until(sock, rest, lambda d: dechunk(d) is not None, seconds)
    else:
        rest, end = read_until(sock, rest, lambda d: False, seconds)
    sock.close()
    return Response(status, hdrs, rest, end, raw)


def control(port, name, obj=None):
    """A control request; returns (status, decoded JSON)."""
    if obj is None:
        r = http(port, "/__sim/" + name)
    else:
        data = obj if isinstance(obj, bytes) else json.dumps(obj).encode()
        r = http(port, "/__sim/" + name, "POST", [("Content-Type", "application/json")], data)
    return r.status, json.loads(r.body)


class SharedSimulatorTest(unittest.TestCase):
    """Tests that share one simulator, reset before each test."""

    @classmethod
    def setUpClass(cls):
        cls.sim = Simulator().wait_ready()
        cls.port = cls.sim.port

    @classmethod
    def tearDownClass(cls):
        cls.sim.stop()

    def setUp(self):
        self.assertEqual(control(self.port, "reset", {})[0], 200)
        self.files = tempfile.mkdtemp(prefix="portal-files-")
        self.addCleanup(shutil.rmtree, self.files, True)

    def configure(self, **sections):
        status, answer = control(self.port, "config", sections)
        self.assertEqual(status, 200, answer)
        return answer

    def requests(self, query=""):
        r = http(self.port, "/__sim/requests" + query)
        self.assertEqual(r.status, 200)
        return json.loads(r.body)

    def answer_of(self, path, seconds=10):
        """The "answer" record of the last request for `path`, once it is there."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            entries = [e for e in self.requests() if e["path"] == path and "answer" in e]
            if entries:
                return entries[-1]["answer"]
            time.sleep(0.05)
        self.fail(f"no answer recorded for {path}")

    def write_file(self, name, data):
        path = os.path.join(self.files, name)
        with open(path, "wb") as f:
            f.write(data)
        return path


class VersionServerTest(SharedSimulatorTest):
    PATH = "/getClientVersion.php?p=radev&g=vov&v=1.0.1.0"

    def test_answers_as_set(self):
        long_body = b"http://127.0.0.1:18707/download/" + b"x" * 1500
        cases = [
            # name, version section, status, body
            ("no update", {"body": "0"}, 200, b"0"),
            ("minus one", {"body": "-1"}, 200, b"-1"),
            ("negative with words", {"body": "-12 some words"}, 200, b"-12 some words"),
            ("six digits", {"body": "123456"}, 200, b"123456"),
            ("address", {"body": ADDRESS}, 200, ADDRESS.encode()),
            ("address and line end", {"body": ADDRESS + "\r\n"}, 200, ADDRESS.encode() + b"\r\n"),
            ("empty", {"body": ""}, 200, b""),
            ("no body given", {}, 200, b""),
            ("over 1023 bytes", {"body_base64": base64.b64encode(long_body).decode()}, 200, long_body),
            ("code page 936 text", {"body": "版本一", "encoding": "gbk"}, 200, "版本一".encode("gbk")),
            ("not found", {"status": 404, "body": "gone"}, 404, b"gone"),
            ("server error", {"status": 500}, 500, b""),
            ("redirect status", {"status": 302, "headers": {"Location": ADDRESS}}, 302, b""),
        ]
        for name, section, status, body in cases:
            with self.subTest(name):
                self.configure(version=section)
                r = http(self.port, self.PATH)
                self.assertEqual(r.status, status)
                self.assertEqual(r.body, body)
                self.assertEqual(r.headers.get("content-length"), str(len(body)))
                self.assertEqual(r.headers.get("content-type"), "text/html")
                for k, v in section.get("headers", {}).items():
                    self.assertEqual(r.headers.get(k.lower()), v)

    def test_default_answer_is_no_update(self):
        r = http(self.port, self.PATH)
        self.assertEqual((r.status, r.body), (200, b"0"))

    def test_answer_by_version_text(self):
        self.configure(version={"body": ADDRESS, "per_version": {"1.0.2.0": {"body": "0"},
                                                                  "1.0.3.0": {"status": 500}}})
        cases = [("1.0.1.0", 200, ADDRESS.encode()), ("1.0.2.0", 200, b"0"), ("1.0.3.0", 500, b""),
                 ("1.0.2.00", 200, ADDRESS.encode()), ("", 200, ADDRESS.encode())]
        for version, status, body in cases:
            with self.subTest(version=version):
                r = http(self.port, "/getClientVersion.php?p=radev&g=vov&v=" + version)
                self.assertEqual((r.status, r.body), (status, body))

    def test_other_paths_are_not_the_version_server(self):
        for path in ("/getClientVersion.phpx", "/getclientversion.php", "/", "/client/x"):
            with self.subTest(path):
                self.assertEqual(http(self.port, path).status, 404)


class DownloadHostTest(SharedSimulatorTest):
    PATH = "/download/Raruva_Q7.exe"

    def test_modes(self):
        path = self.write_file("payload.bin", PAYLOAD)
        n = len(PAYLOAD)
        inline = base64.b64encode(PAYLOAD).decode()
        cases = [
            # name, download section, status, Content-Length, chunked, body, how it ends
            ("file", {"status": 200, "file": path}, 200, n, False, PAYLOAD, "done"),
            ("inline bytes", {"status": 200, "body_base64": inline}, 200, n, False, PAYLOAD, "done"),
            ("not found", {"status": 404, "body": "missing"}, 404, 7, False, b"missing", "done"),
            ("server error", {"status": 500, "file": path}, 500, n, False, PAYLOAD, "done"),
            ("chunked", {"status": 200, "file": path, "mode": "chunked"}, 200, None, True, PAYLOAD, "done"),
            ("closed after the body", {"status": 200, "file": path, "mode": "close"}, 200, None, False,
             PAYLOAD, "eof"),
            ("one byte short", {"status": 200, "file": path, "mode": "short"}, 200, n, False, PAYLOAD[:-1],
             "eof"),
            ("short after 100", {"status": 200, "file": path, "mode": "short", "after": 100}, 200, n, False,
             PAYLOAD[:100], "eof"),
            ("dropped after 100", {"status": 200, "file": path, "mode": "drop", "after": 100}, 200, n, False,
             PAYLOAD[:100], "reset"),
            ("dropped at once", {"status": 200, "file": path, "mode": "drop", "after": 0}, 200, n, False, b"",
             "reset"),
        ]
        for name, section, status, length, chunked, body, end in cases:
            with self.subTest(name):
                self.configure(download=section)
                r = http(self.port, self.PATH)
                self.assertEqual(r.status, status)
                self.assertEqual(r.headers.get("content-length"), None if length is None else str(length))
                self.assertEqual(r.headers.get("content-type"), "application/octet-stream")
                if chunked:
                    self.assertEqual(r.headers.get("transfer-encoding"), "chunked")
                    got, sizes = dechunk(r.body)
                    self.assertEqual(sizes, [1000] * (n // 1000) + [n % 1000, 0])
                else:
                    self.assertNotIn("transfer-encoding", r.headers)
                    got = r.body
                self.assertEqual(got, body)
                self.assertEqual(r.end, end)

    def test_hangup_answers_nothing(self):
        self.configure(download={"mode": "hangup", "body": "never sent"})
        r = http(self.port, self.PATH)
        self.assertEqual((r.status, r.raw, r.end), (None, b"", "reset"))
        self.assertEqual(self.answer_of(self.PATH)["end"], "hung-up")

    def test_chunk_size(self):
        self.configure(download={"body_base64": base64.b64encode(PAYLOAD).decode(), "mode": "chunked",
                                 "chunk_size": 4096})
        got, sizes = dechunk(http(self.port, self.PATH).body)
        self.assertEqual((got, sizes), (PAYLOAD, [4096, len(PAYLOAD) - 4096, 0]))

    def test_stall_sends_nothing_then_closes(self):
        path = self.write_file("payload.bin", PAYLOAD)
        self.configure(download={"file": path, "mode": "stall", "after": 100, "stall_seconds": 1.5})
        r, sock = http(self.port, self.PATH, keep=True)
        with sock:
            self.assertEqual(r.headers.get("content-length"), str(len(PAYLOAD)))
            data, end = read_until(sock, r.body, lambda d: len(d) >= 100, 10)
            self.assertEqual(data, PAYLOAD[:100])
            # The request is in the log while its answer still hangs.
            with open(self.sim.log) as f:
                self.assertIn(self.PATH, [json.loads(line)["path"] for line in f])
            more, end = read_until(sock, b"", lambda d: False, 0.5)
            self.assertEqual((more, end), (b"", "timeout"))
            more, end = read_until(sock, b"", lambda d: False, 20)
            self.assertEqual((more, end), (b"", "eof"))
        self.assertEqual(self.answer_of(self.PATH), {"route": "download", "status": 200, "mode": "stall",
                                                     "sent": 100, "end": "stalled"})

    def test_stall_ends_when_the_client_goes_away(self):
        self.configure(download={"body": "0123456789" * 10, "mode": "stall", "after": 10})
        r, sock = http(self.port, self.PATH, keep=True)
        read_until(sock, r.body, lambda d: len(d) >= 10, 10)
        sock.close()
        self.assertEqual(self.answer_of(self.PATH)["end"], "client-gone")

    def test_drop_waits_until_the_client_has_read(self):
        self.configure(download={"body_base64": base64.b64encode(PAYLOAD).decode(), "mode": "drop",
                                 "after": 2000})
        sock = socket.create_connection(("127.0.0.1", self.port), timeout=10)
        with sock:
            sock.sendall(f"GET {self.PATH} HTTP/1.1\r\nHost: x\r\n\r\n".encode())
            # Not read yet: the reset is held back.
            deadline = time.monotonic() + 0.5
            while time.monotonic() < deadline:
                entry = [e for e in self.requests() if e["path"] == self.PATH]
                self.assertEqual([e.get("answer") for e in entry], [None] * len(entry))
                time.sleep(0.05)
            data, end = read_until(sock, b"", lambda d: False, 10)
            self.assertEqual(end, "reset")
            self.assertTrue(data.endswith(b"\r\n\r\n" + PAYLOAD[:2000]))
        self.assertEqual(self.answer_of(self.PATH)["end"], "dropped")

    def test_file_is_read_when_asked_for(self):
        path = os.path.join(self.files, "later.bin")
        self.configure(download={"file": path})
        r = http(self.port, self.PATH)
        self.assertEqual(r.status, 404)
        self.assertEqual(self.answer_of(self.PATH)["end"], "missing-file")
        self.write_file("later.bin", PAYLOAD)
        self.assertEqual(http(self.port, self.PATH).body, PAYLOAD)

    def test_windows_path_of_the_file(self):
        path = self.write_file("payload.bin", PAYLOAD)
        self.configure(download={"file": "Z:" + path.replace("/", "\\")})
        self.assertEqual(http(self.port, self.PATH).body, PAYLOAD)

    def test_every_path_under_download(self):
        self.configure(download={"body": "same"})
        for path in ("/download/a.exe", "/download/sub/b.exe?x=1", "/download/"):
            with self.subTest(path):
                self.assertEqual(http(self.port, path).body, b"same")
        self.assertEqual(http(self.port, "/download").status, 404)

    def test_default_is_no_download(self):
        self.assertEqual(http(self.port, self.PATH).status, 404)

    def test_normal_answer_keeps_the_connection(self):
        self.configure(download={"body": "one"})
        r, sock = http(self.port, self.PATH, keep=True)
        with sock:
            read_until(sock, r.body, lambda d: len(d) >= 3, 10)
            sock.sendall(f"GET /download/b HTTP/1.1\r\nHost: 127.0.0.1:{self.port}\r\n\r\n".encode())
            data, end = read_until(sock, b"", lambda d: d.endswith(b"\r\n\r\none"), 10)
            self.assertEqual(end, "done")
        self.assertEqual([e["path"] for e in self.requests()], [self.PATH, "/download/b"])


class RequestLogTest(SharedSimulatorTest):
    def test_every_request_with_its_headers(self):
        self.configure(download={"body": "x"})
        sent = [
            ("GET", "/getClientVersion.php?p=radev&g=vov&v=1.0.1.0", [("User-Agent", "Raruva_Q7")], b""),
            ("GET", "/download/Raruva_Q7.exe", [("User-Agent", "Raruva_Q7"), ("Range", "bytes=0-100")], b""),
            ("POST", "/client/login?a=1&b=%20", [("User-Agent", "UA 2"), ("X-Twice", "a"), ("X-Twice", "b")],
             b"name=p&pass=q"),
            ("GET", "/nowhere", [], b""),
        ]
        for method, path, headers, body in sent:
            http(self.port, path, method, headers, body)
        control(self.port, "config", {"version": {"body": "0"}})
        http(self.port, "/__sim/config")
        from_api = self.requests()
        with open(self.sim.log) as f:
            from_file = [json.loads(line) for line in f]
        for name, entries in (("api", from_api), ("file", from_file)):
            with self.subTest(name):
                self.assertEqual([(e["method"], e["path"]) for e in entries], [(m, p) for m, p, _, _ in sent])
                self.assertEqual([e["id"] for e in entries], [1, 2, 3, 4])
                for entry, (_, _, headers, body) in zip(entries, sent):
                    self.assertEqual(entry["http"], "HTTP/1.1")
                    self.assertTrue(entry["client"].startswith("127.0.0.1:"))
                    self.assertEqual(entry["headers"]["Host"], f"127.0.0.1:{self.port}")
                    for k, v in headers:
                        if k != "X-Twice":
                            self.assertEqual(entry["headers"][k], v)
                    self.assertEqual(entry.get("body", "").encode(), body)
                self.assertEqual(entries[2]["headers"]["X-Twice"], "a, b")
        self.assertEqual([e["answer"]["route"] for e in from_api], ["version", "download", "none", "none"])
        self.assertEqual([e["answer"]["status"] for e in from_api], [200, 200, 404, 404])

    def test_since_and_reset(self):
        for i in range(3):
            http(self.port, f"/download/{i}")
        self.assertEqual([e["path"] for e in self.requests("?since=2")], ["/download/2"])
        self.assertEqual(self.requests("?since=3"), [])
        self.assertEqual(http(self.port, "/__sim/requests?since=x").status, 400)
        control(self.port, "reset", {})
        self.assertEqual(self.requests(), [])
        with open(self.sim.log) as f:
            self.assertEqual(f.read(), "")
        http(self.port, "/download/after")
        with open(self.sim.log) as f:
            self.assertEqual([json.loads(line)["path"] for line in f], ["/download/after"])

    def test_one_entry_per_line(self):
        http(self.port, "/download/a", headers=[("User-Agent", "portal_reach_test")])
        http(self.port, "/download/b")
        lines = http(self.port, "/__sim/requests").body.decode().splitlines()
        self.assertEqual(lines[0], "[")
        self.assertEqual(lines[-1], "]")
        self.assertIn('"User-Agent": "portal_reach_test"', lines[1])
        self.assertIn('"path": "/download/a"', lines[1])
        self.assertIn('"path": "/download/b"', lines[2])


class ControlApiTest(SharedSimulatorTest):
    def test_refused_configurations_change_nothing(self):
        before = control(self.port, "config")[1]
        cases = [
            ("not JSON", b"{version"),
            ("not an object", b"[1]"),
            ("unknown section", {"login2": {}}),
            ("unknown field", {"version": {"bodyy": "0"}}),
            ("section not an object", {"version": "0"}),
            ("two bodies", {"version": {"body": "0", "body_base64": "MA=="}}),
            ("body and file", {"download": {"body": "0", "file": "/x"}}),
            ("bad base64", {"download": {"body_base64": "@@@"}}),
            ("bad mode", {"download": {"mode": "slow"}}),
            ("status text", {"version": {"status": "200"}}),
            ("status out of range", {"version": {"status": 42}}),
            ("negative after", {"download": {"mode": "short", "after": -1}}),
            ("zero chunk size", {"download": {"mode": "chunked", "chunk_size": 0}}),
            ("endless stall", {"download": {"mode": "stall", "stall_seconds": 100000}}),
            ("header with a line end", {"version": {"headers": {"X-A": "b\r\nX-B: c"}}}),
            ("body not encodable", {"version": {"body": "版本", "encoding": "ascii"}}),
            ("answers by version on downloads", {"download": {"per_version": {}}}),
            ("bad answer by version", {"version": {"per_version": {"1.0.2.0": {"mode": "x"}}}}),
            ("other drive without a prefix", {"download": {"file": "C:\\x.exe"}}),
        ]
        for name, config in cases:
            with self.subTest(name):
                status, answer = control(self.port, "config", config)
                self.assertEqual(status, 400)
                self.assertIn("error", answer)
        self.assertEqual(control(self.port, "config")[1], before)

    def test_a_section_given_replaces_that_section_only(self):
        self.configure(version={"status": 500, "body": "123456"}, download={"body": "d"})
        answer = self.configure(version={"body": "7"})
        self.assertEqual(answer["config"]["version"], {"body": "7"})
        self.assertEqual(answer["config"]["download"], {"body": "d"})
        self.assertEqual(http(self.port, "/getClientVersion.php?v=1").status, 200)
        self.assertEqual(control(self.port, "config")[1], answer["config"])

    def test_unknown_controls(self):
        for method, path in (("GET", "/__sim/nothing"), ("GET", "/__sim/reset"), ("DELETE", "/__sim/config")):
            with self.subTest(path=path, method=method):
                self.assertEqual(http(self.port, path, method).status, 404)
        self.assertEqual(self.requests(), [])


class StartAndStopTest(unittest.TestCase):
    def start(self, *args, **kw):
        sim = Simulator(*args, **kw)
        self.addCleanup(sim.stop)
        return sim

    def test_listens_on_127_0_0_1_only(self):
        sim = self.start().wait_ready()
        listening = []
        with open("/proc/net/tcp") as f:
            for line in f.readlines()[1:]:
                local, state = line.split()[1], line.split()[3]
                if state == "0A" and int(local.split(":")[1], 16) == sim.port:
                    listening.append(local.split(":")[0])
        self.assertEqual(listening, ["0100007F"])
        for family, host in ((socket.AF_INET, "127.0.0.2"), (socket.AF_INET6, "::1")):
            with self.subTest(host), socket.socket(family, socket.SOCK_STREAM) as s:
                s.settimeout(5)
                try:
                    s.connect((host, sim.port))
                except ConnectionRefusedError:
                    continue
                except OSError as e:  # no IPv6 here: nothing to reach either
                    if family == socket.AF_INET6:
                        continue
                    raise AssertionError(f"{host}: {e}")
                self.fail(f"the simulator answers on {host}")

    def test_scenario_and_reset_to_it(self):
        scenario = {"version": {"body": "-1"}, "download": {"file": "payload.bin"}}
        sim = self.start(scenario=scenario, scenario_files={"payload.bin": PAYLOAD},
                         cwd=tempfile.gettempdir()).wait_ready()
        self.assertEqual(http(sim.port, "/getClientVersion.php?v=1").body, b"-1")
        self.assertEqual(http(sim.port, "/download/x").body, PAYLOAD)
        control(sim.port, "config", {"version": {"body": "0"}, "download": {"status": 500}})
        self.assertEqual(http(sim.port, "/getClientVersion.php?v=1").body, b"0")
        control(sim.port, "reset", {})
        self.assertEqual(http(sim.port, "/getClientVersion.php?v=1").body, b"-1")
        self.assertEqual(http(sim.port, "/download/x").body, PAYLOAD)

    def test_demo_scenario_has_no_update(self):
        sim = Simulator("--scenario", os.path.join(HERE, "scenarios", "demo.json")).wait_ready()
        self.addCleanup(sim.stop)
        r = http(sim.port, "/getClientVersion.php?p=radev&g=vov&v=1.0.1.0")
        self.assertEqual((r.status, r.body), (200, b"0"))

    def test_refuses_to_start(self):
        taken = self.start().wait_ready()
        cases = [
            ("port in use", ["--port", str(taken.port)], None, 1),
            ("scenario not JSON", [], "{", 2),
            ("scenario with a bad section", [], {"versions": {}}, 2),
        ]
        for name, args, scenario, code in cases:
            with self.subTest(name):
                sim = self.start(*args, scenario=scenario)
                self.assertEqual(sim.proc.wait(10), code)
                self.assertFalse(os.path.exists(sim.ready))
                self.assertIn("portal:", sim.errors())

    def test_sigterm_ends_it_even_while_an_answer_stalls(self):
        sim = self.start().wait_ready()
        control(sim.port, "config", {"download": {"body": "0123456789", "mode": "stall", "after": 5}})
        r, sock = http(sim.port, "/download/x", keep=True)
        with sock:
            read_until(sock, r.body, lambda d: len(d) >= 5, 10)
            sim.proc.send_signal(signal.SIGTERM)
            self.assertEqual(sim.proc.wait(10), 0)

    def test_lifetime(self):
        sim = self.start("--lifetime", "0.3").wait_ready()
        self.assertEqual(sim.proc.wait(10), 0)

    def test_ends_with_its_parent(self):
        folder = tempfile.mkdtemp(prefix="portal-parent-")
        self.addCleanup(shutil.rmtree, folder, True)
        ready = os.path.join(folder, "ready")
        # A parent that starts the simulator, says its id and ends when told.
        parent = subprocess.Popen(
            [sys.executable, "-c",
             "import subprocess, sys\n"
             "p = subprocess.Popen(sys.argv[1:])\n"
             "print(p.pid, flush=True)\n"
             "sys.stdin.read()\n",
             sys.executable, PORTAL, "--port", "0", "--ready-file", ready, "--exit-with-parent",
             "--lifetime", "60"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        child = int(parent.stdout.readline())
        self.addCleanup(lambda: os.kill(child, signal.SIGKILL) if alive(child) else None)
        for _ in range(200):
            if os.path.exists(ready):
                break
            time.sleep(0.025)
        self.assertTrue(alive(child))
        parent.stdin.close()
        parent.wait(10)
        parent.stdout.close()
        for _ in range(200):
            if not alive(child):
                break
            time.sleep(0.05)
        self.assertFalse(alive(child), "the simulator outlived its parent")


def alive(pid):
    """True while `pid` runs (a zombie waiting to be reaped does not count)."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


if __name__ == "__main__":
    unittest.main()
