#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the golden RTF files of tests/rtf and what reading them must give:
#   NAME.rtf      the input, byte for byte (code-page text made with Python's codecs)
#   NAME.txt      the exact plain text (UTF-8; every "\n" stands for the "\r\n" expected)
#   NAME.runs     optional: the formatting runs, one "R family|points|flags|fg|bg|text" line each
#   NAME.outline  optional: paragraphs, lists, tables and pictures, as tst_rtf_golden prints them
#   NAME.warn     optional: text the reader's warnings must contain (without it: no warnings)
# Run it from anywhere; it rewrites the files beside itself. The lo_* files are not made here:
# lo_report.rtf is what LibreOffice writes for lo_report.html
# (soffice --headless --convert-to "rtf:Rich Text Format" lo_report.html), kept with its
# expected .txt, .runs and .outline as a sample of a real writer's output.
import binascii
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
CASES = []


def case(name, rtf, text, runs=None, outline=None, warn=None):
    CASES.append((name, rtf, text, runs, outline, warn))


def esc(s, codec):
    """Text as RichEdit writes it: ASCII literal, everything else as \\'hh bytes."""
    out = []
    for ch in s:
        if ch in '\\{}':
            out.append('\\' + ch)
        elif ord(ch) < 0x80:
            out.append(ch)
        else:
            out.extend("\\'%02x" % b for b in ch.encode(codec))
    return ''.join(out)


def gbk(s):
    return esc(s, 'gbk')


RICHEDIT_HEAD = ("{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052"
                 "{\\fonttbl{\\f0\\fnil\\fcharset134 " + gbk('宋体') + ";}{\\f1\\fnil\\fcharset0 Arial;}"
                 "{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                 "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
                 "\\viewkind4\\uc1")
TAIL = "}\r\n\0"

# --- RichEdit-style Chinese in GBK escapes -------------------------------------------------
case('richedit_gbk',
     RICHEDIT_HEAD + "\\pard\\lang2052\\f0\\fs24 " + gbk('肝脏大小正常，包膜光滑。') + "\\par\r\n"
     "\\cf1\\b " + gbk('胆囊') + "\\cf0\\b0 " + gbk('未见异常') + "\\f1\\fs20 ABC 12.5mm\\f0\\fs24\\par\r\n" + TAIL,
     '肝脏大小正常，包膜光滑。\n胆囊未见异常ABC 12.5mm',
     runs=['宋体|12|-|-|-|肝脏大小正常，包膜光滑。',
           '宋体|12|B|#ff0000|-|胆囊',
           '宋体|12|-|-|-|未见异常',
           'Arial|10|-|-|-|ABC 12.5mm'])

# The font's \fcharset decides, not \ansicpg: GBK bytes in a charset-134 font of a 1252 file.
case('fcharset_over_ansicpg',
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
     "\\pard\\f0\\fs24 " + gbk('超声所见') + "\\f1  caf\\'e9\\par\r\n}",
     '超声所见 café')

# A double-byte character whose trail byte is a literal letter after the escape.
case('gbk_literal_trail',
     "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 " + gbk('宋体') + ";}}"
     "\\f0 x\\'81A\\'81By\\par}",
     'x丄丅y')

# Eight-bit RTF: GBK bytes written literally, as some generators do.
case('gbk_literal_bytes',
     ("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 ").encode() +
     '胰腺形态正常'.encode('gbk') + b"\\par}",
     '胰腺形态正常')

# --- Big5 and Shift-JIS ------------------------------------------------------------------------
case('big5',
     "{\\rtf1\\ansi\\ansicpg950\\deff0{\\fonttbl{\\f0\\fnil\\fcharset136 " + esc('新細明體', 'big5') + ";}}\r\n"
     "\\pard\\f0\\fs24 " + esc('超音波檢查：許可', 'big5') + "\\par\r\n}\r\n\0",
     '超音波檢查：許可',
     runs=['新細明體|12|-|-|-|超音波檢查：許可'])

