// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/xls.h"

#include <gtest/gtest.h>

#include <random>

#include "file_test_support.h"

namespace zentora::files {
namespace {

using testing::Bytes;
using testing::TempDir;

struct Record {
    unsigned type;
    Bytes data;
};

std::vector<Record> Records(const Bytes& file) {
    std::vector<Record> records;
    std::size_t pos = 0;
    while (pos + 4 <= file.size()) {
        const unsigned type = file[pos] | file[pos + 1] << 8;
        const unsigned length = file[pos + 2] | file[pos + 3] << 8;
        records.push_back({type, Bytes(file.begin() + pos + 4, file.begin() + pos + 4 + length)});
        pos += 4 + length;
    }
    EXPECT_EQ(pos, file.size());
    return records;
}

Bytes Integer(unsigned row, unsigned column, unsigned value, unsigned length = 9) {
    Bytes r = {2,
               0,
               static_cast<std::uint8_t>(length),
               0,
               static_cast<std::uint8_t>(row),
               static_cast<std::uint8_t>(row >> 8),
               static_cast<std::uint8_t>(column),
               static_cast<std::uint8_t>(column >> 8),
               0,
               0,
               0,
               static_cast<std::uint8_t>(value),
               static_cast<std::uint8_t>(value >> 8)};
    r.resize(4 + length);
    return r;
}

Bytes Sheet(std::initializer_list<Bytes> parts) {
    Bytes out = {9, 0, 4, 0, 5, 0, 0x10, 0};
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kEof = {0x0A, 0, 0, 0};

TEST(Xls, ExportWritesTheRecordsInOrder) {
    TempDir dir;
    ASSERT_TRUE(WriteXlsPermanence(Bytes{0, 17, 5}, dir / "a.xls").ok());
    const std::vector<Record> records = Records(testing::ReadBytes(dir / "a.xls"));
    ASSERT_EQ(records.size(), 1u + 1 + 21 + 3 + 1);
    EXPECT_EQ(records[0].type, kXlsBof);
    EXPECT_EQ(records[0].data, (Bytes{5, 0, 0x10, 0}));
    EXPECT_EQ(records[1].type, kXlsFormatCount);
    EXPECT_EQ(records[1].data, (Bytes{21, 0}));
    for (std::size_t i = 0; i < 21; ++i) {
        const Record& r = records[2 + i];
        EXPECT_EQ(r.type, kXlsFormat);
        ASSERT_FALSE(r.data.empty());
        EXPECT_EQ(r.data[0], r.data.size() - 1);
        EXPECT_EQ(std::string(r.data.begin() + 1, r.data.end()), kXlsFormats[i]);
    }
    EXPECT_EQ(std::string(records[7].data.begin() + 1, records[7].data.end()), R"("$"#,##0_);\("$"#,##0\))");
    EXPECT_EQ(std::string(records[22].data.begin() + 1, records[22].data.end()), R"(m/d/yy\ h:mm)");
    // (row 0, column 0) = 5, (1, 0) = 17, (2, 0) = 0, attribute bytes 0.
    EXPECT_EQ(records[23].data, (Bytes{0, 0, 0, 0, 0, 0, 0, 5, 0}));
    EXPECT_EQ(records[24].data, (Bytes{1, 0, 0, 0, 0, 0, 0, 17, 0}));
    EXPECT_EQ(records[25].data, (Bytes{2, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(records[26].type, kXlsEof);
    EXPECT_TRUE(records[26].data.empty());

    EXPECT_EQ(ParseXlsPermanence(testing::ReadBytes(dir / "a.xls")).spins, (Bytes{0, 17, 5}));

    ASSERT_TRUE(WriteXlsPermanence({}, dir / "empty.xls").ok());
    EXPECT_EQ(Records(testing::ReadBytes(dir / "empty.xls")).size(), 24u);
}

TEST(Xls, SixtyFiveThousandFiveHundredThirtySixSpinsStartASecondColumn) {
    TempDir dir;
    Bytes permanence(65536);
    for (std::size_t i = 0; i < permanence.size(); ++i) permanence[i] = static_cast<std::uint8_t>(i % 37);
    ASSERT_TRUE(WriteXlsPermanence(permanence, dir / "big.xls").ok());
    const Bytes file = testing::ReadBytes(dir / "big.xls");
    const std::vector<Record> records = Records(file);
    ASSERT_EQ(records.size(), 23u + 65536 + 1);
    const Record& lastOfFirst = records[23 + 65534];
    EXPECT_EQ(lastOfFirst.data[0] | lastOfFirst.data[1] << 8, 65534);
    EXPECT_EQ(lastOfFirst.data[2] | lastOfFirst.data[3] << 8, 0);
    const Record& newest = records[23 + 65535];
    EXPECT_EQ(newest.data, (Bytes{0, 0, 1, 0, 0, 0, 0, permanence[0], 0}));
    EXPECT_EQ(ParseXlsPermanence(file).spins, permanence);
}

TEST(Xls, AttributeSettersBuildTheThreeBytes) {
    TempDir dir;
    XlsWriter writer;
    ASSERT_TRUE(writer.Create(dir / "a.xls").ok());
    writer.SetCellProtection(true, true);
    writer.SetCellFontAndFormat(2, 5);
    writer.SetCellAlignmentAndBorders(3, true, false, true, false, true);
    EXPECT_EQ(writer.Attributes(), (std::array<std::uint8_t, 3>{192, 133, 3 + 8 + 32 + 128}));
    writer.WriteIntegerCell(4, 1, 300);
    writer.SetCellProtection(false, true);
    writer.SetCellAlignmentAndBorders(7, false, true, false, true, false);
    EXPECT_EQ(writer.Attributes(), (std::array<std::uint8_t, 3>{64, 133, 7 + 16 + 64}));
    ASSERT_TRUE(writer.Close().ok());
    const auto records = Records(testing::ReadBytes(dir / "a.xls"));
    EXPECT_EQ(records[23].data, (Bytes{4, 0, 1, 0, 192, 133, 171, 44, 1}));

    // A new file starts with all attributes 0 again.
    ASSERT_TRUE(writer.Create(dir / "b.xls").ok());
    EXPECT_EQ(writer.Attributes(), (std::array<std::uint8_t, 3>{0, 0, 0}));
    ASSERT_TRUE(writer.Close().ok());
}

TEST(Xls, ImportOrdersByRowAndColumnWhateverTheFileOrder) {
    // Most recent spin first in the file, a second column, other records between the cells.
    const Bytes label = {0x04, 0, 5, 0, 0, 0, 0, 0, 0};
    const Bytes number = {0x03, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes file = Sheet(
        {Integer(0, 1, 30), Integer(2, 0, 0), label, Integer(1, 0, 17), number, Integer(0, 0, 5), kEof});
    EXPECT_EQ(ParseXlsPermanence(file).spins, (Bytes{30, 0, 17, 5}));
}

TEST(Xls, ImportSkipsValuesAbove36AndShortIntegerRecords) {
    const Bytes file = Sheet({Integer(0, 0, 36), Integer(1, 0, 37), Integer(2, 0, 256 + 5),
                              Integer(3, 0, 9, 8), Integer(4, 0, 1, 12), Integer(5, 0, 2), kEof});
    EXPECT_EQ(ParseXlsPermanence(file).spins, (Bytes{2, 1, 36}));
}

TEST(Xls, EqualKeysKeepTheirFileOrder) {
    // Row 65535 of column 0 and row 0 of column 1 share the key 65535; only the low byte of the column
    // counts.
    const Bytes file =
        Sheet({Integer(0, 1, 11), Integer(65535, 0, 22), Integer(0, 0x101, 33), Integer(0, 0, 1)});
    EXPECT_EQ(ParseXlsPermanence(file).spins, (Bytes{11, 22, 33, 1}));
}

TEST(Xls, TruncatedAndOverlongRecordsEndTheReading) {
    struct Case {
        const char* name;
        Bytes file;
        Bytes spins;
        bool shortRecord;
    };
    const Bytes cells = Sheet({Integer(0, 0, 5), Integer(1, 0, 17)});
    Bytes cutHeader = cells;
    cutHeader.insert(cutHeader.end(), {2, 0, 9});
    Bytes pastEnd = cells;
    const Bytes longRecord = Integer(2, 0, 8, 200);
    pastEnd.insert(pastEnd.end(), longRecord.begin(), longRecord.begin() + 20);
    Bytes cutCell = cells;
    cutCell.insert(cutCell.end(), longRecord.begin(), longRecord.begin() + 12);
    const Case cases[] = {
        {"empty", {}, {}, false},
        {"three garbage bytes", {0xde, 0xad, 0xbe}, {}, true},
        {"five garbage bytes", {0xde, 0xad, 0xbe, 0xef, 0x01}, {}, false},
        {"cut header after cells", cutHeader, {17, 5}, true},
        {"last record runs past the end, its cell complete", pastEnd, {8, 17, 5}, false},
        {"last cell cut inside its data", cutCell, {17, 5}, false},
        {"long record hides what follows", Sheet({Bytes{7, 0, 13, 0}, Integer(0, 0, 4)}), {}, false},
    };
    for (const Case& c : cases) {
        const XlsImport result = ParseXlsPermanence(c.file);
        EXPECT_EQ(result.spins, c.spins) << c.name;
        EXPECT_EQ(result.shortRecord, c.shortRecord) << c.name;
    }
}

TEST(Xls, RandomBytesGiveOnlyValidSpins) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        Bytes file(random() % 200);
        for (auto& b : file) b = static_cast<std::uint8_t>(random() % 4 == 0 ? random() % 13 : random());
        const XlsImport result = ParseXlsPermanence(file);
        for (std::uint8_t spin : result.spins) ASSERT_LE(spin, 36);
        EXPECT_LE(result.spins.size(), file.size() / 13);
    }
}

}  // namespace
}  // namespace zentora::files
