// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/display_layout.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "files/file_access.h"

namespace zentora {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view Trim(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

LayoutIni LayoutIni::Parse(std::string_view text) {
    LayoutIni ini;
    std::string section;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            section =
                Lower(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        // The first occurrence of a key wins.
        ini.values_[section].emplace(Lower(Trim(line.substr(0, equals))),
                                     std::string(Trim(line.substr(equals + 1))));
    }
    return ini;
}

LayoutIni LayoutIni::Load(const std::filesystem::path& file) {
    const files::ReadOutcome read =
        files::ReadWholeFile(file.string(), files::ReadLock::Any, files::kMaxSettingsBytes);
    if (read.status != files::IoStatus::Ok) return {};
    return Parse(std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
}

std::optional<int> LayoutIni::Value(std::string_view section, std::string_view key) const {
    const auto s = values_.find(Lower(section));
    if (s == values_.end()) return std::nullopt;
    const auto k = s->second.find(Lower(key));
    if (k == s->second.end()) return std::nullopt;
    const std::string& text = k->second;
    int value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc{} || result.ptr != last) return std::nullopt;
    if (value < kLayoutValueMin || value > kLayoutValueMax) return std::nullopt;
    return value;
}

std::vector<LayoutAssignment> LayoutAssignments(const LayoutIni& ini) {
    std::vector<LayoutAssignment> out;
    out.reserve(2 * 4 * 157);
    const auto family = [&](const char* prefix,
                            std::initializer_list<std::pair<const char*, LayoutProperty>> sections,
                            const std::vector<std::string>& keys) {
        for (const auto& [section, property] : sections)
            for (const auto& key : keys)
                out.push_back({key, property, ini.ValueOr(std::string(prefix) + section, key, 0)});
    };
    const auto numbered = [](const char* prefix, int first, int last) {
        std::vector<std::string> keys;
        for (int i = first; i <= last; ++i) keys.push_back(prefix + std::to_string(i));
        return keys;
    };
    const std::initializer_list<std::pair<const char*, LayoutProperty>> bounds{
        {"Width", LayoutProperty::Width},
        {"Height", LayoutProperty::Height},
        {"Left", LayoutProperty::Left},
        {"Top", LayoutProperty::Top}};

    family("Images", bounds, numbered("Images", 0, 156));
    family("Image", bounds, numbered("Image", 1, 37));
    auto labels = numbered("Label", 1, 46);
    for (const auto& jv : numbered("JvLabel", 1, 3)) labels.push_back(jv);
    family("Label", bounds, labels);
    for (const auto& key : numbered("JvLabel", 1, 3))
        out.push_back({key, LayoutProperty::Angle, ini.ValueOr("LabelAngle", key, 0)});
    family("", bounds, {"StringGrid1", "Listbox1", "Edit1", "Hintergrund", "Label0"});
    const int bannerDefaults[] = {558, 75, 701, 7};
    int i = 0;
    for (const auto& [section, property] : bounds)
        out.push_back(
            {"BannerWerbung", property, ini.ValueOr(section, "BannerWerbung", bannerDefaults[i++])});
    for (const char* key : {"Gerade", "Ungerade"}) {
        out.push_back({key, LayoutProperty::Height, ini.ValueOr("Height", key, 28)});
        out.push_back({key, LayoutProperty::Top, ini.ValueOr("Top", key, 348)});
    }
    return out;
}

LayoutDecision DecideLayout(ScreenSize screen) {
    const bool wide = screen.height > 0 && static_cast<double>(screen.width) / screen.height > kWideRatio;
    return wide ? LayoutDecision{true, kWideScreen} : LayoutDecision{false, kDesignScreen};
}

WindowScaling ComputeWindowScaling(ScreenSize screen, ScreenSize available, ScreenSize reference,
                                   const WindowMeasure& window) {
    if (available.width <= 0 || available.height <= 0) available = screen;
    const int chromeWidth = window.width - window.clientWidth;
    const int chromeHeight = window.height - window.clientHeight;
    WindowScaling scaling;
    scaling.width = window.width;
    scaling.height = window.height;
    if (screen.width != reference.width || screen.height != reference.height) {
        scaling.numerator = screen.width;
        scaling.denominator = reference.width;
        scaling.width = window.clientWidth * screen.width / reference.width + chromeWidth;
        scaling.height = window.clientHeight * screen.height / reference.height + chromeHeight;
    }
    // Down to the factor that just fits, where the controls would not fit the room.
    const auto fit = [&](int room, int content) {
        room = std::max(room, 1);
        if (content > 0 && static_cast<long long>(content) * scaling.numerator >
                               static_cast<long long>(room) * scaling.denominator) {
            scaling.numerator = room;
            scaling.denominator = content;
        }
    };
    fit(available.width - kWindowDecoration.width - chromeWidth, window.contentWidth);
    fit(available.height - kWindowDecoration.height - chromeHeight, window.contentHeight);
    scaling.scale = scaling.numerator != scaling.denominator;
    scaling.width = std::min(scaling.width, std::max(available.width - kWindowDecoration.width, 1));
    scaling.height = std::min(scaling.height, std::max(available.height - kWindowDecoration.height, 1));
    return scaling;
}

GridSizes ComputeGridSizes(int gridWidth, int gridHeight) {
    const int outer = gridWidth * 37 / 100 - 1;
    return GridSizes{{outer, gridWidth * 20 / 100, outer}, gridHeight / 20};
}

}  // namespace zentora
