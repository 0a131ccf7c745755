#include "store/cp932.h"

#include "support/temp_folder.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <vector>

#include <gtest/gtest.h>

using namespace store;
using test_support::Temp_Folder;

TEST(Cp932, WidthsFollowTheEncoding)
{
    EXPECT_EQ(Byte_Width(QStringLiteral("aｱ")), 2);
    EXPECT_EQ(Byte_Width(QStringLiteral("あ－～①")), 8);
    EXPECT_EQ(Byte_Width(QStringLiteral("😀")), 2);  // two code units without a CP932 form count 1 each
}

TEST(Cp932, RoundTripsJapaneseTextWithCrLf)
{
    Temp_Folder dir;
    const QStringList lines = {QStringLiteral("品名:いちご大福"), QString(), QStringLiteral("ｶﾞﾝﾀﾞﾑ①－～")};
    ASSERT_TRUE(Write_Text_Lines(dir.File("a.tsv"), lines).ok());
    const QByteArray bytes = dir.Read("a.tsv");
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_EQ(bytes.left(2), QByteArray("\x95\x69"));  // 品 in CP932
    const Text_File read = Read_Text_Lines(dir.File("a.tsv"));
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.lines, lines);
}

TEST(Cp932, CharactersWithoutACp932FormAreRefusedAndNothingIsWritten)
{
    Temp_Folder dir;
    for (const QString& bad : {QStringLiteral("𠮷"), QStringLiteral("😀"), QStringLiteral("¥")}) {
        const Write_Result result = Write_Text_Lines(dir.File("x.tsv"),
                                                     {QStringLiteral("ok"), QStringLiteral("a") + bad});
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(bad)) << result.error.toStdString();
        EXPECT_FALSE(QFile::exists(dir.File("x.tsv")));
    }
    EXPECT_EQ(First_Unencodable(QStringLiteral("ab𠮷c")), QStringLiteral("𠮷"));
    EXPECT_TRUE(First_Unencodable(QStringLiteral("普通の文字")).isEmpty());
}

TEST(Cp932, ReadingToleratesBareLfUndecodableBytesAndMissingFiles)
{
    Temp_Folder dir;
    dir.Write("m.tsv", QByteArray("a\nb\r\n\x85\x40x\r\n"));
    const Text_File read = Read_Text_Lines(dir.File("m.tsv"));
    ASSERT_EQ(read.lines.size(), 3);
    EXPECT_EQ(read.lines[0], QStringLiteral("a"));
    EXPECT_EQ(read.lines[1], QStringLiteral("b"));
    EXPECT_TRUE(read.lines[2].endsWith('x'));
    EXPECT_FALSE(Read_Text_Lines(dir.File("missing.tsv")).opened);
}

// The table-driven codec agrees with the platform's converter on every printable
// character that survives a round trip; control codes stay themselves, as in Windows' CP932.
TEST(Cp932, TablesAgreeWithTheConverter)
{
    EXPECT_EQ(Encode_Cp932(QStringLiteral("\x1a\x1c\x7f")).bytes, QByteArray("\x1a\x1c\x7f"));
    EXPECT_EQ(Decode_Cp932(QByteArray("\x1a\x1c\x7f")), QStringLiteral("\x1a\x1c\x7f"));
    QString all;
    for (int u = 0x20; u < 0x10000; ++u)
        if (u != 0x7F && (u < 0xD800 || u > 0xDFFF))
            all.append(QChar(char16_t(u)));
    QString encodable;
    for (QChar c : all) {
        QStringEncoder encoder("Shift_JIS");
        const QByteArray bytes = encoder.encode(QStringView(&c, 1));
        QStringDecoder decoder("Shift_JIS");
        const QString back = decoder.decode(bytes);
        if (!encoder.hasError() && back == QString(c))  // one-way fallbacks are not stored
            encodable.append(c);
    }
    QStringEncoder encoder("Shift_JIS");
    const QByteArray expected = encoder.encode(encodable);
    const Encoded ours = Encode_Cp932(encodable);
    ASSERT_TRUE(ours.ok());
    EXPECT_EQ(ours.bytes, expected);
    QStringDecoder decoder("Shift_JIS");
    EXPECT_EQ(Decode_Cp932(expected), decoder.decode(expected));
}

