#!/usr/bin/env python3
"""Signs update downloads for the program's updater (ECDSA P-256 with SHA-256).

  sign-update.py keygen PRIVATE.pem PUBLIC.bin   new key pair; PUBLIC.bin is the
                                                 64-byte key the build embeds
                                                 (-DZV_UPDATE_PUBLIC_KEY=PUBLIC.bin)
  sign-update.py public PRIVATE.pem PUBLIC.bin   the public key of a private key
  sign-update.py sign PRIVATE.pem FILE [SIG]     writes SIG (default FILE.sig):
                                                 r and s, 32 bytes each, big-endian
  sign-update.py verify PUBLIC.bin FILE [SIG]    checks a signature; exit code 0 if valid

The signature goes onto the update server beside the download, named like it
with ".sig" appended. Keep the private key off the machine that builds and
never commit it. Needs the openssl command-line tool (Debian package openssl).
"""
import os
import subprocess
import sys
import tempfile

# DER prefix of a SubjectPublicKeyInfo for an uncompressed P-256 point.
SPKI_PREFIX = bytes.fromhex("3059301306072a8648ce3d020106082a8648ce3d030107034200")


def openssl(*args, data=None):
    result = subprocess.run(["openssl", *args], input=data, capture_output=True)
    if result.returncode != 0:
        sys.exit("sign-update: openssl %s failed: %s" % (args[0], result.stderr.decode(errors="replace").strip()))
    return result.stdout


def der_length(data, i):
    first = data[i]
    if first < 0x80:
        return first, i + 1
    count = first & 0x7F
    return int.from_bytes(data[i + 1:i + 1 + count], "big"), i + 1 + count


def der_to_raw(der):
    """ECDSA-Sig-Value (SEQUENCE of INTEGER r, s) to r || s."""
    if not der or der[0] != 0x30:
        sys.exit("sign-update: unexpected signature encoding")
    _, i = der_length(der, 1)
    out = b""
    for _ in range(2):
        if der[i] != 0x02:
            sys.exit("sign-update: unexpected signature encoding")
        length, i = der_length(der, i + 1)
        value = der[i:i + length].lstrip(b"\0")
        if len(value) > 32:
            sys.exit("sign-update: signature value too long")
        out += value.rjust(32, b"\0")
        i += length
    return out


def der_integer(value):
    value = value.lstrip(b"\0") or b"\0"
    if value[0] & 0x80:
        value = b"\0" + value
    return b"\x02" + bytes([len(value)]) + value


def raw_to_der(raw):
    body = der_integer(raw[:32]) + der_integer(raw[32:])
    return b"\x30" + bytes([len(body)]) + body


def public_key(private_pem):
    der = openssl("ec", "-in", private_pem, "-pubout", "-outform", "DER")
    if not der.startswith(SPKI_PREFIX) or len(der) != len(SPKI_PREFIX) + 65 or der[-65] != 4:
        sys.exit("sign-update: %s is not a P-256 key" % private_pem)
    return der[-64:]


def write(path, data, private=False):
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600 if private else 0o644)
    with os.fdopen(fd, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    command = argv[1]
    if command == "keygen" and len(argv) == 4:
        pem = openssl("ecparam", "-name", "prime256v1", "-genkey", "-noout")
        write(argv[2], pem, private=True)
        write(argv[3], public_key(argv[2]))
    elif command == "public" and len(argv) == 4:
        write(argv[3], public_key(argv[2]))
    elif command == "sign" and len(argv) in (4, 5):
        der = openssl("dgst", "-sha256", "-sign", argv[2], argv[3])
        write(argv[4] if len(argv) == 5 else argv[3] + ".sig", der_to_raw(der))
    elif command == "verify" and len(argv) in (4, 5):
        key = open(argv[2], "rb").read()
        signature = open(argv[4] if len(argv) == 5 else argv[3] + ".sig", "rb").read()
        if len(key) != 64 or len(signature) != 64:
            print("invalid")
            return 1
        with tempfile.TemporaryDirectory() as scratch:
            pub = os.path.join(scratch, "public.der")
            sig = os.path.join(scratch, "signature.der")
            write(pub, SPKI_PREFIX + b"\x04" + key)
            write(sig, raw_to_der(signature))
            result = subprocess.run(["openssl", "dgst", "-sha256", "-keyform", "DER", "-verify", pub,
                                     "-signature", sig, argv[3]], capture_output=True)
        print("valid" if result.returncode == 0 else "invalid")
        return 0 if result.returncode == 0 else 1
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
