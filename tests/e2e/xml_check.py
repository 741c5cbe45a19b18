"""Helpers for the XML document tests: a real parser check of a written
document, and how a file name looks once it is in a document."""
import os
import subprocess
import xml.dom.minidom
import xml.etree.ElementTree as ET

# Names that need care in XML: markup characters, both quotes, control
# characters, line breaks, a tab and bytes that are not UTF-8.
HOSTILE_NAMES = [b"amp&amp", b"lt<gt>", b'dq"x', b"sq'x", b"ctl\x01\x1b[2Jx", b"nl\nx", b"cr\rx",
                 b"tab\tx", b"bad\xff\xfex", "caf\u00e9 \U0001F600".encode(), b"]]>end", b"del\x7fx",
                 b"nonchar\xef\xbf\xbe\xef\xbf\xbfx"]


def shown_name(raw):
    """A name as the documents give it back: invalid bytes as U+FFFD, control
    characters other than tab, line feed and carriage return, and the
    non-characters U+FFFE and U+FFFF as "?"."""
    text = raw.decode("utf-8", "replace") if isinstance(raw, bytes) else raw
    return "".join("?" if (ord(c) < 0x20 and c not in "\t\n\r") or c in "\x7f\ufffe\uffff" else c for c in text)


def parse(test, path):
    """Checks the document with xmllint and both Python parsers; returns the
    ElementTree root and the raw lines (CR LF checked)."""
    lint = subprocess.run(["xmllint", "--noout", path], capture_output=True)
    test.assertEqual(lint.returncode, 0, lint.stderr.decode("utf-8", "replace"))
    with open(path, "rb") as f:
        data = f.read()
    xml.dom.minidom.parseString(data)
    test.assertTrue(data.endswith(b"\r\n"))
    lines = data.split(b"\r\n")[:-1]
    for line in lines:
        test.assertNotIn(b"\n", line)
        test.assertNotIn(b"\r", line)
    return ET.fromstring(data), [line.decode("utf-8") for line in lines]


def tree_entries(root):
    """Every entry of the scanned tree from a walk that does not follow links:
    (folder path ending in "/", raw name, lstat result)."""
    out = []
    for folder, dirs, files in os.walk(os.fsencode(root)):
        for name in dirs + files:
            out.append((folder + b"/", name, os.lstat(os.path.join(folder, name))))
    return out
