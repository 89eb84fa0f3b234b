#!/usr/bin/env python3
"""Draws the front panels of the switch models and writes, for each model, its User.ini, its
panel description (panel.xml) and the bitmaps it names into resources/models/<MODEL>/, and the
program's own lamp and LED bitmaps into resources/panelgen/bitmaps/<id>.bmp.

Paths inside User.ini and panel.xml are relative to the program's directory, which holds
User.ini and a models/ folder with one folder per model (the layout of resources/).

Standard library only; the output is the same on every run. Usage: panelgen.py [OUTPUT_ROOT]
(default: the resources folder this script lives in)."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# name: (ports, PoE ports, has fan, model lamps (bitmap id, x, y, label; the label to the
# right of the lamp, or below it where "_" ends the label))
MODELS = {
    "DUZ-3300-20": (20, 0, False, [(158, 13, 30, "PWR")]),
    "DUZ-3300-28": (28, 0, False, [(158, 13, 30, "PWR")]),
    "DUZ-3300-28ZA1": (28, 0, False, [(158, 13, 30, "PWR")]),
    "DUZ-3300-28P": (28, 24, True, [(158, 11, 28, "PWR"), (190, 12, 42, "MAX"), (190, 13, 62, "FAN_"),
                                     (191, 30, 52, "LINK"), (191, 30, 62, "POE")]),
    "DUZ-3300-28P C1": (28, 24, True, [(32883, 19, 25, "PWR"), (190, 20, 45, "FAN"), (190, 20, 59, "MAX"),
                                        (191, 43, 46, "LINK"), (191, 43, 59, "POE")]),
    "DUZ-3300-52": (52, 0, True, [(158, 13, 31, "PWR"), (190, 38, 33, "FAN")]),
}
COMBO_PORTS = 4  # the last four ports have a fibre twin (SFP cage) at the right

# The program's own bitmaps: id -> (width, height, colour). Colours differ inside each look
# (green, black, orange, red) so that a reader can tell which one was drawn.
RESOURCE_BITMAPS = {
    158: (8, 8, (40, 200, 40)),      # power lamp
    32883: (10, 12, (40, 210, 60)),  # power lamp of the C1 front
    160: (5, 4, (0, 0, 0)),          # port LED off, odd port
    159: (5, 4, (12, 12, 12)),       # port LED off, even port
    162: (6, 4, (0, 230, 0)),        # port LED green, odd port
    161: (6, 4, (0, 220, 20)),       # port LED green, even port
    164: (5, 5, (255, 140, 0)),      # port LED amber, odd port
    163: (5, 5, (255, 160, 20)),     # port LED amber, even port
    190: (4, 5, (230, 20, 20)),      # fan fault and power maximum
    191: (6, 5, (20, 240, 60)),      # LED mode lamp lit
    192: (6, 5, (24, 24, 24)),       # LED mode lamp off
    221: (8, 8, (30, 60, 220)),
    32878: (8, 8, (200, 200, 40)),
    32879: (8, 8, (160, 40, 200)),
}

# Port state pictures: the socket's inside shows the state (index = PortState).
PORT_STATES = [("link100", (224, 144, 32)), ("link10", (48, 192, 48)), ("disabled", (192, 32, 32)),
               ("enable", (16, 16, 16)), ("empty", (128, 128, 128))]
PORT_XML_TAGS = ["BMPLINK100", "BMPLINK10", "BMPDISABLE", "BMPENABLE", "BMPEMPTY"]

BODY = (184, 188, 192)
BODY_DARK = (120, 124, 128)
LABEL = (40, 44, 48)

# A 3 x 5 pixel font for the panel's print.
FONT = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111", "3": "111001111001111",
    "4": "101101111001001", "5": "111100111001111", "6": "111100111101111", "7": "111001010010010",
    "8": "111101111101111", "9": "111101111001111", "A": "010101111101101", "C": "111100100100111",
    "D": "110101101101110", "E": "111100111100111", "F": "111100111100100", "I": "111010010010111",
    "K": "101101110101101", "L": "100100100100111", "M": "101111111101101", "N": "110101101101101",
    "O": "111101101101111", "P": "111101111100100", "R": "110101110101101", "S": "111100111001111",
    "U": "101101101101111", "W": "101101111111101", "X": "101101010101101", "Z": "111001010100111",
    "-": "000000111000000", " ": "000000000000000",
}


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def fill(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            row = self.pixels[yy]
            for xx in range(max(0, x), min(self.width, x + w)):
                row[xx] = colour

    def frame(self, x, y, w, h, colour):
        self.fill(x, y, w, 1, colour)
        self.fill(x, y + h - 1, w, 1, colour)
        self.fill(x, y, 1, h, colour)
        self.fill(x + w - 1, y, 1, h, colour)

    def text(self, x, y, text, colour):
        for ch in text.upper():
            glyph = FONT[ch]
            for i, bit in enumerate(glyph):
                if bit == "1":
                    self.fill(x + i % 3, y + i // 3, 1, 1, colour)
            x += 4

    def blit(self, other, x, y):
        for yy, row in enumerate(other.pixels):
            self.pixels[y + yy][x:x + other.width] = row

    def bmp(self):
        """24-bit bottom-up bitmap file bytes."""
        stride = (self.width * 3 + 3) & ~3
        rows = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            rows += line + bytes(stride - len(line))
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)) + header + bytes(rows)


def text_width(text):
    return 4 * len(text) - 1


def port_picture(width, height, inside, sfp):
    """An RJ45 socket (or an SFP cage) whose inside shows the state's colour."""
    c = Canvas(width, height, (48, 48, 48))
    c.frame(0, 0, width, height, (24, 24, 24))
    if sfp:
        c.fill(2, 3, width - 4, height - 6, inside)
        c.fill(2, 3, width - 4, 1, (90, 90, 90))
    else:
        c.fill(2, 2, width - 4, height - 5, inside)
        c.fill(width // 2 - 3, height - 3, 6, 2, inside)  # the latch notch
        for px in range(4, width - 4, 2):  # contacts
            c.fill(px, 2, 1, 2, (200, 170, 60))
    return c


# Geometry of the port field.
PORT_W, PORT_H = 18, 14
SFP_W, SFP_H = 22, 14
TOP_ROW, BOTTOM_ROW = 26, 56
PITCH, GROUP_GAP = 22, 8
FIELD_LEFT = 90
LED_W, LED_H = 6, 5
HEIGHT = 96


def layout(ports):
    """Rectangles: ports 1..n (odd top row, even bottom row), then the fibre twins, then the
    console. Each port's LED sits above (top row) or below (bottom row) its socket."""
    rects = []
    for p in range(1, ports + 1):
        column = (p - 1) // 2
        x = FIELD_LEFT + column * PITCH + (column // 4) * GROUP_GAP
        y = TOP_ROW if p % 2 else BOTTOM_ROW
        rects.append((x, y, PORT_W, PORT_H, False))
    twin_left = rects[-1][0] + PITCH + 2 * GROUP_GAP
    for i in range(COMBO_PORTS):
        x = twin_left + (i // 2) * (SFP_W + 6)
        y = TOP_ROW if i % 2 == 0 else BOTTOM_ROW
        rects.append((x, y, SFP_W, SFP_H, True))
    console = (rects[-1][0] + SFP_W + 2 * GROUP_GAP, TOP_ROW + 15, 20, 14)
    width = console[0] + console[2] + 16
    return rects, console, width


def led_rect(x, y, w, h):
    lx = x + (w - LED_W) // 2
    return (lx, y - LED_H - 2, LED_W, LED_H) if y == TOP_ROW else (lx, y + h + 2, LED_W, LED_H)


def panel_picture(name, ports, lamps):
    rects, console, width = layout(ports)
    c = Canvas(width, HEIGHT, BODY)
    c.frame(0, 0, width, HEIGHT, BODY_DARK)
    c.frame(1, 1, width - 2, HEIGHT - 2, (220, 222, 226))
    c.text(6, 6, name.replace("DUZ-", "DUZ "), LABEL)
    for bitmap_id, x, y, label in lamps:
        w, h, _ = RESOURCE_BITMAPS[bitmap_id]
        c.fill(x - 1, y - 1, w + 2, h + 2, (60, 60, 60))
        c.fill(x, y, w, h, (32, 32, 32))
        if label.endswith("_"):
            c.text(x + (w - text_width(label[:-1])) // 2, y + h + 3, label[:-1], LABEL)
        else:
            c.text(x + w + 3, y + (h - 5) // 2, label, LABEL)
    # Ports: numbers, LED windows, sockets in the picture's "enable" look.
    for index, (x, y, w, h, sfp) in enumerate(rects):
        number = index + 1 if index < ports else ports - COMBO_PORTS + 1 + index - ports
        lx, ly, lw, lh = led_rect(x, y, w, h)
        c.fill(lx - 1, ly - 1, lw + 2, lh + 2, (60, 60, 60))
        c.fill(lx, ly, lw, lh, (32, 32, 32))
        label = str(number)
        ty = ly - 7 if y == TOP_ROW else ly + lh + 2
        c.text(x + (w - text_width(label)) // 2, ty, label, LABEL)
        c.blit(port_picture(w, h, PORT_STATES[3][1], sfp), x, y)
    # The combo block and the console.
    twin_x = rects[ports][0]
    c.frame(twin_x - 4, TOP_ROW - 17, 2 * SFP_W + 14, BOTTOM_ROW + SFP_H + 17 - (TOP_ROW - 17), BODY_DARK)
    cx, cy, cw, ch = console
    c.fill(cx, cy, cw, ch, (40, 60, 110))
    c.fill(cx + 3, cy + 3, cw - 6, ch - 6, (16, 16, 16))
    c.text(cx + (cw - text_width("CON")) // 2, cy - 8, "CON", LABEL)
    return c, rects, console, width


def element(tag, ident, x, y, w, h, extra="", attrs="", body=""):
    a = "".join(' %s="%s"' % kv for kv in attrs) if attrs else ""
    return ("<%s%s><ID>%s</ID><LEFT>%d</LEFT><TOP>%d</TOP><WIDTH>%d</WIDTH><HEIGHT>%d</HEIGHT>%s%s</%s>"
            % (tag, a, ident, x, y, w, h, extra, body, tag))


def panel_xml(name, rects, console, width, base):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Front panel of the %s. Generated by resources/panelgen/panelgen.py. -->" % name,
             "<DEVICE>",
             '  <DEVICEPANEL ports="PORTS" parts="PARTS">',
             "    <ID>%s</ID><NAME>%s</NAME>" % (name, name),
             "    <LEFT>100</LEFT><TOP>100</TOP><WIDTH>%d</WIDTH><HEIGHT>%d</HEIGHT>" % (width, HEIGHT),
             "    <BMP>%s/panel.bmp</BMP>" % base,
             "    <PORTS>"]
    for index, (x, y, w, h, sfp) in enumerate(rects):
        kind = "sfp" if sfp else "port"
        bitmaps = "".join("<%s>%s/%s-%s.bmp</%s>" % (tag, base, kind, state, tag)
                          for tag, (state, _) in zip(PORT_XML_TAGS, PORT_STATES))
        lx, ly, lw, lh = led_rect(x, y, w, h)
        lamp = element("LAMP", "L%d" % (index + 1), lx, ly, lw, lh, "<STATUS>LAMPOFF</STATUS><TYPE>LINK</TYPE>")
        lines.append("      " + element("PORT", index + 1, x, y, w, h,
                                        "<NAME>Port %d</NAME><STATUS>PORTENABLE</STATUS>%s" % (index + 1, bitmaps),
                                        attrs=[("lamps", "LAMPS")], body="<LAMPS>%s</LAMPS>" % lamp))
    lines.append("    </PORTS>")
    lines.append("    <PARTS>")
    cx, cy, cw, ch = console
    lamp = element("LAMP", "CONSOLE-L", cx, cy, cw, ch, "<TYPE>CONSOLE</TYPE>")
    lines.append("      " + element("CONSOLE", "CONSOLE", cx, cy, cw, ch, "<NAME>Console</NAME>",
                                    attrs=[("lamps", "LAMPS")], body="<LAMPS>%s</LAMPS>" % lamp))
    lines.append("      " + element("POWER", "POWER", 4, 4, 60, HEIGHT - 8, "<NAME>Power</NAME>"))
    lines.append("    </PARTS>")
    lines.append("  </DEVICEPANEL>")
    lines.append("</DEVICE>")
    return "\n".join(lines) + "\n"


def user_ini(name, ports, poe, fan, base):
    return ("[DeviceInfo]\r\nDeviceName=%s\r\nPoEPortNum =%d\r\nDevicePortNum=%d\r\nComboPortNum=%d\r\n"
            "XMLName=%s/panel.xml\r\nIsAllGiga=N\r\nIsHasFan=%s\r\n"
            % (name, poe, ports, COMBO_PORTS, base, "Y" if fan else "N"))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(HERE)
    for name, (ports, poe, fan, lamps) in MODELS.items():
        folder = os.path.join(root, "models", name)
        base = "models/" + name
        picture, rects, console, width = panel_picture(name, ports, lamps)
        write(os.path.join(folder, "panel.bmp"), picture.bmp())
        for state, colour in PORT_STATES:
            write(os.path.join(folder, "port-%s.bmp" % state), port_picture(PORT_W, PORT_H, colour, False).bmp())
            write(os.path.join(folder, "sfp-%s.bmp" % state), port_picture(SFP_W, SFP_H, colour, True).bmp())
        write(os.path.join(folder, "panel.xml"), panel_xml(name, rects, console, width, base).encode())
        write(os.path.join(folder, "User.ini"), user_ini(name, ports, poe, fan, base).encode())
    for bitmap_id, (w, h, colour) in RESOURCE_BITMAPS.items():
        write(os.path.join(root, "panelgen", "bitmaps", "%d.bmp" % bitmap_id), Canvas(w, h, colour).bmp())


if __name__ == "__main__":
    main()
