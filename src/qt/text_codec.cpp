#include "qt/text_codec.h"

namespace plotwell::qt {

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

QString from_local_text(std::string_view text) {
    QString out;
    out.reserve(qsizetype(text.size()));
    for (unsigned char c : text) {
        if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80])
            out.append(QChar(kHigh[c - 0x80]));
        else
            out.append(QChar(char16_t(c)));
    }
    return out;
}

std::string to_local_text(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(char(u));
            continue;
        }
        // The five unassigned codes came in as their own values; give them back unchanged.
        char mapped = (u >= 0x80 && u < 0xA0 && !kHigh[u - 0x80]) ? char(u) : '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] && kHigh[i] == u) mapped = char(0x80 + i);
        out.push_back(mapped);
    }
    return out;
}

}  // namespace plotwell::qt