# Shift-JIS trail bytes may be '\\' (escaped as \\\\) or a literal letter.
case('shiftjis',
     "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 " + esc('ＭＳ 明朝', 'cp932') + ";}}\r\n"
     "\\pard\\f0\\fs21 \\'83\\\\\\'83t\\'83g\\'95\\\\\\'8e\\'a6\\par\r\n}",
     'ソフト表示',
     runs=['ＭＳ 明朝|10.5|-|-|-|ソフト表示'])

# --- \uN ------------------------------------------------------------------------------------------
case('unicode_uc',
     "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 "
     "\\uc1\\u%d?\\u%d?" % (ord('腹'), ord('膀') - 65536) +  # above U+7FFF either way
     "\\uc2\\u23435\\'cb\\'ce\\u20307\\'cc\\'e5"  # fallback of two escapes skipped
     "\\uc0\\u21333 \\u20301 "              # no fallback at all
     "{\\uc1\\u8364\\'80}\\u8364\\'80"  # \\uc is group state: outside it is \\uc0 again
     "\\uc1\\u-10179?\\u-8704?"           # a surrogate pair
     "\\par}",
     '腹膀宋体单位€€€😀')

# --- bullets and numbering, shown once ----------------------------------------------------------
case('bullets_old',
     RICHEDIT_HEAD +
     "\\pard{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}\\fi-360\\li720\\f0\\fs24 item one\\par\r\n"
     "{\\pntext\\f2\\'b7\\tab}item two\\par\r\n"
     "\\pard text\\par\r\n"
     "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec{\\pntxta.}}\\fi-360\\li720 first\\par\r\n"
     "{\\pntext\\f0 2.\\tab}second\\par\r\n" + TAIL,
     'item one\nitem two\ntext\nfirst\nsecond',
     outline=['P list=disc/1/0 left=8: item one',
              'P list=disc/1/1 left=8: item two',
              'P: text',
              'P list=decimal/1/0 left=8: first',
              'P list=decimal/1/1 left=8: second'])

case('bullets_listtable',
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f3\\fbidi\\fnil\\fcharset2 Symbol;}}\r\n"
     "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc23\\levelstartat1{\\leveltext\\'01\\u-3913 ?;}{\\levelnumbers;}\\f3\\fi-360\\li720}"
     "{\\listlevel\\levelnfc4{\\leveltext\\'02\\'01.;}{\\levelnumbers\\'01;}\\fi-360\\li1440}{\\listname ;}\\listid100}"
     "{\\list\\listtemplateid2{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li720}\\listid200}}\r\n"
     "{\\*\\listoverridetable{\\listoverride\\listid100\\listoverridecount0\\ls1}{\\listoverride\\listid200\\listoverridecount0\\ls2}}\r\n"
     "\\pard\\ls1\\ilvl0\\fi-360\\li720{\\listtext\\f3\\'b7\\tab}apple\\par\r\n"
     "{\\listtext\\f3\\'b7\\tab}pear\\par\r\n"
     "\\pard\\ls1\\ilvl1\\fi-360\\li1440{\\listtext a.\\tab}sub\\par\r\n"
     "\\pard plain\\par\r\n"
     "\\pard\\ls2\\fi-360\\li720{\\listtext 1.\\tab}step one\\par\r\n"
     "{\\listtext 2.\\tab}step two\\par\r\n}",
     'apple\npear\nsub\nplain\nstep one\nstep two',
     outline=['P list=disc/1/0 left=8: apple',
              'P list=disc/1/1 left=8: pear',
              'P list=lower-alpha/2/0 left=16: sub',
              'P: plain',
              'P list=decimal/1/0 left=8: step one',
              'P list=decimal/1/1 left=8: step two'])

