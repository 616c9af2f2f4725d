/* Writes the embedded snippet to standard output and nothing else. */
#include <unistd.h>

#include "floor_bytes.h"

int main(void)
{
    const unsigned char* p = floor_bytes;
    size_t left = sizeof floor_bytes;
    while (left > 0) {
        ssize_t n = write(1, p, left);
        if (n <= 0)
            return 1;
        p += n;
        left -= (size_t)n;
    }
    return 0;
}
