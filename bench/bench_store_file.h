// The saved-formula file the store benchmarks read: count loan formulas of realistic
// size, written at once in name order as the store writes them (filling it one save
// at a time would take minutes).
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

inline void WriteBenchStore(const std::string& path, int count) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string json = "{\"version\": 1, \"formulas\": [";
    for (int i = 0; i < count; ++i)
        json += std::string(i ? "," : "") + "{\"name\": \"Loan payment " +
                std::to_string(100000 + i) +
                "\", \"variables\": \"L;c;n\", \"values\": [\"16000\", \"6\", \"24\"],"
                " \"formula\": \"L*(((c/100)/12)*power((1+((c/100)/12));n))/"
                "(power((1+((c/100)/12));n)-1)\", \"saved\": \"2026-12-09T05:00:10Z\"}";
    json += "]}";
    FILE* file = std::fopen(path.c_str(), "w");
    std::fwrite(json.data(), 1, json.size(), file);
    std::fclose(file);
}
