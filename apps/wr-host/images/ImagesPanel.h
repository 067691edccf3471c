// SPDX-License-Identifier: MIT
// The images beside the editor (objectName Panel_images, in a dock of the window): the open
// exam's thumbnails (List_images; a tick makes an image a key image, its print position is
// shown; double-click enlarges it), the key images' order (Btn_keyImageUp/Down, Btn_clearKeyImages)
// and the instances no exam holds (List_unmatched, Btn_assignImage gives one to the open
// exam). The choice is the open report's and is written by the report's save (a save step).
//
// Key images can be chosen only while the report is unlocked, as any change of it; each
// chosen frame is rendered at once (JPEG, long side 1,600 px), so the save needs no DICOM
// file. UI thread only; the script commands (ImagesRoom.cpp) call the same functions.
#pragma once
#include "hostdata/KeyImages.h"
#include "images/ImageList.h"
#include <QWidget>

class IHostContext;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Fills the thumbnail strip: one checkable item per image of the exam, "N  WxH  [F帧]  [★P]",
// its SOP Instance UID as Qt::UserRole.
void FillImageStrip(QListWidget& strip, const TImageLists& lists, const TKeyImageSelection& selection);

class TImagesPanel final : public QWidget {
    Q_OBJECT
public:
    TImagesPanel(IHostContext& host, QWidget* parent = nullptr);

    // The session's events.
    void ReportOpened(const QString& ruid);
    void ReportClosed();
    void ReportSaved() { m_selection.Saved(); }
    // The save step (in the save's transaction).
    void SaveStep(TDbConnection& conn, const QString& ruid);
    // A key image choice of the open report that is not saved yet.
    bool HasUnsavedChoice() const;

    // Reads the lists now, on the main connection (scripts, after an assignment or import).
    bool Reload(QString* error);
    const TImageLists& Lists() const { return m_lists; }
    const TKeyImageSelection& Selection() const { return m_selection; }
    // "image N<TAB>UID<TAB>frames<TAB>WxH<TAB>P", one per image of the exam.
    QStringList ListLines() const;
    // "key N<TAB>UID<TAB>frame" (frame 1-based), in print order.
    QStringList KeyImageLines() const;

    // Makes images (1-based numbers of the exam's list, each with a 0-based frame) the key
    // images in that order; an empty list clears them. False with the reason.
    bool SelectImages(const QList<std::pair<int, int>>& numbersAndFrames, QString* error);
    // Adds or removes one frame (0-based) of the exam's image `number` (1-based); frame -1 is
    // the thumbnail's tick: removes every chosen frame of the image, or adds its first.
    bool ToggleKeyImage(int number, int frame, QString* error);
    bool MoveKeyImage(int position, int delta, QString* error);
    // Gives the unmatched instance `number` (1-based, as listed) to the open exam.
    bool AssignUnmatched(int number, QString* error);
    int MaxImages() const;

signals:
    // Whether there is anything to show: images of the open exam, unmatched ones, key images.
    void hasImagesChanged(bool any);

private:
    void Show(const TImageLists& lists);
    void Redraw();
    bool MayChoose(QString* error) const;
    bool Render(const wr::imaging::TDicomInstance& instance, int frame, TKeyImage* out, QString* error);
    void Enlarge(int number);
    void Tell(const QString& text);
    void WarnUnsaved();

    IHostContext& m_host;
    TKeyImageSelection m_selection;
    TImageLists m_lists;
    QString m_ruid;
    TImagePoller* m_poller = nullptr;
    QListWidget* m_strip = nullptr;
    QListWidget* m_unmatched = nullptr;
    QLabel* m_caption = nullptr;
    QPushButton *m_up = nullptr, *m_down = nullptr, *m_clear = nullptr, *m_assign = nullptr;
    bool m_redrawing = false;
    bool m_hadImages = false;
};
