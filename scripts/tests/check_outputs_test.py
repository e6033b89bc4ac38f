#!/usr/bin/env python3
"""Tests of scripts/check-outputs.py: a handheld folder whose every output is
sound passes; each kind of damage fails the row of the damaged file, and
only that row."""

import email.message
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

    def assert_only_failure(self, what, where):
        code, failed, done = self.check()
        self.assertEqual(code, 1, done.stdout + done.stderr)
        self.assertEqual(len(failed), 1, done.stdout)
        self.assertTrue(failed[0].startswith(what + " "), failed[0])
        self.assertIn(where, failed[0])
        self.assertIn(where, done.stderr)

    def test_sound_outputs_pass_every_check(self):
        code, failed, done = self.check()
        self.assertEqual(code, 0, done.stdout + done.stderr)
        self.assertEqual(failed, [])
        for checked_by in ("djpeg", "exiftool", "ffprobe", "ffmpeg -f null", "soxi", "sox",
                           "python email", "pdfinfo", "cmp", "text reader"):
            self.assertRegex(done.stdout, r"  " + checked_by + r" +ok ")
        self.assertIn("decodes, 640 x 480", done.stdout)
        self.assertIn("595.276 x 841.89 pts (A4)", done.stdout)
        self.assertIn("11 checks, 0 failed", done.stdout)
        self.assertNotIn("broken.jpg", done.stdout)
        self.assertNotIn("obex_tcp.log", done.stdout)

    def test_damaged_picture_fails(self):
        picture = self.root / PICTURES / "snap0001.jpg"
        data = bytearray(picture.read_bytes())
        for i in range(len(data) // 2, len(data) - 16, 101):
            data[i] ^= 0x5A
        picture.write_bytes(bytes(data))
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        # The mail's attachment and the received copy no longer equal it either.
        self.assertTrue(any(line.startswith("picture ") and "djpeg" in line for line in failed),
                        done.stdout)

    def test_cut_picture_fails_to_decode(self):
        picture = self.root / PICTURES / "snap0001.jpg"
        picture.write_bytes(picture.read_bytes()[: picture.stat().st_size // 2])
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        self.assertTrue(any("Premature end of JPEG file" in line for line in failed), done.stdout)

    def test_picture_without_exif_fails(self):
        tool("exiftool", "-q", "-overwrite_original", "-all=",
             str(self.root / PICTURES / "snap0001.jpg"))
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        self.assertTrue(any(line.startswith("picture Exif") for line in failed), done.stdout)

    def test_picture_whose_exif_gives_another_size_fails(self):
        picture = self.root / PICTURES / "snap0001.jpg"
        tool("exiftool", "-q", "-overwrite_original", "-ExifImageWidth=480",
             "-ExifImageHeight=640", str(picture))
        # The copies sent on are of the picture as it now is.
        shutil.copy(picture, self.work / "received/snap0001.jpg")
        (self.root / OUTBOX / "Message 0001.eml").write_bytes(mail("snap0001.jpg",
                                                                   picture.read_bytes()))
        self.assert_only_failure("picture Exif", "snap0001.jpg")

    def test_truncated_clip_fails(self):
        clip = self.root / PICTURES / "m0001.avi"
        clip.write_bytes(clip.read_bytes()[: clip.stat().st_size * 2 // 3])
        code, failed, done = self.check()
        self.assertEqual(code, 1, done.stdout)
        self.assertTrue(failed and all("m0001.avi" in line for line in failed), done.stdout)

    def test_clip_whose_header_promises_more_frames_fails(self):
        clip = self.root / PICTURES / "m0001.avi"
        data = bytearray(clip.read_bytes())
        # The main header's total frame count, 48 bytes into "avih".
        at = data.index(b"avih") + 8 + 16
        data[at:at + 4] = (10_000).to_bytes(4, "little")
        strh = data.index(b"strh")
        data[strh + 8 + 32:strh + 8 + 36] = (10_000).to_bytes(4, "little")
        clip.write_bytes(bytes(data))
        code, failed, done = self.check()
        self.assertEqual(code, 1, done.stdout)
        self.assertTrue(any("the header says 10000" in line for line in failed), done.stdout)

    def test_mail_without_attachment_fails(self):
        (self.root / OUTBOX / "Message 0001.eml").write_bytes(mail())
        self.assert_only_failure("mail", "Message 0001.eml")

    def test_mail_whose_attachment_differs_from_the_picture_fails(self):
        (self.root / OUTBOX / "Message 0001.eml").write_bytes(mail("snap0001.jpg", b"\xff\xd8other"))
        self.assert_only_failure("mail", "Message 0001.eml")

    def test_received_file_that_differs_fails(self):
        (self.work / "received/snap0001.jpg").write_bytes(b"\xff\xd8 half a picture")
        self.assert_only_failure("received", "snap0001.jpg")

    def test_note_without_its_picture_fails(self):
        (self.root / PICTURES / "snap0001.WAV").rename(self.root / PICTURES / "lost.WAV")
        self.assert_only_failure("voice note", "lost.WAV")

    def test_cut_note_fails(self):
        note = self.root / PICTURES / "snap0001.WAV"
        note.write_bytes(note.read_bytes()[:30])
        code, failed, done = self.check()
        self.assertEqual(code, 1)
        self.assertTrue(any("snap0001.WAV" in line for line in failed), done.stdout)

    def test_unreadable_pdf_fails(self):
        (self.root / PRINTED / "snap0001.pdf").write_bytes(b"%PDF-1.4\n")
        self.assert_only_failure("printed page", "snap0001.pdf")

    def test_registry_value_that_changed_fails(self):
        registry = self.root / "registry.txt"
        registry.write_text(registry.read_text().replace('"trip"', '"snap"'))
        self.assert_only_failure("registry value", "Setting")

    def test_registry_line_that_cannot_be_read_fails(self):
        with open(self.root / "registry.txt", "a") as registry:
            registry.write('"half a value\n')
        code, failed, _ = self.check()
        self.assertEqual(code, 1)
        self.assertTrue(any("unreadable line" in line for line in failed))

    def test_required_kind_that_is_missing_fails(self):
        shutil.rmtree(self.root / PRINTED)
        self.assert_only_failure("pdf", "-")

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
