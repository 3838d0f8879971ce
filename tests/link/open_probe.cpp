// Opens the port named on the command line with a port object and closes it again.
// Exit status 0 when it opened, 1 when it was refused (the error code on standard output).

#include <cstdio>

#include "link/block_serial.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    orlin::TBlockSerial port;
    port.OpenPort(argv[1]);
    std::printf("%d\n", static_cast<int>(port.LastError()));
    return port.IsOpen() ? 0 : 1;
}
