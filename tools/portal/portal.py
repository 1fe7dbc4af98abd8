#!/usr/bin/python3
"""The Direrav portal as the launcher sees it, for tests and the demo.

A small HTTP/1.1 server on 127.0.0.1 only (standard library only). It plays:

  GET /getClientVersion.php?p=radev&g=vov&v=<version>   the version server   (section "version")
  GET /download/<anything>                              the download host    (section "download")
  /__sim/...                                            the control API for tests (below)

Every other path answers 404. The login page and the game page have their
place in ROUTES (see "Login page and game page" below).

Command line
------------
  portal.py --port N [--log FILE] [--ready-file FILE] [--scenario FILE]
            [--exit-with-parent] [--lifetime SECONDS] [--verbose]

  --port N            port on 127.0.0.1; 0 picks a free one
  --log FILE          every request (control requests excepted) as one JSON line
  --ready-file FILE   written, holding the port and a line end, once the port listens
  --scenario FILE     the configuration to start with (and to go back to on reset)
  --exit-with-parent  end when the process that started this one ends
  --lifetime S        end after S seconds whatever happens
  --verbose           print every request on stderr

SIGTERM and SIGINT end the simulator at once (exit code 0); stalled answers
are cut off.

Configuration (scenario file, POST /__sim/config)
--------------------------------------------------
A JSON object with any of the sections "version" and "download". A section
given replaces that section whole (fields left out take their defaults); a
section not given stays as it is. Unknown sections or fields are refused.

Each section is an answer:

  {
    "status": 200,               HTTP status code (default 200)
    "reason": "OK",              reason phrase (default: the usual one)
    "body": "0",                 body as text, encoded with "encoding" (default utf-8)
    "encoding": "utf-8",
    "body_base64": "MA==",       or the body's bytes in base64
    "file": "path",              or a file, read when the request comes (missing: 404)
    "mode": "normal",            how the body is sent (below)
    "after": 10,                 short, stall, drop: body bytes sent before the fault
    "stall_seconds": 120,        stall: the longest wait before the connection is closed
    "chunk_size": 1000,          chunked: bytes per chunk
    "content_type": "text/html", Content-Type (default text/html for the version
                                 server, application/octet-stream for downloads)
    "headers": {"X-A": "b"}      extra response headers
  }

At most one of body, body_base64 and file; none means an empty body. A
relative "file" is taken from the scenario file's folder (scenario) or from
the simulator's working folder (control API). A Windows path is accepted too:
"Z:\\dir\\f.exe" is /dir/f.exe, other drive letters go through the Wine
prefix in WINEPREFIX (dosdevices).

Modes (the body is B, its length n):
  normal   Content-Length n, the whole body; the connection is kept
  chunked  no Content-Length, Transfer-Encoding: chunked
  close    no Content-Length, the body, then the connection is closed
  short    Content-Length n, the first "after" bytes (default n - 1), then closed
  stall    Content-Length n, the first "after" bytes (default n // 2), then
           nothing until the client goes away or stall_seconds pass; then closed
  drop     Content-Length n, the first "after" bytes (default n // 2), then the
           connection is reset (RST) once the client has read them (at most
           5 s later; a reset destroys what the peer has not yet read) and a
           further 0.2 s have passed, so that the reset meets a waiting read
  hangup   the request is read and, 0.2 s later, the connection reset; no answer

The version section may also hold "per_version": {"1.0.2.0": {answer}}: a
request whose v= equals a key (compared as sent, not decoded) gets that answer
instead, for example "0" for the launcher an update has just installed.

Defaults: version {"status": 200, "body": "0"} (no update); download
{"status": 404, "body": "Not Found"}.

Control API (same port; never logged)
-------------------------------------
  POST /__sim/config     body: configuration as above; answer {"ok": true, "config": {...}}
                         or 400 {"error": "..."}
  GET  /__sim/config     the configuration in force
  GET  /__sim/requests   the request log since the start or the last reset, as a
                         JSON array with one entry per line; ?since=ID gives the
                         entries after the one with that id
  POST /__sim/reset      configuration back to the scenario (or the defaults),
                         request log emptied (the log file too), ids from 1 again

Request log entry (one JSON line in --log, one array element in /__sim/requests):
  {"id": 1, "time": 1702270000.5, "client": "127.0.0.1:50312", "method": "GET",
   "path": "/getClientVersion.php?p=radev&g=vov&v=1.0.1.0", "http": "HTTP/1.1",
   "headers": {"User-Agent": "Raruva_Q7", "Host": "127.0.0.1:18707", ...}}
Header names are kept as sent; a repeated header's values are joined with
", ". A request body, when there is one, is in "body" (UTF-8, bad bytes
replaced). The line is written when the request has been read, before the
answer. In /__sim/requests each entry also carries "answer" once the answer
is over: {"route": "version", "status": 200, "mode": "normal", "sent": 1,
"end": "complete"}, where "sent" counts body bytes and "end" is one of
complete, short, stalled, client-gone, dropped, hung-up, stopped, missing-file.
"""

