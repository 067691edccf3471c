// SPDX-License-Identifier: MIT
// The key images of a report: the frames a doctor chose to print between the patient data
// and the findings, in print order, each kept in the database as the JPEG printed
// (db/*/upgrades/027-key-images.sql), so any workstation prints the same sheet without the
// DICOM file. The choice is written by the editor session's save step, in the save's
// transaction; replaced choices are kept in KeyImageChoiceHistory for the report's history.
//
// Widget-free; database calls throw EDatabaseError; one connection per thread.
#pragma once
#include "platform/Database.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The most key images a sheet has a layout for.
inline constexpr int kMaxKeyImagesOnSheet = 6;

struct TKeyImage {
    QString sopInstanceUid;
    int frame = 0;              // 0-based frame of the instance
    int width = 0, height = 0;  // of the JPEG
    QByteArray jpeg;            // as printed

    // The same frame of the same instance (the JPEG does not count).
    bool SameSource(const TKeyImage& o) const { return sopInstanceUid == o.sopInstanceUid && frame == o.frame; }
};

// The choice as the database keeps it: "<SOP Instance UID>:<frame>" in print order, separated
// by blanks; empty for none.
QString KeyImageChoiceText(const QList<TKeyImage>& images);
// The (UID, frame) pairs of a choice text; false with *error for a text that is not one.
bool ParseKeyImageChoice(const QString& text, QList<std::pair<QString, int>>* out, QString* error);

// Whether the database has the tables (upgrade 027 has run). Without them the images can be
// looked at but not chosen for the sheet.
bool KeyImagesAvailable(TDbConnection& conn);

// The stored key images of a report, in print order, JPEG included; empty without tables.
QList<TKeyImage> LoadKeyImages(TDbConnection& conn, const QString& ruid);
// The stored choice text; empty when none (or no tables).
QString StoredKeyImageChoice(TDbConnection& conn, const QString& ruid);
// The choice the report had at the stamp `reportVersion` (a version of ListReportVersions):
// the newest saved at or before it; nullopt when the report had none then.
std::optional<QString> KeyImageChoiceAt(TDbConnection& conn, const QString& ruid, qint64 reportVersion);

// Writes the choice and its images (call on the connection and inside the transaction of the
// report's save, after sp_SaveReportInfo). Refuses, before writing anything, more than
// kMaxKeyImagesOnSheet images or one without a JPEG (EDatabaseError).
void SaveKeyImages(TDbConnection& conn, const QString& ruid, const QList<TKeyImage>& images, const QString& savedBy);

// What the doctor has chosen for the open report, against what was stored when it was
// opened (or last saved). Only a changed choice is written by a save: a workstation that
// did not touch the images never puts back an older choice over one another workstation
// saved meanwhile (a changed choice made the report's save a change, so that workstation's
// save met the conflict question first).
class TKeyImageSelection {
public:
    // The stored images of `ruid`, as opened.
    void Load(TDbConnection& conn, const QString& ruid);
    void Reset();   // no report
    const QString& Ruid() const { return m_ruid; }

    const QList<TKeyImage>& Images() const { return m_images; }
    // 1-based print position of the frame, 0 when it is not a key image.
    int PositionOf(const QString& sopInstanceUid, int frame = -1) const;
    // Replaces the choice; false with *error (nothing changed) for more than `max` images or
    // one given twice.
    bool Set(const QList<TKeyImage>& images, int max, QString* error);
    // Adds at the end (false when `max` are chosen) or removes a frame of an instance.
    bool Add(const TKeyImage& image, int max, QString* error);
    void Remove(const QString& sopInstanceUid, int frame);
    // Moves the image at position `from` (1-based) by `delta` places.
    bool Move(int from, int delta);
    void Clear() { m_images.clear(); }

    bool Changed() const { return KeyImageChoiceText(m_images) != m_loadedChoice; }
    // The save step: writes the choice when it changed. True when something was written.
    bool Save(TDbConnection& conn, const QString& ruid, const QString& savedBy);
    // The save was committed: the choice now counts as stored.
    void Saved() { m_loadedChoice = KeyImageChoiceText(m_images); }

private:
    QString m_ruid;
    QString m_loadedChoice;
    QList<TKeyImage> m_images;
};
