// SPDX-License-Identifier: MIT
#include "DicomDecode.h"
#include "DicomCodecs.h"
#include <QBuffer>
#include <QFile>
#include <memory>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmimgle/dcmimage.h>

namespace wr::imaging {

namespace {

QByteArray Jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // JPEG has no alpha and no indexed colours; grey stays grey.
    const QImage flat = image.format() == QImage::Format_Grayscale8 ? image : image.convertToFormat(QImage::Format_RGB888);
    if (!flat.save(&buffer, "JPEG", quality)) return {};
    return bytes;
}

} // namespace

TDecodedFrame DecodeDicomFrame(const QString& path, int frame)
{
    RegisterDicomCodecs();
    TDecodedFrame out;
    if (frame < 0) {
        out.error = QStringLiteral("frame %1 does not exist").arg(frame);
        return out;
    }
    // Partial access reads and decodes only the one frame from the file.
    const auto image = std::make_unique<DicomImage>(QFile::encodeName(path).constData(),
                                                    CIF_UsePartialAccessToPixelData, static_cast<unsigned long>(frame), 1UL);
    const EI_Status status = image->getStatus();
    out.frameCount = static_cast<int>(image->getNumberOfFrames());
    if (status != EIS_Normal) {
        out.error = QString::fromLatin1(DicomImage::getString(status));
        if (out.frameCount > 0 && frame >= out.frameCount)
            out.error = QStringLiteral("frame %1 does not exist (the instance has %2)").arg(frame).arg(out.frameCount);
        return out;
    }
    if (frame >= out.frameCount) {
        out.error = QStringLiteral("frame %1 does not exist (the instance has %2)").arg(frame).arg(out.frameCount);
        return out;
    }
    const int width = static_cast<int>(image->getWidth());
    const int height = static_cast<int>(image->getHeight());
    if (width <= 0 || height <= 0) {
        out.error = QStringLiteral("the image has no size");
        return out;
    }
    if (image->isMonochrome()) {
        if (image->getWindowCount() > 0)
            image->setWindow(0);
        else
            image->setMinMaxWindow();
    }
    const void* data = image->getOutputData(8, 0, 0);
    if (!data) {
        out.error = QStringLiteral("the pixel data cannot be decoded: %1")
                        .arg(QString::fromLatin1(DicomImage::getString(image->getStatus())));
        return out;
    }
    const auto* bytes = static_cast<const uchar*>(data);
    if (image->isMonochrome()) {
        QImage grey(width, height, QImage::Format_Grayscale8);
        for (int y = 0; y < height; ++y) memcpy(grey.scanLine(y), bytes + static_cast<size_t>(y) * width, width);
        out.image = grey;
    } else {
        QImage rgb(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height; ++y) memcpy(rgb.scanLine(y), bytes + static_cast<size_t>(y) * width * 3, width * 3);
        out.image = rgb;
    }
    return out;
}

QImage FitLongSide(const QImage& image, int maxLongSide)
{
    if (image.isNull() || maxLongSide <= 0) return image;
    if (std::max(image.width(), image.height()) <= maxLongSide) return image;
    return image.scaled(maxLongSide, maxLongSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QByteArray RenderKeyImageJpeg(const QString& path, int frame, QString* error, int maxLongSide, int quality)
{
    const TDecodedFrame decoded = DecodeDicomFrame(path, frame);
    if (decoded.image.isNull()) {
        if (error) *error = decoded.error;
        return {};
    }
    QByteArray jpeg = Jpeg(FitLongSide(decoded.image, maxLongSide), quality);
    if (jpeg.isEmpty() && error) *error = QStringLiteral("the image cannot be written as JPEG");
    return jpeg;
}

QByteArray MakeThumbnailJpeg(const QString& path, QString* error, int maxSide)
{
    return RenderKeyImageJpeg(path, 0, error, maxSide, 80);
}

}  // namespace wr::imaging
