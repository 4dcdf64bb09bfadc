#pragma once

// Owning pointers for the handles of libmpg123 and libout123, so that every
// path out of a function releases them.

#include <mpg123.h>
#include <out123.h>

#include <memory>

namespace host::sound {

struct Mpg123Deleter
{
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};
/// A decoder handle of libmpg123.
using Mpg123Handle = std::unique_ptr<mpg123_handle, Mpg123Deleter>;

struct Out123Deleter
{
    void operator()(out123_handle* handle) const { out123_del(handle); }
};
/// An output handle of libout123; deleting it closes the device.
using Out123Handle = std::unique_ptr<out123_handle, Out123Deleter>;

} // namespace host::sound
