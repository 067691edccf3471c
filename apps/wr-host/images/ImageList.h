// SPDX-License-Identifier: MIT
// What the images room shows of the open exam, read from the index (src/imaging): its
// instances in the order the machine made them, their thumbnails, and the instances no exam
// holds. A TImagePoller keeps it current from a thread of its own with its own connection,
// asking the database a cheap question each second and reading the lists only when the
// answer changed, so a new image shows within two seconds and the window never waits.
#pragma once
#include "imaging/DicomIndex.h"
#include <QHash>
#include <QImage>
#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

struct TImageLists {
    QString accnu;
    std::vector<wr::imaging::TDicomInstance> exam;
    std::vector<wr::imaging::TDicomInstance> unmatched;
    QHash<QString, QImage> thumbnails;   // by SOP Instance UID
    QString error;                       // the index could not be read (no schema, database down)
};

// Reads the lists on `conn` (thumbnails only when asked). Never throws: a failure is in .error.
TImageLists ReadImageLists(TDbConnection& conn, const QString& accnu, bool thumbnails, int unmatchedLimit = 200);

// Polls the index from its own thread. Create it on the UI thread; it moves its worker away
// and stops the thread when destroyed. `changed` is called on the UI thread.
class TImagePoller : public QObject {
    Q_OBJECT
public:
    // `target`: what OpenDatabase takes for a connection of its own.
    TImagePoller(QString target, std::function<void(const TImageLists&)> changed, QObject* parent = nullptr);
    ~TImagePoller() override;
    // The exam to follow (empty: none); reads at once.
    void Follow(const QString& accnu);
    // Reads again at once, whatever the database answers (after this workstation changed it).
    void Refresh();

private:
    void Tick();

    class TWorker;
    QThread m_thread;
    std::atomic<bool> m_busy{false};   // a poll is under way: ticks meanwhile are skipped
    TWorker* m_worker = nullptr;
    std::function<void(const TImageLists&)> m_changed;
};
