#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/exe_image.h"
#include "platform/file_attributes.h"
#include "startup/startup_environment.h"

// A system in memory for the start-up pass: files with a read-only attribute, files that stay
// in use, folders that cannot be written, a clock that moves 1 ms per reading, and a log of
// every action that changes something.
class FakeStartupEnvironment final : public startup::StartupEnvironment
{
public:
    struct File {
        std::string bytes;
        bool readOnly = false;   // the attribute, which can be cleared
        bool onMedia = false;    // on read-only media: stays read-only
        bool inUse = false;      // can neither be removed nor replaced
        bool executable = false; // written as a program
    };

    std::map<std::string, File> files;
    std::set<std::string> unwritable;    // targets whose new content cannot be written
    std::set<std::string> systemFolders; // folders that are not the user's to write
    std::string exe;
    std::string argument;
    std::string root = "/home/user";
    std::uint32_t now = 0;
    std::vector<std::string> log;

    std::uint32_t Ticks() override { return now++; }
    void ProcessMessages() override {}
    void RequestQuit() override { log.push_back("quit"); }
    std::string ExecutablePath() override { return exe; }
    std::string FirstArgument() override { return argument; }
    void SetCurrentFolder(const std::string& folder) override { log.push_back("cd " + folder); }
    bool FolderIsUsersToWrite(const std::string& folder) override
    {
        return systemFolders.count(folder) == 0;
    }

    std::uint32_t FileGetAttr(const std::string& path) override
    {
        const auto it = files.find(path);
        if (it == files.end())
            return platform::kInvalidFileAttributes;
        return (it->second.readOnly || it->second.onMedia) ? platform::kFileAttributeReadOnly : 0;
    }

    bool FileSetAttr(const std::string& path, std::uint32_t attributes) override
    {
        const bool readOnly = attributes & platform::kFileAttributeReadOnly;
        log.push_back("attr " + path + (readOnly ? " ro" : " rw"));
        const auto it = files.find(path);
        if (it == files.end() || it->second.onMedia)
            return false;
        it->second.readOnly = readOnly;
        return true;
    }

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }

    platform::DeleteOutcome DeleteFileOnce(const std::string& path) override
    {
        const auto it = files.find(path);
        if (it == files.end())
            return platform::DeleteOutcome::Missing;
        if (it->second.inUse)
            return platform::DeleteOutcome::Failed;
        files.erase(it);
        log.push_back("delete " + path);
        return platform::DeleteOutcome::Deleted;
    }

    void CreateFolder(const std::string& path) override { log.push_back("mkdir " + path); }
    std::string WindowsDriveRoot() override { return root; }

    void LoadExeImage() override
    {
        log.push_back("load");
        platform::ExeImage() = files.at(exe).bytes;
    }

    // Paths name one file when they are equal after dropping "./" steps.
    bool SameFile(const std::string& a, const std::string& b) override
    {
        return files.count(Normal(a)) != 0 && Normal(a) == Normal(b);
    }

    std::vector<std::string> FindNamesIgnoringCase(const std::string& folder,
                                                   const std::string& name) override
    {
        std::vector<std::string> found;
        for (const auto& [path, file] : files) {
            if (path.rfind(folder, 0) == 0 && path.size() == folder.size() + name.size() &&
                strcasecmp(path.c_str() + folder.size(), name.c_str()) == 0)
                found.push_back(path);
        }
        return found;
    }

    void ReplaceFile(const std::string& target, std::string_view bytes) override
    {
        const std::string staged = StageFile(target, bytes);
        if (!CommitStagedFile(staged, target)) {
            DiscardStagedFile(staged);
            throw std::runtime_error("Cannot create file \"" + target + "\". In use");
        }
    }

    std::string StageFile(const std::string& target, std::string_view bytes) override
    {
        if (unwritable.count(target))
            throw std::runtime_error("Cannot create file \"" + target + "\". Disk full");
        const std::string staged = target + ".new";
        files[staged] = File{std::string(bytes), false, false, false, true};
        return staged;
    }

    bool CommitStagedFile(const std::string& staged, const std::string& target) override
    {
        const auto it = files.find(target);
        if (it != files.end() && it->second.inUse)
            return false;
        files[target] = files.at(staged);
        files.erase(staged);
        log.push_back("write " + target);
        return true;
    }

    void DiscardStagedFile(const std::string& staged) override
    {
        files.erase(staged);
        log.push_back("discard " + staged);
    }

    void Launch(const std::string& file, const std::string& parameters) override
    {
        log.push_back("launch " + file + " '" + parameters + "'");
    }

private:
    static std::string Normal(std::string path)
    {
        for (std::size_t at; (at = path.find("/./")) != std::string::npos;)
            path.erase(at, 2);
        return path;
    }
};
