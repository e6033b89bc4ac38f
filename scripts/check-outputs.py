#!/usr/bin/env python3
"""Checks what a run of the handheld left behind with tools that are not the
kit's own, and prints one table: what, where, checked by, result.

Pictures are decoded by djpeg and their Exif read by exiftool; clips are read
by ffprobe and decoded by ffmpeg; voice notes are read and decoded by sox;
mail in the Outbox is parsed by Python's email package and its attachment
compared with the picture it names; printed pages are read by pdfinfo; files
an OBEX receiver took in are compared with cmp; the registry file is read as
text and, when asked, compared with expected values.

Exit status: 0 when every check passed, 1 when one failed, 2 for a usage
error, a folder that is not a handheld's or a missing tool.
"""

import argparse
import email
import email.policy
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
from dataclasses import dataclass
from pathlib import Path

KINDS = ("pictures", "clips", "notes", "mail", "pdf", "received", "registry")
TOOLS = ("djpeg", "exiftool", "ffprobe", "ffmpeg", "sox", "soxi", "pdfinfo", "cmp")
# Exif fields the camera writes into every still picture.
CAMERA_EXIF = ("Make", "Model", "DateTimeOriginal")
# A clip's sound may start or end a little apart from its pictures; more than
# this is sound lost or pictures lost.
MAX_SOUND_PICTURE_GAP_S = 1.0


@dataclass
class Row:
    what: str
    where: str
    checked_by: str
    result: str
    passed: bool
    # Nothing of a kind that was not required: neither passed nor failed.
    absent: bool = False


def run(command):
    """Runs a tool; returns (exit code, stdout, stderr) as text."""
    done = subprocess.run(command, capture_output=True, text=True, errors="replace")
    return done.returncode, done.stdout, done.stderr


def first_line(text):
    """A tool's first message, without the memory addresses ffmpeg puts in
    it, so that the table reads the same on every run."""
    lines = [line.strip() for line in text.strip().splitlines() if line.strip()]
    return re.sub(r" @ 0x[0-9a-fA-F]+\]", "]", lines[0]) if lines else ""


