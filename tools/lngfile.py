"""Reading and writing the program's language files (.lng) line by line.

A language file is kept as its decoded lines, each with the line end it had,
plus how its bytes were encoded, so that writing the lines back gives the very
same bytes. Which lines the program reads as texts is decided here exactly as
the program's own reader decides it (src/language/IniFile.cpp): blanks are
spaces and tabs, section and key names match without regard to case, only the
first header of a section and the first line of a key count, and one pair of
enclosing quotes is dropped from a value.
"""

import unicodedata
from dataclasses import dataclass, field

BOM = b"\xef\xbb\xbf"

LINE_END_NAMES = {"\r\n": "CRLF", "\n": "LF", "\r": "CR", "": "none"}
LINE_ENDS_BY_NAME = {name: end for end, name in LINE_END_NAMES.items()}

# Windows-1252 as the program reads it: the five bytes the code page leaves
# undefined stand for the control characters of the same number, so every
# byte decodes and encodes back to itself.
_CP1252_DECODE = []
for _byte in range(256):
    try:
        _CP1252_DECODE.append(bytes([_byte]).decode("cp1252"))
    except UnicodeDecodeError:
        _CP1252_DECODE.append(chr(_byte))
_CP1252_ENCODE = {char: byte for byte, char in enumerate(_CP1252_DECODE)}

UTF8 = "UTF-8"
CP1252 = "windows-1252"


class LngError(Exception):
    """A file that cannot be read or written as asked."""


@dataclass
class Line:
    text: str  # without its line end
    end: str  # "\r\n", "\n", "\r" or "" (a last line without a line end)


@dataclass
class LngFile:
    lines: list = field(default_factory=list)
    encoding: str = UTF8
    bom: bool = False


def decode(data):
    """The text of a file's bytes, its encoding and whether it had a byte-order
    mark. UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise."""
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        return "".join(_CP1252_DECODE[b] for b in data), CP1252, False
    if text.startswith("\ufeff"):
        return text[1:], UTF8, True
    return text, UTF8, False


def encode_cp1252(text):
    """The Windows-1252 bytes of a text, or None when it holds a character the
    code page lacks."""
    try:
        return bytes(_CP1252_ENCODE[c] for c in text)
    except KeyError:
        return None


def split_lines(text):
    """CRLF, LF and CR each end a line; no other character does."""
    lines = []
    start = 0
    i = 0
    while i < len(text):
        c = text[i]
        if c in "\r\n":
            end = "\r\n" if text.startswith("\r\n", i) else c
            lines.append(Line(text[start:i], end))
            i += len(end)
            start = i
        else:
            i += 1
    if start < len(text):
        lines.append(Line(text[start:], ""))
    return lines


def read_lng(path):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        raise LngError(f"{path}: cannot be read: {e.strerror}") from e
    text, encoding, bom = decode(data)
    return LngFile(split_lines(text), encoding, bom)


def lng_bytes(lng):
    """The bytes of a file: in its own encoding where that can hold the text and
    reads back as the same text, in UTF-8 otherwise."""
    text = "".join(line.text + line.end for line in lng.lines)
    if lng.encoding == CP1252:
        data = encode_cp1252(text)
        if data is not None and decode(data)[0] == text:
            return data
    return (BOM if lng.bom else b"") + text.encode("utf-8", "surrogatepass")


def write_lng(path, lng):
    data = lng_bytes(lng)
    try:
        with open(path, "wb") as f:
            f.write(data)
    except OSError as e:
        raise LngError(f"{path}: cannot be written: {e.strerror}") from e
    return data


# --- the program's reading of a line ---------------------------------------

OTHER, SECTION, KEY = "other", "section", "key"


def _trim(text):
    return text.strip(" \t")


@dataclass
class ParsedLine:
    kind: str
    name: str = ""
    value: str = ""


def parse_line(text):
    t = _trim(text)
    if not t or t[0] == ";":
        return ParsedLine(OTHER)
    if t[0] == "[":
        close = t.rfind("]")
        if close > 0:
            return ParsedLine(SECTION, _trim(t[1:close]))
    equals = t.find("=")
    if equals < 0:
        return ParsedLine(OTHER)
    return ParsedLine(KEY, _trim(t[:equals]), _trim(t[equals + 1:]))


def fold(name):
    """Names compare without regard to case, one character at a time."""
    out = []
    for c in name:
        folded = c.casefold()
        out.append(folded if len(folded) == 1 else c.lower() if len(c.lower()) == 1 else c)
    return "".join(out)


def is_quoted(value):
    return len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]


def clean_value(value):
    return value[1:-1] if is_quoted(value) else value


@dataclass
class KeyLine:
    """A line the program reads as the value of a key: the first line of that
    key under the first header of its section."""
    index: int  # in the file's lines
    section: str  # as the header spells it
    key: str  # as the line spells it
    value: str  # the raw value, blanks trimmed, quotes kept

    @property
    def id(self):
        return fold(self.section), fold(self.key)

    @property
    def text(self):
        return clean_value(self.value)

    @property
    def is_text(self):
        """Quoted values are texts; a bare value (RightToLeft=1) is a setting."""
        return is_quoted(self.value)


def read_keys(lines):
    """Every key line the program reads, in file order."""
    keys = []
    seen_sections = set()
    section = None
    seen_keys = None
    for i, line in enumerate(lines):
        parsed = parse_line(line.text)
        if parsed.kind == SECTION:
            folded = fold(parsed.name)
            if folded in seen_sections:
                section, seen_keys = None, None
            else:
                seen_sections.add(folded)
                section, seen_keys = parsed.name, set()
        elif parsed.kind == KEY and seen_keys is not None:
            folded = fold(parsed.name)
            if folded not in seen_keys:
                seen_keys.add(folded)
                keys.append(KeyLine(i, section, parsed.name, parsed.value))
    return keys


def texts_of(lines):
    """What the program reads: {(section, key) folded: text}."""
    return {k.id: k.text for k in read_keys(lines)}


def split_around_text(line_text):
    """A quoted key line as (before, text, after): the text between the quotes
    and what stands on either side of it."""
    lead = len(line_text) - len(line_text.lstrip(" \t"))
    trail = len(line_text) - len(line_text.rstrip(" \t"))
    equals = line_text.index("=", lead)
    start = equals + 1
    while line_text[start] in " \t":
        start += 1
    end = len(line_text) - trail
    return line_text[: start + 1], line_text[start + 1 : end - 1], line_text[end - 1 :]


def needs_escape(c):
    """Characters a comment line of a .po file should not carry as they are."""
    return c != " " and unicodedata.category(c) in ("Cc", "Cf", "Zl", "Zp", "Zs", "Cs", "Co", "Cn")