# Numbering that starts at 7 with ")" after the number, in RichEdit's \pn form.
case('list_pn_start_suffix',
     RICHEDIT_HEAD +
     "\\pard{\\pntext\\f0 7)\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart7\\pndec{\\pntxta )}}\\fi-360\\li720\\f0\\fs24 seven\\par\r\n"
     "{\\pntext\\f0 8)\\tab}eight\\par\r\n"
     "\\pard{\\pntext\\f0 (c)\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart3\\pnlcltr{\\pntxtb (}{\\pntxta )}}\\fi-360\\li720 letter\\par\r\n" + TAIL,
     'seven\neight\nletter',
     outline=['P list=decimal/1/0 marker=7) left=8: seven',
              'P list=decimal/1/1 marker=8) left=8: eight',
              'P list=lower-alpha/1/0 marker=(c) left=8: letter'])

# Three levels of one list-table list, each with its own start, prefix and suffix.
case('list_levels_start_suffix',
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
     "{\\*\\listtable{\\list\\listtemplateid1"
     "{\\listlevel\\levelnfc0\\levelstartat7{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}\\fi-360\\li720}"
     "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'03(\\'01);}{\\levelnumbers\\'02;}\\fi-360\\li1440}"
     "{\\listlevel\\levelnfc2\\levelstartat3{\\leveltext\\'02\\'02.;}{\\levelnumbers\\'01;}\\fi-360\\li2160}"
     "\\listid7}}\r\n"
     "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}}\r\n"
     "\\pard\\ls1\\ilvl0\\fi-360\\li720\\f0{\\listtext 7)\\tab}seven\\par\r\n"
     "\\pard\\ls1\\ilvl1\\fi-360\\li1440{\\listtext (a)\\tab}alpha\\par\r\n"
     "\\pard\\ls1\\ilvl2\\fi-360\\li2160{\\listtext iii.\\tab}three\\par\r\n"
     "{\\listtext iv.\\tab}four\\par\r\n"
     "\\pard\\ls1\\ilvl0\\fi-360\\li720{\\listtext 8)\\tab}eight\\par\r\n}",
     'seven\nalpha\nthree\nfour\neight',
     outline=['P list=decimal/1/0 marker=7) left=8: seven',
              'P list=lower-alpha/2/0 marker=(a) left=16: alpha',
              'P list=lower-roman/3/0 marker=iii. left=24: three',
              'P list=lower-roman/3/1 marker=iv. left=24: four',
              'P list=decimal/1/1 marker=8) left=8: eight'])

# Without \pn the \pntext is the only marker there is: it is shown.
case('pntext_without_pn',
     "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 {\\pntext -\\tab}dash item\\par}",
     '-\tdash item')

# --- tables ---------------------------------------------------------------------------------------
BORDERS = ("\\clbrdrl\\brdrw10\\brdrs\\clbrdrt\\brdrw10\\brdrs\\clbrdrr\\brdrw10\\brdrs\\clbrdrb\\brdrw10\\brdrs")
ROW = ("\\trowd\\trgaph108\\trleft-108\\trbrdrl\\brdrs\\brdrw10 \\trbrdrt\\brdrs\\brdrw10 "
       + BORDERS + "\\cellx1900" + BORDERS + "\\cellx3900 ")
case('table_simple',
     RICHEDIT_HEAD + "\\pard\\f0\\fs24 before\\par\r\n"
     + ROW + "\\pard\\intbl A1\\cell B1\\cell\\row\r\n"
     + ROW + "\\pard\\intbl A2\\cell " + gbk('乙二') + "\\cell\\row\r\n"
     "\\pard after\\par\r\n" + TAIL,
     'before\nA1\tB1\nA2\t乙二\nafter',
     outline=['P: before', 'T 2x2 border',
              'C 0,0', '  P: A1', 'C 0,1', '  P: B1', 'C 1,0', '  P: A2', 'C 1,1', '  P: 乙二',
              '/T', 'P: after'])

