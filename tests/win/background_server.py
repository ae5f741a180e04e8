"""Runs a test server of the Windows tests as a background process.

`start` detaches the server from the test (a daemon with a session of its
own, its output in DIR/server.log), and returns once the server has written
its ready file; `publish` writes that file whole or not at all. `stop` ends
the server and removes what it published. DIR/pid names the process.
"""
import os
import signal
import sys
import time


def _remove(directory, *names):
    for name in names:
        try:
            os.remove(os.path.join(directory, name))
        except FileNotFoundError:
            pass


def publish(directory, name, text):
    tmp = os.path.join(directory, name + ".tmp")
    with open(tmp, "w") as f:
        f.write(text)
    os.replace(tmp, os.path.join(directory, name))


def start(directory, ready_name, serve, label, wait_s=20):
    """Runs serve() in a daemon; serve publishes ready_name once it listens."""
    os.makedirs(directory, exist_ok=True)
    _remove(directory, ready_name, ready_name + ".tmp", "pid")
    if os.fork() == 0:
        os.setsid()
        if os.fork() != 0:
            os._exit(0)
        log = os.open(os.path.join(directory, "server.log"), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
        null = os.open(os.devnull, os.O_RDONLY)
        os.dup2(null, 0)
        os.dup2(log, 1)
        os.dup2(log, 2)
        try:
            publish(directory, "pid", "%d\n" % os.getpid())
            serve()
        finally:
            os._exit(0)
    os.wait()
    ready = os.path.join(directory, ready_name)
    deadline = time.monotonic() + wait_s
    while time.monotonic() < deadline:
        if os.path.exists(ready):
            print("%s on 127.0.0.1: %s" % (label, open(ready).read().strip()))
            return 0
        time.sleep(0.05)
    print("%s did not start (see %s)" % (label, os.path.join(directory, "server.log")), file=sys.stderr)
    return 1


def _running(pid):
    """True while pid lives; a zombie nobody reaps (no init in a container) counts as ended."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except (OSError, IndexError):
        return False


def stop(directory, ready_name):
    """Ends the server (forcibly after five seconds) and removes its files."""
    try:
        pid = int(open(os.path.join(directory, "pid")).read())
    except (OSError, ValueError):
        pid = 0
    if pid:
        try:
            os.kill(pid, signal.SIGTERM)
            for _ in range(100):
                if not _running(pid):
                    break
                time.sleep(0.05)
            else:
                os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    _remove(directory, ready_name, "pid")
    return 0
