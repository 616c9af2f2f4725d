#pragma once

#include <filesystem>
#include <string>

// Loads `address` in headless Chromium and returns the page's DOM as it stands once
// `virtualMilliseconds` of page time have passed (timers run without waiting for the clock).
// Chromium keeps its profile in `scratch`, reaches no other machine (every host name resolves to
// 127.0.0.1, no background services) and is gone, with every process it started, on return.
// Throws std::runtime_error when it cannot be started or fails.
std::string DumpDom(const std::string& address, const std::filesystem::path& scratch,
                    int virtualMilliseconds);
