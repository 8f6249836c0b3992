// Values as the text formats the program writes need them: CSV fields, JSON
// strings and numbers, XML text, and texts measured and cut for columns.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// The field as it is, or quoted with its quotes doubled when it holds a
// comma, a quote or a line end.
std::string CsvField(std::string_view text);

// A JSON string: quoted, escaped, and bytes that are not UTF-8 replaced by
// U+FFFD, so that any name gives valid JSON.
std::string JsonString(std::string_view text);

// A double in its shortest exact form; JSON's null for NaN and infinities,
// which JSON cannot hold.
std::string JsonNumber(double value);

// Text for XML content and attribute values: markup characters escaped and
// control characters, which XML cannot hold, shown as '?'.
std::string XmlText(std::string_view text);

// The number of characters a UTF-8 text shows.
size_t DisplayWidth(std::string_view text);

// The text as it is when it shows at most width characters, or cut to that
// many with an ellipsis as the last.
std::string CutToWidth(const std::string& text, size_t width);

}  // namespace sim
