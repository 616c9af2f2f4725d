// Replacing a file under the faults that lose data elsewhere: a full disk, a read-only mount,
// targets that are no regular files, links, leftovers of a killed writer. Every fault lives on
// a real file system inside the test's own scratch folder.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/read_only_file.h"
#include "platform/staged_file.h"
#include "tests/support/file_bytes.h"
#include "tests/support/ordinary_user.h"
#include "tests/support/temp_dir.h"

namespace
{

namespace fs = std::filesystem;

// A file system mounted on a folder of the scratch folder for one test, unmounted on every way
// out. Mounting needs privileges the test may not have; Mounted() tells.
class ScratchMount
{
public:
    ScratchMount(const std::string& source, const std::string& target, const char* type,
                 unsigned long flags, const char* options)
        : target_(target)
    {
        fs::create_directories(target);
        mounted_ = mount(source.c_str(), target.c_str(), type, flags, options) == 0;
        error_ = mounted_ ? "" : std::strerror(errno);
    }
    ~ScratchMount()
    {
        if (mounted_ && umount(target_.c_str()) != 0)
            umount2(target_.c_str(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }
    // Makes a bind mount read-only, which needs a second call.
    bool RemountReadOnly()
    {
        return mount("", target_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string target_;
    bool mounted_ = false;
    std::string error_;
};

mode_t ModeOf(const std::string& path)
{
    struct stat info {
    };
    EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::size_t StagedFilesIn(const std::string& folder)
{
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().rfind(".sw~", 0) == 0;
    return count;
}

void WriteWithMode(const std::string& path, const std::string& bytes, mode_t mode)
{
    std::ofstream(path, std::ios::binary) << bytes;
    chmod(path.c_str(), mode);
}

// Whatever makes the write fail, the old file stays whole with its mode, and nothing is left.
struct WriteFault {
    const char* name;
    // Prepares `folder` (inside the scratch folder), in which the target "old.txt" already is;
    // returns the mount to keep, or skips.
    std::function<std::unique_ptr<ScratchMount>(const std::string& scratch,
                                                const std::string& folder)>
        make;
};

class ReplaceFileFault : public testing::TestWithParam<WriteFault>
{
};

TEST_P(ReplaceFileFault, KeepsOldFileWholeAndLeavesNothing)
{
    TempDir dir;
    const std::string folder = dir.File("mnt");
    auto mount = GetParam().make(dir.path().string(), folder);
    if (!mount || !mount->Mounted())
        GTEST_SKIP() << "cannot mount here: " << (mount ? mount->Error() : "");
    const std::string target = folder + "/old.txt";
    const std::string bytes(256 * 1024, 'n');
    try {
        platform::ReplaceFile(target, bytes, platform::NewFileMode::Data);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + target + "\". ", 0), 0u)
            << e.what();
    }
    EXPECT_EQ(ReadBytes(target), std::string(4096, 'o'));
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(StagedFilesIn(folder), 0u);
}

INSTANTIATE_TEST_SUITE_P(Faults, ReplaceFileFault,
                         testing::Values(
                             // 64 KiB of space: the old file fits, the new one does not.
                             WriteFault{"FullDisk",
                                        [](const std::string&, const std::string& folder) {
                                            auto m = std::make_unique<ScratchMount>(
                                                "tmpfs", folder, "tmpfs", 0, "size=64k,mode=0755");
                                            if (m->Mounted())
                                                WriteWithMode(folder + "/old.txt",
                                                              std::string(4096, 'o'), 0640);
                                            return m;
                                        }},
                             WriteFault{"ReadOnlyMount",
                                        [](const std::string& scratch, const std::string& folder) {
                                            const std::string source = scratch + "/source";
                                            fs::create_directories(source);
                                            WriteWithMode(source + "/old.txt",
                                                          std::string(4096, 'o'), 0640);
                                            auto m = std::make_unique<ScratchMount>(
                                                source, folder, nullptr, MS_BIND, nullptr);
                                            if (m->Mounted() && !m->RemountReadOnly())
                                                return std::unique_ptr<ScratchMount>();
                                            return m;
                                        }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Anything but a regular file is refused by name before anything is written, and stays.
struct OddTarget {
    const char* name;
    const char* kind;
    std::function<bool(const std::string& path)> make; // false: cannot be made here
};

class ReplaceFileRefuses : public testing::TestWithParam<OddTarget>
{
};

TEST_P(ReplaceFileRefuses, TargetThatIsNoRegularFile)
{
    TempDir dir;
    const std::string target = dir.File("target");
    if (!GetParam().make(target))
        GTEST_SKIP() << "cannot make " << GetParam().kind << " here";
    struct stat before {
    };
    ASSERT_EQ(lstat(target.c_str(), &before), 0);
    // The same through a link: the file it leads to is what counts.
    const std::string link = dir.File("link");
    fs::create_symlink(target, link);
    for (const std::string& path : {target, link}) {
        try {
            platform::ReplaceFile(path, "new", platform::NewFileMode::Executable);
            ADD_FAILURE() << "no error for " << path;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". It is " +
                                                 GetParam().kind + ", not a regular file.");
        }
    }
    struct stat after {
    };
    ASSERT_EQ(lstat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
    // An input of the same kind is refused at once, without waiting for a writer.
    EXPECT_THROW(platform::ReadOnlyFile{target}, std::runtime_error);
}

bool MakeSocket(const std::string& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof address.sun_path)
        return false;
    std::strcpy(address.sun_path, path.c_str());
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReplaceFileRefuses,
    testing::Values(OddTarget{"Folder", "a folder",
                              [](const std::string& p) { return fs::create_directory(p); }},
                    OddTarget{"Fifo", "a FIFO",
                              [](const std::string& p) { return mkfifo(p.c_str(), 0600) == 0; }},
                    OddTarget{"Socket", "a socket", MakeSocket},
                    // The null device's numbers, made in the scratch folder (only root may).
                    OddTarget{"Device", "a device",
                              [](const std::string& p) {
                                  return mknod(p.c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceFile, KeepsModeAndReplacesWhereLinksPoint)
{
    TempDir dir;
    fs::create_directories(dir.File("real"));
    const std::string real = dir.File("real/tool");
    WriteWithMode(real, "old", 0700);
    // A relative link to a link: both stay, the file at the end is replaced.
    fs::create_symlink("real/tool", dir.File("first"));
    fs::create_symlink(dir.File("first"), dir.File("second"));
    platform::ReplaceFile(dir.File("second"), "new bytes", platform::NewFileMode::Data);
    EXPECT_EQ(ReadBytes(real), "new bytes");
    EXPECT_EQ(ModeOf(real), 0700u);
    EXPECT_TRUE(fs::is_symlink(dir.File("first")));
    EXPECT_TRUE(fs::is_symlink(dir.File("second")));
    EXPECT_EQ(StagedFilesIn(dir.File("real")), 0u);
    EXPECT_EQ(StagedFilesIn(dir.path().string()), 0u);
}

TEST(ReplaceFile, NewFileGetsItsModeLessTheUmask)
{
    TempDir dir;
    const mode_t old = umask(022);
    platform::ReplaceFile(dir.File("page.html"), "data", platform::NewFileMode::Data);
    platform::ReplaceFile(dir.File("tool"), "program", platform::NewFileMode::Executable);
    umask(old);
    EXPECT_EQ(ModeOf(dir.File("page.html")), 0644u);
    EXPECT_EQ(ModeOf(dir.File("tool")), 0755u);
}

// The staged file's name is its own, so a target of the longest name a folder allows works.
TEST(ReplaceFile, TargetOfLongestNameWorks)
{
    TempDir dir;
    const std::string target = dir.File(std::string(255, 'n'));
    platform::ReplaceFile(target, "new", platform::NewFileMode::Data);
    EXPECT_EQ(ReadBytes(target), "new");
}

// The id of a process that has ended: a writer that is gone.
pid_t EndedProcess()
{
    static const pid_t ended = [] {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(0);
        waitpid(pid, nullptr, 0);
        return pid;
    }();
    return ended;
}

std::string StagedName(pid_t writer, const std::string& random = "Ab12Cd")
{
    return ".sw~" + std::to_string(writer) + "-" + random + ".sw-staged";
}

// A file the next write into the folder finds there, and whether that write may remove it.
struct Leftover {
    const char* name;
    std::function<std::string()> fileName;
    bool removed;
    bool old = false;    // unchanged for ten minutes
    bool locked = false; // its writer still holds its lock
    enum { File, Folder, Link, SecondName } kind = File;
};

class ReplaceFileLeftovers : public testing::TestWithParam<Leftover>
{
};

// Only a file of the staged form, unlocked, whose writer has ended or which has not changed for
// minutes, is removed; everything that merely looks like one stays, with its content.
TEST_P(ReplaceFileLeftovers, RemovesOnlyWhatAWriterLeftBehind)
{
    const Leftover& c = GetParam();
    const TempDir dir;
    const std::string path = dir.File(c.fileName());
    const std::string precious = dir.Write("precious", "precious notes\n");
    if (c.kind == Leftover::Folder)
        fs::create_directory(path);
    else if (c.kind == Leftover::Link)
        fs::create_symlink(precious, path);
    else if (c.kind == Leftover::SecondName)
        fs::create_hard_link(precious, path);
    else
        WriteBytes(path, "precious notes\n");
    if (c.old) {
        const timespec tenMinutesAgo[2] = {{time(nullptr) - 600, 0}, {time(nullptr) - 600, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), tenMinutesAgo, AT_SYMLINK_NOFOLLOW), 0);
    }
    const int writer = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (c.locked) {
        ASSERT_EQ(flock(writer, LOCK_EX), 0);
    }
    platform::ReplaceFile(dir.File("out.html"), "new", platform::NewFileMode::Data);
    close(writer);
    EXPECT_EQ(fs::exists(fs::symlink_status(path)), !c.removed);
    if (!c.removed && c.kind == Leftover::File) {
        EXPECT_EQ(ReadBytes(path), "precious notes\n");
    }
    EXPECT_EQ(ReadBytes(precious), "precious notes\n");
    EXPECT_EQ(ReadBytes(dir.File("out.html")), "new");
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReplaceFileLeftovers,
    testing::Values(
        Leftover{"WriterEnded", [] { return StagedName(EndedProcess()); }, true},
        Leftover{"WriterRunsButFileIsOld", [] { return StagedName(getpid()); }, true, true},
        Leftover{"WriterRunsAndFileIsFresh", [] { return StagedName(getpid()); }, false},
        Leftover{"LockedByItsWriter", [] { return StagedName(EndedProcess()); }, false, true, true},
        Leftover{"OurPrefixOnly", [] { return std::string(".sw~backup"); }, false, true},
        Leftover{"SixCharactersAfterOurPrefix", [] { return std::string(".sw~Ab12Cd"); }, false,
                 true},
        Leftover{"MoreAfterOurSuffix", [] { return StagedName(EndedProcess()) + ".orig"; }, false,
                 true},
        Leftover{"RandomPartTooShort", [] { return StagedName(EndedProcess(), "Ab12C"); }, false,
                 true},
        Leftover{"RandomPartTooLong", [] { return StagedName(EndedProcess(), "Ab12Cde"); }, false,
                 true},
        Leftover{"RandomPartWithABlank", [] { return StagedName(EndedProcess(), "Ab 2Cd"); }, false,
                 true},
        Leftover{"RandomPartNotAscii",
                 [] {
                     return StagedName(EndedProcess(), "Ab\xC3\xA9"
                                                       "2C");
                 },
                 false, true},
        Leftover{"NoWriter", [] { return std::string(".sw~-Ab12Cd.sw-staged"); }, false, true},
        Leftover{"WriterNotANumber", [] { return std::string(".sw~1x-Ab12Cd.sw-staged"); }, false,
                 true},
        Leftover{"WithoutTheDot", [] { return StagedName(EndedProcess()).substr(1); }, false, true},
        Leftover{"Folder", [] { return StagedName(EndedProcess()); }, false, true, false,
                 Leftover::Folder},
        Leftover{"LinkToAFile", [] { return StagedName(EndedProcess()); }, false, true, false,
                 Leftover::Link},
        Leftover{"SecondNameOfAFile", [] { return StagedName(EndedProcess()); }, false, true, false,
                 Leftover::SecondName}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

namespace
{

// Output named by one of the process's own descriptors goes to that descriptor, as the shell
// set it up: appended after what a `>>` file already holds, never replacing the file.
TEST(WriteOutputFile, OwnDescriptorIsWrittenWhereItStands)
{
    const TempDir dir;
    const std::string log = dir.File("log.html");
    WriteBytes(log, "before\n");
    struct stat was {
    };
    ASSERT_EQ(stat(log.c_str(), &was), 0);
    const int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (const std::string prefix : {"/proc/self/fd/", "/dev/fd/"})
        platform::WriteOutputFile(prefix + std::to_string(fd), "new\n",
                                  platform::NewFileMode::Data);
    close(fd);
    struct stat now {
    };
    ASSERT_EQ(stat(log.c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, was.st_ino);
    EXPECT_EQ(ReadBytes(log), "before\nnew\nnew\n");
}

} // namespace

namespace
{

// A link that turns into a loop between staging and the move fails the move and leaves no
// staged file behind.
TEST(ReplaceFile, LinkLoopAfterStagingFailsTheMoveAndDiscards)
{
    const TempDir dir;
    const std::string target = dir.File("page.html");
    WriteBytes(target, "old");
    const std::string staged = platform::StageFile(target, "new", platform::NewFileMode::Data);
    ASSERT_EQ(unlink(target.c_str()), 0);
    ASSERT_EQ(symlink("loop.html", target.c_str()), 0);
    ASSERT_EQ(symlink("page.html", dir.File("loop.html").c_str()), 0);
    EXPECT_FALSE(platform::CommitStagedFile(staged, target));
    EXPECT_EQ(errno, ELOOP);
    platform::DiscardStagedFile(staged);
    EXPECT_FALSE(std::filesystem::exists(staged));
}

} // namespace

namespace
{

// A write-protected data file stays as it is; a program file is replaced as before.
TEST(ReplaceFile, WriteProtectedDataFileIsRefused)
{
    const TempDir dir;
    const std::string target = dir.File("page.html");
    // 0: as described; 1: not refused; 2: changed although refused; 3: program file not replaced.
    EXPECT_EQ(
        AsOrdinaryUser(dir.path(),
                       [&] {
                           WriteBytes(target, "old", 0444);
                           try {
                               platform::ReplaceFile(target, "new", platform::NewFileMode::Data);
                               return 1;
                           } catch (const std::runtime_error&) {
                           }
                           if (ReadBytes(target) != "old")
                               return 2;
                           platform::ReplaceFile(target, "new", platform::NewFileMode::Executable);
                           return ReadBytes(target) == "new" ? 0 : 3;
                       }),
        0);
}

} // namespace

namespace
{

// Makes link1 -> link2 -> ... -> link<count> -> file in `dir`; returns link1.
std::string LinkChain(const TempDir& dir, int count)
{
    WriteBytes(dir.File("file"), "old");
    for (int i = count; i >= 1; --i)
        fs::create_symlink(i == count ? "file" : "link" + std::to_string(i + 1),
                           dir.File("link" + std::to_string(i)));
    return dir.File("link1");
}

// As many links as the kernel follows lead to the file; one more is refused, and the refusal
// names the link where following stopped, not the file behind it.
TEST(ReplaceFile, FollowsLinksUpToTheKernelsLimit)
{
    const TempDir forty;
    platform::ReplaceFile(LinkChain(forty, 40), "new", platform::NewFileMode::Data);
    EXPECT_EQ(ReadBytes(forty.File("file")), "new");
    EXPECT_TRUE(fs::is_symlink(forty.File("link40")));

    const TempDir fortyOne;
    const std::string first = LinkChain(fortyOne, 41);
    try {
        platform::ReplaceFile(first, "new", platform::NewFileMode::Data);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + first + "\". " +
                                             std::strerror(ELOOP) + " (readlink \"" +
                                             fortyOne.File("link41") + "\")");
    }
    EXPECT_EQ(ReadBytes(fortyOne.File("file")), "old");
}

// A name holding a line break or a quote cannot split the message or end its quotes early.
TEST(ReplaceFile, MessageKeepsAnOddNameOnOneLine)
{
    const TempDir dir;
    fs::create_directory(dir.File("a\nb\"c"));
    try {
        platform::ReplaceFile(dir.File("a\nb\"c"), "new", platform::NewFileMode::Data);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + dir.File("a\\nb\\\"c") +
                                             "\". It is a folder, not a regular file.");
    }
}

// Every spelling of a descriptor open for writing is that descriptor: the text goes where it
// stands, appended after what a `>>` file held, and the file is not replaced.
TEST(WriteOutputFile, AnySpellingOfAnOwnDescriptorWritesToIt)
{
    const TempDir dir;
    const std::string log = dir.File("v.txt");
    WriteBytes(log, "HEAD\n");
    const int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const std::string n = std::to_string(fd);
    std::string expected = "HEAD\n";
    for (const std::string& path :
         {"/proc/self/fd/" + n, "//proc/self/fd/" + n, "/dev/fd/./" + n,
          "/proc/thread-self/fd/" + n, "/proc/self/fd/../fd/" + n, "/dev/../dev/fd/" + n}) {
        platform::WriteOutputFile(path, path + "\n", platform::NewFileMode::Data);
        expected += path + "\n";
    }
    close(fd);
    EXPECT_EQ(ReadBytes(log), expected);
}

// A file the caller holds open, for reading or writing, is no stream of ours when named as a
// file: it is replaced, never written into where the caller's descriptor stands.
TEST(WriteOutputFile, FileHeldOpenByTheCallerIsReplaced)
{
    const TempDir dir;
    for (const int flags : {O_RDONLY, O_RDWR, O_WRONLY | O_APPEND}) {
        const std::string page = dir.Write("page.html", "old and longer");
        const int held = open(page.c_str(), flags | O_CLOEXEC);
        ASSERT_GE(held, 0);
        platform::WriteOutputFile(page, "new", platform::NewFileMode::Data);
        close(held);
        EXPECT_EQ(ReadBytes(page), "new") << flags;
    }
}

} // namespace
