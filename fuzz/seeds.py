#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target: real answer forms of the phones, the files the
program reads, and the inputs of faults mended before (so that a fault coming back is found at
once). Usage: seeds.py OUTPUT_FOLDER (one sub-folder per target, files named by content)."""

import hashlib
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SEP = b"\x1e"  # between the answers a played phone gives, one per command


def framed(*lines, final=b"OK"):
    """An answer as the phone frames it: each line CR LF, text, CR LF; then the final line."""
    out = b"".join(b"\r\n" + line + b"\r\n" for line in lines)
    return out + b"\r\n" + final + b"\r\n"


OK = framed()
ERROR = framed(final=b"ERROR")
CME = framed(final=b"+CME ERROR: 10")


def ucs2(text):
    return text.encode("utf-16-be").hex().upper().encode()


def tail(*values):
    """Bytes that FuzzedDataProvider's integral reads take from the end, in reading order:
    each value as (number, width in bytes)."""
    out = bytearray()
    for number, width in values:
        for i in range(width):
            out.append((number >> (8 * (width - 1 - i))) & 0xFF)
    return bytes(reversed(out))


CGMM = framed(b'+CGMM: "GSM900","GSM1800","GSM1900","MODEL=C350"')
CGMM_V300 = framed(b'+CGMM: "GSM900","GSM1800","GSM1900","MODEL=V300"')
CGMM_T720 = framed(b'+CGMM: "GSM900","GSM1800","MODEL=T720"')
NAME = ucs2("Иван")
ENTRY9 = b'+MPBR: 12,"+7911",145,004900760061006E,3,0,255,0,1'
ENTRY13 = b'+MPBR: 12,"+7911",145,' + NAME + b",3,0,255,0,1,2,4,255,0"
ENTRY16 = (b'+MPBR: 253,"069912158732",129,' + NAME +
           b',3,0,255,0,1,1,255,255,0,' + ucs2("pic.gif") + b',0,0,,,,,,,"",""')
ENTRY_MAIL = b'+MPBR: 14,"ivan@example.org",128,' + NAME + b",6,0,255,0,1,0,255,255,0"
RANGE = b"+MPBR: 1-500,32,24,10,0-21,48,(0-255),(0),(0-1),0"
EVENT = b'+MDBR: 5,' + ucs2("Встреча") + b',1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",2'
EVENT_PLAIN = b'+MDBR: 3,"Lunch",1,0,"12:00","12-26-2006",45,"00:00","00-00-2000",0'
MMGR_IN = (b'\r\n+MMGR: "REC UNREAD", "+79111234567", "2006/12/26,09:05:07"\r\n' +
           ucs2("Привет") + b"\r\n\r\nOK\r\n")
MMGR_OUT = b'\r\n+MMGR: "STO SENT", "+79111234567"\r\n' + ucs2("Hello") + b"\r\n\r\nOK\r\n"


def phonebook_read():
    def play(*answers):
        return SEP.join(answers)
    chunk13 = framed(ENTRY13, ENTRY13.replace(b"12,", b"13,", 1))
    c350 = [CGMM, OK, framed(b"+MPBR: 1-40,32,24,0"), OK, framed(b"+MPBR: 41-50,32,24"), OK,
            framed(b"+MPBR: 1-50,32,24,0"), OK, OK, framed(b"+MPGR: (1-2),16"),
            framed(b"+MPGR: 1," + ucs2("Семья") + b",0"), OK, chunk13, OK]
    yield play(*c350)
    no_sim = list(c350)
    no_sim[4] = ERROR
    yield play(*no_sim)
    yield play(CGMM_V300, OK, framed(RANGE), OK, CME, OK, framed(RANGE), OK, OK,
               framed(b"+MPGR: (1-1),16"), OK, framed(ENTRY16), OK)
    yield play(CGMM_T720, OK, framed(b"+MPBR: 1-30,32,24"), OK, framed(b"+MPBR: 31-40,32,24"),
               OK, framed(b"+MPBR: 1-40,32,24"), OK, OK, framed(ENTRY9, ENTRY_MAIL), OK)
    # Echo on: each command comes back before its answer.
    yield play(b"AT+CGMM\r" + CGMM, b"AT +CPBS=ME\r" + OK, b"AT+MPBR=?\r" + framed(RANGE))
    # Faults mended before: a category count of a hundred million, a range to the largest int
    # with no SIM, a slot count of a hundred million.
    huge_groups = list(c350)
    huge_groups[9] = framed(b"+MPGR: (1-100000000),16")
    yield play(*huge_groups)
    yield play(CGMM, OK, framed(b"+MPBR: 1-2147483647,32,24"), OK, ERROR, OK,
               framed(b"+MPBR: 1-2147483647,32,24"), OK, OK)
    yield play(CGMM, OK, framed(b"+MPBR: 1-40,32,24"), OK, ERROR, OK,
               framed(b"+MPBR: 1-100000000,32,24"), OK, OK)
    yield play(CGMM, OK, framed(b"+MPBR: -2147483648-0,32,24"), OK, ERROR)
    # A V3 (in no family) with 24-field lines, a range refused and read again in tens.
    cgmm_v3 = framed(b'+CGMM: "GSM900","GSM1800","GSM1900","GSM850","MODEL=V3"')
    yield play(cgmm_v3, OK, framed(b"+MPBR: 1-20,32,24"), OK, ERROR, OK,
               framed(b"+MPBR: 1-20,32,24"), OK, OK, ERROR, framed(ENTRY_V3), OK,
               framed(b"+MPGR: (1-1),16"), framed(b'+MPGR: 1,"General",255'))


def datebook_read():
    events = [framed(EVENT.replace(b"5,", b"%d," % slot, 1)) if slot % 2 else OK
              for slot in range(6)]
    head = [OK, OK]
    yield SEP.join(head + [framed(b"+MDBR: 5,3,64,8,2")] + events + [OK])
    yield SEP.join(head + [framed(b"+MDBR: 2,1,64,8,2")] +
                   [framed(b"+MDBRE: 0,1,1", EVENT.replace(b"5,", b"0,", 1)), OK, CME, OK])
    yield SEP.join(head + [framed(b"+MDBR: 1,1,64")] + [framed(EVENT_PLAIN), OK, OK])
    yield SEP.join([ERROR])
    yield SEP.join([OK, CME])
    yield SEP.join(head + [ERROR, OK])
    # Ranges no phone has: the largest int, a hundred million, a negative one.
    yield SEP.join(head + [framed(b"+MDBR: 2147483647,7,64,8,2"), OK])
    yield SEP.join(head + [framed(b"+MDBR: 100000000,7,64,8,2"), OK])
    yield SEP.join(head + [framed(b"+MDBR: -2,7,64,8,2"), OK])
    # A phone that counts its slots (slot 2 refused), and one without a lock: the lock, then
    # AT+MODE=2 with its banner, the lock again.
    yield SEP.join(head + [framed(b"+MDBR: 2,1,64,8,2,1,1,1,1,1"), framed(EVENT_EXTENDED), OK,
                           ERROR])
    yield SEP.join([OK, ERROR, OK + b"\r\n+MBAN: Copyright 2000-2004 Motorola, Inc.\r\n", ERROR,
                    framed(b"+MDBR: 1,1,64,8,2"), framed(EVENT_QUOTED), OK])


ANSWERS = [
    OK, ERROR, CME, framed(final=b"+CMS ERROR: 500"), CGMM, CGMM_V300,
    framed(b"+CGSN: IMEI351234567890123"), framed(b"+CIMI: 250991234567890"),
    framed(b'+CGMI: "Motorola CE, Copyright 2000"'), framed(b'+CGMR: "R374_G_0E.41.C3R_A"'),
    framed(b"+CBC: 0,80"), framed(b"+CSQ: 15,99"), framed(b"+CSQ: 99,99"),
    framed(b'+CCLK: "26/12/06,09:05:07+00"'), framed(b'+CCLK: "26/12/06,09:05:07"'),
    framed(b'+CCLK: "2026/1/6,9:05:07-08"'),
    framed(RANGE), framed(ENTRY9), framed(ENTRY13), framed(ENTRY16), framed(ENTRY_MAIL),
    framed(b"+MPGR: (1-15),16"), framed(b"+MPGR: 3," + ucs2("Друзья") + b",0"),
    framed(b"+MPGR: (1-100000000),16"), framed(b"+MPBR: 1-2147483647,32,24"),
    framed(b"+MDBR: 500,7,64,8,2"), framed(EVENT), framed(EVENT_PLAIN),
    framed(b"+MDBRE: 5,1,1", EVENT),
    framed(b"+CPMS: 3,50,3,50,3,50"), framed(b"+CPMS: 3,50"),
    framed(b'+MMGL: 4, "REC UNREAD", "+79111234567", "2006/12/26,09:05:07"',
           b'+MMGL: 7, "STO SENT", "+79111234567"'),
    MMGR_IN, MMGR_OUT,
    b'\r\n+MMGR: "REC READ", "+79111234567", "2009/8/18,19:11:45"\r\n' + ucs2("x") +
    b"\r\n\r\nOK\r\n",
    framed(b"+CMGW: 12"), framed(b"+CMSS: 34"),
    framed(b'+CPBS: ("ME","SM","MT","ON","DC","MC","RC","AD","QD")'),
    framed(b'+CSCS: ("IRA","GSM","UCS2")'),
]

# The forms of real phones (a V3, an L7 and kin): the standard serial number, message headers
# tight, with an alpha field and a field after the date, the ten-number datebook range, quoted
# and extended event lines, a 24-field entry with a quoted name, a quoted category.
EVENT_EXTENDED = (b'+MDBR: 2,' + ucs2("Отпуск") + b',0,1,"00:00","05-01-2027",,"00:00",'
                  b'"04-29-2027",5,"00:00","05-03-2027",0,0,"",0,255,0,0,0,1')
EVENT_QUOTED = b'+MDBR: 0,"Meeting, room 5",1,0,"17:00","02-24-2006",60,"00:00","00-00-2000",0'
ENTRY_V3 = (b'+MPBR: 18,"user@domain.net",128,"Contact, Name",6,0,255,0,0,1,255,255,0,"",0,0,'
            b'"","","","","","","",""')
REAL_FORMS = [
    framed(b"+CGSN: 351234567890123"),
    framed(b'+MMGL: 4,"REC UNREAD","+79111234567",,"2009/8/18,19:11:45",145'),
    b'\r\n+MMGR: "REC READ","+79111234567",,"2009/8/18,19:11:45",145\r\n' + ucs2("x") +
    b"\r\n\r\nOK\r\n",
    b'\r\n+MMGR: "REC READ", "+7911", "Mom, home", "2009/8/18,19:11:45"\r\n' + ucs2("x") +
    b"\r\n\r\nOK\r\n",
    b'\r\n+MMGR: "STO SENT","+7911",\r\n' + ucs2("x") + b"\r\n\r\nOK\r\n",
    framed(b"+MDBR: 500,1,64,8,2,1,1,1,1,1"), framed(EVENT_EXTENDED), framed(EVENT_QUOTED),
    framed(b'+MDBR: 1,"' + ucs2("A") + b'",0,0,"00:00","12-31-2026",1440,"00:00","00-00-2000",5'),
    framed(ENTRY_V3), framed(b'+MPGR: 1,"General",255'),
    framed(b"+MPBR: 10-18259,40,24,14,0-1,64,(255),(0),(0-1),(1-11),(255),25,(0-1,255),264"),
]
ANSWERS += REAL_FORMS


def at_command():
    def seed(phone, command, raise_errors=0, exchanges=1, plan=b""):
        return plan + phone + tail((command, 1), (raise_errors, 1), (exchanges - 1, 1),
                                   (len(plan), 1))
    yield seed(OK, 0)
    yield seed(b"AT\r" + OK, 0)
    yield seed(b"AT+CGMM\r" + CGMM, 1, plan=b"\x05\x03")
    yield seed(b'\r\n+CMTI: "IM",5\r\n' + b"AT+CGMM\r" + CGMM, 1)
    yield seed(framed(b"RING", b"+CLIP: \"+7911\",145", final=b"OK"), 3)
    yield seed(b"\r\nRING\r\n" * 80 + OK, 0)
    yield seed(framed(b"+CREG: 1,1", final=b"OK") + b"\r\n+CREG: 2\r\n", 2, exchanges=2)
    yield seed(b'\r\n+CMT: "+7911",,"06/12/26,09:05:07+00"\r\nRING\r\n' + OK, 0)
    yield seed(MMGR_IN, 4, plan=b"\x01\x82\x07")
    yield seed(b'\r\n+MMGR: "REC READ", "+7911", "2006/12/26,09:05:07"\r\nRING\r\n\r\nOK\r\n', 4)
    yield seed(CME + SEP + OK, 0, 1, 2)
    yield seed(b"\r\n+MBAN: Copyright 2000-2004 Motorola, Inc.\r\n" + OK, 15)
    yield seed(b"\r\r\n+CSQ: 15,99\n\r\n\rOK\r\n", 0, plan=b"\x02")
    yield seed(b"\r\n+CCLK: \"26/12/06,09:05:07+00\"\r\n", 6, 1, 3)
    for answer in ANSWERS[:12]:
        yield seed(answer, 0, 0, 1)


def lines_of_answers():
    for answer in ANSWERS:
        yield answer
        yield answer.strip(b"\r\n")


def unsolicited():
    for command, phone in [(b"AT+CREG?", framed(b"+CREG: 0,1", b"RING")),
                           (b"AT+CLIP=1", framed(b'+CLIP: "+7911",145', b"+CMTI: \"IM\",5")),
                           (b"AT+CGREG?", framed(b"+CGREG: 0,1", b"+CREG: 1")),
                           (b"AT", b"\r\n+CMT: \"+7911\",,\"06/12/26\"\r\n0041\r\n" + OK),
                           (b"AT+CMER=3,0,0,1", framed(b"+CIEV: 1,5", b"+MBAN: x")),
                           (b"at+cnmi=2,1", framed(b"+CDS: 6", b"+CBM: 1", b"+CCWA: 1"))]:
        yield command + b"\r" + phone


def phonebook_file():
    ranges = tail((1, 1), (1, 2), (1000, 2), (1001, 2), (1250, 2))
    ranges_t720 = tail((1, 1), (1, 2), (500, 2), (501, 2), (600, 2))
    line_phone = "PHONE;12;Иван;+7911;3;0;255;0;1;2;4;255;0\r\n"
    line_sim = "SIM;3;Мама;89111234567\r\n"
    text = "CATEGORY;1;Семья\r\n" + line_phone + line_sim
    yield text.encode("cp1251") + ranges
    yield text.encode("utf-8") + ranges
    yield b"\xEF\xBB\xBF" + text.encode("utf-8") + ranges
    yield ("PHONE;1;a;ivan@example.org;6;0;255;0;1;0;255;255;0\nSIM;1;b;+7;8\n"
           .encode("cp1251")) + ranges_t720
    yield "PHONE;2;Имя с ☎;+7911;3;0;255;0;1;2;4;255;0\r\n".encode("utf-8") + ranges
    # Slot numbers no phone has, once read through to overflowing slot arithmetic.
    yield b"PHONE;-2147483648;x;1;3;0;255;0;1;2;4;255;0\r\n" + ranges
    yield b"SIM;2147483647;x;1\r\n" + ranges
    yield b"PHONE;12;a;1;3;0;255;0;1;2;4;255\r\nSIM;x;b;2\r\n" + ranges


def vcard():
    old_phone = (b"BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=WINDOWS-1251;ENCODING=QUOTED-PRINTABLE:"
                 b"=CF=E5=F2=F0=EE=E2;=C8=E2=E0=ED;;;\r\nTEL;CELL:+79110000001\r\n"
                 b"TEL;WORK;VOICE:8123334455\r\nEND:VCARD\r\n")
    smartphone = (b"\xEF\xBB\xBFBEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=UTF-8;ENCODING=QUOTED-"
                  b"PRINTABLE:=D0=90=D0=BD=D0=BD=D0=B0 =D0=A1=\n=D0=B8\nitem1.TEL;HOME:+7 812\n"
                  b"PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\n /2wBDAAgG\n\n"
                  b"EMAIL;PREF;INTERNET:a@example.org\nEND:VCARD\n")
    rfc = ("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane Q. Public\\, PhD\r\nN:Public;Jane;Q.;Dr.;PhD"
           "\r\nTEL;TYPE=work,voice,pref:+1-213-555-1234\r\nCATEGORIES:Work,VIPs\r\n"
           "TEL;TYPE=cell;X-ORLIN-SLOT=9;X-ORLIN-STORAGE=SM;X-ORLIN-TYPE=8;X-ORLIN-FORM\r\n"
           " AT=145;X-ORLIN-IDS=7;X-ORLIN-CATEGORY=2;X-ORLIN-ICON=3;X-ORLIN-PICTURE=кі%3B\r\n"
           " ;X-ORLIN-AUX=3-0-1-255-0-0-9:+380441234567\r\nEND:VCARD\r\n").encode("utf-8")
    v4 = (b"BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Jo\r\nTEL;VALUE=uri;TYPE=\"voice,home\";PREF=1:"
          b"tel:+1-555;ext=5\r\nAGENT:BEGIN:VCARD\r\nTEL:1\r\nEND:VCARD\r\nEND:VCARD\r\n")
    # Found by fuzzing: a number whose fold fell after "=" in a card whose picture parameter
    # held the letters QUOTED-PRINTABLE read back with a blank in it.
    fold = (b"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:q\r\nTEL;X-ORLIN-SLOT=8;X-ORLIN-PICTURE=E%22="
            b"QUOTED-PRINTABLE:" + b"=D0" * 30 + b"\r\nEND:VCARD\r\n")
    # Found by fuzzing: a text number starting "tel:" lost its start without VALUE=uri.
    uri_like = b"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:\r\nTEL;TYPE=CELL:TEL:0\r\nEND:VCARD\r\n"
    for text in (old_phone, smartphone, rfc, v4, fold, uri_like):
        for family in range(4):
            yield text + bytes([family])


def phonebook_entry():
    for line in [ENTRY9, ENTRY13, ENTRY16, ENTRY_MAIL, RANGE, b"+MPBR: 1-1000,32,24,0",
                 b'+MPBR: 12,"+7,911",145,0041,3,0,255,0,1', b"+MPBR: 1-2147483647,32,24",
                 framed(RANGE), CME, framed(b"+MPBR: 12"), b'+MPBR: 12,"+7911"x,145',
                 ENTRY_V3, b'+MPBR: 18,"+7911",129,"Contact Name",6,0,255,0,0']:
        yield line


def port_settings():
    yield ("[PORT CONFIG]\r\nPort=/dev/pts/3; - имя порта\r\nBaudRate=115200; - скорость порта"
           "\r\nTimeOut=1000; - задержка\r\n").encode("cp1251")
    yield b"[PORT CONFIG]\nPort=COM1\nBaudRate=9600\nTimeOut=-5\n"
    yield b"[PORT CONFIG]\rPort= COM3 ;x\rBaudRate=$2580\rTimeOut=0x10"
    yield b"[PORT CONFIG]\r\nPort=\r\nBaudRate=x\r\n"


def elf(sections, big_endian=False, bits=64):
    """A minimal ELF file (32 or 64 bit): a header and a section table with a name table."""
    e = ">" if big_endian else "<"
    wide = bits == 64
    entry = e + ("IIQQQQIIQQ" if wide else "IIIIIIIIII")
    head_size, entry_size = (64, 64) if wide else (52, 40)
    names = b"\0" + b"".join(name + b"\0" for name, _ in sections) + b".shstrtab\0"
    body = b""
    offsets = []
    for _, data in sections:
        offsets.append(head_size + len(body))
        body += data
    names_offset = head_size + len(body)
    body += names
    shoff = head_size + len(body)
    table = b"\0" * entry_size
    name_at = 1
    for (name, data), offset in zip(sections, offsets):
        table += struct.pack(entry, name_at, 1, 0, 0, offset, len(data), 0, 0, 1, 0)
        name_at += len(name) + 1
    table += struct.pack(entry, name_at, 3, 0, 0, names_offset, len(names), 0, 0, 1, 0)
    count = len(sections) + 2
    header = b"\x7fELF" + bytes([2 if wide else 1, 2 if big_endian else 1, 1]) + b"\0" * 9
    header += struct.pack(e + ("HHIQQQIHHHHHH" if wide else "HHIIIIIHHHHHH"), 2,
                          62 if wide else 3, 1, 0, 0, shoff, 0, head_size, 0, 0, entry_size,
                          count, count - 1)
    return header + body + table


def version_info():
    record = b"\0".join([b"ORLINVERSION1", b"\\VarFileInfo\\Translation", b"041904E3",
                         b"\\StringFileInfo\\041904E3\\ProductName", b"Orlin",
                         b"\\StringFileInfo\\041904E3\\FileVersion", b"0.1.0.0",
                         b"\\StringFileInfo\\041904E3\\Comments", "Для телефонов".encode(),
                         b"", b""])
    yield elf([(b".text", b"\x90" * 16), (b".orlin_version", record)])
    yield elf([(b".orlin_version", record)], big_endian=True)
    yield elf([(b".orlin_version", record)], bits=32)
    yield elf([(b".data", b"x")])
    with open(os.path.join(ROOT, "tests/resources/data/version-record-hang.elf"), "rb") as f:
        yield f.read()


def message_archive():
    yield "+79111234567;2006/12/26,09:05:07;Привет; как дела\r\n".encode("cp1251") * 2
    yield b"+7911;2009/8/18,19:11:45;one\r\n+7912;x;two\rthree\nno separators\r\n;;\r\nlast"
    yield b"\r\n\r\n;\r"


def ical_import():
    def cal(*events):
        body = "".join("BEGIN:VEVENT\r\n" + e + "END:VEVENT\r\n" for e in events)
        return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n" + body +
                "END:VCALENDAR\r\n").encode()
    yield b"\x00" + cal("SUMMARY:Встреча\r\nDTSTART:20040124T093000\r\nDURATION:PT60M\r\n"
                        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\n"
                        "RRULE:FREQ=MONTHLY;BYDAY=4SA\r\n")
    yield b"\x10" + cal("SUMMARY:A very long title that the phone cuts\r\n"
                        "DTSTART;TZID=Europe/Moscow:20261207T093000\r\n"
                        "DTEND;TZID=Europe/Moscow:20261208T103000\r\n"
                        "RRULE:FREQ=WEEKLY;INTERVAL=2;COUNT=5\r\nEXDATE:20261214T093000\r\n",
                        "SUMMARY:All day\r\nDTSTART;VALUE=DATE:20261225\r\nRRULE:FREQ=YEARLY\r\n",
                        "SUMMARY:UTC\r\nDTSTART:20261207T063000Z\r\nDURATION:P2D\r\n"
                        "RRULE:FREQ=MONTHLY;BYMONTHDAY=-1\r\n"
                        "BEGIN:VALARM\r\nTRIGGER;VALUE=DATE-TIME:20261201T000000Z\r\n"
                        "END:VALARM\r\n",
                        "SUMMARY:no start\r\n")
    yield b"\x00" + cal("SUMMARY:ours\r\nDTSTART:20270131T093000\r\nRRULE:FREQ=MONTHLY\r\n"
                        "X-ORLIN-SLOT:450\r\nX-ORLIN-EXCEPTION:2\r\nEXDATE:20270331T093000\r\n",
                        "SUMMARY:no such day\r\nDTSTART:20270230T250000\r\nDURATION:P99999999W\r\n")
    yield b"\x00" + b"not a calendar"


def tone():
    """The sample tones, a MIDI file in a RIFF wrapper, and iMelody texts that use every part
    of the melody syntax."""
    samples = os.path.join(ROOT, "theme", "samples")
    with open(os.path.join(samples, "ring.mid"), "rb") as f:
        midi = f.read()
    with open(os.path.join(samples, "ring.imy"), "rb") as f:
        imy = f.read()
    riff = b"RIFF" + struct.pack("<I", len(midi) + 12) + b"RMIDdata" + struct.pack("<I", len(midi))
    melody = (b"BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nBEAT:900\r\nSTYLE:S2\r\n"
              b"VOLUME:V15\r\nMELODY:*8c0.#d1:&e5;(r3*0f4@0V-)ledon vibeoff backon V+V-V0\r\n"
              b"(c5@9)(d5@9)\r\nEND:IMELODY\r\n")
    # 40,000 nested repeat blocks once overflowed the stack.
    nested = (b"BEGIN:IMELODY\r\nVERSION:1.2\r\nFORMAT:CLASS1.0\r\nMELODY:" + b"(" * 40000 +
              b"c2\r\nEND:IMELODY\r\n")
    return [midi, imy, riff + midi, melody, b"BEGIN:IMELODY\nBEAT:25\nMELODY:(c0@900)\nEND:IMELODY",
            nested]


def datebook_answers():
    day = tail((5, 2), (2004 - 1900, 1), (1, 1), (24, 1))
    for answer in [framed(EVENT), framed(EVENT_PLAIN), framed(b"+MDBRE: 5,1,1", EVENT),
                   framed(EVENT.replace(b",2", b",9")), OK, CME,
                   framed(b'+MDBR: 5,0041,1,7,"24:00","02-30-2004",99999999999,"x","",'),
                   framed(EVENT_EXTENDED), framed(EVENT_QUOTED),
                   framed(EVENT_EXTENDED.replace(b'"05-03-2027"', b'"05-03-1999"')),
                   # Found by fuzzing: control bytes in the fields after an extended line's
                   # end, which no command line may take back.
                   framed(EVENT_EXTENDED.replace(b",255,", b",\x0b\x00,")),
                   # Found by fuzzing: a quoted title and a repeat code spelled as its text.
                   framed(b'+MDBR: 5,"x",1,1,"09:30","01-24-2004",60,"09:15","01-24-2004",' +
                          "ежемесячно (дата)".encode("cp1251"))]:
        yield answer + day


TARGETS = {
    "phone_text": lambda: [ucs2("Привет, мир"), "Ёлка №1\t\r\n€".encode("cp1251"),
                           b"0041004200430", b"04100411FFFF", b"00zz", bytes(range(256)),
                           b"Meeting", b"CAFE", b"0001"],
    "response_fields": lines_of_answers,
    "unsolicited": unsolicited,
    "at_command": at_command,
    "port_settings": port_settings,
    "phonebook_entry": phonebook_entry,
    "phonebook_file": phonebook_file,
    "vcard": vcard,
    "phonebook_read": phonebook_read,
    "status_answers": lambda: ANSWERS[:16],
    "datebook_answers": datebook_answers,
    "datebook_read": datebook_read,
    "ical_import": ical_import,
    "message_answers": lambda: ANSWERS[29:] + [CME, framed(b"+CGSN: IMEI35123456789012x")],
    "message_archive": message_archive,
    "archive_line": lambda: ["+7911;2006/12/26,09:05:07;Привет; как дела".encode("cp1251"),
                             "Müller Łukasz Żółć Ελένη עברית 中文 😀".encode(),
                             "ЖЁЛТЫЙ «Т»".encode("cp1251"), "Т»".encode("cp1251"),
                             b"\xc3\x28", b"\xed\xa0\x80", b"plain"],
    "version_info": version_info,
    "tone": tone,
    "sync_files": lambda: list(vcard()) + [
        b"orlin-sync 1\nphone 0123456789abcdef\nu1\th1\tu1.vcf\tf1\n",
        b"orlin-0123456789abcdef-SM1001@phonebook"],
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for target, seeds in TARGETS.items():
        folder = os.path.join(sys.argv[1], target)
        os.makedirs(folder, exist_ok=True)
        for seed in seeds():
            name = hashlib.sha1(seed).hexdigest()
            with open(os.path.join(folder, name), "wb") as f:
                f.write(seed)


if __name__ == "__main__":
    main()
