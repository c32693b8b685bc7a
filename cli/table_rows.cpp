// Splitting of table rows into fields.
#include "cli/table_rows.h"

bool IsBlankRow(std::string_view line) noexcept {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::vector<std::string> SplitRow(std::string_view line, std::size_t expected) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find_first_of(";\t", start);
        fields.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (fields.size() != expected)
        throw ERowFieldCount("Row has " + std::to_string(fields.size()) + " field" +
                             (fields.size() == 1 ? "" : "s") + ", expected " +
                             std::to_string(expected));
    return fields;
}
