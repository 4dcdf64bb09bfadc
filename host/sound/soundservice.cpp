#include "host/sound/soundservice.h"

#include "host/codec.h"
#include "host/sound/filedescriptor.h"
#include "host/sound/moduleloader.h"
#include "host/sound/playercomponent.h"
#include "host/sound/soundlog_p.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <string>

namespace host {
namespace {

// The program's one current player and the component it comes from. Lives
// until the program ends, when the last player is removed and the component
// finalised.
class SoundState final
{
public:
    // The logging categories are statics too; made first, they are destroyed
    // after this object, whose destructor may still log from player threads.
    SoundState()
    {
        lcSound();
        lcPlayer();
    }
    ~SoundState() { removeCurrentPlayer(); }

    void removeCurrentPlayer()
    {
        if (!m_current)
            return;
        if (const auto remove = m_loader.lookup<sound::RemovePlayerFunction>("RemovePlayer"))
            remove(m_current);
        m_current = nullptr;
    }

    void play(const std::string& fileList, int playCount)
    {
        const auto create = m_loader.lookup<sound::CreatePlayerFunction>("CreatePlayer");
        if (!create)
            return;
        m_current = create(fileList.c_str(), playCount);
        if (!m_current)
            return;
        if (const auto newPlay = m_loader.lookup<sound::NewPlayFunction>("NewPlay"))
            newPlay(m_current, nullptr, nullptr, 0);
    }

private:
    sound::ModuleLoader m_loader {sound::playerModule()};
    sound::PlayerHandle m_current = nullptr;
};

SoundState& soundState()
{
    static SoundState state;
    return state;
}

void appendPath(std::string& fileList, const Text& path)
{
    if (path.isEmpty())
        return;
    fileList += path.bytes();
    fileList += '\0';
}

} // namespace

void playFiles(std::optional<std::int32_t> playCount, const std::vector<PathArgument>& paths)
{
    SoundState& state = soundState();
    state.removeCurrentPlayer();

    int count = playCount.value_or(1);
    if (count == 0)
        return;
    if (count < 0)
        count = 0; // the player's word for endless

    std::string fileList;
    for (const PathArgument& argument : paths) {
        if (const Text* path = std::get_if<Text>(&argument)) {
            appendPath(fileList, *path);
        } else {
            for (const Text& element : std::get<std::vector<Text>>(argument))
                appendPath(fileList, element);
        }
    }
    if (fileList.empty())
        return;
    // The empty path that closes the list (c_str() adds the NUL that ends it).
    fileList += '\0';
    qCDebug(lcSound) << "playing" << paths.size() << "path arguments, count" << count;
    state.play(fileList, count);
}

void playFiles(const std::vector<PathArgument>& paths)
{
    playFiles(std::nullopt, paths);
}

void stopAllSound()
{
    // The program starts no other sound than the current player's.
    soundState().removeCurrentPlayer();
}

namespace {

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
// private gets a private sound file too.
sound::FileDescriptor createTemporary(const std::string& folder, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".tikora-" + std::to_string(std::random_device {}());
        sound::FileDescriptor file(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.isOpen() || errno != EEXIST)
            return file;
    }
    return sound::FileDescriptor();
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
        qCInfo(lcSound) << "cannot write" << fileSystemPath.c_str() << ": not a file";
        return false;
    }
    const std::size_t slash = fileSystemPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : fileSystemPath.substr(0, slash + 1);
    std::string temporary;
    sound::FileDescriptor file = createTemporary(folder, temporary);
    if (!file.isOpen()) {
        qCInfo(lcSound) << "cannot write in the folder of" << fileSystemPath.c_str() << ":" << std::strerror(errno);
        return false;
    }
    bool written = true;
    for (const std::string_view piece : pieces)
        written = written && file.writeAll(piece.data(), piece.size());
    // The file's identity, which the rename keeps.
    struct stat status {};
    written = written && ::fstat(file.get(), &status) == 0;
    written = file.close() && written;
    if (written && ::rename(temporary.c_str(), fileSystemPath.c_str()) == 0) {
        if (identity)
            *identity = identityOf(status);
        return true;
    }
    qCInfo(lcSound) << "writing" << fileSystemPath.c_str() << "failed:" << std::strerror(errno);
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
