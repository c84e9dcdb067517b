// Preloaded into the test mail's sender: a name service that never answers.
#include <netdb.h>
#include <unistd.h>

extern "C" int getaddrinfo(const char*, const char*, const addrinfo*, addrinfo**) {
    for (;;)
        pause();
}
