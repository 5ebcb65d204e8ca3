// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncFileWriter.h"

#include <new>

SyncFileWriter::SyncFileWriter() : m_thread([this] { run(); }) {}

SyncFileWriter::~SyncFileWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void SyncFileWriter::write(StoredFile &file, Encode encode)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_queue.empty() && m_queue.back().file == &file)
            m_queue.back().encode = std::move(encode);
        else
            m_queue.push_back(Job{&file, std::move(encode)});
    }
    m_changed.notify_all();
}

bool SyncFileWriter::writeWith(SyncFileWriter *writer, StoredFile &file, Encode encode)
{
    if (!writer)
        return file.write(encode());
    writer->write(file, std::move(encode));
    return true;
}

void SyncFileWriter::finish()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.empty() && !m_writing; });
}

void SyncFileWriter::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_queue.empty())
            return;
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        m_writing = true;
        lock.unlock();
        bool written = false;
        try {
            written = job.file->write(job.encode());
        } catch (const std::bad_alloc &) {
        }
        if (!written)
            QMetaObject::invokeMethod(this, &SyncFileWriter::writeFailed, Qt::QueuedConnection);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}
