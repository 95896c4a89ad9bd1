"""The package server of the tests: serves the files of a folder over HTTP."""

import os
import sys
from http.server import BaseHTTPRequestHandler

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loopback  # noqa: E402


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _file(self):
        root = os.path.realpath(self.server.root)
        path = os.path.realpath(os.path.join(root, self.path.split("?", 1)[0].lstrip("/")))
        if os.path.commonpath([root, path]) != root or not os.path.isfile(path):
            return None
        return path

    def _answer(self, with_body):
        path = self._file()
        if path is None:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        with open(path, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Content-Type", "application/octet-stream")
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def do_GET(self):
        self._answer(True)

    def do_HEAD(self):
        self._answer(False)


def main():
    parser = loopback.arguments(__doc__)
    parser.add_argument("--root", required=True, help="the folder to serve")
    args = parser.parse_args()

    def configure(server):
        server.root = args.root

    loopback.serve(Handler, args, configure)


if __name__ == "__main__":
    main()
