#include "host/sound/playercomponent.h"

#include "host/sound/player.h"
#include "host/sound/soundlog_p.h"

#include <mpg123.h>

#include <cstring>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace host::sound {
namespace {

std::vector<std::string> splitFileList(const char* fileList)
{
    std::vector<std::string> paths;
    if (!fileList)
        return paths;
    for (const char* path = fileList; *path; path += std::strlen(path) + 1)
        paths.emplace_back(path);
    return paths;
}

PlayerHandle createPlayer(const char* fileList, int playCount)
{
    try {
        return new Player(splitFileList(fileList), playCount);
    } catch (const std::bad_alloc&) {
        qCWarning(lcPlayer) << "out of memory for a player";
    } catch (const std::system_error& error) {
        qCWarning(lcPlayer) << "no worker thread for a player:" << error.what();
    }
    return nullptr;
}

int newPlay(PlayerHandle player, const NotificationTarget* target, const char* text, int start)
{
    return player ? player->newPlay(target, text, start) : 0;
}

int play(PlayerHandle player)
{
    return newPlay(player, nullptr, nullptr, 0);
}

int getPlayState(PlayerHandle player)
{
    return player ? player->playState() : 0;
}

int setPauseState(PlayerHandle player, int pause)
{
    return player ? player->setPauseState(pause) : 0;
}

int removePlayer(PlayerHandle player)
{
    if (!player)
        return 0;
    delete player;
    return 1;
}

template<typename Function>
EntryPoint entry(Function function)
{
    return reinterpret_cast<EntryPoint>(function);
}

bool initialise()
{
    // A no-op in current libmpg123, but older ones build their tables here.
    const int result = mpg123_init();
    if (result != MPG123_OK)
        qCWarning(lcPlayer) << "libmpg123 failed to initialise:" << mpg123_plain_strerror(result);
    return result == MPG123_OK;
}

EntryPoint resolve(const char* name)
{
    struct Named
    {
        const char* name;
        EntryPoint function;
    };
    static const Named entryPoints[] = {
        {"CreatePlayer", entry<CreatePlayerFunction>(createPlayer)},
        {"NewPlay", entry<NewPlayFunction>(newPlay)},
        {"Play", entry<PlayFunction>(play)},
        {"GetPlayState", entry<GetPlayStateFunction>(getPlayState)},
        {"SetPauseState", entry<SetPauseStateFunction>(setPauseState)},
        {"RemovePlayer", entry<RemovePlayerFunction>(removePlayer)},
    };
    for (const Named& entryPoint : entryPoints) {
        if (std::strcmp(entryPoint.name, name) == 0)
            return entryPoint.function;
    }
    return nullptr;
}

void finalise()
{
    mpg123_exit();
}

} // namespace

const ModuleRecord& playerModule()
{
    static const ModuleRecord record {initialise, resolve, finalise};
    return record;
}

} // namespace host::sound
