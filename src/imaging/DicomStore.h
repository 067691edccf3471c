// SPDX-License-Identifier: MIT
// The folder wr-dicomd stores instances in, written so that a kill at any moment leaves
// nothing half: a transfer is written under incoming/, synced, then renamed to its final name
// (the SOP Instance UID, in one of 256 sub-folders) and the folder synced. Before the rename a
// marker queue/<uid> is written and synced: the indexer takes markers one by one and removes
// each only once the index holds the instance, so a stored file is always indexed eventually,
// even after a kill or while the database is down.
//
// Thread-safe: every association and the indexer may call it at once.
#pragma once
#include <QString>
#include <QStringList>
#include <mutex>

namespace wr::imaging {

class TDicomStore
{
public:
    explicit TDicomStore(const QString& root);

    // Creates the folders; false and `error` when the store cannot be written.
    bool Prepare(QString* error);
    const QString& Root() const { return m_root; }
    // How the index names this store: "<host name>:<root>". Several receivers may share one
    // database; each forwards and prunes only the instances of its own store.
    QString Name() const;
    // The bytes an unprivileged writer may still use on the store's file system; -1 when the
    // system cannot say. Asked of the folder itself, so it holds in a container or chroot where
    // the mount table does not show the store's mount.
    qint64 FreeBytes() const;

    // A fresh name under incoming/ for one transfer.
    QString NewTemporaryPath();
    // Removes transfers a killed process left in incoming/ (none of them was acknowledged).
    int RemoveLeftovers();

    // Whether `uid` can name a file and is a valid UID: 1 to 64 digits and dots.
    static bool IsValidUid(const QString& uid);
    // Where the instance `sopUid` lives once stored.
    QString PathFor(const QString& sopUid) const;

    enum class TCommit { Stored, AlreadyStored, Failed };
    // Makes the synced temporary file `temporaryPath` the stored instance `sopUid`. An instance
    // already stored is kept as it is (AlreadyStored) and the temporary file removed. Failed:
    // nothing counts as stored, the temporary file is removed, `error` says why.
    TCommit Commit(const QString& temporaryPath, const QString& sopUid, QString* error);

    // Instances waiting for the index, oldest first.
    QStringList Queued() const;
    void Dequeue(const QString& sopUid);
    // Removes the marker of an instance whose file is not there, and says so. A marker is
    // written before its file is renamed into place: under the store's lock no commit is
    // half-way, so a missing file is one a kill or a failed rename left, never one on its way.
    bool DropMarkerWithoutFile(const QString& sopUid);
    // Queues an instance that is stored already (an import of a file stored before).
    bool Enqueue(const QString& sopUid, QString* error);

    // Deletes the stored file of an instance (after archiving); true when it is gone.
    bool RemoveStored(const QString& sopUid, QString* error);

private:
    QString m_root;
    std::mutex m_mutex;
    quint64 m_counter = 0;
};

// Writes a file's data and metadata to disk (fsync); false when the file cannot be synced.
bool SyncFile(const QString& path);
// Makes a rename or a new name in `folder` durable.
bool SyncFolder(const QString& folder);

}  // namespace wr::imaging