case('table_merged',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\r\n"
     "\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\clmrg\\cellx3000\\pard\\intbl Head\\cell\\cell\\cell\\row\r\n"
     "\\trowd\\clvmgf\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl a\\cell b\\cell c\\cell\\row\r\n"
     "\\trowd\\clvmrg\\cellx1000\\cellx2000\\cellx3000\\pard\\intbl\\cell e\\cell f\\cell\\row\r\n"
     "}",
     'Head\na\tb\tc\ne\tf',
     outline=['P: ', 'T 3x3',
              'C 0,0 span=1x3', '  P: Head',
              'C 1,0 span=2x1', '  P: a', 'C 1,1', '  P: b', 'C 1,2', '  P: c',
              'C 2,1', '  P: e', 'C 2,2', '  P: f',
              '/T', 'P: '])

case('table_nested',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\r\n"
     "\\trowd\\cellx4000\\cellx8000\r\n"
     "\\pard\\intbl outer1\\par\r\n"
     "\\pard\\intbl\\itap2 in1\\nestcell in2\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}{\\nonesttables\\par}\r\n"
     "\\pard\\intbl\\itap2 in3\\nestcell in4\\nestcell{\\*\\nesttableprops\\trowd\\cellx1000\\cellx2000\\nestrow}{\\nonesttables\\par}\r\n"
     "\\pard\\intbl\\itap1\\cell outer2\\cell\\row\r\n"
     "\\pard after\\par}",
     'outer1\nin1\tin2\nin3\tin4\touter2\nafter',
     outline=['P: ', 'T 1x2',
              'C 0,0', '  P: outer1', '  T 2x2',
              '  C 0,0', '    P: in1', '  C 0,1', '    P: in2', '  C 1,0', '    P: in3', '  C 1,1', '    P: in4',
              '  /T', '  P: ',
              'C 0,1', '  P: outer2',
              '/T', 'P: after'])


# Merged cells as Word writes them: one wider cell, in a table whose columns come from the
# row with the most cells; the wide cell spans the columns it covers, first or last.
case('table_merged_widths',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\r\n"
     "\\trowd\\trgaph108\\cellx5103\\pard\\intbl Title\\cell\\row\r\n"
     "\\trowd\\trgaph108\\cellx1701\\cellx3402\\cellx5103\\pard\\intbl a\\cell b\\cell c\\cell\\row\r\n"
     "\\trowd\\trgaph108\\cellx3402\\cellx5103\\pard\\intbl wide d\\cell e\\cell\\row\r\n"
     "\\trowd\\trgaph108\\cellx1700\\cellx5103\\pard\\intbl f\\cell wide g\\cell\\row\r\n"
     "\\pard after\\par}",
     'Title\na\tb\tc\nwide d\te\nf\twide g\nafter',
     outline=['P: ', 'T 4x3',
              'C 0,0 span=1x3', '  P: Title',
              'C 1,0', '  P: a', 'C 1,1', '  P: b', 'C 1,2', '  P: c',
              'C 2,0 span=1x2', '  P: wide d', 'C 2,2', '  P: e',
              'C 3,0', '  P: f', 'C 3,1 span=1x2', '  P: wide g',
              '/T', 'P: after'])

# A first row whose first cell is the wide one, then finer rows: the span is the first cell's,
# and its shading goes with it.
case('table_wide_first_cell',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green255\\blue0;}\\f0\r\n"
     "\\trowd\\trgaph108\\clcbpat1\\cellx3402\\cellx5103\\pard\\intbl\\qc wide a\\par second\\cell b\\cell\\row\r\n"
     "\\trowd\\trgaph108\\cellx1701\\cellx3402\\cellx5103\\pard\\intbl c\\cell d\\cell e\\cell\\row\r\n"
     "\\trowd\\trgaph108\\cellx1701\\cellx3402\\cellx5103\\pard\\intbl f\\cell g\\cell h\\cell\\row\r\n"
     "\\pard after\\par}",
     'wide a\nsecond\tb\nc\td\te\nf\tg\th\nafter',
     outline=['P: ', 'T 3x3',
              'C 0,0 span=1x2 bg=#ffff00', '  P align=center: wide a', '  P align=center: second', 'C 0,2', '  P align=center: b',
              'C 1,0', '  P: c', 'C 1,1', '  P: d', 'C 1,2', '  P: e',
              'C 2,0', '  P: f', 'C 2,1', '  P: g', 'C 2,2', '  P: h',
              '/T', 'P: after'])

