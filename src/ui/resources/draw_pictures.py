#!/usr/bin/python3
"""Draws the window's pictures: the program icon, the five 25 x 25 command glyphs, the about
panel's close glyph (normal and disabled side by side) and the about panel's 548 x 372 JPEG.

The files are committed, so the build never runs this; run it again (Debian's python3-pil)
after changing a drawing:  /usr/bin/python3 src/ui/resources/draw_pictures.py
"""
import io
import os
import struct

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))
MASK = (255, 0, 255)  # the image lists treat this colour as transparent
SUPER = 8             # glyphs are drawn large and reduced, then thresholded against MASK

# The legend's colours: the icon and the picture use them so they speak the window's language.
BLACK, GREEN, PURPLE, BLUE = (0, 0, 0), (0, 128, 0), (128, 0, 128), (0, 0, 255)
OLIVE = (128, 128, 0)


def scaled(points, k):
    return [(x * k, y * k) for x, y in points]


def glyph_canvas(size):
    return Image.new("RGBA", (size * SUPER, size * SUPER), (0, 0, 0, 0))


def flatten_to_mask(img, size):
    """Reduces a drawing and puts MASK where it is mostly transparent: hard edges keep the
    masked image lists free of magenta fringes."""
    small = img.resize((size, size), Image.LANCZOS)
    out = Image.new("RGB", (size, size), MASK)
    px, spx = out.load(), small.load()
    for y in range(size):
        for x in range(size):
            r, g, b, a = spx[x, y]
            if a >= 110:
                # Blend semi-opaque edges with the button face (light grey) rather than magenta.
                k = a / 255
                face = 240
                px[x, y] = tuple(int(c * k + face * (1 - k)) for c in (r, g, b))
    return out


def draw_open(d, k):
    # A yellow folder, its flap open.
    d.rounded_rectangle(scaled([(2, 6), (21, 21)], k), radius=2 * k, fill=(196, 150, 40),
                        outline=(110, 80, 10), width=k)
    d.polygon(scaled([(2, 6), (9, 6), (11, 8), (21, 8), (21, 10), (2, 10)], k),
              fill=(170, 125, 25))
    d.polygon(scaled([(5, 11), (24, 11), (20, 22), (1, 22)], k), fill=(250, 210, 90),
              outline=(120, 90, 15))


def draw_save(d, k):
    # A blue floppy disk with its label and shutter.
    d.rounded_rectangle(scaled([(2, 2), (22, 22)], k), radius=2 * k, fill=(40, 80, 170),
                        outline=(15, 35, 90), width=k)
    d.rectangle(scaled([(6, 3), (18, 10)], k), fill=(230, 230, 235), outline=(120, 120, 130))
    d.rectangle(scaled([(14, 4), (16, 9)], k), fill=(60, 60, 70))
    d.rectangle(scaled([(5, 13), (19, 21)], k), fill=(250, 250, 250), outline=(120, 120, 130))
    for y in (15, 17, 19):
        d.line(scaled([(7, y), (17, y)], k), fill=(170, 170, 190), width=k)


def draw_paste(d, k):
    # A clipboard holding a sheet.
    d.rounded_rectangle(scaled([(3, 3), (19, 23)], k), radius=2 * k, fill=(160, 110, 60),
                        outline=(90, 55, 20), width=k)
    d.rounded_rectangle(scaled([(7, 1), (15, 5)], k), radius=k, fill=(150, 150, 160),
                        outline=(70, 70, 80), width=k)
    d.polygon(scaled([(10, 8), (21, 8), (24, 11), (24, 24), (10, 24)], k),
              fill=(255, 255, 255), outline=(90, 90, 100))
    for y in (13, 16, 19):
        d.line(scaled([(12, y), (22, y)], k), fill=(80, 120, 200), width=k)


