// SPDX-License-Identifier: MIT
#include "Pinyin.h"
#include "PinyinTable.h"
#include <QHash>
#include <QList>
#include <utility>

namespace wr::imaging {

namespace {

// Surnames whose reading differs from the character's customary one, and the two-character
// surnames, which stay together. Simplified and traditional forms where they differ.
const QHash<QString, QString>& SurnameReadings()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("单"), QStringLiteral("shan")}, {QStringLiteral("單"), QStringLiteral("shan")},
        {QStringLiteral("曾"), QStringLiteral("zeng")}, {QStringLiteral("解"), QStringLiteral("xie")},
        {QStringLiteral("仇"), QStringLiteral("qiu")}, {QStringLiteral("区"), QStringLiteral("ou")},
        {QStringLiteral("區"), QStringLiteral("ou")}, {QStringLiteral("查"), QStringLiteral("zha")},
        {QStringLiteral("朴"), QStringLiteral("piao")}, {QStringLiteral("盖"), QStringLiteral("ge")},
        {QStringLiteral("蓋"), QStringLiteral("ge")}, {QStringLiteral("缪"), QStringLiteral("miao")},
        {QStringLiteral("繆"), QStringLiteral("miao")}, {QStringLiteral("覃"), QStringLiteral("qin")},
        {QStringLiteral("翟"), QStringLiteral("zhai")}, {QStringLiteral("召"), QStringLiteral("shao")},
        {QStringLiteral("种"), QStringLiteral("chong")}, {QStringLiteral("秘"), QStringLiteral("bi")},
        {QStringLiteral("乐"), QStringLiteral("yue")}, {QStringLiteral("樂"), QStringLiteral("yue")},
        {QStringLiteral("员"), QStringLiteral("yun")}, {QStringLiteral("員"), QStringLiteral("yun")},
        {QStringLiteral("贲"), QStringLiteral("ben")}, {QStringLiteral("长"), QStringLiteral("chang")},
        {QStringLiteral("折"), QStringLiteral("she")},
        {QStringLiteral("句"), QStringLiteral("gou")}, {QStringLiteral("隗"), QStringLiteral("wei")},
        {QStringLiteral("黑"), QStringLiteral("he")}, {QStringLiteral("尉"), QStringLiteral("wei")},
        {QStringLiteral("繁"), QStringLiteral("po")}, {QStringLiteral("宓"), QStringLiteral("mi")},
        {QStringLiteral("柏"), QStringLiteral("bai")}, {QStringLiteral("薄"), QStringLiteral("bo")},
        {QStringLiteral("重"), QStringLiteral("chong")}, {QStringLiteral("都"), QStringLiteral("du")},
        {QStringLiteral("阚"), QStringLiteral("kan")}, {QStringLiteral("闞"), QStringLiteral("kan")},
        {QStringLiteral("纪"), QStringLiteral("ji")}, {QStringLiteral("紀"), QStringLiteral("ji")},
        {QStringLiteral("沈"), QStringLiteral("shen")}, {QStringLiteral("藏"), QStringLiteral("zang")},
        {QStringLiteral("曲"), QStringLiteral("qu")}, {QStringLiteral("过"), QStringLiteral("guo")},
        {QStringLiteral("過"), QStringLiteral("guo")}, {QStringLiteral("那"), QStringLiteral("na")},
        {QStringLiteral("任"), QStringLiteral("ren")}, {QStringLiteral("华"), QStringLiteral("hua")},
        {QStringLiteral("華"), QStringLiteral("hua")}, {QStringLiteral("传"), QStringLiteral("chuan")},
        // Two-character surnames.
        {QStringLiteral("尉迟"), QStringLiteral("yuchi")}, {QStringLiteral("尉遲"), QStringLiteral("yuchi")},
        {QStringLiteral("欧阳"), QStringLiteral("ouyang")}, {QStringLiteral("歐陽"), QStringLiteral("ouyang")},
        {QStringLiteral("司马"), QStringLiteral("sima")}, {QStringLiteral("司馬"), QStringLiteral("sima")},
        {QStringLiteral("诸葛"), QStringLiteral("zhuge")}, {QStringLiteral("諸葛"), QStringLiteral("zhuge")},
        {QStringLiteral("上官"), QStringLiteral("shangguan")}, {QStringLiteral("东方"), QStringLiteral("dongfang")},
        {QStringLiteral("東方"), QStringLiteral("dongfang")}, {QStringLiteral("皇甫"), QStringLiteral("huangfu")},
        {QStringLiteral("令狐"), QStringLiteral("linghu")}, {QStringLiteral("夏侯"), QStringLiteral("xiahou")},
        {QStringLiteral("慕容"), QStringLiteral("murong")}, {QStringLiteral("长孙"), QStringLiteral("zhangsun")},
        {QStringLiteral("長孫"), QStringLiteral("zhangsun")}, {QStringLiteral("宇文"), QStringLiteral("yuwen")},
        {QStringLiteral("司徒"), QStringLiteral("situ")}, {QStringLiteral("公孙"), QStringLiteral("gongsun")},
        {QStringLiteral("公孫"), QStringLiteral("gongsun")}, {QStringLiteral("端木"), QStringLiteral("duanmu")},
        {QStringLiteral("澹台"), QStringLiteral("tantai")}, {QStringLiteral("轩辕"), QStringLiteral("xuanyuan")},
        {QStringLiteral("呼延"), QStringLiteral("huyan")}, {QStringLiteral("闻人"), QStringLiteral("wenren")},
        {QStringLiteral("万俟"), QStringLiteral("moqi")}, {QStringLiteral("单于"), QStringLiteral("chanyu")},
        {QStringLiteral("西门"), QStringLiteral("ximen")}, {QStringLiteral("南宫"), QStringLiteral("nangong")},
        {QStringLiteral("申屠"), QStringLiteral("shentu")}, {QStringLiteral("公羊"), QStringLiteral("gongyang")},
        {QStringLiteral("濮阳"), QStringLiteral("puyang")}, {QStringLiteral("钟离"), QStringLiteral("zhongli")},
        {QStringLiteral("司空"), QStringLiteral("sikong")}, {QStringLiteral("太史"), QStringLiteral("taishi")},
    };
    return table;
}

