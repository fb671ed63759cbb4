#!/usr/bin/env bash
# quindle-cli mail test against a real SMTP server on 127.0.0.1 (aiosmtpd,
# STARTTLS with a certificate made here and trusted through MailSet/CAFile):
# the test message arrives; a wrong password ends in the server's refusal;
# the five checks refuse bad settings before any connection. No output ever
# holds the password. QUINDLE_SMTP_TEST_HOST names the server by another name
# of the loopback (localhost): Windows' TLS (Schannel) matches only DNS names
# of a certificate, never its IP addresses.
set -euo pipefail
export LC_ALL=C.UTF-8
cli="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
server_pid=""
cleanup() {
    exec 3>&- 2>/dev/null || true
    [ -n "$server_pid" ] && wait "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
home="$work/home"
mkdir -p "$home" "$work/received"
password="pw-$$-secret"

host="${QUINDLE_SMTP_TEST_HOST:-127.0.0.1}"
san="DNS:$host"
[[ "$host" =~ ^[0-9.]+$ ]] && san="IP:$host"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" \
    -days 2 -subj "/CN=$host" -addext "subjectAltName=$san" >/dev/null 2>&1

# The server stops when its input (fd 3) closes.
mkfifo "$work/in"
/usr/bin/python3 "$here/../core/mail/smtp_test_server.py" --out "$work/received" \
    --user racer --password "$password" --cert "$work/cert.pem" --key "$work/key.pem" \
    <"$work/in" >"$work/port" 2>"$work/server.log" &
server_pid=$!
exec 3>"$work/in"
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.2; done
port="$(head -n1 "$work/port")"
[ -n "$port" ] || { echo "the SMTP test server did not start" >&2; exit 1; }

ini="$home/quindle.ini"
settings() {
    cat >"$ini" <<INI
[MailSet]
MailTo=phone@example.jp
MailFrom=me@example.jp
SMTP=$host
UserID=racer
Pass=$1
SMTPPort=$port
CAFile=$work/cert.pem
INI
}

settings "$password"
out="$("$cli" mail test --home "$home" 2>&1)"
if grep -q -- "$password" <<<"$out"; then echo "the password was printed" >&2; exit 1; fi
grep -q "メールを送信しました。" <<<"$out" || { echo "$out" >&2; exit 1; }
grep -q "^250" <<<"$out"
mail="$work/received/1.txt"
[ -f "$mail" ]
grep -q "^tls=1" "$mail"
grep -q "^auth=1" "$mail"
grep -q "^Subject: =?ISO-2022-JP?B?" "$mail"
decoded="$(/usr/bin/python3 - "$mail" <<'PY'
import email, email.policy, sys
raw = open(sys.argv[1], "rb").read().split(b"\n\n", 1)[1]
m = email.message_from_bytes(raw, policy=email.policy.default)
print(m["Subject"])
print(m["From"])
print(m.get_content())
PY
)"
grep -q "^\[Starling\]テスト送信$" <<<"$decoded"
grep -q '^"\[Starling\]" <me@example.jp>$' <<<"$decoded"
grep -q "^テスト送信です。届きましたか?" <<<"$decoded"

# A wrong password: the server's refusal, a failing exit and nothing sent.
settings "not-$password"
if out="$("$cli" mail test --home "$home" 2>&1)"; then echo "sent with a wrong password" >&2; exit 1; fi
grep -q "^エラー: 535" <<<"$out" || { echo "$out" >&2; exit 1; }
if grep -q -- "$password" <<<"$out"; then echo "the password was printed" >&2; exit 1; fi
[ ! -e "$work/received/2.txt" ]

# The checks come first: a short recipient is refused without a connection.
sed -i 's/^MailTo=.*/MailTo=a@b.c/' "$ini"
if out="$("$cli" mail test --home "$home" 2>&1)"; then exit 1; fi
grep -q "送信先メールアドレスが正常ではありません。" <<<"$out"
echo "ok"