# A wider row after cells that span rows: the new columns go to the right of them.
case('table_widened_after_row_span',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\r\n"
     "\\trowd\\clvmgf\\cellx1000\\clvmgf\\cellx2000\\pard\\intbl a\\cell b\\cell\\row\r\n"
     "\\trowd\\clvmrg\\cellx1000\\clvmrg\\cellx2000\\pard\\intbl\\cell\\cell\\row\r\n"
     "\\trowd\\cellx1000\\cellx2000\\cellx3000\\cellx4000\\pard\\intbl w\\cell x\\cell y\\cell z\\cell\\row\r\n}",
     'a\tb\t\t\n\t\nw\tx\ty\tz',
     outline=['P: ', 'T 3x4',
              'C 0,0 span=2x1', '  P: a', 'C 0,1 span=2x1', '  P: b', 'C 0,2', '  P: ', 'C 0,3', '  P: ',
              'C 1,2', '  P: ', 'C 1,3', '  P: ',
              'C 2,0', '  P: w', 'C 2,1', '  P: x', 'C 2,2', '  P: y', 'C 2,3', '  P: z',
              '/T', 'P: '])

# Borders of one side only, in colours, and shading: a red top line, a dotted blue left one,
# a double green bottom one; a yellow cell and one of 25 % black over automatic white.
case('table_borders_shading',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}"
     "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green128\\blue0;\\red255\\green255\\blue0;}\\f0\r\n"
     "\\trowd\\trgaph108\\clbrdrt\\brdrs\\brdrw30\\brdrcf1\\cellx2000"
     "\\clbrdrl\\brdrdot\\brdrw15\\brdrcf2\\clcbpat4\\cellx4000"
     "\\clbrdrb\\brdrdb\\brdrw15\\brdrcf3\\clshdng2500\\cellx6000\r\n"
     "\\pard\\intbl red top\\cell blue left\\cell green bottom\\cell\\row\r\n"
     "\\pard after\\par}",
     'red top\tblue left\tgreen bottom\nafter',
     outline=['P: ', 'T 1x3',
              'C 0,0 top=2 solid #ff0000 bottom=0 none - left=0 none - right=0 none -', '  P: red top',
              'C 0,1 top=0 none - bottom=0 none - left=1 dotted #0000ff right=0 none - bg=#ffff00', '  P: blue left',
              'C 0,2 top=0 none - bottom=3 double #008000 left=0 none - right=0 none - bg=#bfbfbf', '  P: green bottom',
              '/T', 'P: after'])

# --- pictures -------------------------------------------------------------------------------------
def png(w, h, rgb):
    raw = b''.join(b'\0' + bytes(rgb) * w for _ in range(h))

    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


PNG = png(2, 2, (255, 0, 0))
PNG_HEX = binascii.hexlify(PNG).decode()
HEX_LINES = '\r\n'.join(PNG_HEX[i:i + 64] for i in range(0, len(PNG_HEX), 64))
WMF_HEX = '010009000003' + '00' * 40

case('picture_png',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 before"
     "{\\pict\\pngblip\\picw2\\pich2\\picwgoal600\\pichgoal300\r\n" + HEX_LINES + "}after\\par}",
     'beforeafter',
     outline=['P: before[img 40x20]after'])