bool IsIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0x20000 && c <= 0x3FFFF);
}

// "lv" (u-umlaut in the table) is written "lyu"; the other syllables as they are.
QString Spelled(QString syllable)
{
    const int v = syllable.indexOf(QLatin1Char('v'));
    if (v >= 0)
        syllable.replace(v, 1, QStringLiteral("yu"));
    return syllable;
}

// Reads a run of characters as one word: syllables joined, capitalised, with an apostrophe
// before a syllable that starts with a vowel a, o or e.
QString ReadWord(const QString& text, QStringList* unreadable)
{
    QString word;
    const auto ucs = text.toUcs4();
    for (char32_t c : ucs) {
        QString syl;
        if (c < 0x80) {
            if (QChar::isLetterOrNumber(c))
                syl = QString(QChar(c)).toLower();
            else
                continue;
        } else {
            syl = PinyinSyllable(c);
            if (syl.isEmpty()) {
                if (unreadable)
                    unreadable->append(QString::fromUcs4(&c, 1));
                continue;
            }
            syl = Spelled(syl);
            if (!word.isEmpty() && QStringLiteral("aoe").contains(syl.at(0)))
                word += QLatin1Char('\'');
        }
        word += syl;
    }
    if (!word.isEmpty())
        word[0] = word.at(0).toUpper();
    return word;
}

}  // namespace

QString PinyinSyllable(char32_t ch)
{
    if (ch < pinyin_table::kFirst || ch > pinyin_table::kLast)
        return {};
    const unsigned short index = pinyin_table::kReadings[ch - pinyin_table::kFirst];
    if (index == 0 || index >= pinyin_table::kSyllableCount)
        return {};
    return QString::fromLatin1(pinyin_table::kSyllables[index]);
}

bool HasIdeographs(const QString& text)
{
    const auto ucs = text.toUcs4();
    for (char32_t c : ucs)
        if (IsIdeograph(c))
            return true;
    return false;
}

TChineseName ReadChineseName(const QString& name)
{
    TChineseName r;
    QString compact;
    for (QChar c : name)
        if (!c.isSpace())
            compact += c;
    // A name with a middle dot (names of the minorities, foreign names) has no surname to
    // split off: each part is read as a word, all in the family component.
    static const QString dots = QStringLiteral("·•・.");
    bool dotted = false;
    for (QChar d : dots)
        dotted = dotted || compact.contains(d);
    if (dotted) {
        QStringList words;
        QString part;
        for (QChar c : compact + QChar(u'·')) {
            if (dots.contains(c)) {
                if (!part.isEmpty())
                    words << ReadWord(part, &r.unreadable);
                part.clear();
            } else {
                part += c;
            }
        }
        r.familyIdeographic = compact;
        r.familyAlphabetic = words.join(QLatin1Char(' '));
        return r;
    }
    const auto& table = SurnameReadings();
    int surnameLength = 1;
    if (compact.size() > 2 && table.contains(compact.left(2)))
        surnameLength = 2;
    // A surname outside the BMP takes two UTF-16 units.
    if (surnameLength == 1 && compact.size() > 1 && compact.at(0).isHighSurrogate())
        surnameLength = 2;
    r.familyIdeographic = compact.left(surnameLength);
    r.givenIdeographic = compact.mid(surnameLength);
    const auto special = table.constFind(r.familyIdeographic);
    if (special != table.constEnd()) {
        r.familyAlphabetic = Spelled(*special);
        r.familyAlphabetic[0] = r.familyAlphabetic.at(0).toUpper();
    } else {
        r.familyAlphabetic = ReadWord(r.familyIdeographic, &r.unreadable);
    }
    r.givenAlphabetic = ReadWord(r.givenIdeographic, &r.unreadable);
    return r;
}

QString DicomPersonName(const QString& storedName, bool pinyinOnly, QStringList* unreadable)
{
    const QString name = storedName.trimmed();
    if (name.contains(QLatin1Char('^')) || name.contains(QLatin1Char('=')) || !HasIdeographs(name))
        return name;
    const TChineseName n = ReadChineseName(name);
    if (unreadable)
        *unreadable += n.unreadable;
    auto join = [](const QString& family, const QString& given) {
        return given.isEmpty() ? family : family + QLatin1Char('^') + given;
    };
    const QString alphabetic = join(n.familyAlphabetic, n.givenAlphabetic);
    if (pinyinOnly)
        return alphabetic;
    return alphabetic + QLatin1Char('=') + join(n.familyIdeographic, n.givenIdeographic);
}

}  // namespace wr::imaging
