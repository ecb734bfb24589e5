// Text formats on real files nobody here wrote (tests/corpus; origins and licences in its SOURCES.md):
// every file is detected as the format its own declarations and an independent converter give, and
// opening and saving it without edits gives back the identical bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "document/text_format.h"

namespace tovel {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(TOVEL_SOURCE_DIR) / "tests" / "corpus";

struct Expected {
    std::string name;
    std::string encoding;   // Encoding's name, or "binary": any format, but the bytes come back
    std::string bom;        // "bom" or "-"
    std::string lineBreak;  // CrLf, Lf, Cr, Mixed ("-" for binary)
    // "exact"; "raw": the file cannot be held converted, so it is held as its bytes; "any": either keeps
    // the bytes (a character the format's table leaves empty but whose row and cell survive the round trip).
    std::string load;
};

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<Expected> ReadExpected() {
    std::vector<Expected> rows;
    std::istringstream in(ReadBytes(kCorpus / "expected.tsv"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Expected row;
        std::getline(fields, row.name, '\t');
        std::getline(fields, row.encoding, '\t');
        std::getline(fields, row.bom, '\t');
        std::getline(fields, row.lineBreak, '\t');
        std::getline(fields, row.load, '\t');
        rows.push_back(row);
    }
    return rows;
}

std::string EncodingWord(Encoding encoding) {
    switch (encoding) {
        case Encoding::ShiftJis:
            return "ShiftJis";
        case Encoding::Utf8:
            return "Utf8";
        case Encoding::Utf16Le:
            return "Utf16Le";
        case Encoding::Utf16Be:
            return "Utf16Be";
        case Encoding::EucJp:
            return "EucJp";
        case Encoding::Iso2022Jp:
            return "Iso2022Jp";
    }
    return "?";
}

std::string LineBreakWord(LineBreak lineBreak) {
    switch (lineBreak) {
        case LineBreak::CrLf:
            return "CrLf";
        case LineBreak::Lf:
            return "Lf";
        case LineBreak::Cr:
            return "Cr";
        case LineBreak::Mixed:
            return "Mixed";
    }
    return "?";
}

// What happened to one file, or empty when everything held.
std::string CheckFile(const Expected& row) {
    const std::string bytes = ReadBytes(kCorpus / "files" / row.name);
    if (bytes.empty()) return "missing or empty";
    const TextFormat format = DetectFormat(bytes);
    const std::string detected =
        EncodingWord(format.encoding) + " " + (format.bom ? "bom" : "-") + " " + LineBreakWord(format.lineBreak);
    std::string problems;
    if (row.encoding != "binary") {
        const std::string expected = row.encoding + " " + row.bom + " " + row.lineBreak;
        if (detected != expected) problems += " detected " + detected + ", expected " + expected + ";";
    }
    const DecodeResult decoded = Decode(bytes, format);
    const bool wantExact = row.load == "exact";
    if (row.encoding != "binary" && row.load != "any" && decoded.exact != wantExact) {
        problems += std::string(" load ") + (decoded.exact ? "exact" : "raw at offset ") +
                    (decoded.exact ? "" : std::to_string(decoded.offset)) + ", expected " + row.load + ";";
    }
    if (!decoded.exact && decoded.held != bytes) problems += " a raw load does not hold the file's bytes;";
    // A raw load is held as a Shift-JIS document holds bytes, and saved that way.
    const TextFormat saveAs = decoded.exact ? format : TextFormat{Encoding::ShiftJis, false, format.lineBreak};
    try {
        if (Encode(decoded.held, saveAs) != bytes) problems += " saving without edits changes the bytes;";
    } catch (const std::exception& e) {
        problems += std::string(" saving without edits throws: ") + e.what() + ";";
    }
    return problems.empty() ? "" : row.name + " (" + detected + "):" + problems;
}

TEST(TextCorpus, EveryRealFileIsDetectedAndComesBackByteForByte) {
    const std::vector<Expected> rows = ReadExpected();
    ASSERT_GE(rows.size(), 30u) << "the corpus list is missing or short: " << (kCorpus / "expected.tsv");
    // Every file in the folder is listed, so none escapes the check.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(kCorpus / "files")) ++files;
    EXPECT_EQ(files, rows.size()) << "files in tests/corpus/files and rows in expected.tsv differ";
    std::size_t failed = 0;
    for (const Expected& row : rows) {
        const std::string problem = CheckFile(row);
        if (!problem.empty()) {
            ++failed;
            ADD_FAILURE() << problem;
        }
    }
    EXPECT_EQ(failed, 0u) << failed << " of " << rows.size() << " corpus files failed";
}

}  // namespace
}  // namespace tovel
