// SPDX-License-Identifier: MIT
// The index of received DICOM instances in the report database (table DicomInstance): what
// workstations list and show, and what wr-dicomd writes. Reads are queries; every write goes
// through a procedure (sp_DicomIndexInstance, sp_DicomAssignInstance, sp_DicomForwardResult,
// sp_DicomFileRemoved), so a workstation needs only SELECT and EXECUTE.
//
// An exam's images: the instances assigned to its accession, and those whose own
// AccessionNumber names it while nobody assigned them elsewhere. Unmatched: an instance
// nobody assigned whose accession names no Study (a Study registered later picks its images
// up by itself).
//
// Works on the caller's connection and thread; every failure throws EDatabaseError.
#pragma once
#include "platform/Database.h"
#include <QDateTime>
#include <QImage>
#include <optional>
#include <vector>

namespace wr::imaging {

struct TDicomHeader;

enum class TForwardState { None = 0, Pending = 1, Archived = 2 };

struct TDicomInstance
{
    QString sopInstanceUid, sopClassUid, studyInstanceUid, seriesInstanceUid;
    QString accessionNumber;   // as the instance carries it
    QString assignedAccnu;     // the exam a doctor assigned it to, empty when none
    QString patientId, patientName, modality;
    int instanceNumber = 0, frames = 1, width = 0, height = 0;
    qint64 fileSize = 0;
    QDateTime receivedAt;
    QString storeName;         // which receiver's store holds the file
    QString filePath;          // the file in that store
    TForwardState forwardState = TForwardState::None;
    int forwardAttempts = 0;
    QString forwardError;
    QDateTime archivedAt, removedAt;  // invalid when not (yet)
    bool FileRemoved() const { return removedAt.isValid(); }
};

class TDicomIndex
{
public:
    explicit TDicomIndex(TDbConnection& db);

    // Whether the database has the image index (upgrade 023 has run).
    bool HasSchema();

    // ---- workstations -------------------------------------------------------------
    // The images of an exam, in the order they were made (series, instance number, arrival).
    std::vector<TDicomInstance> ListExam(const QString& accnu);
    std::vector<TDicomInstance> ListStudy(const QString& studyInstanceUid);
    // Instances no exam holds, newest first.
    std::vector<TDicomInstance> ListUnmatched(int limit = 500);
    std::optional<TDicomInstance> Find(const QString& sopInstanceUid);
    // Changes whenever an instance arrives, is assigned or its file is removed: a poller
    // compares it before reading the lists again.
    QString ChangeSignature();
    // The thumbnail JPEG kept in the index; empty when there is none.
    QByteArray ThumbnailJpeg(const QString& sopInstanceUid);
    QImage Thumbnail(const QString& sopInstanceUid);
    // Gives the instance to the exam `accnu` (which must exist); an empty accnu undoes it.
    void Assign(const QString& sopInstanceUid, const QString& accnu);

    // ---- the receiver -------------------------------------------------------------
    void IndexInstance(const TDicomHeader& header, qint64 fileSize, const QString& storeName, const QString& filePath,
                       const QByteArray& thumbnailJpeg, bool forwardPending);
    // Instances of this store still waiting for the archive, oldest first.
    std::vector<TDicomInstance> PendingForward(const QString& storeName, int limit);
    void RecordForward(const QString& sopInstanceUid, bool archived, const QString& error);
    // Archived instances of this store whose file is still here, archived at least
    // `keepDays` days ago (by the database's clock).
    std::vector<TDicomInstance> Prunable(const QString& storeName, int keepDays, int limit);
    void MarkRemoved(const QString& sopInstanceUid);

private:
    std::vector<TDicomInstance> Select(const QString& where, const QString& orderBy, int limit);
    QString Literal(const QString& text) const;

    TDbConnection& m_db;
};

}  // namespace wr::imaging
