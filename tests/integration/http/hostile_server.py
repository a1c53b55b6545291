#!/usr/bin/env python3
"""A loopback server that misbehaves on purpose, for the backends' robustness tests.

Raw sockets on the standard library only: each connection gets one thread that reads
the request head and answers according to its path. Binds 127.0.0.1 on a free port and
writes the port to --port-file (atomically) once it listens.

Paths:
  /ok                  a plain 200 with the body "ok"
  /huge-headers        about 1 MiB of header lines, then the body "ok"
  /many-cookies        10,000 Set-Cookie lines (c0=0 ... c9999=9999), then the body "ok"
  /silent              reads the request and never answers; holds the connection
                       until the client gives up (at most --hold seconds)
  /trickle             a normal head, then the body "trickled" one byte per second
  /trickle-head        a status line, then a header line every quarter second, without
                       end (at most --hold seconds)
  /to-trickle-head     a redirect to /trickle-head
  /malformed/<n>       the n-th of MALFORMED below, then the connection closes
  /loop, /loop/<n>     a redirect to /loop/<n+1> (from /loop to /loop/1), for ever; the
                       body "loop"
  /overlong            announces 10 bytes of body, sends 100, then closes
  /endless-headers     header lines without end (stops at --endless-limit bytes)
"""
import argparse
import os
import socket
import sys
import threading
import time

OK = b"HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok"
TRICKLED = b"trickled"
OVERLONG = bytes(range(65, 65 + 50)) * 2  # 100 bytes, "ABC..."

MALFORMED = [
    b"",                                                      # closes at once
    b"NONSENSE\r\n\r\nbody",                                  # no status line at all
    b"HTTP/1.1 abc Broken\r\nContent-Length: 4\r\n\r\nbody",  # status code not a number
    b"HTTP/1.1 200 OK\r\nno colon here\r\nContent-Length: 4\r\n\r\nbody",
    b"HTTP/9.9 999 Unheard Of\r\nContent-Length: 4\r\n\r\nbody",
    b"HTTP/1.1 200 " + b"x" * 100000 + b"\r\nContent-Length: 4\r\n\r\nbody",  # 100 KB status
    b"HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\nbody",
    b"HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nbody",
    b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nbody\r\n0\r\n\r\n",
    b"\x00\xff\xfe binary \x00\r\n\r\n\x00",
    b"HTTP/1.1 200 OK\nContent-Length: 4\n\nbody",           # bare line feeds
    b"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n",              # the head never ends
]


def read_head(conn):
    data = b""
    while b"\r\n\r\n" not in data and len(data) < 65536:
        chunk = conn.recv(4096)
        if not chunk:
            break
        data += chunk
    line = data.split(b"\r\n", 1)[0].decode("latin-1")
    parts = line.split(" ")
    return parts[1] if len(parts) > 1 else "/"


def send_huge_headers(conn):
    lines = [b"HTTP/1.1 200 OK\r\n"]
    filler = b"f" * 90
    for i in range(11000):  # 11,000 lines of 104 bytes: just over 1 MiB
        lines.append(b"X-Filler-%05d: %s\r\n" % (i, filler))
    lines.append(b"Content-Length: 2\r\nConnection: close\r\n\r\nok")
    conn.sendall(b"".join(lines))


def send_many_cookies(conn):
    lines = [b"HTTP/1.1 200 OK\r\n"]
    for i in range(10000):
        # Short lines keep the whole head near 200 KB, below libcurl's 300 KB limit;
        # every tenth carries attributes.
        attributes = b"; path=/" if i % 10 == 0 else b""
        lines.append(b"Set-Cookie: c%d=%d%s\r\n" % (i, i, attributes))
    lines.append(b"Content-Length: 2\r\nConnection: close\r\n\r\nok")
    conn.sendall(b"".join(lines))


def hold_silently(conn, hold_seconds):
    conn.settimeout(1.0)
    deadline = time.monotonic() + hold_seconds
    while time.monotonic() < deadline:
        try:
            if not conn.recv(4096):
                return  # the client gave up
        except socket.timeout:
            continue


def trickle(conn):
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n"
                 % len(TRICKLED))
    for i in range(len(TRICKLED)):
        time.sleep(1.0)
        conn.sendall(TRICKLED[i:i + 1])


def trickle_head(conn, hold_seconds):
    conn.sendall(b"HTTP/1.1 200 OK\r\n")
    deadline = time.monotonic() + hold_seconds
    line = 0
    while time.monotonic() < deadline:
        time.sleep(0.25)
        conn.sendall(b"X-Slow-%d: 1\r\n" % line)
        line += 1


def endless_headers(conn, limit):
    conn.sendall(b"HTTP/1.1 200 OK\r\n")
    line = b"X-Endless: " + b"e" * 1000 + b"\r\n"
    sent = 0
    while sent < limit:
        conn.sendall(line * 64)
        sent += len(line) * 64


def serve(conn, args):
    try:
        path = read_head(conn)
        if path == "/ok":
            conn.sendall(OK)
        elif path == "/huge-headers":
            send_huge_headers(conn)
        elif path == "/many-cookies":
            send_many_cookies(conn)
        elif path == "/silent":
            hold_silently(conn, args.hold)
        elif path == "/trickle":
            trickle(conn)
        elif path == "/trickle-head":
            trickle_head(conn, args.hold)
        elif path == "/to-trickle-head":
            conn.sendall(b"HTTP/1.1 302 Found\r\nLocation: /trickle-head\r\nContent-Length: 0\r\n"
                         b"Connection: close\r\n\r\n")
        elif path.startswith("/malformed/"):
            conn.sendall(MALFORMED[int(path.rsplit("/", 1)[1]) % len(MALFORMED)])
        elif path == "/loop" or path.startswith("/loop/"):
            hop = 1 if path == "/loop" else int(path[len("/loop/"):]) + 1
            conn.sendall(b"HTTP/1.1 302 Found\r\nLocation: /loop/%d\r\nContent-Length: 4\r\n"
                         b"Connection: close\r\n\r\nloop" % hop)
        elif path == "/overlong":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 10\r\nConnection: close\r\n\r\n"
                         + OVERLONG)
        elif path == "/endless-headers":
            endless_headers(conn, args.endless_limit)
        else:
            conn.sendall(b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
    except (OSError, ValueError):
        pass  # the client went away, which is its right
    finally:
        try:
            conn.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        conn.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file")
    parser.add_argument("--hold", type=float, default=600.0)
    parser.add_argument("--endless-limit", type=int, default=256 * 1024 * 1024)
    args = parser.parse_args()
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    port = listener.getsockname()[1]
    print(port, flush=True)
    if args.port_file:
        temporary = args.port_file + ".tmp"
        with open(temporary, "w") as out:
            out.write(f"{port}\n")
        os.replace(temporary, args.port_file)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve, args=(conn, args), daemon=True).start()


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        pass
