"""Reads a message the way a mail client would (Python's email package) and
prints what the tests check; the single attachment is written to the second
argument's path."""
import email
import email.policy
import sys

with open(sys.argv[1], "rb") as f:
    raw = f.read()
message = email.message_from_bytes(raw, policy=email.policy.default)
print("from:", message["From"])
print("subject:", message["Subject"])
print("date:", message["Date"])
print("mailer:", message["X-Mailer"])
print("crlf:", b"\n" not in raw.replace(b"\r\n", b""))
print("defects:", len(message.defects) + sum(len(p.defects) for p in message.walk()))
attachments = list(message.iter_attachments())
print("attachments:", len(attachments))
for part in attachments:
    print("type:", part.get_content_type())
    print("encoding:", part["Content-Transfer-Encoding"])
    print("filename:", part.get_filename())
    with open(sys.argv[2], "wb") as out:
        out.write(part.get_payload(decode=True))
