#include "host/commands/files.h"

#include "host/values/codec.h"

#include <QLoggingCategory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

namespace host {
namespace {

Q_LOGGING_CATEGORY(lcFiles, "tikora.files", QtInfoMsg)

// Where a write may go: a new name, or the name of a regular file or of a
// link, which the rename replaces. A folder, FIFO or device stays as it is.
bool mayReplace(const std::string& fileSystemPath)
{
    struct stat status {};
    if (::lstat(fileSystemPath.c_str(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) || S_ISLNK(status.st_mode);
}

FileIdentity identityOf(const struct stat& status) noexcept
{
    return {status.st_dev, status.st_ino};
}

// A new file beside the target under a name nobody else has, made as open()
// makes any new file, 0666 less the umask: a user whose umask keeps files
// private gets a private sound file too. Its descriptor, or -1.
int createTemporary(const std::string& folder, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".tikora-" + std::to_string(std::random_device {}());
        const int file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file >= 0 || errno != EEXIST)
            return file;
    }
    return -1;
}

// Writes all of the bytes, going on after a signal or a short write.
bool writeAll(int file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The bytes go to a new file of the program's own beside the target, which
// then replaces the target's name in one step: a link there is replaced, not
// followed, and no reader ever sees a half-written file.
bool writePieces(const Text& path, const std::vector<std::string_view>& pieces, FileIdentity* identity)
{
    if (path.isEmpty())
        return false;
    const std::string fileSystemPath = codec::toFileSystemPath(path);
    if (!mayReplace(fileSystemPath)) {
        qCInfo(lcFiles) << "cannot write" << fileSystemPath.c_str() << ": not a file";
        return false;
    }
    const std::size_t slash = fileSystemPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : fileSystemPath.substr(0, slash + 1);
    std::string temporary;
    const int file = createTemporary(folder, temporary);
    if (file < 0) {
        qCInfo(lcFiles) << "cannot write in the folder of" << fileSystemPath.c_str() << ":" << std::strerror(errno);
        return false;
    }
    bool written = true;
    for (const std::string_view piece : pieces)
        written = written && writeAll(file, piece);
    // The file's identity, which the rename keeps.
    struct stat status {};
    written = written && ::fstat(file, &status) == 0;
    written = ::close(file) == 0 && written;
    if (written && ::rename(temporary.c_str(), fileSystemPath.c_str()) == 0) {
        if (identity)
            *identity = identityOf(status);
        return true;
    }
    qCInfo(lcFiles) << "writing" << fileSystemPath.c_str() << "failed:" << std::strerror(errno);
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

bool writeBytesToFile(const Text& path, const std::vector<Bytes>& arrays)
{
    std::vector<std::string_view> pieces;
    pieces.reserve(arrays.size());
    for (const Bytes& array : arrays)
        pieces.emplace_back(array.data);
    return writePieces(path, pieces, nullptr);
}

bool writeBytesToFile(const Text& path, std::string_view bytes, FileIdentity* written)
{
    return writePieces(path, {bytes}, written);
}

bool removeFile(const Text& path)
{
    if (path.isEmpty())
        return false;
    return ::unlink(codec::toFileSystemPath(path).c_str()) == 0;
}

bool removeWrittenFile(const char* fileSystemPath, const FileIdentity& written) noexcept
{
    struct stat status {};
    return ::lstat(fileSystemPath, &status) == 0 && S_ISREG(status.st_mode) && identityOf(status) == written &&
           ::unlink(fileSystemPath) == 0;
}

} // namespace host
