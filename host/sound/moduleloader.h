#pragma once

#include "host/sound/modulerecord.h"

namespace host::sound {

/// Looks entry points of a component up through its module record. The first
/// lookup initialises the component; if that fails, this and every later
/// lookup yields null, and callers skip the step. The destructor finalises a
/// component that was initialised.
///
/// Not thread-safe: the sound requests use it from the UI thread only.
class ModuleLoader final
{
public:
    /// Reaches the component through record, which must outlive the loader.
    explicit ModuleLoader(const ModuleRecord& record) : m_record(record) {}
    ~ModuleLoader();

    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    /// The entry point called name, or null.
    EntryPoint lookup(const char* name);

    /// The entry point called name as a Function pointer, or null.
    template<typename Function>
    Function lookup(const char* name)
    {
        return reinterpret_cast<Function>(lookup(name));
    }

private:
    const ModuleRecord& m_record;
    bool m_tried = false;
    bool m_ready = false;
};

} // namespace host::sound
