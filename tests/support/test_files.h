#pragma once
// Temporary directories and the few operating-system facilities file tests
// need, the same on Linux and Windows; what one system lacks is reported
// so that the test can say why it is skipped.
#include <cstdio>
#include <string>

// A new empty directory under the system's temporary directory, with '/'
// between the parts on every system, as transcripts show paths as given.
std::string make_temp_directory(const std::string& prefix);
// Removes a directory and everything in it; quiet when it is gone.
void remove_tree(const std::string& path);
bool path_exists(const std::string& path);
int current_process_id();

// Why a device that refuses every write ("/dev/full") cannot be used here,
// or null when it can.
const char* full_device_missing();

// Limits the size of every file the process writes while it lives, so that
// writes fail part-way as on a full disk. active() is false where the
// system has no such limit (why_not() says so).
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }
    static const char* why_not();

private:
    bool active_ = false;
    long saved_[2] = {};
    void (*saved_handler_)(int) = nullptr;
};

// Makes link name the file target; false where links cannot be made.
bool make_symlink(const std::string& target, const std::string& link);

// A read stream positioned at the start of text (fmemopen where there is
// none); null when no temporary file can be made.
FILE* open_text_stream(const std::string& text);
