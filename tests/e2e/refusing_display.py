#!/usr/bin/env python3
"""An X display that refuses its first connections, as a server does for a
moment while it resets, and then passes every connection on to a real one.

    refusing_display.py REAL_DISPLAY_NUMBER REFUSALS

Prints the display number it serves once it listens, and on standard error
one line per connection it refused.
"""
import os
import signal
import socket
import sys
import threading


def pipe(source, sink):
    try:
        while data := source.recv(65536):
            sink.sendall(data)
    except OSError:
        pass
    finally:
        for end in (source, sink):
            try:
                end.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def listen():
    """A display number that nothing serves, and the socket serving it."""
    for number in range(150, 250):
        path = f"/tmp/.X11-unix/X{number}"
        if os.path.exists(path) or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            server.bind(path)
        except OSError:
            server.close()
            continue
        return number, path, server
    sys.exit("no free display number")


def main():
    # Ended by the session's clean-up: the socket goes with it.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    real = f"/tmp/.X11-unix/X{sys.argv[1]}"
    refusals = int(sys.argv[2])
    number, path, server = listen()
    server.listen(16)
    print(number, flush=True)
    try:
        while True:
            client, _ = server.accept()
            if refusals > 0:
                refusals -= 1
                client.close()
                print("refused a connection", file=sys.stderr, flush=True)
                continue
            upstream = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            upstream.connect(real)
            for source, sink in ((client, upstream), (upstream, client)):
                threading.Thread(target=pipe, args=(source, sink), daemon=True).start()
    finally:
        os.unlink(path)


if __name__ == "__main__":
    main()
