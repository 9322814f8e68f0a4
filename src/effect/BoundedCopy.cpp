#include "effect/BoundedCopy.h"

#include <cstring>

void copyBounded(char* destination, const char* source, std::size_t capacity)
{
    if (destination == nullptr || capacity == 0)
        return;
    const std::size_t length = source == nullptr ? 0 : strnlen(source, capacity - 1);
    if (length > 0)
        std::memcpy(destination, source, length);
    destination[length] = '\0';
}
