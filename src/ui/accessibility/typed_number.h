// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace zentora {

// What the digits typed on the table mean so far.
enum class TypedNumberKind { Empty, Number, Impossible };

struct TypedNumber {
    TypedNumberKind kind = TypedNumberKind::Empty;
    int number = -1;  // 0..36 when kind is Number
};

// Digits typed while the table has the focus: one or two digits of 0..36 (a leading zero is allowed, as in
// "07"). Anything longer, larger or not a digit can never become a number on the table.
constexpr TypedNumber ReadTypedNumber(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > 2) return {TypedNumberKind::Impossible, -1};
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return {TypedNumberKind::Impossible, -1};
        value = value * 10 + (c - '0');
    }
    if (value > 36) return {TypedNumberKind::Impossible, -1};
    return {TypedNumberKind::Number, value};
}

}  // namespace zentora
