"""The three fonts every topic is written in, and the |FONT internal file
that lists them. Paragraph records name a font by its place in this list."""
from binary import u16

BODY, BOLD, HEADING = 0, 1, 2

FACE = "Arial"
FACE_SIZE = 32  # bytes a face name takes in the list
SWISS = 3  # the help file's own family number for sans-serif faces

# (bold, size in points, colour)
FONTS = [(False, 10, (0, 0, 0)), (True, 10, (0, 0, 0)), (True, 14, (0, 0, 128))]


def font_file():
    faces = FACE.encode("ascii").ljust(FACE_SIZE, b"\0")
    header_size = 8
    data = u16(1) + u16(len(FONTS)) + u16(header_size) + u16(header_size + len(faces)) + faces
    for bold, points, colour in FONTS:
        data += bytes([1 if bold else 0, points * 2, SWISS]) + u16(0)
        data += bytes(colour) + bytes(3)  # foreground, then an unused background
    return data
