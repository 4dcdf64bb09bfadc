#include "host/commands/environment.h"

#include "host/values/codec.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace host {
namespace {

// The program file as the kernel knows it, with symbolic links resolved, so
// a program started through a link still finds the files beside it.
std::string programFile()
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : file.string();
}

QRect primaryScreenGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

Text runDirectory()
{
    return detail::folderOfProgram(programFile());
}

bool enterRunDirectory()
{
    const std::string folder = codec::toFileSystemPath(runDirectory());
    return ::chdir(folder.empty() ? "/" : folder.c_str()) == 0;
}

std::int32_t screenWidth()
{
    return primaryScreenGeometry().width();
}

std::int32_t screenHeight()
{
    return primaryScreenGeometry().height();
}

namespace detail {

Text folderOfProgram(const std::string& programFile)
{
    const std::size_t slash = programFile.rfind('/');
    if (slash == std::string::npos)
        return {};
    // Everything before the last separator: "/opt/tikora/tikora" gives
    // "/opt/tikora", and "/tikora" gives the empty text.
    return codec::fromFileSystemPath(programFile.substr(0, slash));
}

} // namespace detail

} // namespace host
