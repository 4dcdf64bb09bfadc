#pragma once

// The player's entry points, looked up by name the way the sound requests do,
// and the file list they take.

#include "host/sound/moduleloader.h"
#include "host/sound/playercomponent.h"

#include <string>
#include <vector>

namespace soundtest {

struct PlayerEntries
{
    host::sound::ModuleLoader loader {host::sound::playerModule()};
    host::sound::CreatePlayerFunction create = loader.lookup<host::sound::CreatePlayerFunction>("CreatePlayer");
    host::sound::NewPlayFunction newPlay = loader.lookup<host::sound::NewPlayFunction>("NewPlay");
    host::sound::PlayFunction play = loader.lookup<host::sound::PlayFunction>("Play");
    host::sound::GetPlayStateFunction state = loader.lookup<host::sound::GetPlayStateFunction>("GetPlayState");
    host::sound::SetPauseStateFunction pause = loader.lookup<host::sound::SetPauseStateFunction>("SetPauseState");
    host::sound::RemovePlayerFunction remove = loader.lookup<host::sound::RemovePlayerFunction>("RemovePlayer");
};

/// Paths as CreatePlayer takes them: each ended by a zero byte, the list by one more.
inline std::string fileList(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    return list + '\0';
}

} // namespace soundtest
