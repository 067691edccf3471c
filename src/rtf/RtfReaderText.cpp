// SPDX-License-Identifier: MIT
// Text: where bytes and characters go in each destination, and runs handed to the document.
#include "RtfReader.h"

#include "RtfCodePage.h"

namespace rtf {

// Characters above U+007F written literally in text that came as a QString (UTF-8 by now):
// they are themselves, whatever the code page.
void Reader::utf8Literal()
{
    const char* s = m_p;
    while (m_p < m_end && uint8_t(*m_p) >= 0x80)
        ++m_p;
    QString text = QString::fromUtf8(s, m_p - s);
    sanitizeText(text, 0);
    if (m_st.dest == Dest::Text) {
        prepareRun();
        decodePending();
        m_run.append(text);
    } else {
        flushAux(m_st.dest == Dest::FontTable ? fontEntryCodePage() : m_st.cp);
        m_aux.append(text);
    }
}

void Reader::byte(uint8_t b)
{
    switch (m_st.dest) {
    case Dest::Text:
        if (!hidden()) {
            prepareRun();
            m_bytes.push(char(b));
        }
        break;
    case Dest::LevelText:
        if (b < 0x20) { // the length and the level numbers: code pages drop control characters
            flushAux(m_st.cp, false);
            m_aux.append(QChar(b));
            break;
        }
        m_auxBytes.push(char(b));
        break;
    case Dest::FontTable:
    case Dest::ListText:
    case Dest::PnText:
    case Dest::FldInst:
    case Dest::ShapeProp:
        m_auxBytes.push(char(b));
        break;
    default:
        break;
    }
}

void Reader::character(char16_t c)
{
    switch (m_st.dest) {
    case Dest::Text:
        if (!hidden()) {
            prepareRun();
            decodePending();
            m_run.append(QChar(c));
        }
        break;
    case Dest::FontTable:
    case Dest::ListText:
    case Dest::PnText:
    case Dest::LevelText:
    case Dest::FldInst:
    case Dest::ShapeProp:
        flushAux(m_st.dest == Dest::FontTable ? fontEntryCodePage() : m_st.cp,
                 m_st.dest == Dest::FontTable || m_st.dest == Dest::ListText);
        m_aux.append(QChar(c));
        break;
    default:
        break;
    }
}

// Text is about to be added with the current properties: close the run if they changed.
void Reader::prepareRun()
{
    if (m_st.chr == m_runChr && m_st.cp == m_runCp)
        return;
    flushRun();
    m_runChr = m_st.chr;
    m_runCp = m_st.cp;
}

void Reader::decodePending()
{
    if (m_bytes.empty())
        return;
    m_diag.brokenDoubleByte += m_runCp->decode(m_bytes.data.get(), qsizetype(m_bytes.size), m_run);
    m_bytes.clear();
}

void Reader::flushRun()
{
    decodePending();
    if (m_run.isEmpty())
        return;
    if (!m_runChr.hasDoubleByteFormat()) {
        m_out.insertText(m_run, format(m_runChr), para());
    } else { // double-byte characters take the associated properties
        const CharProps db = m_runChr.doubleByte();
        const ParaProps p = para();
        auto isDoubleByte = [](QChar c) { return c.unicode() >= 0x2E80; };
        qsizetype from = 0;
        while (from < m_run.size()) {
            const bool wide = isDoubleByte(m_run.at(from));
            qsizetype to = from + 1;
            while (to < m_run.size() && isDoubleByte(m_run.at(to)) == wide)
                ++to;
            m_out.insertText(m_run.mid(from, to - from), format(wide ? db : m_runChr), p);
            from = to;
        }
    }
    m_run.resize(0);
}

void Reader::flushAux(const CodePage* cp, bool counted)
{
    if (m_auxBytes.empty())
        return;
    const int broken = cp->decode(m_auxBytes.data.get(), qsizetype(m_auxBytes.size), m_aux);
    if (counted)
        m_diag.brokenDoubleByte += broken;
    m_auxBytes.clear();
}

} // namespace rtf
