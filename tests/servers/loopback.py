"""What every test server shares: it listens on 127.0.0.1 at a port of its own
choosing and is driven through a control folder that the test program owns:

  port     written (atomically) once the server listens
  stop     created by the test to stop the server
  exited   written by the server as it goes

A server also ends by itself after --max-seconds, so that a test program that
died cannot leave it running. --run-tag only marks the command line, so that
tools/wine-run can end the servers of a run that it ended.
"""

import argparse
import os
import threading
import time
from http.server import ThreadingHTTPServer


def arguments(description):
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--control", required=True, help="the control folder")
    parser.add_argument("--run-tag", default="")
    parser.add_argument("--max-seconds", type=float, default=600)
    return parser


def serve(handler_class, args, configure=None):
    server = ThreadingHTTPServer(("127.0.0.1", 0), handler_class)
    server.daemon_threads = True
    if configure:
        configure(server)

    def watch():
        deadline = time.monotonic() + args.max_seconds
        stop = os.path.join(args.control, "stop")
        while not os.path.exists(stop) and time.monotonic() < deadline:
            time.sleep(0.05)
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    port_file = os.path.join(args.control, "port")
    with open(port_file + ".part", "w") as out:
        out.write(str(server.server_address[1]))
    os.replace(port_file + ".part", port_file)
    try:
        server.serve_forever(poll_interval=0.05)
    finally:
        server.server_close()
        with open(os.path.join(args.control, "exited"), "w"):
            pass
