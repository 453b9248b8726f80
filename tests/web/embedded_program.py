"""The page's program, embedded in its text as base64, as the page tests read and change it."""

import base64
import re

EMBEDDED = re.compile(r"data:application/octet-stream;base64,([A-Za-z0-9+/=]+)")


def find(page_text):
    """Where the program stands in the page's text, and its bytes."""
    found = EMBEDDED.search(page_text)
    if not found:
        raise AssertionError("the page holds no embedded program")
    return found, base64.b64decode(found.group(1))


def leb(data, at):
    """The unsigned LEB128 number at data[at], and where the next field starts."""
    value = shift = 0
    while True:
        byte = data[at]
        value |= (byte & 0x7F) << shift
        at += 1
        shift += 7
        if byte < 0x80:
            return value, at
