// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <StoredFile.h>

#include <QByteArray>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Writes the sync engine's files on a thread of its own, in the order asked,
// so that the window never waits for the disk (each write ends with a sync to
// it), nor for the encoding of a long list: a write is asked for with what
// makes its bytes, from a snapshot, on the writer's thread. A write asked for
// while the same file's previous one still waits last in the queue takes its
// place. A kill loses only writes not yet done, which
// the engine redoes from the list and the server.
class SyncFileWriter : public QObject {
    Q_OBJECT
public:
    SyncFileWriter();
    // Does every write asked for first.
    ~SyncFileWriter() override;

    // `file` must outlive the writer and be read only while none waits
    // (`finish`); `encode` runs on the writer's thread.
    using Encode = std::function<QByteArray()>;
    void write(StoredFile &file, Encode encode);
    // Returns once every write asked for is done.
    void finish();

    // Writes at once without a writer, else asks it to: true when written or
    // asked.
    static bool writeWith(SyncFileWriter *writer, StoredFile &file, Encode encode);

signals:
    // A write failed; told on the thread that made the writer.
    void writeFailed();

private:
    struct Job {
        StoredFile *file;
        Encode encode;
    };
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_queue;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};
