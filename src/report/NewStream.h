// SPDX-License-Identifier: MIT
// TNewStream: a growable in-memory byte stream that can present a borrowed buffer without
// copying it (NewReadStream). The save uses it to take a rich edit's RTF.
//
// Ownership: a borrowed buffer stays the lender's; the stream never frees it and must not
// outlive it. A buffer lent as writable (void*) receives writes that stay within its first
// Len bytes; a buffer lent as read-only (const void*) is never written: the first write
// copies the content into the stream's own memory. A write that reaches past the current
// size always moves the stream into memory of its own first (everything up to that point is
// copied), and the borrowed buffer is not touched again. Not thread-safe.
#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

class TNewStream {
public:
    enum TSeekOrigin { soBeginning, soCurrent, soEnd };

    TNewStream() = default;
    TNewStream(const TNewStream&) = delete;
    TNewStream& operator=(const TNewStream&) = delete;

    // Empties the stream, then presents the Len bytes at p as its content: size Len,
    // position 0. A null p or a negative Len gives an empty stream.
    void NewReadStream(void* p, int Len);
    void NewReadStream(const void* p, int Len);

    // Copies up to count bytes from the position on; returns how many were copied.
    qint64 Read(void* buffer, qint64 count);
    // Writes count bytes at the position (a gap after a seek past the end reads as zeros);
    // returns count.
    qint64 Write(const void* buffer, qint64 count);
    qint64 Seek(qint64 offset, TSeekOrigin origin);

    qint64 Position() const { return m_pos; }
    void SetPosition(qint64 pos) { Seek(pos, soBeginning); }
    qint64 Size() const { return m_size; }
    // Shrinking keeps a borrowed buffer; growing moves into own memory (new bytes are zero).
    void SetSize(qint64 size);
    // Releases own memory and forgets a borrowed buffer: size and position 0.
    void Clear();

    const char* Memory() const { return m_data; }
    // True while the content still lives in the lender's buffer.
    bool Borrowed() const { return m_borrowed; }
    // A copy of count bytes from offset (clipped to the content).
    QByteArray Bytes(qint64 offset, qint64 count) const;
    QByteArray Bytes() const { return Bytes(0, m_size); }

private:
    void MoveToOwnMemory(qint64 capacity);
    void Reserve(qint64 capacity);

    QByteArray m_own;             // own memory; its size is the capacity
    const char* m_data = nullptr; // the content: m_own's bytes or the borrowed buffer
    char* m_writable = nullptr;   // non-null while writes may go into m_data in place
    qint64 m_size = 0;
    qint64 m_pos = 0;
    bool m_borrowed = false;
};

// Writes bytes into the stream in blocks of at most blockSize bytes, as a control streams
// its content out.
void WriteBlocks(TNewStream& stream, const QByteArray& bytes, qint64 blockSize = 4096);

// The RTF that writeRtf writes from position 0 into a stream prepared with NewReadStream
// over the control's plain text (its length in characters as Len). The stream borrows a
// private copy of that text, never the control's own buffer. The result holds exactly the
// bytes written, also should the RTF come out shorter than the borrowed text.
QByteArray StreamRtfOverPlainText(const QString& plainText, const std::function<void(TNewStream&)>& writeRtf);
