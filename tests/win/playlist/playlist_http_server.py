#!/usr/bin/env python3
"""Test HTTP server for the playlist tests under Wine.

  playlist_http_server.py start DIR   starts the server in the background on
                                      127.0.0.1 (a free port) and writes
                                      DIR/port and DIR/pid
  playlist_http_server.py stop DIR    ends the server started for DIR

The Windows test reads DIR/port. Every answer is fixed, so the tests are
deterministic; the server ends by itself after ten minutes at the latest.
"""
import os
import signal
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import background_server  # noqa: E402

LIFETIME_S = 600
SILENT_HOLD_S = 30
TRICKLE_HOLD_S = 60
TRICKLE_STEP_S = 0.5

M3U = (b"#EXTM3U\r\n#EXTINF:180,Remote\r\nhttp://127.0.0.1/a.mp3\r\n"
       b"C:\\Music\\b.mp3\r\n   c.mp3   \r\n")
PLS = (b"[playlist]\r\nFile1=http://127.0.0.1/radio\r\nTitle1=Radio\r\n"
       b"file2=C:\\Music\\d.ogg\r\nNumberOfEntries=2\r\nVersion=2\r\n")
ASX = (b'<asx version="3.0">\r\n<entry><title>One</title><ref href=" http://127.0.0.1/one.wma "/></entry>\r\n'
       b'<entry><title>No ref</title></entry>\r\n'
       b'<entry><ref href="C:\\Music\\two.wma"/></entry>\r\n</asx>\r\n')


def big_m3u():
    lines = [b"#EXTM3U"]
    for i in range(8000):
        lines.append(b"C:\\Music\\Artist %d\\Album %d\\Track %05d.mp3" % (i % 97, i % 13, i))
    return b"\r\n".join(lines) + b"\r\n"


BIG = big_m3u()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    def send_body(self, body, content_type="audio/x-mpegurl", length=True, pieces=1):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if length:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        step = max(1, len(body) // pieces)
        try:
            for start in range(0, len(body), step):
                self.wfile.write(body[start:start + step])
                self.wfile.flush()
                if pieces > 1:
                    time.sleep(0.005)
        except ConnectionError:
            pass  # the client gave up (size limit test)

    def do_GET(self):
        path = self.path.split("?")[0]
        if path == "/list.m3u":
            self.send_body(M3U)
        elif path == "/list.pls":
            self.send_body(PLS, "audio/x-scpls")
        elif path == "/list.asx":
            self.send_body(ASX, "video/x-ms-asf")
        elif path == "/big.m3u":
            self.send_body(BIG, pieces=40)
        elif path == "/big-unsized.m3u":
            self.send_body(BIG, length=False, pieces=40)
        elif path == "/headers.m3u":
            # The request's headers, one entry each ("Name: value" keeps its ":").
            body = b"".join(b"%s: %s\r\n" % (k.encode(), v.encode()) for k, v in self.headers.items())
            self.send_body(body)
        elif path == "/early.m3u":
            self.send_response(200)
            self.send_header("Content-Length", "5000")
            self.end_headers()
            self.wfile.write(b"C:\\Music\\first.mp3\r\nC:\\Music\\second.mp3\r\n")
            self.wfile.flush()
            self.close_connection = True
        elif path == "/trickle.m3u":
            # Answers at once, then sends the list one byte at a time, each
            # well within any read time-out, until the client goes away (or a
            # bound passes).
            self.send_response(200)
            self.send_header("Content-Type", "audio/x-mpegurl")
            self.end_headers()
            body = M3U * 100
            end = time.monotonic() + TRICKLE_HOLD_S
            try:
                for i in range(len(body)):
                    if time.monotonic() > end:
                        break
                    self.wfile.write(body[i:i + 1])
                    self.wfile.flush()
                    time.sleep(TRICKLE_STEP_S)
            except (ConnectionError, OSError):
                pass
            self.close_connection = True
        elif path == "/silent.m3u":
            # Accepts and reads the request, then never answers; holds the
            # connection until the client gives up (or a bound passes).
            self.connection.settimeout(SILENT_HOLD_S)
            try:
                self.connection.recv(1)
            except OSError:
                pass
            self.close_connection = True
        else:
            self.send_response(404)
            self.send_header("Content-Type", "text/html")
            body = b"<html><body>C:\\not\\a\\list.mp3</body></html>\r\n"
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)


def serve(directory):
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    background_server.publish(directory, "port", "%d\n" % server.server_address[1])
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    time.sleep(LIFETIME_S)


def start(directory):
    return background_server.start(directory, "port", lambda: serve(directory), "playlist test server", 10)


def stop(directory):
    return background_server.stop(directory, "port")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(start(sys.argv[2]) if sys.argv[1] == "start" else stop(sys.argv[2]))
