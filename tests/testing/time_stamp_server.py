"""An RFC 3161 time-stamp server on 127.0.0.1 for the signing tests: each POSTed query is answered by
`openssl ts -reply`, signed with a time-stamping certificate of the tests' authority
(tools/test-authority.sh timestamping).

    python3 time_stamp_server.py DIR NAME ISSUER PORT_FILE

DIR/NAME.{key,pem} sign the replies, DIR/ISSUER.pem completes their chain. The server listens on a
free port, writes it to PORT_FILE once it accepts requests, and serves until it is ended.
"""

import subprocess
import sys
import tempfile
from http.server import BaseHTTPRequestHandler, HTTPServer
from pathlib import Path

CONFIG = """
[ tsa ]
default_tsa = test_tsa
[ test_tsa ]
serial = {serial}
crypto_device = builtin
default_policy = 1.2.3.4.1
signer_digest = sha256
digests = sha256, sha384, sha512
accuracy = secs:1
ordering = yes
tsa_name = no
ess_cert_id_chain = no
ess_cert_id_alg = sha256
"""


def main():
    folder, name, issuer, port_file = Path(sys.argv[1]), sys.argv[2], sys.argv[3], Path(sys.argv[4])
    scratch = Path(tempfile.mkdtemp(prefix="larkholm-tsa-"))
    (scratch / "serial").write_text("01\n")
    (scratch / "tsa.cnf").write_text(CONFIG.format(serial=scratch / "serial"))

    class Handler(BaseHTTPRequestHandler):
        def do_POST(self):
            (scratch / "query.tsq").write_bytes(self.rfile.read(int(self.headers["Content-Length"])))
            done = subprocess.run(["openssl", "ts", "-reply", "-config", scratch / "tsa.cnf",
                                   "-queryfile", scratch / "query.tsq", "-signer", folder / f"{name}.pem",
                                   "-inkey", folder / f"{name}.key", "-chain", folder / f"{issuer}.pem",
                                   "-out", scratch / "reply.tsr"], capture_output=True)
            if done.returncode != 0:
                self.send_error(500, done.stderr.decode(errors="replace")[:200])
                return
            reply = (scratch / "reply.tsr").read_bytes()
            self.send_response(200)
            self.send_header("Content-Type", "application/timestamp-reply")
            self.send_header("Content-Length", str(len(reply)))
            self.end_headers()
            self.wfile.write(reply)

        def log_message(self, *arguments):
            pass

    server = HTTPServer(("127.0.0.1", 0), Handler)
    port_file.write_text(str(server.server_address[1]))
    server.serve_forever()


if __name__ == "__main__":
    main()
