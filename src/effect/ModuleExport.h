#pragma once

// Marks a module's entry point: a C name the host finds in the module file. The modules
// export nothing else (their definition files and version scripts hold them to it).
#if defined(_WIN32)
#define VANTOR_EXPORT extern "C" __declspec(dllexport)
#else
#define VANTOR_EXPORT extern "C" __attribute__((visibility("default")))
#endif
