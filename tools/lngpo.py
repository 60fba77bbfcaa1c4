"""The mapping between a language file and a gettext .po file.

Every text the program reads from a .lng file becomes one entry: the context
is "Section/Key", the source (msgid) the reference's text for that key, the
translation (msgstr) the file's own text. Everything else the file holds is
carried in the entries' extracted comments, as notes that start with "lng:",
so that the file can be rebuilt byte for byte:

  lng: line "TEXT" [END]      a line standing before this entry's key line
                              as it is (blank line, section header, setting,
                              a comment that is not directly above a key)
  lng: key line "A" "B"       this key's line is A + text + B, when it is not
                              Key="text" with Key as the context spells it
  lng: end END                this key's line ends with END, not the file's
  lng: empty                  the file's text is empty ("")
  lng: missing                the file lacks the key; a text filled in adds it
  lng: no source              the reference has no text here; the msgid is
                              the file's own text
  lng: tail "TEXT" [END]      (header entry) a line after the last entry

TEXT is a JSON string; END is CRLF, LF, CR or none and is given only when it
differs from the file's line end (header field X-Lng-Line-End). The header
also names the file's encoding (X-Lng-Encoding) and a byte-order mark
(X-Lng-Byte-Order-Mark). The ';' comment lines directly above a key become
the entry's translator comments ("# ").

An entry whose msgstr is empty takes its msgid, unless it is marked "empty"
(the text stays empty) or "missing" (no line is written): so the template,
with every msgstr empty, gives back the reference itself.
"""

import json
import os
import time
from collections import Counter
from dataclasses import dataclass, field

import lngfile
from lngfile import LINE_END_NAMES, LINE_ENDS_BY_NAME, Line, LngFile
from pofile import Entry, format_po, header_fields as po_header_fields

NOTE = "lng: "

LANGUAGE_CODES = {
    "italiano": "it", "english": "en", "español": "es", "espanol": "es", "français": "fr",
    "francais": "fr", "deutsch": "de", "português": "pt", "portugues": "pt", "nederlands": "nl",
    "polski": "pl", "română": "ro", "romana": "ro", "català": "ca", "ελληνικά": "el",
    "русский": "ru", "العربية": "ar", "عربي": "ar", "עברית": "he", "فارسی": "fa",
    "türkçe": "tr", "svenska": "sv", "dansk": "da", "norsk": "nb", "suomi": "fi",
}


class ConvertError(Exception):
    pass


def language_code(lng_path):
    stem = os.path.splitext(os.path.basename(lng_path))[0]
    return LANGUAGE_CODES.get(lngfile.fold(stem), "")


def _json(text):
    """A JSON string that a comment line can carry: invisible and line-breaking
    characters are written as escapes."""
    out = []
    for c in json.dumps(text, ensure_ascii=False):
        if lngfile.needs_escape(c):
            code = ord(c)
            if code > 0xFFFF:
                code -= 0x10000
                out.append("\\u%04x\\u%04x" % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)))
            else:
                out.append("\\u%04x" % code)
        else:
            out.append(c)
    return "".join(out)


def _line_note(word, line, main_end):
    note = f"{NOTE}{word} {_json(line.text)}"
    return note if line.end == main_end else f"{note} {LINE_END_NAMES[line.end]}"


def _main_end(lines):
    ends = Counter(line.end for line in lines if line.end)
    if not ends:
        return "\n"
    # Ties go to CRLF, the ending the program writes.
    return max(["\r\n", "\n", "\r"], key=lambda end: ends[end])


def _is_translator_comment(line, main_end):
    text = line.text
    return (text.startswith(";") and line.end == main_end and text == text.rstrip()
            and not any(lngfile.needs_escape(c) for c in text[1:] if c != "\t"))


def _key_of_context(context):
    return context.split("/", 1)[1] if "/" in context else context


@dataclass
class _Source:
    section: str
    key: str
    text: str

    @property
    def context(self):
        return f"{self.section}/{self.key}"


def _sources(reference):
    """The reference's texts by key id, in file order; empty texts have nothing
    to translate and are left out."""
    return {k.id: _Source(k.section, k.key, k.text)
            for k in lngfile.read_keys(reference.lines) if k.is_text and k.text}


def _entry_for(key, line, source, template, main_end):
    context = source.context if source else f"{key.section}/{key.key}"
    notes = []
    before, text, after = lngfile.split_around_text(line.text)
    if (before, after) != (_key_of_context(context) + '="', '"'):
        notes.append(f"{NOTE}key line {_json(before)} {_json(after)}")
    if line.end != main_end:
        notes.append(f"{NOTE}end {LINE_END_NAMES[line.end]}")
    if source is None:
        notes.append(f"{NOTE}no source")
    elif not text and not template:
        notes.append(f"{NOTE}empty")
    msgid = source.text if source else text
    return Entry(msgid=msgid, msgstr="" if template else text, msgctxt=context,
                 extracted_comments=notes)


