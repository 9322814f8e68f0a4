// vantor-demo-signal: writes the demo material, the same bytes on every run.

#include "AudioFile.h"
#include "DemoSignal.h"

#include <cstdio>
#include <cstring>
#include <exception>

namespace
{

constexpr const char* kUsage = "usage: vantor-demo-signal OUT\n"
                               "Writes 10 s of drums over a moving stereo pad (44.1 kHz stereo) to OUT;\n"
                               "OUT's extension picks the format, .wav means 32-bit float.\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
    {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '-')
    {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try
    {
        writeAudioFile(argv[1], makeDemoSignal());
        return 0;
    }
    catch (const std::exception& failure)
    {
        std::fprintf(stderr, "vantor-demo-signal: %s\n", failure.what());
        return 1;
    }
}
