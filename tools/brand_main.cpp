// sitewright-brand: puts branding sections and a trailer on a copy of an executable, and lists
// what a file carries.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "branding/appended_data.h"
#include "branding/brand_writer.h"
#include "branding/branding_source.h"
#include "branding/section_format.h"
#include "branding/trailer_text.h"
#include "options/standard_options.h"
#include "platform/exe_image.h"
#include "platform/staged_file.h"

namespace
{

// The form help2man reads: every usage form on a line of its own ("or:" continues the usage),
// paragraphs before "Options:" for the description, one option per line after it.
constexpr const char* kUsage =
    "Usage: sitewright-brand append INPUT OUTPUT [--section NAME FILE]... "
    "[--trailer TITLE CAPTION ADDRESS]\n"
    "  or:  sitewright-brand list FILE\n"
    "  or:  sitewright-brand --help\n"
    "  or:  sitewright-brand --version\n"
    "append copies the program INPUT to OUTPUT with each FILE appended as the scrambled\n"
    "section NAME, then the branding trailer of three quoted fields: the window's title, the\n"
    "link's caption and the address the link opens. OUTPUT is replaced only once all of it\n"
    "has been read and built.\n"
    "\n"
    "list shows the sections and the trailer FILE carries.\n"
    "\n"
    "Options:\n"
    "  --section NAME FILE  append FILE as the section NAME (append; may be repeated)\n"
    "  --trailer TITLE CAPTION ADDRESS\n"
    "                       append the branding trailer (append; at most once)\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n";

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
// Branding the program would not read is refused here, not at the user's start-up.
int RunAppend(const AppendRequest& request)
{
    if (!request.trailer.empty())
        branding::RefuseOversizedItems(request.trailer);
    std::string image;
    platform::ReadWholeFile(request.input, image);
    for (const auto& [name, file] : request.sections) {
        std::string plain;
        platform::ReadWholeFile(file, plain);
        if (branding::AsciiUpper(name) == branding::kBrandingImageSection)
            branding::RefuseOversizedImage(plain.size());
        branding::AppendSection(image, name, plain);
    }
    if (!request.trailer.empty())
        branding::AppendTrailer(image, request.trailer);
    platform::ReplaceFile(request.output, image, platform::NewFileMode::Executable);
    return 0;
}

// The first reason a write to standard output failed: a listing is streamed in many pieces,
// and a later call could overwrite errno before the end tells the user.
int firstWriteError = 0;

void Emit(std::string_view text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && firstWriteError == 0)
        firstWriteError = errno ? errno : EIO;
}

// Output that did not arrive is a failure with the system's reason: a full disk or a closed
// standard output must not end in a success status.
void FinishOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 && firstWriteError == 0)
        firstWriteError = errno ? errno : EIO;
    if (firstWriteError == 0 && std::ferror(stdout))
        firstWriteError = EIO;
    if (firstWriteError != 0)
        throw std::runtime_error(std::string("cannot write to standard output: ") +
                                 std::strerror(firstWriteError));
}

void WriteStandardOutput(std::string_view text)
{
    Emit(text);
    FinishOutput();
}

std::string Decimal(std::size_t value)
{
    char number[24];
    const char* end = std::to_chars(number, number + sizeof number, value).ptr;
    return std::string(number, static_cast<std::size_t>(end - number));
}

// Put together without printf: a trailer of millions of fields would spend most of its time
// parsing a format.
void PrintField(std::size_t index, std::string_view field)
{
    static std::string line;
    line.assign("  field ").append(Decimal(index)).append(": [").append(field).append("]\n");
    Emit(line);
}

void PrintTrailer(const std::string& path)
{
    std::string text;
    bool found = false;
    try {
        found = branding::ReadTrailer(path, text);
    } catch (const std::exception& error) {
        Emit("trailer: none (" + std::string(error.what()) + ")\n");
        return;
    }
    if (!found) {
        Emit("trailer: none (the length field is larger than the file)\n");
        return;
    }
    // Fields are counted, then printed, one at a time: a trailer can hold millions.
    std::size_t count = 0;
    branding::ForEachField('|', text, [&](std::string_view) { ++count; });
    Emit("trailer: " + Decimal(text.size()) + " bytes of text, " + Decimal(count) + " fields\n");
    std::size_t i = 0;
    branding::ForEachField('|', text, [&](std::string_view field) { PrintField(i++, field); });
}

void PrintSection(const branding::SectionEntry& entry)
{
    std::string line = "section " + entry.name + ": marker at " + Decimal(entry.markerOffset);
    line +=
        entry.readable ? ", " + Decimal(entry.span.size) + " bytes of data\n" : ", unreadable\n";
    Emit(line);
}

int RunList(const std::string& path)
{
    std::string image;
    platform::ReadWholeFile(path, image);
    Emit(path + ": " + Decimal(image.size()) + " bytes, " +
         Decimal(branding::CountSections(image)) + " sections\n");
    branding::ForEachSection(image, PrintSection);
    PrintTrailer(path);
    FinishOutput();
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
        if (const std::optional<int> status = options::AnswerStandardOption(
                args, "sitewright-brand", kUsage, std::cout, std::cerr))
            return *status;
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
