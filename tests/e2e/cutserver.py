#!/usr/bin/env python3
# A download server that misbehaves on purpose, for the tests of interrupted downloads.
#
# Serves a folder as a static web server does, with Range, If-Range and a strong ETag (which the
# launcher prefers to Last-Modified, so none is sent); the answers for .cmp files can be cut
# part-way, sent whole whatever was asked, and the file changed after each; all are throttled.
# Every answer is logged as one line of STATUS FIRST_BYTE BYTES_SENT HOW_IT_ENDED (end, cut, or
# gone: the client left) RANGE_ASKED PATH, so a test can see where each request started and
# what the server sent in all.
import argparse
import fractions
import http.server
import os
import re
import socket
import time
import urllib.parse

parser = argparse.ArgumentParser()
parser.add_argument("--root", required=True, help="the folder served")
parser.add_argument("--bind", default="127.0.0.1")
parser.add_argument("--port", type=int, required=True)
parser.add_argument("--log", required=True, help="the file the answers are logged to")
parser.add_argument("--cut", type=fractions.Fraction, action="append", default=[],
                    help="drop the connection once when an answer reaches this point of the file")
parser.add_argument("--no-ranges", action="store_true", help="answer every request whole (200)")
parser.add_argument("--change", action="store_true",
                    help="give a .cmp file a new time, so a new ETag, after each answer")
parser.add_argument("--rate", type=float, default=0, help="bytes a second")
ARGS = parser.parse_args()
CHUNK = 64 * 1024


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    cuts_done = set()

    def do_GET(self):
        root = os.path.realpath(ARGS.root)
        path = os.path.realpath(os.path.join(root, urllib.parse.unquote(self.path).lstrip("/")))
        if not path.startswith(root + os.sep) or not os.path.isfile(path):
            self.send_error(404)
            return
        stat = os.stat(path)
        size = stat.st_size
        etag = f'"{size:x}-{stat.st_mtime_ns:x}"'
        cmp = path.endswith(".cmp")
        asked = self.headers.get("Range", "-")
        match = re.fullmatch(r"bytes=(\d+)-", asked)  # the rest of the file, as the launcher asks
        whole = ARGS.no_ranges or not match or self.headers.get("If-Range") not in (None, etag)
        status, start = (200, 0) if whole else (206, int(match[1]))
        self.send_response(status)
        self.send_header("Content-Length", str(size - start))
        self.send_header("ETag", etag)
        if not ARGS.no_ranges:
            self.send_header("Accept-Ranges", "bytes")
        if status == 206:
            self.send_header("Content-Range", f"bytes {start}-{size - 1}/{size}")
        self.end_headers()
        sent, ended = 0, "end"
        # An answer that starts before a cut point not reached yet ends there.
        cuts = {int(size * cut) for cut in ARGS.cut} - Handler.cuts_done if cmp else set()
        stop = min([size] + [cut for cut in cuts if cut > start])
        try:
            with open(path, "rb") as file:
                file.seek(start)
                began = time.monotonic()
                while start + sent < stop:
                    block = file.read(min(CHUNK, stop - start - sent))
                    self.wfile.write(block)
                    sent += len(block)
                    if ARGS.rate:
                        time.sleep(max(0.0, began + sent / ARGS.rate - time.monotonic()))
            if stop < size:  # the client sees the connection end early
                Handler.cuts_done.add(stop)
                ended = "cut"
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            ended = "gone"
            self.close_connection = True
        with open(ARGS.log, "a") as log:
            print(status, start, sent, ended, asked, urllib.parse.unquote(self.path), file=log)
        if cmp and ARGS.change:
            os.utime(path, ns=(stat.st_atime_ns, stat.st_mtime_ns + 1_000_000_000))


server = http.server.ThreadingHTTPServer((ARGS.bind, ARGS.port), Handler)
server.daemon_threads = True
server.serve_forever()
