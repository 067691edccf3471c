// SPDX-License-Identifier: MIT
#include "NewStream.h"
#include <algorithm>
#include <cstring>

void TNewStream::Clear()
{
    m_own = QByteArray();
    m_data = nullptr;
    m_writable = nullptr;
    m_size = 0;
    m_pos = 0;
    m_borrowed = false;
}

void TNewStream::NewReadStream(void* p, int Len)
{
    NewReadStream(static_cast<const void*>(p), Len);
    if (m_borrowed) m_writable = static_cast<char*>(p);
}

void TNewStream::NewReadStream(const void* p, int Len)
{
    Clear();
    if (!p || Len <= 0) return;
    m_data = static_cast<const char*>(p);
    m_size = Len;
    m_borrowed = true;
}

qint64 TNewStream::Read(void* buffer, qint64 count)
{
    if (count <= 0 || m_pos >= m_size) return 0;
    const qint64 n = std::min(count, m_size - m_pos);
    std::memcpy(buffer, m_data + m_pos, static_cast<size_t>(n));
    m_pos += n;
    return n;
}

void TNewStream::Reserve(qint64 capacity)
{
    if (capacity <= m_own.size()) return;
    // Geometric growth keeps a long run of small writes linear overall.
    const qint64 grown = std::max<qint64>({capacity, m_own.size() + m_own.size() / 2, 256});
    const qint64 keep = m_size;
    QByteArray bigger(grown, '\0');
    if (keep > 0) std::memcpy(bigger.data(), m_data, static_cast<size_t>(keep));
    m_own = std::move(bigger);
    m_data = m_own.constData();
    m_writable = m_own.data();
}

void TNewStream::MoveToOwnMemory(qint64 capacity)
{
    if (!m_borrowed) {
        Reserve(capacity);
        return;
    }
    // Copy the whole current content, including what was written into the borrowed buffer.
    QByteArray own(std::max(capacity, m_size), '\0');
    if (m_size > 0) std::memcpy(own.data(), m_data, static_cast<size_t>(m_size));
    m_own = std::move(own);
    m_data = m_own.constData();
    m_writable = m_own.data();
    m_borrowed = false;
}

qint64 TNewStream::Write(const void* buffer, qint64 count)
{
    if (count <= 0) return 0;
    const qint64 end = m_pos + count;
    if (end > m_size || !m_writable) MoveToOwnMemory(end);
    if (m_pos > m_size) std::memset(m_writable + m_size, 0, static_cast<size_t>(m_pos - m_size));
    std::memcpy(m_writable + m_pos, buffer, static_cast<size_t>(count));
    m_pos = end;
    m_size = std::max(m_size, end);
    return count;
}

qint64 TNewStream::Seek(qint64 offset, TSeekOrigin origin)
{
    qint64 base = 0;
    if (origin == soCurrent) base = m_pos;
    else if (origin == soEnd) base = m_size;
    m_pos = std::max<qint64>(0, base + offset);
    return m_pos;
}

void TNewStream::SetSize(qint64 size)
{
    size = std::max<qint64>(0, size);
    if (size > m_size) {
        MoveToOwnMemory(size);
        std::memset(m_writable + m_size, 0, static_cast<size_t>(size - m_size));
    }
    m_size = size;
    if (m_pos > m_size) m_pos = m_size;
}

QByteArray TNewStream::Bytes(qint64 offset, qint64 count) const
{
    offset = std::clamp<qint64>(offset, 0, m_size);
    count = std::clamp<qint64>(count, 0, m_size - offset);
    return count > 0 ? QByteArray(m_data + offset, count) : QByteArray("");
}

void WriteBlocks(TNewStream& stream, const QByteArray& bytes, qint64 blockSize)
{
    if (blockSize <= 0) blockSize = bytes.size();
    for (qint64 at = 0; at < bytes.size(); at += blockSize)
        stream.Write(bytes.constData() + at, std::min<qint64>(blockSize, bytes.size() - at));
}

QByteArray StreamRtfOverPlainText(const QString& plainText, const std::function<void(TNewStream&)>& writeRtf)
{
    // Len counts characters but the stream counts bytes: the first Len bytes of the UTF-16
    // text. The copy is ours, so writing into it in place harms nobody.
    QByteArray scratch(reinterpret_cast<const char*>(plainText.utf16()), plainText.size());
    TNewStream stream;
    stream.NewReadStream(scratch.data(), static_cast<int>(scratch.size()));
    stream.SetPosition(0);
    writeRtf(stream);
    return stream.Bytes(0, stream.Position());
}
