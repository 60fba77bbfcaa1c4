"""A small reader and writer of gettext .po files: what the language tools
need (header, contexts, translator and extracted comments, flags), nothing of
plural forms. Strings are written on one line each; any PO editor may wrap
them, the reader joins them again."""

import re
from dataclasses import dataclass, field

_ESCAPES = {"\\": "\\\\", '"': '\\"', "\n": "\\n", "\t": "\\t", "\r": "\\r"}
_UNESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", '"': '"',
              "a": "\a", "b": "\b", "f": "\f", "v": "\v"}


class PoError(Exception):
    pass


@dataclass
class Entry:
    msgid: str = ""
    msgstr: str = ""
    msgctxt: str = None
    translator_comments: list = field(default_factory=list)
    extracted_comments: list = field(default_factory=list)
    flags: list = field(default_factory=list)
    obsolete: bool = False


def quote(text):
    out = []
    for c in text:
        if c in _ESCAPES:
            out.append(_ESCAPES[c])
        elif ord(c) < 0x20 or ord(c) == 0x7F:
            out.append("\\%03o" % ord(c))
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


def unquote(token, where):
    if len(token) < 2 or token[0] != '"' or token[-1] != '"':
        raise PoError(f"{where}: a string in double quotes was expected")
    body = token[1:-1]
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c == '"':
            raise PoError(f"{where}: a quote inside a string must be written \\\"")
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(body):
            raise PoError(f"{where}: a string ends with a lone backslash")
        e = body[i + 1]
        if e in _UNESCAPES:
            out.append(_UNESCAPES[e])
            i += 2
        elif e in "01234567":
            digits = re.match(r"[0-7]{1,3}", body[i + 1:]).group()
            out.append(chr(int(digits, 8)))
            i += 1 + len(digits)
        elif e == "x":
            digits = re.match(r"[0-9a-fA-F]*", body[i + 2:]).group()
            if not digits:
                raise PoError(f"{where}: \\x without hexadecimal digits")
            out.append(chr(int(digits, 16)))
            i += 2 + len(digits)
        else:
            raise PoError(f"{where}: unknown escape \\{e}")
    return "".join(out)


def _format_string(keyword, text):
    """A keyword and its string; a string with line breaks is written one line
    per piece, as gettext writes the header."""
    if "\n" not in text[:-1]:
        return f"{keyword} {quote(text)}"
    pieces = text.split("\n")
    lines = [piece + "\n" for piece in pieces[:-1]] + ([pieces[-1]] if pieces[-1] else [])
    return "\n".join([f'{keyword} ""'] + [quote(line) for line in lines])


def format_entry(entry):
    lines = ["# " + c if c else "#" for c in entry.translator_comments]
    lines += ["#. " + c for c in entry.extracted_comments]
    if entry.flags:
        lines.append("#, " + ", ".join(entry.flags))
    if entry.msgctxt is not None:
        lines.append(_format_string("msgctxt", entry.msgctxt))
    lines.append(_format_string("msgid", entry.msgid))
    lines.append(_format_string("msgstr", entry.msgstr))
    return "\n".join(lines) + "\n"


def format_po(header_fields, header_comments, header_extracted, entries):
    """The text of a .po file: a header entry made of `header_fields` (name,
    value pairs) and then the entries."""
    header = Entry(msgid="", msgstr="".join(f"{k}: {v}\n" for k, v in header_fields),
                   translator_comments=header_comments, extracted_comments=header_extracted)
    return "\n".join(format_entry(e) for e in [header] + entries)


def _decode_po(data, path):
    # The charset the header names; UTF-8 when it names none.
    match = re.search(rb"charset=([A-Za-z0-9_.:-]+)", data)
    charset = match.group(1).decode("ascii") if match else "UTF-8"
    if charset.upper() == "CHARSET":
        charset = "UTF-8"
    try:
        return data.decode(charset)
    except LookupError as e:
        raise PoError(f"{path}: unknown charset {charset}") from e
    except UnicodeDecodeError as e:
        raise PoError(f"{path}: not valid {charset} at byte {e.start}") from e


def parse_po(text, path="<po>"):
    """The entries of a .po file's text, header first when there is one."""
    entries = []
    entry = Entry()
    started = False  # a keyword has been read for `entry`
    target = None  # the field that continuation strings extend
    keyword = re.compile(r'^(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?)\s+(".*")\s*$')

    def finish():
        nonlocal entry, started, target
        if started:
            entries.append(entry)
        entry, started, target = Entry(), False, None

    for number, raw in enumerate(text.split("\n"), start=1):
        line = raw.rstrip("\r")
        where = f"{path}:{number}"
        stripped = line.strip()
        if not stripped:
            finish()
            continue
        obsolete = stripped.startswith("#~")
        if obsolete:
            stripped = stripped[2:].strip()
            if not stripped:
                continue
        if stripped.startswith("#") and not obsolete:
            if started and target is not None and target.startswith("msgstr"):
                finish()
            if stripped.startswith("#."):
                entry.extracted_comments.append(line[3:] if line.startswith("#. ") else line[2:])
            elif stripped.startswith("#,"):
                entry.flags += [f.strip() for f in stripped[2:].split(",") if f.strip()]
            elif stripped[:2] in ("#:", "#|"):
                pass
            else:
                entry.translator_comments.append(line[2:] if line.startswith("# ") else line[1:])
            continue
        match = keyword.match(stripped)
        if match:
            name, value = match.group(1), unquote(match.group(2), where)
            if name in ("msgctxt", "msgid") and started and target is not None \
                    and target.startswith("msgstr"):
                finish()
            started = True
            entry.obsolete = entry.obsolete or obsolete
            target = name
            if name == "msgctxt":
                entry.msgctxt = value
            elif name == "msgid":
                entry.msgid = value
            elif name == "msgstr" or name == "msgstr[0]":
                entry.msgstr = value
            continue
        if stripped.startswith('"') and target is not None:
            value = unquote(stripped, where)
            if target == "msgctxt":
                entry.msgctxt += value
            elif target == "msgid":
                entry.msgid += value
            elif target in ("msgstr", "msgstr[0]"):
                entry.msgstr += value
            continue
        raise PoError(f"{where}: cannot read this line: {line}")
    finish()
    return entries


def read_po(path):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError as e:
        raise PoError(f"{path}: cannot be read: {e.strerror}") from e
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    return parse_po(_decode_po(data, path), path)


def header_fields(entries):
    """The fields of the header entry (msgid "" without context) by name."""
    for e in entries:
        if e.msgid == "" and e.msgctxt is None and not e.obsolete:
            fields = {}
            for line in e.msgstr.split("\n"):
                name, sep, value = line.partition(":")
                if sep:
                    fields[name.strip()] = value.strip()
            return e, fields
    return None, {}
