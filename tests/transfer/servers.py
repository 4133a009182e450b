#!/usr/bin/python3
# Local servers for the transfer tests, on 127.0.0.1 and a free port. The
# first line written to stdout is the port; the server runs until killed.
#   servers.py ftp ROOT USER PASSWORD [CERTFILE]   FTP (explicit TLS with a cert)
#   servers.py http ROOT                           static files, plus the paths below
#   servers.py silent                              accepts and never answers
# MIVOR_FTP_READ_LIMIT=N in the environment slows FTP uploads to N bytes/s.
# Paths of the http server: /missing -> 404, /reset -> half a body then a
# reset connection, /redirect/N -> N redirects ending at /page.htm,
# /announced-huge -> a 2 GB length announced, then zeros until the client
# goes, /unannounced/N -> N bytes of "x" with no length, ended by closing.
import os
import socket
import struct
import sys
import threading


def ftp(root, user, password, cert=None):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.servers import FTPServer
    if cert:
        from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler as Handler

        class DataHandler(TLS_DTPHandler):
            # libcurl starts the data connection's TLS handshake before it
            # sends STOR/LIST; pyftpdlib takes a data socket readable before
            # that command for a client gone and closes it mid-handshake.
            def readable(self):
                return True if self._ssl_accepting else super().readable()

            # Records already decrypted wait inside the TLS layer, where the
            # socket's readiness does not show them: read them out before
            # the end of the upload closes the file, or its tail is lost.
            def handle_read(self):
                super().handle_read()
                while (not getattr(self, "_closed", False) and self.socket is not None
                       and self.socket.pending() > 0):
                    super().handle_read()

        Handler.dtp_handler = DataHandler
        Handler.certfile = cert
        Handler.tls_control_required = True
        Handler.tls_data_required = True
    else:
        from pyftpdlib.handlers import FTPHandler as Handler
    limit = int(os.environ.get("MIVOR_FTP_READ_LIMIT", "0"))
    if limit and not cert:
        # Uploads slowed to this many bytes a second, so a test can act
        # while one is under way.
        from pyftpdlib.handlers import ThrottledDTPHandler

        class SlowData(ThrottledDTPHandler):
            read_limit = limit

        Handler.dtp_handler = SlowData
    auth = DummyAuthorizer()
    auth.add_user(user, password, root, perm="elradfmwMT")
    Handler.authorizer = auth
    Handler.passive_ports = None
    Handler.auth_failed_timeout = 0.2   # the real delay outlasts the tests' short time-outs
    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever()


def http(root):
    from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

    class Handler(SimpleHTTPRequestHandler):
        def __init__(self, *a, **k):
            super().__init__(*a, directory=root, **k)

        def log_message(self, *a):
            pass

        def do_GET(self):
            if self.path == "/missing":
                self.send_error(404, "Not Found")
                return
            if self.path == "/reset":
                self.send_response(200)
                self.send_header("Content-Length", "100000")
                self.end_headers()
                self.wfile.write(b"x" * 30000)
                self.wfile.flush()
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                           struct.pack("ii", 1, 0))
                self.connection.close()
                return
            if self.path == "/announced-huge":
                self.send_response(200)
                self.send_header("Content-Length", str(2 << 30))
                self.end_headers()
                try:
                    while True:
                        self.wfile.write(b"\0" * 65536)
                except OSError:
                    pass
                return
            if self.path.startswith("/unannounced/"):
                n = int(self.path.split("/")[2])
                self.send_response(200)
                self.send_header("Connection", "close")
                self.end_headers()
                self.close_connection = True
                try:
                    while n > 0:
                        k = min(n, 65536)
                        self.wfile.write(b"x" * k)
                        n -= k
                except OSError:
                    pass
                return
            if self.path.startswith("/redirect/"):
                n = int(self.path.split("/")[2])
                self.send_response(302)
                self.send_header("Location", "/redirect/%d" % (n - 1) if n > 1 else "/page.htm")
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            super().do_GET()

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


def silent():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(16)
    print(s.getsockname()[1], flush=True)
    held = []
    while True:
        conn, _ = s.accept()
        held.append(conn)   # kept open, never answered


if __name__ == "__main__":
    mode = sys.argv[1]
    if mode == "ftp":
        ftp(*sys.argv[2:])
    elif mode == "http":
        http(sys.argv[2])
    else:
        silent()
