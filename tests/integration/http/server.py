#!/usr/bin/env python3
"""A loopback HTTP server for the backend tests, on the standard library only.

Binds 127.0.0.1 on a free port, prints the port on the first line of its output and,
with --port-file, also writes it there (atomically) once it listens. With --tls-cert and
--tls-key it also serves the same routes over TLS on a second free port, printed and
written on the second line. The last line names a second plain port with the same
routes, for redirects that change the server.

Requests with a whole address in the request line (sent to the server as a proxy) are
answered like those with the path alone.

Routes (any method unless noted):
  /hello        "hello"; HEAD gives the headers alone
  /echo         the request as the server saw it: "<METHOD> <target>", the header lines,
                an empty line, then the request body byte for byte
  /binary       every byte value 0..255, four times
  /cookies      Set-Cookie lines of every kind the cookie collection must tell apart
  /redirect     302 to /hello
  /to-tls       302 to /hello on the TLS port
  /chain/1      301 to /chain/2 on the second plain port, written as a whole address
  /chain/2      (second plain port only) 302 to "3", a relative path
  /chain/3      (second plain port only) 307 to "//127.0.0.1:<first port>/echo?chain"
  /see-other    303 to /echo?from=303
  /temporary    307 to /echo?from=307
  /empty        a 0-byte body
  /chunked      a body in chunked transfer encoding, with a trailer
  /bigheaders   about 8 KB of header lines, the last of them setting a cookie
  /truncated    announces 10000 bytes, sends 3000, then closes the connection
  /malformed    a status line that is no status line, then closes
  /stall        the headers, then nothing for a minute
  /bytes/N      N bytes of body (the benchmark)
"""
import argparse
import os
import socket
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit

BINARY = bytes(range(256)) * 4
TLS_PORT = [0]  # set once the TLS listener is bound
PLAIN_PORTS = [0, 0]  # the first and the second plain port, once bound
BLOCK = b"0123456789abcdef" * 65536  # 1 MiB


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):  # quiet
        pass

    def send_body(self, body, status=200, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def request_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        return self.rfile.read(length) if length > 0 else b""

    def handle_any(self):
        # A request line with a whole address is one sent to this server as a proxy.
        target = urlsplit(self.path).path if self.path.startswith("http://") else self.path
        path = target.split("?", 1)[0]
        body = self.request_body()
        if path == "/hello":
            self.send_body(b"hello")
        elif path == "/echo":
            lines = [f"{self.command} {self.path}"]
            lines += [f"{name}: {value}" for name, value in self.headers.items()]
            self.send_body(("\n".join(lines) + "\n\n").encode("latin-1") + body)
        elif path == "/binary":
            self.send_body(BINARY, headers=[("Content-Type", "application/octet-stream")])
        elif path == "/cookies":
            self.send_body(b"c", headers=[
                ("Set-Cookie", "sid=abc; path=/; HttpOnly"),
                ("Content-Type", "text/html"),
                ("Set-Cookie", "lang=en"),
                ("set-cookie", "x=1"),
            ])
        elif path == "/redirect":
            self.send_body(b"moved", status=302, headers=[("Location", "/hello")])
        elif path == "/to-tls":
            location = f"https://127.0.0.1:{TLS_PORT[0]}/hello"
            self.send_body(b"moved", status=302, headers=[("Location", location)])
        elif path == "/chain/1":
            location = f"http://127.0.0.1:{PLAIN_PORTS[1]}/chain/2"
            self.send_body(b"moved", status=301, headers=[("Location", location)])
        elif path in ("/chain/2", "/chain/3") and self.server.server_address[1] == PLAIN_PORTS[1]:
            if path == "/chain/2":
                self.send_body(b"moved", status=302, headers=[("Location", "3")])
            else:
                location = f"//127.0.0.1:{PLAIN_PORTS[0]}/echo?chain"
                self.send_body(b"moved", status=307, headers=[("Location", location)])
        elif path == "/see-other":
            self.send_body(b"moved", status=303, headers=[("Location", "/echo?from=303")])
        elif path == "/temporary":
            self.send_body(b"moved", status=307, headers=[("Location", "/echo?from=307")])
        elif path == "/empty":
            self.send_body(b"")
        elif path == "/chunked":
            self.send_chunked([b"chunk-1;", b"\x00\x01\x02", b"chunk-3" * 300])
        elif path == "/bigheaders":
            self.send_response(200)
            self.send_header("Content-Length", "3")
            for i in range(100):
                self.send_header(f"X-Filler-{i:03d}", "f" * 70)
            self.send_header("Set-Cookie", "big=1; path=/")
            self.end_headers()
            self.wfile.write(b"big")
        elif path == "/truncated":
            self.send_response(200)
            self.send_header("Content-Length", "10000")
            self.end_headers()
            self.wfile.write(b"a" * 3000)
            self.wfile.flush()
            self.close_abruptly()
        elif path == "/malformed":
            self.wfile.write(b"NONSENSE\r\nContent-Length: 4\r\n\r\nbody")
            self.wfile.flush()
            self.close_abruptly()
        elif path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "10")
            self.end_headers()
            self.wfile.flush()
            time.sleep(60)
            self.close_connection = True
        elif path.startswith("/bytes/"):
            self.send_bytes(int(path[len("/bytes/"):]))
        else:
            self.send_body(b"not found", status=404)

    def send_chunked(self, chunks):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Trailer", "X-Trailer")
        self.end_headers()
        for chunk in chunks:
            self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
        self.wfile.write(b"0\r\nX-Trailer: t\r\n\r\n")

    def send_bytes(self, size):
        self.send_response(200)
        self.send_header("Content-Length", str(size))
        self.end_headers()
        view = memoryview(BLOCK)
        while size > 0:
            step = min(size, len(BLOCK))
            self.wfile.write(view[:step])
            size -= step

    def close_abruptly(self):
        self.close_connection = True
        try:
            self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    do_GET = do_POST = do_HEAD = do_PUT = do_DELETE = do_OPTIONS = do_TRACE = handle_any


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    args = parser.parse_args()
    servers = [Server(("127.0.0.1", 0), Handler)]
    if args.tls_cert and args.tls_key:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls_cert, args.tls_key)
        secure = Server(("127.0.0.1", 0), Handler)
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
        servers.append(secure)
        TLS_PORT[0] = secure.server_address[1]
    servers.append(Server(("127.0.0.1", 0), Handler))
    PLAIN_PORTS[0] = servers[0].server_address[1]
    PLAIN_PORTS[1] = servers[-1].server_address[1]
    ports = "".join(f"{server.server_address[1]}\n" for server in servers)
    print(ports, end="", flush=True)
    if args.port_file:
        temporary = args.port_file + ".tmp"
        with open(temporary, "w") as out:
            out.write(ports)
        os.replace(temporary, args.port_file)
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        servers[0].serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
