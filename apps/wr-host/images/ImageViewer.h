// SPDX-License-Identifier: MIT
// One image enlarged (Dlg_imageView): the frame decoded from its DICOM file, a slider for the
// frame of a loop (Sld_imageFrame; each frame is decoded alone, never the whole loop), and
// Btn_useFrame, which makes the frame shown a key image (or takes it back). Not modal; deletes
// itself when closed. UI thread.
#pragma once
#include "imaging/DicomIndex.h"
#include <QDialog>

class QLabel;
class QSlider;

class TImageViewer final : public QDialog {
    Q_OBJECT
public:
    TImageViewer(const wr::imaging::TDicomInstance& instance, QWidget* parent);
    int Frame() const;

signals:
    void frameChosen(int frame);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFrame(int frame);
    void Fit();

    wr::imaging::TDicomInstance m_instance;
    QImage m_image;
    QLabel* m_picture = nullptr;
    QLabel* m_caption = nullptr;
    QSlider* m_frame = nullptr;
};
