#include "host/sound/moduleloader.h"

namespace host::sound {

ModuleLoader::~ModuleLoader()
{
    if (m_ready && m_record.finalise)
        m_record.finalise();
}

EntryPoint ModuleLoader::lookup(const char* name)
{
    if (!m_tried) {
        m_tried = true;
        m_ready = m_record.initialise && m_record.initialise();
    }
    if (!m_ready || !m_record.resolve || !name)
        return nullptr;
    return m_record.resolve(name);
}

} // namespace host::sound
