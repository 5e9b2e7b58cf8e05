#!/usr/bin/env python3
"""HTTPS stand-in for the recorder's /config/ interface and the cloud portal in tests.

Serves canned answers from a routes file and a few misbehaving endpoints for
the transport tests; logs every request as one JSON line, with its query as
Python's urllib.parse decodes it. Without --cert it speaks plain HTTP and
stands in for a camera. Exits by itself after --lifetime seconds or when its
standard input closes.
"""
import argparse
import base64
import json
import os
import socket
import socketserver
import ssl
import struct
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LOCK = threading.Lock()
ROUTES = {}
LOG = None
MiB = 1024 * 1024
# A 2x2 PNG: a still image a camera could send.
STILL = base64.b64decode(
    "iVBORw0KGgoAAAANSUhEUgAAAAIAAAACCAIAAAD91JpzAAAAEElEQVR4nGP4zwAE/xkgFAAb8gP91pbyKwAAAABJRU5ErkJggg==")


def decoded_query(path):
    """The query as a standard decoder reads it; None when it is malformed."""
    query = urllib.parse.urlsplit(path).query
    try:
        return urllib.parse.parse_qs(query, keep_blank_values=True, strict_parsing=True)
    except ValueError:
        return None


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        self.answer()

    def do_POST(self):
        self.answer()

    def answer(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""
        record = {"method": self.command, "path": self.path,
                  "headers": [[k, v] for k, v in self.headers.items()],
                  "body": body.decode("latin-1")}
        if "?" in self.path:
            record["query"] = decoded_query(self.path)
        with LOCK:
            LOG.write(json.dumps(record) + "\n")
            LOG.flush()
        bare = self.path.split("?")[0]
        special = SPECIAL.get(bare)
        if special:
            special(self, record)
            return
        with LOCK:
            route = ROUTES.get(self.path) or ROUTES.get(bare)
            if route is None:
                text = None
            else:
                bodies = route["bodies"]
                text = bodies.pop(0) if len(bodies) > 1 else bodies[0]
        if text is None:
            self.send(404, b"404 Not Found\r\n")
        else:
            self.send(route.get("status", 200), text.encode("utf-8"))

    def send(self, status, data, extra=()):
        self.send_response(status)
        for key, value in extra:
            self.send_header(key, value)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def head(self, length=None):
        self.send_response(200)
        if length is None:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(length))
        self.end_headers()
        self.wfile.flush()

    def echo(self, record):
        self.send(200, json.dumps(record).encode("utf-8"))

    def unauthorized(self, _):
        self.send(401, b"401 Unauthorized\r\n", [("WWW-Authenticate", 'Basic realm="config"')])

    def redirect(self, _):
        self.send(302, b"moved\r\n", [("Location", "/echo")])

    def chunks(self, _):
        pieces = [("line%02d\r\n" % i).encode() for i in range(40)]
        self.head(sum(len(p) for p in pieces))
        for piece in pieces:
            self.wfile.write(piece)
            self.wfile.flush()
            time.sleep(0.01)

    def stall(self, _):
        self.head(100)
        self.wfile.write(b"0123456789")
        self.wfile.flush()
        time.sleep(10)
        self.close_connection = True

    def reset(self, _):
        self.head(1000)
        self.wfile.write(b"0123456789")
        self.wfile.flush()
        time.sleep(0.1)
        raw = socket.socket(fileno=os.dup(self.connection.fileno()))
        raw.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        raw.close()
        self.connection.close()
        self.close_connection = True

    def set_password(self, record):
        # A 47X camera echoes the password it decoded.
        query = record.get("query") or {}
        value = query.get("AdminPassword", [""])[0]
        self.send(200, ("AdminID=admin\r\nAdminPassword=%s\r\n" % value).encode("utf-8"))

    def still(self, _):
        self.send(200, STILL, [("Content-Type", "image/png")])

    def big(self, _):
        self.head()
        piece = b"x" * (64 * 1024)
        try:
            for _ in range(17 * 16):
                self.wfile.write(piece)
        except OSError:
            pass

    def big_announced(self, _):
        self.head(17 * MiB)
        self.wfile.write(b"x" * 1024)
        self.wfile.flush()
        time.sleep(3)
        self.close_connection = True


SPECIAL = {
    "/echo": Handler.echo,
    "/system.cgi": Handler.set_password,
    "/image.jpg": Handler.still,
    "/401": Handler.unauthorized,
    "/redirect": Handler.redirect,
    "/chunks": Handler.chunks,
    "/stall": Handler.stall,
    "/reset": Handler.reset,
    "/big": Handler.big,
    "/bigannounced": Handler.big_announced,
}


class Server(ThreadingHTTPServer):
    daemon_threads = True

    def server_bind(self):
        # HTTPServer would look up its own name: there is no resolver in the lab.
        socketserver.TCPServer.server_bind(self)
        self.server_name, self.server_port = self.server_address[:2]

    def handle_error(self, request, client_address):
        pass  # resets and aborted clients are what these tests are about


def main():
    global LOG
    parser = argparse.ArgumentParser()
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--routes")
    parser.add_argument("--log", required=True)
    parser.add_argument("--lifetime", type=float, default=60)
    args = parser.parse_args()
    if args.routes:
        with open(args.routes, encoding="utf-8") as f:
            ROUTES.update(json.load(f))
    LOG = open(args.log, "a", encoding="utf-8")
    server = Server((args.bind, args.port), Handler)
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)

    def watchdog():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=watchdog, daemon=True).start()
    threading.Timer(args.lifetime, lambda: os._exit(0)).start()
    print("ready %d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
