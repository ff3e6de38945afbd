// Temporary directories, file-size limits and links for tests, per system.
#include "support/test_files.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

int current_process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(::getpid());
#endif
}

std::string make_temp_directory(const std::string& prefix) {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        fs::path candidate = fs::temp_directory_path() /
                             (prefix + "-" + std::to_string(current_process_id()) + "-" +
                              std::to_string(now % 1000003) + "-" + std::to_string(counter++));
        std::error_code error;
        if (fs::create_directory(candidate, error)) return candidate.generic_string();
    }
    return fs::temp_directory_path().generic_string();
}

void remove_tree(const std::string& path) {
    std::error_code error;
    fs::remove_all(path, error);
}

bool path_exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

const char* full_device_missing() {
#ifdef _WIN32
    return "Windows has no device that refuses every write";
#else
    return path_exists("/dev/full") ? nullptr : "no /dev/full here";
#endif
}

#ifdef _WIN32
const char* FileSizeLimit::why_not() { return "Windows has no per-process file size limit"; }
FileSizeLimit::FileSizeLimit(long) {}
FileSizeLimit::~FileSizeLimit() {}
#else
const char* FileSizeLimit::why_not() { return "the file size limit cannot be set"; }

FileSizeLimit::FileSizeLimit(long bytes) {
    struct rlimit saved;
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0) return;
    saved_[0] = static_cast<long>(saved.rlim_cur);
    saved_[1] = static_cast<long>(saved.rlim_max);
    // A write past the limit must fail, not end the process.
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(bytes);
    active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    if (!active_) std::signal(SIGXFSZ, saved_handler_);
}

FileSizeLimit::~FileSizeLimit() {
    if (!active_) return;
    struct rlimit saved;
    saved.rlim_cur = static_cast<rlim_t>(saved_[0]);
    saved.rlim_max = static_cast<rlim_t>(saved_[1]);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, saved_handler_);
}
#endif

bool make_symlink(const std::string& target, const std::string& link) {
    std::error_code error;
    fs::create_symlink(target, link, error);
    return !error;
}

FILE* open_text_stream(const std::string& text) {
    FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
        std::fclose(file);
        return nullptr;
    }
    std::rewind(file);
    return file;
}