import argparse
import base64
import http.server
import json
import os
import select
import signal
import socket
import struct
import sys
import threading
import time
import urllib.parse

HOST = "127.0.0.1"
CONTROL_PREFIX = "/__sim/"
MODES = ("normal", "chunked", "close", "short", "stall", "drop", "hangup")
ANSWER_FIELDS = {
    "status", "reason", "body", "encoding", "body_base64", "file", "mode", "after",
    "stall_seconds", "chunk_size", "content_type", "headers",
}
SECTIONS = {
    # section: (default answer, default Content-Type, extra fields allowed)
    "version": ({"status": 200, "body": "0"}, "text/html", {"per_version"}),
    "download": ({"status": 404, "body": "Not Found"}, "application/octet-stream", set()),
}
DEFAULT_STALL_SECONDS = 120
MAX_STALL_SECONDS = 600
DROP_WAIT_SECONDS = 5  # longest wait for the client to read before a reset
RESET_HOLD_SECONDS = 0.2  # pause before a reset, with the client waiting to read
MAX_REQUEST_BODY = 1 << 20
IDLE_TIMEOUT = 30  # seconds an idle keep-alive connection is kept


class ConfigError(ValueError):
    pass


def windows_to_linux_path(path):
    """Z:\\a\\b -> /a/b; C:\\x -> $WINEPREFIX/dosdevices/c:/x. Other paths unchanged."""
    if len(path) >= 3 and path[0].isalpha() and path[1] == ":" and path[2] in "\\/":
        rest = path[3:].replace("\\", "/")
        drive = path[0].lower()
        if drive == "z":
            return "/" + rest
        prefix = os.environ.get("WINEPREFIX")
        if not prefix:
            raise ConfigError(f"{path}: a Windows drive other than Z: needs WINEPREFIX")
        return os.path.join(prefix, "dosdevices", drive + ":", rest)
    return path


