#!/usr/bin/python3
# SPDX-License-Identifier: MIT
# Writes the DICOM test files that img2dcm cannot make, with pydicom, at test time:
#   make_fixture.py KIND OUT [ACCESSION]
# KIND: planar (RGB, planar configuration 1), ybrfull (YBR_FULL uncompressed), palette
# (PALETTE COLOR, 8 bit), mono16 (MONOCHROME2, 16 bit with a VOI window), multiframe
# (US multi-frame RGB, 4 frames, frame N filled with the colour of COLORS[N]), loop (a big
# multi-frame loop: OUT, ACCESSION, then the size in MB).
# Every picture has a red block at x 10-150, y 10-120 on white (the tests look there).
import struct
import sys
from pydicom.dataset import Dataset, FileMetaDataset
from pydicom.uid import ExplicitVRLittleEndian, generate_uid

COLORS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]
W, H = 320, 240

def base(sop_class, accession):
    meta = FileMetaDataset()
    meta.MediaStorageSOPClassUID = sop_class
    meta.MediaStorageSOPInstanceUID = generate_uid()
    meta.TransferSyntaxUID = ExplicitVRLittleEndian
    ds = Dataset()
    ds.file_meta = meta
    ds.is_little_endian = True
    ds.is_implicit_VR = False
    ds.SOPClassUID = sop_class
    ds.SOPInstanceUID = meta.MediaStorageSOPInstanceUID
    ds.StudyInstanceUID = generate_uid()
    ds.SeriesInstanceUID = generate_uid()
    ds.AccessionNumber = accession
    ds.PatientName = "Test^Fixture"
    ds.PatientID = "P1"
    ds.Modality = "US"
    ds.Rows, ds.Columns = H, W
    return ds

def inside(x, y, x0=10, x1=150, y0=10, y1=120):
    return x0 <= x <= x1 and y0 <= y <= y1

def picture(fg, bg, w=W, h=H, box=(10, 150, 10, 120)):
    """Interleaved samples: `fg` inside the block, `bg` elsewhere (tuples of equal length)."""
    out = bytearray()
    row_bg = bytes(bg) * w
    for y in range(h):
        if box[2] <= y <= box[3]:
            out += bytes(bg) * box[0] + bytes(fg) * (box[1] - box[0] + 1) + bytes(bg) * (w - box[1] - 1)
        else:
            out += row_bg
    return bytes(out)

def colour(ds, photometric, pixels, planar=0):
    ds.SamplesPerPixel = 3
    ds.PhotometricInterpretation = photometric
    ds.PlanarConfiguration = planar
    ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 8, 8, 7, 0
    ds.PixelData = pixels

def ybr(rgb):
    r, g, b = rgb
    y = 0.299 * r + 0.587 * g + 0.114 * b
    cb = 128 - 0.168736 * r - 0.331264 * g + 0.5 * b
    cr = 128 + 0.5 * r - 0.418688 * g - 0.081312 * b
    return tuple(max(0, min(255, int(round(v)))) for v in (y, cb, cr))

RED, WHITE = (255, 0, 0), (255, 255, 255)

def main():
    kind, out = sys.argv[1], sys.argv[2]
    accession = sys.argv[3] if len(sys.argv) > 3 else "ACC1"
    sc = "1.2.840.10008.5.1.4.1.1.7"
    if kind == "planar":
        ds = base(sc, accession)
        planes = b"".join(picture((RED[i],), (WHITE[i],)) for i in range(3))
        colour(ds, "RGB", planes, planar=1)
    elif kind == "ybrfull":
        ds = base(sc, accession)
        colour(ds, "YBR_FULL", picture(ybr(RED), ybr(WHITE)))
    elif kind == "palette":
        ds = base(sc, accession)
        ds.SamplesPerPixel = 1
        ds.PhotometricInterpretation = "PALETTE COLOR"
        ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 8, 8, 7, 0
        # Entry 0 white, entry 1 red, the rest black; 16-bit entries.
        for name, first, second in (("Red", 0xFFFF, 0xFFFF), ("Green", 0xFFFF, 0), ("Blue", 0xFFFF, 0)):
            table = struct.pack("<256H", first, second, *([0] * 254))
            setattr(ds, name + "PaletteColorLookupTableDescriptor", [256, 0, 16])
            setattr(ds, name + "PaletteColorLookupTableData", table)
        ds.PixelData = picture((1,), (0,))
    elif kind == "mono16":
        ds = base(sc, accession)
        ds.SamplesPerPixel = 1
        ds.PhotometricInterpretation = "MONOCHROME2"
        ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 16, 12, 11, 0
        values = []
        for y in range(H):
            for x in range(W):
                values.append(3000 if inside(x, y) else x * 4095 // (W - 1))
        ds.WindowCenter, ds.WindowWidth = 2048, 2000
        ds.PixelData = struct.pack("<%dH" % len(values), *values)
    elif kind == "multiframe":
        ds = base("1.2.840.10008.5.1.4.1.1.3.1", accession)
        ds.NumberOfFrames = len(COLORS)
        ds.FrameIncrementPointer = 0x00181063
        ds.FrameTime = 33.3
        colour(ds, "RGB", b"".join(picture(c, WHITE) for c in COLORS))
    elif kind == "loop":
        size_mb = int(sys.argv[4]) if len(sys.argv) > 4 else 500
        ds = base("1.2.840.10008.5.1.4.1.1.3.1", accession)
        ds.Rows, ds.Columns = 600, 800
        count = max(1, size_mb * 1024 * 1024 // (600 * 800 * 3))
        ds.NumberOfFrames = count
        ds.FrameIncrementPointer = 0x00181063
        ds.FrameTime = 33.3
        colour(ds, "RGB", picture(RED, WHITE, 800, 600, (100, 400, 100, 300)) * count)
    else:
        sys.exit("unknown kind " + kind)
    ds.save_as(out, write_like_original=False)

if __name__ == "__main__":
    main()
