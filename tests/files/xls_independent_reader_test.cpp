// SPDX-License-Identifier: GPL-3.0-or-later
// A worksheet written by the export, read back by an independent BIFF reader (Debian's python3-xlrd).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "file_test_support.h"
#include "files/xls.h"

namespace zentora::files {
namespace {

TEST(XlsIndependentReader, SameNumbersInTheSameCells) {
    if (std::system("/usr/bin/python3 -c 'import xlrd' >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3-xlrd is not installed";
    }
    testing::TempDir dir;
    // xlrd keeps to the 16384 rows of the format's first spreadsheet program; stay below that.
    testing::Bytes permanence(16000);
    for (std::size_t i = 0; i < permanence.size(); ++i)
        permanence[i] = static_cast<std::uint8_t>((i * 11) % 37);
    ASSERT_TRUE(WriteXlsPermanence(permanence, dir / "a.xls").ok());
    testing::WriteBytes(dir / "a.prm", permanence);

    const std::string script = R"(
import sys, xlrd
oldest_first = open(sys.argv[1], 'rb').read()[::-1]
book = xlrd.open_workbook(sys.argv[2])
sheet = book.sheet_by_index(0)
assert book.biff_version == 20, book.biff_version
assert (sheet.nrows, sheet.ncols) == (len(oldest_first), 1), (sheet.nrows, sheet.ncols)
for row, value in enumerate(oldest_first):
    assert sheet.cell_type(row, 0) == xlrd.XL_CELL_NUMBER and sheet.cell_value(row, 0) == value, row
)";
    testing::WriteText(dir / "check.py", script);
    const std::string command =
        "/usr/bin/python3 " + (dir / "check.py") + " " + (dir / "a.prm") + " " + (dir / "a.xls") + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace zentora::files