class Checker:
    def __init__(self, root, received):
        self.root = root
        self.files = root / "files"
        # The storage card's files, kept beside the main store's whether the
        # card is in or out.
        self.card = root / "storage-card"
        self.received = received
        self.rows = []

    def add(self, what, where, checked_by, result, passed, absent=False):
        self.rows.append(Row(what, where, checked_by, result, passed, absent))

    def where(self, path):
        for base, shown in ((self.files, ""), (self.card, "Storage Card/"),
                             (self.received, "")):
            if base is not None and path.is_relative_to(base):
                return shown + str(path.relative_to(base))
        return str(path)

    def user_files(self, *suffixes):
        """The handheld's files outside \\Windows, on the main store and the
        storage card, with one of the suffixes."""
        found = []
        for volume in (self.files, self.card):
            for folder, subfolders, names in os.walk(volume):
                if Path(folder) == self.files:
                    subfolders[:] = [s for s in subfolders if s.lower() != "windows"]
                subfolders.sort()
                for name in sorted(names):
                    if name.lower().endswith(suffixes):
                        found.append(Path(folder) / name)
        return found

    def original_of(self, name, data):
        """The handheld's file that a copy sent on came from: the one of its
        name, or else one with the same bytes (renamed or moved since).
        Returns (the file with the same bytes or None, the files of that
        name)."""
        named = [p for p in self.user_files(name.lower()) if p.name.lower() == name.lower()]
        for path in named + [p for p in self.user_files("") if p not in named
                             and p.stat().st_size == len(data)]:
            if path.read_bytes() == data:
                return path, named
        return None, named

    # Pictures -------------------------------------------------------------

    def check_picture(self, path):
        where = self.where(path)
        decoded_size = None
        with tempfile.NamedTemporaryFile(suffix=".ppm") as decoded:
            code, _, err = run(["djpeg", "-pnm", "-outfile", decoded.name, str(path)])
            # djpeg exits 2 when it only warned (a damaged or cut picture).
            if code != 0 or err.strip():
                self.add("picture", where, "djpeg", "does not decode: " + first_line(err), False)
            else:
                header = Path(decoded.name).read_bytes()[:32].split()
                decoded_size = (int(header[1]), int(header[2]))
                self.add("picture", where, "djpeg",
                         f"decodes, {decoded_size[0]} x {decoded_size[1]}", True)
        code, out, err = run(["exiftool", "-j", "-n", "-EXIF:all", str(path)])
        try:
            tags = json.loads(out)[0] if code == 0 else {}
        except (ValueError, IndexError):
            tags = {}
        missing = [field for field in CAMERA_EXIF if not str(tags.get(field, "")).strip()]
        if not tags or missing:
            why = first_line(err) or "no Exif " + ", ".join(missing)
            self.add("picture Exif", where, "exiftool", why, False)
        else:
            described = f"{tags['Make']} {tags['Model']}, {tags['DateTimeOriginal']}"
            # The size the Exif data gives must be the picture's own: viewers
            # that trust it would show a turned picture squeezed.
            exif_size = (tags.get("ExifImageWidth"), tags.get("ExifImageHeight"))
            if decoded_size and None not in exif_size and exif_size != decoded_size:
                self.add("picture Exif", where, "exiftool",
                         f"{described}; Exif says {exif_size[0]} x {exif_size[1]}", False)
            else:
                self.add("picture Exif", where, "exiftool", described, True)

    # Clips ----------------------------------------------------------------

    def check_clip(self, path):
        where = self.where(path)
        code, out, err = run(["ffprobe", "-v", "error", "-count_frames", "-show_entries",
                              "stream=codec_type,codec_name,width,height,sample_rate,channels,"
                              "bits_per_sample,nb_frames,nb_read_frames,duration", "-of", "json", str(path)])
        streams = json.loads(out).get("streams", []) if code == 0 and out.strip() else []
        video = [s for s in streams if s.get("codec_type") == "video"]
        audio = [s for s in streams if s.get("codec_type") == "audio"]
        if code != 0 or err.strip() or not video:
            self.add("clip", where, "ffprobe", first_line(err) or "no video stream", False)
        else:
            v = video[0]
            told = int(v.get("nb_frames", 0) or 0)
            read = int(v.get("nb_read_frames", 0) or 0)
            result = (f"{v.get('codec_name')} {v.get('width')}x{v.get('height')}, "
                      f"{read} frames, {float(v.get('duration', 0)):.1f} s")
            passed = read > 0 and (told == 0 or told == read)
            if told and told != read:
                result += f" (the header says {told})"
            if audio:
                a = audio[0]
                seconds = sound_seconds(path, a)
                result += f"; sound {a.get('codec_name')} {a.get('sample_rate')} Hz {seconds:.1f} s"
                if abs(seconds - float(v.get("duration", 0) or 0)) > MAX_SOUND_PICTURE_GAP_S:
                    result += " (sound and pictures differ in length)"
                    passed = False
            self.add("clip", where, "ffprobe", result, passed)
        code, _, err = run(["ffmpeg", "-v", "error", "-nostdin", "-i", str(path), "-f", "null", "-"])
        if code != 0 or err.strip():
            self.add("clip decode", where, "ffmpeg -f null",
                     "errors: " + (first_line(err) or f"exit {code}"), False)
        else:
            self.add("clip decode", where, "ffmpeg -f null", "decodes without error", True)

    # Voice notes ----------------------------------------------------------

    def check_note(self, path):
        where = self.where(path)
        pictures = [p for p in path.parent.iterdir()
                    if p != path and p.stem == path.stem and p.suffix.lower() != ".wav"]
        code, out, err = run(["soxi", str(path)])
        info = {}
        for line in out.splitlines():
            key, _, value = line.partition(":")
            info[key.strip()] = value.strip()
        if code != 0 or "Duration" not in info:
            self.add("voice note", where, "soxi", first_line(err) or "not a sound file", False)
            return
        duration = info["Duration"].split("=")[0].strip()
        described = (f"{info.get('Sample Rate')} Hz, {info.get('Channels')} ch, "
                     f"{info.get('Sample Encoding')}, {duration}")
        if pictures:
            self.add("voice note", where, "soxi", f"{described}, beside {pictures[0].name}", True)
        else:
            self.add("voice note", where, "soxi", f"{described}, but its picture is missing", False)
        code, _, err = run(["sox", str(path), "-n", "stat"])
        lines = dict(line.split(":", 1) for line in err.splitlines() if ":" in line)
        samples = int(lines.get("Samples read", "0").strip() or 0)
        if code != 0 or samples == 0:
            self.add("voice note decode", where, "sox", first_line(err) or "no samples", False)
        else:
            peak = max(abs(float(lines.get("Maximum amplitude", "0"))),
                       abs(float(lines.get("Minimum amplitude", "0"))))
            self.add("voice note decode", where, "sox", f"{samples} samples, peak {peak:.2f}",
                     True)

    # Mail -----------------------------------------------------------------

    def check_mail(self, path):
        where = self.where(path)
        with open(path, "rb") as file:
            message = email.message_from_binary_file(file, policy=email.policy.default)
        problems = [type(defect).__name__ for defect in message.defects]
        attachments = list(message.iter_attachments()) if message.is_multipart() else []
        if problems or not attachments:
            why = ", ".join(problems) if problems else "no attachment"
            self.add("mail", where, "python email", why, False)
            return
        for attachment in attachments:
            name = attachment.get_filename() or ""
            data = attachment.get_content()
            if not isinstance(data, bytes):
                data = data.encode()
            original, named = self.original_of(name, data)
            if original is not None:
                self.add("mail", where, "python email",
                         f"attachment {name} ({len(data)} bytes) = {self.where(original)}", True)
            elif named:
                self.add("mail", where, "python email",
                         f"attachment {name} differs from {self.where(named[0])}", False)
            else:
                self.add("mail", where, "python email",
                         f"attachment '{name}' equals no file on the handheld", False)

    # Printed pages --------------------------------------------------------

    def check_pdf(self, path):
        where = self.where(path)
        code, out, err = run(["pdfinfo", str(path)])
        info = {}
        for line in out.splitlines():
            key, _, value = line.partition(":")
            info[key.strip()] = value.strip()
        pages = int(info.get("Pages", "0") or 0)
        if code != 0 or pages < 1:
            self.add("printed page", where, "pdfinfo", first_line(err) or "no pages", False)
        else:
            self.add("printed page", where, "pdfinfo",
                     f"{pages} page(s), {info.get('Page size', '?')}", True)

    # Received files -------------------------------------------------------

    def check_received(self, path):
        where = self.where(path)
        original, _ = self.original_of(path.name, path.read_bytes())
        # cmp is the judge; the search above only finds what to give it.
        if original is not None and run(["cmp", str(path), str(original)])[0] == 0:
            self.add("received", where, "cmp", f"same bytes as {self.where(original)}", True)
        else:
            self.add("received", where, "cmp", "equals no file on the handheld", False)

    # Registry -------------------------------------------------------------

    def check_registry(self, expected_file):
        path = self.root / "registry.txt"
        values, bad_lines = read_registry(path)
        if values is None:
            self.add("registry", "registry.txt", "text reader", "missing", False)
            return
        if bad_lines:
            self.add("registry", "registry.txt", "text reader",
                     f"unreadable line {bad_lines[0]}", False)
            return
        count = sum(len(v) for v in values.values())
        self.add("registry", "registry.txt", "text reader",
                 f"{len(values)} keys, {count} values", True)
        if expected_file is None:
            return
        expected, bad_expected = read_registry(expected_file)
        if expected is None or bad_expected:
            raise UsageError(f"cannot read the expected registry values in {expected_file}")
        values = folded(values)
        for key, names in expected.items():
            found = values.get(key.casefold(), {})
            wrong = [f"{name} is {found.get(name.casefold(), 'missing')}, not {value}"
                     for name, value in names.items() if found.get(name.casefold()) != value]
            short = key.split("\\", 1)[-1]
            if wrong:
                self.add("registry value", short, "text reader", "; ".join(wrong), False)
            else:
                self.add("registry value", short, "text reader",
                         f"{len(names)} value(s) as expected", True)