def _text_keys(lng, sources, template):
    """The key lines that become entries, by line index: quoted texts that
    have a source or a text of their own, whose context no earlier entry has."""
    chosen = {}
    contexts = set()
    for key in lngfile.read_keys(lng.lines):
        source = sources.get(key.id)
        if not key.is_text or "\x00" in key.text or (template and source is None):
            continue
        if source is None and not key.text:
            continue
        context = source.context if source else f"{key.section}/{key.key}"
        if context in contexts:
            continue
        contexts.add(context)
        chosen[key.index] = (key, source)
    return chosen


def _missing_entries(lng, sources, entries_by_id):
    """Entries for the reference's keys the file lacks, each placed after the
    file's entry for the key before it in the reference (or the section's
    last entry): {index in the entry list or None for the end: [entries]}."""
    read = {k.id for k in lngfile.read_keys(lng.lines)}
    used = {e.msgctxt for e, _ in entries_by_id.values()}
    placed = {}
    last_in_section = {}
    for (section, _), (_, position) in entries_by_id.items():
        last_in_section[section] = max(position, last_in_section.get(section, -1))
    previous = {}
    for key_id, source in sources.items():
        section = key_id[0]
        if key_id in read or source.context in used:
            if key_id in entries_by_id:
                previous[section] = entries_by_id[key_id][1]
            continue
        used.add(source.context)
        anchor = previous.get(section, last_in_section.get(section))
        entry = Entry(msgid=source.text, msgstr="", msgctxt=source.context,
                      extracted_comments=[f"{NOTE}missing"])
        placed.setdefault(anchor, []).append(entry)
    return placed


def export_po(lng, reference, template, header_fields):
    """The .po text of a language file. `template`: the file is the reference
    itself, and every msgstr is left empty."""
    main_end = _main_end(lng.lines)
    sources = _sources(reference)
    chosen = _text_keys(lng, sources, template)
    entries = []
    entries_by_id = {}
    pending = []
    for index, line in enumerate(lng.lines):
        if index not in chosen:
            pending.append(line)
            continue
        key, source = chosen[index]
        comments = []
        while pending and _is_translator_comment(pending[-1], main_end):
            comments.insert(0, pending.pop().text[1:])
        entry = _entry_for(key, line, source, template, main_end)
        entry.extracted_comments[:0] = [_line_note("line", l, main_end) for l in pending]
        entry.translator_comments = comments
        entries_by_id[key.id] = (entry, len(entries))
        entries.append(entry)
        pending = []
    if not template:
        placed = _missing_entries(lng, sources, entries_by_id)
        for anchor in sorted((a for a in placed if a is not None), reverse=True):
            entries[anchor + 1:anchor + 1] = placed[anchor]
        entries += placed.get(None, [])
    fields = list(header_fields) + [
        ("X-Lng-Encoding", lng.encoding),
        ("X-Lng-Line-End", LINE_END_NAMES[main_end]),
    ]
    if lng.bom:
        fields.append(("X-Lng-Byte-Order-Mark", "yes"))
    tail = [_line_note("tail", l, main_end) for l in pending]
    comment = ["Texts of the program Gonioma. Translate the msgstr texts; keep the",
               "\"lng:\" notes, tools/po2lng needs them to rebuild the language file."]
    return format_po(fields, comment, tail, entries)


# --- import -------------------------------------------------------------------

@dataclass
class _Notes:
    lines: list = field(default_factory=list)
    key_line: tuple = None
    end: str = None
    marks: set = field(default_factory=set)


def _read_end(rest, main_end, where):
    name = rest.strip()
    if not name:
        return main_end
    if name not in LINE_ENDS_BY_NAME:
        raise ConvertError(f"{where}: unknown line end {name!r}")
    return LINE_ENDS_BY_NAME[name]


