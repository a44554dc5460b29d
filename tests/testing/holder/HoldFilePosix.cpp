// hold-file FILE MILLISECONDS SIGNALS: holds FILE open the way a running program does. Once it
// holds the file it creates SIGNALS/held; it lets go when MILLISECONDS have passed or
// SIGNALS/release appears, and then removes SIGNALS/held.
// Exit codes: 0 held and let go, 1 FILE could not be opened, 2 bad arguments.
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const int held = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    if (held < 0) return 1;
    const std::string signals = argv[3];
    const auto until =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::strtoul(argv[2], nullptr, 10));
    ::close(::open((signals + "/held").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    while (std::chrono::steady_clock::now() < until && ::access((signals + "/release").c_str(), F_OK) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::close(held);
    ::unlink((signals + "/held").c_str());
    return 0;
}