def sound_seconds(path, stream):
    """How long the clip's sound lasts, from the bytes its packets hold rather
    than from what its header claims."""
    code, out, _ = run(["ffprobe", "-v", "error", "-select_streams", "a:0", "-show_entries",
                        "packet=size", "-of", "csv=p=0", str(path)])
    total = sum(int(line) for line in out.split() if line.isdigit()) if code == 0 else 0
    bytes_per_second = (int(stream.get("sample_rate", 0) or 0) * int(stream.get("channels", 0) or 0)
                        * int(stream.get("bits_per_sample", 0) or 0) // 8)
    return total / bytes_per_second if bytes_per_second else 0.0


class UsageError(Exception):
    pass


def read_registry(path):
    """The registry's text file as {key: {name: value}}, and the numbers of
    the lines that are not a key, a value, a comment or blank. (None, [])
    when the file cannot be read."""
    try:
        lines = Path(path).read_text(encoding="utf-8").splitlines()
    except OSError:
        return None, []
    keys, bad, key = {}, [], None
    for number, line in enumerate(lines, 1):
        text = line.strip()
        if not text or text.startswith(";"):
            continue
        if text.startswith("[") and text.endswith("]"):
            key = text[1:-1]
            keys.setdefault(key, {})
        elif key is not None and text.startswith('"') and '"=' in text:
            name, _, value = text[1:].partition('"=')
            keys[key][name] = value
        else:
            bad.append(number)
    return keys, bad


def folded(registry):
    """Keys and names in one case: the handheld's registry ignores case."""
    return {key.casefold(): {name.casefold(): value for name, value in names.items()}
            for key, names in registry.items()}


def print_table(rows, out):
    headers = ("what", "where", "checked by", "result")
    cells = [(r.what, r.where, r.checked_by,
              ("-    " if r.absent else "ok   " if r.passed else "FAIL ") + r.result) for r in rows]
    widths = [max([len(h)] + [len(c[i]) for c in cells]) for i, h in enumerate(headers[:3])]
    line = "  ".join(h.ljust(w) for h, w in zip(headers, widths)) + "  " + headers[3]
    print(line, file=out)
    print("-" * len(line), file=out)
    for c in cells:
        print("  ".join(v.ljust(w) for v, w in zip(c, widths)) + "  " + c[3], file=out)


def main(argv):
    parser = argparse.ArgumentParser(
        prog="check-outputs.py",
        description="Checks a handheld's pictures, clips, voice notes, mail, printed pages, "
                    "received files and registry with independent tools and prints one "
                    "summary table. Exit status 0 when every check passed, 1 when one "
                    "failed, 2 for a usage error or a missing tool.")
    parser.add_argument("--root", required=True, type=Path,
                        help="the handheld's host folder (holds files/ and registry.txt)")
    parser.add_argument("--received", type=Path,
                        help="the folder an OBEX receiver wrote into (its *.log files are left out)")
    parser.add_argument("--expect-registry", type=Path, metavar="FILE",
                        help="registry values that must be there, written as in registry.txt")
    parser.add_argument("--require", default="", metavar="KINDS",
                        help="comma-separated kinds that must be found (" + ", ".join(KINDS) +
                             ") or 'all'; a kind not required may be absent")
    args = parser.parse_args(argv)

    required = set(KINDS) if args.require == "all" else {k for k in args.require.split(",") if k}
    if required - set(KINDS):
        parser.error("unknown kind(s) for --require: " + ", ".join(sorted(required - set(KINDS))))
    if not (args.root / "files").is_dir():
        parser.error(f"{args.root} is not a handheld's folder (no files/ in it)")
    if args.received is not None and not args.received.is_dir():
        parser.error(f"{args.received} is not a folder")
    missing_tools = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing_tools:
        print("check-outputs: missing tools: " + ", ".join(missing_tools) +
              " (./scripts/install-deps.sh installs them)", file=sys.stderr)
        return 2

    checker = Checker(args.root, args.received)
    found = {
        "pictures": (checker.user_files(".jpg", ".jpeg"), checker.check_picture),
        "clips": (checker.user_files(".avi"), checker.check_clip),
        "notes": (checker.user_files(".wav"), checker.check_note),
        "mail": ([p for p in checker.user_files(".eml") if p.parent.name.lower() == "outbox"],
                 checker.check_mail),
        "pdf": (checker.user_files(".pdf"), checker.check_pdf),
        "received": (sorted(p for p in args.received.iterdir()
                            if p.is_file() and p.suffix != ".log")
                     if args.received is not None else [], checker.check_received),
    }
    for kind, (paths, check) in found.items():
        for path in paths:
            check(path)
        if not paths:
            checker.add(kind, "-", "-", "none found", kind not in required,
                        absent=kind not in required)
    try:
        checker.check_registry(args.expect_registry)
    except UsageError as error:
        print(f"check-outputs: {error}", file=sys.stderr)
        return 2

    print_table(checker.rows, sys.stdout)
    failed = [r for r in checker.rows if not r.passed]
    checks = [r for r in checker.rows if not r.absent]
    print(f"\n{len(checks)} checks, {len(failed)} failed", file=sys.stdout)
    for row in failed:
        print(f"check-outputs: {row.what} {row.where}: {row.result}", file=sys.stderr)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
