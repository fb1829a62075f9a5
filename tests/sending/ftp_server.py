#!/usr/bin/python3
"""FTP server of the sending tests: serves one folder to one user on 127.0.0.1.

Usage: ftp_server.py HOME USER PASSWORD [BYTES_PER_SECOND]

Listens on a free port, prints the port on the first line of its output, and serves until
its standard input is closed (so it never outlives the test that started it). A download
(RETR) of a file whose name ends in ".stall" is never answered, to test time-outs. With
BYTES_PER_SECOND every data connection moves at most that many bytes a second, so that a
test can stop a transfer while it runs.
"""
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


class Handler(FTPHandler):
    auth_failed_timeout = 0.1  # answer a wrong password at once

    def ftp_RETR(self, file):
        if file.endswith(".stall"):
            return  # no reply at all
        return super().ftp_RETR(file)


def main():
    home, user, password = sys.argv[1:4]
    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, home, perm="elradfmwMT")
    Handler.authorizer = authorizer
    if len(sys.argv) > 4 and int(sys.argv[4]) > 0:
        ThrottledDTPHandler.read_limit = int(sys.argv[4])
        ThrottledDTPHandler.write_limit = int(sys.argv[4])
        Handler.dtp_handler = ThrottledDTPHandler
    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.address[1], flush=True)

    def leave_when_parent_is_gone():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=leave_when_parent_is_gone, daemon=True).start()
    server.serve_forever(timeout=0.2)


main()