# Pictures Qt cannot read keep their bytes and size: a metafile is shown as a labelled box
# of its goal size, a device-independent bitmap is drawn.
case('picture_wmf',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 x{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720 "
     + WMF_HEX + "}y{\\pict\\wmetafile8\\picw100\\pich100 " + WMF_HEX + "}z\\par}",
     'xyz',
     outline=['P: x[img 96x48]y[img 3.77953x3.77953]z'])

# 2 x 2 pixels, 24 bits: blue, green over white, red (rows bottom-up, BGR, padded to four bytes).
DIB = (struct.pack('<IiiHHIIiiII', 40, 2, 2, 1, 24, 0, 16, 2835, 2835, 0, 0)
       + bytes([255, 255, 255, 0, 0, 255, 0, 0]) + bytes([255, 0, 0, 0, 255, 0, 0, 0]))
case('picture_dib',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a{\\pict\\dibitmap0\\picw2\\pich2\\picwgoal600\\pichgoal450 "
     + binascii.hexlify(DIB).decode() + "}b\\par}",
     'ab',
     outline=['P: a[img 40x30]b'])

# Word writes the picture twice: as PNG in \shppict and as a metafile in \nonshppict.
case('picture_shppict_once',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a{\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}}"
     "\\pngblip\\picw2\\pich2 " + PNG_HEX + "}}{\\nonshppict{\\pict\\wmetafile8 " + WMF_HEX + "}}b\\par}",
     'ab',
     outline=['P: a[img 0x0]b'])

# A floating picture as a shape: its picture property is shown, not the shape's result.
case('picture_shape',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a{\\shp{\\*\\shpinst\\shpleft0\\shptop0{\\sp{\\sn shapeType}{\\sv 75}}"
     "{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw2\\pich2\\picwgoal600\\pichgoal600 " + PNG_HEX + "}}}}"
     "{\\shprslt{\\*\\do\\dobxcolumn}{\\pict\\wmetafile8\\picw100\\pich100 " + WMF_HEX + "}}}b\\par}",
     'ab',
     outline=['P: a[img 40x40]b'])

# A picture Word gave only as a metafile (no \shppict before it) is that picture.
case('picture_nonshppict_only',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a{\\nonshppict{\\pict\\wmetafile8\\picw2540\\pich2540 " + WMF_HEX + "}}b\\par}",
     'ab',
     outline=['P: a[img 96x96]b'])

case('picture_bin',
     ("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a{\\pict\\pngblip\\bin%d " % len(PNG)).encode() + PNG + b"}b\\par}",
     'ab',
     outline=['P: a[img 0x0]b'])

# --- fields, destinations, special characters -----------------------------------------------------
case('fields',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green0\\blue255;}\\f0 see "
     "{\\field{\\*\\fldinst{HYPERLINK \"http://example.invalid/\"}}{\\fldrslt{\\ul\\cf1 the link}}}"
     " page {\\field{\\fldinst PAGE}{\\fldrslt 3}}\\par}",
     'see the link page 3',
     runs=['Arial|12|-|-|-|see ', 'Arial|12|U|#0000ff|-|the link|link=http://example.invalid/',
           'Arial|12|-|-|-| page 3'])

# Hyperlinks as Word and RichEdit write them: a target, a bookmark (\\l), switches, a field
# result in several runs, a backslash doubled in the target, and a field that is no link.
case('hyperlinks',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green0\\blue255;}\\f0 "
     "{\\field{\\*\\fldinst{HYPERLINK \"https://example.invalid/a?b=1\" \\\\o \"tip\"}}{\\fldrslt{\\ul\\cf1 two }{\\b\\ul\\cf1 runs}}}"
     " and {\\field{\\*\\fldinst HYPERLINK \\\\l \"top\"}{\\fldrslt back}}"
     " and {\\field{\\*\\fldinst{ HYPERLINK \"file:///C:\\\\\\\\dir\\\\\\\\x.pdf\" }}{\\fldrslt file}}"
     " {\\field{\\*\\fldinst DATE}{\\fldrslt 2024}}\\par}",
     'two runs and back and file 2024',
     runs=['Arial|12|U|#0000ff|-|two |link=https://example.invalid/a?b=1',
           'Arial|12|BU|#0000ff|-|runs|link=https://example.invalid/a?b=1',
           'Arial|12|-|-|-| and ', 'Arial|12|-|-|-|back|link=#top', 'Arial|12|-|-|-| and ',
           'Arial|12|-|-|-|file|link=file:///C:\\dir\\x.pdf', 'Arial|12|-|-|-| 2024'])

