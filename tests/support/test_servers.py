#!/usr/bin/python3
"""Loopback servers for the internet tests: an HTTP server and an FTP server
(pyftpdlib) over one folder, on free ports of 127.0.0.1 only.

Usage: test_servers.py ROOT PORTFILE
Writes "HTTP_PORT FTP_PORT CLOSED_PORT" to PORTFILE once both listen
(CLOSED_PORT is a port nothing listens on) and serves until it is ended.

Besides the files of ROOT the HTTP server answers these paths:
  /status/CODE          the status CODE with a small HTML page
  /redirect/PATH        302 to /PATH
  /stall/...            reads the request and never answers
  /stall-body/N         announces 1,000,000 bytes, sends N, then stalls
  /truncate/N           announces 2*N bytes, sends N, then closes
"""
import http.server
import logging
import os
import signal
import socket
import sys
import threading
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

STALL_SECONDS = 120


def make_handler(root):
    class Handler(http.server.SimpleHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=root, **kwargs)

        def log_message(self, *args):
            pass

        def stall(self):
            self.wfile.flush()
            deadline = time.time() + STALL_SECONDS
            self.connection.settimeout(0.5)
            while time.time() < deadline:
                try:
                    if not self.connection.recv(1):
                        return  # the client went away
                except socket.timeout:
                    continue
                except OSError:
                    return

        def do_GET(self):
            parts = self.path.split("/")
            kind = parts[1] if len(parts) > 1 else ""
            if kind == "status" and len(parts) > 2:
                code = int(parts[2])
                body = ("<html><body>%d</body></html>" % code).encode()
                self.send_response(code)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
            elif kind == "redirect":
                self.send_response(302)
                self.send_header("Location", "/" + "/".join(parts[2:]))
                self.send_header("Content-Length", "0")
                self.end_headers()
            elif kind == "stall":
                self.stall()
                self.close_connection = True
            elif kind in ("stall-body", "truncate") and len(parts) > 2:
                n = int(parts[2])
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                self.send_header("Content-Length", str(1000000 if kind == "stall-body" else 2 * n))
                self.end_headers()
                self.wfile.write(b"x" * n)
                if kind == "stall-body":
                    self.stall()
                self.close_connection = True
            else:
                super().do_GET()

    return Handler


def main():
    root, port_file = sys.argv[1], sys.argv[2]
    os.makedirs(root, exist_ok=True)
    logging.basicConfig(level=logging.ERROR)

    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), make_handler(root))
    httpd.daemon_threads = True

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root, perm="elradfmwMT")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "ferro test server"
    ftpd = FTPServer(("127.0.0.1", 0), handler)

    closed = socket.socket()
    closed.bind(("127.0.0.1", 0))
    closed_port = closed.getsockname()[1]
    closed.close()

    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    threading.Thread(target=ftpd.serve_forever, kwargs={"handle_exit": False}, daemon=True).start()
    with open(port_file + ".tmp", "w") as f:
        f.write("%d %d %d\n" % (httpd.server_address[1], ftpd.address[1], closed_port))
    os.rename(port_file + ".tmp", port_file)

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *a: stop.set())
    signal.signal(signal.SIGINT, lambda *a: stop.set())
    while not stop.wait(1):
        if os.getppid() == 1:  # the runner is gone
            break
    httpd.shutdown()
    ftpd.close_all()


if __name__ == "__main__":
    main()
