#!/usr/bin/env bash
# A throwaway certificate authority for the tests: every key and certificate is made at test time
# with the openssl tool, none is committed. Keys are RSA 2048, digests SHA-256, and no certificate
# names a place to fetch issuers, revocation lists or OCSP answers from, so a verifier has nothing
# to look up outside. Every file is written into DIR.
#   test-authority.sh root DIR NAME "Common Name"
#       DIR/NAME.key, DIR/NAME.pem: a self-signed authority, valid from yesterday for 10 years
#   test-authority.sh server DIR NAME ISSUER HOST...
#       DIR/NAME.key, DIR/NAME.pem: a TLS server certificate for each HOST (an IP address or a DNS
#       name), CN = the first HOST, issued by DIR/ISSUER.{key,pem}; DIR/NAME-chain.pem: leaf, issuer
#   test-authority.sh codesign DIR NAME ISSUER "Common Name" [--expired] [--password PW]
#       DIR/NAME.key, DIR/NAME.pem: a code signing certificate (O and CN = the name) issued by
#       DIR/ISSUER; --expired makes one whose validity ended two years ago. DIR/NAME.pfx: key, leaf
#       and issuer under password PW ("test" unless given), in a form Windows and osslsigncode read.
#   test-authority.sh timestamping DIR NAME ISSUER "Common Name"
#       DIR/NAME.key, DIR/NAME.pem: an RFC 3161 time-stamping certificate (critical EKU
#       timeStamping) issued by DIR/ISSUER, valid from yesterday for 10 years
# Exits non-zero with a message when openssl fails or the arguments are wrong.
set -euo pipefail