def draw_about(d, k):
    # A blue disc with a white "i".
    d.ellipse(scaled([(1, 1), (23, 23)], k), fill=(30, 90, 200), outline=(10, 40, 110), width=k)
    d.ellipse(scaled([(10.5, 5), (14.5, 9)], k), fill=(255, 255, 255))
    d.rounded_rectangle(scaled([(10.5, 10.5), (14.5, 19.5)], k), radius=k, fill=(255, 255, 255))


def draw_quit(d, k):
    # A door ajar with a red arrow leaving it.
    d.rectangle(scaled([(3, 2), (14, 23)], k), fill=(120, 75, 40), outline=(60, 35, 15), width=k)
    d.polygon(scaled([(3, 2), (10, 5), (10, 24), (3, 23)], k), fill=(170, 110, 60),
              outline=(60, 35, 15))
    d.ellipse(scaled([(7.5, 12.5), (9.5, 14.5)], k), fill=(240, 200, 80))
    d.polygon(scaled([(12, 11), (18, 11), (18, 7), (24, 13), (18, 19), (18, 15), (12, 15)], k),
              fill=(210, 30, 30), outline=(120, 10, 10))


def draw_close(d, k, disabled):
    # A curved arrow going back: "return to the program".
    body = (150, 150, 150) if disabled else (20, 140, 40)
    edge = (110, 110, 110) if disabled else (10, 80, 20)
    d.arc(scaled([(3, 3), (16, 16)], k), start=200, end=90, fill=edge, width=4 * k)
    d.arc(scaled([(3.5, 3.5), (15.5, 15.5)], k), start=200, end=90, fill=body, width=3 * k)
    d.polygon(scaled([(0, 6), (8, 6), (3, 12)], k), fill=body, outline=edge)


def save_glyph(name, draw, size=25):
    img = glyph_canvas(size)
    draw(ImageDraw.Draw(img), SUPER)
    flatten_to_mask(img, size).save(os.path.join(HERE, name))


def save_close_strip():
    strip = Image.new("RGB", (36, 18), MASK)
    for index, disabled in enumerate((False, True)):
        img = glyph_canvas(18)
        draw_close(ImageDraw.Draw(img), SUPER, disabled)
        strip.paste(flatten_to_mask(img, 18), (18 * index, 0))
    strip.save(os.path.join(HERE, "close_glyph.bmp"))


def draw_icon(size):
    """Three filters in the legend's colours joined by pins, on a rounded olive tile."""
    big = 256
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([(8, 8), (248, 248)], radius=44, fill=(250, 246, 225),
                        outline=OLIVE, width=14)
    boxes = [((34, 48), BLACK), ((34, 148), GREEN), ((150, 98), PURPLE)]
    for (x, y), _ in boxes[:2]:
        d.line([(x + 72, y + 30), (150, 128)], fill=BLUE, width=12)
    for (x, y), colour in boxes:
        d.rounded_rectangle([(x, y), (x + 72, y + 60)], radius=10, fill=colour)
        d.ellipse([(x + 62, y + 20), (x + 82, y + 40)], fill=(255, 255, 255),
                  outline=colour, width=4)
    return img.resize((size, size), Image.LANCZOS)


def dib_icon_image(img):
    """One icon image the classic way: a 32-bit bottom-up DIB (alpha included) and its AND
    mask, which every Windows loader reads."""
    size = img.size[0]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = img.getpixel((x, y))
            pixels += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_row)
        for x in range(size):
            if img.getpixel((x, y))[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def png_icon_image(img):
    out = io.BytesIO()
    img.save(out, format="PNG")
    return out.getvalue()


def save_icon():
    """Classic images up to 64 pixels, a compressed one at 256 as Windows does it."""
    images = []
    for size in (16, 24, 32, 48, 64, 256):
        img = draw_icon(size)
        data = png_icon_image(img) if size == 256 else dib_icon_image(img)
        images.append((size, data))
    offset = 6 + 16 * len(images)
    with open(os.path.join(HERE, "mivalto.ico"), "wb") as ico:
        ico.write(struct.pack("<HHH", 0, 1, len(images)))
        for size, data in images:
            side = size % 256  # 0 stands for 256
            ico.write(struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset))
            offset += len(data)
        for _, data in images:
            ico.write(data)


