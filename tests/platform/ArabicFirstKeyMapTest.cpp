#include "platform/ArabicFirstKeyMap.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using platform::ArabicFirstKeyMap;

struct KeyCase {
    char16_t key;
    std::vector<char16_t> arabic; // code points
};

QString text(const std::vector<char16_t>& codes) {
    QString s;
    for (char16_t c : codes)
        s += QChar(c);
    return s;
}

QString hex(const std::optional<QString>& s) {
    if (!s)
        return QStringLiteral("(none)");
    QString out;
    for (QChar c : *s)
        out += QStringLiteral("U+%1 ").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return out.trimmed();
}

// The base level of the standard Arabic layout, key by key.
const std::vector<KeyCase> BaseLevel = {
    {u'a', {0x0634}},         {u's', {0x0633}}, {u'd', {0x064A}}, {u'f', {0x0628}}, {u'g', {0x0644}},
    {u'h', {0x0627}},         {u'j', {0x062A}}, {u'k', {0x0646}}, {u'l', {0x0645}}, {u';', {0x0643}},
    {u'\'', {0x0637}},        {u'z', {0x0626}}, {u'x', {0x0621}}, {u'c', {0x0624}}, {u'v', {0x0631}},
    {u'b', {0x0644, 0x0627}}, {u'n', {0x0649}}, {u'm', {0x0629}}, {u',', {0x0648}}, {u'.', {0x0632}},
    {u'/', {0x0638}},         {u'q', {0x0636}}, {u'w', {0x0635}}, {u'e', {0x062B}}, {u'r', {0x0642}},
    {u't', {0x0641}},         {u'y', {0x063A}}, {u'u', {0x0639}}, {u'i', {0x0647}}, {u'o', {0x062E}},
    {u'p', {0x062D}},         {u'[', {0x062C}}, {u']', {0x062F}}, {u'`', {0x0630}},
};

TEST(ArabicFirstKeyMapTest, EveryTriggerGivesTheLetterOnItsKeyInEitherCase) {
    int triggers = 0;
    for (const KeyCase& c : BaseLevel) {
        const QString key(QChar(c.key));
        SCOPED_TRACE(key.toStdString());
        EXPECT_TRUE(ArabicFirstKeyMap::isTrigger(key));
        EXPECT_EQ(hex(ArabicFirstKeyMap::lookup(key)), hex(text(c.arabic)));
        ++triggers;
        if (QChar(c.key).isLetter()) {
            const QString upper = key.toUpper();
            EXPECT_TRUE(ArabicFirstKeyMap::isTrigger(upper)) << upper.toStdString();
            EXPECT_EQ(hex(ArabicFirstKeyMap::lookup(upper)), hex(text(c.arabic))) << upper.toStdString();
            ++triggers;
        }
    }
    EXPECT_EQ(triggers, 60);
}

// Across the printable ASCII range exactly the 60 characters trigger.
TEST(ArabicFirstKeyMapTest, NoOtherPrintableAsciiCharacterTriggers) {
    QString expected;
    for (const KeyCase& c : BaseLevel)
        expected += QString(QChar(c.key)) + QString(QChar(c.key)).toUpper();
    for (char16_t u = 0x20; u < 0x7F; ++u)
        EXPECT_EQ(ArabicFirstKeyMap::isTrigger(QChar(u)), expected.contains(QChar(u))) << char(u);
}

TEST(ArabicFirstKeyMapTest, BGivesLamAndAlefAsTwoLetters) {
    const std::optional<QString> b = ArabicFirstKeyMap::lookup(QStringLiteral("b"));
    ASSERT_TRUE(b);
    ASSERT_EQ(b->size(), 2);
    EXPECT_EQ(b->at(0).unicode(), 0x0644);
    EXPECT_EQ(b->at(1).unicode(), 0x0627);
}

// The lookup finds the shifted partners, but they never begin a conversion.
TEST(ArabicFirstKeyMapTest, ShiftedPartnersAreFoundButAreNoTriggers) {
    const std::vector<KeyCase> partners = {{u':', {0x0643}}, {u'<', {0x0648}}, {u'>', {0x0632}},
                                           {u'?', {0x0638}}, {u'{', {0x062C}}, {u'}', {0x062F}},
                                           {u'~', {0x0630}}};
    for (const KeyCase& c : partners) {
        const QString key(QChar(c.key));
        SCOPED_TRACE(key.toStdString());
        EXPECT_FALSE(ArabicFirstKeyMap::isTrigger(key));
        EXPECT_EQ(hex(ArabicFirstKeyMap::lookup(key)), hex(text(c.arabic)));
    }
}

TEST(ArabicFirstKeyMapTest, OtherCharactersNeitherTriggerNorMatch) {
    QStringList others = {QStringLiteral("\""), QStringLiteral(" "),
                          QStringLiteral("\r"), QStringLiteral("\x1b"),
                          QStringLiteral("\b"), QStringLiteral("ش"),
                          QStringLiteral("ا"),  QStringLiteral("لا"),
                          QStringLiteral("ab"), QString()};
    for (char d = '0'; d <= '9'; ++d)
        others << QString(QChar(d));
    for (const QString& key : others) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_FALSE(ArabicFirstKeyMap::isTrigger(key));
        EXPECT_FALSE(ArabicFirstKeyMap::lookup(key));
    }
}

TEST(ArabicFirstKeyMapTest, LamAlefLigaturesBecomeTheirTwoLetters) {
    const std::vector<std::pair<char16_t, std::vector<char16_t>>> ligatures = {{0xFEFB, {0x0644, 0x0627}},
                                                                               {0xFEF5, {0x0644, 0x0622}},
                                                                               {0xFEF7, {0x0644, 0x0623}},
                                                                               {0xFEF9, {0x0644, 0x0625}}};
    for (const auto& [ligature, letters] : ligatures) {
        SCOPED_TRACE(int(ligature));
        EXPECT_EQ(hex(ArabicFirstKeyMap::splitLamAlef(QString(QChar(ligature)))), hex(text(letters)));
    }
    // Within a word, and other text left alone.
    EXPECT_EQ(ArabicFirstKeyMap::splitLamAlef(QStringLiteral("اخ ") + QChar(0xFEFB) + QStringLiteral("ب")),
              QStringLiteral("اخ لاب"));
    EXPECT_EQ(ArabicFirstKeyMap::splitLamAlef(QStringLiteral("a1ش")), QStringLiteral("a1ش"));
}

} // namespace
