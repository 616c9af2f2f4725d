#include "tests/support/golden_file.h"

#include <stdexcept>

#include "tests/support/file_bytes.h"

std::vector<std::string> GoldenLines(std::string_view name)
{
    const std::string path = std::string(SITEWRIGHT_GOLDEN_DIR) + "/" + std::string(name) + ".txt";
    const std::string text = ReadBytes(path);
    std::vector<std::string> lines;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = text.find("\r\n", from);
        if (end == std::string::npos)
            throw std::runtime_error(path + ": a line does not end in CR LF");
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    if (lines.empty())
        throw std::runtime_error(path + ": missing or empty");
    return lines;
}

std::string WithFieldText(std::string_view goldenLine, std::string_view startText,
                          std::string_view text)
{
    const std::size_t at = goldenLine.find(startText);
    if (startText.empty() || at == std::string_view::npos ||
        goldenLine.find(startText, at + 1) != std::string_view::npos)
        throw std::runtime_error("the start text \"" + std::string(startText) +
                                 "\" is not once in \"" + std::string(goldenLine) + "\"");
    std::string line(goldenLine);
    return line.replace(at, startText.size(), text);
}