def pipe(d, points, width, colour, shine):
    d.line(points, fill=colour, width=width, joint="curve")
    d.line([(x, y - width // 4) for x, y in points], fill=shine, width=max(2, width // 4),
           joint="curve")


def save_picture():
    """The about panel's picture: a filter graph as a plumber would draw it."""
    w, h, k = 548, 372, 2
    img = Image.new("RGB", (w * k, h * k))
    d = ImageDraw.Draw(img)
    for y in range(h * k):  # a sky fading to the horizon
        t = y / (h * k)
        d.line([(0, y), (w * k, y)], fill=(int(120 + 110 * t), int(170 + 70 * t), int(230 + 20 * t)))
    d.rectangle([(0, 290 * k), (w * k, h * k)], fill=(110, 160, 80))
    d.ellipse([(430 * k, 30 * k), (500 * k, 100 * k)], fill=(255, 220, 90))
    tanks = [((40, 120), BLACK), ((215, 60), GREEN), ((215, 190), PURPLE), ((390, 140), BLUE)]
    joints = [((150, 170), (215, 110)), ((150, 190), (215, 240)),
              ((325, 110), (390, 180)), ((325, 240), (390, 210))]
    for (x0, y0), (x1, y1) in joints:
        mid = (x0 + x1) / 2
        path = [(x0 * k, y0 * k), (mid * k, y0 * k), (mid * k, y1 * k), (x1 * k, y1 * k)]
        pipe(d, path, 18 * k, (150, 150, 160), (215, 215, 225))
    for (x, y), colour in tanks:
        d.rounded_rectangle([(x * k, y * k), ((x + 110) * k, (y + 100) * k)], radius=16 * k,
                            fill=colour, outline=(40, 40, 40), width=3 * k)
        d.rounded_rectangle([((x + 12) * k, (y + 12) * k), ((x + 98) * k, (y + 40) * k)],
                            radius=6 * k, fill=(255, 255, 255))
        for i in range(3):  # gauge ticks
            cx = (x + 28 + 27 * i) * k
            d.line([(cx, (y + 18) * k), (cx + 6 * k, (y + 34) * k)], fill=colour, width=3 * k)
        d.ellipse([((x + 44) * k, (y + 56) * k), ((x + 66) * k, (y + 78) * k)],
                  fill=(230, 230, 230), outline=(40, 40, 40), width=2 * k)
    for i in range(5):  # a leak, because there is always one
        cx, cy = (352 + 9 * i) * k, (250 + 14 * i + 3 * i * i) * k
        d.ellipse([(cx - 5 * k, cy - 7 * k), (cx + 5 * k, cy + 7 * k)], fill=(40, 110, 230))
    wrench = [(460, 300), (520, 250)]
    d.line(scaled(wrench, k), fill=(90, 90, 100), width=12 * k)
    d.ellipse([(505 * k, 232 * k), (535 * k, 262 * k)], fill=(90, 90, 100))
    d.ellipse([(515 * k, 236 * k), (533 * k, 254 * k)], fill=(110, 160, 80))
    for i in range(7):  # grass
        gx = (30 + 75 * i) * k
        d.polygon([(gx, 372 * k), (gx + 8 * k, 330 * k), (gx + 16 * k, 372 * k)], fill=(80, 130, 60))
    img = img.resize((w, h), Image.LANCZOS).filter(ImageFilter.SMOOTH)
    img.save(os.path.join(HERE, "about_picture.jpg"), quality=88)


def main():
    for name, draw in (("save.bmp", draw_save), ("paste.bmp", draw_paste),
                       ("about.bmp", draw_about), ("open.bmp", draw_open),
                       ("quit.bmp", draw_quit)):
        save_glyph(name, draw)
    save_close_strip()
    save_icon()
    save_picture()


if __name__ == "__main__":
    main()
