#!/usr/bin/env python3
"""Test servers for network streams, on 127.0.0.1.

  stream_server.py start DIR MEDIA [SECONDS]
                                     starts them in the background and writes
                                     DIR/ports ("http redirect https dead")
                                     and DIR/pid; they end by themselves
                                     after SECONDS (600)
  stream_server.py stop DIR          ends them

MEDIA is the folder of generated media. Addresses on the http port:

  /ranges/NAME            the file, with byte ranges (206, Content-Range)
  /plain/NAME             the file, whole, never ranges
  /slow/NAME?bps=N        the file with ranges, N bytes a second
  /stall/NAME?after=N     N bytes, then nothing for a minute (the connection
                          stays open), then the rest
  /drop/NAME?after=N      N bytes, then the connection closes, on the first
                          request for NAME; later ones are served whole
  /dropalways/NAME?after=N  every answer ends after N bytes (no ranges)
  /live.mp3, /live.ogg    endless radio streams ("icy-" headers, no length);
                          ?bps=N paces them after a first burst, as radio
                          servers do
  /icy.mp3                an endless stream answered with "ICY 200 OK"
  /silent                 reads the request and never answers
  /status                 "stalled=N served=M silent=K": connections held in a
                          stall now, answers begun so far, and requests
                          /silent holds now
  anything else           404

The redirect port answers every request with 302 to the same path on the
http port; https serves /ranges/NAME with a self-signed certificate; the dead
port had a listener that was closed again. Everything ends by itself after
ten minutes at the latest.
"""
import os
import re
import signal
import socket
import ssl
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import background_server  # noqa: E402

LIFETIME_S = 600
STALL_S = 60
SILENT_S = 60
CHUNK = 16384
# Radio servers send this much at once to a new listener, then keep pace.
BURST = 65536

state = {"stalled": 0, "served": 0, "silent": 0, "dropped": set()}
lock = threading.Lock()
media_dir = "."
http_port = 0


