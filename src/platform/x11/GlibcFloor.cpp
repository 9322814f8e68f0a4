// Linked into the Linux module only. The module is built on Debian 12 (glibc 2.36) but must
// load on older systems too: what our code and the static C++ runtime and unwinder would
// otherwise take from glibc versions newer than 2.27 is answered here. The module links
// with --wrap for each function below, so every call to NAME reaches __wrap_NAME.
//
// powf (GLIBC_2.27, used by the engine) sets the floor: on a system older than that the
// engine would compute its sound with glibc's earlier powf, a different implementation.

#include "platform/x11/LoadedObjects.h"

#include <dlfcn.h>
#include <pthread.h>

// Old symbol versions that every glibc since 2.2.5 has (the pthread functions in libpthread
// before glibc 2.34, which the module therefore names).
__asm__(".symver hypotFirstVersion, hypot@GLIBC_2.2.5");
__asm__(".symver powFirstVersion, pow@GLIBC_2.2.5");
__asm__(".symver pthreadOnceFirstVersion, pthread_once@GLIBC_2.2.5");
__asm__(".symver pthreadKeyCreateFirstVersion, __pthread_key_create@GLIBC_2.2.5");
__asm__(".symver pthreadCreateFirstVersion, pthread_create@GLIBC_2.2.5");
__asm__(".symver pthreadJoinFirstVersion, pthread_join@GLIBC_2.2.5");

extern "C"
{
    double hypotFirstVersion(double x, double y);
    double powFirstVersion(double x, double y);
    int pthreadOnceFirstVersion(pthread_once_t* once, void (*function)());
    int pthreadKeyCreateFirstVersion(pthread_key_t* key, void (*destructor)(void*));
    int pthreadCreateFirstVersion(pthread_t* thread, const pthread_attr_t* attributes, void* (*function)(void*),
                                  void* argument);
    int pthreadJoinFirstVersion(pthread_t thread, void** result);

    // libstdc++ reads this (glibc 2.32) to skip atomic reference counts in a process with
    // one thread. Ours always answers "not single-threaded".
    char __libc_single_threaded = 0;

    // glibc 2.35 and 2.29 gave these new versions; the first ones compute the same values
    // here. (hypot aims the editor's camera, pow serves libpng.)
    double __wrap_hypot(double x, double y)
    {
        return hypotFirstVersion(x, y);
    }

    double __wrap_pow(double x, double y)
    {
        return powFirstVersion(x, y);
    }

    // The unwinder's thread support (glibc 2.34 moved these into libc).
    int __wrap_pthread_once(pthread_once_t* once, void (*function)())
    {
        return pthreadOnceFirstVersion(once, function);
    }

    int __wrap___pthread_key_create(pthread_key_t* key, void (*destructor)(void*))
    {
        return pthreadKeyCreateFirstVersion(key, destructor);
    }

    // The editor's own thread (the double-density skin decoded while a GL context is made).
    int __wrap_pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*function)(void*),
                              void* argument)
    {
        return pthreadCreateFirstVersion(thread, attributes, function, argument);
    }

    int __wrap_pthread_join(pthread_t thread, void** result)
    {
        return pthreadJoinFirstVersion(thread, result);
    }

    // The unwinder asks glibc 2.35 where the exception-handling index of the code at an
    // address is; the loader's object list tells the same. Only the fields it reads are set.
    int __wrap__dl_find_object(void* address, dl_find_object* result)
    {
        platform::LoadedObject object;
        if (!platform::findLoadedObject(address, object))
            return -1;
        *result = dl_find_object{};
        result->dlfo_map_start = reinterpret_cast<void*>(object.start);
        result->dlfo_map_end = reinterpret_cast<void*>(object.end);
        result->dlfo_eh_frame = const_cast<void*>(object.ehFrameHeader);
        return 0;
    }
}
