// Record text is single-byte Windows-1252; Qt speaks Unicode. These two convert at the boundary.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace plotwell::qt {

QString from_local_text(std::string_view text);
// Characters without a Windows-1252 form become '?'.
std::string to_local_text(const QString& text);

}  // namespace plotwell::qt
