#pragma once

#include <filesystem>
#include <functional>

// Runs `body` as an ordinary user and returns what it returns. The superuser may write any file,
// so a test of what a write-protected file or folder refuses would prove nothing as root, which
// is how CI runs: there `scratch` is handed to the unprivileged user "nobody" and `body` runs in
// a child process that has become that user. Anyone else runs `body` in this process.
// A test checks the result, since failures inside the child cannot reach the test framework;
// -1 means the child could not become "nobody" or did not exit normally.
int AsOrdinaryUser(const std::filesystem::path& scratch, const std::function<int()>& body);
