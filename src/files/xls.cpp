// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/xls.h"

#include <algorithm>
#include <numeric>

namespace zentora::files {

namespace {

constexpr std::size_t kFlushBytes = 1 << 18;

inline void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

inline unsigned Get16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

}  // namespace

void XlsWriter::Record(std::uint16_t type, std::span<const std::uint8_t> data) {
    Put16(buffer_, type);
    Put16(buffer_, static_cast<unsigned>(data.size()));
    buffer_.insert(buffer_.end(), data.begin(), data.end());
    if (buffer_.size() >= kFlushBytes) Flush();
}

void XlsWriter::Flush() {
    if (error_.ok() && file_.IsOpen()) error_ = file_.Write(buffer_);
    buffer_.clear();
}

WriteOutcome XlsWriter::Create(const std::string& path) {
    attributes_ = {};
    buffer_.clear();
    error_ = file_.Open(path);
    if (!error_.ok()) return error_;

    const std::uint8_t bof[4] = {5, 0, 0x10, 0};
    Record(kXlsBof, bof);
    const std::uint8_t count[2] = {static_cast<std::uint8_t>(kXlsFormats.size()), 0};
    Record(kXlsFormatCount, count);
    std::vector<std::uint8_t> data;
    for (std::string_view text : kXlsFormats) {
        data.assign(1, static_cast<std::uint8_t>(text.size()));
        data.insert(data.end(), text.begin(), text.end());
        Record(kXlsFormat, data);
    }
    return error_;
}

void XlsWriter::WriteIntegerCell(std::uint16_t row, std::uint16_t column, std::uint16_t value) {
    const std::uint8_t data[9] = {static_cast<std::uint8_t>(row & 0xFF),
                                  static_cast<std::uint8_t>(row >> 8),
                                  static_cast<std::uint8_t>(column & 0xFF),
                                  static_cast<std::uint8_t>(column >> 8),
                                  attributes_[0],
                                  attributes_[1],
                                  attributes_[2],
                                  static_cast<std::uint8_t>(value & 0xFF),
                                  static_cast<std::uint8_t>(value >> 8)};
    Record(kXlsInteger, data);
}

WriteOutcome XlsWriter::Close() {
    Record(kXlsEof, {});
    Flush();
    if (!error_.ok()) {
        file_.Abort();
        return error_;
    }
    return file_.Commit();
}

void XlsWriter::SetCellProtection(bool hidden, bool locked) {
    attributes_[0] = static_cast<std::uint8_t>((hidden ? 128 : 0) + (locked ? 64 : 0));
}

void XlsWriter::SetCellFontAndFormat(unsigned fontIndex, unsigned formatIndex) {
    attributes_[1] = static_cast<std::uint8_t>((fontIndex & 3) * 64 + (formatIndex & 63));
}

void XlsWriter::SetCellAlignmentAndBorders(unsigned alignment, bool left, bool right, bool top, bool bottom,
                                           bool shaded) {
    attributes_[2] = static_cast<std::uint8_t>((alignment & 7) + (left ? 8 : 0) + (right ? 16 : 0) +
                                               (top ? 32 : 0) + (bottom ? 64 : 0) + (shaded ? 128 : 0));
}

WriteOutcome WriteXlsPermanence(std::span<const std::uint8_t> permanence, const std::string& path) {
    XlsWriter writer;
    if (auto r = writer.Create(path); !r.ok()) return r;
    std::uint32_t j = 0;
    for (auto it = permanence.rbegin(); it != permanence.rend(); ++it, ++j) {
        writer.WriteIntegerCell(static_cast<std::uint16_t>(j % kXlsRowsPerColumn),
                                static_cast<std::uint16_t>(j / kXlsRowsPerColumn), *it);
    }
    return writer.Close();
}

XlsImport ParseXlsPermanence(std::span<const std::uint8_t> file) {
    XlsImport out;
    std::vector<std::uint32_t> keys;
    const std::uint8_t* data = file.data();
    const std::size_t size = file.size();
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t available = size - pos;
        if (available < 4) {
            out.shortRecord = true;
            break;
        }
        const unsigned type = Get16(data + pos);
        const std::size_t length = Get16(data + pos + 2);
        if (type == kXlsInteger && length >= 9 && available >= 4 + 9) {
            const unsigned value = Get16(data + pos + 11);
            if (value <= 36) {
                out.spins.push_back(static_cast<std::uint8_t>(value));
                keys.push_back(Get16(data + pos + 4) + data[pos + 6] * kXlsRowsPerColumn);
            }
        }
        pos += 4 + length;
    }

    const std::size_t n = keys.size();
    if (std::adjacent_find(keys.begin(), keys.end(), std::greater_equal<>()) == keys.end()) {
        // Strictly rising keys (every export): the most recent spin is simply the last cell.
        std::reverse(out.spins.begin(), out.spins.end());
        return out;
    }
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return keys[a] > keys[b]; });
    std::vector<std::uint8_t> sorted(n);
    for (std::size_t i = 0; i < n; ++i) sorted[i] = out.spins[order[i]];
    out.spins = std::move(sorted);
    return out;
}

}  // namespace zentora::files
