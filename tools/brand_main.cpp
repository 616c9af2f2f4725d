// sitewright-brand: puts branding sections and a trailer on a copy of an executable, and lists
// what a file carries.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "branding/appended_data.h"
#include "branding/brand_writer.h"
#include "branding/section_format.h"
#include "branding/trailer_text.h"
#include "platform/exe_image.h"
#include "platform/staged_file.h"

namespace
{

constexpr const char* kUsage =
    "Usage:\n"
    "  sitewright-brand --help\n"
    "      Shows this text.\n"
    "  sitewright-brand append INPUT OUTPUT [--section NAME FILE]... "
    "[--trailer TITLE CAPTION ADDRESS]\n"
    "      Copies INPUT to OUTPUT with each FILE appended as section NAME (scrambled),\n"
    "      then the trailer of three quoted fields.\n"
    "  sitewright-brand list FILE\n"
    "      Shows the sections and the trailer FILE carries.\n";

struct AppendRequest {
    std::string input;
    std::string output;
    std::vector<std::pair<std::string, std::string>> sections;
    std::vector<std::string> trailer;
};

bool ParseAppend(const std::vector<std::string>& args, AppendRequest& request)
{
    if (args.size() < 3)
        return false;
    request.input = args[1];
    request.output = args[2];
    for (std::size_t i = 3; i < args.size();) {
        if (args[i] == "--section" && i + 2 < args.size()) {
            request.sections.emplace_back(args[i + 1], args[i + 2]);
            i += 3;
        } else if (args[i] == "--trailer" && i + 3 < args.size() && request.trailer.empty()) {
            request.trailer.assign(args.begin() + static_cast<long>(i) + 1,
                                   args.begin() + static_cast<long>(i) + 4);
            i += 4;
        } else {
            return false;
        }
    }
    return !request.sections.empty() || !request.trailer.empty();
}

// Everything is checked and built in memory first: a refusal leaves no output file behind.
int RunAppend(const AppendRequest& request)
{
    std::string image;
    platform::ReadWholeFile(request.input, image);
    for (const auto& [name, file] : request.sections) {
        std::string plain;
        platform::ReadWholeFile(file, plain);
        branding::AppendSection(image, name, plain);
    }
    if (!request.trailer.empty())
        branding::AppendTrailer(image, request.trailer);
    platform::ReplaceFile(request.output, image, platform::NewFileMode::Executable);
    return 0;
}

std::string TrailerListing(const std::string& path)
{
    std::string text;
    bool found = false;
    try {
        found = branding::ReadTrailer(path, text);
    } catch (const std::exception& error) {
        return "trailer: none (" + std::string(error.what()) + ")\n";
    }
    if (!found)
        return "trailer: none (the length field is larger than the file)\n";
    std::vector<std::string> fields;
    branding::SplitFields('|', text, &fields);
    std::string listing = "trailer: " + std::to_string(text.size()) + " bytes of text, " +
                          std::to_string(fields.size()) + " fields\n";
    for (std::size_t i = 0; i < fields.size(); ++i)
        listing += "  field " + std::to_string(i) + ": [" + fields[i] + "]\n";
    return listing;
}

std::string SectionLine(const branding::SectionEntry& entry)
{
    std::string line =
        "section " + entry.name + ": marker at " + std::to_string(entry.markerOffset) + ", ";
    if (entry.readable)
        return line + std::to_string(entry.span.size) + " bytes of data\n";
    return line + "unreadable\n";
}

// Output that did not arrive is a failure with the system's reason: a full disk or a closed
// standard output must not end in a success status.
void WriteStandardOutput(const std::string& text)
{
    errno = 0;
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        throw std::runtime_error(std::string("cannot write to standard output: ") +
                                 (errno ? std::strerror(errno) : "the stream refused the text"));
}

int RunList(const std::string& path)
{
    std::string image;
    platform::ReadWholeFile(path, image);
    const auto sections = branding::ListSections(image);
    // Built whole first, so the reason of a failed write is not lost behind later calls.
    std::string listing = path + ": " + std::to_string(image.size()) + " bytes, " +
                          std::to_string(sections.size()) + " sections\n";
    for (const auto& entry : sections)
        listing += SectionLine(entry);
    listing += TrailerListing(path);
    WriteStandardOutput(listing);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        AppendRequest request;
        // Asked for, the usage is the output and no error; the manual page is made from it.
        if (args.size() == 1 && args[0] == "--help") {
            WriteStandardOutput(kUsage);
            return 0;
        }
        if (args.size() == 2 && args[0] == "list")
            return RunList(args[1]);
        if (!args.empty() && args[0] == "append" && ParseAppend(args, request))
            return RunAppend(request);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sitewright-brand: %s\n", error.what());
        return 1;
    }
    std::fputs(kUsage, stderr);
    return 2;
}
