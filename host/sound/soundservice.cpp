#include "host/sound/soundservice.h"

#include "host/sound/moduleloader.h"
#include "host/sound/playercomponent.h"
#include "host/sound/soundlog_p.h"

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

} // namespace host
