// SPDX-License-Identifier: MIT
// Local drafts of reports being edited: what a doctor typed survives a crash, a kill, a
// power loss or a lost database connection until it is saved or explicitly discarded.
//
// Layout, under the root (by default <AppDataLocation>/drafts):
//   <user>/<ruid>.draft                   the live draft of one report (one per report)
//   <user>/backup/<yyyy-MM-dd>/<ruid>-<hhmmss>[-label].draft
//                                          discarded drafts and kept copies, 30 days
// Folders are owner-only (0700) and files owner-only (0600): drafts hold patient text. At
// start the host calls TidyAll, which tightens what an older version left readable and
// removes drafts and backups older than the configured time.
// <user> is the login's user code (its name when there is no code) with characters that
// cannot stand in a file name replaced, so one user never sees another's drafts.
//
// A draft file is UTF-8 JSON holding the user, the report, the time it was written, a
// digest of the stored row the edit started from, every section the doctor can edit (texts,
// doctors, dates, the positive flag, the hip-joint values) and both rich texts as RTF.
// Writes are atomic (a temporary file renamed over the old one) and synced to disk, so a
// draft on disk is always a whole one: the last complete state, never a torn mix.
//
// Users of the copy API: the report editor keeps the live draft; a save that gives up the
// doctor's own edits in favour of a newer stored version (conflict "take theirs") calls
// TDraftStore::KeepCopy with a label, so those edits stay restorable from the backup folder.
// Widget-free; any thread, one store object per thread.
#pragma once
#include "ReportInfo.h"
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct TReportDraft {
    QString ruid;
    QString userCode;
    QString userName;
    QDateTime written;          // when the draft was written (UTC)
    QByteArray base;            // digest of the stored row the edit started from (TDraftStore::RowDigest)
    TReportInfo record;         // the editable fields as the form showed them (others empty)
    QByteArray rtfSuoJian;      // findings as RTF
    QByteArray rtfJieLun;       // impression as RTF
};

// One editable section of a report, for telling a doctor what a draft changes.
struct TDraftDifference {
    QString section;   // Chinese caption of the section, e.g. "检查所见"
    QString stored;    // the text as stored (plain text for the rich sections)
    QString draft;     // the text in the draft
};

// What TidyAll did, for the log.
struct TDraftTidy {
    int tightened = 0;          // folders and files whose mode was narrowed to the owner
    int draftsRemoved = 0;      // live drafts older than the time kept
    int backupDaysRemoved = 0;  // backup day folders older than the time kept
    QStringList errors;         // what could not be changed or removed
};

class TDraftStore {
public:
    // root: the drafts folder; user: the login's code, or its name when the code is empty.
    TDraftStore(QString root, const QString& userCode, const QString& userName);

    // <AppDataLocation>/drafts of the running application.
    static QString DefaultRoot();
    // How long discarded drafts and kept copies stay in the backup folder.
    static constexpr int kBackupDays = 30;

    const QString& UserFolder() const { return m_userFolder; }
    QString FileFor(const QString& ruid) const;
    QString BackupFolder() const;

    // Writes the live draft of draft.ruid atomically and syncs it to disk. False with the
    // reason (file system full, no permission, size limit, ...); the old draft then stays.
    bool Write(const TReportDraft& draft, QString* error);
    // The live draft of ruid; nothing when there is none, when it cannot be read (the reason
    // in *error) or when it belongs to another user or report.
    std::optional<TReportDraft> Read(const QString& ruid, QString* error = nullptr) const;
    bool Exists(const QString& ruid) const;
    // Removes the live draft (after a successful save). True when none is left.
    bool Remove(const QString& ruid);
    // Moves the live draft into today's backup folder (the doctor discarded it), then drops
    // backups older than kBackupDays. True when no live draft is left.
    bool Discard(const QString& ruid, QString* error = nullptr);
    // Writes a copy of draft into today's backup folder under a label (letters, digits, '-'
    // and '_' kept; others become '_'), beside the live draft, which is left alone. Returns
    // the file written, empty with *error on failure.
    QString KeepCopy(const TReportDraft& draft, const QString& label, QString* error = nullptr);
    // Deletes backup day folders older than keepDays before `today`. Returns how many went.
    int PruneBackups(const QDate& today, int keepDays = kBackupDays);
    // For every user under root: folders 0700 and files 0600, live drafts last written before
    // now - keepDays (at least 1) removed, and backup day folders older than keepDays days.
    // Links are neither followed nor removed. Meant for the start of the program, before any
    // editor writes drafts.
    static TDraftTidy TidyAll(const QString& root, int keepDays, const QDateTime& now);
    // Reports that have a live draft of this user.
    QStringList DraftRuids() const;

    // A digest of the stored row as loaded: every field but the review date (which loading
    // sets to the time of opening on unfinished reports), and both rich texts.
    static QByteArray RowDigest(const TReportInfo& row);
    // The editable sections whose text differs between the stored row and the draft. The
    // rich sections are compared by their plain text, then by their RTF: stored.Frtf_* must
    // hold the RTF the editor writes for the stored documents (not the column's own bytes,
    // which another writer may have spelled differently). The review date is left out for
    // the reason above.
    static QList<TDraftDifference> Differences(const TReportInfo& stored, const QString& storedPlainSuoJian,
                                               const QString& storedPlainJieLun, const TReportDraft& draft,
                                               const QString& draftPlainSuoJian, const QString& draftPlainJieLun);

    // The stored row with what the draft holds of the form (every field a draft keeps, the
    // rich texts included); codes and states stay as stored.
    static TReportInfo Restored(const TReportInfo& stored, const TReportDraft& draft);

    // The draft as file content, and back (nothing for malformed content).
    static QByteArray Serialize(const TReportDraft& draft);
    static std::optional<TReportDraft> Parse(const QByteArray& content, QString* error = nullptr);

private:
    QString m_root;
    QString m_user;
    QString m_userName;
    QString m_userFolder;
};
