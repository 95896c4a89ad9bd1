"""The package server of the tests: serves the files of a folder over HTTP/1.1,
and misbehaves on request.

    package_server.py --control DIR --root FOLDER

GET and HEAD of "/NAME" answer the file FOLDER/NAME with its exact
Content-Length. A GET with "Range: bytes=A-", "bytes=A-B" or "bytes=-N" is
answered 206 with Content-Range; a start at or past the end is answered 416
with "Content-Range: bytes */SIZE". A missing file is answered 404 with the
body "404 Not Found\\n". Besides the control files of loopback.py:

  requests.log   written by the server: one line per request, as it arrives,
                 "METHOD<TAB>PATH<TAB>RANGE\\n", RANGE being the value of the
                 Range header ("bytes=100-") or empty.
  rules.json     written by the test (atomically, replacing it), read at each
                 request: an object mapping a path to the rule for it.

A rule is an object with any of these members:

  "status": N            answer N with the body "N REASON\\n" (404, 500, ...)
  "redirect": "/PATH"    answer 302 with Location: /PATH
  "head_status": N       HEAD only: answer N (a server that refuses body-less
                         requests with 405 and serves GET)
  "head_length": V       HEAD only: V "none" sends no Content-Length, a number
                         sends that length
  "content_length": V    announce V (a number or any text, "-5",
                         "1000000000000") instead of the real length, send the
                         real body and close the connection
  "drop_after": K        send the headers and the first K body bytes of the
                         answer, then close the connection
  "stall_after": K       send the headers and the first K body bytes, then
                         nothing, until the client goes or the server stops
  "ignore_range": true   answer every GET 200 with the whole file
  "times": N             the rule holds for the first N requests of the path
                         (counted from the moment the rule file was written),
                         then the path is served normally
"""

import json
import os
import select
import socket
import sys
import threading
from http import HTTPStatus
from http.server import BaseHTTPRequestHandler

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402


class Rules:
    """The rules of rules.json, reloaded when the file changes, with the count
    of requests each rule has already served."""

    def __init__(self, control):
        self._path = os.path.join(control, "rules.json")
        self._lock = threading.Lock()
        self._stamp = None
        self._rules = {}
        self._used = {}

    def take(self, path):
        with self._lock:
            self._reload()
            rule = self._rules.get(path)
            if rule is None:
                return {}
            used = self._used.get(path, 0)
            if "times" in rule and used >= rule["times"]:
                return {}
            self._used[path] = used + 1
            return rule

    def _reload(self):
        try:
            st = os.stat(self._path)
            stamp = (st.st_mtime_ns, st.st_size, st.st_ino)
        except FileNotFoundError:
            stamp = None
        if stamp == self._stamp:
            return
        self._stamp = stamp
        self._used = {}
        if stamp is None:
            self._rules = {}
            return
        with open(self._path, encoding="utf-8") as f:
            self._rules = json.load(f)


def parse_range(header, size):
    """(start, end) inclusive for a single byte range, "past" when it starts
    at or past the end, None when there is none or it is not understood."""
    if not header or not header.startswith("bytes=") or "," in header:
        return None
    first, _, last = header[len("bytes="):].strip().partition("-")
    try:
        if first == "":
            count = int(last)
            if count <= 0:
                return None
            return (max(size - count, 0), size - 1) if size else "past"
        start = int(first)
        end = int(last) if last else size - 1
    except ValueError:
        return None
    if start >= size:
        return "past"
    if end < start:
        return None
    return (start, min(end, size - 1))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        self._answer(True)

    def do_HEAD(self):
        self._answer(False)

    def _file(self, path):
        root = os.path.realpath(self.server.root)
        name = os.path.realpath(os.path.join(root, path.lstrip("/")))
        if os.path.commonpath([root, name]) != root or not os.path.isfile(name):
            return None
        return name

    def _log(self, path):
        line = "\t".join([self.command, path, self.headers.get("Range", "")]) + "\n"
        with self.server.log_lock, open(self.server.log_path, "a", encoding="utf-8") as log:
            log.write(line)

    def _error(self, status, with_body):
        body = ("%d %s\n" % (status, HTTPStatus(status).phrase)).encode()
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def _answer(self, with_body):
        path = self.path.split("?", 1)[0]
        self._log(path)
        rule = self.server.rules.take(path)
        if "status" in rule:
            return self._error(rule["status"], with_body)
        if not with_body and "head_status" in rule:
            return self._error(rule["head_status"], with_body)
        if "redirect" in rule:
            self.send_response(302)
            self.send_header("Location", rule["redirect"])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        name = self._file(path)
        if name is None:
            return self._error(404, with_body)

        size = os.path.getsize(name)
        start, end = 0, size - 1
        status = 200
        wanted = None if rule.get("ignore_range") or not with_body else \
            parse_range(self.headers.get("Range"), size)
        if wanted == "past":
            self.send_response(416)
            self.send_header("Content-Range", "bytes */%d" % size)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if wanted is not None:
            start, end = wanted
            status = 206
        count = end - start + 1

        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Accept-Ranges", "bytes")
        if status == 206:
            self.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
        if not with_body and "head_length" in rule:
            if rule["head_length"] != "none":
                self.send_header("Content-Length", str(rule["head_length"]))
        elif "content_length" in rule:
            self.send_header("Content-Length", str(rule["content_length"]))
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(count))
        self.end_headers()
        if not with_body:
            return

        limit = count
        for key in ("drop_after", "stall_after"):
            if key in rule:
                limit = min(limit, rule[key])
        try:
            with open(name, "rb") as f:
                if limit > 0:
                    self.connection.sendfile(f, start, limit)
        except ConnectionError:
            # The client went away mid-body (it refused what it was sent).
            self.close_connection = True
            return
        if "stall_after" in rule:
            self._stall()
        if "drop_after" in rule or "stall_after" in rule:
            self.close_connection = True
            try:
                self.connection.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def _stall(self):
        # Holds the connection open without sending, until the client closes it
        # or the server stops.
        while not self.server.stopping.is_set():
            readable, _, _ = select.select([self.connection], [], [], 0.1)
            if readable:
                try:
                    if not self.connection.recv(4096):
                        return
                except OSError:
                    return


def main():
    parser = loopback.arguments(__doc__)
    parser.add_argument("--root", required=True, help="the folder to serve")
    args = parser.parse_args()

    def configure(server):
        server.root = args.root
        server.rules = Rules(args.control)
        server.log_path = os.path.join(args.control, "requests.log")
        server.log_lock = threading.Lock()
        server.stopping = threading.Event()
        shutdown = server.shutdown

        def stop():
            server.stopping.set()
            shutdown()

        server.shutdown = stop

    loopback.serve(Handler, args, configure)


if __name__ == "__main__":
    main()
