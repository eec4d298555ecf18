// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Xls: the Excel exchange worksheet, BIFF2 (the Excel 2.x record format). The writer knows only the records
// an export needs; the reader takes the INTEGER cells 0..36 of any BIFF2 worksheet.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_access.h"

namespace zentora::files {

inline constexpr std::uint16_t kXlsInteger = 0x0002;
inline constexpr std::uint16_t kXlsBof = 0x0009;
inline constexpr std::uint16_t kXlsEof = 0x000A;
inline constexpr std::uint16_t kXlsFormat = 0x001E;
inline constexpr std::uint16_t kXlsFormatCount = 0x001F;

// Spins per worksheet column of an export (rows 0..65534).
inline constexpr std::uint32_t kXlsRowsPerColumn = 65535;

// The built-in number formats written after FORMATCOUNT, in file order.
inline constexpr std::array<std::string_view, 21> kXlsFormats = {
    "General",
    "0",
    "0.00",
    "#,##0",
    "#,##0.00",
    "\"$\"#,##0_);\\(\"$\"#,##0\\)",
    "\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)",
    "\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)",
    "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)",
    "0%",
    "0.00%",
    "0.00E+00",
    "m/d/yy",
    "d\\-mmm\\-yy",
    "d\\-mmm",
    "mmm\\-yy",
    "h:mm\\ AM/PM",
    "h:mm:ss\\ AM/PM",
    "h:mm",
    "h:mm:ss",
    "m/d/yy\\ h:mm",
};

// One worksheet file at a time. Create writes BOF, FORMATCOUNT and the FORMAT records and resets the cell
// attributes to 0; WriteIntegerCell adds one INTEGER record with the current attributes; Close writes EOF and
// puts the file in place (written beside the target, then renamed). Errors surface at Create or Close.
class XlsWriter {
  public:
    WriteOutcome Create(const std::string& path);
    void WriteIntegerCell(std::uint16_t row, std::uint16_t column, std::uint16_t value);
    WriteOutcome Close();

    // Attribute byte 1: 128 when hidden, plus 64 when locked.
    void SetCellProtection(bool hidden, bool locked);
    // Attribute byte 2: font index (0..3) × 64 + format index (0..63).
    void SetCellFontAndFormat(unsigned fontIndex, unsigned formatIndex);
    // Attribute byte 3: horizontal alignment (0..7) + 8 left + 16 right + 32 top + 64 bottom border
    // + 128 shaded.
    void SetCellAlignmentAndBorders(unsigned alignment, bool left, bool right, bool top, bool bottom,
                                    bool shaded);

    std::array<std::uint8_t, 3> Attributes() const { return attributes_; }

  private:
    void Record(std::uint16_t type, std::span<const std::uint8_t> data);
    void Flush();

    AtomicFile file_;
    std::vector<std::uint8_t> buffer_;
    std::array<std::uint8_t, 3> attributes_{};
    WriteOutcome error_;
};

// The export: the permanence (newest first) as INTEGER cells, oldest spin at row 0 of column 0, 65535 spins
// per column.
WriteOutcome WriteXlsPermanence(std::span<const std::uint8_t> permanence, const std::string& path);

struct XlsImport {
    std::vector<std::uint8_t> spins;  // newest first: largest key first, equal keys in file order
    bool shortRecord = false;         // the file ended inside a record header
};

// Reads records one after the other: INTEGER cells with a value 0..36 are kept with the key
// row + (low byte of column) × 65535. A record header cut short ends the reading (shortRecord); a record
// running past the end ends it too. INTEGER records with fewer than 9 data bytes are skipped.
XlsImport ParseXlsPermanence(std::span<const std::uint8_t> file);

}  // namespace zentora::files
