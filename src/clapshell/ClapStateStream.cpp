#include "clapshell/ClapStateStream.h"

namespace
{

std::int64_t writeSome(void* context, const void* bytes, std::size_t size)
{
    const auto& stream = *static_cast<const clap::OutputStream*>(context);
    return stream.write != nullptr ? stream.write(&stream, bytes, size) : -1;
}

std::int64_t readSome(void* context, void* into, std::size_t size)
{
    const auto& stream = *static_cast<const clap::InputStream*>(context);
    return stream.read != nullptr ? stream.read(&stream, into, size) : -1;
}

}  // namespace

// The stream only goes back to its own calls, which take it as const.
StateWriter stateWriterOf(const clap::OutputStream& stream)
{
    return {const_cast<clap::OutputStream*>(&stream), writeSome};
}

StateReader stateReaderOf(const clap::InputStream& stream)
{
    return {const_cast<clap::InputStream*>(&stream), readSome};
}
