"""An independent reader and writer of the camera profile files, for checking
what the program wrote against the format rather than against the program.

PROFILE.BIN holds record bytes 20..1015 and the backup the whole 1016-byte
record, both as little-endian 16-bit words rotated left by 4 bits and
inverted; the backup then carries four 264-byte operator entries as they are.
"""

import struct

RECORD_SIZE = 1016
BIN_SIZE = 996
ENTRY_SIZE = 264
BACKUP_SIZE = RECORD_SIZE + 4 * ENTRY_SIZE
BACKUP_NAME = "setupV4.56J.bak"
CODEPAGE = "cp932"


def scramble_word(w):
    return 0xFFFF - (((w << 4) | (w >> 12)) & 0xFFFF)


def unscramble_word(s):
    w = (~s) & 0xFFFF
    return ((w >> 4) | (w << 12)) & 0xFFFF


def _map_words(data, fn):
    assert len(data) % 2 == 0
    words = struct.unpack("<%dH" % (len(data) // 2), data)
    return struct.pack("<%dH" % len(words), *(fn(w) for w in words))


def unscramble(data):
    return _map_words(bytes(data), unscramble_word)


def scramble(data):
    return _map_words(bytes(data), scramble_word)


def text(area, codepage=CODEPAGE):
    """Bytes up to the first zero, decoded."""
    raw = bytes(area).split(b"\0", 1)[0]
    return raw.decode(codepage)


def put_text(buf, offset, width, value, codepage=CODEPAGE):
    raw = value.encode(codepage) if isinstance(value, str) else bytes(value)
    assert len(raw) < width, "text does not fit"
    buf[offset:offset + width] = raw + b"\0" * (width - len(raw))


OPERATOR_FIELDS = [
    ("name", 0, 32), ("mmsUrl", 32, 64), ("mmsGateway", 96, 16), ("mmsPort", 112, 8),
    ("mmsApn", 120, 32), ("mmsUser", 152, 24), ("mmsPassword", 176, 16),
    ("dataApn", 192, 32), ("dataUser", 224, 24), ("dataPassword", 248, 16),
]
MAIL_TEXT_FIELDS = [
    ("smtpServer", 0, 64), ("smtpPort", 64, 6), ("account", 72, 48), ("password", 120, 64),
    ("senderAddress", 184, 48), ("senderName", 232, 24),
]


class Record:
    """Field access to a 1016-byte record (plain, not scrambled)."""

    def __init__(self, data):
        assert len(data) == RECORD_SIZE
        self.b = bytearray(data)

    def u8(self, off):
        return self.b[off]

    def u16(self, off):
        return struct.unpack_from("<H", self.b, off)[0]

    def u32(self, off):
        return struct.unpack_from("<I", self.b, off)[0]

    def text(self, off, width):
        return text(self.b[off:off + width])

    # The sending block and the camera block.
    def fields(self):
        b = self
        return {
            "versionMark": bytes(b.b[0:2]),
            "profileKind": b.u16(16),
            "cameraMode": b.u8(20), "cameraScene": b.u8(21), "photoSize": b.u8(22),
            "photoBurst": b.u8(23), "flashPower": b.u8(24), "videoSize": b.u8(25),
            "videoLength": b.u8(26), "triggerMode": b.u8(27), "pirSensitivity": b.u8(28),
            "pirInterval": b.u8(29), "timeLapse": b.u8(30),
            "workTime": [bytes(b.b[31 + 6 * i:37 + 6 * i]) for i in range(4)],
            "language": b.u8(55), "rfSwitch": b.u8(56), "overwrite": b.u8(57), "beep": b.u8(58),
            "variantCode": b.u8(59),
            "sendMinute": b.u8(72), "sendHour": b.u8(73), "maxSendCount": b.u8(74), "sendMode": b.u8(75),
            "sendTarget": b.u16(78), "simIndex": b.u8(80), "countryIndex": b.u8(81),
            "sendCompression": b.u16(82), "renameSwitch": b.u16(84), "smsSwitch": b.u16(86),
            "smsStopHour": b.u8(88), "smsStartHour": b.u8(89),
            "cameraName": b.text(90, 16), "reserved106": b.u32(106),
            "mailPresetIndex": b.u8(111),
            "phones": [b.text(632 + 48 * i, 16) for i in range(4)],
            "recipients": [b.text(824 + 48 * i, 48) for i in range(4)],
        }

    def operator(self):
        return {name: self.text(112 + off, w) if name != "name" else bytes(self.b[112:144]).split(b"\0")[0]
                for name, off, w in OPERATOR_FIELDS}

    def operator_text(self, field):
        for name, off, w in OPERATOR_FIELDS:
            if name == field:
                return self.text(112 + off, w)
        raise KeyError(field)

    def mail(self):
        m = {name: self.text(376 + off, w) for name, off, w in MAIL_TEXT_FIELDS}
        m["secureType"] = self.u8(376 + 70)
        m["reserved71"] = self.u8(376 + 71)
        return m


def read_profile_bin(path):
    """The record of a PROFILE.BIN; bytes 0..19 (not in the file) are zero."""
    data = open(path, "rb").read()
    assert len(data) == BIN_SIZE, "PROFILE.BIN is %d bytes" % len(data)
    return Record(b"\0" * 20 + unscramble(data))


def read_backup(path):
    """(record, [four operator entries]) of a backup file."""
    data = open(path, "rb").read()
    assert len(data) >= RECORD_SIZE
    rec = Record(unscramble(data[:RECORD_SIZE]))
    tail = data[RECORD_SIZE:RECORD_SIZE + 4 * ENTRY_SIZE].ljust(4 * ENTRY_SIZE, b"\0")
    return rec, [tail[i * ENTRY_SIZE:(i + 1) * ENTRY_SIZE] for i in range(4)]


def encode_backup(record, entries):
    assert len(record.b) == RECORD_SIZE
    out = scramble(record.b)
    for e in entries:
        assert len(e) == ENTRY_SIZE
        out += bytes(e)
    return out


# The record after a fresh start: the defaults the tool is known to write.
def default_record(relay_mail_entry, default_operator_entry):
    b = bytearray(RECORD_SIZE)
    b[0:6] = b"V\0" + b".56J"
    struct.pack_into("<H", b, 16, 1)
    b[20:31] = bytes([0, 0, 1, 0, 2, 1, 1, 0, 1, 12, 29])
    for i in range(4):
        b[31 + 6 * i:37 + 6 * i] = bytes([0, 0, 0, 0, 0, 0xFF])
    b[55:60] = bytes([1, 0, 1, 1, 32])
    b[72:76] = bytes([0, 0, 10, 0])
    struct.pack_into("<H", b, 78, 1)
    b[81] = 15
    struct.pack_into("<I", b, 106, 5)
    b[112:376] = default_operator_entry
    b[376:632] = relay_mail_entry
    return Record(b)


def gbk_manual_entries():
    """The built-in custom operator entries and the manual-setting entry."""
    base = bytes([0xCA, 0xD6, 0x84, 0xD3, 0xD4, 0x4F, 0xB6, 0xA8])
    out = []
    for name in (base + b" 1", base + b" 2", base + b" 3", base):
        e = bytearray(ENTRY_SIZE)
        e[0:len(name)] = name
        put_text(e, 96, 16, "0.0.0.0")
        put_text(e, 112, 8, "0")
        out.append(bytes(e))
    return out
