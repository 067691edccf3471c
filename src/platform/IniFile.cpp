// SPDX-License-Identifier: MIT
#include "IniFile.h"
#include "Exception.h"
#include "LegacyText.h"
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace {

// The file as lines, with what is needed to write it back the way it was.
struct TIniText {
    QStringList lines;
    QString eol;
    bool hadBom = false;
    bool legacy = false;  // read as GBK: written back in it, as the workstation's programs read it
    bool lossy = false;  // bytes that no supported encoding explains; never written back
};

bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Windows trims spaces and tabs only; an ideographic space belongs to the value.
QString TrimBlanks(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s.at(b))) ++b;
    while (e > b && IsBlank(s.at(e - 1))) --e;
    return s.mid(b, e - b);
}

bool IsQuote(QChar c) { return c == QLatin1Char('"') || c == QLatin1Char('\''); }

bool EnclosedInQuotes(const QString& s)
{
    return s.size() >= 2 && IsQuote(s.front()) && s.front() == s.back();
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

TIniText Load(const QString& fileName)
{
    TIniText text;
#ifdef Q_OS_WIN
    text.eol = QStringLiteral("\r\n");
#else
    text.eol = QStringLiteral("\n");
#endif
    if (!QFileInfo::exists(fileName)) return text;
    TDecodedText decoded = DecodeWindowsText(ReadFileBytes(fileName));
    text.hadBom = decoded.hadBom;
    text.legacy = decoded.legacy;
    text.lossy = decoded.lossy;
    const QString content = std::move(decoded.text);
    if (content.isEmpty()) return text;
    const qsizetype lf = content.indexOf(QLatin1Char('\n'));
    if (lf > 0 && content.at(lf - 1) == QLatin1Char('\r')) text.eol = QStringLiteral("\r\n");
    else if (lf >= 0) text.eol = QStringLiteral("\n");
    text.lines = content.split(QLatin1Char('\n'));
    if (text.lines.last().isEmpty()) text.lines.removeLast();  // the final line end
    for (QString& line : text.lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    return text;
}

void Save(const QString& fileName, const TIniText& text)
{
    if (text.lossy)
        throw EFileError(QStringLiteral("无法写入文件 %1：文件的字符编码无法识别，为避免损坏其内容未作修改").arg(fileName));
    QString content = text.lines.join(text.eol);
    if (!text.lines.isEmpty()) content += text.eol;
    QByteArray bytes;
    if (!text.legacy || !EncodeLegacyText(content, &bytes)) {
        bytes = content.toUtf8();
        // UTF-8 beyond ASCII is marked, so it never reads as GBK.
        const bool ascii = std::all_of(content.cbegin(), content.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (text.hadBom || !ascii) bytes.prepend("\xEF\xBB\xBF");
    }
    // Writing in place when the folder is read-only would forfeit the all-or-nothing write.
    QSaveFile file(fileName);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a short write (disk full, size limit) is seen here: a buffered
    // QSaveFile commits a truncated file as success. Writing the rest after a short write
    // makes the system report its reason.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        ok = n > 0;
        done += n;
    }
    if (!ok || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw EFileError(QStringLiteral("无法写入文件 %1：%2").arg(fileName, reason));
    }
}

std::optional<QString> SectionName(const QString& line)
{
    const QString t = TrimBlanks(line);
    if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close < 0) return std::nullopt;
    return TrimBlanks(t.mid(1, close - 1));
}

struct TKeyLine {
    QString key;
    QString value;
};

std::optional<TKeyLine> KeyLine(const QString& line)
{
    const QString t = TrimBlanks(line);
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('['))) return std::nullopt;
    const qsizetype eq = t.indexOf(QLatin1Char('='));
    if (eq < 0) return std::nullopt;
    QString value = TrimBlanks(t.mid(eq + 1));
    if (EnclosedInQuotes(value)) value = value.mid(1, value.size() - 2);
    return TKeyLine{TrimBlanks(t.left(eq)), value};
}

// Line range [header, end) of the first section with this name; header is -1 when absent.
struct TRange {
    qsizetype header = -1;
    qsizetype end = -1;
};

TRange FindSection(const QStringList& lines, const QString& section)
{
    TRange r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines.at(i));
        if (!name) continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (SameName(*name, section)) r.header = i;
    }
    if (r.header >= 0) r.end = lines.size();
    return r;
}

