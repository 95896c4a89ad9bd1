"""The report server of the tests: records every POST byte for byte.

    report_server.py --control DIR [--status N] [--record FILE]

Each POST, to any path, is answered N (default 200) with the body
'{"code":0}'. A request in the absolute form that a client sends to a proxy
("POST http://HOST/PATH") is answered the same, so that a program whose
report host is fixed reaches this server through its HTTP proxy setting.
Besides the control files of loopback.py, the server writes for the Nth POST
(N counted from 1, written as four digits: 0001, 0002, ...):

  posts/N.head   the request line and the header lines exactly as received,
                 each with its CRLF, without the blank line that ends them
  posts/N.body   the body exactly as received
  requests.log   one line per request, "METHOD<TAB>PATH<TAB>\\n", like the
                 package server's

N.head is written after N.body, each atomically, so a test that sees N.head
can read both.

With --record, each POST is also appended to FILE as one line of JSON, for a
person to read: {"method", "host" (empty unless the request named one),
"path", "query" (the decoded parameters, each a list of values), "body" (the
body's JSON, or its text when it is not JSON)}.
"""

import json
import os
import sys
import threading
from http.server import BaseHTTPRequestHandler
from urllib.parse import parse_qs, urlsplit

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402


class RecordingReader:
    """Passes reads through to the connection's reader and keeps the lines
    read, so that the handler sees the request head as it was sent."""

    def __init__(self, inner):
        self._inner = inner
        self.lines = []

    def readline(self, *args):
        line = self._inner.readline(*args)
        self.lines.append(line)
        return line

    def read(self, *args):
        return self._inner.read(*args)

    def __getattr__(self, name):
        return getattr(self._inner, name)


def write_atomically(path, data):
    with open(path + ".part", "wb") as out:
        out.write(data)
    os.replace(path + ".part", path)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def setup(self):
        super().setup()
        self.rfile = RecordingReader(self.rfile)

    def handle_one_request(self):
        self.rfile.lines = []
        super().handle_one_request()

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length > 0 else b""
        head = b"".join(line for line in self.rfile.lines if line not in (b"\r\n", b"\n"))
        server = self.server
        with server.lock:
            server.count += 1
            number = "%04d" % server.count
            with open(os.path.join(server.control, "requests.log"), "a", encoding="utf-8") as log:
                log.write("POST\t%s\t\n" % self.path)
            if server.record:
                self._record(body)
        write_atomically(os.path.join(server.posts, number + ".body"), body)
        write_atomically(os.path.join(server.posts, number + ".head"), head)

        answer = b'{"code":0}'
        self.send_response(server.status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(answer)))
        self.end_headers()
        self.wfile.write(answer)

    def _record(self, body):
        target = urlsplit(self.path)
        text = body.decode("utf-8", errors="replace")
        try:
            content = json.loads(text)
        except ValueError:
            content = text
        line = {"method": self.command, "host": target.netloc, "path": target.path,
                "query": parse_qs(target.query, keep_blank_values=True), "body": content}
        with open(self.server.record, "a", encoding="utf-8") as out:
            out.write(json.dumps(line, ensure_ascii=False) + "\n")


def main():
    parser = loopback.arguments(__doc__)
    parser.add_argument("--status", type=int, default=200, help="the status of every answer")
    parser.add_argument("--record", default="", help="the file that receives one JSON line per POST")
    args = parser.parse_args()

    def configure(server):
        server.control = args.control
        server.posts = os.path.join(args.control, "posts")
        os.makedirs(server.posts, exist_ok=True)
        server.status = args.status
        server.record = args.record
        server.lock = threading.Lock()
        server.count = 0

    loopback.serve(Handler, args, configure)


if __name__ == "__main__":
    main()