// What Linux input methods type for characters Windows users type in CP932.
TEST(Cp932, InputMethodCharactersBecomeTheirCp932Counterparts)
{
    const std::pair<char16_t, char16_t> cases[] = {
        {u'〜', u'～'}, {u'−', u'－'}, {u'‖', u'∥'},  {u'—', u'―'},
        {u'¢', u'￠'},  {u'£', u'￡'}, {u'¬', u'￢'}, {u'¥', u'￥'},
    };
    for (const auto& [typed, stored] : cases) {
        const QString text = QStringLiteral("10℃") + QChar(typed) + QStringLiteral("15℃");
        EXPECT_FALSE(First_Unencodable(text).isEmpty()) << int(typed);
        const QString mapped = To_Cp932_Counterparts(text);
        EXPECT_EQ(mapped, QStringLiteral("10℃") + QChar(stored) + QStringLiteral("15℃")) << int(typed);
        EXPECT_TRUE(Encode_Cp932(mapped).ok()) << int(typed);
    }
    // Characters CP932 has, and those without a counterpart, are left as they are.
    const QString kept = QStringLiteral("～－∥―￠￡￢￥\\~あ♥😀");
    EXPECT_EQ(To_Cp932_Counterparts(kept), kept);
    EXPECT_EQ(First_Unencodable(To_Cp932_Counterparts(kept)), QStringLiteral("♥"));
}

// Lines a rewrite leaves alone are written as read, even where their text has
// other canonical bytes (ED40 and FA5C are both 纊) or no meaning (8540, a lone lead byte).
TEST(Cp932, UnchangedLinesAreWrittenWithTheirBytesAsRead)
{
    const QByteArray ed40("a\xED\x40"), fa5c("a\xFA\x5C"), odd("\x85\x40\xFD\x81");
    const Text_File file = Split_Text_Lines("h\r\n" + ed40 + "\r\n" + odd + "\nb\r\n" + fa5c + "\r\n" + ed40);
    ASSERT_EQ(file.lines.size(), 6);
    ASSERT_EQ(file.raw_lines.size(), 6);
    EXPECT_EQ(file.lines[1], file.lines[4]);
    EXPECT_EQ(file.raw_lines[2], odd);
    EXPECT_EQ(file.lines[2], Decode_Cp932(odd));

    const auto written = [&file](const QStringList& lines) {
        QByteArray out;
        EXPECT_TRUE(Encode_Lines(lines, out, file).ok());
        return out;
    };
    const QStringList& l = file.lines;
    EXPECT_EQ(written(l), "h\r\n" + ed40 + "\r\n" + odd + "\r\nb\r\n" + fa5c + "\r\n" + ed40 + "\r\n");
    // The first 纊 line removed, "b" changed, a line added: the others keep their own bytes.
    EXPECT_EQ(written({l[0], l[2], QStringLiteral("c"), l[4], l[5], QStringLiteral("new")}),
              "h\r\n" + odd + "\r\nc\r\n" + fa5c + "\r\n" + ed40 + "\r\nnew\r\n");
    // A changed line is encoded anew, and refused when it cannot be.
    QByteArray out = "x";
    EXPECT_FALSE(Encode_Lines({l[0], QStringLiteral("😀")}, out, file).ok());
    EXPECT_TRUE(out.isEmpty());
}

// The tables the build generates, checked against the platform's converter on
// every single byte, every lead byte with every second byte, and every BMP code unit.
TEST(Cp932, GeneratedTablesAgreeWithTheConverterOnEveryCode)
{
    const auto is_lead = [](int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    const auto is_trail = [](int b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); };
    const auto converter_reads = [](QByteArrayView bytes) {
        QStringDecoder decoder("Shift_JIS");
        const QString text = decoder.decode(bytes);
        return (text.size() == 1 && text.at(0) != QChar(0xFFFD)) ? text.at(0) : QChar(0x1A);
    };
    std::vector<int> readings(65536, 0);  // how many byte sequences read as each character
    for (int b = 0; b < 256; ++b) {
        const char one = char(b);
        if (!is_lead(b)) {
            const QChar expected = b < 0x80 ? QChar(char16_t(b)) : converter_reads(QByteArrayView(&one, 1));
            ASSERT_EQ(Decode_Cp932(QByteArray(1, one)), QString(expected)) << b;
            ++readings[expected.unicode()];
            continue;
        }
        ASSERT_EQ(Decode_Cp932(QByteArray(1, one)), QStringLiteral("\x1a")) << b;
        for (int t = 0; t < 256; ++t) {
            const char pair[2] = {one, char(t)};
            const QString ours = Decode_Cp932(QByteArray(pair, 2));
            if (!is_trail(t)) {  // the lead byte stands alone, the other byte is read anew
                ASSERT_EQ(ours, QStringLiteral("\x1a") + Decode_Cp932(QByteArray(1, char(t)))) << b << " " << t;
                continue;
            }
            const QChar expected = converter_reads(QByteArrayView(pair, 2));
            ASSERT_EQ(ours, QString(expected)) << b << " " << t;
            ++readings[expected.unicode()];
        }
    }
    for (int u = 0; u < 0x10000; ++u) {
        const QChar c{char16_t(u)};
        QStringEncoder encoder("Shift_JIS");
        const QByteArray converted = encoder.encode(QStringView(&c, 1));
        const bool encodable = u < 0x80
            || (readings[u] > 0 && u != 0x1A && !encoder.hasError() && !converted.isEmpty() && converted.size() <= 2);
        const Encoded ours = Encode_Cp932(QString(c));
        ASSERT_EQ(ours.ok(), encodable) << u;
        if (!encodable)
            continue;
        ASSERT_EQ(ours.bytes, u < 0x80 ? QByteArray(1, char(u)) : converted) << u;
        ASSERT_EQ(Byte_Width(c), ours.bytes.size()) << u;
        // Only a character that exactly one byte sequence reads as, its own code, has sole bytes.
        const bool sole = readings[u] == 1 && Decode_Cp932(ours.bytes) == QString(c);
        ASSERT_EQ(Sole_Encoding(QString(c)).has_value(), sole) << u;
    }
    EXPECT_EQ(Sole_Encoding(QStringLiteral("大福")), Encode_Cp932(QStringLiteral("大福")).bytes);
    EXPECT_FALSE(Sole_Encoding(QStringLiteral("纊")).has_value());  // ED40 and FA5C
    EXPECT_FALSE(Sole_Encoding(QStringLiteral("a\x1a")).has_value());
}

