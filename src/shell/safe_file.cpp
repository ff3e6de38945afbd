// The file writer: temporary file, sync and rename, or a careful in-place write.
//
// No allocation happens once a file is touched: paths live in fixed
// buffers, so a memory shortage can only end the program before the disk
// is involved, never between creating the temporary file and removing it.
#include "shell/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

SafeFileState safe_file_state;

void safe_file_state_reset() { safe_file_state = SafeFileState{}; }

namespace {

constexpr size_t PATH_CAPACITY = 4096;
constexpr size_t CHUNK = 64 * 1024;

// True when the test's chosen operation is this one.
bool injected(SafeFileStep step) {
    ++safe_file_state.operations;
    if (safe_file_state.fail_at != safe_file_state.operations) return false;
    safe_file_state.failed_step = step;
    errno = EIO;
    return true;
}

bool copy_text(char* buffer, const char* text) {
    const size_t length = std::strlen(text);
    if (length >= PATH_CAPACITY) return false;
    std::memcpy(buffer, text, length + 1);
    return true;
}

// Length of the folder part of path including its last separator (0: none).
size_t folder_length(const char* path) {
    size_t end = 0;
    for (size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '/' || path[i] == '\\') end = i + 1;
    }
    return end;
}

#ifdef _WIN32

using Handle = int;