# Destinations that are not document text leave nothing; a footnote leaves its mark, the
# footnote's number (its text is kept, not shown: see Rtf.h).
case('destinations_skipped',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\*\\generator Riched20 10.0.19041}"
     "{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default;}}{\\info{\\title T}{\\author A}}"
     "{\\header header text\\par}{\\footer footer\\par}{\\*\\themedata 504b0304}"
     "\\f0 kept{\\*\\unknowndest junk {nested junk}} too\\unknownword  and {\\footnote note} more\\par}",
     'kept too and 1 more')

# Headers and footers are not shown but kept whole, to be written back (see Rtf.h).
case('header_footer',
     "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 " + gbk('宋体') + ";}}\\f0 "
     "{\\header \\pard\\qc " + gbk('超声科') + " report\\par}{\\footerf \\pard page {\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}\\par}"
     "\\pard body\\par}",
     'body')

# Footnotes are not shown: each mark is its number as a superscript, and the footnote's group
# is kept on it, to be written back (see Rtf.h). Starred or not, as writers differ.
case('footnote',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\pard Liver normal{\\super\\chftn}"
     "{\\*\\footnote\\pard\\plain{\\super\\chftn} Measured supine.} and spleen{\\super\\chftn}"
     "{\\footnote\\pard\\plain{\\super\\chftn} Second note.} end.\\par}",
     'Liver normal1 and spleen2 end.',
     runs=['Arial|12|-|-|-|Liver normal', 'Arial|12|^|-|-|1', 'Arial|12|-|-|-| and spleen',
           'Arial|12|^|-|-|2', 'Arial|12|-|-|-| end.'])

case('special_characters',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 a\\emdash b\\endash c\\bullet d"
     "\\lquote e\\rquote f\\ldblquote g\\rdblquote h\\~i\\_j\\-k\\tab l\\line m\\{n\\}o\\\\p\\par}",
     'a—b–c•d‘e’f“g”h\u00a0i\u2011jk\tl\nm{n}o\\p')

case('formatting',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
     "{\\colortbl;\\red255\\green0\\blue0;\\red255\\green255\\blue0;}\\f0\\fs24 "
     "\\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone  \\strike gone\\strike0  "
     "{\\b\\i both} \\cf1 red\\cf0  \\highlight2 marked\\highlight0  \\f1\\fs36 big\\plain  plain"
     " x\\super 2\\nosupersub  H\\sub 2\\nosupersub O\\par}",
     'bold italic under gone both red marked big plain x2 H2O',
     runs=['Arial|12|B|-|-|bold', 'Arial|12|-|-|-| ', 'Arial|12|I|-|-|italic', 'Arial|12|-|-|-| ',
           'Arial|12|U|-|-|under', 'Arial|12|-|-|-| ', 'Arial|12|S|-|-|gone', 'Arial|12|-|-|-| ',
           'Arial|12|BI|-|-|both', 'Arial|12|-|-|-| ', 'Arial|12|-|#ff0000|-|red', 'Arial|12|-|-|-| ',
           'Arial|12|-|-|#ffff00|marked', 'Arial|12|-|-|-| ', 'Times New Roman|18|-|-|-|big',
           'Arial|12|-|-|-| plain x', 'Arial|12|^|-|-|2', 'Arial|12|-|-|-| H', 'Arial|12|_|-|-|2',
           'Arial|12|-|-|-|O'])

