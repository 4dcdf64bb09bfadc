#pragma once

namespace host::sound {

/// An entry point as resolve-by-name returns it; cast to its own type before calling.
using EntryPoint = void (*)();

/// How a component is reached: initialise once, resolve entry points by name,
/// finalise at the end.
struct ModuleRecord
{
    /// Prepares the component; false means it cannot be used.
    bool (*initialise)() = nullptr;
    /// The entry point called name (compared byte for byte), or null.
    EntryPoint (*resolve)(const char* name) = nullptr;
    /// Releases what initialise prepared.
    void (*finalise)() = nullptr;
};

} // namespace host::sound
