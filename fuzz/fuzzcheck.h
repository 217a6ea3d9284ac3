// SPDX-License-Identifier: MIT
#pragma once

// Shared by the fuzz targets: a check that stays in release builds (assert would vanish
// under NDEBUG), and small helpers that turn raw fuzz bytes into texts.

#include "calc/cncline.h"
#include "testvalues.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// A text shown with every character outside printable ASCII escaped, so that a failure
// message says exactly which text failed.
inline std::string printable(const QString &text)
{
    std::string out = "\"";
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7f && u != u'"' && u != u'\\') {
            out += static_cast<char>(u);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
            out += buf;
        }
    }
    out += "\" (";
    out += std::to_string(text.size());
    out += " chars)";
    return out;
}

[[noreturn]] inline void Fail(const char *condition, const char *file, int line,
                              const std::string &detail)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    if (!detail.empty())
        std::fprintf(stderr, "  %s\n", detail.c_str());
    std::fflush(stderr);
    std::abort();
}

// How a fuzz input's bytes become a QString: every decoding reaches other corners (invalid
// UTF-8, Latin-1 letters, lone surrogates).
enum class Decoding { Utf8, Latin1, Utf16 };

inline QString decode(const char *data, std::size_t size, Decoding how)
{
    const auto n = static_cast<qsizetype>(size);
    switch (how) {
    case Decoding::Utf8:
        return QString::fromUtf8(data, n);
    case Decoding::Latin1:
        return QString::fromLatin1(data, n);
    case Decoding::Utf16: {
        QString text;
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const auto lo = static_cast<unsigned char>(data[i]);
            const auto hi = static_cast<unsigned char>(data[i + 1]);
            text.append(QChar(static_cast<char16_t>(lo | (hi << 8))));
        }
        return text;
    }
    }
    return {};
}

// The input cut at each '\n' into at most maxParts pieces; the last piece keeps the rest.
inline std::vector<QByteArray> splitLines(const std::uint8_t *data, std::size_t size,
                                          std::size_t maxParts)
{
    std::vector<QByteArray> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < size && parts.size() + 1 < maxParts; ++i) {
        if (data[i] == '\n') {
            parts.emplace_back(reinterpret_cast<const char *>(data + start),
                               static_cast<qsizetype>(i - start));
            start = i + 1;
        }
    }
    parts.emplace_back(reinterpret_cast<const char *>(data + start),
                       static_cast<qsizetype>(size - start));
    return parts;
}

// The tool words of the two windows, as the tests know them.
using testvalues::DanishWords;
using testvalues::EnglishWords;

// Whether line is a CNC line the machine may get: S<digits> M03 F<number> (<number> and the
// tool words of its kind, with a number where the words leave room), every number plain
// (digits and at most one point, at least one digit); zero is a number.
inline bool isMachineSafeLine(const QString &line, const calc::CncWords &words)
{
    const QString number = QStringLiteral("(\\d*\\.?\\d*)");
    const QString start =
        QStringLiteral("S(\\d+) M03 F") + number + QStringLiteral(" \\(") + number;
    const QRegularExpression shapes[] = {
        QRegularExpression(QStringLiteral("^") + start + QRegularExpression::escape(words.mill) +
                           number + QRegularExpression::escape(words.edges) + QStringLiteral("$")),
        QRegularExpression(QStringLiteral("^") + start + QRegularExpression::escape(words.drill) +
                           QStringLiteral("$")),
        QRegularExpression(QStringLiteral("^") + start + QRegularExpression::escape(words.tap) +
                           number + QRegularExpression::escape(words.pitch) + QStringLiteral("$")),
    };
    for (const QRegularExpression &shape : shapes) {
        const QRegularExpressionMatch match = shape.match(line);
        if (!match.hasMatch())
            continue;
        for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
            if (!match.captured(i).contains(QRegularExpression(QStringLiteral("[0-9]"))))
                return false;
        }
        return true;
    }
    return false;
}

} // namespace fuzz

// Aborts with a message; detail is a std::string.
#define FUZZ_FAIL(detail) ::fuzz::Fail("unexpected", __FILE__, __LINE__, (detail))

// Aborts with a message when the condition does not hold; detail is a std::string.
#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::fuzz::Fail(#condition, __FILE__, __LINE__, (detail));                                \
    } while (0)
