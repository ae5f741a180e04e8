#!/usr/bin/env python3
"""Test update server for the updater tests under Wine.

  update_server.py start DIR   makes two key pairs with tools/sign-update.py
                               (DIR/keys/good.pem + good.bin, wrong.pem + wrong.bin),
                               starts the server in the background on 127.0.0.1
                               (a free port) and writes DIR/port and DIR/pid
  update_server.py stop DIR    ends the server started for DIR

The server answers GET requests from the files below DIR/www (the query string
is not part of the file name; every request line is appended to
DIR/www/<first path part>/requests.log). A file FILE.mode changes how FILE is
served:
  stall        the request is never answered
  stall-body   headers and the first half of the body, then nothing
  huge         the file followed by 100 MB of "x"
  no-length    no Content-Length header
  short        a Content-Length 1000 bytes larger than the body, then close
GET /_sign?file=REL&key=good|wrong signs DIR/www/REL into DIR/www/REL.sig.
Every test uses a folder of its own below DIR/www as the server's base path.
The server ends by itself after fifteen minutes at the latest.
"""
import os
import signal
import subprocess
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import background_server  # noqa: E402

LIFETIME_S = 900
STALL_S = 120
HUGE_BYTES = 100 * 1024 * 1024
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
SIGN_TOOL = os.path.join(ROOT, "tools", "sign-update.py")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        pass

    def headers_only(self, code, length=None):
        self.send_response(code)
        self.send_header("Content-Type", "application/octet-stream")
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()

    def reply(self, code, body=b""):
        self.headers_only(code, len(body))
        self.wfile.write(body)

    def stall(self):
        deadline = time.time() + STALL_S
        while time.time() < deadline and not self.server.stopping:
            time.sleep(0.2)
        self.close_connection = True

    def do_GET(self):
        www = self.server.www
        parsed = urllib.parse.urlsplit(self.path)
        path = urllib.parse.unquote(parsed.path).lstrip("/")
        if path == "_sign":
            query = urllib.parse.parse_qs(parsed.query)
            target = os.path.join(www, query["file"][0])
            key = os.path.join(self.server.keys, query.get("key", ["good"])[0] + ".pem")
            done = subprocess.run([sys.executable, SIGN_TOOL, "sign", key, target], capture_output=True)
            self.reply(200 if done.returncode == 0 else 500, done.stderr)
            return
        if ".." in path.split("/"):
            self.reply(404)
            return
        first = path.split("/")[0]
        if first:
            os.makedirs(os.path.join(www, first), exist_ok=True)
            with open(os.path.join(www, first, "requests.log"), "a") as log:
                log.write(self.path + "\n")
        target = os.path.join(www, path)
        if not os.path.isfile(target) or target.endswith(".mode"):
            self.reply(404)
            return
        with open(target, "rb") as f:
            body = f.read()
        mode = ""
        if os.path.isfile(target + ".mode"):
            with open(target + ".mode") as f:
                mode = f.read().strip()
        try:
            self.serve(mode, body)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def serve(self, mode, body):
        if mode == "stall":
            self.stall()
        elif mode == "stall-body":
            self.headers_only(200, len(body))
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            self.stall()
        elif mode == "huge":
            self.headers_only(200, len(body) + HUGE_BYTES)
            self.wfile.write(body)
            chunk = b"x" * 65536
            for _ in range(HUGE_BYTES // len(chunk)):
                if self.server.stopping:
                    break
                self.wfile.write(chunk)
        elif mode == "no-length":
            self.close_connection = True
            self.headers_only(200)
            self.wfile.write(body)
        elif mode == "short":
            self.close_connection = True
            self.headers_only(200, len(body) + 1000)
            self.wfile.write(body)
        else:
            self.reply(200, body)


def serve(directory):
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.stopping = False
    server.www = os.path.join(directory, "www")
    server.keys = os.path.join(directory, "keys")
    os.makedirs(server.www, exist_ok=True)
    background_server.publish(directory, "port", str(server.server_address[1]))

    def stop(*_):
        server.stopping = True
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    threading.Timer(LIFETIME_S, stop).start()
    server.serve_forever(poll_interval=0.2)


def start(directory):
    stop(directory)
    keys = os.path.join(directory, "keys")
    os.makedirs(keys, exist_ok=True)
    for name in ("good", "wrong"):
        subprocess.run([sys.executable, SIGN_TOOL, "keygen", os.path.join(keys, name + ".pem"),
                        os.path.join(keys, name + ".bin")], check=True)
    return background_server.start(directory, "port", lambda: serve(directory), "update test server")


def stop(directory):
    return background_server.stop(directory, "port")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        sys.exit(__doc__)
    sys.exit(start(sys.argv[2]) if sys.argv[1] == "start" else stop(sys.argv[2]))