qsizetype FindKey(const QStringList& lines, const TRange& r, const QString& key)
{
    for (qsizetype i = r.header + 1; i < r.end; ++i) {
        const auto kl = KeyLine(lines.at(i));
        if (kl && SameName(kl->key, key)) return i;
    }
    return -1;
}

bool HasLineBreak(const QString& s)
{
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

void CheckNames(const QString& fileName, const QString& section, const QString& key)
{
    const bool sectionOk = !section.isEmpty() && TrimBlanks(section) == section && !HasLineBreak(section)
                           && !section.contains(QLatin1Char(']'));
    const bool keyOk = !key.isEmpty() && TrimBlanks(key) == key && !HasLineBreak(key) && !key.contains(QLatin1Char('='))
                       && !key.startsWith(QLatin1Char(';')) && !key.startsWith(QLatin1Char('['));
    if (!sectionOk || !keyOk)
        throw EFileError(QStringLiteral("无法写入文件 %1：节名“%2”或键名“%3”不能保存在INI文件中").arg(fileName, section, key));
}

}  // namespace

TIniFile::TIniFile(const QString& fileName) : m_fileName(fileName) {}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const TIniText text = Load(m_fileName);
    const TRange r = FindSection(text.lines, section);
    if (r.header < 0) return defaultValue;
    const qsizetype i = FindKey(text.lines, r, key);
    return i < 0 ? defaultValue : KeyLine(text.lines.at(i))->value;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const QString s = ReadString(section, key, QString()).trimmed();
    bool ok = false;
    int v = 0;
    if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) v = s.mid(2).toInt(&ok, 16);
    else if (s.startsWith(QLatin1Char('$'))) v = s.mid(1).toInt(&ok, 16);
    else v = s.toInt(&ok, 10);
    return ok ? v : defaultValue;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    CheckNames(m_fileName, section, key);
    if (HasLineBreak(value))
        throw EFileError(QStringLiteral("无法写入文件 %1：键“%2”的值含有换行符").arg(m_fileName, key));
    TIniText text = Load(m_fileName);
    const bool quote = TrimBlanks(value) != value || EnclosedInQuotes(value);
    const QString stored = quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;

    const TRange r = FindSection(text.lines, section);
    if (r.header < 0) {
        text.lines << QLatin1Char('[') + section + QLatin1Char(']') << key + QLatin1Char('=') + stored;
    } else if (const qsizetype i = FindKey(text.lines, r, key); i >= 0) {
        text.lines[i] = KeyLine(text.lines.at(i))->key + QLatin1Char('=') + stored;
    } else {
        // After the section's last key, so trailing blank lines and comments stay between sections.
        qsizetype at = r.header + 1;
        for (qsizetype j = r.header + 1; j < r.end; ++j)
            if (KeyLine(text.lines.at(j))) at = j + 1;
        text.lines.insert(at, key + QLatin1Char('=') + stored);
    }
    Save(m_fileName, text);
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::SectionExists(const QString& section) const
{
    return FindSection(Load(m_fileName).lines, section).header >= 0;
}

QStringList TIniFile::ReadSections() const
{
    QStringList names;
    for (const QString& line : Load(m_fileName).lines) {
        const auto name = SectionName(line);
        if (!name) continue;
        const bool seen = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return SameName(n, *name); });
        if (!seen) names << *name;
    }
    return names;
}

QStringList TIniFile::ReadSection(const QString& section) const
{
    const TIniText text = Load(m_fileName);
    const TRange r = FindSection(text.lines, section);
    QStringList keys;
    for (qsizetype i = r.header + 1; r.header >= 0 && i < r.end; ++i)
        if (const auto kl = KeyLine(text.lines.at(i))) keys << kl->key;
    return keys;
}

void TIniFile::EraseSection(const QString& section)
{
    TIniText text = Load(m_fileName);
    const TRange r = FindSection(text.lines, section);
    if (r.header < 0) return;
    text.lines.remove(r.header, r.end - r.header);
    Save(m_fileName, text);
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    TIniText text = Load(m_fileName);
    const TRange r = FindSection(text.lines, section);
    if (r.header < 0) return;
    const qsizetype i = FindKey(text.lines, r, key);
    if (i < 0) return;
    text.lines.removeAt(i);
    Save(m_fileName, text);
}
