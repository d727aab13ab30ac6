#!/usr/bin/python3
"""A file cloud for tests and the demo: pyftpdlib on loopback, one user whose home is a folder.

Writes the port it listens on to --port-file once it accepts connections, then serves until
it is terminated.
"""
import argparse
import logging
import os
import signal
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--publisher", help="user:password of the account that publishes updates")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()

    logging.basicConfig(level=logging.WARNING)
    authorizer = DummyAuthorizer()
    # Learners read; only the publisher may write.
    authorizer.add_user(args.user, args.password, os.path.abspath(args.root), perm="elr")
    if args.publisher:
        user, _, password = args.publisher.partition(":")
        authorizer.add_user(user, password, os.path.abspath(args.root), perm="elradfmw")
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Tavelko file cloud"
    handler.use_sendfile = True
    handler.timeout = 120
    handler.auth_failed_timeout = 0.2

    server = FTPServer(("127.0.0.1", args.port), handler)
    server.max_cons = 64
    port = server.socket.getsockname()[1]
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(f"{port}\n")
    os.replace(tmp, args.port_file)

    signal.signal(signal.SIGTERM, lambda *_: server.close_all() or sys.exit(0))
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