usage() {
    sed -n '6,17p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

fail() {
    echo "test-authority.sh: $*" >&2
    exit 1
}

# run COMMAND...: runs an openssl command, and on failure shows what it said.
run() {
    local output
    if ! output=$("$@" 2>&1); then
        echo "$output" >&2
        fail "failed: $*"
    fi
}

# openssl ca keeps its state (index, serial, a copy of each certificate) in files; each signing
# gets a fresh folder under one that is removed when the script ends.
scratch_root=$(mktemp -d)
trap 'rm -rf "$scratch_root"' EXIT
new_scratch() {
    mktemp -d -p "$scratch_root"
}

# new_key FILE: a fresh RSA 2048 key.
new_key() {
    run openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$1"
}

# openssl x509 -req -days counts from now; dates in the past need openssl ca, which takes them as
# YYYYMMDDHHMMSSZ. utc_days_from_now N prints that form for now + N days (N may be negative).
utc_days_from_now() {
    date -u -d "$1 days" +%Y%m%d%H%M%SZ
}

# issue DIR NAME ISSUER SUBJECT EXTENSIONS START END: signs DIR/NAME.key's request with the issuer's
# key into DIR/NAME.pem, valid from START to END (utc_days_from_now forms), with the extensions of
# the configuration text EXTENSIONS. An ISSUER equal to NAME signs the certificate with its own key.
issue() {
    local dir=$1 name=$2 issuer=$3 subject=$4 extensions=$5 start=$6 end=$7
    local signer=(-cert "$dir/$issuer.pem" -keyfile "$dir/$issuer.key")
    if [ "$issuer" = "$name" ]; then
        signer=(-selfsign -keyfile "$dir/$name.key")
    elif [ ! -f "$dir/$issuer.key" ] || [ ! -f "$dir/$issuer.pem" ]; then
        fail "no issuer $dir/$issuer.{key,pem}"
    fi
    local scratch
    scratch=$(new_scratch)
    : >"$scratch/index.txt"
    openssl rand -hex 16 >"$scratch/serial"
    cat >"$scratch/ca.cnf" <<EOF
[ ca ]
default_ca = test_authority
[ test_authority ]
database = $scratch/index.txt
serial = $scratch/serial
new_certs_dir = $scratch
default_md = sha256
policy = anything
unique_subject = no
copy_extensions = none
email_in_dn = no
[ anything ]
commonName = supplied
organizationName = optional
[ extensions ]
$extensions
EOF
    run openssl req -new -key "$dir/$name.key" -subj "$subject" -sha256 -out "$scratch/request.csr"
    run openssl ca -batch -notext -preserveDN -config "$scratch/ca.cnf" -extensions extensions \
        "${signer[@]}" -startdate "$start" -enddate "$end" -in "$scratch/request.csr" -out "$dir/$name.pem"
}

# subject_text TEXT: TEXT with the characters that -subj treats specially escaped.
subject_text() {
    printf '%s' "$1" | sed 's/[\\/=+,]/\\&/g'
}

make_root() {
    [ $# -eq 3 ] || usage
    local dir=$1 name=$2 common=$3
    mkdir -p "$dir"
    new_key "$dir/$name.key"
    # A start of yesterday keeps a clock a little behind (a Wine prefix, another process) from
    # finding the authority not yet valid.
    issue "$dir" "$name" "$name" "/CN=$(subject_text "$common")" \
        "basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash" \
        "$(utc_days_from_now -1)" "$(utc_days_from_now 3650)"
}

make_timestamping() {
    [ $# -eq 4 ] || usage
    local dir=$1 name=$2 issuer=$3 common=$4
    new_key "$dir/$name.key"
    issue "$dir" "$name" "$issuer" "/CN=$(subject_text "$common")" \
        "basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = critical, timeStamping
authorityKeyIdentifier = keyid" \
        "$(utc_days_from_now -1)" "$(utc_days_from_now 3650)"
}

make_server() {
    [ $# -ge 4 ] || usage
    local dir=$1 name=$2 issuer=$3
    shift 3
    local names=() host
    for host in "$@"; do
        if [[ $host =~ ^[0-9]+(\.[0-9]+){3}$ || $host == *:* ]]; then
            names+=("IP:$host")
        else
            names+=("DNS:$host")
        fi
    done
    local san
    san=$(IFS=,; echo "${names[*]}")
    new_key "$dir/$name.key"
    issue "$dir" "$name" "$issuer" "/CN=$(subject_text "$1")" \
        "basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = $san
authorityKeyIdentifier = keyid" \
        "$(utc_days_from_now -1)" "$(utc_days_from_now 825)"
    cat "$dir/$name.pem" "$dir/$issuer.pem" >"$dir/$name-chain.pem"
}

make_codesign() {
    [ $# -ge 4 ] || usage
    local dir=$1 name=$2 issuer=$3 common=$4
    shift 4
    local expired=0 password=test
    while [ $# -gt 0 ]; do
        case "$1" in
            --expired) expired=1; shift ;;
            --password) [ $# -ge 2 ] || usage; password=$2; shift 2 ;;
            *) usage ;;
        esac
    done
    local start end
    if [ $expired -eq 1 ]; then
        start=$(utc_days_from_now -1095)
        end=$(utc_days_from_now -730)
    else
        start=$(utc_days_from_now -1)
        end=$(utc_days_from_now 825)
    fi
    local subject
    subject=$(subject_text "$common")
    new_key "$dir/$name.key"
    issue "$dir" "$name" "$issuer" "/O=$subject/CN=$subject" \
        "basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
authorityKeyIdentifier = keyid" \
        "$start" "$end"
    # AES and a SHA-256 MAC rather than openssl 3's defaults' relatives from the legacy provider:
    # Windows (and Wine) and osslsigncode both read this form.
    run openssl pkcs12 -export -inkey "$dir/$name.key" -in "$dir/$name.pem" -certfile "$dir/$issuer.pem" \
        -name "$common" -keypbe AES-256-CBC -certpbe AES-256-CBC -macalg sha256 \
        -passout "pass:$password" -out "$dir/$name.pfx"
}

[ $# -ge 1 ] || usage
command=$1
shift
case "$command" in
    root) make_root "$@" ;;
    server) make_server "$@" ;;
    codesign) make_codesign "$@" ;;
    timestamping) make_timestamping "$@" ;;
    *) usage ;;
esac