def _read_notes(comments, main_end, where, line_word):
    notes = _Notes()
    decoder = json.JSONDecoder()
    for comment in comments:
        if not comment.startswith(NOTE):
            continue
        word, _, rest = comment[len(NOTE):].partition(" ")
        try:
            if word == "key" and rest.startswith("line "):
                before, at = decoder.raw_decode(rest, len("line "))
                after, at = decoder.raw_decode(rest, at + 1)
                if not isinstance(before, str) or not isinstance(after, str):
                    raise TypeError
                notes.key_line = (before, after)
            elif word == line_word:
                text, at = decoder.raw_decode(rest)
                if not isinstance(text, str):
                    raise TypeError
                notes.lines.append(Line(text, _read_end(rest[at:], main_end, where)))
            elif word == "end":
                notes.end = _read_end(rest, main_end, where)
            elif word in ("empty", "missing", "no"):
                notes.marks.add(word)
            else:
                raise ConvertError(f"{where}: unknown note {comment!r}")
        except (ValueError, TypeError) as e:
            raise ConvertError(f"{where}: cannot read the note {comment!r}") from e
    return notes


def _value_of(entry, notes):
    if entry.msgstr or "empty" in notes.marks:
        return entry.msgstr
    return entry.msgid


def _check_one_line(text, where):
    if "\r" in text or "\n" in text:
        raise ConvertError(f"{where}: a text of a language file cannot hold a line break")


def _add_key(lines, section, key_lines, main_end):
    """Adds a key the file lacked as the program adds one: after the last key
    of the section's first header, or in a new section at the end."""
    section_line = last_key_line = None
    for i, line in enumerate(lines):
        parsed = lngfile.parse_line(line.text)
        if parsed.kind == lngfile.SECTION:
            if section_line is not None:
                break
            if lngfile.fold(parsed.name) == lngfile.fold(section):
                section_line = i
        elif parsed.kind == lngfile.KEY and section_line is not None:
            last_key_line = i
    if section_line is None:
        if lines and lines[-1].text.strip(" \t"):
            key_lines = [Line("", main_end)] + [Line(f"[{section}]", main_end)] + key_lines
        else:
            key_lines = [Line(f"[{section}]", main_end)] + key_lines
        after = len(lines) - 1
    else:
        after = last_key_line if last_key_line is not None else section_line
    if after >= 0 and not lines[after].end:
        lines[after].end = main_end
    lines[after + 1:after + 1] = key_lines


def import_po(entries, where):
    """The language file a .po file describes."""
    header, fields = po_header_fields(entries)
    main_end = LINE_ENDS_BY_NAME.get(fields.get("X-Lng-Line-End", "CRLF"))
    encoding = fields.get("X-Lng-Encoding", lngfile.UTF8)
    if main_end is None or encoding not in (lngfile.UTF8, lngfile.CP1252):
        raise ConvertError(f"{where}: the header's X-Lng fields are not ones lng2po writes")
    lng = LngFile([], encoding, fields.get("X-Lng-Byte-Order-Mark", "no") == "yes")
    added = []
    for entry in entries:
        if entry is header or entry.obsolete:
            continue
        place = f"{where}: msgctxt {entry.msgctxt!r}"
        if entry.msgctxt is None:
            raise ConvertError(f"{where}: msgid {entry.msgid!r} has no msgctxt (Section/Key)")
        notes = _read_notes(entry.extracted_comments, main_end, place, "line")
        comments = [Line(";" + c, main_end) for c in entry.translator_comments]
        for c in comments:
            _check_one_line(c.text, place)
        value = _value_of(entry, notes)
        _check_one_line(value, place)
        if "missing" in notes.marks:
            if entry.msgstr:
                section, _, key = entry.msgctxt.partition("/")
                added.append((section, comments + [Line(f'{key}="{value}"', main_end)]))
            continue
        lng.lines += notes.lines + comments
        before, after = notes.key_line or (_key_of_context(entry.msgctxt) + '="', '"')
        end = main_end if notes.end is None else notes.end
        lng.lines.append(Line(before + value + after, end))
    if header is not None:
        lng.lines += _read_notes(header.extracted_comments, main_end, where, "tail").lines
    for section, key_lines in added:
        _add_key(lng.lines, section, key_lines, main_end)
    return lng


def default_header(lng_path, language):
    try:
        stamp = time.strftime("%Y-%m-%d %H:%M+0000", time.gmtime(os.path.getmtime(lng_path)))
    except OSError:
        stamp = time.strftime("%Y-%m-%d %H:%M+0000", time.gmtime())
    return [
        ("Project-Id-Version", "Gonioma"),
        ("Report-Msgid-Bugs-To", ""),
        ("PO-Revision-Date", stamp),
        ("Last-Translator", ""),
        ("Language-Team", ""),
        ("Language", language),
        ("MIME-Version", "1.0"),
        ("Content-Type", "text/plain; charset=UTF-8"),
        ("Content-Transfer-Encoding", "8bit"),
        ("X-Lng-File", os.path.basename(lng_path)),
    ]
