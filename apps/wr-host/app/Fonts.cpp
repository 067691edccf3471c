// SPDX-License-Identifier: MIT
#include "app/Fonts.h"
#include <QFont>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>

namespace {
// In order of preference; the first installed one wins. Noto comes first because WenQuanYi
// Micro Hei draws some symbols (℃) as an empty glyph.
const char* const kSans[] = {"Noto Sans CJK SC", "Noto Sans SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                             "WenQuanYi Zen Hei", "Droid Sans Fallback"};
const char* const kSerif[] = {"Noto Serif CJK SC", "Noto Serif SC", "Source Han Serif SC", "AR PL UMing CN",
                              "AR PL SungtiL GB"};

QString FirstInstalled(const QStringList& installed, const char* const* begin, const char* const* end)
{
    for (auto it = begin; it != end; ++it)
        for (const QString& f : installed)
            if (f.compare(QLatin1String(*it), Qt::CaseInsensitive) == 0) return f;
    return {};
}
} // namespace

TFontMapping ChooseCjkFonts(const QStringList& installed)
{
    TFontMapping m;
    m.sans = FirstInstalled(installed, std::begin(kSans), std::end(kSans));
    m.serif = FirstInstalled(installed, std::begin(kSerif), std::end(kSerif));
    if (m.serif.isEmpty()) m.serif = m.sans;
    return m;
}

QFont FontDrawing(const QFont& preferred, const QString& text)
{
    auto draws = [&](const QFont& f) {
        const QRawFont raw = QRawFont::fromFont(f);
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        if (!raw.isValid() || glyphs.isEmpty()) return false;
        for (quint32 g : glyphs)
            if (g == 0 || raw.pathForGlyph(g).isEmpty()) return false;
        return true;
    };
    if (draws(preferred)) return preferred;
    for (const char* family : {"DejaVu Sans", "Noto Sans", "Noto Sans Symbols", "Liberation Sans", "FreeSans"}) {
        QFont f = preferred;
        f.setFamilies({QLatin1String(family)});
        if (draws(f)) return f;
    }
    return preferred;
}

TFontMapping InstallCjkFontSubstitutes()
{
    const TFontMapping m = ChooseCjkFonts(QFontDatabase::families());
    if (!m.sans.isEmpty()) {
        for (const char* name : {"微软雅黑", "Microsoft YaHei", "Microsoft YaHei UI"})
            QFont::insertSubstitution(QString::fromUtf8(name), m.sans);
    }
    if (!m.serif.isEmpty()) {
        for (const char* name : {"宋体", "SimSun", "新宋体", "NSimSun"})
            QFont::insertSubstitution(QString::fromUtf8(name), m.serif);
    }
    return m;
}