// Read in blocks, a file gives the lines Split_Raw_Lines cuts from its bytes,
// however the blocks cut the lines (lines longer than a block, CR LF split).
TEST(Cp932, LineReaderGivesTheLinesOfTheWholeBytes)
{
    Temp_Folder dir;
    QByteArray long_line(700 * 1024, 'x');
    long_line[300 * 1024] = '\r';
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += QByteArray(i % 97, char('a' + i % 26)) + (i % 5 ? "\r\n" : "\n");
    bytes += long_line + "\r\n\r\n\x82\xa0" + QByteArray(262142 - bytes.size() % 262144, 'y') + "\r\nend\r";
    for (const QByteArray& content : {bytes, QByteArray(), QByteArray("\n"), QByteArray("one")}) {
        dir.Write("f.tsv", content);
        Line_Reader reader(dir.File("f.tsv"));
        QList<QByteArray> read;
        QByteArrayView line;
        while (reader.Next(line))
            read << line.toByteArray();
        EXPECT_FALSE(reader.failed());
        QList<QByteArray> expected;
        for (QByteArrayView split : Split_Raw_Lines(content))
            expected << split.toByteArray();
        EXPECT_EQ(read, expected) << content.size();
    }
    Line_Reader missing(dir.File("missing.tsv"));
    QByteArrayView line;
    EXPECT_FALSE(missing.Next(line));
    EXPECT_FALSE(missing.failed());
}

// A word's bytes count only where a character starts: CP932 second bytes
// look like ASCII letters, half-width katakana and first bytes.
TEST(Cp932, DecodedContainsFindsOnlyWholeCharacters)
{
    const struct {
        QByteArray bytes;
        QString word;
        bool holds;
    } cases[] = {
        {"\x83\x41", QStringLiteral("A"), false},  // ア ends in 41
        {"\x83\x41"
         "A",
         QStringLiteral("A"), true},
        {"\x81\x41\x42", QStringLiteral("A"), false},  // 、 then B
        {"\x85\x40@", QStringLiteral("@"), true},      // an undefined pair, then @
        {"\x88\xb1", QStringLiteral("ｱ"), false},      // 亜 ends in B1
        {"\x81\x88\xb1", QStringLiteral("ｱ"), true},   // ∵ (8188), then ｱ
        {"x\x81", QStringLiteral("x"), true},
        {"\x95\x69\x96\xbc", QStringLiteral("品名"), true},
        {"\x81\x95\x69\x96\xbc", QStringLiteral("品名"), false},
    };
    for (const auto& c : cases) {
        const std::optional<QByteArray> word = Sole_Encoding(c.word);
        ASSERT_TRUE(word.has_value()) << c.word.toStdString();
        EXPECT_EQ(Decoded_Contains(c.bytes, *word), c.holds) << c.bytes.toHex().toStdString();
        EXPECT_EQ(Decode_Cp932(c.bytes).contains(c.word), c.holds) << c.bytes.toHex().toStdString();
    }
}