case('paragraph_formats',
     "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 "
     "\\pard\\qc centered\\par\\pard\\qr right\\par\\pard\\qj justified\\par"
     "\\pard\\li720\\ri360\\fi-360\\sb120\\sa240 indented\\par"
     "\\pard\\sl360\\slmult1 spaced\\par}",
     'centered\nright\njustified\nindented\nspaced',
     outline=['P align=center: centered', 'P align=right: right', 'P align=justify: justified',
              'P left=48 right=24 indent=-24 top=8 bottom=16: indented', 'P line=150%: spaced'])

# The final paragraph mark closes the last paragraph; a second one leaves an empty paragraph.
case('trailing_paragraphs',
     RICHEDIT_HEAD + "\\pard\\f0\\fs24 one\\par\r\n\\par\r\n" + TAIL,
     'one\n')

case('empty_richedit',
     RICHEDIT_HEAD + "\\pard\\f0\\fs17\\par\r\n" + TAIL, '')

# --- other code pages ------------------------------------------------------------------------------
case('mac_roman', "{\\rtf1\\mac\\deff0{\\fonttbl{\\f0 Geneva;}}\\f0 caf\\'8e\\par}", 'café')
case('pc437', "{\\rtf1\\pc\\deff0{\\fonttbl{\\f0 Courier;}}\\f0 caf\\'82\\par}", 'café')
case('cyrillic_font',
     "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}}\\f0 " + esc('Печень', 'cp1251') + "\\par}",
     'Печень')
case('symbol_font',
     "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}{\\f1\\ftech\\fcharset2 Symbol;}}"
     "\\f0 \\'a6\\'c1\\f1 a=30\\'b0\\'b1b\\par}",
     'αα=30°±β')
case('ansicpg_utf8', "{\\rtf1\\ansi\\ansicpg65001{\\fonttbl{\\f0 Arial;}}\\f0 " + esc('肝脏', 'utf-8') + "\\par}",
     '肝脏')
case('gb18030_fourbyte',
     "{\\rtf1\\ansi\\ansicpg54936{\\fonttbl{\\f0 SimSun;}}\\f0 " + esc('肝€😀', 'gb18030') + "\\par}",
     '肝€😀')

# --- damaged input with an exact expected result ---------------------------------------------------
case('truncated_mid_escape',
     "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 " + gbk('中文') + "\\'c", '中文',
     warn='ends inside a control word')
case('truncated_mid_dbcs',
     "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 " + gbk('中文') + "\\'d6", '中文\ufffd',
     warn='incomplete double-byte')
case('unbalanced_braces',
     "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 one {\\b two {\\i three\\par four", 'one two three\nfour', warn='still open')
case('extra_close_braces', "{\\rtf1\\ansi\\f0 one}} two}\r\n\0", 'one two', warn='after the document')


def write_all():
    for old in os.listdir(HERE):
        if old.split('.')[-1] in ('rtf', 'txt', 'runs', 'outline', 'warn') and not old.startswith('lo_'):
            os.remove(os.path.join(HERE, old))
    for name, rtf, text, runs, outline, warn in CASES:
        data = rtf if isinstance(rtf, bytes) else rtf.encode('latin-1')
        with open(os.path.join(HERE, name + '.rtf'), 'wb') as f:
            f.write(data)
        with open(os.path.join(HERE, name + '.txt'), 'w', encoding='utf-8', newline='\n') as f:
            f.write(text)
        if runs is not None:
            with open(os.path.join(HERE, name + '.runs'), 'w', encoding='utf-8', newline='\n') as f:
                f.write(''.join('R ' + r + '\n' for r in runs))
        if warn is not None:
            with open(os.path.join(HERE, name + '.warn'), 'w', encoding='utf-8', newline='\n') as f:
                f.write(warn)
        if outline is not None:
            with open(os.path.join(HERE, name + '.outline'), 'w', encoding='utf-8', newline='\n') as f:
                f.write(''.join(line + '\n' for line in outline))


if __name__ == '__main__':
    write_all()
