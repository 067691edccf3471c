// SPDX-License-Identifier: MIT
// Pixels of a stored instance as a QImage: monochrome with its first VOI window (else the
// frame's own minimum and maximum), RGB, YBR_FULL, YBR_FULL_422, PALETTE COLOR, planar or
// interleaved, 8 or 16 bits, uncompressed, JPEG, RLE or JPEG-LS. Only the frame asked for is
// read and decoded, so a 500 MB loop never sits in memory whole. Any thread; each call opens
// the file itself.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

namespace wr::imaging {

struct TDecodedFrame
{
    QImage image;     // null on failure
    int frameCount = 0;
    QString error;    // why the image is null
};

// Frame `frame` (0-based) of the file at `path`.
TDecodedFrame DecodeDicomFrame(const QString& path, int frame = 0);

// The image scaled down (never up) so that its long side is at most `maxLongSide`, keeping
// the aspect ratio.
QImage FitLongSide(const QImage& image, int maxLongSide);

// A frame rendered for the report: JPEG, long side at most `maxLongSide` (1,600 px for
// print). Empty and `error` when the frame cannot be decoded.
QByteArray RenderKeyImageJpeg(const QString& path, int frame, QString* error, int maxLongSide = 1600, int quality = 90);

// The small JPEG the index keeps for lists (first frame, long side `maxSide`).
QByteArray MakeThumbnailJpeg(const QString& path, QString* error, int maxSide = 160);

}  // namespace wr::imaging
