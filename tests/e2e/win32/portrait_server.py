#!/usr/bin/env python3
"""A loopback stand-in for the portrait query service.

Answers the n-th request with the n-th body given on the command line; once they
are used up (or for a body of DROP) it closes the connection without an answer.
Each request line is appended to the log file; READY is written to it once the
server listens.
"""
import argparse
import http.server
import socket


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=80)
    parser.add_argument("--log", required=True)
    parser.add_argument("bodies", nargs="*")
    args = parser.parse_args()
    bodies = list(args.bodies)

    def log(line):
        with open(args.log, "a", encoding="utf-8") as out:
            out.write(line + "\n")

    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            log("GET " + self.path + " Host: " + str(self.headers.get("Host")))
            body = bodies.pop(0) if bodies else "DROP"
            if body == "DROP":
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
                return
            data = body.encode("ascii")
            self.send_response(200)
            self.send_header("Content-Type", "application/x-javascript")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def log_message(self, *unused):
            pass

    server = http.server.HTTPServer(("127.0.0.1", args.port), Handler)
    log("READY")
    server.serve_forever()


if __name__ == "__main__":
    main()