def endless(path, size):
    """The frames of a stream file over and over, from its first byte."""
    with open(path, "rb") as f:
        data = f.read()
    while True:
        for start in range(0, len(data), size):
            yield data[start:start + size]


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    def file_bytes(self, name):
        path = os.path.join(media_dir, os.path.basename(name))
        if not os.path.isfile(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def not_found(self):
        body = b"<html><body>not here</body></html>"
        self.send_response(404, "Not Found")
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def requested_range(self, length):
        match = re.match(r"bytes=(\d+)-(\d*)$", self.headers.get("Range", ""))
        if not match:
            return None
        first = int(match.group(1))
        last = int(match.group(2)) if match.group(2) else length - 1
        if first >= length:
            return "unsatisfiable"
        return first, min(last, length - 1)

    def send_file(self, data, ranges=True, bps=0, stall_after=None, drop_after=None):
        with lock:
            state["served"] += 1
        first, last = 0, len(data) - 1
        wanted = self.requested_range(len(data)) if ranges else None
        if wanted == "unsatisfiable":
            self.send_response(416, "Range Not Satisfiable")
            self.send_header("Content-Range", "bytes */%d" % len(data))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if wanted:
            first, last = wanted
            self.send_response(206, "Partial Content")
            self.send_header("Content-Range", "bytes %d-%d/%d" % (first, last, len(data)))
        else:
            self.send_response(200, "OK")
        if ranges:
            self.send_header("Accept-Ranges", "bytes")
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(last - first + 1))
        self.end_headers()
        position = first
        try:
            while position <= last:
                end = min(last + 1, position + CHUNK)
                if stall_after is not None and position < stall_after <= end:
                    end = stall_after
                if drop_after is not None and end > drop_after:
                    end = max(position, drop_after)
                self.wfile.write(data[position:end])
                self.wfile.flush()
                position = end
                if drop_after is not None and position >= drop_after:
                    self.close_connection = True
                    self.connection.shutdown(socket.SHUT_RDWR)
                    return
                if stall_after is not None and position == stall_after:
                    with lock:
                        state["stalled"] += 1
                    try:
                        self.hold(STALL_S)
                    finally:
                        with lock:
                            state["stalled"] -= 1
                if bps:
                    time.sleep(CHUNK / bps)
        except (ConnectionError, OSError):
            self.close_connection = True

    def hold(self, seconds):
        """Sends nothing; returns early when the client goes away."""
        self.connection.settimeout(seconds)
        try:
            while self.connection.recv(1):
                pass
        except OSError:
            pass
        self.connection.settimeout(None)

    def send_live(self, path, bps, icy_status=False):
        with lock:
            state["served"] += 1
        if icy_status:
            self.wfile.write(b"ICY 200 OK\r\nicy-name: Test Radio\r\nicy-br: 128\r\n"
                             b"Content-Type: audio/mpeg\r\n\r\n")
        else:
            self.send_response(200, "OK")
            self.send_header("Content-Type", "audio/mpeg" if path.endswith(".mp3") else "application/ogg")
            self.send_header("icy-name", "Test Radio")
            self.send_header("icy-br", "128")
            self.send_header("Cache-Control", "no-cache")
            self.send_header("Connection", "close")
            self.end_headers()
        self.close_connection = True
        start = time.monotonic()
        sent = 0
        try:
            for piece in endless(path, CHUNK // 4):
                self.wfile.write(piece)
                self.wfile.flush()
                sent += len(piece)
                if bps and sent > BURST:
                    ahead = (sent - BURST) / bps - (time.monotonic() - start)
                    if ahead > 0:
                        time.sleep(ahead)
        except (ConnectionError, OSError):
            pass

    def do_GET(self):
        parts = urlsplit(self.path)
        query = {k: v[0] for k, v in parse_qs(parts.query).items()}
        path = parts.path
        number = lambda key, default=0: int(query.get(key, default))
        if path == "/status":
            with lock:
                body = ("stalled=%d served=%d silent=%d" % (state["stalled"], state["served"], state["silent"])).encode()
            self.send_response(200, "OK")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if path == "/silent":
            with lock:
                state["silent"] += 1
            try:
                self.hold(SILENT_S)
            finally:
                with lock:
                    state["silent"] -= 1
            self.close_connection = True
            return
        if path in ("/live.mp3", "/live.ogg", "/icy.mp3"):
            stream = os.path.join(media_dir, "live.mp3" if path.endswith(".mp3") else "live.ogg")
            self.send_live(stream, number("bps"), icy_status=path == "/icy.mp3")
            return
        match = re.match(r"/(ranges|plain|slow|stall|drop|dropalways)/([^/]+)$", path)
        data = self.file_bytes(match.group(2)) if match else None
        if data is None:
            self.not_found()
            return
        kind = match.group(1)
        if kind == "ranges":
            self.send_file(data)
        elif kind == "plain":
            self.send_file(data, ranges=False)
        elif kind == "slow":
            self.send_file(data, bps=number("bps", 65536))
        elif kind == "stall":
            self.send_file(data, stall_after=number("after", len(data) // 2))
        elif kind == "drop":
            with lock:
                first = path not in state["dropped"]
                state["dropped"].add(path)
            self.send_file(data, drop_after=number("after", len(data) // 2) if first else None)
        else:
            self.send_file(data, ranges=False, drop_after=number("after", len(data) // 2))


class Redirect(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        sys.stderr.write("redirect %s\n" % (fmt % args))

    def do_GET(self):
        self.send_response(302, "Found")
        self.send_header("Location", "http://127.0.0.1:%d%s" % (http_port, self.path))
        self.send_header("Content-Length", "0")
        self.end_headers()


def https_server(directory):
    cert, key = os.path.join(directory, "cert.pem"), os.path.join(directory, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1",
                    "-days", "2", "-keyout", key, "-out", cert],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    return server


def dead_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


def serve(directory, lifetime):
    global http_port
    main = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    main.daemon_threads = True
    http_port = main.server_address[1]
    redirect = ThreadingHTTPServer(("127.0.0.1", 0), Redirect)
    redirect.daemon_threads = True
    secure = https_server(directory)
    servers = [main, redirect, secure]
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    background_server.publish(directory, "ports", "%d %d %d %d\n" % (
        http_port, redirect.server_address[1], secure.server_address[1], dead_port()))
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    time.sleep(lifetime)


def start(directory, media, lifetime=LIFETIME_S):
    global media_dir
    media_dir = os.path.abspath(media)
    return background_server.start(directory, "ports", lambda: serve(directory, lifetime), "stream test servers")


def stop(directory):
    return background_server.stop(directory, "ports")


if __name__ == "__main__":
    if len(sys.argv) in (4, 5) and sys.argv[1] == "start":
        sys.exit(start(sys.argv[2], sys.argv[3], *(int(a) for a in sys.argv[4:])))
    if len(sys.argv) == 3 and sys.argv[1] == "stop":
        sys.exit(stop(sys.argv[2]))
    print(__doc__, file=sys.stderr)
    sys.exit(2)
