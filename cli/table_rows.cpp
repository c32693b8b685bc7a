// Splitting of table rows into fields.
#include "cli/table_rows.h"

bool IsBlankRow(std::string_view line) noexcept {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

void SplitRow(std::string_view line, std::size_t expected, std::vector<std::string_view>& fields) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    fields.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == ';' ||
            line[i] == '\t') { // a plain scan: find_first_of calls memchr per byte
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    fields.push_back(line.substr(start));
    if (fields.size() != expected)
        throw ERowFieldCount("Row has " + std::to_string(fields.size()) + " field" +
                             (fields.size() == 1 ? "" : "s") + ", expected " +
                             std::to_string(expected));
}