def check_answer(answer, where, base_dir, extra=()):
    """Validates one answer section and returns it normalised (file paths absolute)."""
    if not isinstance(answer, dict):
        raise ConfigError(f"{where}: must be an object")
    unknown = set(answer) - ANSWER_FIELDS - set(extra)
    if unknown:
        raise ConfigError(f"{where}: unknown fields {sorted(unknown)}")
    out = dict(answer)
    status = out.get("status", 200)
    if not isinstance(status, int) or isinstance(status, bool) or not 100 <= status <= 999:
        raise ConfigError(f"{where}.status: an integer from 100 to 999")
    sources = [k for k in ("body", "body_base64", "file") if k in out]
    if len(sources) > 1:
        raise ConfigError(f"{where}: give at most one of body, body_base64 and file, not {sources}")
    if "body" in out:
        if not isinstance(out["body"], str):
            raise ConfigError(f"{where}.body: must be text")
        try:
            out["body"].encode(out.get("encoding", "utf-8"))
        except (LookupError, UnicodeError) as e:
            raise ConfigError(f"{where}.body: cannot be encoded: {e}") from None
    if "body_base64" in out:
        try:
            base64.b64decode(out["body_base64"], validate=True)
        except (ValueError, TypeError) as e:
            raise ConfigError(f"{where}.body_base64: {e}") from None
    if "file" in out:
        if not isinstance(out["file"], str) or not out["file"]:
            raise ConfigError(f"{where}.file: must be a path")
        path = windows_to_linux_path(out["file"])
        out["file"] = os.path.abspath(os.path.join(base_dir, path))
    mode = out.get("mode", "normal")
    if mode not in MODES:
        raise ConfigError(f"{where}.mode: one of {', '.join(MODES)}, not {mode!r}")
    for key, low in (("after", 0), ("chunk_size", 1)):
        if key in out and (not isinstance(out[key], int) or isinstance(out[key], bool) or out[key] < low):
            raise ConfigError(f"{where}.{key}: an integer of at least {low}")
    if "stall_seconds" in out:
        s = out["stall_seconds"]
        if not isinstance(s, (int, float)) or isinstance(s, bool) or not 0 <= s <= MAX_STALL_SECONDS:
            raise ConfigError(f"{where}.stall_seconds: a number from 0 to {MAX_STALL_SECONDS}")
    if "headers" in out:
        h = out["headers"]
        if not isinstance(h, dict) or not all(isinstance(k, str) and isinstance(v, str) for k, v in h.items()):
            raise ConfigError(f"{where}.headers: an object of texts")
        for k, v in h.items():
            if not k or any(c in k + v for c in "\r\n") or ":" in k:
                raise ConfigError(f"{where}.headers: bad header {k!r}")
    for key in ("reason", "content_type", "encoding"):
        if key in out and not isinstance(out[key], str):
            raise ConfigError(f"{where}.{key}: must be text")
    return out


def check_config(config, base_dir):
    """Validates a configuration object (any subset of the sections)."""
    if not isinstance(config, dict):
        raise ConfigError("the configuration must be a JSON object")
    unknown = set(config) - set(SECTIONS)
    if unknown:
        raise ConfigError(f"unknown sections {sorted(unknown)}; known: {sorted(SECTIONS)}")
    out = {}
    for name, answer in config.items():
        extra = SECTIONS[name][2]
        section = check_answer(answer, name, base_dir, extra)
        if "per_version" in section:
            per = section["per_version"]
            if not isinstance(per, dict):
                raise ConfigError(f"{name}.per_version: an object of answers by version text")
            section["per_version"] = {v: check_answer(a, f"{name}.per_version[{v!r}]", base_dir)
                                      for v, a in per.items()}
        out[name] = section
    return out


def default_config():
    return {name: dict(answer) for name, (answer, _, _) in SECTIONS.items()}


class Portal:
    """Configuration and request log, shared by the server's threads."""

    def __init__(self, scenario, log_path):
        self.lock = threading.Lock()
        self.scenario = scenario
        self.config = self._start_config()
        self.entries = []
        self.next_id = 1
        self.log_path = log_path
        self.log_file = open(log_path, "w", encoding="utf-8") if log_path else None
        self.stopping = threading.Event()

    def _start_config(self):
        config = default_config()
        config.update(json.loads(json.dumps(self.scenario)))
        return config

    def configure(self, changes):
        with self.lock:
            self.config.update(changes)
            return json.loads(json.dumps(self.config))

    def current(self):
        with self.lock:
            return json.loads(json.dumps(self.config))

    def reset(self):
        with self.lock:
            self.config = self._start_config()
            self.entries = []
            self.next_id = 1
            if self.log_file:
                self.log_file.seek(0)
                self.log_file.truncate()
                self.log_file.flush()

    def record(self, entry):
        with self.lock:
            entry = {"id": self.next_id, **entry}
            self.next_id += 1
            self.entries.append(entry)
            if self.log_file:
                self.log_file.write(json.dumps(entry) + "\n")
                self.log_file.flush()
            return entry

    def note_answer(self, entry, answer):
        with self.lock:
            entry["answer"] = answer

    def requests(self, since=0):
        with self.lock:
            return [dict(e) for e in self.entries if e["id"] > since]


