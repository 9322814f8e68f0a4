#pragma once

#include <atomic>

// Counts the heap calls (malloc & co) and mutex locks a thread makes while it watches, by
// replacing those functions for the whole test program (AudioThreadWatch.cpp; not with a
// sanitizer, which replaces malloc itself). Libraries the program loads, plug-in binaries
// included, take them from here too.
extern thread_local bool watchingThisThread;
extern std::atomic<int> watchedHeapCalls;
extern std::atomic<int> watchedLockCalls;

// One allocation, one free and one lock made while watching: true when the counters saw
// exactly those (and they are cleared again), so a watch that counts nothing is caught.
bool watchSeesAProbe();
