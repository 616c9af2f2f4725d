#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/fuzz_checks.h"
#include "tests/support/file_bytes.h"

namespace
{

namespace fs = std::filesystem;

// One saved input: fuzz_regressions/<target>/<case name>.
struct Regression {
    std::string target;
    fs::path file;
};

void PrintTo(const Regression& regression, std::ostream* os)
{
    *os << regression.file;
}

std::vector<Regression> SavedInputs()
{
    std::vector<Regression> cases;
    for (const char* target : {"extract_section", "read_trailer", "split_fields", "decode_jpeg",
                               "list_sections", "append_section", "recipe", "program_image"}) {
        const fs::path folder = fs::path(SITEWRIGHT_REGRESSION_DIR) / target;
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder))
            cases.push_back({target, entry.path()});
    }
    return cases;
}

std::string RowName(const Regression& regression)
{
    std::string name = regression.target + "_" + regression.file.filename().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

class FuzzRegression : public testing::TestWithParam<Regression>
{
};

// Passing means the checks neither trap nor let an error other than the documented ones out.
TEST_P(FuzzRegression, PassesChecks)
{
    const std::string bytes = ReadBytes(GetParam().file.string());
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (GetParam().target == "extract_section")
        fuzzchecks::CheckExtractSection(data, bytes.size());
    else if (GetParam().target == "decode_jpeg")
        fuzzchecks::CheckDecodeJpeg(data, bytes.size());
    else if (GetParam().target == "read_trailer")
        fuzzchecks::CheckReadTrailer(data, bytes.size());
    else if (GetParam().target == "recipe")
        fuzzchecks::CheckRecipe(data, bytes.size());
    else if (GetParam().target == "list_sections")
        fuzzchecks::CheckListSections(data, bytes.size());
    else if (GetParam().target == "append_section")
        fuzzchecks::CheckAppendSection(data, bytes.size());
    else if (GetParam().target == "program_image")
        fuzzchecks::CheckProgramImage(data, bytes.size());
    else
        fuzzchecks::CheckSplitFields(data, bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Saved, FuzzRegression, testing::ValuesIn(SavedInputs()),
                         [](const auto& info) { return RowName(info.param); });

} // namespace