bool write_all(Handle fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        if (injected(SAFE_FILE_WRITE)) return false;
        const unsigned part = static_cast<unsigned>(size < CHUNK ? size : CHUNK);
        const int written = _write(fd, data, part);
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool sync_file(Handle fd) { return !injected(SAFE_FILE_SYNC) && _commit(fd) == 0; }
bool close_file(Handle fd) { return _close(fd) == 0 && !injected(SAFE_FILE_CLOSE); }

bool write_whole(const char* target, const unsigned char* data, size_t size) {
    DWORD attributes = GetFileAttributesA(target);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

    char temporary[PATH_CAPACITY];
    int written = std::snprintf(temporary, sizeof temporary, "%s.saving-XXXXXX", target);
    if (injected(SAFE_FILE_CREATE)) return false;
    Handle fd = -1;
    if (written > 0 && static_cast<size_t>(written) < sizeof temporary &&
        _mktemp_s(temporary, static_cast<size_t>(written) + 1) == 0) {
        fd = _open(temporary, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    }
    if (fd < 0) {
        // No temporary file possible: in place, from the complete content.
        safe_file_state.last_in_place = true;
        fd = _open(target, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd < 0) return false;
        bool ok = write_all(fd, data, size) && sync_file(fd);
        if (!close_file(fd)) ok = false;
        return ok;
    }
    safe_file_state.last_in_place = false;
    bool ok = write_all(fd, data, size) && sync_file(fd);
    if (!close_file(fd)) ok = false;
    if (ok && !injected(SAFE_FILE_RENAME) &&
        MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary);
    return false;
}

#else

using Handle = int;

bool write_all(Handle fd, const unsigned char* data, size_t size) {
    while (size > 0) {
        if (injected(SAFE_FILE_WRITE)) return false;
        const size_t part = size < CHUNK ? size : CHUNK;
        const ssize_t written = ::write(fd, data, part);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Devices and pipes may not sync; that is not a failure of the write.
bool sync_file(Handle fd, bool regular) {
    if (injected(SAFE_FILE_SYNC)) return false;
    if (::fsync(fd) == 0) return true;
    return !regular && (errno == EINVAL || errno == EROFS || errno == ENOTSUP);
}

bool close_file(Handle fd) {
    const bool closed = ::close(fd) == 0;
    return !injected(SAFE_FILE_CLOSE) && closed;
}

// Follows symbolic links from path to the file they name (which need
// not exist yet). False on a loop or a name that does not fit.
bool resolve_links(const char* path, char* target) {
    if (!copy_text(target, path)) return false;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info;
        if (::lstat(target, &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        char link[PATH_CAPACITY];
        const ssize_t length = ::readlink(target, link, sizeof link - 1);
        if (length < 0) return false;
        link[length] = '\0';
        if (link[0] == '/') {
            std::memcpy(target, link, static_cast<size_t>(length) + 1);
        } else {
            // Relative to the folder that holds the link.
            const size_t folder = folder_length(target);
            if (folder + static_cast<size_t>(length) >= PATH_CAPACITY) return false;
            std::memcpy(target + folder, link, static_cast<size_t>(length) + 1);
        }
    }
    errno = ELOOP;
    return false;
}

// The mode a new file gets from the process's file creation mask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// In place: the only window for damage is the write itself.
bool write_in_place(const char* target, const unsigned char* data, size_t size, bool regular) {
    safe_file_state.last_in_place = true;
    if (injected(SAFE_FILE_CREATE)) return false;
    // Non-blocking, so that a pipe without a reader fails instead of hanging.
    Handle fd = ::open(target, O_WRONLY | O_CREAT | O_NONBLOCK | (regular ? O_TRUNC : 0), 0666);
    if (fd < 0) return false;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    bool ok = write_all(fd, data, size) && sync_file(fd, regular);
    if (!close_file(fd)) ok = false;
    return ok;
}

// The replacement keeps what the user gave the file.
void keep_mode_and_owner(Handle fd, bool exists, const struct stat& info) {
    if (!exists) {
        ::fchmod(fd, new_file_mode());
        return;
    }
    ::fchmod(fd, info.st_mode & 07777);
    if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
        if (::fchown(fd, static_cast<uid_t>(-1), info.st_gid) != 0) {
            // Not permitted: the file becomes the saving user's, as a new one would.
        }
    }
}

// The new name must survive a crash too.
void sync_folder_of(const char* target) {
    char folder[PATH_CAPACITY];
    size_t folder_end = folder_length(target);
    if (folder_end == 0) {
        std::strcpy(folder, ".");
    } else {
        std::memcpy(folder, target, folder_end);
        folder[folder_end] = '\0';
    }
    Handle directory = ::open(folder, O_RDONLY);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
}

bool write_whole(const char* path, const unsigned char* data, size_t size) {
    char target[PATH_CAPACITY];
    if (!resolve_links(path, target)) return false;

    struct stat info;
    const bool exists = ::stat(target, &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        errno = EISDIR;
        return false;
    }
    // Only a regular file with one name may be replaced by another file.
    if (exists && (!S_ISREG(info.st_mode) || info.st_nlink > 1))
        return write_in_place(target, data, size, S_ISREG(info.st_mode));

    char temporary[PATH_CAPACITY];
    const int length = std::snprintf(temporary, sizeof temporary, "%s.saving-XXXXXX", target);
    if (injected(SAFE_FILE_CREATE)) return false;
    Handle fd = -1;
    if (length > 0 && static_cast<size_t>(length) < sizeof temporary) fd = ::mkstemp(temporary);
    // A folder where no file can be made (read-only, full of names): the
    // file itself may still be writable.
    if (fd < 0) return write_in_place(target, data, size, true);
    safe_file_state.last_in_place = false;

    keep_mode_and_owner(fd, exists, info);

    bool ok = write_all(fd, data, size) && sync_file(fd, true);
    if (!close_file(fd)) ok = false;
    if (ok && !injected(SAFE_FILE_RENAME) && ::rename(temporary, target) == 0) {
        sync_folder_of(target);
        return true;
    }
    const int error = errno;
    ::unlink(temporary);  // ours: made by mkstemp above
    errno = error;
    return false;
}

#endif

}  // namespace

bool write_file_whole(const char* path, const void* data, size_t size) {
    if (path == nullptr || path[0] == '\0') return false;
    if (data == nullptr && size > 0) return false;
    return write_whole(path, static_cast<const unsigned char*>(data), size);
}