def proc_tcp_address(address):
    """An IPv4 (host, port) as /proc/net/tcp writes it, e.g. 0100007F:4933."""
    host, port = address[:2]
    return "%08X:%04X" % (struct.unpack("<I", socket.inet_aton(host))[0], port)


def bytes_in_flight(ours, theirs):
    """True while bytes we sent are unacknowledged or unread on the peer's socket.
    Both ends are on this machine's loopback, so both sockets are listed."""
    try:
        with open("/proc/net/tcp", encoding="ascii") as f:
            lines = f.readlines()[1:]
    except OSError:
        return False
    for line in lines:
        fields = line.split()
        if len(fields) < 5:
            continue
        tx_queue, rx_queue = (int(q, 16) for q in fields[4].split(":"))
        if (fields[1], fields[2]) == (ours, theirs) and tx_queue:
            return True
        if (fields[1], fields[2]) == (theirs, ours) and rx_queue:
            return True
    return False


def answer_body(answer):
    """The body bytes of an answer, or None when its file is missing."""
    if "body_base64" in answer:
        return base64.b64decode(answer["body_base64"])
    if "file" in answer:
        try:
            with open(answer["file"], "rb") as f:
                return f.read()
        except OSError:
            return None
    return answer.get("body", "").encode(answer.get("encoding", "utf-8"))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    timeout = IDLE_TIMEOUT

    def version_string(self):
        return "DireravPortal/1.0"

    @property
    def portal(self):
        return self.server.portal

    def log_message(self, fmt, *args):  # noqa: N802 (the base class's name)
        if self.server.verbose:
            sys.stderr.write("portal: %s - %s\n" % (self.address_string(), fmt % args))

    # Every method goes the same way; BaseHTTPRequestHandler looks for do_<METHOD>.
    def do_GET(self):  # noqa: N802
        self.dispatch()

    do_POST = do_HEAD = do_PUT = do_DELETE = do_OPTIONS = do_PATCH = do_GET

    def dispatch(self):
        path = self.path
        if path.startswith(CONTROL_PREFIX):
            self.control(path, self.read_body())
            return
        body = self.read_body()
        headers = {}
        for name, value in self.headers.items():
            headers[name] = headers[name] + ", " + value if name in headers else value
        entry = {
            "time": round(time.time(), 3),
            "client": "%s:%d" % self.client_address[:2],
            "method": self.command,
            "path": path,
            "http": self.request_version,
            "headers": headers,
        }
        if body:
            entry["body"] = body.decode("utf-8", "replace")
        entry = self.portal.record(entry)
        if self.server.verbose:
            sys.stderr.write("portal: %s %s\n" % (self.command, path))
        route, answer = self.route(urllib.parse.urlsplit(path))
        self.portal.note_answer(entry, self.send_answer(route, answer))

    def read_body(self):
        length = self.headers.get("Content-Length")
        if not length:
            return b""
        try:
            n = int(length)
        except ValueError:
            return b""
        return self.rfile.read(min(max(n, 0), MAX_REQUEST_BODY))

    # ----- Routes ------------------------------------------------------------
    # (path, exact or prefix, method): the first that matches answers.
    # Login page and game page: they join here, as "login" for
    # /client/gamecode/vov/skin/as/mac/<MAC>/ and "game" for the game address,
    # each with a section of its own in SECTIONS and a method below.
    ROUTES = (
        ("/getClientVersion.php", "exact", "version_answer"),
        ("/download/", "prefix", "download_answer"),
    )

    def route(self, url):
        for path, how, method in self.ROUTES:
            if url.path == path if how == "exact" else url.path.startswith(path):
                return getattr(self, method)(url)
        return "none", {"status": 404, "body": "Not Found", "content_type": "text/html"}

    def version_answer(self, url):
        section = self.portal.current()["version"]
        version = None
        for pair in url.query.split("&"):
            if pair.startswith("v="):
                version = pair[2:]
        answer = section.get("per_version", {}).get(version, section)
        return "version", answer

    def download_answer(self, url):
        return "download", self.portal.current()["download"]

    # ----- Answers -----------------------------------------------------------
    def send_answer(self, route, answer):
        mode = answer.get("mode", "normal")
        result = {"route": route, "status": answer.get("status", 200), "mode": mode, "sent": 0}
        body = answer_body(answer)
        if body is None:
            result.update(status=404, mode="normal", end="missing-file")
            sys.stderr.write(f"portal: {self.path}: no file {answer['file']}\n")
            self.send_head(404, None, {"Content-Length": "9"})
            self.wfile.write(b"Not Found")
            return result
        if mode == "hangup":
            self.hold()
            self.reset_connection()
            result["end"] = "hung-up"
            return result
        default_type = SECTIONS[route][1] if route in SECTIONS else "text/html"
        headers = {"Content-Type": answer.get("content_type", default_type)}
        n = len(body)
        if mode == "chunked":
            headers["Transfer-Encoding"] = "chunked"
        elif mode == "close":
            headers["Connection"] = "close"
        else:
            headers["Content-Length"] = str(n)
        headers.update(answer.get("headers", {}))
        self.send_head(result["status"], answer.get("reason"), headers)
        if self.command == "HEAD":
            result["end"] = "complete"
            return result
        try:
            if mode in ("normal", "close"):
                self.wfile.write(body)
                result.update(sent=n, end="complete")
            elif mode == "chunked":
                size = answer.get("chunk_size", 1000)
                for i in range(0, n, size):
                    piece = body[i:i + size]
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
                self.wfile.write(b"0\r\n\r\n")
                result.update(sent=n, end="complete")
            else:
                after = min(answer.get("after", n - 1 if mode == "short" else n // 2), n)
                after = max(after, 0)
                self.wfile.write(body[:after])
                result["sent"] = after
                if mode == "short":
                    result["end"] = "short"
                elif mode == "drop":
                    self.wait_until_taken()
                    self.hold()
                    self.reset_connection()
                    result["end"] = "dropped"
                else:
                    result["end"] = self.stall(answer.get("stall_seconds", DEFAULT_STALL_SECONDS))
        except OSError:
            result["end"] = "client-gone"
        if mode != "normal" and mode != "chunked":
            self.close_connection = True
        return result

    def send_head(self, status, reason, headers):
        self.send_response(status, reason)
        for name, value in headers.items():
            self.send_header(name, value)
        self.end_headers()
        if headers.get("Connection") == "close":
            self.close_connection = True

    def stall(self, seconds):
        """Sends nothing until the client leaves, `seconds` pass or the simulator stops."""
        deadline = time.monotonic() + seconds
        sock = self.connection
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return "stalled"
            if self.portal.stopping.is_set():
                return "stopped"
            readable, _, _ = select.select([sock], [], [], min(left, 0.2))
            if readable:
                try:
                    if not sock.recv(4096):
                        return "client-gone"
                except OSError:
                    return "client-gone"

    def wait_until_taken(self, seconds=DROP_WAIT_SECONDS):
        """Waits until the client has taken every byte sent so far off its
        socket, or `seconds` pass. A reset can destroy data the peer has not
        read yet (Wine drops it, head included), so a drop waits for this."""
        try:
            ours = proc_tcp_address(self.connection.getsockname())
            theirs = proc_tcp_address(self.connection.getpeername())
        except OSError:
            return
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and not self.portal.stopping.is_set():
            if not bytes_in_flight(ours, theirs):
                return
            time.sleep(0.01)

    def hold(self):
        """A moment for the client to be waiting in a read before a reset: Wine
        reports a reset that meets a waiting read as an error, but may take one
        that comes in between reads for an orderly end."""
        self.portal.stopping.wait(RESET_HOLD_SECONDS)

    def reset_connection(self):
        """Closes the connection with a reset (RST) instead of an orderly end."""
        self.close_connection = True
        try:
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            # The socket's file objects keep it open; the descriptor itself is closed here.
            os.close(self.connection.detach())
        except OSError:
            pass

    # ----- Control API -------------------------------------------------------
    def control(self, path, body):
        url = urllib.parse.urlsplit(path)
        name = url.path[len(CONTROL_PREFIX):]
        if name == "config" and self.command == "POST":
            try:
                changes = check_config(json.loads(body.decode("utf-8")), os.getcwd())
            except (ConfigError, ValueError) as e:
                self.send_json(400, {"error": str(e)})
                return
            self.send_json(200, {"ok": True, "config": self.portal.configure(changes)})
        elif name == "config" and self.command == "GET":
            self.send_json(200, self.portal.current())
        elif name == "requests" and self.command == "GET":
            query = urllib.parse.parse_qs(url.query)
            try:
                since = int(query.get("since", ["0"])[0])
            except ValueError:
                self.send_json(400, {"error": "since: an entry id"})
                return
            entries = self.portal.requests(since)
            text = "[\n" + ",\n".join(json.dumps(e) for e in entries) + ("\n]\n" if entries else "]\n")
            self.send_text(200, text)
        elif name == "reset" and self.command == "POST":
            self.portal.reset()
            self.send_json(200, {"ok": True})
        else:
            self.send_json(404, {"error": f"no control {self.command} {url.path}"})

    def send_json(self, status, obj):
        self.send_text(status, json.dumps(obj) + "\n")

    def send_text(self, status, text):
        data = text.encode("utf-8")
        self.send_head(status, None, {
            "Content-Type": "application/json",
            "Content-Length": str(len(data)),
            "Cache-Control": "no-store",
        })
        self.wfile.write(data)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64

    def __init__(self, port, portal, verbose):
        self.portal = portal
        self.verbose = verbose
        super().__init__((HOST, port), Handler)

    def handle_error(self, request, client_address):
        # A client that goes away mid-answer is normal here; anything else is shown.
        exc = sys.exc_info()[1]
        if isinstance(exc, (ConnectionError, TimeoutError)):
            return
        super().handle_error(request, client_address)


def load_scenario(path):
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
    except (OSError, ValueError) as e:
        raise ConfigError(f"scenario {path}: {e}") from None
    return check_config(data, os.path.dirname(os.path.abspath(path)))


def write_ready_file(path, port):
    tmp = f"{path}.{os.getpid()}.tmp"
    with open(tmp, "w", encoding="ascii") as f:
        f.write(f"{port}\n")
    os.replace(tmp, path)


def main(argv=None):
    parser = argparse.ArgumentParser(description="Direrav portal simulator (127.0.0.1 only)")
    parser.add_argument("--port", type=int, required=True, help="port on 127.0.0.1; 0 picks a free one")
    parser.add_argument("--log", help="request log, one JSON line per request")
    parser.add_argument("--ready-file", help="written with the port once listening")
    parser.add_argument("--scenario", help="JSON configuration to start with")
    parser.add_argument("--exit-with-parent", action="store_true", help="end when the parent process ends")
    parser.add_argument("--lifetime", type=float, help="end after this many seconds")
    parser.add_argument("--verbose", action="store_true", help="print every request on stderr")
    args = parser.parse_args(argv)

    try:
        scenario = load_scenario(args.scenario) if args.scenario else {}
    except ConfigError as e:
        print(f"portal: {e}", file=sys.stderr)
        return 2
    portal = Portal(scenario, args.log)
    try:
        server = Server(args.port, portal, args.verbose)
    except OSError as e:
        print(f"portal: cannot listen on {HOST}:{args.port}: {e}", file=sys.stderr)
        return 1

    def stop(*_):
        if not portal.stopping.is_set():
            portal.stopping.set()
            threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    parent = os.getppid()
    deadline = time.monotonic() + args.lifetime if args.lifetime is not None else None

    def watch():
        while not portal.stopping.wait(0.25):
            if args.exit_with_parent and os.getppid() != parent:
                stop()
            if deadline is not None and time.monotonic() >= deadline:
                stop()

    if args.exit_with_parent or deadline is not None:
        threading.Thread(target=watch, daemon=True).start()

    port = server.server_address[1]
    if args.ready_file:
        write_ready_file(args.ready_file, port)
    if args.verbose:
        print(f"portal: listening on {HOST}:{port}", file=sys.stderr)
    try:
        server.serve_forever(poll_interval=0.1)
    finally:
        portal.stopping.set()
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
