// SPDX-License-Identifier: MIT
#include "images/ImageViewer.h"
#include "imaging/DicomDecode.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

TImageViewer::TImageViewer(const wr::imaging::TDicomInstance& instance, QWidget* parent)
    : QDialog(parent), m_instance(instance)
{
    setObjectName(QStringLiteral("Dlg_imageView"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("图像 %1").arg(instance.sopInstanceUid));
    auto* layout = new QVBoxLayout(this);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Lbl_imageView"));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setMinimumSize(320, 240);
    m_picture->setStyleSheet(QStringLiteral("background: black"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Lbl_imageFrame"));
    m_frame = new QSlider(Qt::Horizontal, this);
    m_frame->setObjectName(QStringLiteral("Sld_imageFrame"));
    m_frame->setRange(0, std::max(1, instance.frames) - 1);
    m_frame->setVisible(instance.frames > 1);
    // Decoded when the slider stops, not for every frame passed on the way.
    m_frame->setTracking(false);
    auto* use = new QPushButton(QStringLiteral("设为/取消关键图像"), this);
    use->setObjectName(QStringLiteral("Btn_useFrame"));
    auto* row = new QHBoxLayout;
    row->addWidget(m_caption, 1);
    row->addWidget(use);
    layout->addWidget(m_picture, 1);
    layout->addWidget(m_frame);
    layout->addLayout(row);
    connect(m_frame, &QSlider::valueChanged, this, &TImageViewer::ShowFrame);
    connect(use, &QPushButton::clicked, this, [this] { emit frameChosen(Frame()); });
    resize(900, 700);
    ShowFrame(0);
}

int TImageViewer::Frame() const { return m_frame->value(); }

void TImageViewer::ShowFrame(int frame)
{
    const wr::imaging::TDecodedFrame decoded = wr::imaging::DecodeDicomFrame(m_instance.filePath, frame);
    m_image = decoded.image;
    if (m_image.isNull()) {
        m_picture->setText(QStringLiteral("无法显示：%1").arg(decoded.error));
        m_caption->setText(QString());
        return;
    }
    m_caption->setText(QStringLiteral("%1x%2  第 %3/%4 帧").arg(m_image.width()).arg(m_image.height()).arg(frame + 1)
                           .arg(std::max(1, m_instance.frames)));
    Fit();
}

void TImageViewer::Fit()
{
    if (m_image.isNull()) return;
    m_picture->setPixmap(QPixmap::fromImage(m_image.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void TImageViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Fit();
}
