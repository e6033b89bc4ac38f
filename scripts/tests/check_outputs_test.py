#!/usr/bin/env python3
"""Tests of scripts/check-outputs.py: a handheld folder whose every output is
sound passes; each kind of damage fails the row of the damaged file, and
only that row."""

import email.message
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECKER = Path(__file__).resolve().parent.parent / "check-outputs.py"
PICTURES = Path("files/My Documents/My Pictures")
OUTBOX = Path("files/My Documents/Outbox")
PRINTED = Path("files/My Documents/Printed")

REGISTRY = """; The handheld's registry: one section per key, one line per value.

[HKEY_CURRENT_USER\\SOFTWARE\\Kav\\orsacap\\Setting]
"color"=dword:00000001
"filename prefix"="trip"
"""


def tool(*command):
    subprocess.run(command, check=True, capture_output=True)


def a4_pdf():
    """One empty A4 page, with a cross-reference table that is right."""
    objects = [b"<< /Type /Catalog /Pages 2 0 R >>",
               b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595.276 841.89] >>"]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, xref)
    return bytes(out)


def mail(attachment_name=None, data=b""):
    message = email.message.EmailMessage()
    message["Subject"] = "A picture"
    message["X-Mailer"] = "tmail"
    message.set_content("The picture is attached.")
    if attachment_name:
        message.add_attachment(data, maintype="image", subtype="jpeg", filename=attachment_name)
    return message.as_bytes()


class CheckOutputsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sound = Path(tempfile.mkdtemp(prefix="check-outputs-"))
        root = cls.sound / "handheld"
        (root / PICTURES).mkdir(parents=True)
        (root / OUTBOX).mkdir(parents=True)
        (root / PRINTED).mkdir(parents=True)
        (root / "files/Windows").mkdir(parents=True)
        picture = root / PICTURES / "snap0001.jpg"
        tool("ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=640x480", "-frames:v",
             "1", str(picture))
        tool("exiftool", "-q", "-overwrite_original", "-Make=Kav Inc.", "-Model=010001300189",
             "-DateTimeOriginal=2003:09:01 00:00:00", "-ExifImageWidth=640",
             "-ExifImageHeight=480", str(picture))
        tool("ffmpeg", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25",
             "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=8000", "-t", "2",
             "-c:v", "mjpeg", "-c:a", "pcm_s16le", "-ac", "1", str(root / PICTURES / "m0001.avi"))
        tool("sox", "-n", "-r", "11025", "-c", "1", "-b", "8", str(root / PICTURES / "snap0001.WAV"),
             "synth", "1", "sine", "440")
        (root / OUTBOX / "Message 0001.eml").write_bytes(mail("snap0001.jpg", picture.read_bytes()))
        # A picture mailed and then moved to the storage card under a new name.
        (root / "storage-card/Trip").mkdir(parents=True)
        moved = root / "storage-card/Trip/harbour.jpg"
        shutil.copy(picture, moved)
        tool("exiftool", "-q", "-overwrite_original", "-Model=010001300190", str(moved))
        (root / OUTBOX / "Message 0002.eml").write_bytes(mail("snap0002.jpg", moved.read_bytes()))
        (root / PRINTED / "snap0001.pdf").write_bytes(a4_pdf())
        (root / "registry.txt").write_text(REGISTRY)
        # Something under \Windows is the system's, not an output.
        (root / "files/Windows/broken.jpg").write_bytes(b"not a picture")
        received = cls.sound / "received"
        received.mkdir()
        shutil.copy(picture, received / "snap0001.jpg")
        (received / "obex_tcp.log").write_text("receiver's log\n")
        (cls.sound / "expected-registry.txt").write_text(REGISTRY)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.sound)

    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix="check-outputs-case-"))
        shutil.copytree(self.sound, self.work, dirs_exist_ok=True)
        self.root = self.work / "handheld"

    def tearDown(self):
        shutil.rmtree(self.work)

    def check(self, *extra):
        done = subprocess.run(
            [sys.executable, str(CHECKER), "--root", str(self.root), "--received",
             str(self.work / "received"), "--require", "all", "--expect-registry",
             str(self.work / "expected-registry.txt"), *extra],
            capture_output=True, text=True)
        failed = [line for line in done.stdout.splitlines() if " FAIL " in line]
        return done.returncode, failed, done

    def test_sound_outputs_pass_every_check(self):
        code, failed, done = self.check()
        self.assertEqual(code, 0, done.stdout + done.stderr)
        self.assertEqual(failed, [])
        for checked_by in ("djpeg", "exiftool", "ffprobe", "ffmpeg -f null", "soxi", "sox",
                           "python email", "pdfinfo", "cmp", "text reader"):
            self.assertRegex(done.stdout, r"  " + checked_by + r" +ok ")
        self.assertIn("decodes, 640 x 480", done.stdout)
        self.assertIn("595.276 x 841.89 pts (A4)", done.stdout)
        self.assertIn("14 checks, 0 failed", done.stdout)
        self.assertIn("attachment snap0002.jpg (", done.stdout)
        self.assertIn(") = Storage Card/Trip/harbour.jpg", done.stdout)
        self.assertNotIn("broken.jpg", done.stdout)
        self.assertNotIn("obex_tcp.log", done.stdout)

    def test_each_damaged_output_fails_its_own_rows_and_no_other(self):
        pictures = self.root / PICTURES
        picture = pictures / "snap0001.jpg"
        sound = picture.read_bytes()

        def damaged_copy(name, damage):
            (pictures / name).write_bytes(damage(bytearray(sound)))

        def flip_bytes(data):
            for i in range(len(data) // 2, len(data) - 16, 101):
                data[i] ^= 0x5A
            return bytes(data)

        damaged_copy("flipped.jpg", flip_bytes)
        damaged_copy("cut.jpg", lambda data: bytes(data[: len(data) // 2]))
        damaged_copy("no-exif.jpg", bytes)
        tool("exiftool", "-q", "-overwrite_original", "-all=", str(pictures / "no-exif.jpg"))
        damaged_copy("exif-size.jpg", bytes)
        tool("exiftool", "-q", "-overwrite_original", "-ExifImageWidth=480",
             "-ExifImageHeight=640", str(pictures / "exif-size.jpg"))

        clip = (pictures / "m0001.avi").read_bytes()
        (pictures / "m0002.avi").write_bytes(clip[: len(clip) * 2 // 3])
        promising = bytearray(clip)
        # The total frame count of the main header and the video stream's
        # length: what a writer that never finished its header leaves.
        avih = promising.index(b"avih") + 8
        promising[avih + 16:avih + 20] = (10_000).to_bytes(4, "little")
        strh = promising.index(b"strh") + 8
        promising[strh + 32:strh + 36] = (10_000).to_bytes(4, "little")
        (pictures / "m0003.avi").write_bytes(bytes(promising))

        note = (pictures / "snap0001.WAV").read_bytes()
        (pictures / "lost.WAV").write_bytes(note)
        damaged_copy("cut-note.jpg", bytes)
        (pictures / "cut-note.WAV").write_bytes(note[:30])

        (self.root / OUTBOX / "Message 0003.eml").write_bytes(mail())
        (self.root / OUTBOX / "Message 0004.eml").write_bytes(mail("snap0001.jpg", b"\xff\xd8?"))
        (self.root / PRINTED / "empty.pdf").write_bytes(b"%PDF-1.4\n")
        (self.work / "received/half.jpg").write_bytes(sound[: len(sound) // 3])
        expected = self.work / "expected-registry.txt"
        expected.write_text(REGISTRY + '\n[HKEY_CURRENT_USER\\SOFTWARE\\QX\\orsagal]\n'
                            '"Directory"="\\\\My Documents\\\\"\n')

        code, failed, done = self.check()
        self.assertEqual(code, 1, done.stdout + done.stderr)
        # Columns are apart by two spaces or more: what, where, checked by, result.
        failing = sorted(tuple(re.split(r"  +", line)[:2]) for line in failed)
        self.assertEqual(failing, sorted([
            ("picture", "My Documents/My Pictures/cut.jpg"),
            ("picture", "My Documents/My Pictures/flipped.jpg"),
            ("picture Exif", "My Documents/My Pictures/exif-size.jpg"),
            ("picture Exif", "My Documents/My Pictures/no-exif.jpg"),
            ("clip", "My Documents/My Pictures/m0002.avi"),
            ("clip decode", "My Documents/My Pictures/m0002.avi"),
            ("clip", "My Documents/My Pictures/m0003.avi"),
            ("voice note", "My Documents/My Pictures/cut-note.WAV"),
            ("voice note", "My Documents/My Pictures/lost.WAV"),
            ("mail", "My Documents/Outbox/Message 0003.eml"),
            ("mail", "My Documents/Outbox/Message 0004.eml"),
            ("printed page", "My Documents/Printed/empty.pdf"),
            ("received", "half.jpg"),
            ("registry value", "SOFTWARE\\QX\\orsagal"),
        ]), done.stdout)
        for why in ("Premature end of JPEG file", "Corrupt JPEG data", "no Exif",
                    "Exif says 480 x 640", "the header says 10000", "its picture is missing",
                    "no attachment", "differs from", "equals no file",
                    "Directory is missing"):
            self.assertIn(why, done.stdout)
        # Each failure is also told on stderr.
        self.assertEqual(len(done.stderr.strip().splitlines()), len(failed))

    def test_registry_line_that_cannot_be_read_fails(self):
        with open(self.root / "registry.txt", "a") as registry:
            registry.write('"half a value\n')
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        self.assertEqual(len(failed), 1, done.stdout)
        self.assertIn("unreadable line 6", failed[0])

    def test_required_kind_that_is_missing_fails(self):
        shutil.rmtree(self.root / PRINTED)
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        self.assertEqual(len(failed), 1, done.stdout)
        self.assertRegex(failed[0], r"^pdf +- +- +FAIL none found")

    def test_kind_not_required_may_be_absent(self):
        shutil.rmtree(self.root / PRINTED)
        done = subprocess.run([sys.executable, str(CHECKER), "--root", str(self.root)],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        self.assertRegex(done.stdout, r"pdf +- +- +- +none found")

    def test_folder_that_is_not_a_handheld_is_a_usage_error(self):
        done = subprocess.run([sys.executable, str(CHECKER), "--root", str(self.work)],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 2)
        self.assertIn("not a handheld's folder", done.stderr)


if __name__ == "__main__":
    unittest.main()
